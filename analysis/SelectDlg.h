#pragma once
// The step-choice dialog: the solver's steps in running order, each with a
// check the user may clear before the run starts.
#include "analysis/RunDialogBase.h"
#include "analysis/RunQueue.h"

// The check list of the step dialog; its context menu checks and clears lines.
class ANALYSIS_API CMyCheckListBox : public CCheckListBox {
    DECLARE_DYNAMIC(CMyCheckListBox)
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnContextMenu(CWnd* wnd, CPoint pt);
    void OnSelectAll();
    void OnSelectInvert();
    void OnSelectNone();
    void OnSelectBefore();
    void OnSelectAfter();
    void SetChecks(int from, int to, int check);
    // The disabled title at the top of the context menu.
    void MeasureTitle(LPMEASUREITEMSTRUCT mis);
    void DrawTitle(LPDRAWITEMSTRUCT dis);
    HFONT CreateTitleFont();
    DECLARE_MESSAGE_MAP()
};

class ANALYSIS_API CSelectDlg : public CRunDialogBase, public CStepList {
    DECLARE_DYNAMIC(CSelectDlg)
public:
    explicit CSelectDlg(CWnd* parent = nullptr);
    ~CSelectDlg() override;

    CMyCheckListBox m_listSteps;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool m_bFilled = false;
};
