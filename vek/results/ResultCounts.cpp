#include "vek/results/ResultCounts.h"

ResultSelectorHooks theResultSelectorHooks;

int ResultSelectorCount(int selector)
{
    return theResultSelectorHooks.count ? theResultSelectorHooks.count(selector) : 0;
}

void RefreshResultSelector(int selector)
{
    if (theResultSelectorHooks.refresh) theResultSelectorHooks.refresh(selector);
}
