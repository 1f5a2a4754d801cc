#include "vek/model/geometry/Polygon2D.h"

#include <cstddef>
#include <new>
#include <vector>

#include "korvalib/base/GFunc.h"

void CPolygon2D::Clear()
{
    delete[] m_pVertices;
    m_pVertices = nullptr;
    m_nCount = 0;
}

bool CPolygon2D::Allocate(int n)
{
    Clear();
    if (n <= 2) return false;
    m_pVertices = new (std::nothrow) double[n][2];
    if (!m_pVertices) return false;
    m_nCount = n;
    return true;
}

void CPolygon2D::SetFromPoints(int n, const int (*xy)[2])
{
    if (!Allocate(n)) return;
    for (int i = 0; i < n; ++i) {
        m_pVertices[i][0] = xy[i][0];
        m_pVertices[i][1] = xy[i][1];
    }
}

void CPolygon2D::SetFromXY(int n, const int* xs, const int* ys)
{
    if (!Allocate(n)) return;
    for (int i = 0; i < n; ++i) {
        m_pVertices[i][0] = xs[i];
        m_pVertices[i][1] = ys[i];
    }
}

void CPolygon2D::SetFromDoubles(int n, const double (*xy)[2])
{
    if (!Allocate(n)) return;
    for (int i = 0; i < n; ++i) {
        m_pVertices[i][0] = xy[i][0];
        m_pVertices[i][1] = xy[i][1];
    }
}

bool CPolygon2D::SetReduced(int n, const double (*xy)[2])
{
    Clear();
    if (n < 1) return false;
    std::vector<double> pts(size_t(n) * 3);
    std::vector<int> order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        pts[size_t(i) * 3] = xy[i][0];
        pts[size_t(i) * 3 + 1] = xy[i][1];
    }
    int count = n;
    const auto* p3 = reinterpret_cast<const double(*)[3]>(pts.data());
    if (!GFunc::SearchPolyVertex(p3, n, order.data(), count, m_dTolerance * 0.01) || count < 1 || count > n)
        return false;
    m_pVertices = new (std::nothrow) double[count][2];
    if (!m_pVertices) return false;
    for (int i = 0; i < count; ++i) {
        const int k = order[size_t(i)];
        m_pVertices[i][0] = xy[k][0];
        m_pVertices[i][1] = xy[k][1];
    }
    m_nCount = count;
    return true;
}

bool CPolygon2D::IsPointInside(const double* p) const
{
    if (m_nCount < 3) return false;
    return GFunc::PointInRegion(p[0], p[1], m_nCount, m_pVertices, m_dTolerance, 1) != 0;
}
