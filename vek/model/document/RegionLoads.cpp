#include "vek/model/document/RegionLoads.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "vek/model/Binding.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/geometry/ModelGeometry.h"

CPanelTransferTables thePanelTransferTables;
RegionLoadColours theRegionLoadColours;

namespace {

CBinding<CPanelLoadRecords> records;

constexpr double kZero = 1e-5;
// Display switches: small regions' loads, and their numbers.
constexpr int kRegionLoadSwitch = 25;
constexpr int kRegionNumberSwitch = 28;

// The table entry of an element in a load case; null outside the table.
int* Entry(std::vector<std::vector<int>>& table, int loadCase, int id)
{
    if (loadCase < 1 || size_t(loadCase) > table.size() || id < 1) return nullptr;
    std::vector<int>& row = table[size_t(loadCase - 1)];
    return size_t(id) <= row.size() ? &row[size_t(id - 1)] : nullptr;
}

void AddToWall(int wall, int loadCase, double value)
{
    int* entry = Entry(thePanelTransferTables.walls, loadCase, wall);
    if (!entry || std::fabs(value) <= kZero) return;
    CPanelLoadRecords& r = PanelLoadRecords();
    r.StartWallRecord(*entry - 1);
    r.AddToWallRecord(value);
    if (r.WallRecordIsZero()) {
        *entry = 0;
        return;
    }
    const int index = r.StoreWallRecord();
    if (index >= 0) *entry = index + 1;
}

}  // namespace

CPanelLoadRecords& PanelLoadRecords()
{
    return records.Get();
}

CPanelLoadRecords* SetPanelLoadRecords(CPanelLoadRecords* r)
{
    return records.Set(r);
}

void AddPanelLoadToFrame(int element, int loadCase, int n, const double* x, const double* v)
{
    if (n < 1) return;
    if (element <= 0) {
        // A wall takes the resultant of the line load.
        double resultant = 0;
        for (int i = 0; i + 1 < n; ++i) resultant -= (v[i] + v[i + 1]) / 2 * std::fabs(x[i + 1] - x[i]);
        AddToWall(-element, loadCase, resultant);
        return;
    }
    bool any = false;
    for (int i = 0; i < n; ++i) any = any || std::fabs(v[i]) > kZero;
    int* entry = Entry(thePanelTransferTables.frames, loadCase, element);
    if (!any || !entry) return;
    CPanelLoadRecords& r = PanelLoadRecords();
    const int list = r.FrameLoadList(element);
    r.StartFrameRecord(list, *entry - 1);
    if (!r.AppendFrameLineLoad(element, n, x, v)) return;
    if (r.FrameRecordIsZero()) {
        *entry = 0;
        return;
    }
    const int index = r.StoreFrameRecord(list);
    if (index >= 0) *entry = index + 1;
}

void AddPanelValueLoadToFrame(int frame, int loadCase, double value, double p, int shape)
{
    if (std::fabs(value) <= kZero) return;
    // Relative positions: -p for the fraction p, -1 for the end.
    if (shape == 0) {
        const double x[2] = {-0.0, -1.0}, v[2] = {value, value};
        AddPanelLoadToFrame(frame, loadCase, 2, x, v);
        return;
    }
    if (p > 0.5) p = 1 - p;
    if (std::fabs(p - 0.5) >= kZero) {
        const double x[4] = {-0.0, -p, -(1 - p), -1.0}, v[4] = {0, value, value, 0};
        AddPanelLoadToFrame(frame, loadCase, 4, x, v);
    } else {
        const double x[3] = {-0.0, -0.5, -1.0}, v[3] = {0, value, 0};
        AddPanelLoadToFrame(frame, loadCase, 3, x, v);
    }
}

void AddPanelLoadToWall(int wall, double value, int loadCase)
{
    AddToWall(wall, loadCase, value);
}

bool SameRegionNodes(const std::vector<int>& a, const std::vector<int>& b)
{
    return IsSameIntSet(a.data(), int(a.size()), b.data(), int(b.size()));
}

namespace {

using Point = std::array<double, 3>;

Point Mid(const Point& a, const Point& b)
{
    return {(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2};
}

double Distance(const Point& a, const Point& b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

// The point at distance d from a towards b.
Point Towards(const Point& a, const Point& b, double d)
{
    const double len = Distance(a, b);
    if (len <= 0) return a;
    return {a[0] + (b[0] - a[0]) * d / len, a[1] + (b[1] - a[1]) * d / len, a[2] + (b[2] - a[2]) * d / len};
}

void DrawPattern(const CRegionDrawing& r, uint32_t colour)
{
    CModelCanvas& canvas = ModelCanvas();
    auto line = [&](const Point& a, const Point& b) { canvas.Line(a.data(), b.data(), colour, 1); };
    if (r.type == 4) {
        for (const Point& n : r.nodes) line(r.centre, n);
        return;
    }
    if (r.corners.size() < 4 || r.type < 1 || r.type > 3) return;
    const Point& c1 = r.corners[0];
    const Point& c2 = r.corners[1];
    const Point& c3 = r.corners[2];
    const Point& c4 = r.corners[3];
    // On equal lengths c1-c2 counts as the longer side.
    const bool firstLonger = Distance(c1, c2) >= Distance(c2, c3);
    // The shorter sides (a, b) and (c, d), then the longer ones.
    const Point* shortA[2] = {firstLonger ? &c2 : &c1, firstLonger ? &c3 : &c2};
    const Point* shortB[2] = {firstLonger ? &c4 : &c3, firstLonger ? &c1 : &c4};
    const Point* longA[2] = {firstLonger ? &c1 : &c2, firstLonger ? &c2 : &c3};
    const Point* longB[2] = {firstLonger ? &c3 : &c4, firstLonger ? &c4 : &c1};
    if (r.type == 1) {
        line(Mid(*shortA[0], *shortA[1]), Mid(*shortB[0], *shortB[1]));
    } else if (r.type == 2) {
        line(Mid(*longA[0], *longA[1]), Mid(*longB[0], *longB[1]));
    } else {
        // The ridge: half a shorter side in from each shorter side.
        const Point m1 = Mid(*shortA[0], *shortA[1]), m2 = Mid(*shortB[0], *shortB[1]);
        const double half = Distance(*shortA[0], *shortA[1]) / 2;
        const Point e1 = Towards(m1, m2, half), e2 = Towards(m2, m1, half);
        line(e1, e2);
        line(*shortA[0], e1);
        line(*shortA[1], e1);
        line(*shortB[0], e2);
        line(*shortB[1], e2);
    }
}

}  // namespace

void DrawRegionLoads(const CRegionDrawing& r)
{
    CModelCanvas& canvas = ModelCanvas();
    const uint32_t colour = r.selected ? theRegionLoadColours.selected : theRegionLoadColours.normal;
    if (theDisplayOptions.Switch(kRegionNumberSwitch) && r.labelled) {
        char text[24];
        std::snprintf(text, sizeof text, "%d", r.number);
        canvas.Text(r.centre.data(), text, colour, kAlignCenter, 0);
    }
    if (!theDisplayOptions.Switch(kRegionLoadSwitch) || r.loads.empty()) return;
    DrawPattern(r, colour);
    if (!r.labelled) return;
    std::string block;
    for (size_t i = r.loads.size(); i-- > 0;) {
        char line[64];
        std::snprintf(line, sizeof line, "%d:%.4g", r.loads[i].first, r.loads[i].second);
        if (!block.empty()) block += "\n";
        block += line;
    }
    canvas.Text(r.centre.data(), block.c_str(), colour, kAlignCenter, 0);
}
