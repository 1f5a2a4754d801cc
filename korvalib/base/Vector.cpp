// Vector and frame maths.
#include "korvalib/base/Vector.h"

#include <cmath>

#include "korvalib/base/GFunc.h"

namespace {
constexpr double kZeroSq = 1e-15;
constexpr float kZeroSqF = 1e-10f;
constexpr double kUnitLo = 0.99999999, kUnitHi = 1.00000001;
}  // namespace

CVector::CVector() : m_p(m_v), m_v{0, 0, 0}, m_bAttached(0) {}

CVector::CVector(const CVector& o) : m_p(m_v), m_v{o.m_p[0], o.m_p[1], o.m_p[2]}, m_bAttached(0) {}

CVector::CVector(const double* p, int attach) : m_p(m_v), m_v{0, 0, 0}, m_bAttached(0)
{
    if (attach)
        Attach(p);
    else
        Copy(p, m_v);
}

CVector::CVector(double x, double y, double z) : m_p(m_v), m_v{x, y, z}, m_bAttached(0) {}

CVector::CVector(const float* p) : m_p(m_v), m_v{p[0], p[1], p[2]}, m_bAttached(0) {}

void CVector::Attach(const double* p)
{
    m_p = const_cast<double*>(p);
    m_bAttached = 1;
}

double* CVector::Detach()
{
    double* p = m_p;
    m_p = m_v;
    m_bAttached = 0;
    return p;
}

CVector& CVector::operator=(const CVector& o)
{
    if (this != &o) *this = static_cast<const double*>(o.m_p);
    return *this;
}

CVector& CVector::operator=(const double* p)
{
    const double x = p[0], y = p[1], z = p[2];  // p may overlap the storage
    m_p[0] = x;
    m_p[1] = y;
    m_p[2] = z;
    return *this;
}

CVector& CVector::operator=(const float* p)
{
    m_p[0] = p[0];
    m_p[1] = p[1];
    m_p[2] = p[2];
    return *this;
}

void CVector::SetZero()
{
    m_p[0] = m_p[1] = m_p[2] = 0;
}
void CVector::Inverse()
{
    m_p[0] = -m_p[0];
    m_p[1] = -m_p[1];
    m_p[2] = -m_p[2];
}
void CVector::CopyTo(double* out) const
{
    Copy(m_p, out);
}
void CVector::CopyTo(float* out) const
{
    Copy(m_p, out);
}

CVector& CVector::operator+=(const double* b)
{
    Plus(m_p, b, m_p);
    return *this;
}
CVector& CVector::operator-=(const double* b)
{
    Subtract(m_p, b, m_p);
    return *this;
}
CVector& CVector::operator*=(double f)
{
    for (int i = 0; i < 3; ++i) m_p[i] *= f;
    return *this;
}
CVector& CVector::operator/=(double f)
{
    return *this *= 1.0 / f;
}

CVector& CVector::operator*=(const double m[3][3])
{
    const double x = m_p[0], y = m_p[1], z = m_p[2];
    for (int i = 0; i < 3; ++i) m_p[i] = x * m[0][i] + y * m[1][i] + z * m[2][i];
    return *this;
}

CVector CVector::operator+(const double* b) const
{
    CVector r;
    Plus(m_p, b, r.m_v);
    return r;
}
CVector CVector::operator-(const double* b) const
{
    CVector r;
    Subtract(m_p, b, r.m_v);
    return r;
}
CVector CVector::operator*(double f) const
{
    return CVector(m_p[0] * f, m_p[1] * f, m_p[2] * f);
}
CVector CVector::operator/(double f) const
{
    return *this * (1.0 / f);
}
double CVector::operator*(const double* b) const
{
    return Dot(m_p, b);
}

CVector CVector::MatrixMult(const double m[3][3]) const
{
    CVector r;
    MatrixMult(m, m_p, r.m_v, 0);
    return r;
}

CVector CVector::Cross(const double* b) const
{
    CVector r;
    Cross(m_p, b, r.m_v);
    return r;
}

void CVector::CrossSelf(const double* b)
{
    double r[3];
    Cross(m_p, b, r);
    Copy(r, m_p);
}

void CVector::AssignDir(const double* from, const double* to)
{
    Subtract(to, from, m_p);
}

double CVector::Length() const
{
    const double sq = Dot(m_p, m_p);
    return sq <= kZeroSq ? 0.0 : std::sqrt(sq);
}

int CVector::Normalize()
{
    return Normalize(m_p);
}

int CVector::CalPlaneNor(const double* a, const double* b, const double* c)
{
    double ab[3], ac[3];
    Subtract(b, a, ab);
    Subtract(c, a, ac);
    Cross(ab, ac, m_p);
    return Normalize(m_p);
}

void CVector::GenerateOCS(CVector& x, CVector& y, CVector& z, const double* ref) const
{
    GenerateOCS(x.m_p, y.m_p, z.m_p, ref);
}

void CVector::GenerateOCS(double* x, double* y, double* z, const double* ref) const
{
    double zz[3];
    Copy(m_p, zz);
    Normalize(zz);
    if (ref && Dot(zz, ref) < 0)
        for (double& c : zz) c = -c;
    const double limit = 1.0 / 64.0;
    double w[3] = {0, 0, 0};
    if (std::fabs(zz[0]) < limit && std::fabs(zz[1]) < limit)
        w[1] = zz[2] > 0 ? 1.0 : -1.0;
    else
        w[2] = zz[2] >= -1e-10 ? 1.0 : -1.0;
    double xx[3], yy[3];
    Cross(w, zz, xx);
    Normalize(xx);
    Cross(zz, xx, yy);
    Copy(xx, x);
    Copy(yy, y);
    Copy(zz, z);
}

void CVector::Copy(const double* from, double* to)
{
    const double a = from[0], b = from[1], c = from[2];
    to[0] = a;
    to[1] = b;
    to[2] = c;
}
void CVector::Copy(const double* from, float* to)
{
    to[0] = float(from[0]);
    to[1] = float(from[1]);
    to[2] = float(from[2]);
}
void CVector::Plus(const double* a, const double* b, double* out)
{
    const double r[3] = {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
    Copy(r, out);
}
void CVector::Subtract(const double* a, const double* b, double* out)
{
    const double r[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    Copy(r, out);
}
double CVector::Dot(const double* a, const double* b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
void CVector::Cross(const double* a, const double* b, double* out)
{
    const double r[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    Copy(r, out);
}
double CVector::Length(const double* v)
{
    return GFunc::Sqrt(Dot(v, v));
}
double CVector::Length(const float* v)
{
    return GFunc::Sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
}

int CVector::Normalize(double* v)
{
    const double sq = Dot(v, v);
    if (sq < kZeroSq) return 0;
    if (sq > kUnitLo && sq < kUnitHi) return 1;
    const double len = std::sqrt(sq);
    for (int i = 0; i < 3; ++i) v[i] /= len;
    return 1;
}

int CVector::Normalize(float* v)
{
    const float sq = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (sq < kZeroSqF) return 0;
    if (sq > float(kUnitLo) && sq < float(kUnitHi)) return 1;
    const float len = std::sqrt(sq);
    for (int i = 0; i < 3; ++i) v[i] /= len;
    return 1;
}

int CVector::DirEqual(const double* a, const double* b)
{
    return std::fabs(a[0] * b[1] - a[1] * b[0]) <= 0.001 && std::fabs(a[1] * b[2] - a[2] * b[1]) <= 0.001 &&
           std::fabs(a[0] * b[2] - a[2] * b[0]) <= 0.001;
}

void CVector::MatrixMult(const double m[3][3], const double* v, double* out, int transpose)
{
    double r[3];
    for (int i = 0; i < 3; ++i)
        r[i] = transpose ? m[0][i] * v[0] + m[1][i] * v[1] + m[2][i] * v[2]
                         : m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    Copy(r, out);
}

// ---- CTransferMatrix ----

CTransferMatrix::CTransferMatrix() : m_orig{0, 0, 0}
{
    SetIdentity();
}

CTransferMatrix::CTransferMatrix(const CTransferMatrix& o)
{
    *this = o;
}

CTransferMatrix& CTransferMatrix::operator=(const CTransferMatrix& o)
{
    for (int i = 0; i < 3; ++i) {
        m_orig[i] = o.m_orig[i];
        for (int j = 0; j < 3; ++j) m_axis[i][j] = o.m_axis[i][j];
    }
    return *this;
}

void CTransferMatrix::SetOrig(const double* o)
{
    CVector::Copy(o, m_orig);
}

void CTransferMatrix::SetIdentity()
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m_axis[i][j] = i == j ? 1.0 : 0.0;
}

void CTransferMatrix::Transpose()
{
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j) {
            const double t = m_axis[i][j];
            m_axis[i][j] = m_axis[j][i];
            m_axis[j][i] = t;
        }
}

void CTransferMatrix::SetMatrix(const double* x, const double* y, const double* z)
{
    const double* axes[3] = {x, y, z};
    for (int i = 0; i < 3; ++i) {
        CVector::Copy(axes[i], m_axis[i]);
        CVector::Normalize(m_axis[i]);
    }
}

void CTransferMatrix::SetMatrix(const double* z)
{
    CVector(z, 0).GenerateOCS(m_axis[0], m_axis[1], m_axis[2]);
}

void CTransferMatrix::ToLocal(const double* p, double* out) const
{
    double d[3], r[3];
    CVector::Subtract(p, m_orig, d);
    for (int i = 0; i < 3; ++i) r[i] = CVector::Dot(m_axis[i], d);
    CVector::Copy(r, out);
}

void CTransferMatrix::ToGlobal(const double* p, double* out) const
{
    double r[3];
    for (int i = 0; i < 3; ++i) r[i] = p[0] * m_axis[0][i] + p[1] * m_axis[1][i] + p[2] * m_axis[2][i] + m_orig[i];
    CVector::Copy(r, out);
}
