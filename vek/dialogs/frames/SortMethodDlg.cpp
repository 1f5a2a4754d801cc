#include "vek/dialogs/frames/SortMethodDlg.h"

#include "vek/model/ProjectOptions.h"
#include "vek/res/FramePanelsRes.h"

CSortMethodDlg::CSortMethodDlg(CWnd* parent)
    : CMyDialog(IDD_SORT_METHOD, parent), m_nOrder(theProjectOptions.nSortOrder)
{
}

void CSortMethodDlg::DoDataExchange(CDataExchange* dx)
{
    int index = m_nOrder - 1;
    DDX_Radio(dx, IDC_SORT_FIRST, index);
    DDX_Radio(dx, IDC_SORT_NODES, m_nWhat);
    if (!dx->m_bSaveAndValidate || index < 0 || index > 7) return;
    m_nOrder = index + 1;
    theProjectOptions.nSortOrder = uint8_t(m_nOrder);
}
