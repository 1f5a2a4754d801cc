#include "vek/view/win/VekView.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/MyImage.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ViewLink.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/DisplayColors.h"
#include "vek/view/DxfOutput.h"
#include "vek/view/ViewBindings.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/win/BottomDlg.h"
#include "vek/view/passes/DrawModel.h"
#include "vek/view/win/ViewCommands.h"
#include "vek/view/win/WglApi.h"
#include "vek/view/win/WinGl.h"

unsigned char nGLColorBits = 0;
unsigned char nGLGreenBits = 0;
CViewResultHooks theViewResultHooks;

namespace {

const char* const kGLFailed =
    "OpenGL创建失败! 可能是显卡的OpenGL驱动程序有缺陷，请更新显卡驱动程序。本次运行将不用OpenGL显示图形。";
const char* const kLowColours =
    "系统颜色数过低，消隐状态下显示速度和效果都很差，如果希望达到理想效果，请在控制面板的显示项内调高颜色数！";

CVekView* mainView = nullptr;
CViewInput* viewInput = nullptr;
CCmdTarget* commandTarget = nullptr;
// OpenGL failed once in this run: every later picture goes through GDI.
bool glFailed = false;
bool lowColoursShown = false;

int ResultsShown()
{
    return theViewResultHooks.resultsShown ? theViewResultHooks.resultsShown() : 0;
}

void SetLighting(bool on)
{
    theProjectOptions.SetOption(CProjectOptions::kLighting, on);
}

// A bottom-up 32-bit DIB section: OpenGL draws into it the right way up.
HBITMAP NewBackBuffer(HDC dc, int w, int h)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

CViewInput* SetViewInput(CViewInput* input)
{
    CViewInput* before = viewInput;
    viewInput = input;
    return before;
}

IMPLEMENT_DYNCREATE(CVekView, CView)

BEGIN_MESSAGE_MAP(CVekView, CView)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CVekView::OnFilePrintPreview)
ON_COMMAND(ID_EXPORT_BMP, &CVekView::OnExportBmp)
ON_COMMAND(ID_EXPORT_JPG, &CVekView::OnExportJpg)
ON_COMMAND(ID_EXPORT_PNG, &CVekView::OnExportPng)
ON_COMMAND(ID_EXPORT_GIF, &CVekView::OnExportGif)
ON_COMMAND(ID_EXPORT_CLIP_BITMAP, &CVekView::OnExportClipboardBitmap)
ON_COMMAND(ID_EXPORT_GIF_ANIMATION, &CVekView::OnExportAnimatedGif)
ON_COMMAND(ID_EXPORT_WMF, &CVekView::OnExportWmf)
ON_COMMAND(ID_EXPORT_EMF, &CVekView::OnExportEmf)
ON_COMMAND(ID_EXPORT_CLIP_METAFILE, &CVekView::OnExportClipboardMetafile)
ON_COMMAND(ID_EXPORT_CLIP_EMF, &CVekView::OnExportClipboardEmf)
ON_UPDATE_COMMAND_UI(ID_EXPORT_GIF_ANIMATION, &CVekView::OnUpdateExportAnimatedGif)
END_MESSAGE_MAP()

CVekView::CVekView()
{
    mainView = this;
}

CVekView::~CVekView()
{
    if (GetDrawHost() == this) SetDrawHost(nullptr);
    if (m_memDC && m_hGLRC && Wgl().GetCurrentContext() == m_hGLRC) Wgl().MakeCurrent(nullptr, nullptr);
    if (m_hGLRC) Wgl().DeleteContext(m_hGLRC);
    DeleteBackBuffer();
    if (m_memDC) ::DeleteDC(m_memDC);
    if (mainView == this) mainView = nullptr;
}

CVekView* CVekView::GetMain()
{
    return mainView;
}

CCmdTarget* CVekView::SetCommandTarget(CCmdTarget* target)
{
    CCmdTarget* before = commandTarget;
    commandTarget = target;
    return before;
}

BOOL CVekView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CView::PreCreateWindow(cs);
}

int CVekView::OnCreate(LPCREATESTRUCT cs)
{
    if (CView::OnCreate(cs) == -1) return -1;
    HDC window = ::GetDC(m_hWnd);
    m_memDC = ::CreateCompatibleDC(window);
    ::ReleaseDC(m_hWnd, window);
    if (!m_memDC) return -1;
    ::SetBkMode(m_memDC, TRANSPARENT);
    if (!MakeBackBuffer(10, 10)) return -1;
    // The program reaches the view through these.
    InstallViewModelHooks();
    theViewLink.invalidateModel = [] {
        if (mainView) mainView->InvalidateModel();
    };
    theViewLink.rebuildPictureFlag = []() -> unsigned char* { return mainView ? mainView->RebuildFlag() : nullptr; };
    theViewHooks.invalidateView = [](int erase) {
        if (mainView && mainView->m_hWnd) mainView->Invalidate(erase);
    };
    // The view's passing prompts go on the prompt bar, once the frame has made it.
    theViewHooks.showPrompt = [](const char* text) {
        if (theBottomDlg) theBottomDlg->SetPrompt(text);
    };
    theViewHooks.restorePrompt = [] {
        if (theBottomDlg) theBottomDlg->RestorePrompt();
    };
    SetDrawHost(this);
    CMyImage::SetMainWindowSource(
        []() -> HWND { return mainView ? ::GetAncestor(mainView->m_hWnd, GA_ROOT) : nullptr; });
    return 0;
}

void CVekView::OnDestroy()
{
    if (theViewResultHooks.animationRunning && theViewResultHooks.animationRunning())
        SendMessage(WM_COMMAND, ID_RESULT_STOP, 0);
    HGLRC current = Wgl().GetCurrentContext();
    if (current) {
        Wgl().MakeCurrent(nullptr, nullptr);
        if (current != m_hGLRC) Wgl().DeleteContext(current);
    }
    CView::OnDestroy();
}

BOOL CVekView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CVekView::OnSize(UINT, int cx, int cy)
{
    if (m_bPreview) return;
    const RECT& r = theViewProjection.GetScreenRect();
    if (cx == r.right && cy == r.bottom) return;
    theViewProjection.SetScreenRect(0, 0, cx, cy);
    m_bRebuild = 1;
}

void CVekView::InvalidateModel()
{
    m_bRebuild = 1;
    if (m_hWnd) Invalidate(TRUE);
}

LRESULT CVekView::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    const bool input = (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                       (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_SETCURSOR ||
                       message == WM_TIMER || message == WM_CAPTURECHANGED || message == WM_MOUSELEAVE ||
                       message == WM_CONTEXTMENU;
    LRESULT result = 0;
    if (input && viewInput && viewInput->OnViewMessage(*this, message, wp, lp, result)) return result;
    return CView::WindowProc(message, wp, lp);
}

BOOL CVekView::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (commandTarget && commandTarget->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- the back buffer ------------------------------------------------------------------------

bool CVekView::MakeBackBuffer(int w, int h)
{
    HBITMAP bitmap = NewBackBuffer(m_memDC, std::max(1, w), std::max(1, h));
    if (!bitmap) return false;
    DeleteBackBuffer();
    m_backBitmap = bitmap;
    m_oldBitmap = ::SelectObject(m_memDC, bitmap);
    return true;
}

void CVekView::DeleteBackBuffer()
{
    if (!m_backBitmap) return;
    if (m_memDC) ::SelectObject(m_memDC, m_oldBitmap);
    ::DeleteObject(m_backBitmap);
    m_backBitmap = nullptr;
    m_oldBitmap = nullptr;
}

void CVekView::CopyToTarget(CDC* dc, bool printing, const RECT& page)
{
    const RECT& s = theViewProjection.GetScreenRect();
    ::GdiFlush();
    if (!printing) {
        ::BitBlt(dc->GetSafeHdc(), 0, 0, s.right - s.left, s.bottom - s.top, m_memDC, 0, 0, SRCCOPY);
        return;
    }
    // On paper the picture fills the page less a tenth on every side.
    const int w = page.right - page.left, h = page.bottom - page.top;
    ::SetStretchBltMode(dc->GetSafeHdc(), HALFTONE);
    ::StretchBlt(dc->GetSafeHdc(), page.left + w / 10, page.top + h / 10, w * 8 / 10, h * 8 / 10, m_memDC, 0, 0,
                 s.right - s.left, s.bottom - s.top, SRCCOPY);
}

// ---- OpenGL ---------------------------------------------------------------------------------

void CVekView::ForgetOpenGLFailure()
{
    glFailed = false;
    lowColoursShown = false;
}

int CVekView::SetupPixelFormat()
{
    BITMAP bm{};
    ::GetObjectA(m_backBitmap, sizeof bm, &bm);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = static_cast<BYTE>(bm.bmBitsPixel);
    pfd.cDepthBits = 32;
    CWglApi& wgl = Wgl();
    int format = wgl.ChoosePixelFormat(m_memDC, &pfd);
    if (!format || !wgl.SetPixelFormat(m_memDC, format, &pfd)) {
        // Every format in turn; the first the DC takes wins.
        format = 0;
        const int count = wgl.DescribePixelFormat(m_memDC, 1, sizeof pfd, &pfd);
        for (int i = 1; i <= count && !format; ++i)
            if (wgl.DescribePixelFormat(m_memDC, i, sizeof pfd, &pfd) && wgl.SetPixelFormat(m_memDC, i, &pfd))
                format = i;
        if (!format) {
            AppMessageBox("OPENGL初始化失败!");
            return 0;
        }
    }
    wgl.DescribePixelFormat(m_memDC, format, sizeof pfd, &pfd);
    nGLColorBits = pfd.cColorBits;
    nGLGreenBits = pfd.cGreenBits;
    return format;
}

bool CVekView::EnsureGLContext()
{
    if (m_hGLRC) return true;
    if (glFailed) {
        theProjectOptions.bHiddenSurface = 0;
        return false;
    }
    HGLRC rc = nullptr;
    if (SetupPixelFormat()) rc = Wgl().CreateContext(m_memDC);
    if (!rc) {
        // Once in a run: from now on every picture is drawn through GDI.
        glFailed = true;
        AppMessageBox(kGLFailed, MB_OK | MB_ICONWARNING);
        theProjectOptions.bHiddenSurface = 0;
        return false;
    }
    m_hGLRC = rc;
    if (nGLColorBits < 9 && !lowColoursShown) {
        lowColoursShown = true;
        AppMessageBox(kLowColours, MB_OK | MB_ICONINFORMATION);
    }
    MakeGLCurrent(m_memDC, m_hGLRC);
    SetGlApi(&WinGlApi());
    return true;
}

void CVekView::MakeGLCurrent(HDC dc, HGLRC rc)
{
    CWglApi& wgl = Wgl();
    HGLRC current = wgl.GetCurrentContext();
    if (current) {
        wgl.MakeCurrent(nullptr, nullptr);
        if (current != m_hGLRC) wgl.DeleteContext(current);
    }
    wgl.MakeCurrent(dc, rc);
}

void CVekView::PrepareGL()
{
    const bool wasOn = theProjectOptions.bHiddenSurface != 0;
    if (!EnsureGLContext()) return;
    // The back buffer may be new: the context draws into the one selected now.
    MakeGLCurrent(m_memDC, m_hGLRC);
    theViewProjection.SetupGL();
    if (theProjectOptions.bHiddenSurface) {
        if (theViewProjection.GetMode() == CViewProjection::kFree3D) {
            glClearDepth(1.0);
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(GL_LEQUAL);
        }
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glShadeModel(ResultsShown() ? GL_SMOOTH : GL_FLAT);
        if (theProjectOptions.HasOption(CProjectOptions::kLighting)) {
            // A light from the viewing direction, slightly raised.
            double d[3];
            theViewProjection.GetViewDir(d);
            const GLfloat position[4] = {GLfloat(d[0]), GLfloat(d[1]), GLfloat(d[2] + 0.2), 0};
            const GLfloat half[4] = {0.5f, 0.5f, 0.5f, 1}, none[4] = {0, 0, 0, 1};
            glLightfv(GL_LIGHT0, GL_POSITION, position);
            glLightfv(GL_LIGHT0, GL_AMBIENT, half);
            glLightfv(GL_LIGHT0, GL_DIFFUSE, half);
            glLightfv(GL_LIGHT0, GL_SPECULAR, none);
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
            glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
            glEnable(GL_LIGHTING);
            glEnable(GL_LIGHT0);
            glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
            glEnable(GL_COLOR_MATERIAL);
        } else {
            glDisable(GL_COLOR_MATERIAL);
            glDisable(GL_LIGHTING);
            glDisable(GL_LIGHT0);
        }
    } else if (wasOn) {
        glDisable(GL_DEPTH_TEST);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glShadeModel(GL_FLAT);
    }
    for (GLenum cap : {GL_ALPHA_TEST, GL_BLEND, GL_DITHER, GL_FOG, GL_LINE_SMOOTH, GL_LINE_STIPPLE, GL_LOGIC_OP,
                       GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_POLYGON_STIPPLE})
        glDisable(cap);
}

void CVekView::ClearBackground()
{
    if (DrawingOnGL()) {
        const uint32_t c = m_bPrintBitmap ? 0xFFFFFF : theDisplayColors.m_back;
        glClearColor((c & 0xFF) / 255.0f, (c >> 8 & 0xFF) / 255.0f, (c >> 16 & 0xFF) / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    CDrawSession session;
    CDrawDC* dc = theDrawState.dc;
    if (!dc || dc->IsPrinting()) return;
    // The clip box, within the picture; a metafile has no clip box of its own: the picture.
    RECT r;
    const RECT& s = theViewProjection.GetScreenRect();
    if (m_bExporting)
        r = s;
    else if (dc->GetClipBox(r) == NULLREGION)
        return;
    r.left = std::max(r.left, s.left);
    r.top = std::max(r.top, s.top);
    r.right = std::min(r.right, s.right);
    r.bottom = std::min(r.bottom, s.bottom);
    if (r.right > r.left && r.bottom > r.top) dc->FillSolidRect(r, theDisplayColors.m_back);
}

// ---- the drawing cycle ----------------------------------------------------------------------

void CVekView::OnDraw(CDC* dc)
{
    const bool printing = dc->IsPrinting() != 0;
    const RECT savedScreen = theViewProjection.GetScreenRect();
    const uint8_t savedGL = theProjectOptions.bHiddenSurface;
    const bool savedLighting = theProjectOptions.HasOption(CProjectOptions::kLighting);
    const int16_t savedDispPixels = theProjectOptions.nMaxDisplacementPixels;
    const bool results = ResultsShown() != 0;
    // OpenGL draws the free 3-D view and result pictures only.
    if (results) {
        SetLighting(false);
        theProjectOptions.bHiddenSurface = 1;
    } else if (theViewProjection.GetMode() != CViewProjection::kFree3D) {
        theProjectOptions.bHiddenSurface = 0;
    }
    if (glFailed) theProjectOptions.bHiddenSurface = 0;

    std::vector<uint32_t> blackSaved;
    const bool black =
        (printing && theDisplayColors.m_printBlack && !results) || (m_bExporting && theDisplayColors.m_emfBlack);
    if (black) theDisplayColors.UseBlack(blackSaved);

    int fast = 0;
    RECT page{0, 0, 0, 0};
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (!printing) {
        if (theViewHooks.viewDragging && theViewHooks.viewDragging()) {
            fast = 1;
            theProjectOptions.bHiddenSurface = 0;
        } else if (m_bExporting) {
            theProjectOptions.bHiddenSurface = 0;
        }
    } else {
        HDC attrib = dc->m_hAttribDC ? dc->m_hAttribDC : dc->GetSafeHdc();
        page.right = ::GetDeviceCaps(attrib, HORZRES);
        page.bottom = ::GetDeviceCaps(attrib, VERTRES);
        // Deformed shapes keep their proportion on the page.
        const int clientMax = std::max<int>(1, std::max(client.right, client.bottom));
        const double k = double(std::max(page.right, page.bottom)) / clientMax;
        theProjectOptions.nMaxDisplacementPixels = int16_t(std::clamp(savedDispPixels * k, -32768.0, 32767.0));
        if (m_bPrintBitmap && !theProjectOptions.bHiddenSurface) m_bPrintBitmap = 0;
    }
    if (theProjectOptions.bHiddenSurface) EnsureGLContext();
    const bool onGL = theProjectOptions.bHiddenSurface != 0;

    if (!m_bRebuild && !m_bExporting && (!printing || (onGL && !m_bPrintBitmap))) {
        // Nothing changed: the stored picture again.
        CopyToTarget(dc, printing, page);
    } else {
        // The picture's size.
        if (!printing) {
            theViewProjection.SetScreenRect(0, 0, client.right, client.bottom);
        } else if (m_bPrintBitmap) {
            const double r = double(page.bottom) / std::max<LONG>(1, page.right);
            int w;
            if (m_bPreview) {
                w = client.right;
            } else {
                MEMORYSTATUSEX mem{};
                mem.dwLength = sizeof mem;
                ::GlobalMemoryStatusEx(&mem);
                w = int(std::min(std::sqrt(double(mem.ullTotalPhys) / 6 / r), page.right / 2.0));
            }
            int h = int(w * r);
            if (w > page.right) {
                w = page.right;
                h = page.bottom;
            }
            theViewProjection.SetScreenRect(0, 0, w, h);
        } else {
            theViewProjection.SetScreenRect(0, 0, page.right, page.bottom);
        }
        const RECT& s = theViewProjection.GetScreenRect();
        HDC target = dc->GetSafeHdc();
        if (!m_bExporting) {
            int w = s.right - s.left, h = s.bottom - s.top;
            bool made = MakeBackBuffer(w, h);
            while (!made && m_bPrintBitmap && w > 1 && h > 1) {
                w /= 2;
                h /= 2;
                theViewProjection.SetScreenRect(0, 0, w, h);
                made = MakeBackBuffer(w, h);
            }
            if (onGL || !printing) target = m_memDC;
        }
        const bool onBackBuffer = target == m_memDC;
        // Drawn straight onto a metafile or a page: dotted lines and texts keep
        // the window's look (their gaps not filled).
        if (!onBackBuffer) ::SetBkMode(target, TRANSPARENT);
        CGdiDrawDC drawDC(target);
        drawDC.SetPrinting(printing && !onBackBuffer ? 1 : 0);
        BeginExternalDraw(&drawDC);
        if (onGL) PrepareGL();
        ClearBackground();
        if (theViewResultHooks.deformationCount && theViewResultHooks.deformationCount() > 0 &&
            theProjectOptions.bShowUndeformed && theViewResultHooks.drawUndeformed) {
            if (theViewResultHooks.setDisplacementFactor) theViewResultHooks.setDisplacementFactor(0);
            theViewResultHooks.drawUndeformed();
        }
        if (theViewResultHooks.drawResults) theViewResultHooks.drawResults();
        DrawModel(fast);
        if (theViewResultHooks.drawMeasuredPressures) theViewResultHooks.drawMeasuredPressures();
        EndExternalDraw();
        if (onGL && DrawingOnGL()) glFinish();

        if (onBackBuffer) {
            if (m_bRebuild && !printing && viewInput) viewInput->OnPictureRebuilt(*this, m_memDC);
            if (!m_bExporting) CopyToTarget(dc, printing, page);
        }
        EndDxfOutput();
    }

    if (black) theDisplayColors.RestoreColors(blackSaved);
    if (printing) {
        // The window's picture keeps the window's size.
        theProjectOptions.nMaxDisplacementPixels = savedDispPixels;
        theViewProjection.SetScreenRect(savedScreen.left, savedScreen.top, savedScreen.right, savedScreen.bottom);
    }
    theProjectOptions.bHiddenSurface = savedGL;
    SetLighting(savedLighting);
    m_bPrintBitmap = 0;
    m_bExporting = 0;
    m_bRebuild = 0;
}

// ---- printing -------------------------------------------------------------------------------

BOOL CVekView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void CVekView::OnBeginPrinting(CDC*, CPrintInfo*)
{
    const bool glPicture =
        theViewProjection.GetMode() == CViewProjection::kFree3D && theProjectOptions.bHiddenSurface && !glFailed;
    if (glPicture || ResultsShown()) m_bPrintBitmap = 1;
}

void CVekView::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_bPreview = 0;
    m_bRebuild = 1;
    if (m_hWnd) Invalidate(FALSE);
}

void CVekView::OnFilePrintPreview()
{
    m_bPreview = 1;
    CView::OnFilePrintPreview();
    m_bPreview = 0;
}

// ---- drawing outside the paint --------------------------------------------------------------

CDrawDC* CVekView::BeginSession()
{
    if (!m_memDC || !m_backBitmap) return nullptr;
    ++m_sessionDepth;
    m_sessionDC.SetHdc(m_memDC);
    m_sessionDC.SetPrinting(0);
    return &m_sessionDC;
}

void CVekView::EndSession()
{
    if (m_sessionDepth > 0) --m_sessionDepth;
    // The next paint copies the back buffer as it is now.
    if (m_hWnd) Invalidate(FALSE);
}

void CVekView::RefreshNow()
{
    if (!m_hWnd) return;
    HDC window = ::GetDC(m_hWnd);
    const RECT& s = theViewProjection.GetScreenRect();
    ::GdiFlush();
    ::BitBlt(window, 0, 0, s.right - s.left, s.bottom - s.top, m_memDC, 0, 0, SRCCOPY);
    ::ReleaseDC(m_hWnd, window);
}
