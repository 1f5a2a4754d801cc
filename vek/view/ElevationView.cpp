#include "vek/view/ElevationView.h"

#include <cmath>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/NodeLookup.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"

const char* const kPromptElevationTwoPoints = "请捕捉立面上的两个点，立面将垂直于XY平面，两点的连线不能平行于Z轴";
const char* const kPromptElevationThreePoints = "请捕捉立面(空间任意一个平面)上的三个点，三个点不能在一条直线上";
const char* const kPromptElevationOrigin = "请捕捉当前立面局部坐标系的原点";

namespace {

void ShowElevation(int refresh)
{
    double* c = theViewProjection.CentreOf(CViewProjection::kElevation);
    c[0] = c[1] = 1e40;
    if (refresh)
        theViewProjection.SetMode(CViewProjection::kElevation, 1, 1, 0);
    else
        theViewProjection.ZoomExtents(0, 0, 0);
    ViewInvalidateModel();
}

}  // namespace

int DefineElevationByPoints(int count, const double (*p)[3])
{
    if (!p || count < 2) return 0;
    double third[3];
    const double* c;
    if (count == 2) {
        if (std::fabs(p[0][0] - p[1][0]) < 0.0002 && std::fabs(p[0][1] - p[1][1]) < 0.0002) {
            AppMessageBox("定义立面的两点形成的直线不能和Z轴平行!");
            return 0;
        }
        third[0] = p[0][0];
        third[1] = p[0][1];
        third[2] = p[0][2] + 10;
        c = third;
    } else {
        c = p[2];
    }
    CPlaneEquation eq;
    if (!eq.SetFromThreePoints(p[0], p[1], c)) {
        AppMessageBox("三个点在一条直线上，不能定义立面!");
        return 0;
    }
    theElevationPlane.m_equation = eq;
    theElevationPlane.SetOrigin(nullptr);
    ShowElevation(1);
    return 1;
}

void SetElevationOrigin(const double* point)
{
    theElevationPlane.SetOrigin(point);
    ShowElevation(0);
}

void ReverseElevation()
{
    theElevationPlane.Reverse();
    theViewProjection.ZoomExtents(0, 0, 0);
    ViewInvalidateModel();
}

int SelectNamedElevation(int index)
{
    if (index < 0 || index >= static_cast<int>(theElevationPlane.m_named.size())) return 0;
    const CPlaneDescription& d = theElevationPlane.m_named[static_cast<size_t>(index)];
    theElevationPlane.m_equation = d.m_equation;
    theElevationPlane.SetOrigin(d.m_origin);
    ShowElevation(1);
    return 1;
}

void AddNamedElevation(const char* name)
{
    CPlaneDescription d;
    d.m_equation = theElevationPlane.m_equation;
    CVector::Copy(theElevationPlane.m_origin, d.m_origin);
    d.SetName(name);
    theElevationPlane.m_named.push_back(d);
}

// ---- section polygons for display ---------------------------------------------------------

int CPlaneEquation::SectionPolygon(int kind, int nodeCount, const int32_t* ids, const double* nodeValues, int global,
                                   double outVertices[][3], double* outValues, double centre[2]) const
{
    if (!ids || nodeCount <= 0 || nodeCount > kMaxCutNodes || !outVertices) return 0;
    int n = 0;
    if (nodeValues && outValues) {
        double sets[(kMaxCutNodes + 1) * 9] = {};
        for (int i = 0; i < nodeCount; ++i) sets[i * 9] = nodeValues[i];
        double vertexValues[kMaxCutVertices * 9];
        n = CutElement(kind, nodeCount, ids, 1, sets, outVertices, vertexValues, 0);
        if (n < 3) return n;
        for (int i = 0; i < n; ++i) outValues[i] = vertexValues[i * 9];
    }
    n = CutElement(kind, nodeCount, ids, 0, nullptr, outVertices, nullptr, 0);
    if (n < 3) return n;
    double mean[3] = {0, 0, 0};
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < 3; ++j) mean[j] += outVertices[i][j] / n;
    if (centre) theViewProjection.WorldToScreenDouble(mean, centre[0], centre[1]);
    if (!global)
        for (int i = 0; i < n; ++i) {
            double x, y;
            theViewProjection.WorldToScreen(outVertices[i], x, y);
            outVertices[i][0] = x;
            outVertices[i][1] = y;
            outVertices[i][2] = 0;
        }
    return n;
}
