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
