#include "vek/elements/line/frames/FrameSectionSeams.h"

#include <algorithm>
#include <cstring>

#include "vek/model/ProjectGlobals.h"
#include "vek/model/materials/Sections.h"
#include "vek/view/TrueShape.h"

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
