#include "vek/results/ResultChoices.h"

#include "vek/model/ModelFamily.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"

namespace {

// The selector each still picture follows.
constexpr int kSelectorOf[9] = {
    kSelLoadCase,      kSelDisplacementCombination, kSelMode,         kSelEarthquakeDirection, kSelResponsePoint,
    kSelResponsePoint, kSelResponsePoint,           kSelBucklingMode, kSelConstructionStep};

}  // namespace

int DispPictureChoices(bool enabled[kDispPictureChoices])
{
    int count = 0;
    for (int i = 0; i < kDispPictureChoices; ++i) {
        const int still = i % 9;
        const int selector = kSelectorOf[still];
        bool on = theResult.Good() && ResultSelectorValue(selector) != 0 && theResult.GetSelectorCount(selector) > 0;
        // Time-history responses need their quantity in the result; their
        // animations are not offered.
        if (still >= 4 && still <= 6) on = on && i < 9 && (theResult.m_nHistKind & (1 << (still - 4))) != 0;
        if (still == 8) on = on && theResult.GetSelectorCount(selector) >= 2;
        enabled[i] = on;
        if (on) ++count;
    }
    return count;
}

int StartDispPictureChoice(const bool enabled[kDispPictureChoices], int shownKind)
{
    const int shown = shownKind >= 1 && shownKind <= 9     ? shownKind - 1
                      : shownKind >= 11 && shownKind <= 19 ? shownKind - 2
                                                           : -1;
    if (shown >= 0 && enabled[shown]) return shown;
    return NextChoiceWith(enabled, kDispPictureChoices, 0);
}

int DiagramKindChoices(bool enabled[4])
{
    static const EFamily families[4] = {EFamily::Frames, EFamily::Trusses, EFamily::Cframes, EFamily::Pipes};
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        enabled[i] = ModelFamily(families[i]).GetCount() > 0;
        if (enabled[i]) ++count;
    }
    return count;
}

int NextChoiceWith(const bool* enabled, int count, int from)
{
    if (count <= 0) return -1;
    if (from < 0 || from >= count) from = 0;
    // One pass round the list: with nothing enabled there is no choice.
    for (int k = 0; k < count; ++k) {
        const int i = (from + k) % count;
        if (enabled[i]) return i;
    }
    return -1;
}

namespace {

const char* const kContourTypeNames[kContourTypes] = {"平面单元的应力",
                                                      "板壳单元整体坐标下的应力和内力",
                                                      "板壳单元局部坐标下的应力和内力",
                                                      "三维实体单元的应力",
                                                      "荷载种类的节点位移",
                                                      "位移组合的节点位移",
                                                      "地震作用的节点位移",
                                                      "施工模拟的节点位移",
                                                      "振型的节点位移",
                                                      "失稳模态的节点位移",
                                                      "梁柱单元的内力",
                                                      "桁架单元的轴力",
                                                      "曲梁单元的内力",
                                                      "管道单元的内力",
                                                      "不开洞和开窗洞墙单元的整体内力",
                                                      "不开洞墙整体内力和开洞墙子区域内力"};

const char* const kDisplacementNames[7] = {"X向平动位移Ux", "Y向平动位移Uy", "Z向平动位移Uz",  "X向转角Rx",
                                           "Y向转角Ry",     "Z向转角Rz",     "位移平方和开方D"};
const char* const kMemberNames[6] = {"轴力", "1-2平面内的剪力", "1-2平面内的弯矩", "1-3平面内的剪力", "1-3平面内的弯矩",
                                     "扭矩"};
const char* const kWallNames[6] = {"轴力N22", "面内剪力Q11", "面内弯矩M33", "面外剪力Q33", "面外弯矩M11", "扭矩M12"};

bool Has(EFamily f)
{
    return ModelFamily(f).GetCount() > 0;
}

}  // namespace

const char* ContourTypeName(int kind)
{
    return kind >= 1 && kind <= kContourTypes ? kContourTypeNames[kind - 1] : "";
}

bool ContourTypeValid(int kind)
{
    const CResult& r = theResult;
    if (!r.Good()) return false;
    switch (kind) {
        // Stresses and forces of area and solid elements, trusses, curved
        // beams, pipes and walls are read with their families' records.
        case 5: return r.GetSelectorCount(kSelLoadCase) > 0;
        case 6: return r.GetSelectorCount(kSelDisplacementCombination) > 0;
        case 7: return r.GetSelectorCount(kSelEarthquakeDirection) > 0;
        case 8: return r.GetSelectorCount(kSelConstructionStep) > 0;
        case 9: return r.GetSelectorCount(kSelMode) > 0;
        case 10: return r.GetSelectorCount(kSelBucklingMode) > 0;
        case 11: return Has(EFamily::Frames);
        default: return false;
    }
}

int ContourComponentNames(int kind, const char* names[20])
{
    if (kind >= 5 && kind <= 10) {
        for (int i = 0; i < 7; ++i) names[i] = kDisplacementNames[i];
        return 7;
    }
    if (kind == 11 || kind == 13 || kind == 14 || kind == 15 || kind == 16) {
        for (int i = 0; i < 6; ++i) names[i] = kind >= 15 ? kWallNames[i] : kMemberNames[i];
        return 6;
    }
    if (kind == 12) {
        names[0] = kMemberNames[0];
        return 1;
    }
    return 0;
}

int NodeValueKindChoices(bool enabled[4])
{
    const CResult& r = theResult;
    const bool good = r.Good() != 0;
    enabled[0] = good && r.GetSelectorCount(kSelLoadCase) > 0;
    enabled[1] = good && r.GetSelectorCount(kSelDisplacementCombination) > 0;
    enabled[2] = good && r.GetSelectorCount(kSelEarthquakeDirection) > 0;
    enabled[3] = good && r.GetSelectorCount(kSelConstructionStep) >= 2;
    return int(enabled[0]) + int(enabled[1]) + int(enabled[2]) + int(enabled[3]);
}
