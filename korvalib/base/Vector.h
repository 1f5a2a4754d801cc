#pragma once
// 3-component double vectors, on their own storage or as a view onto three
// doubles of the caller's; 3-D frames (origin and orthonormal axes).
#include <cstdint>

#include "korvalib/base/KorvaApi.h"

class KORVA_API CVector {
public:
    CVector();
    CVector(const CVector& o);
    // attach != 0: a view onto p, whose values every operation reads and writes.
    CVector(const double* p, int attach);
    CVector(double x, double y, double z);
    explicit CVector(const float* p);

    void Attach(const double* p);
    // Back to the own storage; returns the pointer that was in use.
    double* Detach();
    int IsAttached() const { return m_bAttached != 0; }

    CVector& operator=(const CVector& o);
    CVector& operator=(const double* p);
    CVector& operator=(const float* p);
    double& operator[](int i) { return m_p[i]; }
    double operator[](int i) const { return m_p[i]; }
    operator double*() const { return m_p; }

    void SetZero();
    void Inverse();
    void CopyTo(double* out) const;
    void CopyTo(float* out) const;

    CVector& operator+=(const double* b);
    CVector& operator-=(const double* b);
    CVector& operator*=(double f);
    CVector& operator/=(double f);  // no test for 0
    // Row vector times m: component i = x m[0][i] + y m[1][i] + z m[2][i].
    CVector& operator*=(const double m[3][3]);
    CVector operator+(const double* b) const;
    CVector operator-(const double* b) const;
    CVector operator*(double f) const;
    CVector operator/(double f) const;
    double operator*(const double* b) const;  // dot product
    // m times this: component i = row i . v
    CVector MatrixMult(const double m[3][3]) const;
    CVector Cross(const double* b) const;
    void CrossSelf(const double* b);
    // this = to - from
    void AssignDir(const double* from, const double* to);
    double Length() const;
    int Normalize();
    // The unit normal of (b - a) x (c - a); 0 when it has no direction.
    int CalPlaneNor(const double* a, const double* b, const double* c);
    // A right-handed frame whose z axis is this direction (turned towards
    // ref when ref is given).
    void GenerateOCS(CVector& x, CVector& y, CVector& z, const double* ref = nullptr) const;
    void GenerateOCS(double* x, double* y, double* z, const double* ref = nullptr) const;

    static void Copy(const double* from, double* to);
    static void Copy(const double* from, float* to);
    static void Plus(const double* a, const double* b, double* out);
    static void Subtract(const double* a, const double* b, double* out);
    static double Dot(const double* a, const double* b);
    static void Cross(const double* a, const double* b, double* out);
    static double Length(const double* v);
    static double Length(const float* v);
    // 0 (unchanged) for a zero vector; a vector of nearly unit length is left as it is.
    static int Normalize(double* v);
    static int Normalize(float* v);
    // Parallel or anti-parallel: each cross-product component within 0.001.
    static int DirEqual(const double* a, const double* b);
    static void MatrixMult(const double m[3][3], const double* v, double* out, int transpose);

private:
    double* m_p;
    double m_v[3];
    int8_t m_bAttached;
};

class KORVA_API CTransferMatrix {
public:
    using Axes = double (*)[3];
    CTransferMatrix();
    CTransferMatrix(const CTransferMatrix& o);
    CTransferMatrix& operator=(const CTransferMatrix& o);

    void SetOrig(const double* o);
    const double* GetOrig() const { return m_orig; }
    operator Axes() { return m_axis; }
    void SetIdentity();
    void Transpose();
    // Copies the three axes and normalises each.
    void SetMatrix(const double* x, const double* y, const double* z);
    // Axes of the frame whose z axis is z.
    void SetMatrix(const double* z);
    void ToLocal(const double* p, double* out) const;
    // p and out may be the same array.
    void ToGlobal(const double* p, double* out) const;

private:
    double m_orig[3];
    double m_axis[3][3];  // rows: local x, y, z
};
