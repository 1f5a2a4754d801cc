#include "vek/elements/line/frames/FrameVariableSection.h"

#include <algorithm>
#include <cmath>

#include "korvalib/base/Vector.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/materials/Sections.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

constexpr int kCmdVariableAlongLine = 33166;

// A variable section appended to the list by the command: undone after the
// frames that use it went back (it is then the last entry), appended again
// before they take it on redo.
class CUndoVframeSectAppend : public CUndoClass {
public:
    CUndoVframeSectAppend(int number, const CVframeSect& sect) : m_nNumber(number), m_Sect(sect) {}
    int Undo() override
    {
        const int n = theVframeSects.GetSize();
        if (n == m_nNumber && theVframeSects.GetAt(n - 1)->IsSameSect(m_Sect)) theVframeSects.RemoveAt(n - 1);
        return 0;
    }
    int Redo() override
    {
        if (theVframeSects.GetSize() == m_nNumber - 1) theVframeSects.Add(m_Sect);
        return 0;
    }

private:
    int m_nNumber;
    CVframeSect m_Sect;
};

double Distance(const double* a, const double* b)
{
    double d[3];
    CVector::Subtract(a, b, d);
    return std::sqrt(CVector::Dot(d, d));
}

}  // namespace

int ApplyVariableSectionAlongLine(const double p0[3], const double p1[3])
{
    if (theVframeSects.GetSize() < 1) return 0;
    theCurrentProps.Clamp();
    const CVframeSect* current = FindVframeSect(theCurrentProps.vframeSect);
    const double length = Distance(p1, p0);
    if (!current || length < 1e-5) return 0;
    // The list may grow and move while the frames take their parts.
    const CVframeSect base = *current;
    const int params = DVframeSect::GetParaNum(base.m_cKind);

    CDrawSession session;
    CDisplayOptionOn shown(kShowFrameSections);
    theUndo.BeginRecord();
    int changed = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        const CNode* a = FindNode(f->m_nNodeI);
        const CNode* b = FindNode(f->m_nNodeJ);
        if (!a || !b || !PointToLineDistance(a->m_dCoord, p0, p1, 1) || !PointToLineDistance(b->m_dCoord, p0, p1, 1))
            continue;
        // Ends within the tolerance beyond the segment take the end values.
        const double ti = std::clamp(Distance(a->m_dCoord, p0) / length, 0.0, 1.0);
        const double tj = std::clamp(Distance(b->m_dCoord, p0) / length, 0.0, 1.0);
        CVframeSect part = base;
        for (int k = 0; k < params; ++k) {
            const double from = base.m_fStart[k], to = base.m_fEnd[k];
            part.m_fStart[k] = float(from + ti * (to - from));
            part.m_fEnd[k] = float(from + tj * (to - from));
        }
        const int before = theVframeSects.GetSize();
        const int number = AddVframeSect(part, 0, 1, 0);
        if (number < 1) break;  // the list is full: said by the list
        if (theVframeSects.GetSize() > before)
            theUndo.AddRecord(new CUndoVframeSectAppend(number, *theVframeSects.GetAt(number - 1)));
        f->m_nFlags &= ~(kObjSelected | kObjLive);
        f->Draw();
        f->m_nFlags |= kObjLive;
        theUndo.AddRecord(new CUndoFrameSect(f->m_nID, CFrameSectTraits::Get(*f)));
        f->SetSection(number, kVariableSect);
        f->Draw();
        ++changed;
    }
    theUndo.EndRecord();
    if (changed) SetDocumentModified(1);
    return changed;
}

void RegisterVariableSectionCommand()
{
    RegisterOperationCallback(84, [](CSingleOperate* op) {
        double pts[2][3];
        if (!op || op->SetInputPoints(pts, 2) != 2) return;
        ApplyVariableSectionAlongLine(pts[0], pts[1]);
        OperateHost().PostViewCommand(kCmdVariableAlongLine);
    });
}
