// Dialogs from templates, their modal loop, and data exchange.
#include "framework/Dialog.h"
#include "framework/DynLink.h"
#include "framework/WinApp.h"

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cerrno>
#include <vector>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {
thread_local CDialog* t_modalTop = nullptr;
}

void AfxThrowUserException()
{
    throw CUserException();
}

INT_PTR CALLBACK FwDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    // Everything is handled by the dialog object's window procedure.
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)), m_nIDHelp(templateId), m_pParentWnd(parent)
{
}

CDialog::CDialog(LPCTSTR templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

CDialog* CDialog::GetActiveModal()
{
    return t_modalTop;
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent, HINSTANCE inst)
{
    if (!tmpl) return FALSE;
    HWND h;
    {
        FwCreateHook hook(this);
        h = ::CreateDialogIndirectParamA(inst ? inst : AfxGetResourceHandle(), tmpl, GetSafeHwnd(parent), FwDlgProc,
                                         reinterpret_cast<LPARAM>(this));
    }
    if (!h) {
        if (m_hWnd) Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::CreateFromTemplate(LPCTSTR name, CWnd* parent, BOOL modal)
{
    m_bModal = modal;
    HINSTANCE inst = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC res = ::FindResourceA(inst, name, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!res) {
        inst = ::GetModuleHandleA(nullptr);
        res = ::FindResourceA(inst, name, MAKEINTRESOURCEA(5));
    }
    if (!res) return FALSE;
    HGLOBAL mem = ::LoadResource(inst, res);
    auto* tmpl = mem ? static_cast<LPCDLGTEMPLATE>(::LockResource(mem)) : nullptr;
    return CreateIndirect(tmpl, parent, inst);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    return Create(MAKEINTRESOURCEA(templateId), parent);
}

BOOL CDialog::Create(LPCTSTR templateName, CWnd* parent)
{
    m_lpszTemplateName = templateName;
    if (!parent) parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_pParentWnd = parent;
    return CreateFromTemplate(templateName, parent, FALSE);
}

INT_PTR CDialog::DoModal()
{
    CWnd* parentWnd = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND parent = GetSafeHwnd(parentWnd);
    while (parent && (::GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD)) parent = ::GetParent(parent);
    if (parent && !::IsWindowVisible(parent)) parent = nullptr;
    const bool disabledParent = parent && ::IsWindowEnabled(parent);

    m_bEndModal = FALSE;
    m_nModalResult = -1;
    m_pPrevModal = t_modalTop;
    t_modalTop = this;
    if (!CreateFromTemplate(m_lpszTemplateName, CWnd::FromHandle(parent), TRUE)) {
        t_modalTop = m_pPrevModal;
        return -1;
    }
    if (disabledParent) ::EnableWindow(parent, FALSE);
    if (!m_bEndModal && m_hWnd) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
            break;
        }
        CWinApp* app = AfxGetApp();
        BOOL done = FALSE;
        if (app) {
            done = app->PreTranslateMessage(&msg);
        } else if (::IsDialogMessageA(m_hWnd, &msg)) {
            done = TRUE;
        }
        if (!done) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (disabledParent) ::EnableWindow(parent, TRUE);
    if (parent && ::GetActiveWindow() == m_hWnd) {
        ::SetActiveWindow(parent);
        FwRaiseOwnedWindows(parent, m_hWnd);
    }
    if (m_hWnd) DestroyWindow();
    t_modalTop = m_pPrevModal;
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    if (m_bModal) {
        m_nModalResult = result;
        m_bEndModal = TRUE;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;  // a check failed: it has told the user; the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- data exchange ---------------------------------------------------------------------

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!h) std::fprintf(stderr, "framework: data exchange with control %d, which the dialog does not have\n", id);
    m_hWndLastControl = h;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND h = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace {

CString ControlText(HWND h)
{
    CString s;
    const int n = ::GetWindowTextLengthA(h);
    char* buf = s.GetBufferSetLength(n + 1);
    s.ReleaseBuffer(::GetWindowTextA(h, buf, n + 1));
    return s;
}

void ParseFail(CDataExchange* dx, const char* message)
{
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    dx->Fail();
}

// Whole-text integer: blanks around it allowed, nothing else.
bool ParseLong(const CString& text, long long& out, bool allowSign)
{
    CString t(text);
    t.Trim();
    if (t.IsEmpty() || (!allowSign && t[0] == '-')) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(t, &end, 10);
    return errno == 0 && end && *end == 0;
}

bool ParseDouble(const CString& text, double& out)
{
    CString t(text);
    t.Trim();
    if (t.IsEmpty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtod(t, &end);
    return errno == 0 && end && *end == 0;
}

template <class T>
void TextInteger(CDataExchange* dx, int id, T& value, long long lo, long long hi, bool isSigned)
{
    HWND h = dx->PrepareEditCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseLong(ControlText(h), v, isSigned) || v < lo || v > hi)
            ParseFail(dx, isSigned ? FW_IDS_PARSE_INT : FW_IDS_PARSE_UINT);
        value = static_cast<T>(v);
    } else {
        char buf[32];
        if (isSigned)
            std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
        else
            std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(value));
        ::SetWindowTextA(h, buf);
    }
}

template <class T>
void RangeFail(CDataExchange* dx, const char* fmt, T minVal, T maxVal, const char* numFmt)
{
    char a[64], b[64];
    std::snprintf(a, sizeof a, numFmt, minVal);
    std::snprintf(b, sizeof b, numFmt, maxVal);
    CString message;
    message.Format(fmt, a, b);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    dx->Fail();
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND h = dx->PrepareEditCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate)
        value = ControlText(h);
    else
        ::SetWindowTextA(h, value);
}

void DDX_Text(CDataExchange* dx, int id, int& v)
{
    TextInteger(dx, id, v, INT32_MIN, INT32_MAX, true);
}
void DDX_Text(CDataExchange* dx, int id, UINT& v)
{
    TextInteger(dx, id, v, 0, UINT32_MAX, false);
}
void DDX_Text(CDataExchange* dx, int id, long& v)
{
    TextInteger(dx, id, v, INT32_MIN, INT32_MAX, true);
}
void DDX_Text(CDataExchange* dx, int id, DWORD& v)
{
    TextInteger(dx, id, v, 0, UINT32_MAX, false);
}
void DDX_Text(CDataExchange* dx, int id, short& v)
{
    TextInteger(dx, id, v, INT16_MIN, INT16_MAX, true);
}
void DDX_Text(CDataExchange* dx, int id, BYTE& v)
{
    TextInteger(dx, id, v, 0, 255, false);
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    HWND h = dx->PrepareEditCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseDouble(ControlText(h), v)) ParseFail(dx, FW_IDS_PARSE_REAL);
        value = v;
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*g", DBL_DIG, value);
        ::SetWindowTextA(h, buf);
    }
}

void DDX_Text(CDataExchange* dx, int id, float& value)
{
    HWND h = dx->PrepareEditCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseDouble(ControlText(h), v) || v > FLT_MAX || v < -FLT_MAX) ParseFail(dx, FW_IDS_PARSE_REAL);
        value = static_cast<float>(v);
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*g", FLT_DIG, static_cast<double>(value));
        ::SetWindowTextA(h, buf);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND h = dx->PrepareCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    // The group runs from the first button to the next control with WS_GROUP.
    HWND first = dx->PrepareCtrl(id);
    if (!first) return;
    if (dx->m_bSaveAndValidate) value = -1;
    int index = 0;
    HWND h = first;
    do {
        const LRESULT code = ::SendMessageA(h, WM_GETDLGCODE, 0, 0);
        if (code & DLGC_RADIOBUTTON) {
            if (dx->m_bSaveAndValidate) {
                if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
            } else {
                ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        h = ::GetWindow(h, GW_HWNDNEXT);
    } while (h && !(::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    HWND h = dx->PrepareCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    HWND h = dx->PrepareCtrl(id);
    if (!h) return;
    const bool dropList = (::GetWindowLongPtrA(h, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
    if (dx->m_bSaveAndValidate) {
        if (dropList) {
            const int sel = static_cast<int>(::SendMessageA(h, CB_GETCURSEL, 0, 0));
            value.Empty();
            if (sel >= 0) {
                const int n = static_cast<int>(::SendMessageA(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0));
                char* buf = value.GetBufferSetLength(n + 1);
                ::SendMessageA(h, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buf));
                value.ReleaseBuffer();
            }
        } else {
            value = ControlText(h);
        }
    } else if (::SendMessageA(h, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR &&
               !dropList) {
        ::SetWindowTextA(h, value);
    }
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value)
{
    HWND h = dx->PrepareCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate) {
        DDX_CBString(dx, id, value);
        return;
    }
    const int i = static_cast<int>(
        ::SendMessageA(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())));
    if (i >= 0)
        ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    else
        ::SetWindowTextA(h, value);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    HWND h = dx->PrepareCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value)
{
    HWND h = dx->PrepareCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate) {
        const int sel = static_cast<int>(::SendMessageA(h, LB_GETCURSEL, 0, 0));
        value.Empty();
        if (sel >= 0) {
            const int n = static_cast<int>(::SendMessageA(h, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0));
            char* buf = value.GetBufferSetLength(n + 1);
            ::SendMessageA(h, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buf));
            value.ReleaseBuffer();
        }
    } else {
        ::SendMessageA(h, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    }
}

void DDX_Slider(CDataExchange* dx, int id, int& value)
{
    HWND h = dx->PrepareCtrl(id);
    if (!h) return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(h, TBM_GETPOS, 0, 0));
    else
        ::SendMessageA(h, TBM_SETPOS, TRUE, value);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd) return;
    HWND h = dx->PrepareCtrl(id);
    if (h) control.SubclassWindow(h);
}

void DDV_MinMaxInt(CDataExchange* dx, int v, int lo, int hi)
{
    if (dx->m_bSaveAndValidate && (v < lo || v > hi)) RangeFail(dx, FW_IDS_RANGE_INT, lo, hi, "%d");
}
void DDV_MinMaxUInt(CDataExchange* dx, UINT v, UINT lo, UINT hi)
{
    if (dx->m_bSaveAndValidate && (v < lo || v > hi)) RangeFail(dx, FW_IDS_RANGE_INT, lo, hi, "%u");
}
void DDV_MinMaxLong(CDataExchange* dx, long v, long lo, long hi)
{
    if (dx->m_bSaveAndValidate && (v < lo || v > hi)) RangeFail(dx, FW_IDS_RANGE_INT, lo, hi, "%ld");
}
void DDV_MinMaxDWord(CDataExchange* dx, DWORD v, DWORD lo, DWORD hi)
{
    if (dx->m_bSaveAndValidate && (v < lo || v > hi))
        RangeFail(dx, FW_IDS_RANGE_INT, static_cast<unsigned>(lo), static_cast<unsigned>(hi), "%u");
}
void DDV_MinMaxShort(CDataExchange* dx, short v, short lo, short hi)
{
    if (dx->m_bSaveAndValidate && (v < lo || v > hi))
        RangeFail(dx, FW_IDS_RANGE_INT, static_cast<int>(lo), static_cast<int>(hi), "%d");
}
void DDV_MinMaxByte(CDataExchange* dx, BYTE v, BYTE lo, BYTE hi)
{
    if (dx->m_bSaveAndValidate && (v < lo || v > hi))
        RangeFail(dx, FW_IDS_RANGE_INT, static_cast<int>(lo), static_cast<int>(hi), "%d");
}
void DDV_MinMaxDouble(CDataExchange* dx, const double& v, double lo, double hi)
{
    // A NaN is outside every range.
    if (dx->m_bSaveAndValidate && !(v >= lo && v <= hi)) RangeFail(dx, FW_IDS_RANGE_REAL, lo, hi, "%g");
}
void DDV_MinMaxFloat(CDataExchange* dx, const float& v, float lo, float hi)
{
    if (dx->m_bSaveAndValidate && !(v >= lo && v <= hi))
        RangeFail(dx, FW_IDS_RANGE_REAL, static_cast<double>(lo), static_cast<double>(hi), "%g");
}
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars)
{
    if (dx->m_bSaveAndValidate) {
        if (value.GetLength() > maxChars) {
            CString message;
            message.Format(FW_IDS_MAX_CHARS, maxChars);
            AfxMessageBox(message, MB_ICONEXCLAMATION);
            dx->Fail();
        }
    } else if (dx->m_hWndLastControl && dx->m_bEditLastControl) {
        ::SendMessageA(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
}
void DDV_MinMaxSlider(CDataExchange* dx, DWORD v, DWORD lo, DWORD hi)
{
    if (!dx->m_bSaveAndValidate) {
        if (dx->m_hWndLastControl) {
            ::SendMessageA(dx->m_hWndLastControl, TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(lo));
            ::SendMessageA(dx->m_hWndLastControl, TBM_SETRANGEMAX, TRUE, static_cast<LPARAM>(hi));
        }
        return;
    }
    if (v < lo || v > hi) RangeFail(dx, FW_IDS_RANGE_INT, static_cast<unsigned>(lo), static_cast<unsigned>(hi), "%u");
}
