#pragma once
// The frame-load dialog: type, direction, measure and action of the load the
// frame-load command applies, with its points in a two-column grid (position,
// value), an interpolation between two points or an expression.
#include "analysis/MyDialog.h"
#include "analysis/TableWnd.h"

class CFrameLoadParaDlg : public CMyDialog {
public:
    explicit CFrameLoadParaDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    // The grid's rows as (position, value) pairs; false with a message when
    // a row mixes distances with relative positions, or a cell is no number.
    bool ReadRows(std::vector<double>& x, std::vector<double>& v);
    CTableWnd* Grid() { return &m_grid; }

protected:
    void OnChanged();
    void OnRange(UINT);
    void OnSimpleInput();
    void OnPick();
    void Refresh();
    void FillGrid(int n, const double* x, const double* v);

    int m_type = 0, m_direction = 0, m_measure = 0, m_action = 0, m_interpolate = 0;
    double m_points[2][3] = {};
    float m_values[2] = {};
    CString m_expression;
    int m_count = 0;
    CTableWnd m_grid;
    DECLARE_MESSAGE_MAP()
};
