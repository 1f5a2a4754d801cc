#include "vek/view/ViewBindings.h"

#include "vek/model/ElevationPlane.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ViewLink.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/units/UnitConversion.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/axisgrid/AxisGridView.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

class CViewModelProjection : public CModelProjection {
public:
    int GetMode() const override { return theViewProjection.GetMode(); }
    void SetMode(int mode) override { theViewProjection.SetMode(mode, 1, 1, 1); }
    double GetPlanElevation() const override { return theViewProjection.GetPlatformHeight(); }
    void SetPlanElevation(double z) override { theViewProjection.SetPlatformHeight(z); }
    void ZoomExtents() override { theViewProjection.ZoomExtents(1, 0, 0); }
    void WorldToPlane(const double* p, double& u, double& v) const override { theViewProjection.WorldToPlane(p, u, v); }
    void PlaneToWorld(double u, double v, double out[3]) const override { theViewProjection.PlaneToWorld(u, v, out); }
    void WorldToScreen(const double* p, double& sx, double& sy) const override
    {
        theViewProjection.WorldToScreen(p, sx, sy);
    }
    double GetScale() const override { return theViewProjection.GetScale(); }
};

class CViewModelCanvas : public CModelCanvas {
public:
    void Line(const double* p1, const double* p2, uint32_t colour, int width) override
    {
        CDrawSession session;
        DrawLine3D(p1, p2, colour, width);
    }
    void Arrow(const double* from, const double* to, uint32_t colour) override
    {
        CDrawSession session;
        DrawDirectionArrow(from, to, colour, nullptr, 0);
    }
    void FilledTriangle(const double* a, const double* b, const double* c, uint32_t colour) override
    {
        CDrawSession session;
        const double p[3][3] = {{a[0], a[1], a[2]}, {b[0], b[1], b[2]}, {c[0], c[1], c[2]}};
        DrawShadedPolygon(3, p, 1, colour, 1, colour, -1, 1, nullptr);
    }
    void Text(const double* at, const char* text, uint32_t colour, unsigned alignment, double angle) override
    {
        CDrawSession session;
        DrawText3D(at, text, colour, alignment, angle, nullptr);
    }
};

CViewModelProjection theModelProjectionOfView;
CViewModelCanvas theModelCanvasOfView;

void ToFrame(const double world[3], double local[3])
{
    theViewProjection.GetFrame().ToLocal(world, local);
}

void FromFrame(const double local[3], double world[3])
{
    theViewProjection.GetFrame().ToGlobal(local, world);
}

}  // namespace

void BindProjectionLink()
{
    theViewLink.projectionMode = [] { return theViewProjection.GetMode(); };
    theViewLink.toViewFrame = ToFrame;
    theViewLink.fromViewFrame = FromFrame;
    theViewLink.setLegacyProjection = [](int mode, double value) {
        theViewProjection.SetMode(mode, 0, 0, 0);
        theViewProjection.SetPlatformHeight(value);
    };
    // The plane model lies in x = 0: its work plane, seen as it is.
    theViewLink.enterYZPlane = [] {
        theElevationPlane.m_equation.Set(1, 0, 0, 0);
        theElevationPlane.SetOrigin(nullptr);
        theViewProjection.SetMode(CViewProjection::kElevation, 0, 1, 0);
        theViewProjection.ZoomExtents(0, 0, 0);
    };
}

void InstallViewModelHooks()
{
    BindProjectionLink();
    // A white arc by exclusive or, shown at once; drawn twice it is gone.
    theViewLink.drawXorArc = [](const double centre[3], double startAngle, double endAngle, double radius) {
        CDrawSession session;
        DrawXorArc(centre, startAngle, endAngle, radius, 0xFFFFFF, 0, 1);
        RefreshViewNow();
    };
    SetModelProjection(&theModelProjectionOfView);
    SetModelCanvas(&theModelCanvasOfView);
    theViewHooks.addGridExtent = AddGridNodesToExtent;
    theViewHooks.updateVisibleObjects = &CDisplayOptions::UpdateVisibleObjects;
    SetUnitScaleHook(EUnitStep::AxisGrids, [](const CUnitFactors& f) { ScaleAxisGrids(f.L); });
    SetUnitScaleHook(EUnitStep::GridNodes, [](const CUnitFactors& f) { ScaleGridNodes(f.L); });
    SetUnitScaleHook(EUnitStep::ViewProjection, [](const CUnitFactors& f) { theViewProjection.ScaleLengths(f.L); });
    SetUnitScaleHook(EUnitStep::WorkingPlane, [](const CUnitFactors& f) { theElevationPlane.ScaleLengths(f.L); });
}
