// The drawing state: sessions, the layer's pen, brush and font, and the
// OpenGL state helpers.
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "vek/exchange/DxfWriter.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/draw/DrawLayerInternal.h"

CDrawState theDrawState;

const char* const kDxfLayerNames[kDxfLayerCount] = {
    "0",
    "节点",
    "节点号",
    "节点温度",
    "节点集中力",
    "节点约束",
    "梁",
    "柱",
    "梁编号",
    "柱编号",
    "梁柱截面",
    "梁柱材料",
    "梁柱荷载",
    "梁柱预应力钢索",
    "板壳",
    "板壳编号",
    "板壳厚度",
    "板壳材料",
    "板壳荷载",
    "墙",
    "墙编号",
    "墙厚度",
    "墙材料",
    "墙荷载",
    "三维元",
    "三维元编号",
    "三维元材料",
    "三维元荷载",
    "小区域荷载",
    "平面单元",
    "平面单元编号",
    "平面单元材料",
    "平面单元荷载",
    "与桁架相关的图层",
    "与曲梁相关的图层",
    "与管道相关的图层",
    "自动剖分边界的图层",
    "弹簧",
    "内力图图层",
    "内力值图层",
    "与内力积分线和矩形相关的图层",
    "节点位移值的图层",
    "其它结果的图层",
};

namespace {

CGlApi* boundGl = nullptr;
CDrawHost* boundHost = nullptr;
ContourColorFunc contourColor = nullptr;

// The open batch of GL_LINES that equal lines join.
struct LineBatch {
    bool open = false;
    int width = 0;
    bool haveColour = false;
    uint8_t rgb[3] = {0, 0, 0};
} batch;

}  // namespace

CGlApi* GetGlApi()
{
    return boundGl;
}

CGlApi* SetGlApi(CGlApi* api)
{
    GlEndBatch();
    CGlApi* previous = boundGl;
    boundGl = api;
    return previous;
}

CDrawHost* SetDrawHost(CDrawHost* host)
{
    CDrawHost* previous = boundHost;
    boundHost = host;
    return previous;
}

CDrawHost* GetDrawHost()
{
    return boundHost;
}

bool DrawingOnGL()
{
    return theProjectOptions.bHiddenSurface && boundGl;
}

bool DxfExporting()
{
    return theDxfWriter.IsOpen();
}

// ---- sessions -----------------------------------------------------------------------------

namespace {

void ReleaseObjects()
{
    CDrawState& s = theDrawState;
    if (!s.dc) {
        s.pen = s.brush = s.font = nullptr;
        s.oldPen = s.oldBrush = s.oldFont = nullptr;
        return;
    }
    GdiObject* made[3] = {&s.pen, &s.brush, &s.font};
    GdiObject* old[3] = {&s.oldPen, &s.oldBrush, &s.oldFont};
    for (int i = 0; i < 3; ++i) {
        if (*old[i]) s.dc->SelectObject(*old[i]);
        if (*made[i]) s.dc->DeleteObject(*made[i]);
        *made[i] = *old[i] = nullptr;
    }
}

}  // namespace

void BeginExternalDraw(CDrawDC* dc)
{
    theDrawState.dc = dc;
    theDrawState.externalDC = true;
    theDrawState.oldPen = theDrawState.oldBrush = theDrawState.oldFont = nullptr;
    theDrawState.pen = theDrawState.brush = theDrawState.font = nullptr;
}

namespace {

// GDI drawing that waits for the OpenGL picture of the paint, and whether it
// is being drawn now.
std::vector<std::function<void()>> overGL;
bool drawingOverGL = false;

}  // namespace

void DrawOverGL(std::function<void()> draw)
{
    if (!drawingOverGL && theDrawState.externalDC && DrawingOnGL()) {
        overGL.push_back(std::move(draw));
        return;
    }
    draw();
}

void EndExternalDraw()
{
    GlEndBatch();
    if (DrawingOnGL()) boundGl->Flush();
    // Only now, with nothing more to come from OpenGL, is GDI drawing safe
    // from being covered by the OpenGL picture.
    drawingOverGL = true;
    std::vector<std::function<void()>> waiting;
    waiting.swap(overGL);
    for (const auto& draw : waiting) draw();
    drawingOverGL = false;
    theDrawState.externalDC = false;
    ReleaseObjects();
    theDrawState.dc = nullptr;
}

CDrawSession::CDrawSession()
{
    CDrawState& s = theDrawState;
    ++s.sessions;
    if (s.externalDC) return;
    if (s.depth == 0) {
        s.dc = boundHost ? boundHost->BeginSession() : nullptr;
        s.savedOpenGL = theProjectOptions.bHiddenSurface;
        theProjectOptions.bHiddenSurface = 0;
        s.oldPen = s.oldBrush = s.oldFont = nullptr;
        s.pen = s.brush = s.font = nullptr;
    }
    ++s.depth;
}

CDrawSession::~CDrawSession()
{
    CDrawState& s = theDrawState;
    // Only the outermost session outside a paint sends the batch on: a
    // flush per element costs a copy of the picture, and a paint's own end
    // sends everything once.
    if (s.sessions > 0) --s.sessions;
    if (s.sessions == 0 && !s.externalDC && DrawingOnGL()) {
        GlEndBatch();
        boundGl->Flush();
    }
    if (!s.externalDC && s.depth > 0 && --s.depth == 0) {
        ReleaseObjects();
        if (boundHost) boundHost->EndSession();
        theProjectOptions.bHiddenSurface = s.savedOpenGL;
        s.dc = nullptr;
    }
    if (m_quadric && boundGl) boundGl->DeleteQuadric(m_quadric);
}

GlQuadric* CDrawSession::Quadric() const
{
    if (!m_quadric && boundGl) m_quadric = boundGl->NewQuadric();
    return m_quadric;
}

void RefreshViewNow()
{
    if (!theDrawState.externalDC && theDrawState.depth > 0 && boundHost) boundHost->RefreshNow();
}

// ---- pens, brushes, fonts -----------------------------------------------------------------

namespace {

// Deselects and deletes the layer's object of one kind, then selects `obj`
// (owned when `made`) and remembers what the device had.
void Replace(GdiObject& made, GdiObject& old, GdiObject obj, bool owned)
{
    CDrawDC* dc = theDrawState.dc;
    if (made) {
        if (old) dc->SelectObject(old);
        dc->DeleteObject(made);
        made = nullptr;
    }
    if (!obj) return;
    GdiObject before = dc->SelectObject(obj);
    if (!old) old = before;
    if (owned) made = obj;
}

}  // namespace

void SelectDrawPen(uint32_t colour, int width, int style)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return;
    const PenSpec& made = theDrawState.penSpec;
    if (theDrawState.pen && made.style == style && made.width == width && made.colour == colour) return;
    PenSpec now;
    if (dc->GetPenSpec(dc->CurrentPen(), now) && now.style == style && now.width == width && now.colour == colour)
        return;
    GdiObject pen = dc->CreatePen(style, width, colour);
    Replace(theDrawState.pen, theDrawState.oldPen, pen, true);
    theDrawState.penSpec = PenSpec{style, width, colour};
}

void SelectStockPen(int index)
{
    if (!theDrawState.dc) return;
    Replace(theDrawState.pen, theDrawState.oldPen, theDrawState.dc->StockObject(index), false);
}

void SelectStockBrush(int index)
{
    if (!theDrawState.dc) return;
    Replace(theDrawState.brush, theDrawState.oldBrush, theDrawState.dc->StockObject(index), false);
}

void SelectSolidBrush(uint32_t colour)
{
    if (!theDrawState.dc) return;
    Replace(theDrawState.brush, theDrawState.oldBrush, theDrawState.dc->CreateSolidBrush(colour), true);
}

void SelectHatchBrush(int pattern, uint32_t colour)
{
    if (!theDrawState.dc) return;
    Replace(theDrawState.brush, theDrawState.oldBrush, theDrawState.dc->CreateHatchBrush(pattern, colour), true);
}

void SelectTextFont(double angle, int size)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return;
    ViewFontDesc f = theProjectOptions.textFont;
    const int tenths = static_cast<int>(angle * 57.29577951308232 * 10);
    f.escapement = f.orientation = tenths;
    if (size != 0) f.height = size;
    int height = 0, orientation = 0;
    if (dc->GetFontSpec(dc->CurrentFont(), height, orientation) && height == f.height && orientation == tenths) return;
    Replace(theDrawState.font, theDrawState.oldFont, dc->CreateFont(f), true);
}

uint32_t SetDrawTextColor(uint32_t colour)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return 0;
    const uint32_t now = dc->GetTextColor();
    if (now != colour) dc->SetTextColor(colour);
    return now;
}

unsigned SetDrawTextAlign(unsigned flags)
{
    CDrawDC* dc = theDrawState.dc;
    if (!dc) return 0;
    const unsigned now = dc->GetTextAlign();
    if (now != flags) dc->SetTextAlign(flags);
    return now;
}

// ---- OpenGL -------------------------------------------------------------------------------

void ColorToBytes(uint32_t colour, uint8_t bytes[3])
{
    bytes[0] = static_cast<uint8_t>(colour & 0xFF);
    bytes[1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
    bytes[2] = static_cast<uint8_t>((colour >> 16) & 0xFF);
}

void GlEndBatch()
{
    if (batch.open && boundGl) boundGl->End();
    batch.open = false;
    batch.haveColour = false;
}

void GlBeginWidth(unsigned mode, int width)
{
    if (!boundGl) return;
    GlEndBatch();
    boundGl->LineWidth(static_cast<float>(width));
    boundGl->Begin(mode);
}

void SetGlLineStyle(int style)
{
    if (!boundGl || style < 0 || style > 4) return;
    GlEndBatch();
    static const uint16_t patterns[5] = {0, 0x3F3F, 0x5555, 0x2727, 0x5757};
    if (style == 0) {
        boundGl->Disable(gl::kLineStipple);
        return;
    }
    boundGl->LineStipple(3, patterns[style]);
    boundGl->Enable(gl::kLineStipple);
}

void FillPatternMask(int pattern, uint8_t mask[128])
{
    static const uint8_t tiles[6][8] = {
        {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20},
        {0x10, 0x20, 0x40, 0x80, 0x01, 0x02, 0x04, 0x08}, {0x02, 0x01, 0x80, 0x40, 0x20, 0x10, 0x08, 0x04},
        {0xFF, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, {0x03, 0x03, 0x84, 0x48, 0x30, 0x30, 0x48, 0x84},
    };
    if (pattern < 0 || pattern > 5) {
        std::memset(mask, 0xFF, 128);
        return;
    }
    for (int row = 0; row < 32; ++row) std::memset(mask + row * 4, tiles[pattern][row % 8], 4);
}

void SetGlFillPattern(int pattern)
{
    if (!boundGl || pattern > 5) return;
    GlEndBatch();
    if (pattern < 0) {
        boundGl->Disable(gl::kPolygonStipple);
        return;
    }
    uint8_t mask[128];
    FillPatternMask(pattern, mask);
    boundGl->PolygonStipple(mask);
    boundGl->Enable(gl::kPolygonStipple);
}

void ShiftTowardViewer(const double* p, double distance, double out[3])
{
    double axis[3];
    theViewProjection.GetViewDir(axis);
    for (int i = 0; i < 3; ++i) out[i] = p[i] + distance * axis[i];
}

uint32_t ContourColorIndex(double value)
{
    if (!(value >= -1e-5 && value <= 1.00001)) return theDisplayColors.m_back;
    if (contourColor) return contourColor(value);
    // Until the result display sets its own scale: blue through green to red.
    const double v = value < 0 ? 0 : value > 1 ? 1 : value;
    int r = 0, g = 0, b = 0;
    if (v < 0.5) {
        g = static_cast<int>(510 * v);
        b = 255 - g;
    } else {
        r = static_cast<int>(510 * (v - 0.5));
        g = 255 - r;
    }
    return static_cast<uint32_t>(r | (g << 8) | (b << 16));
}

ContourColorFunc SetContourColorFunc(ContourColorFunc f)
{
    ContourColorFunc previous = contourColor;
    contourColor = f;
    return previous;
}

// ---- shared by the primitives -------------------------------------------------------------

namespace drawing {

void GlLine(const double* a, const double* b, const uint8_t* ca, const uint8_t* cb, int width)
{
    if (!batch.open || batch.width != width) {
        GlEndBatch();
        boundGl->LineWidth(static_cast<float>(width));
        boundGl->Begin(gl::kLines);
        batch.open = true;
        batch.width = width;
        if (theProjectOptions.HasOption(CProjectOptions::kLighting)) {
            double n[3];
            theViewProjection.GetViewDir(n);
            boundGl->Normal3dv(n);
        }
    }
    if (!batch.haveColour || std::memcmp(batch.rgb, ca, 3) != 0) {
        boundGl->Color3ubv(ca);
        std::memcpy(batch.rgb, ca, 3);
        batch.haveColour = true;
    }
    boundGl->Vertex3dv(a);
    if (cb != ca && std::memcmp(batch.rgb, cb, 3) != 0) {
        boundGl->Color3ubv(cb);
        std::memcpy(batch.rgb, cb, 3);
    }
    boundGl->Vertex3dv(b);
}

CGlApi* Gl()
{
    GlEndBatch();
    return boundGl;
}

double OutlineOffset(int width)
{
    if (width > 1) return 0;
    return theViewProjection.GetViewDepth() * theProjectOptions.dBorderDepthOffset;
}

void DxfViewDir()
{
    double d[3];
    theViewProjection.GetViewDir(d);
    theDxfWriter.SetViewDir(d);
}

const char* Layer(const char* layer)
{
    return layer && *layer ? layer : kDxfLayerNames[0];
}

}  // namespace drawing
