// The SPECTRUM section of the solver data file read back into the spectrum
// directions and the project's spectrum settings, for result sets whose
// project does not say which directions the solver used.
#include <algorithm>
#include <cmath>
#include <vector>

#include "korvalib/base/DataFile.h"
#include "korvalib/model/CommonData.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/results/Result.h"

namespace {

// Bounds of what a section may declare; beyond them it is damaged.
constexpr int kMaxDirections = 64;
constexpr int kMaxCurves = 64;
constexpr int kMaxModes = 32767;
constexpr int kMaxCurvePoints = 100000;

int RoundToInt(double v)
{
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9)));
}

template <class T>
bool FillArray(MLArray<T>& a, const std::vector<T>& v)
{
    if (!a.SetSize(0) || !a.SetSize(int(v.size()))) return false;
    for (const T& x : v)
        if (!a.Add(x)) return false;
    return true;
}

// One value under key, or the default when the line does not hold the key.
double Value(const DKorvaDataFile& f, const char* key, double otherwise)
{
    double v = otherwise;
    return f.ExtractDoubles(key, 1, &v) > 0 ? v : otherwise;
}

// Reads one curve line (and a table after it) into s; the table only when
// keep is set. false when the file ends before the curve's own line.
bool ReadCurve(DKorvaDataFile& f, CSpectrumSettings& s, bool keep)
{
    if (!f.ReadOneLine()) return false;
    const int type = RoundToInt(Value(f, "S", 1));
    if (type == 1 || type == 2) {
        if (!keep) return true;
        s.kind = uint8_t(type);
        if (type == 1) {
            double i[2] = {7.0, 1};
            if (f.ExtractDoubles("I", 2, i) == 1) i[1] = 1;
            s.intensity = float(i[0]);
            s.occurrence = uint8_t(std::clamp(RoundToInt(i[1]), 0, 255));
            s.highAcceleration = uint8_t(std::clamp(RoundToInt(Value(f, "ACC", 0)), 0, 255));
            s.alphaMax = float(Value(f, "ALFA", 0));
            double m[2] = {2.0, 1};
            if (f.ExtractDoubles("M", 2, m) == 1) m[1] = 1;
            s.siteClass = float(m[0]);
            s.designGroup = uint8_t(std::clamp(RoundToInt(m[1]), 0, 255));
            s.tg = float(Value(f, "T", 0));
        } else {
            s.intensity = float(Value(f, "I", 7.0));
            s.alphaMax = float(Value(f, "AH", 0));
            s.betaMax = float(Value(f, "BETA", 2.0));
            s.tg = float(Value(f, "TG", 0));
        }
        return true;
    }
    // A table: its point count on the next line, then periods and values.
    if (!f.ReadOneLine()) return false;
    const double declared = Value(f, "N", 0);
    if (!(declared >= 0 && declared <= kMaxCurvePoints)) return false;
    const int n = RoundToInt(declared);
    std::vector<double> periods, values, buf(size_t(n) + 1);
    int kind = 0;
    for (;;) {
        const int wantT = n - int(periods.size());
        if (wantT > 0) {
            const int got = f.ExtractDoubles("T", wantT, buf.data());
            periods.insert(periods.end(), buf.begin(), buf.begin() + got);
        }
        const int wantV = n - int(values.size());
        static const char* const keys[3] = {"A", "A98", "AR"};
        for (int k = 0; k < 3 && wantV > 0; ++k) {
            const int got = f.ExtractDoubles(keys[k], wantV, buf.data());
            if (got == 0) continue;
            kind = k + 1;
            values.insert(values.end(), buf.begin(), buf.begin() + got);
            break;
        }
        if ((int(periods.size()) >= n && int(values.size()) >= n) || !f.ReadOneLine()) break;
    }
    if (!keep) return true;
    const double L = DCommonData::DimensionFactor(theProjectOptions.GetUnitCode());
    double factor = 1;
    if (type == 10)
        factor = kind == 1 ? 0.1020408163265306 / L : kind == 2 ? 0.10204081 : 1;
    else
        factor = kind == 2 ? L : kind == 3 ? 9.8 * L : 1;
    const size_t points = std::min(periods.size(), values.size());
    std::vector<TimeLoadPoint> curve(points);
    for (size_t i = 0; i < points; ++i) curve[i] = {float(periods[i]), float(values[i] * factor)};
    s.kind = uint8_t(std::clamp(type, 0, 255));
    return FillArray(s.curve, curve);
}

}  // namespace

int CResult::ReadSpectrumSection()
{
    char path[260];
    GetFileName(path);
    DKorvaDataFile f;
    if (!path[0] || !f.Open(path, 1)) return 0;
    if (!f.GotoSection("SPECTRUM") || !f.ReadOneLine()) return 0;

    // Header: directions, curves, modes and their numbers, factors.
    const double nd = Value(f, "N", 1), nu = Value(f, "U", 0), nk = Value(f, "K", m_nMode);
    if (!(nd >= 1 && nd <= kMaxDirections && nu >= 0 && nu <= kMaxCurves && nk >= 0 && nk <= kMaxModes)) return 0;
    const int N = RoundToInt(nd), U = RoundToInt(nu), K = RoundToInt(nk);
    CSpectrumSettings s(theSpectrumParameters);
    std::vector<short> modes(static_cast<size_t>(K));
    std::vector<float> floats(size_t(K), 0.0f);
    std::vector<double> buf(size_t(K) + 1);
    for (int i = 0; i < K; ++i) modes[size_t(i)] = short(i + 1);
    if (K > 0 && f.ExtractDoubles("V", K, buf.data()) > 0)
        for (int i = 0; i < K; ++i) {
            if (!(buf[size_t(i)] >= 1 && buf[size_t(i)] <= kMaxModes)) return 0;
            modes[size_t(i)] = short(RoundToInt(buf[size_t(i)]));
        }
    if (K > 0 && f.ExtractDoubles("D", K, buf.data()) > 0)
        for (int i = 0; i < K; ++i) floats[size_t(i)] = float(buf[size_t(i)]);
    s.periodFactor = float(Value(f, "F", 1.0));
    s.combination = uint8_t(std::clamp(RoundToInt(Value(f, "Q", s.combination)), 0, 255));
    double e[2] = {0, 0};
    f.ExtractDoubles("E", 2, e);
    s.ck = float(e[0]);
    s.cm = float(e[1]);
    if (!FillArray(s.modes, modes) || !FillArray(s.dampings, floats)) return 0;

    for (int u = 0; u < U; ++u)
        if (!ReadCurve(f, s, u == 0)) return 0;

    // Directions: one record filled line after line, so a missing "D" keeps
    // the previous direction's values.
    std::vector<DSpectrumDir> dirs;
    DSpectrumDir d;
    for (int j = 0; j < N; ++j) {
        if (!f.ReadOneLine()) return 0;
        float v[4] = {d.m_fDir[0], d.m_fDir[1], d.m_fDir[2], d.m_fFactor};
        f.ExtractFloats("D", 4, v);
        d.m_fDir[0] = v[0];
        d.m_fDir[1] = v[1];
        d.m_fDir[2] = v[2];
        d.m_fFactor = v[3];
        d.m_sCode = int16_t(std::clamp(RoundToInt(Value(f, "M", 0)), -32768, 32767));
        dirs.push_back(d);
    }

    theSpectrumParameters = s;
    m_SpectrumDirs.RemoveAll();
    for (DSpectrumDir& dir : dirs) m_SpectrumDirs.Add(dir);
    return 1;
}
