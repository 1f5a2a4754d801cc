#include "vek/dialogs/FreedomDlg.h"

#include "vek/app/DialogsBar.h"
#include "vek/dialogs/InputDialogs.h"
#include "vek/dialogs/logic/RestraintRules.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/RestraintsRes.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

int32_t* Template()
{
    return theNodeInputs.restraints;
}

}  // namespace

IMPLEMENT_DYNAMIC(CFreedomDlg, CModelessDialog)

BEGIN_MESSAGE_MAP(CFreedomDlg, CModelessDialog)
ON_COMMAND_RANGE(IDC_FR_UX, IDC_FR_RZ, &CFreedomDlg::OnBox)
ON_BN_CLICKED(IDC_FR_ALL, &CFreedomDlg::OnAll)
ON_BN_CLICKED(IDC_FR_NONE, &CFreedomDlg::OnNone)
ON_BN_CLICKED(IDC_FR_INVERT, &CFreedomDlg::OnInvert)
END_MESSAGE_MAP()

CFreedomDlg::CFreedomDlg(CWnd* parent, UINT templateId)
    : CModelessDialog(templateId ? templateId : UINT(IDD_FREEDOM), parent)
{
}

BOOL CFreedomDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    ShowTemplate();
    return TRUE;
}

void CFreedomDlg::ShowTemplate()
{
    const int32_t* r = Template();
    for (int i = 0; i < 6; ++i) {
        const HWND box = ::GetDlgItem(m_hWnd, IDC_FR_UX + i);
        if (!box) continue;
        const WPARAM state = r[i] == restraints::kFixed  ? BST_CHECKED
                             : r[i] == restraints::kFree ? BST_UNCHECKED
                                                         : BST_INDETERMINATE;
        ::SendMessageA(box, BM_SETCHECK, state, 0);
    }
}

void CFreedomDlg::OnBox(UINT id)
{
    const HWND box = ::GetDlgItem(m_hWnd, int(id));
    if (!box) return;
    const LRESULT state = ::SendMessageA(box, BM_GETCHECK, 0, 0);
    Template()[id - IDC_FR_UX] = state == BST_CHECKED     ? restraints::kFixed
                                 : state == BST_UNCHECKED ? restraints::kFree
                                                          : restraints::kUnchanged;
}

void CFreedomDlg::OnAll()
{
    restraints::SetAll(Template(), restraints::kFixed);
    ShowTemplate();
}

void CFreedomDlg::OnNone()
{
    restraints::SetAll(Template(), restraints::kFree);
    ShowTemplate();
}

void CFreedomDlg::OnInvert()
{
    restraints::Invert(Template());
    ShowTemplate();
}

IMPLEMENT_DYNAMIC(CFreedomPlanDlg, CFreedomDlg)

BEGIN_MESSAGE_MAP(CFreedomPlanDlg, CFreedomDlg)
ON_COMMAND_RANGE(IDC_FR_FIXED, IDC_FR_FREE, &CFreedomPlanDlg::OnPreset)
END_MESSAGE_MAP()

CFreedomPlanDlg::CFreedomPlanDlg(CWnd* parent) : CFreedomDlg(parent, IDD_FREEDOM_PLAN) {}

BOOL CFreedomPlanDlg::OnInitDialog()
{
    restraints::ClearOutOfPlane(Template());
    return CFreedomDlg::OnInitDialog();
}

void CFreedomPlanDlg::OnPreset(UINT id)
{
    // In button order: fixed, hinged, hold Z, hold Y, hold Y and Rx, hold Z and Rx, free.
    if (restraints::ApplyPlanePreset(int(id - IDC_FR_FIXED), Template())) ShowTemplate();
}

void OpenRestraintPanel(int)
{
    CFreedomDlg* panel =
        theProjectOptions.bPlaneModel ? new CFreedomPlanDlg(AfxGetMainWnd()) : new CFreedomDlg(AfxGetMainWnd());
    const UINT id = theProjectOptions.bPlaneModel ? UINT(IDD_FREEDOM_PLAN) : UINT(IDD_FREEDOM);
    if (!panel->Create(id, AfxGetMainWnd())) {
        if (!CWnd::LastCreateDestroyedObject()) delete panel;
        return;
    }
    theModelessDlgs.Add(panel);
}
