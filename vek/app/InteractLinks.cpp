#include "vek/app/InteractLinks.h"

#include "framework/Afx.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/FlashDialogs.h"
#include "vek/model/ViewLink.h"
#include "vek/view/win/BottomDlg.h"
#include "vek/view/win/LayerDlg.h"
#include "vek/view/win/VekViewInput.h"

namespace {

bool bound = false;

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
    if (VekViewInput::BoundView() != view) VekViewInput::AttachToView(view);
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
    bound = true;
}

CCmdTarget* InteractCommandTarget()
{
    return bound ? &VekViewInput::CommandTarget() : nullptr;
}
