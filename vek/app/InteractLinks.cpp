#include "vek/app/InteractLinks.h"

#include "framework/Afx.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/FlashDialogs.h"
#include "vek/model/ViewLink.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/axisgrid/AxisGridView.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/win/BottomDlg.h"
#include "vek/view/win/LayerDlg.h"
#include "vek/view/win/VekView.h"
#include "vek/view/win/VekViewInput.h"

namespace {

// The model view hands its messages, its new pictures and its commands to the interaction.
class CInteractViewInput : public CViewInput {
public:
    bool OnViewMessage(CVekView& view, UINT message, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        return VekViewInput::HandleViewMessage(&view, message, wp, lp, result);
    }
    void OnPictureRebuilt(CVekView&, HDC) override { VekViewInput::OnPictureRebuilt(); }
};

CWnd* ActiveView()
{
    auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    return frame ? frame->GetActiveView() : nullptr;
}

// The view's idle step: a view made since is the one the interaction
// works with; then the edge auto-pan.
bool IdleStep()
{
    CWnd* view = ActiveView();
    if (!view || !view->GetSafeHwnd()) return false;
    if (VekViewInput::BoundView() != view) VekViewInput::BindView(view);
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

    static CInteractViewInput input;
    SetViewInput(&input);
    CVekView::SetCommandTarget(&VekViewInput::CommandTarget());
    theViewHooks.snapReset = VekViewInput::SnapReset;
    theViewHooks.addGridSnapPoint = VekViewInput::AddGridSnapPoint;
    theViewHooks.viewDragging = VekViewInput::ViewDragging;
    theOperateLinks.snapToGridNode = [](int x, int y, double out[3]) { return SnapToGridNode(x, y, out) != 0; };
}
