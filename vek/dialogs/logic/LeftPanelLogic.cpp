#include "vek/dialogs/logic/LeftPanelLogic.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"

namespace leftpanel {

namespace {

struct MethodRow {
    int stringId;
    const char* text;
    const char* key;
};
// By code 1..8; the key words are tested in this order.
constexpr MethodRow kMethods[kMethodCount] = {
    {109, "单一生成", "单一"},     {111, "连续生成", "连续"}, {112, "窗口生成", "窗口"}, {106, "直线生成", "直线"},
    {107, "四边形生成", "四边形"}, {108, "圆弧生成", "圆弧"}, {110, "交线生成", "交线"}, {135, "单点生成板壳", "单点"},
};

constexpr int kLoadSwitch = 26;  // the display switch of loads and temperatures

}  // namespace

int MethodStringId(int code)
{
    return code >= 1 && code <= kMethodCount ? kMethods[code - 1].stringId : 0;
}

const char* MethodText(int code)
{
    return code >= 1 && code <= kMethodCount ? kMethods[code - 1].text : "";
}

std::vector<int> MethodsOf(int operation)
{
    switch (operation) {
        case 80:   // beams and columns
        case 120:  // walls
            return {1, 2, 4, 5, 6};
        case 40: return {1, 4, 5, 6, 7};  // nodes by snapping
        case 81: return {1, 3, 4, 5, 6};  // columns
        case 160: return {1, 5, 8};       // shells
        case 200:                         // solids
        case 670:                         // plane elements
            return {1, 5};
        default: return {};
    }
}

int MethodFromText(const char* text, int keep)
{
    if (!text) return keep;
    for (int code = 1; code <= kMethodCount; ++code)
        if (std::strstr(text, kMethods[code - 1].key)) return code;
    return keep;
}

int MethodFor(int operation, int remembered)
{
    for (int code : MethodsOf(operation))
        if (code == remembered) return code;
    return 1;
}

bool MethodAllowed(int code, int viewMode)
{
    return viewMode != 3 || (code != 3 && code != 6);
}

std::string StoreyRangeText()
{
    if (theLevels.GetCount() < 1) return "选择层范围无效";
    char text[80];
    std::snprintf(text, sizeof text, "选择%d到%d层/%d", int(theLevelRange.first), int(theLevelRange.last),
                  int(theLevelRange.step));
    return text;
}

std::string PlatformText()
{
    char text[80];
    if (theLevels.GetCount() < 1) {
        std::snprintf(text, sizeof text, "F5:平台高%.6g", ModelProjection().GetPlanElevation());
    } else {
        std::snprintf(text, sizeof text, "F5:第 %1d 层", int(theLevels.current));
        ModelProjection().SetPlanElevation(theLevels.GetElevation(theLevels.current));
    }
    return text;
}

std::vector<std::string> StoreyEntries()
{
    std::vector<std::string> entries;
    const int n = theLevels.GetCount();
    if (n < 1) return entries;
    entries.emplace_back(kAllStoreys);
    for (int s = 0; s <= n; ++s) {
        char text[64];
        std::snprintf(text, sizeof text, "第%d层 (切换到或只显示)", s);
        entries.emplace_back(text);
    }
    return entries;
}

int CurrentStoreyEntry()
{
    const int n = theLevels.GetCount();
    if (n < 1) return -1;
    const int s = theLevels.current;
    return s >= 0 && s <= n ? s + 1 : -1;
}

void ChooseStoreyEntry(int entry)
{
    const int n = theLevels.GetCount();
    if (n < 1 || entry < 0 || entry > n + 1) return;
    const bool plan = ModelProjection().GetMode() == 1;
    if (entry == 0) {
        if (!plan)
            for (int s = -1; s <= n; ++s) theLevels.Shown(s) = 1;
    } else {
        const int storey = entry - 1;
        theLevels.current = storey;
        if (!plan)
            for (int s = -1; s <= n; ++s) theLevels.Shown(s) = s == storey ? 1 : 0;
    }
    theLevels.ShowCurrentStorey();
    ModelProjection().SetPlanElevation(theLevels.GetElevation(theLevels.current));
    ModelProjection().ZoomExtents();
    ModelHooks().RefreshStoreyTexts();
    CDisplayOptions::UpdateVisibleObjects();
    ModelHooks().InvalidateModel();
}

int ParseLoadCase(const char* text)
{
    if (!text) return 0;
    while (*text == ' ' || *text == '\t') ++text;
    if (!*text) return 0;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE) return 0;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end) return 0;
    return v >= 1 && v <= kMaxLoadCase ? int(v) : 0;
}

ELoadCaseChange StoreLoadCase(const char* text)
{
    const int before = theProjectOptions.nCurrentLoadCase;
    int value = ParseLoadCase(text);
    const bool refused = value == 0;
    if (refused) value = 1;
    theProjectOptions.nCurrentLoadCase = static_cast<int16_t>(value);
    if (refused) return ELoadCaseChange::Refused;
    return value == before ? ELoadCaseChange::Same : ELoadCaseChange::Changed;
}

bool LoadsShown()
{
    return theDisplayOptions.Switch(kLoadSwitch) != 0;
}

bool ArcListEnabled(bool methodsEnabled, const char* methodEntry, int operation)
{
    if (methodsEnabled) return methodEntry && std::strstr(methodEntry, "圆弧") != nullptr;
    return operation == 806;
}

void AxisLabels(int viewMode, bool planeModel, const char* out[3])
{
    if (planeModel) {
        out[0] = "Y", out[1] = "Z", out[2] = "X";
    } else if (viewMode == 2) {
        out[0] = "x'", out[1] = "y'", out[2] = "z'";
    } else {
        out[0] = "X", out[1] = "Y", out[2] = "Z";
    }
}

void LabelSides(double dx, double dy, double t, int& horizontal, int& vertical)
{
    if (dx > t)
        horizontal = -1;
    else if (dx < -t)
        horizontal = 1;
    else
        horizontal = dx >= 0 ? 1 : -1;
    if (dy > t)
        vertical = -1;
    else if (dy < -t)
        vertical = 1;
    else
        vertical = dy >= 0 ? 1 : -1;
}

}  // namespace leftpanel
