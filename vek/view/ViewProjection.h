#pragma once
// The one camera of the model view: an orthographic projection of model
// points onto the window for the plan, elevation and free 3-D work
// platforms, with zoom, pan, rotation and the standard directions.
#include <cstdint>

#include "framework/WinTypes.h"
#include "korvalib/base/Vector.h"

class bofstream;
class bifstream;

class CViewProjection {
public:
    enum Mode : int8_t { kPlan = 1, kElevation = 2, kFree3D = 3 };
    enum PanDirection { kPanUp, kPanDown, kPanLeft, kPanRight };
    enum StandardView { kFront, kBack, kLeft, kRight, kTop, kBottom };
    // Zoom-in stops here, so that every point of the view box stays well
    // inside the range of an int in pixels.
    static constexpr double kMaxZoom = 1.0e5;
    static constexpr double kMinZoom = 0.05;
    // Size of the project-file block.
    static constexpr int kBlockSize = 113;

    CViewProjection();
    void SetDefaultView();

    // Conversions.
    double GetScale() const;
    void WorldToScreen(const double* p, double& sx, double& sy) const;
    void WorldToScreenDouble(const double* p, double& sx, double& sy) const { WorldToScreen(p, sx, sy); }
    // Truncated towards zero (and kept within the range GDI draws).
    void WorldToScreenInt(const double* p, int& x, int& y) const;
    void ScreenToWorld(double x, double y, double out[3]) const;
    void ScreenToWorldInt(int x, int y, double out[3]) const { ScreenToWorld(x, y, out); }
    void WorldToPlane(const double* p, double& u, double& v) const;
    void PlaneToWorld(double u, double v, double out[3]) const;
    void PlaneToWorld(const double uv[2], double out[3]) const { PlaneToWorld(uv[0], uv[1], out); }
    void PlaneToScreen(double u, double v, double& sx, double& sy) const;
    void PlaneToScreenInt(double u, double v, int& x, int& y) const;
    void ScreenToPlane(int x, int y, double& u, double& v) const;
    // flag 0: the node's coordinates; 1: its drawing position. 0 when there is no such node.
    int NodeToScreen(int node, double& sx, double& sy, int flag) const;
    int NodeToScreenInt(int node, int& x, int& y, int flag) const;
    POINT GetScreenCenter() const;
    void GetExtentCenter(double out[3]) const;
    void GetVisibleWindow(double& minU, double& minV, double& maxU, double& maxV) const;
    // The viewing axis (the frame's third axis, towards the viewer).
    void GetViewDir(double out[3]) const;

    // Outside-screen tests.
    int IsOutsideScreen(int x, int y) const;
    int IsLineOutsideScreen(int x1, int y1, int x2, int y2) const;
    int IsPixelQuadOutside(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) const;
    int IsPointOutsideScreen(const double* p) const;
    int IsSegmentOutsideScreen(const double* p1, const double* p2) const;
    int IsQuadOutsideScreen(const double* p1, const double* p2, const double* p3, const double* p4) const;

    // State changers.
    void SetViewDirection(double x, double y, double z);
    void UpdateAxes();
    void AddToExtent(const double* p);
    void UpdateViewBox();
    void ZoomExtents(int recompute, int resetDirection, int resetZoom);
    int SetMode(int mode, int refit, int refreshVisibility, int onlyIfChanged);
    void SetupGL() const;
    // Copies centres, frame, directions, zoom and view box only.
    CViewProjection& operator=(const CViewProjection& o);
    CViewProjection(const CViewProjection& o) = default;
    // A change of the length unit.
    void ScaleLengths(double factor);

    // Commands; each ends by asking the view for a new picture.
    void ZoomIn();
    void ZoomOut();
    void ZoomAtCursor(int delta, POINT cursor);
    void PanStep(PanDirection direction);
    void ZoomExtentsCommand();
    // Callbacks of the drag and window operations, with the picked pixels.
    void ZoomWindowCallback(int count, const POINT* pixels);
    void PanDragCallback(int count, const POINT* pixels);
    void ZoomDragCallback(int count, const POINT* pixels);
    void RotateDragCallback(int count, const POINT* pixels);
    void SetStandardView(StandardView view, int oblique);

    // The same operations under their menu names.
    void WheelZoom(int16_t delta, const POINT* cursor) { ZoomAtCursor(delta, *cursor); }
    void PanUp() { PanStep(kPanUp); }
    void PanDown() { PanStep(kPanDown); }
    void PanLeft() { PanStep(kPanLeft); }
    void PanRight() { PanStep(kPanRight); }
    void MoveByPickedVector(int count, const POINT* pixels) { PanDragCallback(count, pixels); }
    void ShowAll() { ZoomExtentsCommand(); }
    void ViewFront(int oblique) { SetStandardView(kFront, oblique); }
    void ViewBack(int oblique) { SetStandardView(kBack, oblique); }
    void ViewLeft(int oblique) { SetStandardView(kLeft, oblique); }
    void ViewRight(int oblique) { SetStandardView(kRight, oblique); }
    void ViewTop(int oblique) { SetStandardView(kTop, oblique); }
    void ViewBottom(int oblique) { SetStandardView(kBottom, oblique); }
    void ScaleUnits(double factor) { ScaleLengths(factor); }

    // The project-file block.
    int Write(bofstream& out) const;
    // By the project version; a short or damaged block changes nothing and fails the stream.
    int Read(bifstream& in);

    // Accessors.
    int GetMode() const { return m_mode; }
    double GetZoom() const { return m_zoom; }
    void SetZoom(double zoom) { m_zoom = zoom; }
    double* Centre() { return m_centre[CentreIndex()]; }
    const double* Centre() const { return m_centre[CentreIndex()]; }
    double* CentreOf(int mode) { return m_centre[(mode >= 1 && mode <= 3) ? mode - 1 : 0]; }
    void SetScreenRect(int left, int top, int right, int bottom);
    const RECT& GetScreenRect() const { return m_screen; }
    // Maximum x, minimum x, maximum y, minimum y, maximum z, minimum z.
    const double* GetViewBox() const { return m_viewBox; }
    double GetViewDepth() const { return m_viewBox[4] - m_viewBox[5]; }
    // Maximum corner, then minimum corner.
    const double* GetExtent() const { return m_extent; }
    void SetExtent(const double* maxCorner, const double* minCorner);
    const CTransferMatrix& GetFrame() const { return m_frame; }
    const CVector& GetViewPoint() const { return m_viewPoint; }
    const CVector& GetScreenX() const { return m_screenX; }
    double GetPlatformHeight() const { return m_platformHeight; }
    void SetPlatformHeight(double z) { m_platformHeight = z; }
    int AxisGridInView() const;

protected:
    int CentreIndex() const { return (m_mode >= 1 && m_mode <= 3) ? m_mode - 1 : 0; }
    void ClampZoom();

    RECT m_screen{0, 0, 0, 0};
    double m_viewBox[6];
    CTransferMatrix m_frame;
    double m_extent[6];
    double m_platformHeight = 0;
    double m_centre[3][2];
    double m_zoom = 1.0;
    CVector m_viewPoint;
    CVector m_screenX;
    int8_t m_mode = kPlan;
};

extern CViewProjection theViewProjection;
