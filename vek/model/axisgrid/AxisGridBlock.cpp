// The axis grids' block of the project file.
#include <cmath>
#include <vector>

#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/axisgrid/AxisGrid.h"

namespace {

bool Finite(double v)
{
    return std::isfinite(v);
}

int Damaged(bifstream& in)
{
    in.SetFailed();
    return 0;
}

void WriteList(bofstream& out, const CAxisList& list)
{
    for (int i = 0; i < list.GetSize(); ++i) const_cast<CAxisList&>(list).GetAt(i)->Serialize(out);
}

// Reads n items into a fresh list; positions must be finite.
bool ReadList(bifstream& in, int n, CAxisList& list)
{
    list.SetSize(0);
    for (int i = 0; i < n; ++i) {
        CAxisGridItem item;  // integer mode, active, unselected; its flag bytes are skipped
        item.Serialize(in);
        if (!in.IsGood()) return false;
        double p;
        item.GetRight(p);
        if (!Finite(p)) return false;
        if (!list.Add(item)) return false;
    }
    return true;
}

}  // namespace

int CAxisGrid::Write(bofstream& out) const
{
    const int32_t n = static_cast<int32_t>(m_name.size());
    out << n;
    out.Write(m_name.data(), n);
    out << m_kind;
    if (m_kind == kEccentric)
        out << m_centres[0] << m_centres[1] << m_centres[2] << m_centres[3];
    else
        out << m_origin[0] << m_origin[1];
    out << m_angle << static_cast<int32_t>(m_first.GetSize()) << static_cast<int32_t>(m_second.GetSize());
    WriteList(out, m_first);
    WriteList(out, m_second);
    out << m_visible;
    return out.IsGood();
}

int CAxisGrid::Read(bifstream& in)
{
    const int v = nPrjVersion;
    int32_t n = -1;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n < 0 || n > kMaxNameBytes) return Damaged(in);
    char name[kMaxNameBytes + 1] = {};
    in.Read(name, n);
    int32_t kind = -1;
    in >> kind;
    if (!in.IsGood()) return 0;
    if (kind < kRectangular || kind > kEccentric) return Damaged(in);

    CAxisGrid g;
    g.m_kind = kind;
    g.m_name.assign(name, static_cast<size_t>(n));
    if (kind == kEccentric) {
        for (float& c : g.m_centres) in >> c;
    } else {
        in >> g.m_origin[0] >> g.m_origin[1];
    }
    in >> g.m_angle;
    if (v < 690) {
        char skipped[3];
        in.Read(skipped, v >= 371 && v <= 599 ? 3 : 2);
    }
    int32_t n1 = -1, n2 = -1;
    in >> n1 >> n2;
    if (!in.IsGood()) return 0;
    bool sound = Finite(g.m_origin[0]) && Finite(g.m_origin[1]) && Finite(g.m_angle);
    for (float c : g.m_centres) sound = sound && Finite(c);
    if (!sound || n1 < 0 || n2 < 0 || n1 > kMaxLines || n2 > kMaxLines) return Damaged(in);
    if (!in.CheckAvailable(int64_t(n1 + n2) * CAxisGridItem::kRecordSize)) return 0;
    if (!ReadList(in, n1, g.m_first) || !ReadList(in, n2, g.m_second)) return in.IsGood() ? Damaged(in) : 0;
    g.m_visible = 1;
    if (v >= 600) in >> g.m_visible;
    if (!in.IsGood()) return 0;
    g.m_nFlags = m_nFlags;
    *this = g;
    return 1;
}

int WriteAxisGrids(bofstream& out)
{
    for (int i = 0; i < theAxisGrids.GetCount(); ++i)
        if (!theAxisGrids.GetAt(i)->Write(out)) return 0;
    return out.IsGood();
}

int ReadAxisGrids(bifstream& in)
{
    const int count = theProjectOptions.nAxisGridCount;
    if (count < 0 || count > CAxisGridList::kMaxGrids) return Damaged(in);
    CAxisGridList grids;
    for (int i = 0; i < count; ++i) {
        CAxisGrid* g = new CAxisGrid;
        if (!g->Read(in)) {
            delete g;
            return 0;
        }
        grids.Add(g);
    }
    if (nPrjVersion < 600) {
        // An old list of grid nodes follows: 16 bytes each, skipped.
        int32_t m = -1;
        in >> m;
        if (!in.IsGood()) return 0;
        if (m < 0 || !in.CheckAvailable(int64_t(m) * 16)) return Damaged(in);
        std::vector<char> skipped(4096);
        for (int64_t left = int64_t(m) * 16; left > 0;) {
            const int step = left > 4096 ? 4096 : static_cast<int>(left);
            if (!in.Read(skipped.data(), step)) return 0;
            left -= step;
        }
    }
    theAxisGrids.Swap(grids);
    RegenerateGridNodes();
    return 1;
}
