#pragma once
// The prompt bar at the bottom of the main frame: the prompt line, the
// typed-input edit, the cursor read-out, the view-mode buttons, the
// work-platform list and the apply button. The operation stack and the
// prompts' logic are theOperationStack's; the bar shows what it asks and
// hands it the edit's keys, Enter (0x402) and Esc (0x401).
#include "analysis/MyDialog.h"
#include "vek/view/operate/OperateHost.h"

// The edit of typed coordinates: every character goes to the operation
// stack first; Enter and Esc are its own, not the dialog's.
class CInputEdit : public CEdit {
    DECLARE_DYNAMIC(CInputEdit)
public:
    CInputEdit() = default;
    // A key-down meant for another window (a tool panel holding the keys):
    // one that types a character moves the keys here, so it is read as input.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSetFocus(CWnd* old);
    DECLARE_MESSAGE_MAP()
};

class CBottomDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CBottomDlg)
public:
    CBottomDlg();
    ~CBottomDlg() override;
    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override {}

    // ---- the operations (theOperationStack's, as the program names them) ----
    int BeginOperation(class CSingleOperate* operation, int replace, int endAll, int hideDialogs);
    void ProcessOperationInput(const double* world, const POINT* screen);
    void EndOperation(BOOL eraseFirst);
    void EndAllOperations();
    class CSingleOperate* GetCurrentOperation() const;
    void DrawCurrentRubberBand() const;
    BOOL HasOperation() const { return GetCurrentOperation() != nullptr; }

    // ---- the prompt ----
    void UpdateOperationPrompt();
    void ShowPromptText(const char* text, BOOL editable, BOOL remember);
    void SetPrompt(const char* text);
    void SetPromptID(UINT stringId);
    void ShowPromptID(UINT stringId);
    void RestorePrompt();
    void SetProgress(double fraction);
    CString GetPromptText() const;
    CWnd* GetInputEdit() { return m_edit.GetSafeHwnd() ? &m_edit : nullptr; }

    // What the operation host asks of the controls.
    void ShowPromptLine(const char* text, bool editable);
    void ShowCoordinates(const char* text);
    void RefillPlatforms();
    // Enables the apply and view-mode buttons for the running operation and the view.
    void UpdateBarControls();

protected:
    void Layout();
    void OnSize(UINT type, int cx, int cy);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    LRESULT OnCancelOperation(WPARAM, LPARAM);
    LRESULT OnFinishOperation(WPARAM, LPARAM);
    LRESULT OnIdleUpdate(WPARAM, LPARAM);
    void OnApply();
    void OnPlan();
    void OnElevation();
    void OnFree3D();
    void OnPlatformChosen();
    void PostNcDestroy() override;

    CInputEdit m_edit;
    CButton m_modeButtons[3];
    CBrush m_background;
    CBrush m_editBrush;
    bool m_editable = false;
    COperateHost* m_previousHost = nullptr;
    DECLARE_MESSAGE_MAP()
};

// The one prompt bar, null until the main frame has made it.
extern CBottomDlg* theBottomDlg;

// What the prompt bar's host asks of the windows around it; each owner fills
// its own (the modeless-dialog manager, the flashing prompt, the left panel,
// the view). Empty ones do nothing.
struct CPromptBarLinks {
    // The flashing prompt window for ms milliseconds (the bar's prompt line when unbound).
    void (*flashPrompt)(const char* text, int ms) = nullptr;
    bool (*anyModelessOpen)() = nullptr;
    void (*hideModeless)() = nullptr;
    void (*showModeless)() = nullptr;
    void (*saveAndCloseModeless)() = nullptr;
    // The left panel.
    int (*getArcMethod)() = nullptr;
    void (*setArcMethod)(int method) = nullptr;
    void (*fillGenerateMethods)() = nullptr;
    void (*clearGenerateMethods)() = nullptr;
    void (*selectGenerateEntry)(int index) = nullptr;
    void (*refreshSnapText)() = nullptr;
    void (*showSelectMethod)() = nullptr;
    void (*refreshStoreyTexts)() = nullptr;
    // The dialog of the named elevations; true on OK.
    bool (*elevationDialog)() = nullptr;
    // The model view's window.
    HWND (*viewWindow)() = nullptr;
};
extern CPromptBarLinks thePromptBarLinks;

// The windows' side of the operations, bound while a prompt bar exists.
class CPromptBarHost : public COperateHost {
public:
    explicit CPromptBarHost(CBottomDlg* bar) : m_bar(bar) {}
    void ShowPromptText(const char* text, bool editable) override;
    void SetInputText(const char* text) override;
    void GetInputText(char* text, int size) override;
    bool IsInputEditable() override;
    void CaptureForTyping(bool on) override;
    void FlashPrompt(const char* text, int ms) override;
    void ShowCoordinates(const char* text) override;
    void PostCancel() override;
    void PostFinish() override;
    void PostInputChar(char ch) override;
    int MessageBox(const char* text, unsigned type) override;
    void SendToOwner(void* owner, unsigned message, const void* data) override;
    bool EditText(const char* title, const char* prompt, std::string& text) override;
    bool SnapOptionsDialog(char switches[7]) override;
    void RefillPlatformList() override;
    bool RunElevationDialog() override;
    bool AnyModelessDialogOpen() override;
    void HideModelessDialogs() override;
    void ShowModelessDialogs() override;
    void SaveAndCloseModelessDialogs() override;
    int GetArcMethod() override;
    void SetArcMethod(int method) override;
    void FillGenerateMethods() override;
    void ClearGenerateMethods() override;
    void SelectGenerateEntry(int index) override;
    void RefreshSnapText() override;
    void ShowSelectMethod() override;
    void RefreshStoreyTexts() override;
    void PostViewCommand(int id) override;
    bool ChooseOpenFile(const char* defaultExt, const char* filter, std::string& path) override;
    void StopAnimation() override;
    void CaptureView(bool on) override;
    void SetViewCursor(int id) override;
    int ScreenDpi() override;

private:
    CBottomDlg* m_bar;
};
