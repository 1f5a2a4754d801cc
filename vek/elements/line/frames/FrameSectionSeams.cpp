#include "vek/elements/line/frames/FrameSectionSeams.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/materials/Sections.h"
#include "vek/view/TrueShape.h"

namespace {

void ReadOldParameters(bifstream& in, float* p)
{
    double d[6] = {0, 0, 0, 0, 0, 0};
    in.Read(d, 48);
    for (int i = 0; i < 6; ++i) p[i] = float(d[i]);
}

}  // namespace

int WriteFrameSectRecord(bofstream& out, CFrameSect& s)
{
    out << (s.m_pName ? s.m_pName : "") << uint8_t(s.m_cKind);
    out.Write(s.m_fPara, 24);
    return out.IsGood();
}

int ReadFrameSectRecord(bifstream& in, CFrameSect& s)
{
    const int v = nPrjVersion;
    if (v >= 600) {
        char* name = nullptr;
        if (in.ReadString(name)) s.SetName(name);
        delete[] name;
    }
    if (v >= 700) {
        uint8_t kind = 1;
        in >> kind;
        s.m_cKind = char(kind);
        in.Read(s.m_fPara, 24);
        return in.IsGood();
    }
    int32_t kind = 1;
    in >> kind;
    const int k = kind & 0xFF;
    s.m_cKind = char(k >= 1 && k <= 10 ? k : 40);
    ReadOldParameters(in, s.m_fPara);
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
                std::copy(b, b + 6, p);
                break;
            }
            default: break;
        }
    }
    return in.IsGood();
}

int WriteVframeSectRecord(bofstream& out, CVframeSect& s)
{
    out << (s.m_pName ? s.m_pName : "") << uint8_t(s.m_cKind);
    out.Write(s.m_fStart, 24);
    out.Write(s.m_fEnd, 24);
    return out.IsGood();
}

int ReadVframeSectRecord(bifstream& in, CVframeSect& s)
{
    char* name = nullptr;
    if (in.ReadString(name)) s.SetName(name);
    delete[] name;
    uint8_t kind = 1;
    in >> kind;
    s.m_cKind = char(kind);
    if (nPrjVersion >= 700) {
        in.Read(s.m_fStart, 24);
        in.Read(s.m_fEnd, 24);
    } else {
        ReadOldParameters(in, s.m_fStart);
        ReadOldParameters(in, s.m_fEnd);
    }
    return in.IsGood();
}

const char* FrameSectionName(int kind, int number)
{
    if (number < 1) return "";
    if (kind == 0 && number <= theFrameSects.GetSize()) return theFrameSects.GetAt(number - 1)->m_pName;
    if (kind == 1 && number <= theSframeSects.GetSize()) return theSframeSects.GetAt(number - 1)->m_pName;
    if (kind == 2 && number <= theVframeSects.GetSize()) return theVframeSects.GetAt(number - 1)->m_pName;
    return "";
}

// Until the section classes give every kind its outline, the solid
// rectangle and the circle are drawn true, every other kind as the box of
// its first two parameters.
bool FrameSectionOutline(int kind, int number, bool endJ, TrueShapeReg& outline, double& width)
{
    const float* p = nullptr;
    int k = 0;
    if (kind == 0 && number >= 1 && number <= theFrameSects.GetSize()) {
        const CFrameSect* s = theFrameSects.GetAt(number - 1);
        p = s->m_fPara;
        k = s->m_cKind;
    } else if (kind == 2 && number >= 1 && number <= theVframeSects.GetSize()) {
        const CVframeSect* s = theVframeSects.GetAt(number - 1);
        p = endJ ? s->m_fEnd : s->m_fStart;
        k = s->m_cKind;
    }
    if (!p || k == 40) return false;
    if (k == 7) {
        if (p[1] <= 0) return false;
        outline.AddRoundOutline(p[1], p[0]);
        width = 2.0 * p[1];
        return true;
    }
    const double h = p[0], b = p[1];
    if (h <= 0 || b <= 0) return false;
    outline.AddVertex(-b / 2, -h / 2);
    outline.AddVertex(b / 2, -h / 2);
    outline.AddVertex(b / 2, h / 2);
    outline.AddVertex(-b / 2, h / 2);
    width = b;
    return true;
}
