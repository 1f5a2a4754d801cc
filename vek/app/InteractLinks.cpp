#include "vek/app/InteractLinks.h"

#include "framework/Afx.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/FlashDialogs.h"
#include "vek/model/ViewLink.h"
#include "vek/view/win/BottomDlg.h"
#include "vek/view/win/LayerDlg.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/win/VekViewInput.h"

// With the model view window that hands its messages, pictures and
// commands to a handler, the interaction is that handler; without it the
// view window's procedure is wrapped and the commands take the
// application's route.
#if __has_include("vek/view/win/VekView.h")
#define VEK_VIEW_TAKES_INPUT 1
#include "vek/view/ViewSettings.h"
#include "vek/view/win/VekView.h"
#endif
#if __has_include("vek/view/axisgrid/AxisGridView.h")
#define VEK_VIEW_HAS_GRID_SNAP 1
#include "vek/view/axisgrid/AxisGridView.h"
#endif

namespace {

bool bound = false;

#ifdef VEK_VIEW_TAKES_INPUT
class CInteractViewInput : public CViewInput {
public:
    bool OnViewMessage(CVekView& view, UINT message, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        return VekViewInput::HandleViewMessage(&view, message, wp, lp, result);
    }
    void OnPictureRebuilt(CVekView&, HDC) override { VekViewInput::OnPictureRebuilt(); }
};

void BindViewWindow()
{
    static CInteractViewInput input;
    SetViewInput(&input);
    CVekView::SetCommandTarget(&VekViewInput::CommandTarget());
    theViewHooks.snapReset = VekViewInput::SnapReset;
    theViewHooks.addGridSnapPoint = VekViewInput::AddGridSnapPoint;
    theViewHooks.viewDragging = VekViewInput::ViewDragging;
}
#endif

CWnd* ActiveView()
{
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    return frame ? frame->GetActiveView() : nullptr;
}

// The view's idle step: the messages of a view made since are routed to
// the interaction, then the edge auto-pan.
bool IdleStep()
{
    CWnd* view = ActiveView();
    if (!view || !view->GetSafeHwnd()) return false;
#ifdef VEK_VIEW_TAKES_INPUT
    if (VekViewInput::BoundView() != view) VekViewInput::BindView(view);
#else
    if (VekViewInput::BoundView() != view) VekViewInput::AttachToView(view);
#endif
    return VekViewInput::AutoPanOnIdle(view);
}

}  // namespace

void BindInteractLinks()
{
    CPromptBarLinks& links = thePromptBarLinks;
    links.flashPrompt = [](const char* text, int ms) { ShowFlashPrompt(text, ms); };
    links.anyModelessOpen = [] { return theModelessDlgs.GetCount() > 0; };
    links.hideModeless = [] { theModelessDlgs.ShowAll(FALSE); };
    links.showModeless = [] { theModelessDlgs.ShowAll(TRUE); };
    links.saveAndCloseModeless = [] { theModelessDlgs.CloseAll(); };
    RegisterLayerAndStoreyDialogs();
    theViewLink.idleStep = IdleStep;
#ifdef VEK_VIEW_TAKES_INPUT
    BindViewWindow();
#else
    bound = true;
#endif
#ifdef VEK_VIEW_HAS_GRID_SNAP
    theOperateLinks.snapToGridNode = [](int x, int y, double out[3]) { return SnapToGridNode(x, y, out) != 0; };
#endif
}

// Null where the model view routes the commands itself.
CCmdTarget* InteractCommandTarget()
{
    return bound ? &VekViewInput::CommandTarget() : nullptr;
}
