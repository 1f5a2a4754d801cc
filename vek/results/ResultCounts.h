#pragma once
// What the main frame's result selectors read of the loaded results: the
// count behind each selector and the display refresh after a choice. The
// results bind their own; until then there are no results (every count 0)
// and a choice redraws nothing.
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
