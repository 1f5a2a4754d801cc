#include "vek/model/analysis/SpectrumSettings.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/AnalysisRecords.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ProjectGlobals.h"

CSpectrumSettings theSpectrumSettings;
CSpectrumSettings& theSpectrumPara = theSpectrumSettings;
CSpectrumSettings& theSpectrumParameters = theSpectrumSettings;

namespace {

constexpr double kDegree = 0.017453292519943295;

template <class T>
T& At(MLArray<T>& a, int i)
{
    return *a.GetAt(i);
}

}  // namespace

void CSpectrumSettings::SetDefaults()
{
    angle1 = 0;
    angle2 = 90;
    direction1On = direction2On = verticalOn = 0;
    seismicGrade = 2;
    periodFactor = 1;
    combination = 0;
    ck = cm = 0;
    kind = 1;
    intensity = 7;
    occurrence = 1;
    highAcceleration = 0;
    alphaMax = 0;
    siteClass = 2;
    designGroup = 1;
    tg = 0;
    betaMax = 2;
    modes.SetSize(0);
    dampings.SetSize(0);
    for (short k = 1; k <= 10; ++k) {
        modes.Add(k);
        dampings.Add(0.0f);
    }
}

void CSpectrumSettings::BuildDirections(std::vector<DSpectrumDir>& list) const
{
    if (direction1On)
        list.emplace_back(1, float(std::cos(angle1 * kDegree)), float(std::sin(angle1 * kDegree)), 0.0f, 1.0f);
    if (direction2On)
        list.emplace_back(1, float(std::cos(angle2 * kDegree)), float(std::sin(angle2 * kDegree)), 0.0f, 1.0f);
    if (verticalOn) list.emplace_back(1, 0.0f, 0.0f, 1.0f, 1.0f);
}

void CSpectrumSettings::ScaleCurve(double factor)
{
    if (kind != 11) return;
    for (int i = 0; i < curve.GetSize(); ++i) At(curve, i).value = float(At(curve, i).value * factor);
}

bool CSpectrumSettings::Write(bofstream& out) const
{
    auto& self = const_cast<CSpectrumSettings&>(*this);
    out << angle1 << angle2 << direction1On << direction2On << verticalOn << seismicGrade << intensity << occurrence
        << alphaMax << siteClass << designGroup << tg << periodFactor << kind << combination << ck << cm << betaMax
        << highAcceleration;
    const int n = std::min(modes.GetSize(), dampings.GetSize());
    out << int32_t(n);
    for (int i = 0; i < n; ++i) out << At(self.modes, i) << At(self.dampings, i);
    out << int32_t(curve.GetSize());
    for (int i = 0; i < curve.GetSize(); ++i) out << At(self.curve, i).x << At(self.curve, i).value;
    return out.IsGood() != 0;
}

bool CSpectrumSettings::Read(bifstream& in)
{
    const int v = nPrjVersion;
    if (v < 600) {
        if (v < 460) {
            in.Seek(16, 1);
        } else if (v < 520) {
            in.Seek(18, 1);
        } else {
            in.Seek(40, 1);
            int16_t c = 0;
            in >> c;
            if (!in.IsGood() || c < 0 || !in.CheckAvailable(4 * int64_t(c) + 1)) {
                in.SetFailed();
                return false;
            }
            in.Seek(4 * long(c) + 1, 1);
        }
        return in.IsGood() != 0;
    }
    CSpectrumSettings r;
    r.kind = kind;
    r.betaMax = betaMax;
    r.highAcceleration = highAcceleration;
    in >> r.angle1 >> r.angle2 >> r.direction1On >> r.direction2On >> r.verticalOn >> r.seismicGrade >> r.intensity >>
        r.occurrence >> r.alphaMax >> r.siteClass >> r.designGroup >> r.tg >> r.periodFactor >> r.kind >>
        r.combination >> r.ck >> r.cm;
    if (v < 700 && r.kind == 0) r.kind = 10;
    if (v > 680) in >> r.betaMax;
    if (v > 705) in >> r.highAcceleration;
    int32_t n = 0;
    in >> n;
    if (!in.IsGood() || n < 0 || !in.CheckAvailable(int64_t(n) * 6) || !r.modes.SetSize(0) || !r.dampings.SetSize(0) ||
        !r.modes.SetSize(n) || !r.dampings.SetSize(n)) {
        in.SetFailed();
        return false;
    }
    for (int i = 0; i < n && in.IsGood(); ++i) {
        short mode = 0;
        float damping = 0;
        in >> mode >> damping;
        r.modes.Add(mode);
        r.dampings.Add(damping);
    }
    int32_t m = 0;
    in >> m;
    if (!in.IsGood() || m < 0 || !in.CheckAvailable(int64_t(m) * 8) || !r.curve.SetSize(m)) {
        in.SetFailed();
        return false;
    }
    for (int i = 0; i < m && in.IsGood(); ++i) {
        TimeLoadPoint p;
        in >> p.x >> p.value;
        r.curve.Add(p);
    }
    if (!in.IsGood()) return false;
    *this = r;
    return true;
}

CSpectrumSettings& CSpectrumSettings::operator=(const CSpectrumSettings& o)
{
    if (this == &o) return *this;
    angle1 = o.angle1;
    angle2 = o.angle2;
    direction1On = o.direction1On;
    direction2On = o.direction2On;
    verticalOn = o.verticalOn;
    seismicGrade = o.seismicGrade;
    periodFactor = o.periodFactor;
    combination = o.combination;
    ck = o.ck;
    cm = o.cm;
    modes.Copy(o.modes);
    dampings.Copy(o.dampings);
    kind = o.kind;
    intensity = o.intensity;
    occurrence = o.occurrence;
    highAcceleration = o.highAcceleration;
    alphaMax = o.alphaMax;
    siteClass = o.siteClass;
    designGroup = o.designGroup;
    tg = o.tg;
    betaMax = o.betaMax;
    curve.Copy(o.curve);
    return *this;
}

void CSpectrumSettings::WriteDataFile(DKorvaDataFile& f, CKvdDataSet* set) const
{
    if (modes.GetSize() != dampings.GetSize()) return;
    // The plane model's and the unset kind's rules hold for what is written
    // only: the user's settings stay as entered.
    CSpectrumSettings written(*this);
    if (theProjectOptions.bPlaneModel != 0) {
        written.direction1On = 0;
        written.angle2 = 90;
    }
    if (written.kind == 0) written.kind = 10;
    written.WriteAsIs(f, set);
}

void CSpectrumSettings::WriteAsIs(DKorvaDataFile& f, CKvdDataSet* set)
{
    const int d = (direction1On ? 1 : 0) + (direction2On ? 1 : 0) + (verticalOn ? 1 : 0);
    const int K = modes.GetSize();
    const int p = curve.GetSize();
    if (d > 0 && K > 0) {
        f << "\nSPEC\n"
          << "N=" << d << "U=1 " << p << "F=" << periodFactor << "Q=" << int(combination) << "K=" << K;
        bool inOrder = true;
        for (int i = 0; i < K; ++i)
            if (At(modes, i) != i + 1) inOrder = false;
        if (!inOrder) {
            f << "V=";
            for (int i = 0; i < K; ++i) f << int(At(modes, i));
        }
        if (double(ck) > 1e-8 || double(cm) > 1e-8) f << "E=" << ck << cm;
        bool damped = false;
        for (int i = 0; i < K; ++i)
            if (double(At(dampings, i)) > 1e-7) damped = true;
        if (damped) {
            f << "D=";
            for (int i = 0; i < K; ++i) f << At(dampings, i);
        }
        f << wrap;
        f << "1 S=" << int(kind);
        if (kind == 1) {
            f << "I=" << intensity << int(occurrence) << "ACC=" << int(highAcceleration) << "M=" << siteClass
              << int(designGroup);
            if (double(alphaMax) > 0.001) f << "ALFA=" << alphaMax;
            if (double(tg) > 0.001) f << "T=" << tg;
            f << wrap;
        } else if (kind == 2) {
            f << "I=" << intensity << "BETA=" << betaMax << "TG=" << tg;
            if (double(alphaMax) > 0.001) f << "AH=" << alphaMax;
            f << wrap;
        } else {
            f << "N=" << p;
            if (p == 0) f << wrap;
            for (int g = 0; g < p; g += 8) {
                const int end = std::min(p, g + 8);
                f << "T=";
                for (int i = g; i < end; ++i) f << At(curve, i).x;
                f << (kind == 10 ? "AR=" : "A=");
                for (int i = g; i < end; ++i) f << At(curve, i).value;
                f << wrap;
            }
        }
        f.SetPrecision(5);
        const uint8_t on[2] = {direction1On, direction2On};
        const float angle[2] = {angle1, angle2};
        for (int k = 0; k < 2; ++k)
            if (on[k]) f << "M=1 D=" << std::cos(angle[k] * kDegree) << std::sin(angle[k] * kDegree) << 0 << wrap;
        if (verticalOn) f << "M=1 D=0 0 1 " << wrap;
        f.SetPrecision(4);
    }
    if (!set) return;
    DSpectrum& s = set->spectrum;
    s.m_cSpectrum = char(seismicGrade);
    s.m_cValid = AnyDirection() ? 1 : 0;
    s.m_fFactor = periodFactor;
    s.m_cCode = char(combination);
    s.m_fReal1 = ck;
    s.m_fReal2 = cm;
    for (int i = 0; i < K; ++i) s.m_Factors.Insert(At(modes, i), At(dampings, i), 1);
    DSpectrumCurve c;
    c.m_sNumber = 1;
    c.m_cCode9 = char(kind);
    c.m_fReal3 = intensity;
    c.m_cCode4 = char(occurrence);
    c.m_cCode11 = char(highAcceleration);
    c.m_fReal5 = alphaMax;
    c.m_fReal6 = siteClass;
    c.m_cCode7 = char(designGroup);
    c.m_fReal8 = tg;
    c.m_fReal10 = betaMax;
    if ((kind == 10 || kind == 11) && p > 0) {
        std::vector<float> xs(static_cast<size_t>(p)), ys(static_cast<size_t>(p));
        for (int i = 0; i < p; ++i) {
            xs[size_t(i)] = At(curve, i).x;
            ys[size_t(i)] = At(curve, i).value;
        }
        c.SetCurve(p, xs.data(), ys.data());
    }
    set->spectrumCurves.push_back(std::move(c));
    BuildDirections(set->spectrumDirs);
}
