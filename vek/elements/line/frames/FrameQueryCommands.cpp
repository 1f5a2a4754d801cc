#include "vek/elements/line/frames/FrameQueryCommands.h"

#include <cmath>

#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameInfo.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/NodeInfo.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

CFrame* NextSelectedFrame(int from)
{
    for (int i = from; i < theFrames.GetSize(); ++i)
        if (theFrames.GetAt(i)->IsSelected()) return theFrames.GetAt(i);
    return nullptr;
}

int PositionOf(const CFrame* f)
{
    for (int i = 0; i < theFrames.GetSize(); ++i)
        if (theFrames.GetAt(i) == f) return i;
    return -1;
}

// The shown frame stays deselected for a moment; the pause lets the user's
// input run, so the frame is found again by number before it is redrawn.
void RedrawAfterPause(int id)
{
    PumpMessagesFor(500);
    CDrawSession session;
    if (CFrame* f = FindFrame(id)) f->Draw();
}

}  // namespace

int ShowFrameInfo()
{
    CFrame* f = NextSelectedFrame(0);
    if (!f) return 0;
    const int id = f->m_nID;
    {
        CDrawSession session;
        f->m_nFlags &= ~kObjSelected;
        f->Draw();
    }
    const std::string text = GetFrameInfoText(*f, theProjectOptions.nElementInfoContent);
    if (theInfoHooks.showText) theInfoHooks.showText("梁柱信息", text.c_str());
    RedrawAfterPause(id);
    return id;
}

int ShowFrameLocalAxis()
{
    for (CFrame* f = NextSelectedFrame(0); f;) {
        const int id = f->m_nID;
        {
            CDrawSession session;
            f->m_nFlags &= ~kObjSelected;
            f->Draw();
        }
        if (f->GetAxisCode() == 0) {
            AppMessageBox("单元局部坐标没定义,跳过这单元!");
            // The message box ran the user's input: look the frame up again.
            const CFrame* again = FindFrame(id);
            f = again ? NextSelectedFrame(PositionOf(again) + 1) : NextSelectedFrame(0);
            continue;
        }
        {
            CDrawSession session;
            f->DrawLocalAxisMarker();
        }
        // Components that print as zero are zero, without a sign.
        double ref[3];
        for (int k = 0; k < 3; ++k) ref[k] = std::fabs(f->m_dRef[k]) < 5e-5 ? 0.0 : f->m_dRef[k];
        ShowLocalAxisInfo(true, false, f->GetAxisCode(), ref);
        RedrawAfterPause(id);
        return id;
    }
    return 0;
}

void RegisterFrameQueryCommands()
{
    for (int code : {101, 103}) RegisterOperationCallback(code, [](CSingleOperate*) { ShowFrameInfo(); });
    for (int code : {102, 104}) RegisterOperationCallback(code, [](CSingleOperate*) { ShowFrameLocalAxis(); });
}
