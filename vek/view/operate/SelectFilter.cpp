#include "vek/view/operate/SelectFilter.h"

#include <cstring>

CSelectFilter theSelectFilter;

void CSelectFilter::Clear()
{
    std::memset(m_flags, 0, sizeof m_flags);
}

void CSelectFilter::ClearSpecial()
{
    for (int i = kIntegralLines; i <= kSprings; ++i) m_flags[i] = 0;
}

void CSelectFilter::SelectAllKinds()
{
    for (int i = kNodes; i <= kPlanes; ++i) m_flags[i] = 1;
    for (int i = kTrusses; i <= kPipes; ++i) m_flags[i] = 1;
}

void CSelectFilter::Snapshot(uint8_t out[kCount]) const
{
    std::memcpy(out, m_flags, sizeof m_flags);
}

void CSelectFilter::Restore(const uint8_t in[kCount])
{
    for (int i = 0; i < kCount; ++i) m_flags[i] = in[i] ? 1 : 0;
}

std::string CSelectFilter::GetDescription() const
{
    int first7 = 0;
    for (int i = kNodes; i <= kPlanes; ++i) first7 += m_flags[i] ? 1 : 0;
    if (first7 >= 5) return "各种类型的单元以及节点";

    std::string text;
    auto add = [&text](const char* word) {
        if (!text.empty()) text += "、";
        text += word;
    };
    if (m_flags[kNodes]) add("节点");
    if (m_flags[kBeams] && m_flags[kColumns])
        add("梁柱单元");
    else if (m_flags[kBeams])
        add("梁单元");
    else if (m_flags[kColumns])
        add("柱单元");
    if (m_flags[kWalls]) add("墙单元");
    if (m_flags[kShells]) add("板壳单元");
    if (m_flags[kSolids]) add("三维实体元");
    if (m_flags[kPlanes]) add("平面单元");
    if (m_flags[kTrusses]) add("桁架单元");
    if (m_flags[kIntegralLines]) add("内力积分线和矩形");
    if (m_flags[kCurvedBeams]) add("曲梁单元");
    if (m_flags[kPipes]) add("管道单元");
    if (m_flags[kBoundaries]) add("剖分边界");
    if (m_flags[kSmallRegions]) add("小区域");
    if (m_flags[kAxes]) add("轴线");
    if (m_flags[kAxisGridLine]) add("轴网上的任意一根轴线");
    if (m_flags[kRegions]) add("刚性/导载区域");
    if (m_flags[kSprings]) add("弹簧");
    return text.empty() ? std::string("需要的对象") : text;
}
