// The steel sections: project record, section string, texts, data-file
// fields, unit conversion, equality and strengths; the steel-section block.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/CommonData.h"
#include "korvalib/model/SteelCatalog.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/SectionRecordIo.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/SteelSectBlock.h"
#include "vek/model/materials/TightWire.h"

namespace {

constexpr int kUserValues = 44;
constexpr int kUserKeysAt = kUserValues * 4;  // 176
constexpr int kPipe = 9;                      // "D>R*>R"
constexpr int kHollowRect = 57;               // "HR>R*>R*>R"
constexpr int kTubesAtAngle = 54;             // "GDT>R*>R@>R@>R"

bool Near(double a, double b, double tol)
{
    return std::fabs(a - b) <= tol;
}

const char* GradeWord(int type)
{
    return type == 1 ? "缀板" : "缀条";
}

// The ranges of the user-defined values, with their data-file keys.
struct UserRange {
    int from, count;
};
constexpr UserRange kV = {7, 8}, kA = {15, 2}, kI = {17, 4}, kF = {21, 3}, kS = {24, 4}, kT = {0, 7}, kO = {28, 15};

// Bytes the section string may take in the data area, cut at a character
// boundary (a GBK lead byte never stays without its trail byte).
size_t FittingLength(const char* text, size_t room)
{
    size_t n = 0;
    while (text[n]) {
        const size_t step = static_cast<unsigned char>(text[n]) >= 0x80 && text[n + 1] ? 2 : 1;
        if (n + step > room) break;
        n += step;
    }
    return n;
}

// A dimension of the section string: at most three decimals, no trailing zeros.
std::string Millimetres(double v)
{
    char t[48];
    std::snprintf(t, sizeof t, "%.3f", v);
    GFunc::CompressFloatString(t, 1);
    return t;
}

// Which pattern recognises a string (from 0), or -1.
int RecognisePattern(const char* text)
{
    char texts[SteelMaxFields][SteelFieldText];
    int kinds[SteelMaxFields];
    int index = 0, count = 0;
    if (!DSteelStrManager::DetachInfoFromString(text, index, count, texts, kinds, 0)) return -1;
    return index;
}

}  // namespace

// ---- the record ----

int CSframeSect::GetSelfDefSectIndex() const
{
    return m_cPattern == 0 ? DSteelStrManager::GetSelfDefSectIndex() : m_cPattern - 1;
}

void CSframeSect::SetSelfDefSectIndex(int index)
{
    m_cPattern = static_cast<unsigned char>(index == DSteelStrManager::GetSelfDefSectIndex() ? 0 : index + 1);
}

int CSframeSect::IsBuiltUp() const
{
    return std::fabs(double(m_fReal[1]) + m_fReal[2]) > 1e-5;
}

const char* CSframeSect::GetSteelString() const
{
    return m_cPattern == 0 ? "" : m_SectData;
}

bool CSframeSect::SetSteelString(const char* text)
{
    if (!text) text = "";
    const size_t n = FittingLength(text, SteelSectDataSize - 1);
    std::memset(m_SectData, 0, sizeof m_SectData);
    std::memcpy(m_SectData, text, n);
    return text[n] == '\0';
}

float CSframeSect::GetUserValue(int i) const
{
    float v = 0;
    if (i >= 0 && i < kUserValues) std::memcpy(&v, m_SectData + 4 * i, 4);
    return v;
}

void CSframeSect::SetUserValue(int i, float v)
{
    if (i >= 0 && i < kUserValues) std::memcpy(m_SectData + 4 * i, &v, 4);
}

int16_t CSframeSect::GetUserKey(int i) const
{
    int16_t v = 0;
    if (i >= 0 && i < 3) std::memcpy(&v, m_SectData + kUserKeysAt + 2 * i, 2);
    return v;
}

void CSframeSect::SetUserKey(int i, int16_t v)
{
    if (i >= 0 && i < 3) std::memcpy(m_SectData + kUserKeysAt + 2 * i, &v, 2);
}

int CSframeSect::Serialize(bofstream& out)
{
    out << (m_pName ? m_pName : "");
    out << m_cPattern;
    if (m_cPattern >= 1) {
        char text[SteelSectDataSize];
        std::memcpy(text, m_SectData, sizeof text);
        text[SteelSectDataSize - 1] = '\0';
        out << text;
    } else {
        out.Write(m_SectData, kUserKeysAt + 6);
    }
    out << m_cFlagA << m_cFlagB << m_fReal[0] << m_fReal[1] << m_fReal[2];
    return out.IsGood();
}

int CSframeSect::Serialize(bifstream& in)
{
    const int v = nPrjVersion;
    CSframeSect s(*this);
    if (v >= 600) {
        if (!ReadSectionName(in, s)) return 0;
        in >> s.m_cPattern;
        if (in.IsGood() && s.m_cPattern > DSteelStrManager::PatternCount) {
            in.SetFailed();
            return 0;
        }
    } else {
        s.m_cPattern = 1;
    }
    const unsigned char code = s.m_cPattern;
    auto readString = [&] {
        char text[SteelSectDataSize];
        // A stored string longer than the area holds fails the stream.
        if (in.ReadString(text, SteelSectDataSize)) s.SetSteelString(text);
    };
    auto readUser = [&] {
        std::memset(s.m_SectData, 0, sizeof s.m_SectData);
        in.Read(s.m_SectData, kUserKeysAt + 6);
    };
    if (v >= 700) {
        if (code >= 1)
            readString();
        else
            readUser();
    } else if (code == 1) {
        readString();
    } else if (code == 2) {
        readUser();
        char skip[2];
        in.Read(skip, 2);
    } else {
        std::memset(s.m_SectData, 0, sizeof s.m_SectData);
    }
    if (v >= 500) {
        in >> s.m_cFlagA >> s.m_cFlagB >> s.m_fReal[0] >> s.m_fReal[1] >> s.m_fReal[2];
    } else {
        s.m_cFlagA = 3;
        s.m_cFlagB = 0;
        s.m_fReal[0] = s.m_fReal[1] = s.m_fReal[2] = 0;
    }
    if (!in.IsGood()) return 0;
    if (v < 700) {
        if (code == 1) {
            // An old string gets the pattern that recognises it; one that
            // matches none stays a string (its parse reports it) rather than
            // its text being read as user-defined values.
            const int index = RecognisePattern(s.m_SectData);
            s.m_cPattern = static_cast<unsigned char>(index >= 0 ? index + 1 : 1);
        } else {
            s.m_cPattern = 0;
        }
    }
    *this = s;
    return 1;
}

// ---- section string ----

bool CSframeSect::ParseSteelString()
{
    for (double& d : m_dDim) d = 0;
    if (m_cPattern == 0) return true;
    int number = m_cPattern, count = 0;
    double values[SteelMaxFields];
    int kinds[SteelMaxFields];
    if (!DSteelStrManager::DetachNumberFromString(m_SectData, number, count, values, kinds, 1)) return false;
    const double scale = DCommonData::DimensionFactor(theProjectOptions.GetUnitCode()) * 0.001;
    int k = 0;
    for (int i = 0; i < count && k < 10; ++i) {
        if (kinds[i] == SteelFieldLiteral) continue;
        if (kinds[i] == SteelFieldReal)
            m_dDim[k] = number - 1 == kTubesAtAngle && k == 3 ? values[i] : values[i] * scale;
        else
            m_dDim[k] = values[i];
        ++k;
    }
    return true;
}

void ReportUnmatchedSteel(const CSframeSect& s)
{
    CString text;
    text.Format("钢截面字符串:%s 有错！", s.GetSteelString());
    AppMessageBox(text.GetString());
}

// ---- texts ----

namespace {

void AppendValues(CString& text, const CSframeSect& s, UserRange r, bool compress)
{
    for (int i = r.from; i < r.from + r.count; ++i) {
        char t[32];
        std::snprintf(t, sizeof t, "%.3g", double(s.GetUserValue(i)));
        if (compress) GFunc::CompressFloatString(t, 1);
        text += t;
        text += " ";
    }
}

}  // namespace

void CSframeSect::GetSectString(CString& text) const
{
    if (m_cPattern == 0) {
        text = "自定义钢截面";
        return;
    }
    text.Format("钢 Z=%s H=%1d", GetSteelString(), int(m_cFlagA));
    if (IsBuiltUp())
        text.AppendFormat(" %s Gap=%.0f A3=%.0f A2=%.0f", GradeWord(m_cFlagB), double(m_fReal[0]), double(m_fReal[1]),
                          double(m_fReal[2]));
}

void CSframeSect::GetParaString(CString& text) const
{
    text.Format("%s Type=%d", m_pName ? m_pName : "", int(m_cPattern));
    if (m_cPattern >= 1) {
        text.AppendFormat(" Z=%s H=%d", GetSteelString(), int(m_cFlagA));
    } else {
        const int K = GetUserKey(0);
        text.AppendFormat(" J=%.3g H=%d K=%d", double(GetUserValue(43)), int(m_cFlagA), K);
        if (K != 81 && K != 82) {
            text += " V=";
            AppendValues(text, *this, kV, true);
            text.AppendFormat(" A=%.3f %.3f I=", double(GetUserValue(15)), double(GetUserValue(16)));
            AppendValues(text, *this, kI, false);
            text += " F=";
            AppendValues(text, *this, kF, false);
            text += " S=";
            AppendValues(text, *this, kS, false);
            text += " T=";
            AppendValues(text, *this, kT, false);
        } else {
            text.AppendFormat(" %d %d T=%.3g O=", int(GetUserKey(1)), int(GetUserKey(2)), double(GetUserValue(0)));
            AppendValues(text, *this, kO, false);
        }
    }
    if (IsBuiltUp())
        text.AppendFormat(" %s 间距=%.3g A3=%.3g A2=%.3g", GradeWord(m_cFlagB), double(m_fReal[0]), double(m_fReal[1]),
                          double(m_fReal[2]));
    text += " \n";
}

void CSframeSect::GetParaText(CString& text) const
{
    text = m_pName ? m_pName : "";
    if (m_cPattern >= 1) {
        text.AppendFormat("\r\nZ=%s\r\nH=%d", GetSteelString(), int(m_cFlagA));
    } else {
        const int K = GetUserKey(0);
        text.AppendFormat("\r\nJ=%.3g\r\nH=%d\r\nK=%d", double(GetUserValue(43)), int(m_cFlagA), K);
        if (K != 81 && K != 82) {
            text += "\r\nV=";
            AppendValues(text, *this, kV, false);
            text.AppendFormat("\r\nA=%.3g %.3g\r\nI=", double(GetUserValue(15)), double(GetUserValue(16)));
            AppendValues(text, *this, kI, false);
            text += "\r\nF=";
            AppendValues(text, *this, kF, false);
            text += "\r\nS=";
            AppendValues(text, *this, kS, false);
            text += "\r\nT=";
            AppendValues(text, *this, kT, false);
        } else {
            text.AppendFormat(" %d %d\r\nT=%.3g\r\nO=", int(GetUserKey(1)), int(GetUserKey(2)),
                              double(GetUserValue(0)));
            AppendValues(text, *this, kO, false);
        }
    }
    if (IsBuiltUp())
        text.AppendFormat("\r\n%s 间距=%.3g\r\nA3=%.3g A2=%.3g", GradeWord(m_cFlagB), double(m_fReal[0]),
                          double(m_fReal[1]), double(m_fReal[2]));
}

void CSframeSect::WriteDataFields(DKorvaDataFile& f) const
{
    auto values = [&](UserRange r) {
        for (int i = r.from; i < r.from + r.count; ++i) f << GetUserValue(i);
    };
    if (m_cPattern >= 1) {
        f << "Z=";
        int number = kHollowRect + 1, count = 0;
        double v[SteelMaxFields];
        int kinds[SteelMaxFields];
        if (m_cPattern == kHollowRect + 1 &&
            DSteelStrManager::DetachNumberFromString(m_SectData, number, count, v, kinds, 1) &&
            number == kHollowRect + 1) {
            // H x B x t as the welded box of the solver, in whole millimetres.
            double d[3] = {0, 0, 0};
            for (int i = 0, k = 0; i < count && k < 3; ++i)
                if (kinds[i] == SteelFieldReal) d[k++] = v[i];
            // Real dimensions: a 5.5 mm wall stays 5.5, not 5.
            const double H = d[0], B = d[1], t = d[2];
            const std::string h = Millimetres(H), w = Millimetres(t), b = Millimetres(B - 2 * t);
            char text[160];
            std::snprintf(text, sizeof text, "BB%s*%s*%s*%s*%s", h.c_str(), w.c_str(), b.c_str(), w.c_str(), h.c_str());
            f << text;
        } else {
            f << GetSteelString();
        }
        f << " H=" << int(m_cFlagA);
    } else {
        const int K = GetUserKey(0);
        f << "J=" << GetUserValue(43) << "H=" << int(m_cFlagA) << "K=" << K;
        if (K != 81 && K != 82) {
            f << "V=";
            values(kV);
            f << "A=";
            values(kA);
            f << "I=";
            values(kI);
            f << "F=";
            values(kF);
            f << "S=";
            values(kS);
            f << "T=";
            values(kT);
        } else {
            f << int(GetUserKey(1)) << int(GetUserKey(2)) << "T=" << GetUserValue(0) << "O=";
            values(kO);
        }
    }
    f << "C=1.2E-5 L=" << m_fReal[0] << m_fReal[1] << m_fReal[2] << static_cast<unsigned char>(m_cFlagB);
}

// ---- conversion, equality, strengths ----

void CSframeSect::Scale(double f)
{
    const float f1 = float(f), f2 = float(f * f), f3 = float(f * f * f), f4 = float(f * f * f * f);
    m_fReal[0] *= f1;
    m_fReal[1] *= f2;
    m_fReal[2] *= f2;
    if (m_cPattern != 0) {
        // The string stays in millimetres; its split lengths follow the unit.
        int number = m_cPattern, count = 0;
        double values[SteelMaxFields];
        int kinds[SteelMaxFields];
        if (!DSteelStrManager::DetachNumberFromString(m_SectData, number, count, values, kinds, 1)) return;
        for (int i = 0, k = 0; i < count && k < 10; ++i) {
            if (kinds[i] == SteelFieldLiteral) continue;
            if (kinds[i] == SteelFieldReal && !(number - 1 == kTubesAtAngle && k == 3)) m_dDim[k] *= f;
            ++k;
        }
        return;
    }
    auto scale = [&](int from, int count, float g) {
        for (int i = from; i < from + count; ++i) SetUserValue(i, GetUserValue(i) * g);
    };
    scale(0, 7, f1);
    scale(7, 8, f3);
    scale(15, 2, f2);
    scale(17, 4, f4);
    scale(21, 3, f2);
    scale(24, 4, f2);
    // Two limbs: the distance, then per limb area, two inertias, four moduli.
    scale(28, 1, f1);
    for (int limb = 0; limb < 2; ++limb) {
        const int at = 29 + 7 * limb;
        scale(at, 1, f2);
        scale(at + 1, 2, f4);
        scale(at + 3, 4, f3);
    }
    scale(43, 1, f4);
}

int CSframeSect::IsSameSect(const CSframeSect& o) const
{
    if (m_cPattern != o.m_cPattern) return 0;
    if (m_cPattern >= 1) {
        if (std::strcmp(GetSteelString(), o.GetSteelString()) != 0) return 0;
    } else {
        for (int i = 0; i < kUserValues; ++i)
            if (!Near(GetUserValue(i), o.GetUserValue(i), 1e-6)) return 0;
        for (int i = 0; i < 3; ++i)
            if (GetUserKey(i) != o.GetUserKey(i)) return 0;
    }
    if (m_cFlagA != o.m_cFlagA || m_cFlagB != o.m_cFlagB) return 0;
    for (int i = 0; i < 3; ++i)
        if (!Near(m_fReal[i], o.m_fReal[i], 1e-6)) return 0;
    return 1;
}

int CSframeSect::IsZeroSect() const
{
    CSframeSect blank;
    blank.m_cPattern = m_cPattern;
    std::memset(blank.m_SectData, 0, sizeof blank.m_SectData);
    blank.m_cFlagA = 3;
    blank.m_cFlagB = 0;
    blank.m_fReal[0] = blank.m_fReal[1] = blank.m_fReal[2] = 0;
    return IsSameSect(blank);
}

int CSframeSect::GetSteelStrength(double& f, double& fy, double& fv) const
{
    const int index = m_cPattern - 1;
    if (m_cPattern == 0 || (index != kPipe && index != kHollowRect)) return 0;
    const int unit = theProjectOptions.GetUnitCode();
    const double DF = DCommonData::DimensionFactor(unit);
    const double t = 1000 * (index == kPipe ? m_dDim[1] : m_dDim[2]) / DF;
    struct Grade {
        double fy, f[4], fv[4];
    };
    static const Grade kQ345 = {345, {310, 295, 265, 250}, {180, 170, 155, 145}};
    static const Grade kQ390 = {390, {350, 335, 315, 295}, {205, 190, 180, 170}};
    static const Grade kQ235 = {235, {215, 205, 200, 190}, {125, 120, 115, 110}};
    static const Grade kQ420 = {420, {380, 360, 340, 325}, {220, 210, 195, 185}};
    const int grade = m_cFlagA;
    const Grade& g = grade == 1 ? kQ345 : grade == 2 ? kQ390 : grade == 3 ? kQ235 : kQ420;
    const double bands[2][3] = {{16, 40, 60}, {16, 35, 50}};
    const double* b = bands[grade == 3 ? 0 : 1];
    const int band = t <= b[0] ? 0 : t <= b[1] ? 1 : t <= b[2] ? 2 : 3;
    const double k = 1000 * DCommonData::ForceFactor(unit) / (DF * DF);
    f = g.f[band] * k;
    fv = g.fv[band] * k;
    fy = g.fy * k;
    return 1;
}

// ---- the block ----

int SaveSteelSectBlock(bofstream& out)
{
    out << int32_t(theSframeSects.GetSize());
    for (int i = 0; i < theSframeSects.GetSize(); ++i) theSframeSects.GetAt(i)->Serialize(out);
    out << int32_t(theTightWires.GetSize());
    for (int i = 0; i < theTightWires.GetSize(); ++i) theTightWires.GetAt(i)->Serialize(out);
    theTightWireParameter.Serialize(out);
    return out.IsGood();
}

int LoadSteelSectBlock(bifstream& in)
{
    const int v = nPrjVersion;
    if (v < 372) return 1;
    if (v <= 680) {
        CSframeSect dropped;
        if (!dropped.Serialize(in)) return 0;
        if (v >= 400 && v <= 519) {
            char skip[16];
            if (!in.Read(skip, 16)) return 0;
        }
    }
    // Read whole before anything changes: a damaged block leaves the model.
    MLArray<CSframeSect> sects;
    int32_t count = 0;
    in >> count;
    // Every record takes at least its string's length.
    if (!in.IsGood() || count < 0 || !in.CheckAvailable(int64_t(count) * 4)) {
        in.SetFailed();
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        CSframeSect s;
        if (!s.Serialize(in)) return 0;
        if (v < 600) {
            CString name;
            name.Format("钢截面%d", i + 1);
            s.SetName(name.GetString());
        }
        if (!sects.Add(s)) {
            in.SetFailed();
            return 0;
        }
    }
    MLArray<CTightWire> wires;
    CTightWireParameter parameter = theTightWireParameter;
    if (v >= 520) {
        int32_t n = 0;
        in >> n;
        if (!in.IsGood() || n < 0 || !in.CheckAvailable(int64_t(n) * 20)) {
            in.SetFailed();
            return 0;
        }
        for (int i = 0; i < n; ++i) {
            CTightWire w;
            if (!w.Serialize(in) || !wires.Add(w)) {
                in.SetFailed();
                return 0;
            }
        }
        if (!parameter.Serialize(in)) return 0;
    }
    theSframeSects.Copy(sects);
    if (v >= 520) {
        theTightWires.Copy(wires);
        theTightWireParameter = parameter;
    }
    // Each section's string is split once, here: an unmatched one is said
    // now, not on every drawing.
    for (int i = 0; i < theSframeSects.GetSize(); ++i) {
        CSframeSect& s = *theSframeSects.GetAt(i);
        if (!s.ParseSteelString()) ReportUnmatchedSteel(s);
    }
    return 1;
}
