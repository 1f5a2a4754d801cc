#pragma once
// A small modal dialog that builds one label and edit row per value at run
// time (the storey count, division counts and similar single questions), and a
// multi-line edit that shows its scroll bars only when the text needs them.
#include <vector>

#include "analysis/ControlsXP.h"
#include "analysis/MyDialog.h"

// One value of the edit dialog: a double, an int, or the caller's text.
union EditSlot {
    double d;
    int i;
    CString* text;
};
static_assert(sizeof(EditSlot) == 8, "one 8-byte slot per value");

class CEditDialog : public CMyDialog {
    DECLARE_DYNAMIC(CEditDialog)
public:
    enum Kind : BYTE { kDouble = 0, kInt = 1, kText = 2 };

    explicit CEditDialog(CWnd* parent = nullptr);
    ~CEditDialog() override;
    // The caller keeps values, kinds (null: all doubles), title and labels
    // alive while the dialog runs; its values change only on OK.
    void SetParams(EditSlot* values, const BYTE* kinds, int count, const char* title, const char* const* labels);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    int m_nCount = 0;
    const char* const* m_pLabels = nullptr;
    const BYTE* m_pKinds = nullptr;
    EditSlot* m_pValues = nullptr;
    const char* m_pTitle = nullptr;
    std::vector<CWnd*> m_labels;
    std::vector<CWnd*> m_edits;

protected:
    int KindOf(int i) const { return m_pKinds ? static_cast<int>(m_pKinds[i]) : static_cast<int>(kDouble); }
    void OnNcDestroy();

    // What the edits exchange until OK hands it to the caller.
    std::vector<double> m_doubles;
    std::vector<int> m_ints;
    std::vector<CString> m_texts;
    DECLARE_MESSAGE_MAP()
};

class CScrollEdit : public CEditXP {
    DECLARE_DYNAMIC(CScrollEdit)
public:
    void SetText(const char* text);
    // Each bar is shown exactly when the text needs it.
    void UpdateScrollBars();

protected:
    void OnTextChanged();
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
