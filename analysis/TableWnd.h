#pragma once
// The grid control of the dialogs: a table of text cells under a header row
// and beside a header column, with an in-cell editor, row buttons in the
// header column, column resizing in the header row, auto-fill and text
// import from the corner cell. Its cells and geometry are a CTableModel; the
// window keeps one GDI object per entry of the model's brush and font tables,
// paints, scrolls and takes the user's keys and clicks. Paints, moves, keys
// and scrolls cost the visible cells only.
//
// The dialog bases hand it the keys meant for it: every queued message while
// it has the focus, and Enter, Tab, Esc, Up and Down while its cell editor (a
// child of it) has the focus. Its PreTranslateMessage answers: TRUE when it
// took the message, FALSE to let the message go to the focus window as it is,
// past the dialog's own keys.
//
// Towards its dialog: Enter on the grid is the dialog's OK (WM_COMMAND IDOK
// with the grid's id as the last parameter), Esc its Cancel, and a
// WM_NOTIFY NM_KILLFOCUS tells that the focus has left the grid and its
// editor. The virtual operations are called across the library's boundary:
// their order is part of its interface.
#include "analysis/AnalysisApi.h"
#include "analysis/TableCells.h"
#include "framework/Afx.h"

class CTableWnd;

// The in-cell editor: a child of the grid, shown over the active cell.
class ANALYSIS_API CTableEdit : public CEdit {
    DECLARE_DYNAMIC(CTableEdit)
public:
    explicit CTableEdit(CTableWnd* table = nullptr) : m_pTable(table) {}
    ~CTableEdit() override = default;

    // Set by the owning dialog: only digits, '.', 'e', 'E', '-', '+' and
    // backspace are taken.
    int m_bNumericOnly = 0;

protected:
    CTableWnd* Table();
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnShowWindow(BOOL show, UINT status);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnKillFocus(CWnd* next);

    CRect m_rcShown;         // client rectangle when last shown
    int m_nAverageChar = 0;  // pixels, last measured
    CTableWnd* m_pTable;
    DECLARE_MESSAGE_MAP()
};

class ANALYSIS_API CTableWnd : public CWnd {
    DECLARE_DYNAMIC(CTableWnd)
public:
    typedef CTableBound BOUND;

    // Both counts include the header row and column; at least 1 each.
    CTableWnd(int rows, int cols);
    ~CTableWnd() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    virtual int IsSplitLine(int x, int y);
    virtual int HeightInPixels(int points);
    virtual void GetCellPosition(int index, int& row, int& col);
    virtual int GetCellIndex(int row, int col);
    virtual CTableCell* GetCell(int row, int col);
    virtual CTableCell* GetCell(int index);
    virtual void Paint(CDC& dc, int erase, CRect& update);
    virtual void Draw_ZeroZero(CDC& dc, CRect& update);
    virtual void Draw_ZeroRow(CDC& dc, BOUND& b);
    virtual void Draw_ZeroCol(CDC& dc, BOUND& b);
    virtual void Draw_Contents(CDC& dc, BOUND& b);
    virtual void Draw_Grid(CDC& dc, BOUND& b);
    virtual void DrawCellText(CDC& dc, int row, int col, CRect r);
    virtual void DrawAddOrDelButton(CDC& dc, int left, int top, int right, int bottom, const char* text);
    virtual void AdjustScrollBars();
    virtual void MarkActiveCell(int erase, int draw);
    virtual void MarkHeader(int mark);
    virtual void DeleteOneRow(int row);
    virtual void InsertOneRow(int row);
    // A row count memory cannot hold is refused with a message; the table
    // stays as it was.
    virtual void ResizeRows(int rows);
    virtual void EditAccept(int accept);
    virtual COLORREF GetCellColor(int row, int col);
    virtual int SetCellColor(int row, int col, COLORREF color);
    virtual CBrush* GetCellBrush(int row, int col);
    virtual int SetCellText(int row, int col, const char* text);
    // See TableCellText: a long text is cut at a character boundary.
    virtual int GetCellText(int row, int col, char* buf, int size);
    // Null while the cell has never had a text; a cell set to "" gives "".
    virtual char* GetCellTextPtr(int row, int col);
    virtual int GetRowCount();
    virtual int GetColCount();
    virtual HFONT GetCellFontHandle(int row, int col);
    virtual CFont* GetCellFont(int row, int col);
    virtual int SetCellFont(int row, int col, LOGFONT* lf);
    virtual int SetCellFont(int row, int col, int index);
    virtual int SetCellFont(int row, int col, HFONT font);
    virtual void SetCellAlign(int row, int col, short align);
    virtual short GetCellAlign(int row, int col);
    virtual COLORREF GetCellTextColor(int row, int col);
    virtual void SetCellTextColor(int row, int col, COLORREF color);
    virtual CFont* GetDefaultFont();
    // A visible child with the default window class; fails for a table of
    // fewer than 2 columns.
    virtual BOOL Create(const RECT& rect, CWnd* parent, UINT id);

    void EditCurrentCell();
    void MakeNextCellActive();
    void MakePreviousCellActive();
    void MakeUpperCellActive();
    void MakeBottomCellActive();
    void PageUp();
    void PageDown();

    int GetActiveRow() const { return m_table.m_nActiveRow; }
    int GetActiveCol() const { return m_table.m_nActiveCol; }
    CTableEdit* GetEditor() { return m_pEdit; }
    const CTableModel& GetTable() const { return m_table; }
    // The corner's buttons (auto-fill, text import, row insert): their left
    // and right edges in column 0, each wide enough for its text.
    void GetCornerButtons(int left[3], int right[3]);
    static const char* CornerButtonText(int i);

    // Set by the owning dialog: typing and F2 do not open the editor.
    int m_bReadOnly = 0;
    int m_bGridLines = 1;
    COLORREF m_crBackground;

protected:
    friend class CTableEdit;

    // A grid of the header row alone (for grids made by derived classes).
    CTableWnd() : CTableWnd(1, 2) {}

    // The corner's buttons.
    void ImportTextFile();
    void AutoFill();

    int OnCreate(LPCREATESTRUCT cs);
    void OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnLButtonDown(UINT flags, CPoint pt);
    void OnLButtonUp(UINT flags, CPoint pt);
    void OnMouseMove(UINT flags, CPoint pt);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnLButtonDblClk(UINT flags, CPoint pt);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnEnable(BOOL enable);
    void OnCaptureChanged(CWnd* wnd);

    // The GDI object of a table entry (made when first asked for).
    CBrush* BrushAt(int index);
    CFont* FontAt(int index);
    void Scroll(bool vertical, UINT code);
    void RowButtons(CDC& dc, int top, int bottom);
    // A click on a row header: its "-" deletes the row, its "+" inserts one.
    void RowButton(CPoint pt);
    void NotifyKillFocus();
    // The refusal of a row count memory cannot hold.
    void TellNoMemory(int64_t rows);
    void RowsChanged();
    void EndResize();
    bool CanMark() const { return m_table.GetRowCount() >= 2 && m_table.GetColCount() >= 2; }
    bool HasDataRows() const { return m_table.GetRowCount() >= 2 && m_table.m_nActiveRow != 0; }

    CTableModel m_table;
    CRect m_rcActive;  // the active cell's frame, client coordinates
    int m_bResizing = 0;
    int m_nResizeCol = -1;
    int m_nLastX = -1;
    int m_nResizeLeft = 0;
    int m_nResizeLimit = 0;
    int m_nAdjusting = 0;
    CFont* m_pDefaultFont = nullptr;
    CFont* m_pBoldFont = nullptr;
    CPen* m_pGridPen = nullptr;
    CTableEdit* m_pEdit;
    HCURSOR m_hResizeCursor;
    HCURSOR m_hArrowCursor;
    CTypedPtrArray<CPtrArray, CFont*> m_fonts;
    CTypedPtrArray<CPtrArray, CBrush*> m_brushes;
    DECLARE_MESSAGE_MAP()
};
