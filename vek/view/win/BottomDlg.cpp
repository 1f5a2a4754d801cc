#include "vek/view/win/BottomDlg.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "vek/model/AppHelpers.h"
#include "vek/res/InteractRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"
#include "vek/view/win/OsnapOptionDlg.h"

CBottomDlg* theBottomDlg = nullptr;
CPromptBarLinks thePromptBarLinks;

namespace {

constexpr UINT kCancelMessage = COperationStack::kCancelMessage;
constexpr UINT kFinishMessage = COperationStack::kFinishMessage;
constexpr UINT kStopAnimationCommand = 32959;
constexpr int kPlatformCommands[3] = {32827, 32828, 32829};

HWND ViewWindow()
{
    return thePromptBarLinks.viewWindow ? thePromptBarLinks.viewWindow() : nullptr;
}

}  // namespace

// ---- the input edit ---------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CInputEdit, CEdit)

BEGIN_MESSAGE_MAP(CInputEdit, CEdit)
ON_MESSAGE(WM_GETDLGCODE, &CInputEdit::OnGetDlgCode)
ON_WM_CHAR()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

LRESULT CInputEdit::OnGetDlgCode(WPARAM, LPARAM)
{
    // Enter and Esc are the edit's own keys, not the dialog's buttons'.
    return Default() | DLGC_WANTALLKEYS;
}

void CInputEdit::OnChar(UINT ch, UINT, UINT)
{
    if (ch < 256 && theOperationStack.OnInputChar(static_cast<char>(ch))) return;
    if (ch == 13 || ch == 27) return;
    Default();
}

BOOL CInputEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || !m_hWnd || msg->hwnd == m_hWnd || !IsWindowEnabled()) return FALSE;
    // Keys that type nothing (arrows, Tab, Enter, Esc) stay with the panel's controls.
    const UINT ch = ::MapVirtualKeyA(static_cast<UINT>(msg->wParam), MAPVK_VK_TO_CHAR) & 0x7fffffffu;
    if (ch < ' ' && ch != '\b') return FALSE;
    SetFocus();
    // The message goes on to whoever has the keys now (the view, when the
    // edit is read-only), which makes the character from it.
    if (HWND focus = ::GetFocus()) msg->hwnd = focus;
    return FALSE;
}

void CInputEdit::OnSetFocus(CWnd*)
{
    // A read-only edit has nothing to take: the keys go to the view.
    if (GetStyle() & ES_READONLY) {
        if (HWND view = ViewWindow()) {
            ::SetFocus(view);
            return;
        }
    }
    Default();
}

// ---- the bar ----------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CBottomDlg, CModelessDialog)

BEGIN_MESSAGE_MAP(CBottomDlg, CModelessDialog)
ON_WM_SIZE()
ON_WM_CTLCOLOR()
ON_MESSAGE(kCancelMessage, &CBottomDlg::OnCancelOperation)
ON_MESSAGE(kFinishMessage, &CBottomDlg::OnFinishOperation)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CBottomDlg::OnIdleUpdate)
ON_BN_CLICKED(IDC_BAR_APPLY, &CBottomDlg::OnApply)
ON_BN_CLICKED(IDC_BAR_PLAN, &CBottomDlg::OnPlan)
ON_BN_CLICKED(IDC_BAR_ELEVATION, &CBottomDlg::OnElevation)
ON_BN_CLICKED(IDC_BAR_FREE3D, &CBottomDlg::OnFree3D)
ON_CBN_SELCHANGE(IDC_BAR_PLATFORMS, &CBottomDlg::OnPlatformChosen)
END_MESSAGE_MAP()

CBottomDlg::CBottomDlg() : CModelessDialog(IDD_PROMPT_BAR, nullptr)
{
    m_background.CreateSysColorBrush(COLOR_3DFACE);
    m_editBrush.CreateSysColorBrush(COLOR_WINDOW);
}

CBottomDlg::~CBottomDlg()
{
    if (theBottomDlg == this) theBottomDlg = nullptr;
}

BOOL CBottomDlg::Create(CWnd* parent)
{
    return CModelessDialog::Create(IDD_PROMPT_BAR, parent);
}

// The bar as a dialog takes every key of its controls; the frame's function
// keys and Ctrl shortcuts (but the edit's own clipboard and undo) still work
// while the keys are in the typed-input edit.
BOOL CBottomDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && m_edit.m_hWnd && msg->hwnd == m_edit.m_hWnd) {
        const WPARAM key = msg->wParam;
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
        const bool editKey = ctrl && (key == 'A' || key == 'C' || key == 'V' || key == 'X' || key == 'Z');
        auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
        if (frame && frame->m_hAccelTable && !editKey && ((key >= VK_F1 && key <= VK_F24) || ctrl) &&
            ::TranslateAcceleratorA(frame->m_hWnd, frame->m_hAccelTable, msg))
            return TRUE;
    }
    return CModelessDialog::PreTranslateMessage(msg);
}

BOOL CBottomDlg::OnInitDialog()
{
    // Ours before the dialog base makes flat controls of the rest.
    m_edit.SubclassDlgItem(IDC_BAR_INPUT, this);
    const UINT buttons[3] = {IDC_BAR_PLAN, IDC_BAR_ELEVATION, IDC_BAR_FREE3D};
    const UINT icons[3] = {IDI_BAR_PLAN, IDI_BAR_ELEVATION, IDI_BAR_FREE3D};
    for (int i = 0; i < 3; ++i) {
        m_modeButtons[i].SubclassDlgItem(buttons[i], this);
        HICON icon = static_cast<HICON>(
            ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(icons[i]), IMAGE_ICON, 15, 15, LR_DEFAULTCOLOR));
        if (icon) m_modeButtons[i].SetIcon(icon);
    }
    CModelessDialog::OnInitDialog();
    if (CComboBox* list = static_cast<CComboBox*>(GetDlgItem(IDC_BAR_PLATFORMS))) {
        CRect r;
        list->GetWindowRect(&r);
        list->SetDroppedWidth(static_cast<UINT>(r.Width() * 2));
    }
    theBottomDlg = this;
    m_previousHost = SetOperateHost(new CPromptBarHost(this));
    RefillPlatforms();
    theOperationStack.UpdateOperationPrompt();
    return TRUE;
}

void CBottomDlg::PostNcDestroy()
{
    if (theBottomDlg == this) {
        delete SetOperateHost(m_previousHost);
        theBottomDlg = nullptr;
    }
    CModelessDialog::PostNcDestroy();
}

int CBottomDlg::BeginOperation(CSingleOperate* operation, int replace, int endAll, int hideDialogs)
{
    return theOperationStack.BeginOperation(operation, replace, endAll, hideDialogs);
}

void CBottomDlg::ProcessOperationInput(const double* world, const POINT* screen)
{
    theOperationStack.ProcessOperationInput(world, screen);
}

void CBottomDlg::EndOperation(BOOL eraseFirst)
{
    theOperationStack.EndOperation(eraseFirst != FALSE);
}

void CBottomDlg::EndAllOperations()
{
    theOperationStack.EndAllOperations();
}

CSingleOperate* CBottomDlg::GetCurrentOperation() const
{
    return theOperationStack.GetCurrentOperation();
}

void CBottomDlg::DrawCurrentRubberBand() const
{
    theOperationStack.DrawCurrentRubberBand();
}

void CBottomDlg::UpdateOperationPrompt()
{
    theOperationStack.UpdateOperationPrompt();
}

void CBottomDlg::ShowPromptText(const char* text, BOOL editable, BOOL remember)
{
    theOperationStack.ShowPromptText(text, editable != FALSE, remember != FALSE);
}

void CBottomDlg::SetPrompt(const char* text)
{
    theOperationStack.SetPrompt(text);
}

void CBottomDlg::SetPromptID(UINT stringId)
{
    SetPrompt(AfxLoadString(stringId));
}

void CBottomDlg::ShowPromptID(UINT stringId)
{
    ShowPromptText(AfxLoadString(stringId), FALSE, TRUE);
}

void CBottomDlg::RestorePrompt()
{
    theOperationStack.RestorePrompt();
}

void CBottomDlg::SetProgress(double fraction)
{
    theOperationStack.SetProgress(fraction);
}

CString CBottomDlg::GetPromptText() const
{
    CString text;
    GetDlgItemText(IDC_BAR_PROMPT, text);
    return text;
}

void CBottomDlg::ShowPromptLine(const char* text, bool editable)
{
    const bool relayout = editable || m_editable;
    m_editable = editable;
    SetDlgItemText(IDC_BAR_PROMPT, text ? text : "");
    if (m_edit.GetSafeHwnd()) {
        m_edit.SetReadOnly(editable ? FALSE : TRUE);
        m_edit.SetWindowText("");
    }
    if (relayout) Layout();
    if (CWnd* line = GetDlgItem(IDC_BAR_PROMPT)) line->Invalidate();
    UpdateBarControls();
}

void CBottomDlg::ShowCoordinates(const char* text)
{
    SetDlgItemText(IDC_BAR_COORDINATES, text ? text : "");
}

void CBottomDlg::Layout()
{
    CWnd* line = GetDlgItem(IDC_BAR_PROMPT);
    if (!line || !m_edit.GetSafeHwnd()) return;
    CRect client, lineRect, editRect;
    GetClientRect(&client);
    line->GetWindowRect(&lineRect);
    ScreenToClient(&lineRect);
    m_edit.GetWindowRect(&editRect);
    ScreenToClient(&editRect);
    lineRect.right = client.right - 2;
    line->MoveWindow(&lineRect);
    int left = client.right - 4 - 30;
    if (m_editable) {
        // After the end of the prompt, in the bar's font; never nearer the edge than 30 pixels.
        CString text;
        line->GetWindowText(text);
        CClientDC dc(this);
        CFont* old = dc.SelectObject(GetFont());
        const CSize extent = dc.GetTextExtent(text);
        dc.SelectObject(old);
        left = std::min(lineRect.left + extent.cx + 10, client.right - 30);
    }
    editRect.left = left;
    editRect.right = client.right - 4;
    m_edit.MoveWindow(&editRect);
}

void CBottomDlg::OnSize(UINT type, int cx, int cy)
{
    CModelessDialog::OnSize(type, cx, cy);
    Layout();
}

HBRUSH CBottomDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor)
{
    if (wnd && wnd->GetDlgCtrlID() == IDC_BAR_PROMPT) {
        dc->SetBkMode(TRANSPARENT);
        return m_background;
    }
    if (wnd && wnd->m_hWnd == m_edit.m_hWnd && m_editable) {
        dc->SetBkColor(::GetSysColor(COLOR_WINDOW));
        return m_editBrush;
    }
    return CModelessDialog::OnCtlColor(dc, wnd, ctlColor);
}

LRESULT CBottomDlg::OnCancelOperation(WPARAM, LPARAM)
{
    theOperationStack.CancelOperation();
    return 0;
}

LRESULT CBottomDlg::OnFinishOperation(WPARAM, LPARAM)
{
    theOperationStack.FinishOperation();
    return 0;
}

LRESULT CBottomDlg::OnIdleUpdate(WPARAM, LPARAM)
{
    UpdateBarControls();
    return 0;
}

void CBottomDlg::UpdateBarControls()
{
    if (CWnd* apply = GetDlgItem(IDC_BAR_APPLY)) apply->EnableWindow(theOperationStack.CanApply() ? TRUE : FALSE);
    for (int i = 0; i < 3; ++i)
        if (m_modeButtons[i].GetSafeHwnd())
            m_modeButtons[i].EnableWindow(COperationStack::ModeButtonEnabled(i + 1) ? TRUE : FALSE);
}

void CBottomDlg::OnApply()
{
    PostMessage(kFinishMessage);
}

void CBottomDlg::OnPlan()
{
    OperateHost().PostViewCommand(kPlatformCommands[0]);
}

void CBottomDlg::OnElevation()
{
    OperateHost().PostViewCommand(kPlatformCommands[1]);
}

void CBottomDlg::OnFree3D()
{
    OperateHost().PostViewCommand(kPlatformCommands[2]);
}

void CBottomDlg::RefillPlatforms()
{
    CComboBox* list = static_cast<CComboBox*>(GetDlgItem(IDC_BAR_PLATFORMS));
    if (!list) return;
    list->ResetContent();
    for (const std::string& entry : COperationStack::PlatformEntries()) list->AddString(entry.c_str());
    list->SetCurSel(COperationStack::kPlatformFixedEntries - 1);
}

void CBottomDlg::OnPlatformChosen()
{
    CComboBox* list = static_cast<CComboBox*>(GetDlgItem(IDC_BAR_PLATFORMS));
    if (list) theOperationStack.ChoosePlatformEntry(list->GetCurSel());
}

// ---- the host ---------------------------------------------------------------------------------

void CPromptBarHost::ShowPromptText(const char* text, bool editable)
{
    m_bar->ShowPromptLine(text, editable);
}

void CPromptBarHost::SetInputText(const char* text)
{
    if (CWnd* edit = m_bar->GetInputEdit()) {
        edit->SetWindowText(text ? text : "");
        static_cast<CEdit*>(edit)->SetSel(0x7FFF, 0x7FFF);
    }
}

void CPromptBarHost::GetInputText(char* text, int size)
{
    if (size <= 0) return;
    text[0] = '\0';
    if (CWnd* edit = m_bar->GetInputEdit()) ::GetWindowTextA(edit->m_hWnd, text, size);
}

bool CPromptBarHost::IsInputEditable()
{
    CWnd* edit = m_bar->GetInputEdit();
    return edit && !(edit->GetStyle() & ES_READONLY);
}

void CPromptBarHost::CaptureForTyping(bool on)
{
    if (on) {
        m_bar->SetCapture();
        if (CWnd* edit = m_bar->GetInputEdit()) edit->SetFocus();
    } else if (::GetCapture() == m_bar->m_hWnd) {
        ::ReleaseCapture();
    }
}

void CPromptBarHost::FlashPrompt(const char* text, int ms)
{
    if (thePromptBarLinks.flashPrompt)
        thePromptBarLinks.flashPrompt(text, ms);
    else
        theOperationStack.SetPrompt(text);
}

void CPromptBarHost::ShowCoordinates(const char* text)
{
    m_bar->ShowCoordinates(text);
}

void CPromptBarHost::PostCancel()
{
    m_bar->PostMessage(kCancelMessage);
}

void CPromptBarHost::PostFinish()
{
    m_bar->PostMessage(kFinishMessage);
}

void CPromptBarHost::PostInputChar(char ch)
{
    if (CWnd* edit = m_bar->GetInputEdit()) edit->PostMessage(WM_CHAR, static_cast<unsigned char>(ch), 1);
}

int CPromptBarHost::MessageBox(const char* text, unsigned type)
{
    return AppMessageBox(text, type);
}

void CPromptBarHost::SendToOwner(void* owner, unsigned message, const void* data)
{
    CWnd* wnd = static_cast<CWnd*>(owner);
    if (wnd && wnd->GetSafeHwnd()) wnd->SendMessage(message, 0, reinterpret_cast<LPARAM>(data));
}

bool CPromptBarHost::EditText(const char*, const char* prompt, std::string& text)
{
    CString value = text.c_str();
    if (AppPromptValue(prompt, value) != 1) return false;
    text = value.GetString();
    return true;
}

bool CPromptBarHost::SnapOptionsDialog(char switches[7])
{
    COsnapOptionDlg dlg(m_bar->GetParent());
    for (int i = 0; i < 7; ++i) dlg.m_checks[i] = switches[i] == 'Y';
    if (dlg.DoModal() != IDOK) return false;
    for (int i = 0; i < 7; ++i) switches[i] = dlg.m_checks[i] ? 'Y' : 'N';
    return true;
}

void CPromptBarHost::RefillPlatformList()
{
    m_bar->RefillPlatforms();
}

bool CPromptBarHost::RunElevationDialog()
{
    return thePromptBarLinks.elevationDialog && thePromptBarLinks.elevationDialog();
}

bool CPromptBarHost::AnyModelessDialogOpen()
{
    return thePromptBarLinks.anyModelessOpen && thePromptBarLinks.anyModelessOpen();
}

void CPromptBarHost::HideModelessDialogs()
{
    if (thePromptBarLinks.hideModeless) thePromptBarLinks.hideModeless();
}

void CPromptBarHost::ShowModelessDialogs()
{
    if (thePromptBarLinks.showModeless) thePromptBarLinks.showModeless();
}

void CPromptBarHost::SaveAndCloseModelessDialogs()
{
    if (thePromptBarLinks.saveAndCloseModeless) thePromptBarLinks.saveAndCloseModeless();
}

int CPromptBarHost::GetArcMethod()
{
    return thePromptBarLinks.getArcMethod ? thePromptBarLinks.getArcMethod() : 0;
}

void CPromptBarHost::SetArcMethod(int method)
{
    if (thePromptBarLinks.setArcMethod) thePromptBarLinks.setArcMethod(method);
}

void CPromptBarHost::FillGenerateMethods()
{
    if (thePromptBarLinks.fillGenerateMethods) thePromptBarLinks.fillGenerateMethods();
}

void CPromptBarHost::ClearGenerateMethods()
{
    if (thePromptBarLinks.clearGenerateMethods) thePromptBarLinks.clearGenerateMethods();
}

void CPromptBarHost::SelectGenerateEntry(int index)
{
    if (thePromptBarLinks.selectGenerateEntry) thePromptBarLinks.selectGenerateEntry(index);
}

void CPromptBarHost::RefreshSnapText()
{
    if (thePromptBarLinks.refreshSnapText) thePromptBarLinks.refreshSnapText();
}

void CPromptBarHost::ShowSelectMethod()
{
    if (thePromptBarLinks.showSelectMethod) thePromptBarLinks.showSelectMethod();
}

void CPromptBarHost::RefreshStoreyTexts()
{
    if (thePromptBarLinks.refreshStoreyTexts) thePromptBarLinks.refreshStoreyTexts();
}

void CPromptBarHost::PostViewCommand(int id)
{
    if (HWND view = ViewWindow())
        ::PostMessageA(view, WM_COMMAND, static_cast<WPARAM>(id), 0);
    else
        RunViewCommand(id);
}

bool CPromptBarHost::ChooseOpenFile(const char* defaultExt, const char* filter, std::string& path)
{
    CFileDialog dlg(TRUE, defaultExt, nullptr, OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, filter,
                    m_bar->GetParent());
    if (dlg.DoModal() != IDOK) return false;
    path = dlg.GetPathName().GetString();
    return true;
}

void CPromptBarHost::StopAnimation()
{
    if (HWND view = ViewWindow()) ::SendMessageA(view, WM_COMMAND, kStopAnimationCommand, 0);
}

void CPromptBarHost::CaptureView(bool on)
{
    HWND view = ViewWindow();
    if (on && view)
        ::SetCapture(view);
    else if (!on && view && ::GetCapture() == view)
        ::ReleaseCapture();
}

void CPromptBarHost::SetViewCursor(int id)
{
    if (HCURSOR c = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id))) ::SetCursor(c);
}

int CPromptBarHost::ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}
