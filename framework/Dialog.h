#pragma once
// CDialog (modal and modeless, from dialog templates) and data exchange.
#include "framework/Wnd.h"

// Thrown by a failing check of data exchange after it has told the user.
class FW_API CUserException {};
FW_API void AfxThrowUserException();

class FW_API CDataExchange {
public:
    CDataExchange(CWnd* dlg, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlg) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    // The control being exchanged; a failing check gives it the focus.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    void Fail();
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Edit controls.
FW_API void DDX_Text(CDataExchange* dx, int id, CString& value);
FW_API void DDX_Text(CDataExchange* dx, int id, int& value);
FW_API void DDX_Text(CDataExchange* dx, int id, UINT& value);
FW_API void DDX_Text(CDataExchange* dx, int id, long& value);
FW_API void DDX_Text(CDataExchange* dx, int id, DWORD& value);
FW_API void DDX_Text(CDataExchange* dx, int id, short& value);
FW_API void DDX_Text(CDataExchange* dx, int id, BYTE& value);
FW_API void DDX_Text(CDataExchange* dx, int id, double& value);
FW_API void DDX_Text(CDataExchange* dx, int id, float& value);
// Buttons, lists and sliders.
FW_API void DDX_Check(CDataExchange* dx, int id, int& value);
FW_API void DDX_Radio(CDataExchange* dx, int id, int& value);
FW_API void DDX_CBIndex(CDataExchange* dx, int id, int& index);
FW_API void DDX_CBString(CDataExchange* dx, int id, CString& value);
FW_API void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
FW_API void DDX_LBIndex(CDataExchange* dx, int id, int& index);
FW_API void DDX_LBString(CDataExchange* dx, int id, CString& value);
FW_API void DDX_Slider(CDataExchange* dx, int id, int& value);
FW_API void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Range and length checks: on failure a message box, focus back to the
// control, and the exchange stops (the dialog stays open).
FW_API void DDV_MinMaxInt(CDataExchange* dx, int value, int minVal, int maxVal);
FW_API void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minVal, UINT maxVal);
FW_API void DDV_MinMaxLong(CDataExchange* dx, long value, long minVal, long maxVal);
FW_API void DDV_MinMaxDWord(CDataExchange* dx, DWORD value, DWORD minVal, DWORD maxVal);
FW_API void DDV_MinMaxShort(CDataExchange* dx, short value, short minVal, short maxVal);
FW_API void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minVal, BYTE maxVal);
FW_API void DDV_MinMaxDouble(CDataExchange* dx, const double& value, double minVal, double maxVal);
FW_API void DDV_MinMaxFloat(CDataExchange* dx, const float& value, float minVal, float maxVal);
FW_API void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
FW_API void DDV_MinMaxSlider(CDataExchange* dx, DWORD value, DWORD minVal, DWORD maxVal);

// Texts of the data-exchange messages (Chinese, as the program's interface).
#define FW_IDS_PARSE_INT "请输入一个整数。"
#define FW_IDS_PARSE_UINT "请输入一个正整数。"
#define FW_IDS_PARSE_REAL "请输入一个数。"
#define FW_IDS_RANGE_INT "请输入一个 %s 到 %s 之间的整数。"
#define FW_IDS_RANGE_REAL "请输入一个 %s 到 %s 之间的数。"
#define FW_IDS_MAX_CHARS "请输入不超过 %d 个字符。"

class FW_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCTSTR templateName, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modal: runs its own message loop (with PreTranslateMessage and the
    // application's idle processing) until EndDialog; returns its result, or
    // -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Modeless.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual BOOL Create(LPCTSTR templateName, CWnd* parent = nullptr);
    // inst: the module whose resources the template's controls use (the resource handle when null).
    BOOL CreateIndirect(LPCDLGTEMPLATE tmpl, CWnd* parent = nullptr, HINSTANCE inst = nullptr);
    void EndDialog(int result);
    BOOL IsModal() const { return m_bModal; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* ctrl)
    {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetSafeHwnd(ctrl)), 1);
    }
    void SetDefID(UINT id) { ::SendMessageA(m_hWnd, DM_SETDEFID, id, 0); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }
    void MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

    // The dialog running a modal loop on this thread, innermost first (for tests and hooks).
    static CDialog* GetActiveModal();

    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    BOOL CreateFromTemplate(LPCTSTR name, CWnd* parent, BOOL modal);
    BOOL m_bModal = FALSE;
    BOOL m_bEndModal = FALSE;
    int m_nModalResult = -1;
    CDialog* m_pPrevModal = nullptr;
    DECLARE_MESSAGE_MAP()
};

FW_API INT_PTR CALLBACK FwDlgProc(HWND, UINT, WPARAM, LPARAM);
