// Prestressing cables laid on the frames along a picked line.
#include <algorithm>
#include <cmath>
#include <vector>

#include "korvalib/base/Vector.h"
#include "vek/elements/line/frames/FramePropertyCommands.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/materials/TightWire.h"
#include "vek/view/draw/DrawLayer.h"

int AssignPrestressCable(const double p0[3], const double p1[3])
{
    CTightWireParameter& in = theTightWireParameter;
    double span[3];
    CVector::Subtract(p1, p0, span);
    in.m_wire.m_fSpan = float(std::sqrt(CVector::Dot(span, span)));
    int number = 0;
    if (!in.m_wire.IsZero()) {
        int at = 0;
        if (theTightWires.Find(in.m_wire, 0, at))
            number = at + 1;
        else if (theTightWires.Add(in.m_wire))
            number = theTightWires.GetSize();
        else
            return 0;
    } else if (!in.RemovesCables()) {
        return 0;
    }
    std::vector<int> changed;
    {
        CDrawSession session;
        CDisplayOptionOn shown(kShowFrameEnds);
        theUndo.BeginRecord();
        for (int i = 0; i < theFrames.GetSize(); ++i) {
            CFrame* f = theFrames.GetAt(i);
            const CNode* a = FindNode(f->m_nNodeI);
            const CNode* b = FindNode(f->m_nNodeJ);
            if (!a || !b || !PointToLineDistance(a->m_dCoord, p0, p1, 1) ||
                !PointToLineDistance(b->m_dCoord, p0, p1, 1))
                continue;
            f->m_nFlags &= ~(kObjSelected | kObjLive);
            f->Draw();
            f->m_nFlags |= kObjLive;
            theUndo.AddRecord(new CUndoFrameTightWire(f->m_nID, f->m_Wires));
            if (in.RemovesCables()) {
                f->m_Wires.Clear();
            } else {
                double da[3], db[3];
                CVector::Subtract(a->m_dCoord, p0, da);
                CVector::Subtract(b->m_dCoord, p0, db);
                f->m_Wires.Add(number, float(std::sqrt(CVector::Dot(da, da))), float(std::sqrt(CVector::Dot(db, db))));
            }
            // Flashed: drawn selected, then as it is.
            f->m_nFlags |= kObjSelected;
            f->Draw();
            f->m_nFlags &= ~kObjSelected;
            f->Draw();
            changed.push_back(f->m_nID);
        }
        theUndo.EndRecord();
        PumpMessagesFor(500);
        for (int id : changed)
            if (CFrame* f = FindFrame(id)) f->Draw();
    }
    if (!changed.empty()) SetDocumentModified(1);
    return int(changed.size());
}
