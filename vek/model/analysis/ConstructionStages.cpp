#include "vek/model/analysis/ConstructionStages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvalib/base/biostream.h"
#include "vek/model/Binding.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/storeys/LevelTable.h"

CConstructionStages theConstructionStages;
CConstructionStages& theConstructPara = theConstructionStages;

namespace {
CBinding<CParameterPanels> panels;
}  // namespace

CConstructionStages& CConstructionStages::operator=(const CConstructionStages& o)
{
    if (this == &o) return *this;
    on = o.on;
    byStorey = o.byStorey;
    storeysPerStage = o.storeysPerStage;
    stages.Copy(o.stages);
    stageCount = o.stageCount;
    typedStage = o.typedStage;
    return *this;
}

void CConstructionStages::Reset()
{
    on = 0;
    byStorey = 1;
    storeysPerStage = 1;
    stages.SetSize(0);
    stageCount = 0;
    typedStage = 1;
}

bool CConstructionStages::Write(bofstream& out) const
{
    auto& list = const_cast<MLArray<short>&>(stages);
    out << on << byStorey << storeysPerStage << int16_t(list.GetSize());
    for (int i = 0; i < list.GetSize(); ++i) out << *list.GetAt(i);
    return out.IsGood() != 0;
}

bool CConstructionStages::Read(bifstream& in)
{
    if (nPrjVersion <= 610) {
        stages.SetSize(0);
        on = 0;
        return true;
    }
    CConstructionStages r(*this);
    int16_t n = 0;
    in >> r.on >> r.byStorey >> r.storeysPerStage >> n;
    if (!in.IsGood() || n < 0 || !in.CheckAvailable(int64_t(n) * 2) || !r.stages.SetSize(0) || !r.stages.SetSize(n)) {
        in.SetFailed();
        return false;
    }
    for (int i = 0; i < n && in.IsGood(); ++i) {
        short v = 0;
        in >> v;
        r.stages.Add(v);
    }
    if (!in.IsGood()) return false;
    *this = r;
    return true;
}

namespace {

// The families whose elements carry a stage, in the order they are numbered.
constexpr EFamily kStaged[] = {EFamily::Frames,  EFamily::Springs, EFamily::Shells,       EFamily::Walls,
                               EFamily::Solids,  EFamily::Planes,  EFamily::PenaltyLinks, EFamily::Trusses,
                               EFamily::Cframes, EFamily::Pipes};

int NodeStorey(int id)
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    const int pos = nodes.IndexOfID(id);
    return pos < 0 ? -1 : nodes.GetStorey(pos);
}

// A spring lies in the higher storey of its nodes (the second when it exists).
int StoreyOf(EFamily f, CModelFamily& fam, int pos)
{
    if (f != EFamily::Springs) return fam.GetStorey(pos);
    int n[2] = {0, 0};
    const int k = fam.GetNodes(pos, n, 2);
    int s = k >= 1 ? NodeStorey(n[0]) : -1;
    if (k >= 2 && n[1] > 0) s = std::max(s, NodeStorey(n[1]));
    return s;
}

}  // namespace

void AssignConstructionStages(const int* links, int linkCount)
{
    CConstructionStages& cs = theConstructionStages;
    if (!cs.on) return;
    cs.stageCount = 0;
    const int n = theLevels.count;
    if (!cs.byStorey || n < 1) {
        int largest = 0;
        for (EFamily f : kStaged) {
            CModelFamily& fam = ModelFamily(f);
            if (!fam.HasStages()) continue;
            for (int pos : Positions(fam)) largest = std::max(largest, std::abs(fam.GetStage(pos)));
        }
        cs.stageCount = int16_t(largest);
        return;
    }
    std::vector<int> T(size_t(n) + 1, 0);
    if (cs.stages.GetSize() == 0 && cs.storeysPerStage == 0) cs.storeysPerStage = 1;
    if (cs.storeysPerStage > 0) {
        for (int s = 1; s <= n; ++s) T[size_t(s)] = (s - 1) / cs.storeysPerStage + 1;
    } else {
        int s = 1, j = 0;
        for (; j < cs.stages.GetSize() && s <= n; ++j)
            for (int c = *cs.stages.GetAt(j); c > 0 && s <= n; --c) T[size_t(s++)] = j + 1;
        // Storeys past the list take the last stage.
        const int last = std::max(j, 1);
        for (; s <= n; ++s) T[size_t(s)] = last;
    }
    T[0] = T[1];
    int S = 0, U = 0;
    for (EFamily f : kStaged) {
        CModelFamily& fam = ModelFamily(f);
        if (!fam.HasStages()) continue;
        const bool onlyGiven = f == EFamily::PenaltyLinks;
        for (int pos : Positions(fam)) {
            if (onlyGiven && links && std::find(links, links + linkCount, fam.GetID(pos)) == links + linkCount)
                continue;
            const int stage = fam.GetStage(pos);
            if (stage < 0) {
                U = std::max(U, -stage);
                continue;
            }
            int storey = StoreyOf(f, fam, pos);
            if (storey < 0 || storey > n) storey = n;
            fam.SetStage(pos, T[size_t(storey)]);
            S = std::max(S, storey);
        }
    }
    cs.stageCount = int16_t(std::max(T[size_t(S)], U));
}

CParameterPanels* SetParameterPanels(CParameterPanels* p)
{
    return panels.Set(p);
}

void OpenStagePrompt(bool closeOthers)
{
    panels.Get().OpenPrompt("施工模拟步号", "输入选中构件所属的施工模拟号，如果输入0，将由程序根据设置自动选取。",
                            &theConstructionStages.typedStage, closeOthers);
}

void ApplyStageToSelection()
{
    for (EFamily f : {EFamily::Frames, EFamily::Shells, EFamily::Walls, EFamily::Solids, EFamily::Planes}) {
        CModelFamily& fam = ModelFamily(f);
        for (int pos : Positions(fam)) {
            CObjectBase* o = fam.GetAt(pos);
            if (!o || !o->IsSelected()) continue;
            o->m_nFlags &= ~kObjSelected;
            fam.SetStage(pos, -theConstructionStages.typedStage);
            fam.Redraw(pos);
        }
    }
}

void ShowLocalAxisInfo(bool closeOthers, bool axisDialog, int axis, const double* d)
{
    if (axisDialog) {
        panels.Get().OpenLocalAxisDialog(closeOthers);
        return;
    }
    char text[200];
    std::snprintf(text, sizeof text, "%d轴的方向为：\r\ndirx=%.4f\r\ndiry=%.4f\r\ndirz=%.4f", axis, d[0], d[1], d[2]);
    panels.Get().ShowParameterText("局部坐标参数", text, closeOthers);
}

void ShowDivideCountDialog(int16_t* count, bool closeOthers)
{
    std::string note = "单元等分的数量。";
    if (theProjectOptions.nCurrentCommand == 602) note += "注:墙等分操作受选项设置对话框中的\"只拆分本层的墙\"影响";
    panels.Get().OpenPrompt("等分数量：", note.c_str(), count, closeOthers);
}

void ShowMaterialParamDialog(bool closeOthers, bool mode)
{
    panels.Get().OpenMaterialParameters(closeOthers, !mode);
}

void ShowMaterialSectionDialog(bool flag, bool closeOthers)
{
    panels.Get().OpenMaterialSection(flag, closeOthers);
}
