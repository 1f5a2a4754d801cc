#pragma once
// The result dialogs: which displacement picture, which force diagram, and
// the result filter.
#include "analysis/MyDialog.h"

struct ResultFilter;

// The eighteen displacement pictures; those the result lacks are grey, and
// with none at all OK is grey and a note says so.
class CDispPicTypeDlg : public CMyDialog {
public:
    explicit CDispPicTypeDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // The picture chosen, 0..17.
    int m_nChoice = 0;
    DECLARE_MESSAGE_MAP()
};

// The force diagram of line members: member kind, force component and
// envelope, and the filter.
class COneDimForceDlg : public CMyDialog {
public:
    explicit COneDimForceDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnKindChanged(UINT id);
    void OnFilter();
    int m_nKind = 0;
    int m_nComponent = 0;
    int m_nEnvelope = 0;
    DECLARE_MESSAGE_MAP()

private:
    void UpdateControls();
    bool m_enabled[4] = {};
};

// The result filter's values; the percentage mode may be barred.
class CFilterDlg : public CMyDialog {
public:
    CFilterDlg(const ResultFilter& filter, bool percentAllowed, CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    int m_bOn = 0;
    int m_nMode = 0;
    float m_fP1 = 90, m_fP2 = 100, m_fLow = 0, m_fHigh = 10;
    DECLARE_MESSAGE_MAP()

private:
    bool m_bPercentAllowed;
};

// The contour's result type (types the result or the model lacks marked and
// skipped), component and envelope.
class CContourOptionDlg : public CMyDialog {
public:
    explicit CContourOptionDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnTypeChanged();
    int m_nKind = 0;  // 1..16
    int m_nComponent = 0;
    int m_nEnvelope = 0;
    DECLARE_MESSAGE_MAP()

private:
    // Moves the type on past invalid ones (once round); false when none is valid.
    bool SkipInvalidType(int from);
    void FillComponents();
};

// Node displacements as numbers: the case (those the result lacks grey, a
// stored one that is missing moves on) and the component, and the filter.
class CDisplacementValueDlg : public CMyDialog {
public:
    explicit CDisplacementValueDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnFilter();
    int m_nKind = 0;  // 0..3
    int m_nComponent = 0;
    DECLARE_MESSAGE_MAP()
};

// The filter dialog over a filter: true on OK (values stored unsorted).
bool EditResultFilter(ResultFilter& filter);
