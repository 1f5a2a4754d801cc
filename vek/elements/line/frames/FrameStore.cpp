#include "vek/elements/line/frames/FrameStore.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameEndIndex.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/LayerList.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"
#include "vek/view/draw/DrawLayer.h"

CFrameReferenceHooks theFrameReferenceHooks;

namespace {
const char* const kTooMany = "梁柱单元太多!";

bool Point(int node, double out[3])
{
    const CNode* n = FindNode(node);
    if (!n) return false;
    std::copy(n->m_dCoord, n->m_dCoord + 3, out);
    return true;
}
}  // namespace

void AttachFrame(CFrame& f)
{
    AttachFrameNodes(f, +1);
    if (theLevels.count > 0) AddFrameToLevel(f.m_nID, f.m_nStorey);
    CDisplayRange::Range& r = theDisplayRange.ranges[1];
    if (f.m_nID > r.to) r.to = f.m_nID;
}

void DetachFrame(const CFrame& f)
{
    AttachFrameNodes(f, -1);
    if (theLevels.count > 0) RemoveFrameFromLevel(f.m_nID, f.m_nStorey);
}

bool HasSameEnds(const CFrame& a, const CFrame& b)
{
    return (a.m_nNodeI == b.m_nNodeI && a.m_nNodeJ == b.m_nNodeJ) ||
           (a.m_nNodeI == b.m_nNodeJ && a.m_nNodeJ == b.m_nNodeI);
}

bool IsFrameLongEnough(const CFrame& f)
{
    return f.GetLength() > theProjectOptions.dHorzNodeSpacing;
}

int FindFrameWithSameEnds(const CFrame& f, int& freeID)
{
    freeID = theFrames.GetFreeID();
    return FindIndexedFrame(f.m_nNodeI, f.m_nNodeJ);
}

int AddOneFrame(int nodeA, int nodeB, int quiet)
{
    if (nodeA == nodeB) return 0;
    double a[3], b[3];
    if (!Point(nodeA, a) || !Point(nodeB, b)) return 0;
    // Node I is the higher node, else the one of smaller x, else of smaller y.
    constexpr double t = 1e-5;
    bool aFirst;
    if (std::fabs(a[2] - b[2]) >= t)
        aFirst = a[2] > b[2];
    else if (std::fabs(a[0] - b[0]) >= t)
        aFirst = a[0] < b[0];
    else
        aFirst = a[1] < b[1];
    CFrame f(aFirst ? nodeA : nodeB, aFirst ? nodeB : nodeA);
    if (!IsFrameLongEnough(f)) return 0;
    // While the model is merged a frame between the same nodes is the one.
    if (theProjectOptions.bStoreyLookup)
        if (const int same = FindIndexedFrame(f.m_nNodeI, f.m_nNodeJ)) return same;
    f.m_nID = 0;
    f.m_nLayer = uint16_t(std::max(0, theLayers.GetCurrent()));
    f.m_nMaterial = uint16_t(std::max<int>(0, theCurrentProps.material));
    f.SetSectionFromCurrent();
    if (f.m_nID > CFrameStore::kMaxID || !theFrames.Add(f)) {
        AppMessageBox(kTooMany);
        return 0;
    }
    CFrame* stored = theFrames.GetByID(f.m_nID);
    IndexFrameEnds(*stored);
    AttachFrame(*stored);
    if (!quiet && theFrameReferenceHooks.offerFrame) theFrameReferenceHooks.offerFrame(stored->m_nID);
    if (theUndo.IsRecording()) theUndo.AddRecord(new CUndoAddFrame(*stored, false, quiet != 0));
    stored->UpdateRangeFlags();
    if (stored->GetDisplayBits()) stored->Draw();
    return stored->m_nID;
}

void MarkSelectedFramesDeleted()
{
    CDrawSession session;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (!f->IsSelected()) continue;
        f->m_nFlags &= ~(kObjSelected | kObjLive);
        f->Draw();
    }
}

int DeleteMarkedFrames(int combination)
{
    const int last = theFrames.GetLastID();
    std::vector<uint8_t> flags(size_t(std::max(last, 1)), 0);
    int removed = 0;
    for (int pos = theFrames.GetSize() - 1; pos >= 0; --pos) {
        CFrame* f = theFrames.GetAt(pos);
        if (f->m_nFlags & kObjLive) continue;
        f->m_nFlags = (f->m_nFlags | kObjLive) & ~kObjSelected;
        auto* record = new CUndoAddFrame(*f, true, combination != 0);
        flags[size_t(f->m_nID - 1)] = 1;
        for (int node : {f->m_nNodeI, f->m_nNodeJ}) {
            ChangeNodeUse(node, -1);
            CNode* n = FindNode(node);
            if (n && n->m_nElements == 0) n->m_nFlags |= kObjSelected;
        }
        if (theLevels.count > 0) RemoveFrameFromLevel(f->m_nID, f->m_nStorey);
        if (!combination && theFrameReferenceHooks.removeFrame) theFrameReferenceHooks.removeFrame(f->m_nID);
        theFrames.RemoveByID(f->m_nID);
        theUndo.AddRecord(record);
        ++removed;
    }
    if (!removed) return 0;
    RemoveDeletedFrameReferences(flags.data(), last);
    CDisplayRange::Range& r = theDisplayRange.ranges[1];
    if (r.to > theFrames.GetLastID()) r.to = theFrames.GetLastID();
    ModelHooks().InvalidateModel();
    return removed;
}

namespace {

// References of the design block in use by the two end codes.
int EndReferenceIndex(int k)
{
    return k < 5 ? 0 : 1;
}

}  // namespace

void RemoveDeletedFrameReferences(const uint8_t* flags, int maxID)
{
    auto gone = [&](int id) { return id > maxID || (id >= 1 && flags[id - 1]); };
    for (int s = 0; s < theStoreyLists.GetSize(); ++s) {
        MLArray<int>& list = theStoreyLists.Get(s)->frames;
        for (int k = list.GetSize() - 1; k >= 0; --k)
            if (gone(*list.GetAt(k))) list.RemoveAtIndex(k);
    }
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        for (int k = 0; k < 10; ++k) {
            int32_t& ref = f->m_Steel.refs[k];
            if (ref > 0 && gone(ref)) {
                ref = 0;
                const int shift = EndReferenceIndex(k) == 0 ? kFrameEnd1Shift : kFrameEnd2Shift;
                f->m_nAttr &= ~(15u << shift);
            }
        }
    }
    if (theFrameReferenceHooks.removeFrames) theFrameReferenceHooks.removeFrames(flags, maxID);
}

void RemapFrameReferences(const int* map, int n)
{
    auto remap = [&](int id) { return id >= 1 && id <= n ? map[id - 1] : id; };
    for (int s = 0; s < theStoreyLists.GetSize(); ++s) {
        MLArray<int>& list = theStoreyLists.Get(s)->frames;
        for (int k = 0; k < list.GetSize(); ++k) *list.GetAt(k) = remap(*list.GetAt(k));
    }
    // Every end-connection reference in use follows its frame, whatever the
    // end codes say: none is cleared.
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        for (int32_t& ref : f->m_Steel.refs)
            if (ref > 0) ref = remap(ref);
    }
    if (theFrameReferenceHooks.remapFrames) theFrameReferenceHooks.remapFrames(map, n);
}

int BreakFrameAtNode(int frameID, int node)
{
    CFrame* f = FindFrame(frameID);
    double p[3], a[3], b[3];
    if (!f || node == f->m_nNodeI || node == f->m_nNodeJ || !Point(node, p) || !Point(f->m_nNodeI, a) ||
        !Point(f->m_nNodeJ, b))
        return 0;
    if (!PointToLineDistance(p, a, b, 0)) return 0;
    ErasePicture(*f, [](CFrame& x) { x.Draw(); });
    const int oldJ = f->m_nNodeJ;
    const int id = AddOneFrame(node, oldJ, 1);
    f = FindFrame(frameID);
    CFrame* n = FindFrame(id);
    if (!id || !n || n == f) {
        f->Draw();
        return 0;
    }
    const double l0 = f->GetLength();
    const DElementLoad loadsBefore = f->m_Loads;
    const uint16_t sectionBefore = f->m_nSection;
    ChangeNodeUse(oldJ, -1);
    f->m_nNodeJ = node;
    ChangeNodeUse(node, +1);
    ReindexFrameEnds(*f, f->m_nNodeI, oldJ);
    // The new part takes everything of the old frame, orientation kept.
    const int ni = n->m_nNodeI, nj = n->m_nNodeJ;
    const int32_t nid = n->m_nID;
    const uint32_t flags = n->m_nFlags;
    const int16_t storey = n->m_nStorey;
    *n = *f;
    n->m_nID = nid;
    n->m_nNodeI = ni;
    n->m_nNodeJ = nj;
    n->m_nFlags = flags;
    n->m_nStorey = storey;
    f->m_cRelease[1] = f->m_cRelease[4] = 0;
    n->m_cRelease[0] = n->m_cRelease[3] = 0;
    f->m_fRigid[1] = 0;
    n->m_fRigid[0] = 0;
    const double l1 = f->GetLength();
    DTightWireIndex fw, nw;
    for (int k = 0; k < f->m_Wires.Entries(); ++k) {
        const DTightWireItem& w = f->m_Wires[k];
        const double dj = w.fValue2 > w.fValue1 ? w.fValue1 + l1 : w.fValue1 - l1;
        fw.Add(w.nElement, w.fValue1, float(dj));
        nw.Add(w.nElement, float(dj), w.fValue2);
    }
    f->m_Wires = fw;
    n->m_Wires = nw;
    theUndo.AddRecord(new CUndoFrameBreakComb(0, frameID, id, node, loadsBefore, sectionBefore));
    DElementLoad nl;
    for (int k = 0; k < f->m_Loads.Entries(); ++k) {
        const DElementLoadItem e = f->m_Loads[k];
        if (e.nKey < 1 || e.nValue < 1 || e.nValue > theFrameLoads.GetSize()) continue;
        CFrameLoad first, second;
        theFrameLoads.GetAt(e.nValue - 1)->Split(l0, l1, first, second);
        f->m_Loads[k].nValue = FindOrAddFrameLoad(first);
        nl.Insert(e.nKey, FindOrAddFrameLoad(second));
    }
    for (int k = f->m_Loads.Entries() - 1; k >= 0; --k)
        if (f->m_Loads[k].nValue < 1) f->m_Loads.RemoveAt(k);
    n->m_Loads = nl;
    if (theFrameReferenceHooks.frameBroken) theFrameReferenceHooks.frameBroken(frameID, id);
    f->Draw();
    n->Draw();
    return id;
}

void BreakFramesAtNode(int node)
{
    for (int i = 0; i < theFrames.GetSize(); ++i) BreakFrameAtNode(theFrames.GetIDAt(i), node);
}

namespace {

// The node at a crossing. Without the coincidence check a batch makes a new
// node there, merged afterwards with those it coincides with; at the very
// position of an end of the crossed frame that end serves, as the merge
// would make it.
int NodeAtCrossing(const double at[3], int fi, const double p[3], int fj, const double q[3])
{
    if (!theProjectOptions.bStoreyLookup) {
        if (std::equal(at, at + 3, p)) return fi;
        if (std::equal(at, at + 3, q)) return fj;
    }
    return FindOrAddNode(at);
}

}  // namespace

int AddFramesBetweenNodes(int nodeA, int nodeB)
{
    double a[3], b[3];
    if (!Point(nodeA, a) || !Point(nodeB, b) || nodeA == nodeB) return 0;
    if (theFrameGeneration.noSplitting) return AddOneFrame(nodeA, nodeB) ? 1 : 0;
    struct Entry {
        int node;
        double d;
    };
    std::vector<Entry> list{{nodeA, 0.0}};
    auto distance = [&a](const double* p) {
        return std::sqrt((p[0] - a[0]) * (p[0] - a[0]) + (p[1] - a[1]) * (p[1] - a[1]) + (p[2] - a[2]) * (p[2] - a[2]));
    };
    // The nodes on the line: those of the cells along it, or all of them.
    std::vector<int> candidates;
    if (!theNodeIndex.ForEachNearSegment(a, b, double(theNodes.GetSize()), [&](int id) { candidates.push_back(id); })) {
        candidates.clear();
        for (int i = 0; i < theNodes.GetSize(); ++i) candidates.push_back(theNodes.GetIDAt(i));
    }
    std::sort(candidates.begin(), candidates.end());
    for (int id : candidates) {
        const CNode* n = FindNode(id);
        if (!n || id == nodeA || id == nodeB) continue;
        if (PointToLineDistance(n->m_dCoord, a, b, 0)) list.push_back({id, distance(n->m_dCoord)});
    }
    // The frames it crosses, in number order; those split on the way are
    // not offered again.
    const double tol = theProjectOptions.dHorzNodeSpacing;
    if (!FindFramesNearSegment(a, b, candidates)) {
        candidates.clear();
        for (int i = 0; i < theFrames.GetSize(); ++i) candidates.push_back(theFrames.GetIDAt(i));
        std::sort(candidates.begin(), candidates.end());
    }
    for (int id : candidates) {
        const CFrame* f = FindFrame(id);
        double p[3], q[3], at[3];
        if (!f || !Point(f->m_nNodeI, p) || !Point(f->m_nNodeJ, q)) continue;
        if (!GFunc::LineIntersect(a, b, p, q, at, tol, 0, 1)) continue;
        const int fi = f->m_nNodeI, fj = f->m_nNodeJ;
        const int node = NodeAtCrossing(at, fi, p, fj, q);
        if (!node) continue;
        if (node != fi && node != fj) BreakFrameAtNode(id, node);
        if (node != nodeA && node != nodeB) list.push_back({node, distance(at)});
    }
    list.push_back({nodeB, distance(b)});
    std::stable_sort(list.begin(), list.end(), [tol](const Entry& x, const Entry& y) { return x.d < y.d - tol; });
    int made = 0;
    for (size_t k = 1; k < list.size(); ++k)
        if (list[k].node != list[k - 1].node && AddOneFrame(list[k - 1].node, list[k].node)) ++made;
    return made;
}

void ClearFrameFamily()
{
    theFrames.RemoveAll();
    InvalidateFrameEndIndex();
    theFrameLoads.SetSize(0);
    theFrameDefaults = CFrameDefaults();
}
