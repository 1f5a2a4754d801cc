#include "vek/results/ResultCounts.h"

#include <cstdint>

#include "vek/model/ProjectOptions.h"
#include "vek/results/Result.h"
#include "vek/results/ResultDisp.h"

ResultSelectorHooks theResultSelectorHooks;

int ResultSelectorCount(int selector)
{
    return theResultSelectorHooks.count ? theResultSelectorHooks.count(selector) : ResultCountOf(selector);
}

void RefreshResultSelector(int selector)
{
    if (theResultSelectorHooks.refresh)
        theResultSelectorHooks.refresh(selector);
    else
        theResultDisp.OnSelectorChanged(selector);
}

namespace {

int16_t* SelectorField(int selector)
{
    if (selector == kSelLoadCase) return &theProjectOptions.nCurrentLoadCase;
    if (selector == kSelConstructionStep) return &theProjectOptions.nHighestStage;
    if (selector > kSelLoadCase && selector < kSelConstructionStep)
        return &theProjectOptions.nResultSelectors[selector - kSelForceCombination];
    return nullptr;
}

}  // namespace

int ResultSelectorValue(int selector)
{
    const int16_t* field = SelectorField(selector);
    return field ? *field : 0;
}

void SetResultSelectorValue(int selector, int value)
{
    if (int16_t* field = SelectorField(selector)) *field = static_cast<int16_t>(value);
}
