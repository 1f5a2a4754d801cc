#pragma once
// The flat controls: push buttons drawn flat, edit boxes with a thin frame,
// combo boxes drawn flat with their edit part. Colours come from the system
// colours through the flat-look colour arithmetic.
#include "analysis/AnalysisApi.h"
#include "analysis/FlatLook.h"
#include "framework/Afx.h"

class ANALYSIS_API CButtonXP : public CButton {
public:
    CButtonXP() = default;
    ~CButtonXP() override = default;
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    bool IsHot() const { return m_tracker.IsHover(); }

protected:
    void OnMouseMove(UINT flags, CPoint pt);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    BOOL OnEraseBkgnd(CDC* dc);

    CHoverTracker m_tracker;
    DECLARE_MESSAGE_MAP()
};

class ANALYSIS_API CEditXP : public CEdit {
public:
    CEditXP() = default;
    ~CEditXP() override = default;
    // Draws the frame; 1.
    BOOL DrawEdit();

    bool IsMouseOver() const { return m_bMouseOver != 0; }

protected:
    void OnPaint();
    void OnSetFocus(CWnd* old);
    void OnMouseMove(UINT flags, CPoint pt);

    BYTE m_bMouseOver = 0;
    DECLARE_MESSAGE_MAP()
};

class CComboBoxXP;

// The edit part of an editable flat combo box.
class ANALYSIS_API CComboEditXP : public CEdit {
public:
    ~CComboEditXP() override = default;
    CComboBoxXP* m_pCombo = nullptr;

protected:
    void OnKillFocus(CWnd* next);
    void OnMouseMove(UINT flags, CPoint pt);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

class ANALYSIS_API CComboBoxXP : public CComboBox {
    friend class CComboEditXP;

public:
    CComboBoxXP() = default;
    ~CComboBoxXP() override = default;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    bool IsHot() const { return m_tracker.IsHover(); }
    // In a docked bar (a toolbar's combo box), with the focus on it or its edit.
    bool IsActive() const;
    CComboEditXP& GetEditPart() { return m_wndEdit; }

    int m_nListLines = 30;

protected:
    void SetUp();
    void OnMouseMove(UINT flags, CPoint pt);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    LRESULT OnGetDlgCode(WPARAM, LPARAM);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnPaint();

    int m_nSelHeight = -1;      // the selection field's height, read once
    int m_nPendingHeight = -1;  // asked by a resize in progress
    bool m_bCreating = false;
    CComboEditXP m_wndEdit;
    CHoverTracker m_tracker;
    DECLARE_MESSAGE_MAP()
};
