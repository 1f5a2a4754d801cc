#include "vek/model/materials/Sections.h"

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/biostream.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/materials/SectionRecordIo.h"
#include "vek/model/materials/TightWire.h"

MLArray<CFrameSect> theFrameSects;
MLArray<CVframeSect> theVframeSects;
MLArray<CSframeSect> theSframeSects;
MLArray<CPipeSect> thePipeSects;

namespace {

bool Near(double a, double b, double tol)
{
    return std::fabs(a - b) < tol;
}

// A parameter printed for a section string: "%.3f" (or "%.3E"), compressed.
std::string ParaText(double v, bool exponent)
{
    char t[15];
    std::snprintf(t, sizeof t, exponent ? "%.3E" : "%.3f", v);
    GFunc::CompressFloatString(t, 1);
    return t;
}

// The text of one end of a kind-1..10 section (tapered ends prefix "－").
CString PlateText(int kind, const float* p, bool exponent, const char* lead)
{
    std::string t[6];
    for (int i = 0; i < 6; ++i) t[i] = ParaText(p[i], exponent);
    const char* s[6];
    for (int i = 0; i < 6; ++i) s[i] = t[i].c_str();
    CString out;
    switch (kind) {
        case 1: out.Format("%s%sX%s", lead, s[1], s[0]); break;
        case 2: out.Format("%sI%sX%sX%sX%sX%sX%s", lead, s[0], s[1], s[2], s[3], s[4], s[5]); break;
        case 3: out.Format("%sT%sX%sX%sX%s", lead, s[0], s[1], s[2], s[3]); break;
        case 4: out.Format("%sDT%sX%sX%sX%s", lead, s[0], s[1], s[2], s[3]); break;
        case 5: out.Format("%sL%sX%sX%s", lead, s[0], s[1], s[2]); break;
        case 6: out.Format("%sC%sX%sX%sX%s", lead, s[0], s[1], s[2], s[3]); break;
        case 7: out.Format("%sO%sX%s", lead, s[0], s[1]); break;
        case 8: out.Format("%sCO%sX%sX%s", lead, s[0], s[1], s[2]); break;
        case 9: out.Format("%s[]%sX%sX%sX%s", lead, s[0], s[1], s[2], s[3]); break;
        case 10: out.Format("%sZ%sX%sX%sX%s", lead, s[0], s[1], s[2], s[3]); break;
        default: break;
    }
    return out;
}

// The end of a tapered section in the export line: kind 1 width first.
void AppendExportEnd(CString& line, int kind, const float* p)
{
    for (int i = 0; i < 6; ++i) {
        int k = i;
        if (kind == 1 && i < 2) k = 1 - i;
        line.AppendFormat(",%.5f", double(p[k]));
    }
}

bool IsVariableKind(int kind)
{
    return kind == 1 || kind == 2 || kind == 3 || kind == 4 || kind == 7;
}

template <class T>
T* FindIn(MLArray<T>& list, int number)
{
    if (number < 1 || number > list.GetSize()) return nullptr;
    return list.GetAt(number - 1);
}

// The shared rule of the three Add operations.
template <class T>
int AddSection(MLArray<T>& list, const T& s, int keepName, int findEqual, int refuseEmpty, const char* nameFormat,
               const char* fullMessage)
{
    const int n = list.GetSize();
    CString name;
    if (!keepName) {
        for (int k = n + 1;; ++k) {
            name.Format(nameFormat, k);
            bool used = false;
            for (int i = 0; i < n && !used; ++i) used = SectNamesEqual(list.GetAt(i)->m_pName, name.GetString());
            if (!used) break;
        }
    }
    if (refuseEmpty && s.IsZeroSect()) return 0;
    if (findEqual) {
        for (int i = 0; i < n; ++i) {
            const T& e = *list.GetAt(i);
            if (keepName ? SectNamesEqual(e.m_pName, s.m_pName) : e.IsSameSect(s) != 0) return i + 1;
        }
    }
    if (!list.Add(s)) {
        AppMessageBox(fullMessage);
        return 0;
    }
    if (!keepName) list.GetAt(n)->SetName(name.GetString());
    return n + 1;
}

}  // namespace

// ---- CFrameSect ----

int CFrameSect::Serialize(bofstream& out)
{
    out << (m_pName ? m_pName : "");
    out << m_cKind;
    out.Write(m_fPara, 24);
    return out.IsGood();
}

int CFrameSect::Serialize(bifstream& in)
{
    const int v = nPrjVersion;
    CFrameSect s(*this);
    if (v >= 600 && !ReadSectionName(in, s)) return 0;
    if (v >= 700) {
        in >> s.m_cKind;
        in.Read(s.m_fPara, 24);
    } else {
        int32_t kind = 0;
        in >> kind;
        const int low = kind & 0xFF;
        s.m_cKind = char(low >= 1 && low <= 10 ? low : 40);
        double d[6] = {0, 0, 0, 0, 0, 0};
        for (double& x : d) in >> x;
        for (int i = 0; i < 6; ++i) s.m_fPara[i] = NarrowToFloat(d[i]);
        if (v < 600) {
            float* p = s.m_fPara;
            switch (s.m_cKind) {
                case 1:
                case 5:
                case 7:
                case 9:
                case 10: std::swap(p[0], p[1]); break;
                case 3:
                case 4: std::swap(p[1], p[2]); break;
                case 2: {
                    const float a[6] = {p[0], p[1], p[2], p[3], p[4], p[5]};
                    const float b[6] = {a[0], a[2], a[4], a[1], a[3], a[5]};
                    std::memcpy(p, b, sizeof b);
                    break;
                }
                default: break;
            }
        }
    }
    if (!in.IsGood()) return 0;
    *this = s;
    return 1;
}

CString CFrameSect::GetSectString() const
{
    if (m_cKind != 40) return PlateText(m_cKind, m_fPara, false, "");
    static const char* const kLabel[6] = {"A", "J", "I33", "I22", "A2", "A3"};
    CString out = "自定义 ";
    for (int i = 0; i < 6; ++i) {
        const std::string t = ParaText(m_fPara[i], true);
        if (!t.empty()) out.AppendFormat("%s=%s", kLabel[i], t.c_str());
    }
    return out;
}

CString CFrameSect::GetExportLine() const
{
    CString line;
    line.Format("%s,%d", m_pName ? m_pName : "", int(m_cKind));
    AppendExportEnd(line, m_cKind, m_fPara);
    line += IsGenSect() ? " (自定义)\n" : "\n";
    return line;
}

void CFrameSect::Scale(double f)
{
    float* p = m_fPara;
    if (IsGenSect()) {
        const float g = float(f * f);
        const float g2 = float(double(g) * g);
        p[0] *= g;
        p[4] *= g;
        p[5] *= g;
        p[1] *= g2;
        p[2] *= g2;
        p[3] *= g2;
        return;
    }
    const float ff = float(f);
    for (int i = 0; i < 6; ++i)
        if (!(m_cKind == 8 && i == 2)) p[i] *= ff;
}

int CFrameSect::IsSameSect(const CFrameSect& o) const
{
    if (m_cKind != o.m_cKind) return 0;
    const double tol = IsGenSect() ? 1e-10 : 1e-6;
    for (int i = 0; i < GetParaNum(m_cKind); ++i)
        if (!Near(m_fPara[i], o.m_fPara[i], tol)) return 0;
    return 1;
}

int CFrameSect::IsZeroSect() const
{
    const double tol = IsGenSect() ? 1e-10 : 1e-6;
    for (int i = 0; i < GetParaNum(m_cKind); ++i)
        if (!Near(m_fPara[i], 0, tol)) return 0;
    return 1;
}

double CFrameSect::GetEdgeDistance(int side) const
{
    const double p0 = m_fPara[0], p1 = m_fPara[1], p2 = m_fPara[2], p3 = m_fPara[3], p4 = m_fPara[4], p5 = m_fPara[5];
    const bool top = side == 0;
    // The stacked plates put the axis on the equal-area line (see the
    // outline builders): the offset of that line from the middle.
    switch (m_cKind) {
        case 1: return p0 / 2;
        case 2: {
            const double a = p1 > 0 ? (p2 * p5 - p0 * p3) / (2 * p1) : 0;
            return top ? a + p4 / 2 + p3 : p4 / 2 + p5 - a;
        }
        case 3: {
            // The builder's branch: the web holds the equal-area line when its
            // area is the larger.
            const double aw = p3 * p1, af = p0 * p2;
            const double s = aw >= af ? (p1 > 0 ? (aw - af) / (2 * p1) + p2 : 0) : (p0 > 0 ? (aw + af) / (2 * p0) : 0);
            // Outline y runs from -p3 - p2 + s (bottom) to s (top).
            return top ? s : p3 + p2 - s;
        }
        case 4: {
            const double a1 = p1 * p3, a2 = p0 * p2;
            const double s = a2 < a1 ? (p1 > 0 ? (a1 + a2) / (2 * p1) : 0) : (p0 > 0 ? (a2 - a1) / (2 * p0) + p3 : 0);
            // Outline y runs from -s (bottom) to p3 + p2 - s (top).
            return top ? p3 + p2 - s : s;
        }
        case 5: {
            const double a = (p1 - p2) / 2;
            return top ? a + p0 / 2 : p0 / 2 - a;
        }
        case 6: {
            const double a = (p1 - p0) / 2;
            return top ? a + p2 / 2 + p3 : p2 / 2 + p3 - a;
        }
        case 7: return p1;
        case 8: {
            const double half = std::min(double(p2), 90.0);
            return (p0 + p1) * std::sin(half * 3.14159265358979323846 / 180);
        }
        case 9:
        case 10: return p1 / 2;
        default: return 0;
    }
}

// ---- CVframeSect ----

int CVframeSect::Serialize(bofstream& out)
{
    out << (m_pName ? m_pName : "");
    out << m_cKind;
    out.Write(m_fStart, 24);
    out.Write(m_fEnd, 24);
    return out.IsGood();
}

int CVframeSect::Serialize(bifstream& in)
{
    CVframeSect s(*this);
    if (!ReadSectionName(in, s)) return 0;
    in >> s.m_cKind;
    if (nPrjVersion >= 700) {
        in.Read(s.m_fStart, 24);
        in.Read(s.m_fEnd, 24);
    } else {
        for (float* set : {s.m_fStart, s.m_fEnd})
            for (int i = 0; i < 6; ++i) {
                double d = 0;
                in >> d;
                set[i] = NarrowToFloat(d);
            }
    }
    if (!in.IsGood()) return 0;
    *this = s;
    return 1;
}

CString CVframeSect::GetSectString() const
{
    if (!IsVariableKind(m_cKind)) return CString();
    CString out = PlateText(m_cKind, m_fStart, false, "");
    CString end = PlateText(m_cKind, m_fEnd, false, "－");
    // The end-J text drops the kind letters: "－" and the numbers only.
    const char* letters = m_cKind == 2 ? "I" : m_cKind == 3 ? "T" : m_cKind == 4 ? "DT" : m_cKind == 7 ? "O" : "";
    const size_t lead = std::strlen("－");
    std::string e = end.GetString();
    if (*letters && e.compare(lead, std::strlen(letters), letters) == 0) e.erase(lead, std::strlen(letters));
    out += e.c_str();
    return out;
}

CString CVframeSect::GetExportLine() const
{
    CString line;
    line.Format("%s,%d", m_pName ? m_pName : "", int(m_cKind));
    AppendExportEnd(line, m_cKind, m_fStart);
    AppendExportEnd(line, m_cKind, m_fEnd);
    line += "\n";
    return line;
}

void CVframeSect::Scale(double f)
{
    const float ff = float(f);
    for (int i = 0; i < 6; ++i) {
        m_fStart[i] *= ff;
        m_fEnd[i] *= ff;
    }
}

int CVframeSect::IsSameSect(const CVframeSect& o) const
{
    if (m_cKind != o.m_cKind) return 0;
    for (int i = 0; i < GetParaNum(m_cKind); ++i)
        if (!Near(m_fStart[i], o.m_fStart[i], 1e-6) || !Near(m_fEnd[i], o.m_fEnd[i], 1e-6)) return 0;
    return 1;
}

int CVframeSect::IsZeroSect() const
{
    for (int i = 0; i < GetParaNum(m_cKind); ++i)
        if (!Near(m_fStart[i], 0, 1e-6) || !Near(m_fEnd[i], 0, 1e-6)) return 0;
    return 1;
}

void CVframeSect::SwapEnds()
{
    for (int i = 0; i < 6; ++i) std::swap(m_fStart[i], m_fEnd[i]);
}

// ---- the lists ----

const CFrameSect* FindFrameSect(int number)
{
    return FindIn(theFrameSects, number);
}
const CVframeSect* FindVframeSect(int number)
{
    return FindIn(theVframeSects, number);
}
const CSframeSect* FindSframeSect(int number)
{
    return FindIn(theSframeSects, number);
}

CString GetFrameSectString(int kind, int number)
{
    switch (kind & 3) {
        case kOrdinarySect:
            if (const CFrameSect* s = FindFrameSect(number)) return s->GetSectString();
            break;
        case kSteelSect:
            if (const CSframeSect* s = FindSframeSect(number)) {
                CString text;
                s->GetSectString(text);
                return text;
            }
            break;
        default:
            if (const CVframeSect* s = FindVframeSect(number)) return s->GetSectString();
            break;
    }
    return CString();
}

CString GetFrameSectName(int kind, int number)
{
    const char* name = nullptr;
    switch (kind & 3) {
        case kOrdinarySect:
            if (const CFrameSect* s = FindFrameSect(number)) name = s->m_pName;
            break;
        case kSteelSect:
            if (const CSframeSect* s = FindSframeSect(number)) name = s->m_pName;
            break;
        default:
            if (const CVframeSect* s = FindVframeSect(number)) name = s->m_pName;
            break;
    }
    return CString(name ? name : "");
}

namespace {

// The section panel's parameter labels in stored order; null for a kind
// without parameters.
const char* const* StoredLabels(int kind)
{
    static const char* const k1[] = {"h", "b"};
    static const char* const k2[] = {"b1", "b2", "b3", "d1", "d2", "d3"};
    static const char* const k3[] = {"b1", "b2", "d1", "d2"};
    static const char* const k5[] = {"b", "a", "t"};
    static const char* const k6[] = {"b1", "b2", "h", "t"};
    static const char* const k7[] = {"r", "R"};
    static const char* const k8[] = {"r", "t", "α"};
    static const char* const k9[] = {"b", "h", "t1", "t2"};
    static const char* const k10[] = {"b", "h", "tw", "tf"};
    static const char* const k40[] = {"A", "J", "I33", "I22", "A2", "A3"};
    static const char* const* const table[10] = {k1, k2, k3, k3, k5, k6, k7, k8, k9, k10};
    if (kind >= 1 && kind <= 10) return table[kind - 1];
    return kind == 40 ? k40 : nullptr;
}

void AppendStored(CString& text, int kind, const float* p)
{
    const char* const* labels = StoredLabels(kind);
    if (!labels) return;
    for (int i = 0; i < DFrameSect::GetParaNum(kind); ++i) text.AppendFormat("\r\n%s=%.6g", labels[i], double(p[i]));
}

}  // namespace

CString GetSectParamText(int kind, int number)
{
    CString text;
    switch (kind & 3) {
        case kOrdinarySect:
            if (const CFrameSect* s = FindFrameSect(number)) {
                text = s->m_pName ? s->m_pName : "";
                AppendStored(text, s->m_cKind, s->m_fPara);
            }
            break;
        case kSteelSect:
            if (const CSframeSect* s = FindSframeSect(number)) s->GetParaText(text);
            break;
        default:
            if (const CVframeSect* s = FindVframeSect(number)) {
                text = s->m_pName ? s->m_pName : "";
                if (IsVariableKind(s->m_cKind)) {
                    text += "\r\nI端截面：";
                    AppendStored(text, s->m_cKind, s->m_fStart);
                    text += "\r\nJ端截面：";
                    AppendStored(text, s->m_cKind, s->m_fEnd);
                }
            }
            break;
    }
    return text;
}

bool SectNamesEqual(const char* a, const char* b)
{
    if (!a) a = "";
    if (!b) b = "";
    for (;;) {
        const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x >= 0x80) {
            // A GBK character: both bytes exactly.
            if (x != y || a[1] != b[1]) return false;
            if (!a[1]) return true;
            a += 2;
            b += 2;
            continue;
        }
        const int fx = x >= 'A' && x <= 'Z' ? x + 32 : x;
        const int fy = y >= 'A' && y <= 'Z' ? y + 32 : y;
        if (fx != fy) return false;
        if (!x) return true;
        ++a;
        ++b;
    }
}

int AddFrameSect(const CFrameSect& s, int keepName, int findEqual, int refuseEmpty)
{
    return AddSection(theFrameSects, s, keepName, findEqual, refuseEmpty, "截面%d", "截面数量太多，截面添加失败！");
}

int AddVframeSect(const CVframeSect& s, int keepName, int findEqual, int refuseEmpty)
{
    return AddSection(theVframeSects, s, keepName, findEqual, refuseEmpty, "变截面%d",
                      "变截面数量太多，变截面添加失败！");
}

int AddSframeSect(const CSframeSect& s, int keepName, int findEqual, int refuseEmpty)
{
    return AddSection(theSframeSects, s, keepName, findEqual, refuseEmpty, "钢截面%d",
                      "钢截面数量太多，钢截面添加失败！");
}

void ClearSectionLibraries()
{
    theFrameSects.SetSize(0);
    theVframeSects.SetSize(0);
    theSframeSects.SetSize(0);
    thePipeSects.SetSize(0);
    theTightWires.SetSize(0);
    theTightWireParameter = CTightWireParameter();
}

void ScaleSectionList(int kind, double lengthFactor)
{
    if (kind == kOrdinarySect)
        for (int i = 0; i < theFrameSects.GetSize(); ++i) theFrameSects.GetAt(i)->Scale(lengthFactor);
    else if (kind == kSteelSect)
        for (int i = 0; i < theSframeSects.GetSize(); ++i) theSframeSects.GetAt(i)->Scale(lengthFactor);
    else
        for (int i = 0; i < theVframeSects.GetSize(); ++i) theVframeSects.GetAt(i)->Scale(lengthFactor);
}
