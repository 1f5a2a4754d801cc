#pragma once
// A panel of up to six labelled values bound to the caller's variables
// (1 double, 2 float, 3 int, 4 16-bit int, 5 text): every change is stored
// at once while the panel is editable; a panel that is not shows them only.
#include <cstdint>

#include "analysis/MyDialog.h"

class CEditPromptDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CEditPromptDlg)
public:
    enum Type { kDouble = 1, kFloat = 2, kInt = 3, kShort = 4, kText = 5 };
    static constexpr int kMaxItems = 6;

    explicit CEditPromptDlg(CWnd* parent);
    // The caller's items (variables kept alive while the panel is open;
    // text items are CString). Refused (false, nothing taken) for a count
    // outside 1..6, a type outside 1..5 or a missing variable. enabled may be
    // null: every item enabled.
    bool SetItems(const char* title, int count, const int* types, void* const* values, const char* const* labels,
                  const int* enabled = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    bool m_bEditable = true;
    int m_nCount = 0;

protected:
    void OnEditLeft(UINT) { OnDataChanged(); }

    CString m_title;
    int m_types[kMaxItems] = {};
    void* m_values[kMaxItems] = {};
    CString m_labels[kMaxItems];
    int m_enabled[kMaxItems] = {1, 1, 1, 1, 1, 1};
    DECLARE_MESSAGE_MAP()
};

// Opens a panel of the items beside the view (the other panels closed first
// when asked); null when the items were refused.
CEditPromptDlg* OpenEditPrompt(const char* title, int count, const int* types, void* const* values,
                               const char* const* labels, bool closeOthers, const int* enabled = nullptr);
