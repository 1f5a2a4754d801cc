#pragma once
// The grid's auto-fill dialog: copy the last row, or continue the series of
// the last two rows, for a number of new rows.
#include "analysis/AnalysisApi.h"
#include "analysis/MyDialog.h"

class ANALYSIS_API CFillTableDlg : public CMyDialog {
    DECLARE_DYNAMIC(CFillTableDlg)
public:
    enum { kCopy = 0, kSeries = 1 };
    explicit CFillTableDlg(CWnd* parent = nullptr);

    int m_nFillMode = kSeries;
    int m_nRows = 1;

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
