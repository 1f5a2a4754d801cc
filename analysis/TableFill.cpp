// The corner buttons of the grid: text import and auto-fill.
#include "analysis/TableFill.h"

#include <climits>

#include "analysis/GridRes.h"
#include "analysis/TableText.h"
#include "analysis/TableWnd.h"

IMPLEMENT_DYNAMIC(CFillTableDlg, CMyDialog)

CFillTableDlg::CFillTableDlg(CWnd* parent) : CMyDialog(IDD_FILL_TABLE, parent) {}

void CFillTableDlg::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    DDX_Radio(dx, IDC_FILL_COPY, m_nFillMode);
    DDX_Text(dx, IDC_FILL_ROWS, m_nRows);
}

namespace {
void Tell(const char* format, const CString& path)
{
    CString text;
    text.Format(format, path.GetString());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

void CTableWnd::ImportTextFile()
{
    CFileDialog dlg(TRUE, "txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING,
                    "ANSI文本文件(*.txt)|*.txt|所有文件(*.*)|*.*||", this);
    if (dlg.DoModal() != IDOK) return;
    const CString path = dlg.GetPathName();
    switch (TableImportText(*this, path.GetString())) {
        case TableImport::CannotOpen: Tell("无法打开文件“%s”。", path); break;
        case TableImport::ReadError: Tell("读取文件“%s”时出错，表格保持原样。", path); break;
        case TableImport::Empty: Tell("文件“%s”中没有内容，表格保持原样。", path); break;
        case TableImport::NoMemory: Tell("内存不足，无法读入文件“%s”，表格保持原样。", path); break;
        case TableImport::Partial: Tell("内存不足，文件“%s”没有全部导入。", path); break;
        case TableImport::Refused:  // the rows were refused and said so
        case TableImport::Done: break;
    }
    Invalidate(TRUE);
}

void CTableWnd::AutoFill()
{
    const int rows = GetRowCount();
    if (rows < 2) {
        AfxMessageBox("实现自动填充功能之前必须至少输入一行的内容！", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CFillTableDlg dlg(this);
    if (dlg.DoModal() != IDOK || dlg.m_nRows < 1) return;
    if (dlg.m_nRows > INT_MAX - rows) {
        TellNoMemory(int64_t(rows) + dlg.m_nRows);
        return;
    }
    if (TableAutoFill(*this, dlg.m_nFillMode, dlg.m_nRows) == TableFill::NoMemory) {
        AfxMessageBox("内存不足，无法填充表格，表格保持原样。", MB_OK | MB_ICONEXCLAMATION);
    }
    Invalidate(TRUE);
}
