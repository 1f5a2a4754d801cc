#include "vek/model/display/DisplayOptions.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "korvalib/base/biostream.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ProjectGlobals.h"

CDisplayRange theDisplayRange;
CDisplayOptions theDisplayOptions;

void CDisplayRange::Reset()
{
    for (Range& r : ranges) r = {1, 0, 1};
}

void CDisplayRange::Validate()
{
    for (int k = 0; k < kKinds; ++k) {
        Range& r = ranges[k];
        const int m = ModelFamily(static_cast<EFamily>(k)).GetLastID();
        if (r.from < 1 || r.from > m) r.from = 1;
        if (r.to < 0 || r.to > m) r.to = m;
        if (r.step < 1) r.step = 1;
    }
}

void CDisplayRange::ShowAll()
{
    for (int k = 0; k < kKinds; ++k) ranges[k] = {1, ModelFamily(static_cast<EFamily>(k)).GetLastID(), 1};
}

bool CDisplayRange::Write(bofstream& out) const
{
    for (const Range& r : ranges) out << r.from << r.to << r.step;
    return out.IsGood() != 0;
}

bool CDisplayRange::Read(bifstream& in)
{
    Range read[kKinds];
    std::copy(std::begin(ranges), std::end(ranges), read);
    auto take = [&](int from, int to) {
        for (int k = from; k < to; ++k) in >> read[k].from >> read[k].to >> read[k].step;
    };
    take(0, 5);
    if (nPrjVersion >= 400 && nPrjVersion < 600) in.Seek(12, 1);
    if (nPrjVersion >= 700) take(5, kKinds);
    if (!in.IsGood()) return false;
    for (Range& r : read) r.step = std::max(r.step, 1);
    std::copy(std::begin(read), std::end(read), ranges);
    return true;
}

void CDisplayOptions::Reset()
{
    std::memset(m_switch, 1, sizeof m_switch);
    std::memset(m_more, 1, sizeof m_more);
    for (int i : {0, 1, 5, 6, 7, 10, 11, 26, 38, 39}) Switch(i) = 0;
    for (int i = 29; i < 32; ++i) m_switch[i] = 0;
    m_word = 17;
}

namespace {

// The bytes of the block, in their order, before the switch word.
constexpr int kWriteOrder[] = {0,  1,  4,  11, 8,  17, 18, 19, 20, 10, 36, 5,  6, 7,  9,
                               12, 13, 14, 21, 15, 16, 22, 25, 28, 3,  26, 27, 2, 24, 23};

uint8_t LowByteOf(bifstream& in)
{
    int32_t v = 0;
    in >> v;
    return uint8_t(v & 0xFF);
}

}  // namespace

bool CDisplayOptions::Write(bofstream& out) const
{
    for (int i : kWriteOrder) out << Switch(i);
    out << m_word << Switch(37) << Switch(38) << Switch(39);
    return out.IsGood() != 0;
}

bool CDisplayOptions::Read(bifstream& in)
{
    const int v = nPrjVersion;
    CDisplayOptions t = *this;
    auto bytes = [&](std::initializer_list<int> which) {
        for (int i : which) in >> t.Switch(i);
    };
    if (v >= 700) {
        bytes({0, 1, 4, 11, 8, 17, 18, 19, 20, 10});
    } else {
        for (int i : {0, 1, 4}) t.Switch(i) = LowByteOf(in);
        t.Switch(8) = 1;
    }
    if (v < 480) in.Seek(12, 1);
    bytes({36, 5, 6, 7, 9, 12, 13, 14});
    if (v < 601) t.Switch(5) = 0;
    if (v >= 700) {
        bytes({21, 15, 16, 22, 25, 28, 3, 26, 27, 2, 24});
    } else {
        t.Switch(21) = LowByteOf(in);
        uint8_t two[4] = {};
        in.Read(two, 4);
        t.Switch(15) = two[0];
        t.Switch(16) = two[1] ? 1 : 0;
        for (int i : {22, 25, 3, 26, 27}) t.Switch(i) = LowByteOf(in);
        int16_t a = 0, b = 0;
        in >> a >> b;
        t.Switch(2) = a ? 1 : 0;
        t.Switch(24) = b ? 1 : 0;
        if (v < 520) t.Switch(16) = t.Switch(15);
    }
    bytes({23});
    if (v >= 700) {
        in >> t.m_word;
    } else {
        uint8_t first = 0;
        in >> first;
        in.Seek(2, 1);
        t.SetWordBit(0, (first & 1) != 0);
        t.SetWordBit(0, true);
        for (int bit = 1; bit <= 3; ++bit) t.SetWordBit(bit, (LowByteOf(in) & 1) != 0);
        t.SetWordBit(4, true);
    }
    bytes({37});
    double hSpacing = 0;
    float vSpacing = 0;
    if (v < 700) {
        in.Seek(3, 1);
        in >> hSpacing >> vSpacing;
        if (v < 500 || (v == 500 && vSpacing < 1e-5f)) vSpacing = 0.002f;
    }
    if (v >= 520) bytes({38, 39});
    if (!in.IsGood()) return false;
    *this = t;
    if (v < 700) {
        theProjectOptions.dHorzNodeSpacing = hSpacing;
        theProjectOptions.fVertNodeSpacing = float(vSpacing);
    }
    return true;
}

namespace {

// Marks the nodes of a shown element when only the nodes of shown elements
// are to be shown.
void MarkNodesOf(CModelFamily& fam, int pos, int maxNodes)
{
    int nodes[20];
    const int n = std::min(fam.GetNodes(pos, nodes, maxNodes), maxNodes);
    CModelFamily& nodeFamily = ModelFamily(EFamily::Nodes);
    for (int k = 0; k < n; ++k) {
        if (nodes[k] <= 0) continue;
        CObjectBase* node = nodeFamily.GetAt(nodeFamily.IndexOfID(nodes[k]));
        if (node) node->m_nFlags = (node->m_nFlags & ~kObjStateMask) | kObjStateShown;
    }
}

void UpdateAll(EFamily f)
{
    CModelFamily& fam = ModelFamily(f);
    for (int pos : Positions(fam)) {
        if (CObjectBase* o = fam.GetAt(pos)) o->UpdateRangeFlags();
        for (int k = 0; k < fam.GetInnerCount(pos); ++k)
            if (CObjectBase* inner = fam.GetInnerAt(pos, k)) inner->UpdateRangeFlags();
    }
}

}  // namespace

void CDisplayOptions::UpdateVisibleObjects()
{
    const bool nodesOfShown = theDisplayOptions.WordBit(10);
    if (nodesOfShown) {
        CModelFamily& nodes = ModelFamily(EFamily::Nodes);
        for (int pos : Positions(nodes))
            if (CObjectBase* o = nodes.GetAt(pos)) o->m_nFlags &= ~kObjStateMask;
    }
    struct Kind {
        EFamily f;
        int nodes;
    };
    const Kind elements[] = {{EFamily::Frames, 2}, {EFamily::Shells, 4},  {EFamily::Walls, 4},   {EFamily::Solids, 20},
                             {EFamily::Planes, 9}, {EFamily::Trusses, 2}, {EFamily::Cframes, 2}, {EFamily::Pipes, 2}};
    for (const Kind& k : elements) {
        CModelFamily& fam = ModelFamily(k.f);
        for (int pos : Positions(fam)) {
            CObjectBase* o = fam.GetAt(pos);
            if (!o) continue;
            o->UpdateRangeFlags();
            if (nodesOfShown && (o->m_nFlags & kObjStateMask)) MarkNodesOf(fam, pos, k.nodes);
        }
    }
    for (EFamily f : {EFamily::Nodes, EFamily::Springs, EFamily::Integrals, EFamily::StiffRegions, EFamily::BoundLines,
                      EFamily::BoundRects, EFamily::BoundArcs, EFamily::BoundCircles, EFamily::BoundEllipses,
                      EFamily::BoundSplines})
        UpdateAll(f);
    if (theProjectOptions.HasOption(CProjectOptions::kMaxOverShownOnly)) ModelHooks().RecomputeResultMaxima();
}

void ReserveModelCapacity(int n, int f, int w, int s, int so, int p)
{
    const int N = n + 2 * f + 4 * s + 4 * w + 20 * so + 8 * p;
    auto count = [](EFamily k) { return double(ModelFamily(k).GetCount()); };
    auto work = [](double add, double have) { return add * (add / 2 + have); };
    const double E = work(N, count(EFamily::Nodes)) + work(f, count(EFamily::Frames)) +
                     work(s, count(EFamily::Shells)) + work(w, count(EFamily::Walls)) +
                     work(so, count(EFamily::Solids)) + work(p, count(EFamily::Planes));
    theProjectOptions.bStoreyLookup = uint8_t(E < 10000000.0);
    if (E < 10000000.0) return;
    ModelFamily(EFamily::Nodes).Reserve(ModelFamily(EFamily::Nodes).GetCount() + N);
    const std::pair<EFamily, int> more[] = {
        {EFamily::Frames, f}, {EFamily::Shells, s}, {EFamily::Walls, w}, {EFamily::Solids, so}, {EFamily::Planes, p}};
    for (const auto& [k, add] : more)
        if (add > 0) ModelFamily(k).Reserve(ModelFamily(k).GetCount() + add);
}

void CountSelectedAndReserve(int copies, const int switches[6])
{
    const EFamily kinds[6] = {EFamily::Nodes,  EFamily::Frames, EFamily::Walls,
                              EFamily::Shells, EFamily::Solids, EFamily::Planes};
    int counts[6] = {};
    for (int k = 0; k < 6; ++k) {
        if (!switches[k]) continue;
        CModelFamily& fam = ModelFamily(kinds[k]);
        for (int pos : Positions(fam))
            if (const CObjectBase* o = fam.GetAt(pos); o && o->IsSelected()) ++counts[k];
        counts[k] *= copies;
    }
    ReserveModelCapacity(counts[0], counts[1], counts[2], counts[3], counts[4], counts[5]);
}
