#include "vek/elements/line/frames/FrameChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "korvalib/base/Vector.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Sections.h"

namespace {

void Select(CFrame& f)
{
    f.m_nFlags |= kObjSelected;
}

void Report(const char* format, int id, unsigned icon)
{
    char text[256];
    std::snprintf(text, sizeof text, format, id);
    AppMessageBox(text, MB_OK | icon);
}

template <class List>
int CheckAreas(List& list, const char* format)
{
    int ok = 1;
    for (int i = 0; i < list.GetSize(); ++i) {
        auto* s = list.GetAt(i);
        if (s->GetSectArea() > 1e-8) continue;
        if (ok) {
            char text[256];
            std::snprintf(text, sizeof text, format, s->m_pName ? s->m_pName : "");
            AppMessageBox(text);
        }
        ok = 0;
    }
    return ok;
}

// Ends exchanged with every per-end field; loads laid the other way.
void Reverse(CFrame& f)
{
    std::swap(f.m_nNodeI, f.m_nNodeJ);
    std::swap(f.m_cRelease[0], f.m_cRelease[1]);
    std::swap(f.m_cRelease[3], f.m_cRelease[4]);
    std::swap(f.m_fRigid[0], f.m_fRigid[1]);
    std::swap(f.m_fEcc[0], f.m_fEcc[2]);
    std::swap(f.m_fEcc[1], f.m_fEcc[3]);
    DTightWireIndex wires;
    for (int k = 0; k < f.m_Wires.Entries(); ++k)
        wires.Add(f.m_Wires[k].nElement, f.m_Wires[k].fValue2, f.m_Wires[k].fValue1);
    f.m_Wires = wires;
    const double length = f.GetLength();
    for (int k = 0; k < f.m_Loads.Entries(); ++k) {
        const int n = f.m_Loads[k].nValue;
        if (n < 1 || n > theFrameLoads.GetSize()) continue;
        CFrameLoad copy = *theFrameLoads.GetAt(n - 1);
        for (auto& g : copy.m_Points)
            for (DLoadPoints& p : g) MirrorLoadPoints(p, length);
        f.m_Loads[k].nValue = FindOrAddFrameLoad(copy);
    }
    for (int k = f.m_Loads.Entries() - 1; k >= 0; --k)
        if (f.m_Loads[k].nValue < 1) f.m_Loads.RemoveAt(k);
    if (f.GetSectionKind() == 2 && f.m_nSection >= 1 && f.m_nSection <= theVframeSects.GetSize()) {
        CVframeSect s = *theVframeSects.GetAt(f.m_nSection - 1);
        for (int i = 0; i < 6; ++i) std::swap(s.m_fStart[i], s.m_fEnd[i]);
        const std::string name = std::string(s.m_pName ? s.m_pName : "") + "new";
        s.SetName(name.c_str());
        int at = 0;
        if (theVframeSects.Find(s, 0, at))
            f.m_nSection = uint16_t(at + 1);
        else if (theVframeSects.Add(s))
            f.m_nSection = uint16_t(theVframeSects.GetSize());
    }
}

}  // namespace

int CheckFrameSections()
{
    int ok = 1;
    bool oneWay = false;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame& f = *theFrames.GetAt(i);
        if (f.m_nSection < 1 || (f.GetSectionKind() != 1 && f.m_nMaterial == 0)) {
            Select(f);
            if (ok) Report("%1d号梁柱单元材料或截面数据不全，它被设置成选中状态！", f.m_nID, MB_ICONSTOP);
            ok = 0;
        }
        if (f.GetSectionKind() == 2 && f.GetAxialType() != 0) {
            Report("%1d号梁柱单元为变截面单元，不能把它指定为拉压杆，程序将自动取消其拉压杆特性。", f.m_nID, 0);
            // As the message says: the mark goes.
            f.SetAxialType(0);
            oneWay = true;
        }
    }
    (void)oneWay;
    ok &= CheckAreas(theFrameSects, "普通梁柱截面:%s 的面积等于0！");
    ok &= CheckAreas(theVframeSects, "变截面:%s 的面积等于0！");
    int steel = 1;
    const int unit = theProjectOptions.GetUnitCode();
    for (int i = 0; i < theSframeSects.GetSize(); ++i) {
        const CSframeSect* s = theSframeSects.GetAt(i);
        if (s->GetSectArea(unit) > 1e-8) continue;
        if (steel) {
            char text[256];
            std::snprintf(text, sizeof text, "钢截面:%s 的面积等于0！", s->m_pName ? s->m_pName : "");
            AppMessageBox(text);
        }
        steel = 0;
    }
    return ok & steel;
}

int CheckFrameOrientation()
{
    int messages = 0;
    bool changed = false;
    theUndo.BeginRecord();
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame& f = *theFrames.GetAt(i);
        const CNode* a = FindNode(f.m_nNodeI);
        const CNode* b = FindNode(f.m_nNodeJ);
        if (!a || !b) continue;
        if (b->m_dCoord[2] - a->m_dCoord[2] > theProjectOptions.fVertNodeSpacing) {
            const int id = f.m_nID;
            theUndo.AddRecord(new CUndoFrameNodes(id, CFrameNodesTraits::Get(f)));
            theUndo.AddRecord(new CUndoFrameRelease(id, CFrameReleaseTraits::Get(f)));
            theUndo.AddRecord(new CUndoFrameEnd(id, CFrameEndTraits::Get(f)));
            theUndo.AddRecord(new CUndoFrameLoad(id, f.m_Loads));
            theUndo.AddRecord(new CUndoFrameTightWire(id, f.m_Wires));
            theUndo.AddRecord(new CUndoFrameSect(id, CFrameSectTraits::Get(f)));
            Reverse(f);
            changed = true;
        }
        const char* message = nullptr;
        double axis[3], ref[3];
        if (f.GetAxisCode() == 0) {
            message = "第%1d号梁柱单元缺局部坐标系，系统将自动定义!";
        } else if (f.GetLocalAxis(1, axis) && std::fabs(CVector::Dot(axis, f.m_dRef)) > 0.01) {
            message = "第%1d号梁柱单元上的节点可能被移动过，局部坐标系需重新定义！";
        }
        (void)ref;
        if (message) {
            if (messages < 5) Report(message, f.m_nID, 0);
            ++messages;
            theUndo.AddRecord(new CUndoFrameAxis(f.m_nID, CFrameAxisTraits::Get(f)));
            f.ComputeLocalAxes();
            changed = true;
        }
    }
    theUndo.EndRecord();
    if (changed) SetDocumentModified(1);
    return 1;
}

int CheckFrameLoads()
{
    int ok = 1;
    bool steelCable = false;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame& f = *theFrames.GetAt(i);
        if (!f.CheckLoadPositions()) {
            Select(f);
            if (ok) Report("第%1d号梁柱单元荷载作用位置不合理! 它被设置成选中状态!", f.m_nID, MB_ICONSTOP);
            ok = 0;
        }
        if (f.GetSectionKind() == 1 && f.m_Wires.Entries() > 0) steelCable = true;
        const double length = f.GetLength();
        for (int k = 0; k < f.m_Wires.Entries(); ++k) {
            const double span = std::fabs(double(f.m_Wires[k].fValue2) - f.m_Wires[k].fValue1);
            if (std::fabs(span - length) <= 0.001) continue;
            Select(f);
            Report("第%1d号梁柱单元预应力钢索不合理, 请先删除再添加! 它被设置成选中状态!", f.m_nID, MB_ICONSTOP);
            ok = 0;
        }
    }
    if (steelCable) AppMessageBox("钢梁柱上作用的预应力拉索无效！");
    for (int i = 0; i < theFrameLoads.GetSize(); ++i)
        for (DLoadPoints& p : theFrameLoads.GetAt(i)->m_Points[kDistributed]) p.RemoveSamePointOfLineLoad();
    return ok;
}

int CheckShortFrames()
{
    const int n = theFrames.GetSize();
    if (n == 0) return 1;
    double total = 0;
    for (int i = 0; i < n; ++i) total += theFrames.GetAt(i)->GetLength();
    const double threshold = std::max(total / n / 20, theProjectOptions.dHorzNodeSpacing);
    int ok = 1;
    for (int i = 0; i < n; ++i) {
        CFrame& f = *theFrames.GetAt(i);
        const double length = f.GetLength();
        if (length >= threshold) continue;
        Select(f);
        if (ok) {
            char text[256];
            std::snprintf(text, sizeof text,
                          "第%1d号梁柱单元太短(长%.4f), 此单元将被设置成选中状态! 建议删除或者与其它梁柱合并。",
                          int(f.m_nID), length);
            AppMessageBox(text, MB_OK | MB_ICONSTOP);
        }
        ok = 0;
    }
    return ok;
}
