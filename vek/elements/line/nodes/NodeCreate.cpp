#include "vek/elements/line/nodes/NodeCreate.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/elements/line/nodes/NodeUndo.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/geometry/Arcs.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"
#include "vek/view/draw/DrawLayer.h"

int nRowNodeCount = 2;
int nGridNodeCount12 = 2;
int nGridNodeCount23 = 2;
CNodeCommandHooks theNodeCommandHooks;

namespace {

const char* const kTooMany = "节点数量过多!";

// Room for n more nodes in the store's number range.
bool HasRoomFor(long long n)
{
    return n >= 0 && theNodes.GetSize() + n <= CNodeStore::kMaxID;
}

const bool arcHookBound = [] {
    theArcDivisionHooks.findOrAddNode = FindOrAddNode;
    theArcDivisionHooks.reserveCapacity = [](int command, int count) {
        if (command == 40) ReserveModelCapacity(count + 1, 0, 0, 0, 0, 0);
    };
    return true;
}();

}  // namespace

int FindNodeAt(const double point[3])
{
    return theNodeIndex.FindLowest(point);
}

int FindOrAddNode(const double point[3])
{
    CNode node(point);
    if (theProjectOptions.bStoreyLookup) {
        if (const int hit = theNodeIndex.FindLowest(point)) return hit;
    }
    const int id = theNodes.GetFreeID();
    node.m_nID = id;
    CNode* stored = id <= CNodeStore::kMaxID ? StoreNode(node) : nullptr;
    if (!stored) {
        AppMessageBox(kTooMany);
        return 0;
    }
    if (theLevels.count > 0) AddNodeToLevel(id);
    CDisplayRange::Range& range = theDisplayRange.ranges[0];
    if (id > range.to) range.to = id;
    stored->UpdateRangeFlags();
    if (stored->GetDisplayBits()) stored->Draw();
    if (theUndo.IsRecording()) theUndo.AddRecord(new CUndoAddNode(*stored, false));
    return id;
}

namespace {

void Lerp(const double* a, const double* b, double t, double out[3])
{
    for (int i = 0; i < 3; ++i) out[i] = a[i] + t * (b[i] - a[i]);
}

int NodeAtCrossing(const CPickedPoints& picks)
{
    if (picks.count < 4) return 0;
    const double(*p)[3] = picks.points;
    double at[3];
    if (!GFunc::LineIntersect(p[0], p[1], p[2], p[3], at, theProjectOptions.dHorzNodeSpacing, 1, 1)) return 0;
    return FindOrAddNode(at) ? 1 : 0;
}

int NodeRow(const CPickedPoints& picks)
{
    if (picks.count < 2) return 0;
    CString value;
    value.Format("%d", nRowNodeCount);
    if (AppPromptValue("请输入沿线段生成的节点数（含两端点）:", value) != 1) return 0;
    const long long n = std::atoll(value);
    if (n < 2) {
        AppMessageBox("输入的数字错误：小于2");
        return 0;
    }
    if (!HasRoomFor(n)) {
        AppMessageBox(kTooMany);
        return 0;
    }
    nRowNodeCount = int(n);
    ReserveModelCapacity(int(n), 0, 0, 0, 0, 0);
    int made = 0;
    for (int k = 0; k < n; ++k) {
        double p[3];
        Lerp(picks.points[0], picks.points[1], double(k) / double(n - 1), p);
        if (!FindOrAddNode(p)) break;
        ++made;
    }
    return made;
}

// Asks for the two grid counts until both are at least 2; false on cancel.
bool AskGridCounts(long long& m, long long& n)
{
    for (;;) {
        CString value;
        value.Format("%d %d", nGridNodeCount12, nGridNodeCount23);
        if (AppPromptValue("输入沿边1-2和2-3生成的节点数（含两端点，数字表示捕捉时第几个点）:", value) != 1)
            return false;
        m = n = 0;
        if (std::sscanf(value, "%lld%*[ ,]%lld", &m, &n) < 2) m = n = 0;
        if (m >= 2 && n >= 2) return true;
        AppMessageBox("两边生成的节点数必须同时大于2");
    }
}

int NodeGrid(const CPickedPoints& picks)
{
    if (picks.count < 4) return 0;
    const double(*p)[3] = picks.points;
    double at[3];
    const double tol = theProjectOptions.dHorzNodeSpacing;
    if (GFunc::LineIntersect(p[0], p[1], p[2], p[3], at, tol, 0, 1) ||
        GFunc::LineIntersect(p[0], p[3], p[1], p[2], at, tol, 0, 1)) {
        AppMessageBox("四边形的两条边相交,节点生成失败!");
        return 0;
    }
    long long m = 0, n = 0;
    if (!AskGridCounts(m, n)) return 0;
    if (m > CNodeStore::kMaxID || n > CNodeStore::kMaxID || !HasRoomFor(m * n)) {
        AppMessageBox(kTooMany);
        return 0;
    }
    nGridNodeCount12 = int(m);
    nGridNodeCount23 = int(n);
    ReserveModelCapacity(int(m * n), 0, 0, 0, 0, 0);
    std::vector<int> a(static_cast<size_t>(n)), b(static_cast<size_t>(n));
    int made = 0;
    for (long long j = 0; j < n; ++j) {
        double pa[3], pb[3];
        Lerp(p[0], p[3], double(j) / double(n - 1), pa);
        Lerp(p[1], p[2], double(j) / double(n - 1), pb);
        a[size_t(j)] = FindOrAddNode(pa);
        b[size_t(j)] = FindOrAddNode(pb);
        if (!a[size_t(j)] || !b[size_t(j)]) return made;
        made += 2;
    }
    for (long long j = 0; j < n; ++j) {
        double pa[3], pb[3];
        NodeCoordinates(a[size_t(j)], pa);
        NodeCoordinates(b[size_t(j)], pb);
        for (long long k = 1; k <= m - 2; ++k) {
            double q[3];
            Lerp(pa, pb, double(k) / double(m - 1), q);
            if (!FindOrAddNode(q)) return made;
            ++made;
        }
    }
    return made;
}

// The end of every node command: the group closed, the document modified,
// and nodes made without the coincidence check merged.
void FinishNodeCommand()
{
    theUndo.EndRecord();
    SetDocumentModified(1);
    if (!theProjectOptions.bStoreyLookup) {
        MergeCoincidentNodes(nullptr, 0, 0);
        theProjectOptions.bStoreyLookup = 1;
    }
}

}  // namespace

int AddNodeAtFirstPoint(const CPickedPoints& picks, int command)
{
    const int which = command == 42 ? 1 : 0;
    if (picks.count <= which) return 0;
    CDrawSession session;
    theUndo.BeginRecord();
    const int made = FindOrAddNode(picks.points[which]) ? 1 : 0;
    FinishNodeCommand();
    if (command == 41 && theNodeCommandHooks.postTypedInput) theNodeCommandHooks.postTypedInput();
    return made;
}

int GenerateNodesBy(int method, const CPickedPoints& picks)
{
    CDrawSession session;
    theUndo.BeginRecord();
    int made = 0;
    switch (method) {
        case 1: made = picks.count >= 1 && FindOrAddNode(picks.points[0]) ? 1 : 0; break;
        case 4: made = NodeRow(picks); break;
        case 5: made = NodeGrid(picks); break;
        case 6: made = DivideArcFromPicks(picks); break;
        case 7: made = NodeAtCrossing(picks); break;
        default: break;
    }
    FinishNodeCommand();
    return made;
}

int GenerateNodes(const CPickedPoints& picks)
{
    return GenerateNodesBy(theProjectOptions.nGenerateMethod, picks);
}

int DivideArcFromPicks(const CPickedPoints& picks)
{
    CArcPicks arc;
    arc.count = picks.count < 3 ? picks.count : 3;
    for (int i = 0; i < arc.count; ++i)
        for (int k = 0; k < 3; ++k) arc.points[i][k] = picks.points[i][k];
    double centre[3], start = 0, end = 0, radius = 0;
    if (!ComputeArcFromPicks(arc, centre, start, end, radius, 0, 1)) return 0;
    return InputArcDivision(centre, start, end, radius);
}
