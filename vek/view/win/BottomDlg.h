#pragma once
// The prompt bar at the bottom of the main frame, as far as the application
// needs it now: one line of prompt text. Its operation stack, typed input and
// buttons come with the interactive operations.
#include "analysis/MyDialog.h"

class CBottomDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CBottomDlg)
public:
    CBottomDlg();
    BOOL Create(CWnd* parent);

    // The prompt of the running operation, or the idle text without one.
    void UpdateOperationPrompt();
    // Shows a prompt; with remember it becomes the bar's standing prompt.
    void ShowPromptText(const char* text, BOOL editable, BOOL remember);
    // A passing message, not remembered.
    void SetPrompt(const char* text);
    void SetPromptID(UINT stringId);
    void ShowPromptID(UINT stringId);
    // The standing prompt again.
    void RestorePrompt();
    CString GetPromptText() const;
    // The typed-input box; null while the bar has none.
    CWnd* GetInputEdit() { return nullptr; }
    // Whether an interactive operation runs (none yet).
    BOOL HasOperation() const { return FALSE; }

protected:
    CString m_strStanding;
};

// The one prompt bar, null until the main frame has made it.
extern CBottomDlg* theBottomDlg;
