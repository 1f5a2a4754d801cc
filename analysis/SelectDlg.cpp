// The step-choice dialog, its check list, and the start of a solver run.
#include "analysis/SelectDlg.h"

#include "analysis/ProcessManager.h"
#include "analysis/RunManagerRes.h"

// ---- CMyCheckListBox -----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMyCheckListBox, CCheckListBox)

BEGIN_MESSAGE_MAP(CMyCheckListBox, CCheckListBox)
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_RUN_SELECT_ALL, &CMyCheckListBox::OnSelectAll)
ON_COMMAND(ID_RUN_SELECT_INVERT, &CMyCheckListBox::OnSelectInvert)
ON_COMMAND(ID_RUN_SELECT_NONE, &CMyCheckListBox::OnSelectNone)
ON_COMMAND(ID_RUN_SELECT_BEFORE, &CMyCheckListBox::OnSelectBefore)
ON_COMMAND(ID_RUN_SELECT_AFTER, &CMyCheckListBox::OnSelectAfter)
END_MESSAGE_MAP()

LRESULT CMyCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The popup's owner-drawn title comes here: the list owns the popup.
    if (message == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (mis && mis->CtlType == ODT_MENU && mis->itemID == ID_RUN_MENU_TITLE) {
            MeasureTitle(mis);
            return TRUE;
        }
    } else if (message == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (dis && dis->CtlType == ODT_MENU && dis->itemID == ID_RUN_MENU_TITLE) {
            DrawTitle(dis);
            return TRUE;
        }
    }
    return CCheckListBox::WindowProc(message, wParam, lParam);
}

void CMyCheckListBox::OnContextMenu(CWnd*, CPoint pt)
{
    SetFocus();
    CPoint client = pt;
    ScreenToClient(&client);
    BOOL outside = TRUE;
    const UINT line = GetCount() > 0 ? ItemFromPoint(client, outside) : 0;
    if (!outside) SetCurSel(static_cast<int>(line));

    CMenu menu;
    if (!menu.LoadMenu(IDR_RUN_SELECT_MENU)) return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) return;
    if (outside) {
        popup->RemoveMenu(ID_RUN_SELECT_BEFORE, MF_BYCOMMAND);
        popup->RemoveMenu(ID_RUN_SELECT_AFTER, MF_BYCOMMAND);
    }
    popup->InsertMenu(0, MF_BYPOSITION | MF_OWNERDRAW | MF_DISABLED, ID_RUN_MENU_TITLE,
                      reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(ID_RUN_MENU_TITLE)));
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, this);
}

HFONT CMyCheckListBox::CreateTitleFont()
{
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        if (HFONT font = ::CreateFontIndirectA(&ncm.lfCaptionFont)) return font;
    LOGFONTA lf{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    return ::CreateFontIndirectA(&lf);
}

void CMyCheckListBox::MeasureTitle(LPMEASUREITEMSTRUCT mis)
{
    CString title;
    title.LoadString(ID_RUN_MENU_TITLE);
    HDC dc = ::GetDC(m_hWnd);
    HFONT font = CreateTitleFont();
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, title, title.GetLength(), &size);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(m_hWnd, dc);
    mis->itemWidth = static_cast<UINT>(size.cx + 4);
    mis->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYCAPTION));
}

void CMyCheckListBox::DrawTitle(LPDRAWITEMSTRUCT dis)
{
    CString title;
    title.LoadString(ID_RUN_MENU_TITLE);
    CDC* dc = CDC::FromHandle(dis->hDC);
    CRect r(dis->rcItem);
    dc->FillSolidRect(&r, RGB(0, 0, 0));
    HFONT font = CreateTitleFont();
    HGDIOBJ old = ::SelectObject(dis->hDC, font);
    const int mode = dc->SetBkMode(TRANSPARENT);
    const COLORREF color = dc->SetTextColor(RGB(255, 255, 255));
    dc->DrawText(title, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->SetTextColor(color);
    dc->SetBkMode(mode);
    ::SelectObject(dis->hDC, old);
    ::DeleteObject(font);
}

void CMyCheckListBox::SetChecks(int from, int to, int check)
{
    for (int i = from; i <= to && i < GetCount(); ++i)
        if (i >= 0) SetCheck(i, check < 0 ? !GetCheck(i) : check);
}

void CMyCheckListBox::OnSelectAll()
{
    SetChecks(0, GetCount() - 1, 1);
}

void CMyCheckListBox::OnSelectInvert()
{
    SetChecks(0, GetCount() - 1, -1);
}

void CMyCheckListBox::OnSelectNone()
{
    SetChecks(0, GetCount() - 1, 0);
}

void CMyCheckListBox::OnSelectBefore()
{
    const int current = GetCurSel();
    if (current >= 0) SetChecks(0, current, 1);
}

void CMyCheckListBox::OnSelectAfter()
{
    const int current = GetCurSel();
    if (current >= 0) SetChecks(current, GetCount() - 1, 1);
}

// ---- CSelectDlg ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSelectDlg, CRunDialogBase)

CSelectDlg::CSelectDlg(CWnd* parent) : CRunDialogBase(IDD_RUN_SELECT, parent) {}

CSelectDlg::~CSelectDlg() = default;

BOOL CSelectDlg::OnInitDialog()
{
    m_bFilled = false;
    CRunDialogBase::OnInitDialog();
    // Columns wide enough for the longest step name.
    m_listSteps.SendMessage(LB_SETCOLUMNWIDTH, 110);
    return TRUE;
}

void CSelectDlg::DoDataExchange(CDataExchange* dx)
{
    CRunDialogBase::DoDataExchange(dx);
    DDX_Control(dx, IDC_RUN_STEPS, m_listSteps);
    if (!dx->m_bSaveAndValidate) {
        if (m_bFilled) return;
        m_listSteps.ResetContent();
        for (int i = 0; i < m_arrPrograms.GetSize(); ++i) {
            m_listSteps.AddString(m_arrPrograms[i]);
            m_listSteps.SetCheck(i, m_arrChecks[i]);
        }
        m_bFilled = true;
    } else {
        for (int i = 0; i < m_arrPrograms.GetSize() && i < m_listSteps.GetCount(); ++i)
            m_arrChecks[i] = m_listSteps.GetCheck(i) ? 1 : 0;
    }
}

// ---- the start of a solver run -------------------------------------------------------------

void CProcessManager::ComputeKorvaData(int showDialog, int freeStructure)
{
    if (!FileExists(CString(korvaPath) + "\\kor.exe")) {
        Prompt("找不到KORVA求解程序kor.exe（已查找程序目录和环境变量KORVA所指目录）。", Stop);
        if (GetTotalSize() == 0) PostEnd(0);
        return;
    }
    CDataFile data;
    CSelectDlg dlg;
    if (PrepareKorvaRun(data, dlg, freeStructure) && (!showDialog || dlg.DoModal() == IDOK))
        QueueKorvaRun(dlg, data, freeStructure);
    // The caller learns that no run began.
    if (GetTotalSize() == 0) PostEnd(0);
}
