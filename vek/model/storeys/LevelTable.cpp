#include "vek/model/storeys/LevelTable.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "korvalib/base/biostream.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/LayerList.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ProjectGlobals.h"

CLevelTable theLevels;
CLevelRange theLevelRange;

bool CLevelRange::Contains(int s) const
{
    return s >= first && s <= last && (step < 2 || (s - first) % step == 0);
}

bool CLevelRange::Write(bofstream& out) const
{
    out << first << last << step;
    return out.IsGood() != 0;
}

bool CLevelRange::Read(bifstream& in)
{
    int32_t v[3] = {};
    if (nPrjVersion < 600) in.Seek(4, 1);
    in >> v[0] >> v[1] >> v[2];
    if (!in.IsGood()) return false;
    first = v[0];
    last = v[1];
    step = v[2] < 1 ? 1 : v[2];
    return true;
}

void CLevelTable::Reset()
{
    count = 0;
    current = 0;
    std::fill(std::begin(heights), std::end(heights), 0.0);
    std::fill(std::begin(elevations), std::end(elevations), 0.0);
    baseElevation = 0;
    std::fill(std::begin(flags), std::end(flags), uint8_t(1));
}

void CLevelTable::ScaleUnits(double L)
{
    if (count <= 0) return;
    for (int i = 0; i < count && i < 200; ++i) heights[i] *= L;
    for (int i = 0; i < count && i < 199; ++i) elevations[i] *= L;
    baseElevation *= L;
}

double CLevelTable::GetElevation(int s) const
{
    if (s < 0 || s > count) return 0.0;
    if (s == 0) return baseElevation;
    return elevations[s - 1];
}

int CLevelTable::FindStorey(double z) const
{
    if (count < 1) return -1;
    const double zz = z - std::min(double(theProjectOptions.fVertNodeSpacing), 0.001);
    if (zz < 0) return 0;
    if (zz >= elevations[count - 1]) return count;
    // Smallest k with zz < E(k); E(k - 1) <= zz then.
    int lo = 1, hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (zz < elevations[mid - 1])
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

bool CLevelTable::ShowCurrentStorey()
{
    CLevelRange& r = theLevelRange;
    if (current < r.first || current > r.last) {
        r.first = r.last = current;
        r.step = 1;
    } else if (!r.Contains(current)) {
        r.step = 1;
    }
    bool changed = false;
    auto show = [&](int s) {
        if (s < -1 || s > count) return;
        if (!Shown(s)) changed = true;
        Shown(s) = 1;
    };
    if (ModelProjection().GetMode() == 1) {
        for (int s = r.first; s <= r.last; s += std::max(1, int(r.step))) show(s);
    } else {
        show(current);
    }
    return changed;
}

void CLevelTable::RecomputeElevations()
{
    double sum = 0;
    for (int i = 0; i < count && i < 199; ++i) {
        sum += heights[i];
        elevations[i] = sum;
    }
}

double CLevelTable::SmallestHeight() const
{
    double h = count > 0 ? heights[0] : 0.0;
    for (int i = 1; i < count; ++i) h = std::min(h, heights[i]);
    return h;
}

bool CLevelTable::Write(bofstream& out) const
{
    out << count << current;
    out.Write(heights, sizeof heights);
    out.Write(elevations, sizeof elevations);
    out << baseElevation;
    out.Write(flags, sizeof flags);
    return out.IsGood() != 0;
}

bool CLevelTable::Read(bifstream& in)
{
    CLevelTable t;
    in >> t.count >> t.current;
    if (!in.IsGood() || t.count < 0 || t.count > kMaxStoreys) {
        in.SetFailed();
        return false;
    }
    in.Read(t.heights, sizeof t.heights);
    in.Read(t.elevations, sizeof t.elevations);
    in >> t.baseElevation;
    if (nPrjVersion < 600) in.Seek(24, 1);
    if (nPrjVersion >= 480)
        in.Read(t.flags, sizeof t.flags);
    else
        std::fill(std::begin(t.flags), std::end(t.flags), uint8_t(1));
    if (!in.IsGood()) return false;
    if (t.current < 0 || t.current > t.count) t.current = t.count > 0 ? 1 : 0;
    *this = t;
    return true;
}

void CLevelTable::Export(CKvdDataSet& set)
{
    if (count < 0) count = 0;
    for (int k = 0; k <= count + 1; ++k) {
        DLevelBase rec;
        rec.m_sNumber = int16_t(k + 1);
        rec.m_cFlag = char(flags[k]);
        rec.m_fReal1 = k < 2 ? 0.0f : float(elevations[k - 2]);
        rec.m_fReal2 = k < 2 ? 0.0f : float(heights[k - 2]);
        set.levels.push_back(rec);
    }
}

void ExportLevelsAndLayers(CKvdDataSet* set)
{
    if (!set) return;
    theLevels.Export(*set);
    theLayers.Export(*set);
}
