#include "vek/model/axisgrid/AxisGrid.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "framework/String.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"

CAxisGridList theAxisGrids;
MLArray<GridNode> theGridNodes;
CGridNodeBox theGridNodeBox;

namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kRadianInDegrees = 57.29577951308232;
// Object flags of a new grid: live, shown, and bit 4.
constexpr uint32_t kNewGridFlags = (1u << 1) | (1u << 2) | (1u << 4);

CAxisGridItem& ItemAt(CAxisList& list, int i)
{
    return *list.GetAt(i);
}

}  // namespace

bool GridNode::operator==(const GridNode& o) const
{
    const double t = theProjectOptions.dHorzNodeSpacing;
    return o.x - x < t && x - o.x < t && o.y - y < t && y - o.y < t;
}

int AxisNumber(const CAxisList& list, int i)
{
    int n = 0;
    const_cast<CAxisList&>(list).GetAt(i)->GetLeft(n);
    return n;
}

double AxisPosition(const CAxisList& list, int i)
{
    double p = 0;
    const_cast<CAxisList&>(list).GetAt(i)->GetRight(p);
    return p;
}

// ---- the grid -----------------------------------------------------------------------------

CAxisGrid::CAxisGrid()
{
    m_nFlags = kNewGridFlags;
}

CAxisGrid::CAxisGrid(const CAxisGrid& o) : CObjectBase(o)
{
    *this = o;
}

CAxisGrid& CAxisGrid::operator=(const CAxisGrid& o)
{
    if (this == &o) return *this;
    m_kind = o.m_kind;
    std::memcpy(m_origin, o.m_origin, sizeof m_origin);
    std::memcpy(m_centres, o.m_centres, sizeof m_centres);
    m_angle = o.m_angle;
    m_name = o.m_name;
    m_first.Copy(o.m_first);
    m_second.Copy(o.m_second);
    m_visible = o.m_visible;
    return *this;
}

void CAxisGrid::SetName(const char* text)
{
    const int len = text ? static_cast<int>(std::strlen(text)) : 0;
    const int keep = len > kMaxNameBytes ? fw::FloorBoundary(text, len, kMaxNameBytes) : len;
    m_name.assign(text ? text : "", static_cast<size_t>(keep));
}

void CAxisGrid::SetOrigin(double x, double y, double angleDeg)
{
    m_origin[0] = x;
    m_origin[1] = y;
    m_angle = angleDeg * kDegree;
}

void CAxisGrid::GetOrigin(double& x, double& y, double& angleDeg) const
{
    x = m_origin[0];
    y = m_origin[1];
    angleDeg = m_angle * kRadianInDegrees;
}

void CAxisGrid::SetEccentricCentres(float rayX, float rayY, float centreX, float centreY, double angleDeg)
{
    m_centres[0] = rayX;
    m_centres[1] = centreX;
    m_centres[2] = rayY;
    m_centres[3] = centreY;
    m_angle = angleDeg * kDegree;
}

void CAxisGrid::GetEccentricCentres(float& rayX, float& rayY, float& centreX, float& centreY, double& angleDeg) const
{
    rayX = m_centres[0];
    centreX = m_centres[1];
    rayY = m_centres[2];
    centreY = m_centres[3];
    angleDeg = m_angle * kRadianInDegrees;
}

void CAxisGrid::LocalToGlobal(const double local[2], double out[2]) const
{
    const double c = std::cos(m_angle), s = std::sin(m_angle);
    const double x = local[0], y = local[1];
    out[0] = x * c - y * s + m_origin[0];
    out[1] = y * c + x * s + m_origin[1];
}

// ---- table form ---------------------------------------------------------------------------

namespace {

void ListToTable(const CAxisList& list, CAxisList& table)
{
    table.SetSize(0);
    double previous = 0;
    for (int i = 0; i < list.GetSize(); ++i) {
        const double p = AxisPosition(list, i);
        table.Add(CAxisGridItem(i + 1, p - previous));
        previous = p;
    }
}

// The lines a table makes; false when they would be more than `limit`.
bool TableToList(const CAxisList& table, CAxisList& list, int limit)
{
    list.SetSize(0);
    const int rows = table.GetSize();
    if (rows == 0) return true;
    double p = 0;
    int line = 1;
    auto add = [&](int upTo, double spacing) {
        for (; line <= upTo; ++line) {
            if (list.GetSize() >= limit) return false;
            p += spacing;
            list.Add(CAxisGridItem(line, p));
        }
        return true;
    };
    // Lines before the first row's number take its spacing.
    if (!add(AxisNumber(table, 0) - 1, AxisPosition(table, 0))) return false;
    for (int r = 0; r < rows; ++r) {
        const int number = AxisNumber(table, r);
        const int upTo = r + 1 < rows ? AxisNumber(table, r + 1) - 1 : number;
        // A row whose next number is not larger makes nothing; lines run on
        // from the last one made, so they are numbered 1..n.
        if (upTo < number) continue;
        if (!add(upTo, AxisPosition(table, r))) return false;
    }
    return true;
}

}  // namespace

void CAxisGrid::GetTables(CAxisList& first, CAxisList& second) const
{
    ListToTable(m_first, first);
    ListToTable(m_second, second);
}

int CAxisGrid::SetFromTables(const CAxisList& first, const CAxisList& second)
{
    CAxisList a, b;
    if (!TableToList(first, a, kMaxLines) || !TableToList(second, b, kMaxLines)) return 0;
    m_first.Copy(a);
    m_second.Copy(b);
    return 1;
}

// ---- grid nodes ---------------------------------------------------------------------------

void CAxisGrid::GenerateGridNodes(MLArray<GridNode>& nodes, MLArray<GridNode>* extent) const
{
    const int n1 = m_first.GetSize(), n2 = m_second.GetSize();
    if (n1 == 0 || n2 == 0) return;
    auto put = [&](double x, double y, bool bounds) {
        nodes.Add(GridNode{x, y});
        if (bounds && extent) extent->Add(GridNode{x, y});
    };
    for (int i = 0; i < n1; ++i) {
        const double u = AxisPosition(m_first, i);
        for (int j = 0; j < n2; ++j) {
            const double v = AxisPosition(m_second, j);
            double local[2], g[2];
            if (m_kind == kRectangular) {
                local[0] = u;
                local[1] = v;
            } else if (m_kind == kPolar) {
                local[0] = u * std::cos(v * kDegree);
                local[1] = u * std::sin(v * kDegree);
            } else {
                // The ray from P meets the circle of radius u about C.
                const double px = m_centres[0], py = m_centres[2];
                const double dx = px - m_centres[1], dy = py - m_centres[3];
                const double theta = v * kDegree + m_angle;
                const double cx = std::cos(theta), cy = std::sin(theta);
                const double b = dx * cx + dy * cy;
                const double q = b * b - (dx * dx + dy * dy) + u * u;
                if (q < -1e-10) continue;
                double t = std::sqrt(std::fabs(q));
                if (t < 1e-16) t = 0;
                const double t1 = -b - t, t2 = t - b;
                if (t1 >= 0) put(px + t1 * cx, py + t1 * cy, false);
                if (t2 >= 0 && t != 0) put(px + t2 * cx, py + t2 * cy, true);
                continue;
            }
            LocalToGlobal(local, g);
            put(g[0], g[1], true);
        }
    }
}

void CAxisGrid::ScaleLengths(double factor)
{
    if (m_kind == kEccentric) {
        for (float& c : m_centres) c = static_cast<float>(c * factor);
    } else {
        m_origin[0] *= factor;
        m_origin[1] *= factor;
    }
    for (int i = 0; i < m_first.GetSize(); ++i) ItemAt(m_first, i).SetRight(AxisPosition(m_first, i) * factor);
    if (m_kind == kRectangular)
        for (int i = 0; i < m_second.GetSize(); ++i) ItemAt(m_second, i).SetRight(AxisPosition(m_second, i) * factor);
}

// ---- the list of grids --------------------------------------------------------------------

int CAxisGridList::Add(CAxisGrid* grid)
{
    if (!grid) return 0;
    if (m_count >= kMaxGrids) {
        delete grid;
        return 0;
    }
    m_slots[m_count++] = grid;
    SyncCount();
    return 1;
}

void CAxisGridList::RemoveAll()
{
    for (int i = 0; i < m_count; ++i) {
        delete m_slots[i];
        m_slots[i] = nullptr;
    }
    m_count = 0;
    SyncCount();
}

int CAxisGridList::RemoveSelected()
{
    int kept = 0;
    for (int i = 0; i < m_count; ++i) {
        CAxisGrid* g = m_slots[i];
        m_slots[i] = nullptr;
        if (g->IsSelected())
            delete g;
        else
            m_slots[kept++] = g;
    }
    const int removed = m_count - kept;
    m_count = kept;
    SyncCount();
    return removed;
}

void CAxisGridList::Swap(CAxisGridList& other)
{
    std::swap(m_slots, other.m_slots);
    std::swap(m_count, other.m_count);
    SyncCount();
}

void CAxisGridList::SyncCount()
{
    if (this == &theAxisGrids) theProjectOptions.nAxisGridCount = m_count;
}

void RegenerateGridNodes()
{
    theGridNodes.SetSize(0);
    theGridNodeBox = CGridNodeBox();
    // The axis-grid display switch.
    if (!theDisplayOptions.Switch(3) || theAxisGrids.GetCount() == 0) return;
    MLArray<GridNode> extent;
    for (int i = 0; i < theAxisGrids.GetCount(); ++i) {
        const CAxisGrid* g = theAxisGrids.GetAt(i);
        if (g->IsVisible()) g->GenerateGridNodes(theGridNodes, &extent);
    }
    for (int i = 0; i < extent.GetSize(); ++i) {
        const GridNode& n = *extent.GetAt(i);
        CGridNodeBox& b = theGridNodeBox;
        if (!b.valid) {
            b.minX = b.maxX = n.x;
            b.minY = b.maxY = n.y;
            b.valid = true;
        }
        b.minX = std::fmin(b.minX, n.x);
        b.maxX = std::fmax(b.maxX, n.x);
        b.minY = std::fmin(b.minY, n.y);
        b.maxY = std::fmax(b.maxY, n.y);
    }
}

void ScaleAxisGrids(double factor)
{
    for (int i = 0; i < theAxisGrids.GetCount(); ++i) theAxisGrids.GetAt(i)->ScaleLengths(factor);
}

void ScaleGridNodes(double factor)
{
    for (int i = 0; i < theGridNodes.GetSize(); ++i) theGridNodes.GetAt(i)->Scale(factor);
    CGridNodeBox& b = theGridNodeBox;
    if (b.valid) {
        b.minX *= factor;
        b.maxX *= factor;
        b.minY *= factor;
        b.maxY *= factor;
        if (factor < 0) {
            std::swap(b.minX, b.maxX);
            std::swap(b.minY, b.maxY);
        }
    }
}
