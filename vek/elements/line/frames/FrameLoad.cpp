#include "vek/elements/line/frames/FrameLoad.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/CommonData.h"
#include "vek/model/ProjectGlobals.h"

MLArray<CFrameLoad> theFrameLoads;

namespace {

constexpr double kZero = 1e-5;
const char* const kKeywords[3][6] = {{"PX", "PY", "PZ", "P1", "P2", "P3"},
                                     {"MXX", "MYY", "MZZ", "M11", "M22", "M33"},
                                     {"FX", "FY", "FZ", "F1", "F2", "F3"}};
const char* const kGroupNames[3] = {"折线荷载", "跨内集中弯矩", "跨内集中力"};

struct Pt {
    double x, v;
};

std::vector<Pt> PointsOf(const DLoadPoints& p)
{
    std::vector<Pt> out;
    for (int i = 0; i < p.Entries(); ++i) out.push_back({p.m_pX[i], p.m_pV[i]});
    return out;
}

void SetPointsOf(DLoadPoints& p, const std::vector<Pt>& pts)
{
    std::vector<double> x, v;
    for (const Pt& q : pts) {
        x.push_back(q.x);
        v.push_back(q.v);
    }
    if (pts.empty())
        p.Clear();
    else
        p.SetPoints(int(pts.size()), x.data(), v.data());
}

template <class F>
void ForEachList(CFrameLoad& l, F f)
{
    for (auto& g : l.m_Points)
        for (DLoadPoints& p : g) f(p);
}

// A polyline load cut at s (a position in the list's own measure).
void SplitLine(const std::vector<Pt>& pts, double s, std::vector<Pt>& first, std::vector<Pt>& second)
{
    const double e = LoadError;
    bool switched = false;
    for (size_t i = 0; i < pts.size(); ++i) {
        const Pt& q = pts[i];
        if (!switched) {
            if (q.x < s - e) {
                first.push_back(q);
                continue;
            }
            if (std::fabs(q.x - s) <= e) {
                first.push_back({s, q.v});
                second.push_back({0, q.v});
                switched = true;
                continue;
            }
            if (!first.empty()) {
                const Pt& p = pts[i - 1];
                const double v = q.x - p.x > 0 ? p.v + (q.v - p.v) * (s - p.x) / (q.x - p.x) : q.v;
                first.push_back({s, v});
                second.push_back({0, v});
            }
            switched = true;
        }
        second.push_back({q.x - s, q.v});
    }
    if (first.size() == 1) first.clear();
    if (second.size() == 1) second.clear();
}

void SplitLineLoad(const DLoadPoints& list, double L, double a, DLoadPoints& first, DLoadPoints& second)
{
    first.Clear();
    second.Clear();
    if (list.IsZero() || L <= LoadError) return;
    if (a <= LoadError) {
        second = list;
        return;
    }
    if (L - a <= LoadError) {
        first = list;
        return;
    }
    const bool relative = IsRelativeList(list);
    std::vector<Pt> pts = PointsOf(list);
    if (relative)
        for (Pt& p : pts) p.x = -p.x;
    std::vector<Pt> f, s;
    const double at = relative ? a / L : a;
    SplitLine(pts, at, f, s);
    if (relative) {
        for (Pt& p : f) p.x = p.x > 0 ? -p.x / at : 0.0;
        for (Pt& p : s) p.x = p.x > 0 ? -p.x / (1 - at) : 0.0;
    }
    SetPointsOf(first, f);
    SetPointsOf(second, s);
}

void SplitPointLoad(const DLoadPoints& list, double L, double a, DLoadPoints& first, DLoadPoints& second)
{
    std::vector<Pt> f, s;
    for (const Pt& q : PointsOf(list)) {
        const bool rel = q.x < 0;
        const double abs = rel ? -q.x * L : q.x;
        if (abs <= a) {
            f.push_back({rel ? (a > 0 ? -abs / a : 0.0) : q.x, q.v});
        } else {
            const double d = abs - a;
            s.push_back({rel ? (L - a > 0 ? -d / (L - a) : 0.0) : d, q.v});
        }
    }
    SetPointsOf(first, f);
    SetPointsOf(second, s);
}

}  // namespace

bool IsRelativeList(const DLoadPoints& p)
{
    for (int i = 0; i < p.Entries(); ++i)
        if (std::fabs(p.m_pX[i]) > LoadError) return p.m_pX[i] < 0;
    return false;
}

const char* FrameLoadKeyword(int group, int direction)
{
    return kKeywords[group][direction];
}

void CFrameLoad::Clear()
{
    m_fPrestress = 0;
    for (float& t : m_fTemp) t = 0;
    ForEachList(*this, [](DLoadPoints& p) { p.Clear(); });
}

int CFrameLoad::IsZero() const
{
    if (std::fabs(m_fPrestress) > kZero) return 0;
    for (float t : m_fTemp)
        if (std::fabs(t) > kZero) return 0;
    for (const auto& g : m_Points)
        for (const DLoadPoints& p : g)
            if (!p.IsZero()) return 0;
    return 1;
}

int CFrameLoad::IsEqual(const CFrameLoad& o) const
{
    if (std::fabs(m_fPrestress - o.m_fPrestress) > kZero) return 0;
    for (int i = 0; i < 3; ++i)
        if (std::fabs(m_fTemp[i] - o.m_fTemp[i]) > kZero) return 0;
    for (int g = 0; g < 3; ++g)
        for (int d = 0; d < 6; ++d)
            if (!(m_Points[g][d] == o.m_Points[g][d])) return 0;
    return 1;
}

int CFrameLoad::Write(bofstream& out)
{
    out << m_fPrestress;
    out.Write(m_fTemp, 12);
    ForEachList(*this, [&out](DLoadPoints& p) { p.Serialize(out); });
    return out.IsGood();
}

int CFrameLoad::Read(bifstream& in)
{
    Clear();
    const int v = nPrjVersion;
    if (v > 610) in >> m_fPrestress;
    if (v > 520) in.Read(m_fTemp, 12);
    ForEachList(*this, [&in](DLoadPoints& p) {
        if (in.IsGood()) p.Serialize(in);
    });
    return in.IsGood();
}

void CFrameLoad::ScaleUnits(double F, double L)
{
    m_fPrestress = float(m_fPrestress * F);
    const double factor[3] = {F / L, F * L, F};
    for (int g = 0; g < 3; ++g)
        for (DLoadPoints& p : m_Points[g])
            for (int i = 0; i < p.Entries(); ++i) {
                if (p.m_pX[i] >= 0) p.m_pX[i] = float(p.m_pX[i] * L);
                p.m_pV[i] = float(p.m_pV[i] * factor[g]);
            }
}

void CFrameLoad::GetText(std::string& out) const
{
    char line[128];
    if (std::fabs(m_fPrestress) > kZero) {
        std::snprintf(line, sizeof line, "\r\n  轴向预应力:%.3f", m_fPrestress);
        out += line;
    }
    if (std::fabs(double(m_fTemp[0]) + m_fTemp[1] + m_fTemp[2]) > kZero) {
        out += "\r\n  温度荷载:";
        if (std::fabs(m_fTemp[0]) > kZero) {
            std::snprintf(line, sizeof line, "\r\n  轴向整体升温%.2f度", m_fTemp[0]);
            out += line;
        }
        if (std::fabs(m_fTemp[1]) > kZero || std::fabs(m_fTemp[2]) > kZero) {
            std::snprintf(line, sizeof line, "\r\n   截面2,3方向的温度梯度:\r\n   %.2f度和%.2f度", m_fTemp[1],
                          m_fTemp[2]);
            out += line;
        }
    }
    for (int g = 0; g < 3; ++g)
        for (int d = 0; d < 6; ++d) {
            const DLoadPoints& p = m_Points[g][d];
            if (p.Entries() < 1) continue;
            std::snprintf(line, sizeof line, "\r\n  %s%s=", kGroupNames[g], kKeywords[g][d]);
            out += line;
            for (int i = 0; i < p.Entries(); ++i) {
                std::snprintf(line, sizeof line, "\r\n  %.3f %.3f", p.m_pX[i], p.m_pV[i]);
                out += line;
            }
        }
}

void CFrameLoad::WriteDataLoads(DKorvaDataFile& file) const
{
    if (std::fabs(m_fTemp[0]) + std::fabs(m_fTemp[1]) + std::fabs(m_fTemp[2]) > kZero)
        file << "T=" << m_fTemp[0] << m_fTemp[1] << m_fTemp[2];
    for (int g = 0; g < 3; ++g)
        for (int d = 0; d < 6; ++d) {
            const DLoadPoints& p = m_Points[g][d];
            if (p.Entries() < 1) continue;
            file << kKeywords[g][d] << "=";
            for (int i = 0; i < p.Entries(); ++i) {
                double x = p.m_pX[i];
                // The solver takes a point at the very end as lying beyond
                // it; a position too small to move stays (it would turn
                // into a relative one).
                if (i == p.Entries() - 1 && x > 0.0005) x -= 0.0005;
                file << x << double(p.m_pV[i]);
            }
        }
    file << wrap;
}

bool CFrameLoad::PointsWithin(double length) const
{
    for (const auto& g : m_Points)
        for (const DLoadPoints& p : g)
            for (int i = 0; i < p.Entries(); ++i) {
                const double x = p.m_pX[i];
                if (x > length + 1e-5 || x < -1.00001) return false;
            }
    return true;
}

void CFrameLoad::Split(double L, double a, CFrameLoad& first, CFrameLoad& second) const
{
    first.Clear();
    second.Clear();
    first.m_fPrestress = second.m_fPrestress = m_fPrestress;
    for (int i = 0; i < 3; ++i) first.m_fTemp[i] = second.m_fTemp[i] = m_fTemp[i];
    for (int d = 0; d < 6; ++d) {
        SplitLineLoad(m_Points[0][d], L, a, first.m_Points[0][d], second.m_Points[0][d]);
        for (int g = 1; g < 3; ++g) SplitPointLoad(m_Points[g][d], L, a, first.m_Points[g][d], second.m_Points[g][d]);
    }
}

void MirrorLoadPoints(DLoadPoints& points, double length)
{
    const double l = IsRelativeList(points) ? -1.0 : length;
    std::vector<Pt> pts = PointsOf(points);
    std::vector<Pt> out(pts.rbegin(), pts.rend());
    for (Pt& p : out) p.x = l - p.x;
    SetPointsOf(points, out);
}

void MergeLoadPoints(DLoadPoints& merged, double L1, double L2, const DLoadPoints& list1, const DLoadPoints& list2,
                     int mode, bool distributed)
{
    merged.Clear();
    if ((list1.IsZero() && list2.IsZero()) || std::fabs(L1 + L2) <= LoadError) return;
    DLoadPoints a = list1, b = list2;
    double la = L1, lb = L2;
    switch (mode) {
        case 1: std::swap(a, b), std::swap(la, lb); break;
        case 2: break;
        case 3:
            MirrorLoadPoints(b, L2);
            std::swap(a, b), std::swap(la, lb);
            break;
        default: MirrorLoadPoints(b, L2); break;
    }
    const bool relative = IsRelativeList(a);
    std::vector<Pt> out;
    auto add = [&out](const DLoadPoints& p, double length, double shift) {
        const bool rel = IsRelativeList(p);
        for (Pt q : PointsOf(p)) {
            if (rel && q.x < 0) q.x = -q.x * length;
            q.x += shift;
            out.push_back(q);
        }
    };
    add(a, la, 0);
    add(b, lb, la);
    if (relative)
        for (Pt& q : out) q.x = q.x > 0 ? -q.x / (L1 + L2) : 0.0;
    SetPointsOf(merged, out);
    if (distributed) merged.RemoveSamePointOfLineLoad();
}

void CFrameLoad::Merge(double L1, double L2, const CFrameLoad& a, const CFrameLoad& b, int mode, CFrameLoad& out)
{
    out.Clear();
    out.m_fPrestress = (a.m_fPrestress + b.m_fPrestress) / 2;
    for (int i = 0; i < 3; ++i) out.m_fTemp[i] = (a.m_fTemp[i] + b.m_fTemp[i]) / 2;
    for (int g = 0; g < 3; ++g)
        for (int d = 0; d < 6; ++d)
            MergeLoadPoints(out.m_Points[g][d], L1, L2, a.m_Points[g][d], b.m_Points[g][d], mode, g == 0);
}

int FindOrAddFrameLoad(const CFrameLoad& load)
{
    if (load.IsZero()) return 0;
    int at = 0;
    if (theFrameLoads.Find(load, 0, at)) return at + 1;
    if (!theFrameLoads.Add(load)) return 0;
    return theFrameLoads.GetSize();
}
