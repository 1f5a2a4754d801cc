#include "vek/model/storeys/StoreyCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "korvalib/model/CommonData.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/Binding.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

CBinding<CStoreyHeightDialog> heightDialog;

bool SameHeight(double a, double b)
{
    return std::fabs(a - b) <= 1e-5;
}
bool ZeroHeight(double h)
{
    return std::fabs(h) <= 1e-5;
}

}  // namespace

CStoreyHeightDialog* SetStoreyHeightDialog(CStoreyHeightDialog* dialog)
{
    return heightDialog.Set(dialog);
}

bool InputStoreyCount()
{
    const int old = theLevels.count;
    if (old > 0 && AppMessageBox("之前已经输入了总层数，最好通过其它菜单增加或删除层，是否需重在此新修改总层数吗？",
                                 MB_YESNO) != IDYES)
        return false;
    int value = old;
    const char* label = "总层数:";
    for (;;) {
        if (!ValueDialogs().EditInts("总层数输入", 1, &label, &value)) return false;
        if (value >= 1 && value <= kMaxStoreys) break;
        AppMessageBox("总层数必须在1-199之间，请重新输入!");
    }
    if (!theStoreyLists.Recreate(value, old > 0 ? std::min(old, value) : -1)) {
        AppMessageBox("内存不够, 无法继续!");
        return false;
    }
    theLevels.count = value;
    ModelHooks().ClearUndo();
    ModelHooks().RefreshStoreyTexts();
    return true;
}

std::vector<CStoreyHeightRow> FillHeightRows()
{
    std::vector<CStoreyHeightRow> rows;
    const int n = theLevels.count;
    if (n < 1) return rows;
    const double* h = theLevels.heights;
    int differs = 0;  // first storey (1-based) whose height differs from the first's
    for (int k = 2; k <= n && !differs; ++k)
        if (!SameHeight(h[k - 1], h[0])) differs = k;
    if (!ZeroHeight(h[0])) rows.push_back({differs ? differs - 1 : n, h[0]});
    if (differs && n >= 2) {
        double last = h[0];
        for (int k = 2; k <= n; ++k) {
            if (!SameHeight(h[k - 1], last) && !ZeroHeight(h[k - 1])) {
                rows.push_back({k, h[k - 1]});
                last = h[k - 1];
            }
        }
    }
    return rows;
}

bool CheckHeightRows(const std::vector<CStoreyHeightRow>& rows)
{
    if (rows.empty()) {
        AppMessageBox("没有输入任何层高数据！");
        return false;
    }
    bool ok = true;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].storey < 1 || rows[i].storey > theLevels.count) {
            char text[64];
            std::snprintf(text, sizeof text, "第%d行层号越界!", int(i + 1));
            AppMessageBox(text);
            ok = false;
        }
    }
    return ok;
}

void ApplyHeightRows(const std::vector<CStoreyHeightRow>& rows)
{
    const int n = theLevels.count;
    if (rows.empty() || n < 1) return;
    auto give = [&](int from, int to, double h) {
        for (int s = std::max(from, 1); s <= std::min(to, n); ++s) theLevels.heights[s - 1] = h;
    };
    give(1, rows.front().storey, rows.front().height);
    for (size_t i = 0; i + 1 < rows.size(); ++i) give(rows[i].storey, rows[i + 1].storey - 1, rows[i].height);
    give(rows.back().storey, n, rows.back().height);
}

void ShiftNodesForHeights(const double* oldElev)
{
    const int n = theLevels.count;
    if (n < 1 || oldElev[n - 1] <= 0.1) return;
    double shift[kMaxStoreys];
    for (int k = 0; k < n; ++k) shift[k] = theLevels.elevations[k] - oldElev[k];
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    for (int pos : Positions(nodes)) {
        const int id = nodes.GetID(pos);
        double p[3];
        if (!nodes.GetCoordinates(id, p)) continue;
        const int s = nodes.GetStorey(pos);
        const double z = p[2];
        double dz = 0;
        if (s >= 1) {
            dz = shift[std::min(s, n) - 1];
        } else if (s == 0 || z <= 0) {
            continue;
        } else {
            int j = 0;
            while (j < n && !(oldElev[j] > z)) ++j;
            if (j == n)
                dz = shift[n - 1];
            else if (j == 0)
                dz = z * shift[0] / oldElev[0];
            else
                dz = shift[j - 1] + (shift[j] - shift[j - 1]) * (z - oldElev[j - 1]) / (oldElev[j] - oldElev[j - 1]);
        }
        if (dz == 0) continue;
        p[2] = z + dz;
        nodes.SetCoordinates(id, p);
    }
}

bool InputStoreyHeights()
{
    const int n = theLevels.count;
    if (n < 1) {
        AppMessageBox("没有输入总层数!");
        return false;
    }
    std::vector<CStoreyHeightRow> rows = FillHeightRows();
    do {
        if (!heightDialog.Get().Edit(rows)) return false;
    } while (!CheckHeightRows(rows));

    double oldElev[kMaxStoreys];
    std::copy(theLevels.elevations, theLevels.elevations + n, oldElev);
    ApplyHeightRows(rows);
    theLevels.RecomputeElevations();
    ShiftNodesForHeights(oldElev);

    ModelProjection().SetPlanElevation(theLevels.elevations[0]);
    theLevels.current = 1;
    theLevelRange.first = theLevelRange.last = 1;
    ModelHooks().RefreshStoreyTexts();
    ModelProjection().SetModelTop(theLevels.elevations[n - 1]);
    ModelHooks().ClearUndo();
    CheckVerticalSpacing();
    ModelHooks().InvalidateModel();
    return true;
}

void CProjectOptions::CheckVerticalSpacing()
{
    ::CheckVerticalSpacing();
}

void CheckVerticalSpacing()
{
    if (theLevels.count < 1) return;
    const double h = std::max(theLevels.SmallestHeight(), 1e-10);
    const double v = theProjectOptions.fVertNodeSpacing;
    if (v > h / 19.9 && v > 0.05 * DCommonData::DimensionFactor(theProjectOptions.GetUnitCode()) &&
        AppMessageBox("输入的节点竖向最小间距相对于最小的层高而言可能过大，是否采用您输入的间距？", MB_YESNO) == IDNO)
        theProjectOptions.fVertNodeSpacing = float(float(h / 20));
}
