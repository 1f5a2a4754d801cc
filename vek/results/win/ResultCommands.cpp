#include "vek/model/document/DocumentHooks.h"
#include "vek/results/win/ResultCommands.h"

#include <cstdlib>

#include "analysis/MyImage.h"
#include "vek/app/MainFrm.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/resource.h"
#include "vek/results/ContourColours.h"
#include "vek/results/ContourValues.h"
#include "vek/results/ForceText.h"
#include "vek/results/MemberChecks.h"
#include "vek/results/Result.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultDraw.h"
#include "vek/results/ResultChoices.h"
#include "vek/results/ResultPictures.h"
#include "vek/results/win/ResultDialogs.h"
#include "vek/results/win/HistoryAnimation.h"
#include "vek/results/win/ResultMenuCommands.h"
#include "vek/results/win/ResultSettings.h"
#include "vek/app/ViewerLink.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/win/VekView.h"

CResultCommands theResultCommands;

// clang-format off
BEGIN_MESSAGE_MAP(CResultCommands, CCmdTarget)
    ON_COMMAND(ID_RESULT_DISP_PICTURE, &CResultCommands::OnDispPicture)
    ON_COMMAND(ID_RESULT_FORCE_DIAGRAM, &CResultCommands::OnForceDiagram)
    ON_COMMAND(ID_RESULT_CLOSE_ALL, &CResultCommands::OnCloseAll)
    ON_COMMAND(ID_RESULT_FILTER, &CResultCommands::OnFilter)
    ON_COMMAND(ID_RESULT_CONTOUR, &CResultCommands::OnContour)
    ON_COMMAND(ID_RESULT_DISP_VALUES, &CResultCommands::OnDispValues)
    ON_UPDATE_COMMAND_UI(ID_RESULT_DISP_VALUES, &CResultCommands::OnUpdateNeedsResults)
    ON_UPDATE_COMMAND_UI(ID_RESULT_CONTOUR, &CResultCommands::OnUpdateNeedsResults)
    ON_COMMAND(ID_RESULT_PLAY, &CResultCommands::OnPlay)
    ON_COMMAND(ID_RESULT_STOP, &CResultCommands::OnStop)
    ON_UPDATE_COMMAND_UI(ID_RESULT_DISP_PICTURE, &CResultCommands::OnUpdateNeedsResults)
    ON_UPDATE_COMMAND_UI(ID_RESULT_FORCE_DIAGRAM, &CResultCommands::OnUpdateNeedsResults)
    ON_UPDATE_COMMAND_UI(ID_RESULT_PLAY, &CResultCommands::OnUpdatePlay)
    ON_UPDATE_COMMAND_UI(ID_RESULT_STOP, &CResultCommands::OnUpdateStop)
END_MESSAGE_MAP()
// clang-format on

namespace {

int lastShown = 0;
// The playback's timer on the view.
constexpr UINT_PTR kAnimationTimer = 1;

void StartTimer(UINT ms)
{
    CVekView* view = CVekView::GetMain();
    if (view && view->m_hWnd) ::SetTimer(view->m_hWnd, kAnimationTimer, ms, nullptr);
}

// The view's timer 1 is the playback's; everything else goes on to the
// view's input, and every tick then to the view's own handler.
class CAnimationInput : public CViewInput {
public:
    bool OnViewMessage(CVekView& view, UINT message, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        if (message == WM_TIMER && wp == kAnimationTimer) {
            AnimationTick();
            return false;
        }
        return next && next->OnViewMessage(view, message, wp, lp, result);
    }
    void OnPictureRebuilt(CVekView& view, HDC backBuffer) override
    {
        if (next) next->OnPictureRebuilt(view, backBuffer);
    }
    CViewInput* next = nullptr;
};
CAnimationInput animationInput;

// Draws a stored frame into the view's window.
void ShowFrameFile(int k)
{
    CVekView* view = CVekView::GetMain();
    if (!view || !view->m_hWnd) return;
    CMyImage image;
    if (!image.Load(AnimationFrameFile(k).c_str(), CMYIMAGE_FORMAT_GIF)) return;
    RECT client;
    ::GetClientRect(view->m_hWnd, &client);
    HDC dc = ::GetDC(view->m_hWnd);
    image.Draw(dc, &client);
    ::ReleaseDC(view->m_hWnd, dc);
}

bool CaptureViewFrame(const char* path)
{
    CVekView* view = CVekView::GetMain();
    if (!view || !view->m_hWnd) return false;
    view->InvalidateModel();
    view->UpdateWindow();
    return view->SaveGifFile(path) == 1;
}

// The contour's marker pixels get their palette colours, at either depth.
void RecolourPicture(HBITMAP picture)
{
    if (theResultDisp.contour.kind == 0 || !picture) return;
    DIBSECTION dib{};
    if (::GetObject(picture, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return;
    ::GdiFlush();
    RecolourMarkers(static_cast<uint8_t*>(dib.dsBm.bmBits), dib.dsBm.bmWidth, dib.dsBm.bmHeight, dib.dsBm.bmBitsPixel,
                    dib.dsBm.bmWidthBytes, theProjectOptions.nContourColors);
}

// The first selected node in store order, its selection cleared; -1 when none.
int TakeSelectedNode()
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    for (int pos = 0; pos < nodes.GetCount(); ++pos) {
        CObjectBase* node = nodes.GetAt(pos);
        if (!node || !node->IsSelected()) continue;
        node->m_nFlags &= ~kObjSelected;
        return nodes.GetID(pos);
    }
    return -1;
}

void Invalidate()
{
    if (CVekView* view = CVekView::GetMain()) view->InvalidateModel();
}

}  // namespace

void AnimationTick()
{
    CVekView* view = CVekView::GetMain();
    if (view && view->m_hWnd) ::KillTimer(view->m_hWnd, kAnimationTimer);
    DispPicture& p = theResultDisp.disp;
    p.currentFrame = int16_t(NextAnimationFrame(p.currentFrame, p.frameCount, p.kind));
    lastShown = std::abs(int(p.currentFrame));
    if (lastShown > 0) ShowFrameFile(lastShown);
    if (p.playing) {
        StartTimer(UINT(std::max<int>(theProjectOptions.nAnimationInterval, 1)));
    } else if (view && view->m_hWnd) {
        view->Invalidate(TRUE);
    }
}

int LastShownFrame()
{
    return lastShown;
}

void CResultCommands::OnDispPicture()
{
    CDispPicTypeDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK || dlg.m_nChoice < 0) return;
    ShowAnyDispPicture(DispPictureKindOf(dlg.m_nChoice));
}

void CResultCommands::OnForceDiagram()
{
    COneDimForceDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return;
    FrameForceDiagram& d = theResultDisp.frameDiagram;
    d.elementKind = uint8_t(dlg.m_nKind + 1);
    d.component = uint8_t(dlg.m_nKind == 1 ? 0 : dlg.m_nComponent);
    d.envelope = uint8_t(dlg.m_nEnvelope);
    UpdateFrameDiagram();
    Invalidate();
}

void CResultCommands::OnDispValues()
{
    CDisplacementValueDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return;
    NodeDispValues& v = theResultDisp.nodeValues;
    v.kind = uint8_t(dlg.m_nKind + 1);
    v.component = uint8_t(dlg.m_nComponent);
    if (FillNodeValues()) Invalidate();
}

void CResultCommands::OnContour()
{
    CContourOptionDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return;
    ContourState& c = theResultDisp.contour;
    c.kind = uint8_t(dlg.m_nKind);
    c.component = uint8_t(dlg.m_nComponent);
    c.envelope = uint8_t(dlg.m_nEnvelope);
    UpdateContour();
}

void CResultCommands::OnFilter()
{
    if (theResultDisp.filter.Edit()) Invalidate();
}

void CResultCommands::OnCloseAll()
{
    theResultDisp.CloseAllPictures();
}

void CResultCommands::OnPlay()
{
    DispPicture& p = theResultDisp.disp;
    if (p.frameCount < 1 || p.playing) return;
    p.currentFrame = 0;
    p.playing = 1;
    lastShown = 0;
    StartTimer(10);
}

void CResultCommands::OnStop()
{
    theResultDisp.disp.currentFrame = 0;
    theResultDisp.disp.playing = 0;
}

void CResultCommands::OnUpdateNeedsResults(CCmdUI* ui)
{
    ui->Enable(theResult.Good());
}

void CResultCommands::OnUpdatePlay(CCmdUI* ui)
{
    ui->Enable(theResultDisp.disp.frameCount > 0 && !theResultDisp.disp.playing);
}

void CResultCommands::OnUpdateStop(CCmdUI* ui)
{
    ui->Enable(theResultDisp.disp.playing != 0);
}

void BindResultWindows()
{
    // The playback's ticks come first; the interaction's input goes after them.
    CViewInput* before = SetViewInput(&animationInput);
    if (before != &animationInput) animationInput.next = before;
    static bool bound = false;
    if (bound) return;
    bound = true;
    CMainFrame::AddModelCommandTarget(&theResultCommands);
    CMainFrame::AddModelCommandTarget(&theResultMenuCommands);
    // The document opens the project's results and empties them with the model.
    DocumentHooks& d = theDocumentHooks;
    d.resultSetZero = [] { theResult.SetZero(); };
    d.resultSetFileName = [](const char* path, int nodes, int keep) {
        return theResult.SetFileName(path, nodes, keep);
    };
    d.clearResultDisplay = [] { theResultDisp.CloseAll(1); };
    d.resultGood = [] { return theResult.Good(); };
    CViewResultHooks& v = theViewResultHooks;
    v.resultsShown = [] { return theResultDisp.AnyShown() ? 1 : 0; };
    v.deformationCount = [] { return theResultDisp.disp.kind >= 1 ? 1 : 0; };
    v.drawResults = DrawResultPass;
    v.animationRunning = [] { return int(theResultDisp.disp.playing); };
    v.animationFrames = [] { return int(theResultDisp.disp.frameCount); };
    v.animationBaseName = [] { return theResultDisp.FrameStem(); };
    v.finishPicture = RecolourPicture;
    theViewHooks.deformedShown = [] { return theResultDisp.disp.kind >= 1 ? 1 : 0; };
    theResultPictureHooks.captureFrame = CaptureViewFrame;
    theResultDispHooks.editFilter = EditResultFilter;
    // A new case, combination, mode or stage refreshes the pictures that follow it.
    ResultDispHooks& r = theResultDispHooks;
    if (!r.fillNodeValues) r.fillNodeValues = [] { FillNodeValues(); };
    if (!r.updateContour) r.updateContour = UpdateContour;
    if (!r.showDispPicture) r.showDispPicture = [](int kind) { ShowAnyDispPicture(kind); };
    if (!r.updateFrameDiagram) r.updateFrameDiagram = [] { UpdateFrameDiagram(); };
    if (!r.updateForceText) r.updateForceText = [] { UpdateForceText(); };
    if (!r.fillAxialRatio) r.fillAxialRatio = [] { FillAxialRatio(); };
    if (!theResultCommandSlots.readSteelCheck) theResultCommandSlots.readSteelCheck = [] { ReadSteelCheck(); };
    // The viewer gets the node picked and the response chosen in its panel.
    ViewerLinkHooks& l = theViewerLinkHooks;
    if (!l.timeHistoryItem)
        l.timeHistoryItem = [](int16_t& item, int16_t& direction) {
            item = theHistoryOutput.component;
            direction = theHistoryOutput.quantity;
        };
    if (!l.resultFilePath) l.resultFilePath = [](char path[260]) { theResult.GetFileName(path); };
    if (!l.takeSelectedNode) l.takeSelectedNode = TakeSelectedNode;
    if (!l.redrawNode)
        l.redrawNode = [](int node) {
            CModelFamily& nodes = ModelFamily(EFamily::Nodes);
            const int pos = nodes.IndexOfID(node);
            if (pos >= 0) nodes.Redraw(pos);
        };
    theResultPictureHooks.play = [] {
        // The command goes the main frame's route, where the result commands are.
        if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, ID_RESULT_PLAY, 0);
    };
}
