#pragma once
// A closed outline in plan or screen coordinates with a tolerance, asked
// whether points lie inside it.
#include <cstdint>

class CPolygon2D {
public:
    CPolygon2D() = default;
    ~CPolygon2D() { Clear(); }
    CPolygon2D(const CPolygon2D&) = delete;
    CPolygon2D& operator=(const CPolygon2D&) = delete;

    void Clear();
    void SetTolerance(double t) { m_dTolerance = t < 0 ? -t : t; }
    double GetTolerance() const { return m_dTolerance; }
    // Each setter replaces the vertices; fewer than three points only clear.
    void SetFromPoints(int n, const int (*xy)[2]);
    void SetFromXY(int n, const int* xs, const int* ys);
    void SetFromDoubles(int n, const double (*xy)[2]);
    // Keeps only the corner points of the outline; false when none remain.
    bool SetReduced(int n, const double (*xy)[2]);
    // Points on the outline within the tolerance count as inside.
    bool IsPointInside(const double* p) const;

    int GetCount() const { return m_nCount; }
    const double* Vertex(int i) const { return m_pVertices[i]; }

private:
    bool Allocate(int n);

    double m_dTolerance = 0.1;
    int32_t m_nCount = 0;
    double (*m_pVertices)[2] = nullptr;
};
