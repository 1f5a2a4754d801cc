// The grid towards the user: the active cell and its frame, the cell editor,
// keys, the mouse (cells, row buttons, corner buttons, column edges) and the
// row operations.
#include <cstring>
#include <string>

#include "analysis/TableWnd.h"

namespace {
// Text of the editor kept in a cell, at most this many bytes.
constexpr size_t kCellTextMax = 254;
// A column is never narrower than this while dragged.
constexpr int kMinDragWidth = 25;

bool ShiftDown()
{
    return ::GetKeyState(VK_SHIFT) < 0;
}
}  // namespace

// ---- the cell editor ----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CTableEdit, CEdit)

// clang-format off
BEGIN_MESSAGE_MAP(CTableEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_SHOWWINDOW()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()
// clang-format on

CTableWnd* CTableEdit::Table()
{
    if (!m_pTable) m_pTable = DYNAMIC_DOWNCAST(CTableWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    return m_pTable;
}

void CTableEdit::OnChar(UINT ch, UINT repeat, UINT flags)
{
    CTableWnd* table = Table();
    if (table) {
        switch (ch) {
            case VK_TAB:
                if (ShiftDown())
                    table->MakePreviousCellActive();
                else
                    table->MakeNextCellActive();
                return;
            case VK_RETURN: table->SendMessage(WM_CHAR, VK_RETURN, MAKELPARAM(repeat, flags)); return;
            case VK_ESCAPE: table->EditAccept(0); return;
            default: break;
        }
    }
    if (m_bNumericOnly && !(ch >= '0' && ch <= '9') && !(ch && std::strchr(".eE-+", int(ch))) && ch != VK_BACK) return;
    Default();
    // The editor grows to the right while the text fills it.
    CString text;
    GetWindowText(text);
    int width = 0;
    if (!text.IsEmpty()) {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(GetFont());
        width = dc.GetTextExtent(text).cx;
        dc.SelectObject(old);
        m_nAverageChar = width / text.GetLength();
    }
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= width + 2 * m_nAverageChar) {
        CRect window;
        GetWindowRect(&window);
        SetWindowPos(nullptr, 0, 0, window.Width() + 2 * m_nAverageChar, window.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
}

void CTableEdit::OnShowWindow(BOOL show, UINT status)
{
    CEdit::OnShowWindow(show, status);
    if (show) {
        GetClientRect(&m_rcShown);
        SetFocus();
    }
}

void CTableEdit::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (CTableWnd* table = Table()) {
        switch (ch) {
            case VK_PRIOR: table->PageUp(); break;
            case VK_NEXT: table->PageDown(); break;
            case VK_UP: table->MakeUpperCellActive(); break;
            case VK_DOWN: table->MakeBottomCellActive(); break;
            default: break;
        }
    }
    CEdit::OnKeyDown(ch, repeat, flags);
}

void CTableEdit::OnKillFocus(CWnd* next)
{
    CEdit::OnKillFocus(next);
    CTableWnd* table = Table();
    if (!table || (next && next->m_hWnd == table->m_hWnd)) return;
    table->EditAccept(1);
    table->NotifyKillFocus();
}

// ---- active cell and editing --------------------------------------------------------------

void CTableWnd::EditAccept(int accept)
{
    if (!m_pEdit->m_hWnd || !m_pEdit->IsWindowVisible()) return;
    std::string text;
    if (accept) {
        const int length = m_pEdit->GetWindowTextLength();
        text.resize(size_t(length) + 1);
        const int got = m_pEdit->GetWindowText(&text[0], length + 1);
        text.resize(TableCutLength(text.data(), size_t(got > 0 ? got : 0), kCellTextMax));
    }
    // Hiding the editor gives the focus back to the grid.
    m_pEdit->ShowWindow(SW_HIDE);
    if (accept) SetCellText(m_table.m_nActiveRow, m_table.m_nActiveCol, text.c_str());
    m_pEdit->SetWindowText("");
    InvalidateRect(&m_rcActive, FALSE);
}

void CTableWnd::EditCurrentCell()
{
    if (m_bReadOnly || !CanMark() || m_table.m_nActiveRow < 1 || !m_pEdit->m_hWnd) return;
    const int row = m_table.m_nActiveRow, col = m_table.m_nActiveCol;
    m_pEdit->SetFont(GetCellFont(row, col), TRUE);
    const char* text = GetCellTextPtr(row, col);
    m_pEdit->SetWindowText(text ? text : "");
    m_pEdit->SetSel(0, -1);
    m_pEdit->ShowWindow(SW_SHOW);
}

void CTableWnd::MarkActiveCell(int erase, int draw)
{
    if (!CanMark() || !m_hWnd) return;
    EditAccept(1);
    CClientDC dc(this);
    dc.SelectStockObject(NULL_BRUSH);
    const CTableModel& t = m_table;
    if (erase) {
        if (!t.IsScrolledOut(t.m_nPrevRow, t.m_nPrevCol) && !m_rcActive.IsRectEmpty()) {
            CPen wipe(PS_SOLID, 2, GetCellColor(t.m_nPrevRow, t.m_nPrevCol));
            CPen* old = dc.SelectObject(&wipe);
            dc.Rectangle(m_rcActive.left + 2, m_rcActive.top + 2, m_rcActive.right, m_rcActive.bottom);
            dc.SelectObject(old);
            MarkHeader(0);
        } else if (m_pDefaultFont) {
            // Out of view: nothing to draw, but the headers lose their bold font.
            SetCellFont(t.m_nPrevRow, 0, static_cast<HFONT>(m_pDefaultFont->m_hObject));
            SetCellFont(0, t.m_nPrevCol, static_cast<HFONT>(m_pDefaultFont->m_hObject));
        }
    }
    if (draw && !t.IsScrolledOut(t.m_nActiveRow, t.m_nActiveCol)) {
        m_rcActive = t.CellRect(t.m_nActiveRow, t.m_nActiveCol);
        CPen frame(PS_SOLID, 2, ::GetSysColor(COLOR_WINDOWTEXT));
        CPen* old = dc.SelectObject(&frame);
        dc.Rectangle(m_rcActive.left + 2, m_rcActive.top + 2, m_rcActive.right, m_rcActive.bottom);
        dc.SelectObject(old);
        m_pEdit->SetWindowPos(nullptr, m_rcActive.left + 2, m_rcActive.top + 2, m_rcActive.Width() - 2,
                              m_rcActive.Height() - 2, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
        MarkHeader(1);
    }
}

void CTableWnd::MarkHeader(int mark)
{
    if (!m_hWnd || !m_pDefaultFont || !m_pBoldFont) return;
    const int row = mark ? m_table.m_nActiveRow : m_table.m_nPrevRow;
    const int col = mark ? m_table.m_nActiveCol : m_table.m_nPrevCol;
    CRect rowHeader(0, m_rcActive.top, m_table.GetColWidth(0), m_rcActive.bottom);
    CRect colHeader(m_rcActive.left, 0, m_rcActive.right, m_table.GetRowHeight(0));
    const UINT edge = mark ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    const HFONT font = static_cast<HFONT>((mark ? m_pBoldFont : m_pDefaultFont)->m_hObject);
    CClientDC dc(this);
    dc.DrawEdge(&rowHeader, edge, BF_RECT | BF_MIDDLE);
    dc.DrawEdge(&colHeader, edge, BF_RECT | BF_MIDDLE);
    SetCellFont(row, 0, font);
    SetCellFont(0, col, font);
    DrawCellText(dc, row, 0, rowHeader);
    DrawCellText(dc, 0, col, colHeader);
    RowButtons(dc, rowHeader.top, rowHeader.bottom);
}

// ---- moves ------------------------------------------------------------------------------

void CTableWnd::MakeNextCellActive()
{
    EditAccept(1);
    if (!CanMark()) return;
    const int last = m_table.GetColCount() - 1;
    const int row = m_table.m_nActiveRow, col = m_table.m_nActiveCol;
    CRect client;
    GetClientRect(&client);
    const int next = col + 1 < last ? col + 1 : last;
    const int64_t right = m_table.GetColWidth(0) + m_table.ColsWidth(m_table.Scroll().m_nFirstCol + 1, next + 1);
    if (right > client.right) SendMessage(WM_HSCROLL, SB_LINERIGHT);
    if (col == last) {
        if (row >= m_table.GetRowCount() - 1) return;
        m_table.MoveActive(row + 1, 1);
        MarkActiveCell(1, 1);
        SendMessage(WM_HSCROLL, SB_LEFT);
        const int rowHeight = m_table.GetRowHeight(1) > 0 ? m_table.GetRowHeight(1) : 1;
        if (row + 1 - m_table.Scroll().m_nFirstRow > client.Height() / rowHeight - 2)
            SendMessage(WM_VSCROLL, SB_LINEDOWN);
        return;
    }
    m_table.MoveActive(row, col + 1);
    MarkActiveCell(1, 1);
}

void CTableWnd::MakePreviousCellActive()
{
    EditAccept(1);
    if (!CanMark()) return;
    const int row = m_table.m_nActiveRow, col = m_table.m_nActiveCol;
    const int firstCol = m_table.Scroll().m_nFirstCol;
    if (firstCol != 0 && col >= 2 && firstCol >= col - 2) SendMessage(WM_HSCROLL, SB_LINELEFT);
    if (col != 1) {
        m_table.MoveActive(row, col - 1);
        MarkActiveCell(1, 1);
        return;
    }
    if (row == 1) return;
    m_table.MoveActive(row - 1, m_table.GetColCount() - 1);
    MarkActiveCell(1, 1);
    const int firstRow = m_table.Scroll().m_nFirstRow;
    if (firstRow != 0 && row - 1 >= 2 && row - 1 - firstRow < 3) SendMessage(WM_VSCROLL, SB_LINEUP);
    CRect client;
    GetClientRect(&client);
    if (m_table.GetTotalWidth() > client.Width()) SendMessage(WM_HSCROLL, SB_RIGHT);
}

void CTableWnd::MakeUpperCellActive()
{
    EditAccept(1);
    if (!CanMark()) return;
    const int row = m_table.m_nActiveRow;
    const int firstRow = m_table.Scroll().m_nFirstRow;
    if (firstRow != 0 && row > 1 && row - firstRow < 3) SendMessage(WM_VSCROLL, SB_LINEUP);
    if (row == 1) return;
    m_table.MoveActive(row - 1, m_table.m_nActiveCol);
    MarkActiveCell(1, 1);
}

void CTableWnd::MakeBottomCellActive()
{
    EditAccept(1);
    if (!CanMark()) return;
    const int row = m_table.m_nActiveRow;
    CRect client;
    GetClientRect(&client);
    const int rowHeight = m_table.GetRowHeight(1) > 0 ? m_table.GetRowHeight(1) : 1;
    if (row - m_table.Scroll().m_nFirstRow > client.Height() / rowHeight - 2) SendMessage(WM_VSCROLL, SB_LINEDOWN);
    if (row >= m_table.GetRowCount() - 1) return;
    m_table.MoveActive(row + 1, m_table.m_nActiveCol);
    MarkActiveCell(1, 1);
}

void CTableWnd::PageUp()
{
    EditAccept(1);
    if (!CanMark()) return;
    const int row = m_table.m_nActiveRow - m_table.Scroll().m_nPageRows;
    m_table.MoveActive(row < 1 ? 1 : row, m_table.m_nActiveCol);
    MarkActiveCell(1, 1);
    SendMessage(WM_VSCROLL, SB_PAGEUP);
}

void CTableWnd::PageDown()
{
    EditAccept(1);
    if (!CanMark()) return;
    const int last = m_table.GetRowCount() - 1;
    const int64_t row = int64_t(m_table.m_nActiveRow) + m_table.Scroll().m_nPageRows;
    m_table.MoveActive(row > last ? last : int(row), m_table.m_nActiveCol);
    MarkActiveCell(1, 1);
    SendMessage(WM_VSCROLL, SB_PAGEDOWN);
}

// ---- rows -------------------------------------------------------------------------------

void CTableWnd::TellNoMemory(int64_t rows)
{
    CString text;
    text.Format("内存不足，表格无法改为 %lld 行，表格保持原样。", static_cast<long long>(rows));
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CTableWnd::RowsChanged()
{
    if (!m_hWnd) return;
    // All is drawn again: no old frame is left to wipe.
    m_rcActive.SetRectEmpty();
    AdjustScrollBars();
    Invalidate(TRUE);
}

void CTableWnd::InsertOneRow(int row)
{
    if (row < 0 || row >= m_table.GetRowCount()) return;
    EditAccept(1);
    const TableChange change = m_table.InsertRow(row);
    if (change == TableChange::NoMemory) TellNoMemory(m_table.GetRowCount() + 1);
    if (change == TableChange::Done) RowsChanged();
}

void CTableWnd::DeleteOneRow(int row)
{
    if (m_table.GetRowCount() < 2 || row < 1 || row >= m_table.GetRowCount()) return;
    EditAccept(1);
    if (m_table.DeleteRow(row) == TableChange::Done) RowsChanged();
}

void CTableWnd::ResizeRows(int rows)
{
    if (rows < 1) return;
    EditAccept(1);
    const TableChange change = m_table.ResizeRows(rows);
    if (change == TableChange::NoMemory) TellNoMemory(rows);
    if (change == TableChange::Done) RowsChanged();
}

// ---- keys -------------------------------------------------------------------------------

void CTableWnd::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (!HasDataRows() && ch != VK_INSERT) return;
    switch (ch) {
        case VK_RIGHT: MakeNextCellActive(); break;
        case VK_LEFT: MakePreviousCellActive(); break;
        case VK_UP: MakeUpperCellActive(); break;
        case VK_DOWN: MakeBottomCellActive(); break;
        case VK_PRIOR: PageUp(); break;
        case VK_NEXT: PageDown(); break;
        case VK_INSERT: InsertOneRow(m_table.m_nActiveRow); break;
        case VK_DELETE: DeleteOneRow(m_table.m_nActiveRow); break;
        case VK_F2: EditCurrentCell(); break;
        default: CWnd::OnKeyDown(ch, repeat, flags); break;
    }
}

void CTableWnd::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (!HasDataRows()) return;
    const bool mine = ::GetFocus() == m_hWnd;
    switch (ch) {
        case VK_TAB:
            if (ShiftDown())
                MakePreviousCellActive();
            else
                MakeNextCellActive();
            return;
        case VK_RETURN:
            if (mine) {
                // The dialog's OK; the last parameter names the grid.
                ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, IDOK, LPARAM(GetDlgCtrlID()));
                return;
            }
            if (m_table.m_nActiveRow == m_table.GetRowCount() - 1 && m_table.m_nActiveCol == m_table.GetColCount() - 1)
                InsertOneRow(m_table.m_nActiveRow);
            MakeNextCellActive();
            return;
        case VK_ESCAPE:
            if (mine) ::PostMessageA(::GetParent(m_hWnd), WM_COMMAND, IDCANCEL, 0);
            return;
        default: break;
    }
    if (m_bReadOnly || !m_pEdit->m_hWnd) return;
    // Shown first: it takes the focus, then the character.
    m_pEdit->SetFont(GetCellFont(m_table.m_nActiveRow, m_table.m_nActiveCol), TRUE);
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SendMessage(WM_CHAR, ch, MAKELPARAM(repeat, flags));
}

// ---- mouse ------------------------------------------------------------------------------

void CTableWnd::OnLButtonDown(UINT flags, CPoint pt)
{
    SetFocus();
    const int w = m_table.GetColWidth(0);
    const int h = m_table.GetRowHeight(0);
    if (pt.x < w && pt.y >= h) {
        RowButton(pt);
    } else if (pt.x < w) {
        int left[3], right[3];
        GetCornerButtons(left, right);
        if (pt.x < right[0])
            AutoFill();
        else if (pt.x > left[1] && pt.x < right[1])
            ImportTextFile();
        else if (pt.x > left[2])
            InsertOneRow(m_table.Scroll().m_nFirstRow);
    } else if (pt.y >= h) {
        const int col = m_table.ColAt(pt.x), row = m_table.RowAt(pt.y);
        if (col < 0 || row < 0) return;
        if (row == m_table.m_nActiveRow && col == m_table.m_nActiveCol) {
            EditCurrentCell();
        } else {
            EditAccept(1);
            m_table.MoveActive(row, col);
            MarkActiveCell(1, 1);
        }
        return;
    }
    // The header row, and the header column after its buttons: a column edge.
    EditAccept(1);
    const int c = IsSplitLine(pt.x, pt.y);
    if (c < 0 || m_table.GetColWidth(c) == 0) return;
    m_nResizeCol = c;
    m_nResizeLeft = m_table.ColLeft(c);
    CRect client;
    GetClientRect(&client);
    m_nResizeLimit = client.right;
    m_nLastX = pt.x;
    SetCapture();
    m_bResizing = 1;
}

void CTableWnd::RowButton(CPoint pt)
{
    const int w = m_table.GetColWidth(0);
    const int row = m_table.RowAt(pt.y);
    if (row >= 0 && pt.x < 2 * w / 5)
        DeleteOneRow(row);
    else if (row >= 0 && pt.x > 3 * w / 5)
        InsertOneRow(row);
}

int CTableWnd::IsSplitLine(int x, int y)
{
    return m_table.SplitColumn(x, y);
}

void CTableWnd::OnMouseMove(UINT, CPoint pt)
{
    if (!m_bResizing) return;
    const int width = pt.x - m_nResizeLeft;
    if (width >= kMinDragWidth && pt.x <= m_nResizeLimit) {
        m_table.SetColWidth(m_nResizeCol, width);
        CRect client;
        GetClientRect(&client);
        client.left = m_nResizeLeft;
        InvalidateRect(&client, FALSE);
        UpdateWindow();
    }
    m_nLastX = pt.x;
}

void CTableWnd::OnLButtonUp(UINT, CPoint pt)
{
    if (!m_bResizing) return;
    // Held within the right edge the client had when the drag began.
    const int x = pt.x < m_nResizeLimit ? int(pt.x) : m_nResizeLimit;
    const int width = x - m_nResizeLeft;
    m_table.SetColWidth(m_nResizeCol, width < kMinDragWidth ? kMinDragWidth : width);
    CRect client;
    GetClientRect(&client);
    client.left = m_nResizeLeft;
    InvalidateRect(&client, FALSE);
    EndResize();
    AdjustScrollBars();
}

void CTableWnd::EndResize()
{
    m_bResizing = 0;
    m_nResizeCol = -1;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CTableWnd::OnCaptureChanged(CWnd* wnd)
{
    // A drag the system broke off ends where it stands.
    if (m_bResizing && (!wnd || wnd->m_hWnd != m_hWnd)) {
        m_bResizing = 0;
        m_nResizeCol = -1;
        AdjustScrollBars();
    }
    CWnd::OnCaptureChanged(wnd);
}

BOOL CTableWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (m_bResizing || IsSplitLine(pt.x, pt.y) >= 0) {
            ::SetCursor(m_hResizeCursor);
            return TRUE;
        }
        // Over the editor: its own cursor.
        if (wnd && wnd->m_hWnd == m_pEdit->m_hWnd && m_pEdit->IsWindowVisible()) return FALSE;
    }
    ::SetCursor(m_hArrowCursor);
    return TRUE;
}

void CTableWnd::OnLButtonDblClk(UINT, CPoint pt)
{
    SetFocus();
    const int w = m_table.GetColWidth(0);
    const int h = m_table.GetRowHeight(0);
    if (pt.x < w && pt.y >= h) {
        RowButton(pt);
    } else if (pt.x < w) {
        if (pt.x > 3 * w / 5) InsertOneRow(m_table.Scroll().m_nFirstRow);
    } else if (pt.y >= h) {
        const int col = m_table.ColAt(pt.x), row = m_table.RowAt(pt.y);
        if (col < 0 || row < 0) return;
        if (row != m_table.m_nActiveRow || col != m_table.m_nActiveCol) {
            EditAccept(1);
            m_table.MoveActive(row, col);
            MarkActiveCell(1, 1);
        }
        EditCurrentCell();
    }
}

// ---- focus ------------------------------------------------------------------------------

void CTableWnd::OnSetFocus(CWnd* old)
{
    CWnd::OnSetFocus(old);
    if (old && old->m_hWnd == m_pEdit->m_hWnd) return;
    MarkActiveCell(0, 1);
}

void CTableWnd::OnKillFocus(CWnd* next)
{
    CWnd::OnKillFocus(next);
    if (next && next->m_hWnd == m_pEdit->m_hWnd) return;
    m_table.m_nPrevRow = m_table.m_nActiveRow;
    m_table.m_nPrevCol = m_table.m_nActiveCol;
    MarkActiveCell(1, 0);
    NotifyKillFocus();
}

void CTableWnd::NotifyKillFocus()
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent) return;
    NMHDR nm{};
    nm.hwndFrom = m_hWnd;
    nm.idFrom = UINT_PTR(GetDlgCtrlID());
    nm.code = UINT(NM_KILLFOCUS);
    ::SendMessageA(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}
