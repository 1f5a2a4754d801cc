#include "vek/dialogs/FileNewDlg.h"

#include "vek/model/ProjectOptions.h"
#include "vek/res/FileNewRes.h"

IMPLEMENT_DYNAMIC(CFileNewDlg, CMyDialog)

BEGIN_MESSAGE_MAP(CFileNewDlg, CMyDialog)
ON_BN_CLICKED(IDC_FN_SPACE, &CFileNewDlg::OnSpace)
ON_BN_CLICKED(IDC_FN_PLANE, &CFileNewDlg::OnPlane)
ON_BN_CLICKED(IDC_FN_OPEN, &CFileNewDlg::OnOpen)
ON_BN_CLICKED(IDC_FN_RECENT, &CFileNewDlg::OnRecent)
END_MESSAGE_MAP()

namespace {

void PostToMainWindow(UINT command)
{
    if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, command, 0);
}

}  // namespace

CFileNewDlg::CFileNewDlg(CWnd* parent) : CMyDialog(IDD_FILE_NEW, parent) {}

void CFileNewDlg::OnSpace()
{
    EndDialog(IDOK);
}

void CFileNewDlg::OnPlane()
{
    theProjectOptions.EnterPlaneModelMode();
    EndDialog(IDOK);
}

void CFileNewDlg::OnOpen()
{
    PostToMainWindow(ID_FILE_OPEN);
    EndDialog(IDOK);
}

void CFileNewDlg::OnRecent()
{
    HMENU bar = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_FN_RECENT_MENU));
    if (!bar) return;
    HMENU popup = ::GetSubMenu(bar, 0);
    // The recent projects in place of the greyed entry, most recent first.
    CRecentFileList* recent = AfxGetApp() ? AfxGetApp()->m_pRecentFileList : nullptr;
    if (recent && recent->GetSize() > 0 && !(*recent)[0].IsEmpty()) {
        ::DeleteMenu(popup, ID_FILE_MRU_FILE1, MF_BYCOMMAND);
        char folder[MAX_PATH] = {};
        const DWORD n = ::GetCurrentDirectoryA(MAX_PATH, folder);
        for (int i = 0; i < recent->GetSize() && !(*recent)[i].IsEmpty(); ++i) {
            CString name;
            if (!recent->GetDisplayName(name, i, folder, int(n))) name = (*recent)[i];
            CString item;
            item.Format("&%d %s", i + 1, name.GetString());
            ::AppendMenuA(popup, MF_STRING, ID_FILE_MRU_FILE1 + i, item);
        }
    }
    CRect r;
    GetDlgItem(IDC_FN_RECENT)->GetWindowRect(&r);
    const UINT chosen = ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, r.left,
                                         r.bottom, 0, m_hWnd, nullptr);
    ::DestroyMenu(bar);
    if (chosen >= ID_FILE_MRU_FILE1 && chosen <= ID_FILE_MRU_FILE16) {
        PostToMainWindow(chosen);
        EndDialog(IDOK);
    }
}

namespace {
bool offered = false;
}  // namespace

void OfferFileNewDialog(bool on)
{
    offered = on;
}

void RunFileNewDialog()
{
    if (!offered) return;
    CFileNewDlg dlg(AfxGetMainWnd());
    dlg.DoModal();
}
