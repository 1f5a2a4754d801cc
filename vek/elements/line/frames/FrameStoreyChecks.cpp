#include "vek/elements/line/frames/FrameStoreyChecks.h"

#include <cstdio>
#include <vector>

#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/WindElementPar.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/materials/Sections.h"

std::function<void(const WindwardWallVisit&)> theWindwardWalls;

namespace {

bool OnStoreyFloor(int node)
{
    const CNode* n = FindNode(node);
    return n && n->m_bOnStorey;
}

// A node of a storey above the ground, on that storey's floor.
bool OnUpperFloor(int node)
{
    const CNode* n = FindNode(node);
    return n && n->m_nStorey > 0 && n->m_bOnStorey;
}

}  // namespace

int SetBeamTopEccentricity(int onlyShown)
{
    theUndo.BeginRecord();
    int changed = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        const CFrameSect* s = f->GetSectionKind() == kOrdinarySect ? FindFrameSect(f->m_nSection) : nullptr;
        if (!s || (onlyShown && f->GetDisplayBits() == 0)) continue;
        if (!f->IsHorizontal() || !OnStoreyFloor(f->m_nNodeI) || !OnStoreyFloor(f->m_nNodeJ)) continue;
        double axis2[3] = {0, 0, 1};
        f->GetLocalAxis(2, axis2);
        const float e = float(axis2[2] < 0 ? s->GetEdgeDistance(1) : -s->GetEdgeDistance(0));
        if (f->m_fEcc[0] == e && f->m_fEcc[2] == e) continue;
        theUndo.AddRecord(new CUndoFrameEnd(f->m_nID, CFrameEndTraits::Get(*f)));
        f->m_fEcc[0] = f->m_fEcc[2] = e;
        ++changed;
    }
    theUndo.EndRecord();
    if (changed) {
        SetDocumentModified(1);
        ModelHooks().InvalidateModel();
    }
    return changed;
}

int CheckWindwardElements()
{
    const int n = int(theWindElementPars.size());
    std::vector<char> used(size_t(n), 0);
    char text[200];
    // Indices past the list are dropped silently; an element that carries
    // one where it cannot face the wind loses both, with a message.
    auto check = [&](int16_t(&wind)[2], bool canFace, const char* format, int number) {
        for (int16_t& w : wind)
            if (w < 0 || w > n) w = 0;
        if (!wind[0] && !wind[1]) return;
        if (!canFace) {
            std::snprintf(text, sizeof text, format, number);
            AppMessageBox(text);
            wind[0] = wind[1] = 0;
            return;
        }
        for (int16_t w : wind)
            if (w) used[size_t(w - 1)] = 1;
    };
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        check(f->m_nWind, f->IsHorizontal() && OnUpperFloor(f->m_nNodeI),
              "%d号单元不是正好处在某楼层上的梁单元, 不能作为迎风单元, 相关数据将被清除!", f->m_nID);
    }
    if (theWindwardWalls)
        theWindwardWalls([&](int number, int firstNode, int16_t(&wind)[2]) {
            check(wind, OnUpperFloor(firstNode),
                  "%d号单元不是正好处在某层上的墙单元, 不能作为迎风单元, 相关数据将被清除!", number);
        });

    std::vector<int16_t> map(size_t(n), 0);
    int16_t next = 0;
    for (int k = 0; k < n; ++k)
        if (used[size_t(k)]) map[size_t(k)] = ++next;
    const int removed = n - next;
    if (!removed) return 0;
    for (int k = n - 1; k >= 0; --k)
        if (!used[size_t(k)]) theWindElementPars.erase(theWindElementPars.begin() + k);
    auto renumber = [&](int16_t(&wind)[2]) {
        for (int16_t& w : wind)
            if (w) w = map[size_t(w - 1)];
    };
    for (int i = 0; i < theFrames.GetSize(); ++i) renumber(theFrames.GetAt(i)->m_nWind);
    if (theWindwardWalls) theWindwardWalls([&](int, int, int16_t(&wind)[2]) { renumber(wind); });
    SetDocumentModified(1);
    return removed;
}
