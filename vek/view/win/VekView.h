#pragma once
// The model view: the window the model is drawn in. Every picture is built
// in a back buffer (a 32-bit DIB section, where OpenGL draws the right way
// up) and copied to the window; a repaint without a change only copies it
// again. Mouse, keyboard and view commands are handled by parts of their
// own that the view hands its messages to.
#include "framework/Afx.h"
#include "vek/view/draw/DrawDevice.h"
#include "vek/view/win/GdiDrawDC.h"
#include "vek/view/win/ViewCommands.h"

class CVekView;

// What handles the view's mouse and keyboard messages: it sees each mouse,
// key, cursor, timer and capture message first and answers true when it
// took it (with the window procedure's result).
class CViewInput {
public:
    virtual ~CViewInput() = default;
    virtual bool OnViewMessage(CVekView& view, UINT message, WPARAM wp, LPARAM lp, LRESULT& result) = 0;
    // A picture was built anew on the back buffer (its memory DC): the
    // rubber band and the snap marker, drawn by exclusive or, go on it again.
    virtual void OnPictureRebuilt(CVekView& view, HDC backBuffer) {}
};
// Binds the handler (null: none); returns the one before.
CViewInput* SetViewInput(CViewInput* input);

// What the result display gives the drawing cycle. Unbound: no results.
struct CViewResultHooks {
    int (*resultsShown)() = nullptr;
    // The deformed shape's count of pictures; above 0 while one is shown.
    int (*deformationCount)() = nullptr;
    void (*setDisplacementFactor)(double factor) = nullptr;
    // Draws the undeformed structure, or the result display's own layer.
    void (*drawUndeformed)() = nullptr;
    void (*drawResults)() = nullptr;
    // The measured pressure points of a wind-tunnel import.
    void (*drawMeasuredPressures)() = nullptr;
    // A result animation runs; the command that stops it is sent first at destruction.
    int (*animationRunning)() = nullptr;
    // The animation's stored frames (count, and the files' base name), for the animated GIF.
    int (*animationFrames)() = nullptr;
    const char* (*animationBaseName)() = nullptr;
    // Runs on the finished picture in the back buffer (a DIB section).
    void (*finishPicture)(HBITMAP picture) = nullptr;
};
extern CViewResultHooks theViewResultHooks;

class CVekView : public CView, public CDrawHost {
    DECLARE_DYNCREATE(CVekView)
public:
    CVekView();
    ~CVekView() override;

    // The view made last and still alive (the program has one).
    static CVekView* GetMain();

    // The one redraw request of the program: the picture is built anew at the next paint.
    void InvalidateModel();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDraw(CDC* dc) override;
    BOOL OnPreparePrinting(CPrintInfo* info) override;
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    // Commands of other parts are offered here before the view's own.
    static CCmdTarget* SetCommandTarget(CCmdTarget* target);

    // OpenGL on the back buffer. After a failure every picture of the run is
    // drawn through GDI; ForgetOpenGLFailure starts afresh (a new run, in tests).
    static void ForgetOpenGLFailure();
    int SetupPixelFormat();
    bool EnsureGLContext();
    void MakeGLCurrent(HDC dc, HGLRC rc);
    void PrepareGL();
    void ClearBackground();

    // Picture export (File > Export). The back buffer as BMP, JPG, PNG, GIF
    // or a clipboard bitmap; a fresh drawing as a metafile on a file or the
    // clipboard; the animation's stored frames as an animated GIF. Each
    // returns 1 when the picture was written, 0 on a failure (reported) or
    // a cancelled file dialog.
    int SaveGifFile(const char* path);
    int ExportBitmapFile(UINT command);
    int ExportClipboardBitmap();
    int ExportAnimatedGif();
    int ExportMetafile(UINT command);

    // CDrawHost: drawing outside the paint goes on the back buffer.
    CDrawDC* BeginSession() override;
    void EndSession() override;
    void RefreshNow() override;

    HBITMAP GetBackBitmap() const { return m_backBitmap; }
    HDC GetMemDC() const { return m_memDC; }
    bool IsRebuildPending() const { return m_bRebuild != 0; }
    unsigned char* RebuildFlag() { return &m_bRebuild; }

    void OnFilePrintPreview();

protected:
    void OnExportBmp() { ExportBitmapFile(ID_EXPORT_BMP); }
    void OnExportJpg() { ExportBitmapFile(ID_EXPORT_JPG); }
    void OnExportPng() { ExportBitmapFile(ID_EXPORT_PNG); }
    void OnExportGif() { ExportBitmapFile(ID_EXPORT_GIF); }
    void OnExportClipboardBitmap() { ExportClipboardBitmap(); }
    void OnExportAnimatedGif() { ExportAnimatedGif(); }
    void OnExportWmf() { ExportMetafile(ID_EXPORT_WMF); }
    void OnExportEmf() { ExportMetafile(ID_EXPORT_EMF); }
    void OnExportClipboardMetafile() { ExportMetafile(ID_EXPORT_CLIP_METAFILE); }
    void OnExportClipboardEmf() { ExportMetafile(ID_EXPORT_CLIP_EMF); }
    void OnUpdateExportAnimatedGif(CCmdUI* ui);
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // A new back buffer of the screen rectangle's size (w x h), compatible with `target`.
    bool MakeBackBuffer(int w, int h);
    void DeleteBackBuffer();
    void CopyToTarget(CDC* dc, bool printing, const RECT& page);

    HDC m_memDC = nullptr;
    HBITMAP m_backBitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;  // what the memory DC had before a back buffer was selected
    HGLRC m_hGLRC = nullptr;
    unsigned char m_bRebuild = 1;
    unsigned char m_bExporting = 0;
    unsigned char m_bPrintBitmap = 0;
    unsigned char m_bPreview = 0;
    // The bitmap the OpenGL context was made for: a new one of another depth needs a new context.
    int m_glBits = 0;
    CGdiDrawDC m_sessionDC;
    int m_sessionDepth = 0;
};

// The colour bits and green bits of the pixel format chosen.
extern unsigned char nGLColorBits;
extern unsigned char nGLGreenBits;
