#pragma once
// The drawing layer: the free functions through which every picture of the
// model is drawn, from model points, on OpenGL or on a GDI device context,
// and written as DXF entities while an export is open. One drawing state
// is shared by all of them.
#include <cstdint>
#include <functional>

#include "vek/view/draw/DrawDevice.h"
#include "vek/view/draw/GlApi.h"

struct CDrawState {
    CDrawDC* dc = nullptr;    // the device every GDI call uses; null outside a drawing
    bool externalDC = false;  // the view's paint supplied the device
    int depth = 0;            // nesting of sessions outside a paint
    int sessions = 0;         // nesting of all sessions, in a paint too
    uint8_t savedOpenGL = 0;  // the OpenGL switch before the outermost session
    // What the device had selected before this layer first selected its own.
    GdiObject oldPen = nullptr, oldBrush = nullptr, oldFont = nullptr;
    // The one pen, brush and font this layer made and has selected.
    GdiObject pen = nullptr, brush = nullptr, font = nullptr;
    // What `pen` was made with: while it is the selected pen, asking for the
    // same pen again needs no look at the device.
    PenSpec penSpec;
};

extern CDrawState theDrawState;

// The 43 DXF layer names; 0 is the default layer "0".
constexpr int kDxfLayerCount = 43;
extern const char* const kDxfLayerNames[kDxfLayerCount];

// The paint's bracket.
void BeginExternalDraw(CDrawDC* dc);
void EndExternalDraw();

// GDI drawing over an OpenGL picture: while a paint draws on OpenGL it runs
// at the paint's end, after the last OpenGL output (which would otherwise
// cover it where OpenGL copies its whole picture at a flush); otherwise now.
void DrawOverGL(std::function<void()> draw);

// A drawing bracket: outside a paint the outermost one draws on the view's
// back buffer with GDI; every one owns a GLU quadric for spheres.
class CDrawSession {
public:
    CDrawSession();
    ~CDrawSession();
    CDrawSession(const CDrawSession&) = delete;
    CDrawSession& operator=(const CDrawSession&) = delete;
    // Made on the first ask: most sessions draw no sphere.
    GlQuadric* Quadric() const;

private:
    mutable GlQuadric* m_quadric = nullptr;
};

void RefreshViewNow();

// GDI objects and text attributes; each does nothing without a device.
void SelectDrawPen(uint32_t colour, int width, int style);
void SelectStockPen(int index);
void SelectStockBrush(int index);
void SelectSolidBrush(uint32_t colour);
void SelectHatchBrush(int pattern, uint32_t colour);
// angle in radians; size in pixels, 0 for the display font's own height.
void SelectTextFont(double angle, int size);
uint32_t SetDrawTextColor(uint32_t colour);
unsigned SetDrawTextAlign(unsigned flags);

// OpenGL: whether drawing goes there now, and the low-level helpers.
bool DrawingOnGL();
void GlBeginWidth(unsigned mode, int width);
void SetGlLineStyle(int style);
void SetGlFillPattern(int pattern);
void ShiftTowardViewer(const double* p, double distance, double out[3]);
void ColorToBytes(uint32_t colour, uint8_t bytes[3]);
// Ends the batch of lines that DrawLine3D keeps open between equal lines.
void GlEndBatch();
// The stipple mask of a fill pattern 0..5 (32 rows of 4 bytes).
void FillPatternMask(int pattern, uint8_t mask[128]);
// Whether an export is open (every primitive also writes DXF).
bool DxfExporting();

// Value colours of graded drawing, from a value normalised to 0..1; the
// background colour outside -1e-5..1.00001.
uint32_t ContourColorIndex(double value);
using ContourColorFunc = uint32_t (*)(double value);
ContourColorFunc SetContourColorFunc(ContourColorFunc f);

// Primitives (model points are three doubles).
void DrawLine3D(const double* p1, const double* p2, uint32_t colour, int width = 1, const char* layer = nullptr,
                int style = 0, int graded = 0, double v1 = 0, double v2 = 0);
void DrawPolygonFace(const double corners[4][3], int outline, uint32_t outlineColour, int fill, uint32_t fillColour,
                     int pattern, int width, const char* layer, int graded = 0, const double* values = nullptr);
void DrawShadedPolygon(int n, const double (*points)[3], int outline, uint32_t outlineColour, int fill,
                       uint32_t fillColour, int pattern, int width, const char* layer);
void DrawContourPolygon(int n, const int* used, const double (*points)[3], int graded, int outline, uint32_t colour,
                        const double* values, const char* layer);
// Each point carries its value as a fourth number.
void DrawQuadFace(const double points[4][4], int outline, uint32_t outlineColour, int fill, uint32_t fillColour,
                  int graded, int pattern, int width, const char* layer);
void DrawWideLine(const double* p1, const double* p2, double width1, double width2, uint32_t colour, int fill,
                  uint32_t fillColour, const char* layer, int graded = 0, double v1 = 0, double v2 = 0);
// size in pixels; viewDir null: the projection's.
void DrawSphere(GlQuadric* quadric, const double* centre, double size, int outline, uint32_t outlineColour, int fill,
                uint32_t fillColour, const double* viewDir, int cross, int width, const char* layer);
void DrawArrow3D(const double* start, const double* direction, double length, uint32_t colour, const double* viewDir,
                 const char* layer, int doubleHead);
void DrawDirectionArrow(const double* from, const double* to, uint32_t colour, const char* layer, int doubleHead);
// The deformed axis of a two-node member: the ends P1, P2 with their
// translations u and rotation vectors r, magnified k times; `first` is the
// first end's drawing position.
void DrawDeformedMember(const double* p1, const double* p2, const double* u1, const double* u2, const double* r1,
                        const double* r2, double k, const double* first, uint32_t colour, int width, const char* layer,
                        int segments);

// Text (always GDI).
void DrawText3D(const double* point, const char* text, uint32_t colour, unsigned alignment, double angle,
                const char* layer);
void DrawTextList(int count, const double (*points)[3], const char* const* texts, uint32_t colour, unsigned alignment,
                  double angle, const char* layer);
void DrawTextAt(int x, int y, const char* text, double angle, unsigned alignment, uint32_t colour, int size);
void DrawLabelsAlongLine(const double* anchor, int count, const char* const* texts, uint32_t colour, double angle,
                         unsigned alignment, const double* normal, const char* const* layers, int dxf);
void DrawTextBlock(const double* p1, const double* p2, int count, const char* const* texts, uint32_t colour,
                   const double* normal, const char* const* layers, int upright);

// A straight segment in pixels on the drawing device (GDI only).
void DrawGdiLine(int x1, int y1, int x2, int y2);

// Screen-only feedback (GDI).
void DrawScreenArrow(double x, double y, double length, double angle, uint32_t colour);
void DrawScreenArrowTo(double x1, double y1, double x2, double y2, uint32_t colour);
void DrawXorDragArrow(const double* p1, const double* p2, uint32_t colour);
void DrawXorArc(const double* centre, double angle1, double angle2, double radius, uint32_t colour, int dotted,
                int xorMode);

// The wind action on a member or wall, with what the wind data gives for it.
struct WindSymbol {
    int windCase = 1;
    int index = 0;         // the element's wind index; nothing below 1
    double height = 0;     // the band's depth for the case
    double value = 0;      // the element's wind value for the case
    double caseAngle = 0;  // degrees
    int code = 0;          // the one-digit code of the element's wind entry
};
void DrawWindSymbol(const double* p1, const double* p2, const WindSymbol& wind, int state1, int state2, int label);
