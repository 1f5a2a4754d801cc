#include "vek/elements/line/frames/FrameInfo.h"

#include <cmath>
#include <cstdio>

#include "vek/elements/line/frames/Frame.h"
#include "vek/model/materials/Sections.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/nodes/WindElementPar.h"
#include "vek/model/LayerList.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/TightWire.h"
#include "vek/results/FrameResultText.h"

namespace {

template <class... A>
void Add(std::string& out, const char* format, A... args)
{
    char line[256];
    std::snprintf(line, sizeof line, format, args...);
    out += line;
}

}  // namespace

std::string GetFrameInfoText(const CFrame& f, int option)
{
    std::string out;
    Add(out, "%d号梁柱 I,J端节点=%d %d", int(f.m_nID), int(f.m_nNodeI), int(f.m_nNodeJ));
    const int momentReleases = f.m_cRelease[0] + f.m_cRelease[1] + f.m_cRelease[3] + f.m_cRelease[4];
    if (option == 2) return out + GetFrameResultText(f.m_nID, f.m_nNodeI, f.m_nNodeJ, momentReleases);
    if (f.GetAxialType() == 1) out += "   拉杆";
    if (f.GetAxialType() == 2) out += "   压杆";
    if (f.IsPile()) out += "  桩";
    Add(out, "\r\n楼层号=%d 图层=%s", int(f.m_nStorey), theLayers[f.m_nLayer].name);
    Add(out, "\r\n内力输出截面数:%d", f.GetOutputSections() + 2);
    const int kind = f.GetSectionKind();
    if (f.m_nSection < 1)
        out += "\r\n没给截面!";
    else
        Add(out,
            kind == 1   ? "\r\n钢截面:%s"
            : kind == 2 ? "\r\n变截面:%s"
                        : "\r\n截面:%s",
            static_cast<const char*>(GetFrameSectName(kind, f.m_nSection)));
    if (f.m_nMaterial >= 1 && f.m_nMaterial <= theMaterials.GetSize())
        Add(out, "\r\n材料:%s", theMaterials.GetAt(f.m_nMaterial - 1)->m_pName);
    else if (kind != 1)
        out += "\r\n没给材料!";
    const struct {
        const char* format;
        float value;
    } ends[] = {{"\r\nI端刚域长:%.5g", f.m_fRigid[0]},  {"\r\nJ端刚域长:%.5g", f.m_fRigid[1]},
                {"\r\nI端2方向偏心:%.5g", f.m_fEcc[0]}, {"\r\nJ端2方向偏心:%.5g", f.m_fEcc[2]},
                {"\r\nI端3方向偏心:%.5g", f.m_fEcc[1]}, {"\r\nJ端3方向偏心:%.5g", f.m_fEcc[3]}};
    for (const auto& e : ends)
        if (std::fabs(e.value) > 1e-5) Add(out, e.format, double(e.value));
    if (f.IsVertical()) Add(out, "\r\n柱转角:%.2f度", f.m_fAngle * 57.29577951308232);
    static const char* const kReleases[6] = {"\r\n放松I端1-2面内弯矩:%d%%", "\r\n放松J端1-2面内弯矩:%d%%",
                                             "\r\n放松轴力:%d%%",           "\r\n放松I端1-3面内弯矩:%d%%",
                                             "\r\n放松J端1-3面内弯矩:%d%%", "\r\n放松扭矩:%d%%"};
    bool released = false;
    for (int i = 0; i < 6; ++i)
        if (f.m_cRelease[i]) {
            Add(out, kReleases[i], int(f.m_cRelease[i]));
            released = true;
        }
    if (!released) out += "\r\n   两端均为刚接";
    for (int k = 0; k < f.m_Loads.Entries(); ++k) {
        const int n = f.m_Loads[k].nValue;
        if (n < 1) continue;
        Add(out, "\r\n荷载种类%d下的荷载:", int(f.m_Loads[k].nKey));
        if (n <= theFrameLoads.GetSize()) theFrameLoads.GetAt(n - 1)->GetText(out);
    }
    for (int w = 0; w < 2; ++w) {
        const int index = f.m_nWind[w];
        if (index < 1 || index > int(theWindElementPars.size())) continue;
        const CWindElementPar& p = theWindElementPars[size_t(index - 1)];
        Add(out, "\r\n此单元为%d风向作用面单元:\r\n  迎风面向下延伸%d层\r\n  体型系数:%.2f", w + 1,
            int(p.m_nDownStoreys), double(p.m_fCoefficient));
    }
    if (f.m_Wires.Entries() > 0) out += "\r\n--预应力钢索信息--";
    for (int k = 0; k < f.m_Wires.Entries(); ++k) {
        const DTightWireItem& item = f.m_Wires[k];
        if (item.nElement < 1 || item.nElement > theTightWires.GetSize()) continue;
        const CTightWire& w = *theTightWires.GetAt(item.nElement - 1);
        if (w.IsZero()) continue;
        Add(out, "\r\n  钢索号No=%1d", int(item.nElement));
        Add(out, "\r\n  预拉力T=%.3f\r\n  始端悬距Di=%.3f", double(w.m_fT), double(w.m_fDi));
        Add(out, "\r\n  中点悬距Dc=%.3f\r\n  终端悬距Dj=%.3f", double(w.m_fDc), double(w.m_fDj));
        Add(out, "\r\n  梁柱I端距始端距离Pii=%.3f\r\n  梁柱J端距始端距离Pij=%.3f", double(item.fValue1),
            double(item.fValue2));
    }
    if (option != 1) out += GetFrameResultText(f.m_nID, f.m_nNodeI, f.m_nNodeJ, momentReleases);
    return out;
}
