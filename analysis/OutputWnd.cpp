// The output pane of the run monitor.
#include "analysis/OutputWnd.h"

#include "analysis/AppProfile.h"

#include <cstring>

namespace {

void DescribeFont(LOGFONT& lf, const char* face)
{
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = 32;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

}  // namespace

// ---- COutputWndBase ------------------------------------------------------------------------

COutputWndBase::COutputWndBase()
{
    DescribeFont(m_logFont, "Fixedsys");
    HFONT probe = ::CreateFontIndirectA(&m_logFont);
    if (probe)
        ::DeleteObject(probe);
    else
        DescribeFont(m_logFont, "system");
}

COutputWndBase::~COutputWndBase() = default;

COutputWndBase::COutputWndBase(const COutputWndBase& other)
    : COutputLines(other),
      m_nLineHeight(other.m_nLineHeight),
      m_nTop(other.m_nTop),
      m_nViewLines(other.m_nViewLines),
      m_crText(other.m_crText),
      m_crBackground(other.m_crBackground),
      m_logFont(other.m_logFont)
{
}

COutputWndBase& COutputWndBase::operator=(const COutputWndBase& other)
{
    if (this == &other) return *this;
    COutputLines::operator=(other);
    m_nLineHeight = other.m_nLineHeight;
    m_nTop = other.m_nTop;
    m_nViewLines = other.m_nViewLines;
    m_crText = other.m_crText;
    m_crBackground = other.m_crBackground;
    m_logFont = other.m_logFont;
    m_font.DeleteObject();  // made again from the description when drawn
    return *this;
}

CFont* COutputWndBase::GetPaneFont()
{
    if (!m_font.GetSafeHandle()) m_font.CreateFontIndirect(&m_logFont);
    return &m_font;
}

void COutputWndBase::AddOutpuString(CWnd* pane, WPARAM start, LPARAM end)
{
    const char* first = reinterpret_cast<const char*>(start);
    const char* past = reinterpret_cast<const char*>(end);
    if (first && past && first < past) AddText(first, past);
    ScrollToTheEnd(pane);
}

BOOL COutputWndBase::CopyOutputToClipboard(HWND owner)
{
    const CString text = GetText();
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(text.GetLength()) + 1);
    if (!mem) return FALSE;
    if (void* p = ::GlobalLock(mem)) {
        std::memcpy(p, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
        ::GlobalUnlock(mem);
    }
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(mem);
        return FALSE;
    }
    ::EmptyClipboard();
    const BOOL ok = ::SetClipboardData(CF_TEXT, mem) != nullptr;
    ::CloseClipboard();
    if (!ok) ::GlobalFree(mem);
    return ok;
}

void COutputWndBase::ScrollToTheEnd(CWnd* pane)
{
    if (!pane || !pane->GetSafeHwnd()) return;
    const int position = GetEndPosition(m_nViewLines);
    if (m_nScrollPos != position) {
        m_nScrollPos = position;
        pane->SetScrollPos(SB_VERT, position, TRUE);
    }
    m_nTop = static_cast<short>(m_nLast >= 0 ? GetTopSlot(position, m_nViewLines) : 0);
    Redraw(pane);
}

void COutputWndBase::Redraw(CWnd* pane)
{
    // Fast output repaints the pane a few times a second, not once per chunk:
    // the newest text shows at once when it comes slowly, and soon when it floods.
    const DWORD now = ::GetTickCount();
    if (now - m_dwLastRedraw >= kRedrawMs) {
        m_dwLastRedraw = now;
        if (m_bRedrawDue) pane->KillTimer(kRedrawTimer);
        m_bRedrawDue = FALSE;
        pane->Invalidate(TRUE);
    } else if (!m_bRedrawDue) {
        m_bRedrawDue = TRUE;
        pane->SetTimer(kRedrawTimer, kRedrawMs - (now - m_dwLastRedraw), nullptr);
    }
}

void COutputWndBase::OnRedrawTimer(CWnd* pane)
{
    pane->KillTimer(kRedrawTimer);
    m_bRedrawDue = FALSE;
    m_dwLastRedraw = ::GetTickCount();
    pane->Invalidate(TRUE);
}

void COutputWndBase::SetViewRange(CWnd* pane)
{
    if (!pane || !pane->GetSafeHwnd()) return;
    {
        CClientDC dc(pane);
        CFont* old = dc.SelectObject(GetPaneFont());
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(old);
        m_nLineHeight = static_cast<short>(tm.tmHeight + tm.tmExternalLeading);
    }
    if (m_nLineHeight <= 0) m_nLineHeight = 1;
    CRect client;
    pane->GetClientRect(&client);
    m_nViewLines = static_cast<short>(client.Height() / m_nLineHeight);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 1;
    si.nMax = m_nBufferLines;
    si.nPage = static_cast<UINT>(m_nViewLines);
    pane->SetScrollInfo(SB_VERT, &si, TRUE);
    m_nScrollPos = pane->GetScrollPos(SB_VERT);
    if (m_nTop < 0 || m_nTop > m_nBufferLines - 1) ScrollToTheEnd(pane);
}

void COutputWndBase::OnVScroll(CWnd* pane, UINT code, UINT pos)
{
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    if (!pane->GetScrollInfo(SB_VERT, &si, SIF_ALL)) return;
    int position = si.nPos;
    switch (code) {
        case SB_LINEUP: --position; break;
        case SB_LINEDOWN: ++position; break;
        case SB_PAGEUP: position -= static_cast<int>(si.nPage); break;
        case SB_PAGEDOWN: position += static_cast<int>(si.nPage); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: position = si.nTrackPos; break;
        case SB_TOP: position = si.nMin; break;
        case SB_BOTTOM: position = si.nMax; break;
        default: return;
    }
    (void)pos;
    const int last = GetEndPosition(m_nViewLines);
    if (position > last) position = last;
    if (position < 1) position = 1;
    m_nScrollPos = position;
    pane->SetScrollPos(SB_VERT, position, TRUE);
    m_nTop = static_cast<short>(GetTopSlot(position, m_nViewLines));
    pane->Invalidate(TRUE);
}

void COutputWndBase::OnDraw(CDC* dc)
{
    CFont* old = dc->SelectObject(GetPaneFont());
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_crText);
    int y = 0;
    for (int row = 0; row < m_nViewLines; ++row, y += m_nLineHeight) {
        const int slot = GetRowSlot(m_nTop, row, m_nViewLines);
        if (slot < 0) continue;
        const CString shown = ShownText(GetSlot(slot));
        if (shown.GetLength() > 0) dc->TextOut(10, y, shown);
    }
    dc->SelectObject(old);
}

BOOL COutputWndBase::OnEraseBkgnd(CDC* dc)
{
    CRect box;
    dc->GetClipBox(&box);
    dc->FillSolidRect(&box, m_crBackground);
    return TRUE;
}

void COutputWndBase::ReadProfileSetting(CWinApp* app)
{
    if (!app) return;
    CAppProfile profile(app);
    // A count outside 1..32767 would make no ring; the current one stays.
    const int lines = profile.GetInt("Settings", "BuffLine", kDefaultLines);
    if (lines >= 1 && lines <= kMaxLines) SetBufferLineNum(static_cast<short>(lines));
    m_crText = static_cast<COLORREF>(profile.GetInt("Settings", "TextColor", 255));
    m_crBackground = static_cast<COLORREF>(profile.GetInt("Settings", "BgColor", 0));
    CByteArray font;
    if (profile.GetBinary("Settings", "Font", font) && font.GetSize() == int(sizeof(LOGFONT))) {
        std::memcpy(&m_logFont, font.GetData(), sizeof(LOGFONT));
        m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
        m_font.DeleteObject();
    }
}

void COutputWndBase::WriteProfileSetting(CWinApp* app)
{
    if (!app) return;
    CAppProfile profile(app);
    profile.WriteInt("Settings", "BuffLine", m_nBufferLines);
    profile.WriteInt("Settings", "TextColor", static_cast<int>(m_crText));
    profile.WriteInt("Settings", "BgColor", static_cast<int>(m_crBackground));
    profile.WriteBinary("Settings", "Font", reinterpret_cast<const BYTE*>(&m_logFont), sizeof(LOGFONT));
}

// ---- COutputWnd ----------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(COutputWnd, CWnd)

BEGIN_MESSAGE_MAP(COutputWnd, CWnd)
ON_WM_PAINT()
ON_WM_VSCROLL()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL COutputWnd::Create(const RECT& rect, CWnd* parent, UINT id)
{
    LPCTSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
    return CreateEx(WS_EX_CLIENTEDGE, cls, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, rect, parent, id);
}

void COutputWnd::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

void COutputWnd::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    COutputWndBase::OnVScroll(this, code, pos);
}

BOOL COutputWnd::OnEraseBkgnd(CDC* dc)
{
    return COutputWndBase::OnEraseBkgnd(dc);
}

void COutputWnd::OnTimer(UINT_PTR id)
{
    if (id == kRedrawTimer)
        OnRedrawTimer(this);
    else
        CWnd::OnTimer(id);
}

void COutputWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    SetViewRange(this);
}
