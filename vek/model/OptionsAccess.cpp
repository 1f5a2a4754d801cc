#include "vek/model/OptionsAccess.h"

// Until the project options record is part of the library, its fields live
// here with the record's defaults.
namespace {
struct Fields {
    double hSpacing = 0.02;
    float vSpacing = 0.01f;
    int unit = 0;
    int sortOrder = 1;
    bool planeModel = false;
    bool storeyLookup = true;
    bool shownMaxima = false;
    int highestStage = 10000;
    int loadCase = 1;
    int selectors[6] = {};
    int command = 0;
};
Fields f;
}  // namespace

namespace opts {

double HorizontalNodeSpacing()
{
    return f.hSpacing;
}
void SetHorizontalNodeSpacing(double v)
{
    f.hSpacing = v;
}
float VerticalNodeSpacing()
{
    return f.vSpacing;
}
void SetVerticalNodeSpacing(float v)
{
    f.vSpacing = v;
}
int UnitCode()
{
    return f.unit;
}
void SetUnitCode(int code)
{
    f.unit = code;
}
int SortOrder()
{
    return f.sortOrder;
}
void SetSortOrder(int order)
{
    f.sortOrder = order;
}
bool PlaneModelMode()
{
    return f.planeModel;
}
void SetPlaneModelMode(bool on)
{
    f.planeModel = on;
}
void SetStoreyLookup(bool on)
{
    f.storeyLookup = on;
}
bool StoreyLookup()
{
    return f.storeyLookup;
}
bool MaximaOverShownObjects()
{
    return f.shownMaxima;
}
void SetMaximaOverShownObjects(bool on)
{
    f.shownMaxima = on;
}
int HighestStageShown()
{
    return f.highestStage;
}
void SetHighestStageShown(int stage)
{
    f.highestStage = stage;
}
int CurrentLoadCase()
{
    return f.loadCase;
}
void SetCurrentLoadCase(int lc)
{
    f.loadCase = lc;
}
int ResultSelector(int i)
{
    return i >= 0 && i < 6 ? f.selectors[i] : 0;
}
void SetResultSelector(int i, int value)
{
    if (i >= 0 && i < 6) f.selectors[i] = value;
}
int CurrentCommand()
{
    return f.command;
}
void SetCurrentCommand(int code)
{
    f.command = code;
}

}  // namespace opts
