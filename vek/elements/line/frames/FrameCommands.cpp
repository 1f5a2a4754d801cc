#include "vek/elements/line/frames/FrameCommands.h"

#include <algorithm>
#include <cmath>

#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FramePropertyCommands.h"
#include "vek/elements/line/frames/FrameQueryCommands.h"
#include "vek/elements/line/frames/FrameSelected.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/frames/FrameVariableSection.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"

int nFrameDivideParts = 0;
int nFrameOutputSections = 3;

namespace {

// One undo group over the picked points' work, the document marked modified.
template <class Work>
int InGroup(Work work)
{
    CDrawSession session;
    theUndo.BeginRecord();
    const int made = work();
    theUndo.EndRecord();
    if (made) SetDocumentModified(1);
    return made;
}

CPickedPoints PicksOf(CSingleOperate* op, double (*points)[3], int max)
{
    CPickedPoints p;
    p.count = op ? op->SetInputPoints(points, max) : 0;
    p.points = points;
    return p;
}

}  // namespace

int ApplyFrameMaterial()
{
    const int m = std::max<int>(0, theCurrentProps.material);
    return ForSelectedFrames(
        kShowFrameMaterials, [](CFrame& f) { return new CUndoFrameMat(f.m_nID, f.m_nMaterial); },
        [m](CFrame& f) { f.m_nMaterial = uint16_t(m); });
}

int ApplyFrameSection()
{
    theCurrentProps.Clamp();
    return ForSelectedFrames(
        kShowFrameSections, [](CFrame& f) { return new CUndoFrameSect(f.m_nID, CFrameSectTraits::Get(f)); },
        [](CFrame& f) { f.SetSectionFromCurrent(); });
}

int ApplyOutputSections(int count)
{
    // The member reports interior sections + 2; the field holds 0..9.
    const int interior = std::clamp(count, 2, 11) - 2;
    CDrawSession session;
    int changed = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (!f->IsSelected()) continue;
        f->m_nFlags &= ~kObjSelected;
        f->SetOutputSections(interior);
        f->Draw();
        ++changed;
    }
    if (changed) SetDocumentModified(1);
    return changed;
}

int ApplyAxialForceType(int type)
{
    return ForSelectedFrames(
        kShowFrameReleases, [](CFrame& f) { return new CUndoAxisForceType(f.m_nID, uint8_t(f.GetAxialType())); },
        [type](CFrame& f) { f.SetAxialType(type); });
}

int ReverseLocalAxis()
{
    return ForSelectedFrames(
        -1, [](CFrame& f) { return new CUndoFrameAxis(f.m_nID, CFrameAxisTraits::Get(f)); },
        [](CFrame& f) {
            for (double& r : f.m_dRef) r = -r;
        });
}

int DivideSelectedFrames(int parts)
{
    if (parts < 2) return 0;
    return InGroup([parts] {
        int made = 0;
        const int last = theFrames.GetLastID();
        for (int id = 1; id <= last; ++id) {
            CFrame* f = FindFrame(id);
            if (!f || !f->IsSelected()) continue;
            f->m_nFlags &= ~kObjSelected;
            f->Draw();
            const CNode* i = FindNode(f->m_nNodeI);
            const CNode* j = FindNode(f->m_nNodeJ);
            if (!i || !j) continue;
            double pi[3], pj[3];
            std::copy(i->m_dCoord, i->m_dCoord + 3, pi);
            std::copy(j->m_dCoord, j->m_dCoord + 3, pj);
            // From node J towards node I: the divided frame keeps the part at I.
            for (int k = 1; k < parts; ++k) {
                double p[3];
                for (int c = 0; c < 3; ++c) p[c] = pj[c] + (pi[c] - pj[c]) * k / parts;
                const int node = FindOrAddNode(p);
                if (!node) break;
                if (BreakFrameAtNode(id, node)) ++made;
            }
        }
        return made;
    });
}

void RegisterFrameCommands()
{
    RegisterOperationCallback(80, [](CSingleOperate* op) {
        double pts[4][3];
        GenerateBeams(PicksOf(op, pts, 4));
    });
    RegisterOperationCallback(81, [](CSingleOperate* op) {
        double pts[4][3];
        GenerateColumns(PicksOf(op, pts, 4));
    });
    RegisterOperationCallback(83, [](CSingleOperate*) { ApplyFrameSection(); });
    RegisterOperationCallback(85, [](CSingleOperate*) { ApplyFrameMaterial(); });
    RegisterOperationCallback(107, [](CSingleOperate*) { ApplyAxialForceType(int(theFrameDefaults.m_nAxialType)); });
    RegisterOperationCallback(109, [](CSingleOperate*) { ApplyOutputSections(nFrameOutputSections); });
    RegisterOperationCallback(110, [](CSingleOperate*) { ReverseLocalAxis(); });
    RegisterOperationCallback(601, [](CSingleOperate*) { DivideSelectedFrames(nFrameDivideParts); });
    RegisterFramePropertyCommands();
    RegisterFrameQueryCommands();
    RegisterVariableSectionCommand();
}
