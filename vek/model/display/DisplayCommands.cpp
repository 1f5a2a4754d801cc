#include "vek/model/display/DisplayCommands.h"

#include <cstdio>

#include "vek/model/AppHelpers.h"
#include "vek/model/Binding.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"

namespace {
CBinding<CDisplaySheet> displaySheet;
int lastSheetPage = 0;
}  // namespace

CDisplaySheet* SetDisplaySheet(CDisplaySheet* sheet)
{
    return displaySheet.Set(sheet);
}

bool SetWorkingStorey()
{
    CModelProjection& view = ModelProjection();
    bool flagChanged = false;
    if (theLevels.count > 0) {
        char label[64];
        std::snprintf(label, sizeof label, "输入当前工作层号(0-%d):", int(theLevels.count));
        const char* labels[] = {label};
        int value = theLevels.current;
        if (!ValueDialogs().EditInts("请输入工作层(热键：F5)", 1, labels, &value)) return false;
        if (value < 0 || value > theLevels.count) value = 1;
        theLevels.current = value;
        flagChanged = theLevels.ShowCurrentStorey();
        view.SetPlanElevation(theLevels.GetElevation(value));
    } else {
        double z = view.GetPlanElevation();
        if (!ValueDialogs().EditDouble("输入平面工作平台的高度", "平面工作平台的高度Z坐标:", z)) return false;
        view.SetPlanElevation(z);
    }
    ModelHooks().RefreshStoreyTexts();
    if (flagChanged || view.GetMode() == 1) {
        view.ZoomExtents();
        CDisplayOptions::UpdateVisibleObjects();
        ModelHooks().InvalidateModel();
    }
    return true;
}

bool ChooseStoreyRange()
{
    const int n = theLevels.count;
    if (n < 1) return false;
    char texts[3][64];
    std::snprintf(texts[0], sizeof texts[0], "开始层号(0-%d):", n);
    std::snprintf(texts[1], sizeof texts[1], "结束层号(0-%d):", n);
    std::snprintf(texts[2], sizeof texts[2], "层号增量(1-%d):", n);
    const char* labels[] = {texts[0], texts[1], texts[2]};
    CLevelRange& r = theLevelRange;
    int v[3] = {r.first, r.last, r.step};
    if (!ValueDialogs().EditInts("选择层范围", 3, labels, v)) return false;
    const int cur = theLevels.current;
    if (v[0] > v[1] || v[0] < 0 || v[0] > n || v[1] < 0 || v[1] > n || v[2] < 1) {
        r.first = r.last = cur;
        r.step = 1;
    } else {
        r.first = v[0];
        r.last = v[1];
        r.step = v[2];
    }
    if (!r.Contains(cur)) theLevels.current = cur < r.first ? r.first : r.last;
    for (int s = r.first; s <= r.last; s += r.step)
        if (s >= -1 && s <= n) theLevels.Shown(s) = 1;
    ModelHooks().RefreshStoreyTexts();
    CDisplayOptions::UpdateVisibleObjects();
    ModelHooks().InvalidateModel();
    return true;
}

bool ShowDisplayOptionsSheet()
{
    if (!displaySheet.Get().Run(lastSheetPage)) return false;
    CDisplayOptions::UpdateVisibleObjects();
    ModelHooks().InvalidateModel();
    SetDocumentModified(1);
    return true;
}
