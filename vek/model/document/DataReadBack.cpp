// Model values that the solver's own model files do not carry, taken back
// from the solver's text data file: the unit system, the plane element type
// and the thicknesses of plane elements, the materials and thicknesses of
// shells.
#include <algorithm>

#include "korvalib/base/DataFile.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectOptions.h"

namespace {

// Passes over n lines; false at the end of the file.
bool SkipLines(DKorvaDataFile& f, int n)
{
    for (int i = 0; i < n; ++i)
        if (!f.ReadOneLine()) return false;
    return true;
}

// Sets one element's values, and those of the elements that the line's
// "G=n k" generates (numbers id + 1 .. id + n k - 1 that exist).
template <class Set>
void ApplyWithGeneration(DKorvaDataFile& f, CModelFamily& family, int id, Set set)
{
    const int pos = family.IndexOfID(id);
    if (pos >= 0) set(pos);
    int g[2] = {0, 0};
    if (f.ExtractInts("G", 2, g) < 2) return;
    const long long last = std::min<long long>(id + (long long)g[0] * g[1] - 1, family.GetLastID());
    for (long long other = id + 1; other <= last; ++other) {
        const int p = family.IndexOfID(int(other));
        if (p >= 0) set(p);
    }
}

void ReadPlaneThicknesses(DKorvaDataFile& f, CProjectOptions& o)
{
    if (!f.ReadOneLine()) return;
    int head[4] = {0, 0, 0, 0};
    f.ExtractInts(nullptr, 4, head);
    o.nPlaneElementType = uint8_t(head[2]);
    if (head[2] != 2 && head[2] != 3) return;
    const int groups = std::max(head[0], 1);
    for (int i = 0; i < groups; ++i) {
        if (!f.ReadOneLine()) return;
        int n = 0;
        f.ExtractInts(nullptr, 1, &n);
        if (!SkipLines(f, std::max(n, 1))) return;
    }
    if (!SkipLines(f, std::max(head[3], 0))) return;
    CModelFamily& planes = ModelFamily(EFamily::Planes);
    while (f.ReadOneLine() && !f.IsBlankLine()) {
        double h = 1.0;
        if (f.ExtractDoubles("H", 1, &h) < 1 || h < 1e-5) h = 1.0;
        int id = 0;
        if (f.ExtractInts(nullptr, 1, &id) < 1) return;
        const float t = float(h);
        ApplyWithGeneration(f, planes, id, [&](int pos) { planes.SetThickness(pos, &t, 1); });
    }
}

void ReadShellThicknesses(DKorvaDataFile& f)
{
    if (!f.ReadOneLine()) return;
    int m = 0, l = 0;
    f.ExtractInts(nullptr, 1, &m);
    m = std::max(m, 1);
    f.ExtractInts("M", 1, &m);
    f.ExtractInts("L", 1, &l);
    if (!SkipLines(f, std::max(m, 0) + std::max(l, 0))) return;
    CModelFamily& shells = ModelFamily(EFamily::Shells);
    while (f.ReadOneLine() && !f.IsBlankLine()) {
        int e = 0;
        f.ExtractInts("E", 1, &e);
        double h[2] = {0, 0};
        f.ExtractDoubles("H", 2, h);
        if (h[0] < 1e-8) h[0] = h[1] < 1e-8 ? 1.0 : h[1];
        if (h[1] < 1e-8) h[1] = h[0];
        int id = 0;
        if (f.ExtractInts(nullptr, 1, &id) < 1) return;
        const float t = float((h[0] + h[1]) / 2);
        const float four[4] = {t, t, t, t};
        ApplyWithGeneration(f, shells, id, [&](int pos) {
            shells.SetMaterial(pos, e);
            shells.SetThickness(pos, four, 4);
        });
    }
}

}  // namespace

void CProjectOptions::ReadBackDataFile(const char* path)
{
    DKorvaDataFile f;
    if (!path || !f.Open(path, 1)) {
        SetUnitSystem(0, 0);
        nPlaneElementType = 2;
        return;
    }
    if (f.GotoSection("SYSTEM") && f.ReadOneLine()) {
        int unit = -1;
        // Only the five unit systems there are; no conversion: the model was
        // built in the file's own units.
        if (f.ExtractInts("UNIT", 1, &unit) >= 1 && unit >= 0 && unit <= 4) SetUnitSystem(unit, 0);
    }
    if (ModelFamily(EFamily::Planes).GetCount() > 0 && f.GotoSection("PLANE")) ReadPlaneThicknesses(f, *this);
    if (ModelFamily(EFamily::Shells).GetCount() > 0 && f.GotoSection("SHELL")) ReadShellThicknesses(f);
    f.Close();
}
