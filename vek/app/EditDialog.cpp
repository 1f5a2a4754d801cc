#include "vek/app/EditDialog.h"

#include <algorithm>

#include "vek/res/AppDialogsRes.h"

// ---- CEditDialog ----------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CEditDialog, CMyDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CEditDialog, CMyDialog)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()
// clang-format on

namespace {
constexpr int kFirstEdit = 103;
}

CEditDialog::CEditDialog(CWnd* parent) : CMyDialog(IDD_EDIT_DIALOG, parent) {}

CEditDialog::~CEditDialog()
{
    for (CWnd* w : m_labels) delete w;
    for (CWnd* w : m_edits) delete w;
}

void CEditDialog::SetParams(EditSlot* values, const BYTE* kinds, int count, const char* title,
                            const char* const* labels)
{
    m_pValues = values;
    m_pKinds = kinds;
    m_nCount = count;
    m_pTitle = title;
    m_pLabels = labels;
}

BOOL CEditDialog::OnInitDialog()
{
    if (!m_pValues || !m_pLabels || !m_pTitle || m_nCount < 1) return CMyDialog::OnInitDialog();
    const int n = m_nCount;
    m_doubles.assign(n, 0.0);
    m_ints.assign(n, 0);
    m_texts.assign(n, CString());
    for (int i = 0; i < n; ++i) {
        if (KindOf(i) == kInt)
            m_ints[i] = m_pValues[i].i;
        else if (KindOf(i) == kText)
            m_texts[i] = m_pValues[i].text ? *m_pValues[i].text : CString();
        else
            m_doubles[i] = m_pValues[i].d;
    }

    CWnd* ok = GetDlgItem(IDOK);
    CWnd* cancel = GetDlgItem(IDCANCEL);
    CRect okRect(0, 0, 75, 23);
    if (ok) ok->GetWindowRect(&okRect);
    const int buttonW = okRect.Width(), buttonH = okRect.Height();

    // Label column as wide as the widest label (or the OK button), rows as high as the highest.
    CDC* dc = GetDC();
    CFont* old = dc->SelectObject(GetFont());
    int widest = 0, highest = 0;
    for (int i = 0; i < n; ++i) {
        const CSize s = dc->GetTextExtent(CString(m_pLabels[i] ? m_pLabels[i] : ""));
        widest = std::max(widest, static_cast<int>(s.cx));
        highest = std::max(highest, static_cast<int>(s.cy));
    }
    dc->SelectObject(old);
    ReleaseDC(dc);
    const int W = std::max(buttonW, widest) + 20;
    const int H = highest + 6;

    const int width = 7 * H + 34 + W;
    const int height = (H + 2) * n + ::GetSystemMetrics(SM_CYCAPTION) + 45 + buttonH;
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    SetWindowText(m_pTitle);

    int y = 15;
    for (int i = 0; i < n; ++i, y += H + 2) {
        auto* label = new CStatic;
        label->Create(m_pLabels[i] ? m_pLabels[i] : "", WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOPREFIX,
                      CRect(15, y, 15 + W, y + H), this, 0xFFFF);
        label->SetFont(GetFont());
        m_labels.push_back(label);
        auto* edit = new CEditXP;
        edit->CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                       CRect(W + 19, y, W + 19 + 7 * H, y + H), this, static_cast<UINT>(kFirstEdit + i));
        edit->SetFont(GetFont());
        m_edits.push_back(edit);
    }
    const int lastBottom = 15 + (n - 1) * (H + 2) + H;
    const int g = (width - 2 * buttonW) / 3;
    if (ok) ok->SetWindowPos(nullptr, g, lastBottom + 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (cancel) cancel->SetWindowPos(nullptr, buttonW + 2 * g, lastBottom + 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // The tab order: the rows first, then the buttons.
    if (ok && !m_edits.empty()) ok->SetWindowPos(m_edits.back(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (cancel && ok) cancel->SetWindowPos(ok, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    CMyDialog::OnInitDialog();
    CWnd* first = GetDlgItem(kFirstEdit);
    if (first) {
        GotoDlgCtrl(first);
        first->SendMessage(EM_SETSEL, 0, -1);
    }
    return FALSE;
}

void CEditDialog::DoDataExchange(CDataExchange* dx)
{
    CMyDialog::DoDataExchange(dx);
    if (static_cast<int>(m_doubles.size()) < m_nCount) return;
    for (int i = 0; i < m_nCount; ++i) {
        const int id = kFirstEdit + i;
        if (KindOf(i) == kInt)
            DDX_Text(dx, id, m_ints[i]);
        else if (KindOf(i) == kText)
            DDX_Text(dx, id, m_texts[i]);
        else
            DDX_Text(dx, id, m_doubles[i]);
    }
}

void CEditDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    // Every value was taken: only now do the caller's change.
    for (int i = 0; i < m_nCount && i < static_cast<int>(m_doubles.size()); ++i) {
        if (KindOf(i) == kInt)
            m_pValues[i].i = m_ints[i];
        else if (KindOf(i) == kText) {
            if (m_pValues[i].text) *m_pValues[i].text = m_texts[i];
        } else
            m_pValues[i].d = m_doubles[i];
    }
    EndDialog(IDOK);
}

void CEditDialog::OnNcDestroy()
{
    // The rows' windows went with the dialog's children.
    for (CWnd* w : m_labels) delete w;
    for (CWnd* w : m_edits) delete w;
    m_labels.clear();
    m_edits.clear();
    CMyDialog::OnNcDestroy();
}

// ---- CScrollEdit --------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CScrollEdit, CEditXP)

// clang-format off
BEGIN_MESSAGE_MAP(CScrollEdit, CEditXP)
    ON_CONTROL_REFLECT(EN_CHANGE, &CScrollEdit::OnTextChanged)
    ON_WM_SIZE()
END_MESSAGE_MAP()
// clang-format on

void CScrollEdit::SetText(const char* text)
{
    SetWindowText(text ? text : "");
    UpdateScrollBars();
}

void CScrollEdit::OnTextChanged()
{
    UpdateScrollBars();
}

void CScrollEdit::OnSize(UINT type, int cx, int cy)
{
    CEditXP::OnSize(type, cx, cy);
    UpdateScrollBars();
}

void CScrollEdit::UpdateScrollBars()
{
    if (!IsWindow()) return;
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    int total = 0, widest = 0;
    const int lines = GetLineCount();
    for (int i = 0; i < lines; ++i) {
        char line[400];
        const int n = GetLine(i, line, 399);
        SIZE size{0, 0};
        if (n > 0) ::GetTextExtentPoint32A(dc, line, n, &size);
        widest = std::max(widest, static_cast<int>(size.cx));
        total += tm.tmHeight;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    // Twice: a bar shown on the first pass narrows the other dimension.
    for (int pass = 0; pass < 2; ++pass) {
        CRect client;
        GetClientRect(&client);
        ShowScrollBar(SB_VERT, total > client.Height());
        ShowScrollBar(SB_HORZ, widest > client.Width());
    }
}
