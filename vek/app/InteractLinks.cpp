#include "vek/app/InteractLinks.h"

#include "framework/Afx.h"
#include "vek/app/DialogsBar.h"
#include "vek/app/FlashDialogs.h"
#include "vek/model/ViewLink.h"
#include "vek/view/ViewSettings.h"
#include "vek/model/axisgrid/AxisGridEdit.h"
#include "vek/view/axisgrid/AxisGridView.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/Picking.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"
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

// The axis lines and the grids in the picking table: a hit with `single`
// deselects a selected one.
const CPickRoutines kAxisLineRows = {[](int x, int y, int single, int) { return PickAxisLine(x, y, single); }};
const CPickRoutines kAxisGridRows = {[](int x, int y, int single, int) { return PickAxisGrid(x, y, single); }};

// The offset of the axis-line edits: a typed distance or two picked points.
CAxisOffset OffsetOf(const CSingleOperate* op)
{
    CAxisOffset o;
    if (op->m_bTypedValue || op->PointCount() < 2) {
        o.value = op->PointCount() > 0 ? op->Point(0)[0] : 0;
    } else {
        o.picked = 1;
        for (int k = 0; k < 3; ++k) {
            o.p1[k] = op->Point(0)[k];
            o.p2[k] = op->Point(1)[k];
        }
    }
    return o;
}

// A line picked as the reference (codes 303 and 304) asks for the offset
// (codes 301 and 302), on top of the running pick.
void AskOffset(int code, OperateCallback callback, const char* prompt)
{
    auto* op = new CSingleOperate;
    op->SetPickAxis(code, callback, 0);
    op->m_strPrompt = prompt;
    theOperationStack.BeginOperation(op, 0, 0, 0);
}

void AxisLinePicked(CSingleOperate*)
{
    AskOffset(
        301, [](CSingleOperate* op) { AddAxisByOffset(OffsetOf(op)); }, kPromptAddAxisByOffset);
}

void AxisLineToMove(CSingleOperate*)
{
    AskOffset(
        302, [](CSingleOperate* op) { MoveSelectedAxes(OffsetOf(op)); }, kPromptMoveAxes);
}

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
    RegisterPickRoutines(EPickKind::AxisLines, &kAxisLineRows);
    RegisterPickRoutines(EPickKind::AxisGridLine, &kAxisGridRows);
    RegisterOperationCallback(303, AxisLinePicked);
    RegisterOperationCallback(304, AxisLineToMove);
}
