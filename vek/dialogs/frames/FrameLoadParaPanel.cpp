#include "vek/dialogs/frames/FrameLoadParaPanel.h"

#include "vek/dialogs/ParaDispDlg.h"
#include "vek/dialogs/frames/FrameLoadParaDlg.h"
#include "vek/elements/line/frames/FrameDefaults.h"

namespace {

constexpr const char* kChangeLoad = "改变荷载参数";

// The panel's button: the dialog, and on OK the changed load's text.
void ChangeLoad(CParaDispDlg* panel, int)
{
    CFrameLoadParaDlg dlg(AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return;
    if (panel && ::IsWindow(panel->m_hWnd)) panel->SetText(theFrameDefaults.m_Load.GetText().c_str());
}

}  // namespace

CParaDispDlg* ShowFrameLoadParaPanel(bool closeOthers)
{
    return ShowParameterText(kChangeLoad, theFrameDefaults.m_Load.GetText().c_str(), closeOthers, ChangeLoad,
                             kChangeLoad);
}
