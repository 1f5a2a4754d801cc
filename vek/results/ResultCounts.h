#pragma once
// What the main frame's result selectors read of the loaded results: the
// count behind each selector and the display refresh after a choice. Unbound,
// the counts are those of the loaded result set and a choice refreshes the
// result display.
enum ResultSelector {
    kSelLoadCase,
    kSelForceCombination,
    kSelDisplacementCombination,
    kSelMode,
    kSelResponsePoint,
    kSelEarthquakeDirection,
    kSelBucklingMode,
    kSelConstructionStep,
    kResultSelectorCount
};

struct ResultSelectorHooks {
    int (*count)(int selector) = nullptr;
    void (*refresh)(int selector) = nullptr;
};
extern ResultSelectorHooks theResultSelectorHooks;

int ResultSelectorCount(int selector);
void RefreshResultSelector(int selector);

// The selector's current value in the project options (1-based, 0 none):
// the current load case, the six result selectors, the highest stage shown.
int ResultSelectorValue(int selector);
void SetResultSelectorValue(int selector, int value);
