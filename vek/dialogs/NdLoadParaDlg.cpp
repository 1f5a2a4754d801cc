#include "vek/dialogs/NdLoadParaDlg.h"

#include "vek/app/DialogsBar.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/ElementPanelsRes.h"
#include "vek/res/resource.h"

CNdLoadParaDlg* theNdLoadParaDlg = nullptr;

namespace {

// A plane model lies in the Y-Z plane: no X force, no moments about Y or Z.
bool OutOfPlane(int type)
{
    return type == 1 || type == 5 || type == 6;
}

}  // namespace

IMPLEMENT_DYNAMIC(CNdLoadParaDlg, CModelessDialog)

BEGIN_MESSAGE_MAP(CNdLoadParaDlg, CModelessDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_NL_FX, IDC_NL_FZ, &CNdLoadParaDlg::OnRadio)
ON_CONTROL_RANGE(BN_CLICKED, IDC_NL_MX, IDC_NL_MZ, &CNdLoadParaDlg::OnRadio)
ON_CONTROL_RANGE(BN_CLICKED, IDC_NL_REPLACE, IDC_NL_DELETE_ALL, &CNdLoadParaDlg::OnRadio)
ON_EN_KILLFOCUS(IDC_NL_VALUE, &CNdLoadParaDlg::OnChanged)
END_MESSAGE_MAP()

CNdLoadParaDlg::CNdLoadParaDlg(CWnd* parent) : CModelessDialog(IDD_NODE_LOAD, parent) {}

BOOL CNdLoadParaDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    if (theProjectOptions.bPlaneModel) {
        for (int id : {IDC_NL_FX, IDC_NL_MY, IDC_NL_MZ}) GetDlgItem(id)->EnableWindow(FALSE);
        if (OutOfPlane(theNodeInputs.loadType)) theNodeInputs.loadType = 2;
    }
    UpdateData(FALSE);
    return TRUE;
}

void CNdLoadParaDlg::DoDataExchange(CDataExchange* dx)
{
    CNodeInputs& in = theNodeInputs;
    if (!dx->m_bSaveAndValidate) {
        m_type = in.loadType >= 1 && in.loadType <= 6 ? in.loadType - 1 : 2;
        m_action = in.loadAction >= 1 && in.loadAction <= 5 ? in.loadAction - 1 : 0;
    }
    DDX_Radio(dx, IDC_NL_FX, m_type);
    DDX_Radio(dx, IDC_NL_REPLACE, m_action);
    DDX_Text(dx, IDC_NL_VALUE, in.loadValue);
    if (!dx->m_bSaveAndValidate) return;
    in.loadType = m_type + 1;
    in.loadAction = m_action + 1;
}

void CNdLoadParaDlg::OnChanged()
{
    const CNodeInputs& in = theNodeInputs;
    const int type = in.loadType, action = in.loadAction;
    const double value = in.loadValue;
    OnDataChanged();
    // A new value of an upward Z force (positive Z points up) is asked about.
    if (in.loadType == type && in.loadAction == action && in.loadValue != value && type == 3 &&
        (action == 1 || action == 2) && in.loadValue > 1e-5)
        AfxMessageBox(IDS_LOAD_POINTS_UP);
}

void CNdLoadParaDlg::PostNcDestroy()
{
    if (theNdLoadParaDlg == this) theNdLoadParaDlg = nullptr;
    CModelessDialog::PostNcDestroy();
}

void OpenNodeLoadPanel(int)
{
    if (theNdLoadParaDlg && theNdLoadParaDlg->GetSafeHwnd()) {
        theNdLoadParaDlg->ShowWindow(SW_SHOW);
        return;
    }
    auto* dlg = new CNdLoadParaDlg(AfxGetMainWnd());
    if (!dlg->Create(IDD_NODE_LOAD, AfxGetMainWnd())) {
        if (!CWnd::LastCreateDestroyedObject()) delete dlg;
        return;
    }
    theNdLoadParaDlg = dlg;
    theModelessDlgs.Add(dlg);
}
