// Toolbar, status bar and dialog bar.
#include "framework/ControlBars.h"
#include "framework/Dialog.h"
#include "framework/DynLink.h"
#include "framework/Frame.h"
#include "framework/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)
IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

// ---- CControlBar ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace {
const int kGripper = 8;
}

LRESULT CControlBar::OnNcHitTest(CPoint pt)
{
    const LRESULT hit = CWnd::OnNcHitTest(pt);
    return hit == HTNOWHERE ? HTCLIENT : hit;
}

void CControlBar::OnNcCalcSize(BOOL calcValid, NCCALCSIZE_PARAMS* params)
{
    CWnd::OnNcCalcSize(calcValid, params);
    if (m_dwStyle & CBRS_GRIPPER) {
        RECT& r = params->rgrc[0];
        if (IsHorzDocked())
            r.left = std::min(r.left + kGripper, r.right);
        else
            r.top = std::min(r.top + kGripper, r.bottom);
    }
}

void CControlBar::OnNcPaint()
{
    CWnd::OnNcPaint();
    if (!(m_dwStyle & CBRS_GRIPPER)) return;
    CWindowDC dc(this);
    CRect r;
    GetWindowRect(&r);
    r.OffsetRect(-r.left, -r.top);
    if (IsHorzDocked())
        r.right = r.left + kGripper;
    else
        r.bottom = r.top + kGripper;
    dc.FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    DrawGripper(&dc, r);
}

DWORD CControlBar::SplitStyle(DWORD style)
{
    m_dwStyle = style & CBRS_ALL;
    return (style & ~CBRS_ALL) | WS_CHILD;
}

void CControlBar::EnableDocking(DWORD dockStyle)
{
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
}

void CControlBar::SetBarStyle(DWORD style)
{
    const DWORD old = m_dwStyle;
    m_dwStyle = style & CBRS_ALL;
    if (old != m_dwStyle) OnBarStyleChange(old, m_dwStyle);
}

BOOL CControlBar::IsVisible() const
{
    // By the bar's own style: a bar of a frame not shown yet is still one to lay out and update.
    return m_hWnd && (GetStyle() & WS_VISIBLE);
}

CSize CControlBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    CRect r;
    if (m_hWnd) GetWindowRect(&r);
    if (stretch) return horz ? CSize(32767, r.Height()) : CSize(r.Width(), 32767);
    return r.Size();
}

CSize CControlBar::CalcDynamicLayout(int, DWORD mode)
{
    return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
}

void CControlBar::DrawGripper(CDC* dc, const CRect& rect)
{
    CRect g = IsHorzDocked() ? CRect(rect.left + 2, rect.top + 2, rect.left + 5, rect.bottom - 2)
                             : CRect(rect.left + 2, rect.top + 2, rect.right - 2, rect.top + 5);
    dc->Draw3dRect(&g, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (IsVisible()) {
        CFrameWnd* target = m_pDockSite ? m_pDockSite : GetParentFrame();
        if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    }
    return 0;
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The bar's own controls first, then the frame it belongs to.
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    CFrameWnd* frame = m_pDockSite ? m_pDockSite : GetParentFrame();
    return frame && frame->OnCommand(wParam, lParam);
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
    CFrameWnd* frame = m_pDockSite ? m_pDockSite : GetParentFrame();
    if (!frame) return FALSE;
    *result = frame->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

void CControlBar::PostNcDestroy()
{
    if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
    if (m_bAutoDelete) delete this;
}

// ---- CToolBar ---------------------------------------------------------------------------------

namespace {

// Update state of one toolbar button.
class CToolCmdUI : public CCmdUI {
public:
    CToolBar* bar = nullptr;
    void Enable(BOOL on) override
    {
        bar->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(on ? 1 : 0, 0));
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override { bar->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(check ? 1 : 0, 0)); }
    void SetText(LPCTSTR) override {}
};

}  // namespace

CToolBar::~CToolBar()
{
    if (m_hbmImages) ::DeleteObject(m_hbmImages);
}

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id)
{
    return CreateEx(parent, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), id);
}

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, CRect borders, UINT id)
{
    m_rectBorders = borders;
    DWORD ws = SplitStyle(style) | ctrlStyle | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_CLIPSIBLINGS;
    if (m_dwStyle & CBRS_TOOLTIPS) ws |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, ws, CRect(0, 0, 100, 30), parent, id)) return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    if (CFrameWnd* frame =
            parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(parent) : nullptr)
        frame->AddControlBar(this);
    return TRUE;
}

void CToolBar::SetSizes(SIZE button, SIZE image)
{
    m_sizeButton = button;
    m_sizeImage = image;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(image.cx, image.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(button.cx, button.cy));
}

void CToolBar::SetHeight(int height)
{
    m_sizeButton.cy = height;
}

namespace {

// The system maps the 3-D greys of a bitmap's colour table only: a bitmap of
// 24 or 32 bits has none, so its greys are mapped here. The button face then
// marks the images' transparent parts, as the toolbar control expects.
void MapTrueColor3D(HBITMAP bmp)
{
    DIBSECTION ds{};
    if (::GetObjectA(bmp, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits ||
        (ds.dsBm.bmBitsPixel != 24 && ds.dsBm.bmBitsPixel != 32))
        return;
    const struct {
        COLORREF grey;
        int sys;
    } map[] = {
        {RGB(128, 128, 128), COLOR_3DSHADOW}, {RGB(192, 192, 192), COLOR_3DFACE}, {RGB(223, 223, 223), COLOR_3DLIGHT}};
    const int step = ds.dsBm.bmBitsPixel / 8;
    for (int y = 0; y < ds.dsBm.bmHeight; ++y) {
        BYTE* row = static_cast<BYTE*>(ds.dsBm.bmBits) + static_cast<size_t>(y) * ds.dsBm.bmWidthBytes;
        for (int x = 0; x < ds.dsBm.bmWidth; ++x) {
            BYTE* p = row + x * step;  // blue, green, red
            for (const auto& m : map) {
                if (p[0] == GetBValue(m.grey) && p[1] == GetGValue(m.grey) && p[2] == GetRValue(m.grey)) {
                    const COLORREF c = ::GetSysColor(m.sys);
                    p[0] = GetBValue(c);
                    p[1] = GetGValue(c);
                    p[2] = GetRValue(c);
                    break;
                }
            }
        }
    }
}

}  // namespace

BOOL CToolBar::LoadBitmap(UINT id)
{
    HBITMAP bmp =
        static_cast<HBITMAP>(::LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_BITMAP), MAKEINTRESOURCEA(id),
                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    if (!bmp) return FALSE;
    MapTrueColor3D(bmp);
    BITMAP bm{};
    ::GetObjectA(bmp, sizeof bm, &bm);
    const int count = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
    TBADDBITMAP add{nullptr, reinterpret_cast<UINT_PTR>(bmp)};
    if (SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&add)) < 0) {
        ::DeleteObject(bmp);
        return FALSE;
    }
    if (m_hbmImages) ::DeleteObject(m_hbmImages);
    m_hbmImages = bmp;
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT id)
{
    // Toolbar resource: version 1, image width, image height, count, then the command ids.
    HINSTANCE inst = AfxFindResourceHandle(MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(241));
    HRSRC res = ::FindResourceA(inst, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(241));
    if (!res) return FALSE;
    const DWORD size = ::SizeofResource(inst, res);
    HGLOBAL mem = ::LoadResource(inst, res);
    const WORD* data = mem ? static_cast<const WORD*>(::LockResource(mem)) : nullptr;
    if (!data || size < 8 || data[0] != 1) return FALSE;
    const WORD width = data[1], height = data[2], count = data[3];
    if (size < 8u + 2u * count || width == 0 || height == 0 || width > 256 || height > 256) return FALSE;
    std::vector<UINT> ids(data + 4, data + 4 + count);
    SetSizes(CSize(width + 7, height + 7), CSize(width, height));
    if (!LoadBitmap(id)) return FALSE;
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count)
{
    while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
    if (!ids || count <= 0) return TRUE;
    std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
    int image = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON& b = buttons[static_cast<size_t>(i)];
        b = TBBUTTON{};
        if (ids[i] == ID_SEPARATOR) {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 6;
        } else {
            b.idCommand = static_cast<int>(ids[i]);
            b.iBitmap = image++;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    const BOOL ok = static_cast<BOOL>(
        SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons.data())));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(m_sizeButton.cx, m_sizeButton.cy));
    return ok;
}

int CToolBar::GetCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

int CToolBar::CommandToIndex(UINT id) const
{
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id));
}

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON b{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return 0;
    return (b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(b.idCommand);
}

void CToolBar::GetItemRect(int index, LPRECT rect) const
{
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

UINT CToolBar::GetButtonStyle(int index) const
{
    TBBUTTON b{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return 0;
    return b.fsStyle | (static_cast<UINT>(b.fsState) << 16);
}

void CToolBar::SetButtonStyle(int index, UINT style)
{
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE | TBIF_BYINDEX;
    info.fsStyle = static_cast<BYTE>(style & 0xFF);
    SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    if (style >> 16) {
        info.dwMask = TBIF_STATE | TBIF_BYINDEX;
        info.fsState = static_cast<BYTE>(style >> 16);
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    }
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const
{
    TBBUTTON b{};
    SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b));
    id = (b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(b.idCommand);
    style = b.fsStyle;
    image = b.iBitmap;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image)
{
    // Replacing the button keeps it simple for separators (whose width is the image).
    TBBUTTON b{};
    b.idCommand = static_cast<int>(id);
    b.fsStyle = static_cast<BYTE>(style);
    b.fsState = (style & TBSTYLE_SEP) ? 0 : TBSTATE_ENABLED;
    b.iBitmap = image;
    SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
    SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b));
}

BOOL CToolBar::SetButtonText(int index, LPCTSTR text)
{
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = const_cast<LPSTR>(text ? text : "");
    return static_cast<BOOL>(
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info)));
}

CString CToolBar::GetButtonText(int index) const
{
    char buf[256] = {};
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = buf;
    info.cchText = sizeof buf;
    SendMessage(TB_GETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    return CString(buf);
}

HIMAGELIST CToolBar::GetImageList() const
{
    return reinterpret_cast<HIMAGELIST>(SendMessage(TB_GETIMAGELIST));
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL horz)
{
    const int n = GetCount();
    // Vertical bars wrap after every button. Each button is read by TB_GETBUTTON
    // through the window procedure, so that a derived bar's DefWindowProc can
    // change what the layout sees (hide a button while the bar is vertical);
    // the state it answers, with the wrap wanted here, goes back to the control.
    std::vector<bool> hidden(static_cast<size_t>(std::max(n, 0)), false);
    for (int i = 0; i < n; ++i) {
        TBBUTTON seen{};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&seen))) continue;
        hidden[static_cast<size_t>(i)] = (seen.fsState & TBSTATE_HIDDEN) != 0;
        const BYTE want =
            horz ? static_cast<BYTE>(seen.fsState & ~TBSTATE_WRAP) : static_cast<BYTE>(seen.fsState | TBSTATE_WRAP);
        TBBUTTONINFOA info{};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_STATE | TBIF_BYINDEX;
        SendMessage(TB_GETBUTTONINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        if (want != info.fsState) {
            info.fsState = want;
            SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        }
    }
    CPoint extent(0, 0);
    for (int i = 0; i < n; ++i) {
        CRect r;
        if (hidden[static_cast<size_t>(i)] ||
            !SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            continue;  // hidden buttons take no room
        extent.x = std::max(extent.x, r.right);
        extent.y = std::max(extent.y, r.bottom);
    }
    const int grip = (m_dwStyle & CBRS_GRIPPER) ? 8 : 0;
    CSize size(horz ? grip + 4 : m_sizeButton.cx + 4, horz ? m_sizeButton.cy + 4 : grip + 4);
    if (horz && extent.x > 0)
        size.cx = grip + extent.x + 4;
    else if (!horz && extent.y > 0)
        size.cy = grip + extent.y + 4;
    return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD mode)
{
    return CalcFixedLayout(FALSE, (mode & LM_HORZ) != 0);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CToolCmdUI ui;
    ui.bar = this;
    ui.m_pOther = this;
    const int n = GetCount();
    ui.m_nIndexMax = static_cast<UINT>(n);
    for (int i = 0; i < n; ++i) {
        const UINT id = GetItemID(i);
        if (id == ID_SEPARATOR) continue;
        ui.m_nIndex = static_cast<UINT>(i);
        ui.m_nID = id;
        ui.DoUpdate(target, disableIfNoHandler);
    }
}

BOOL CToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return CControlBar::OnNotify(wParam, lParam, result);
}

BOOL CToolBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // Fly-by hints: the hot button's hint goes to the frame's message bar.
    if (message == WM_NOTIFY && (m_dwStyle & CBRS_FLYBY)) {
        auto* hot = reinterpret_cast<NMTBHOTITEM*>(lParam);
        if (hot->hdr.code == TBN_HOTITEMCHANGE) {
            if (CFrameWnd* frame = m_pDockSite ? m_pDockSite : GetParentFrame()) {
                const bool none = (hot->dwFlags & HICF_LEAVING) || hot->idNew == 0;
                frame->SendMessage(WM_SETMESSAGESTRING, none ? AFX_IDS_IDLEMESSAGE : static_cast<WPARAM>(hot->idNew));
            }
            return FALSE;  // the frame may still want it
        }
    }
    return CControlBar::OnChildNotify(message, wParam, lParam, result);
}

// ---- CStatusBar -----------------------------------------------------------------------------

namespace {

class CStatusCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;
    void Enable(BOOL on) override
    {
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
        style = on ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
        bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int check) override
    {
        UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex));
        style = check ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT);
        bar->SetPaneStyle(static_cast<int>(m_nIndex), style);
    }
    void SetText(LPCTSTR text) override { bar->SetPaneText(static_cast<int>(m_nIndex), text); }
};

}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    return CreateEx(parent, 0, style, id);
}

BOOL CStatusBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id)
{
    const DWORD ws = SplitStyle(style) | ctrlStyle | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_CLIPSIBLINGS;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, ws, CRect(0, 0, 100, 20), parent, id)) return FALSE;
    if (CFrameWnd* frame =
            parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(parent) : nullptr)
        frame->AddControlBar(this);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    CClientDC dc(this);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    BOOL ok = TRUE;
    for (int i = 0; i < count; ++i) {
        Pane p{ids[i], SBPS_NORMAL, 0, CString()};
        if (p.id == ID_SEPARATOR) {
            p.style = SBPS_NOBORDERS | SBPS_STRETCH;
        } else {
            if (!p.text.LoadString(p.id)) ok = FALSE;
            p.width = dc.GetTextExtent(p.text).cx + 8;
        }
        m_panes.push_back(p);
    }
    if (old) ::SelectObject(dc.m_hDC, old);
    UpdateParts();
    return ok;
}

void CStatusBar::UpdateParts()
{
    if (!m_hWnd || m_panes.empty()) return;
    CRect client;
    GetClientRect(&client);
    int fixed = 0, stretch = 0;
    for (const Pane& p : m_panes) {
        if (p.style & SBPS_STRETCH)
            ++stretch;
        else
            fixed += p.width + 4;
    }
    const int extra = stretch ? std::max(0, (client.Width() - fixed - 16) / stretch) : 0;
    std::vector<int> edges;
    int x = 0;
    for (const Pane& p : m_panes) {
        x += (p.style & SBPS_STRETCH) ? extra : p.width + 4;
        edges.push_back(x);
    }
    edges.back() = -1;  // the last part runs to the edge
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < m_panes.size(); ++i) {
        const Pane& p = m_panes[i];
        UINT type = static_cast<UINT>(i);
        if (p.style & SBPS_NOBORDERS) type |= SBT_NOBORDERS;
        if (p.style & SBPS_POPOUT) type |= SBT_POPOUT;
        SendMessage(SB_SETTEXTA, type, reinterpret_cast<LPARAM>((p.style & SBPS_DISABLED) ? "" : p.text.GetString()));
    }
}

void CStatusBar::OnSize(UINT type, int cx, int cy)
{
    CControlBar::OnSize(type, cx, cy);
    UpdateParts();
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == id) return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const
{
    SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

BOOL CStatusBar::SetPaneText(int index, LPCTSTR text, BOOL update)
{
    if (index < 0 || index >= GetCount()) return FALSE;
    Pane& p = m_panes[static_cast<size_t>(index)];
    const CString t(text);
    if (p.text == t) return TRUE;
    p.text = t;
    if (update && m_hWnd && !(p.style & SBPS_DISABLED)) {
        UINT type = static_cast<UINT>(index);
        if (p.style & SBPS_NOBORDERS) type |= SBT_NOBORDERS;
        if (p.style & SBPS_POPOUT) type |= SBT_POPOUT;
        SendMessage(SB_SETTEXTA, type, reinterpret_cast<LPARAM>(p.text.GetString()));
    }
    return TRUE;
}

CString CStatusBar::GetPaneText(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].text : CString();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    if (index < 0 || index >= GetCount()) return;
    const Pane& p = m_panes[static_cast<size_t>(index)];
    id = p.id;
    style = p.style;
    width = p.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount()) return;
    Pane& p = m_panes[static_cast<size_t>(index)];
    p.id = id;
    p.style = style;
    p.width = width;
    UpdateParts();
}

UINT CStatusBar::GetPaneStyle(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style)
{
    if (index < 0 || index >= GetCount() || m_panes[static_cast<size_t>(index)].style == style) return;
    m_panes[static_cast<size_t>(index)].style = style;
    UpdateParts();
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    // One line of the bar's font with a margin.
    CClientDC dc(this);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICA tm{};
    dc.GetTextMetrics(&tm);
    if (old) ::SelectObject(dc.m_hDC, old);
    return CSize(32767, std::max(20, static_cast<int>(tm.tmHeight) + 8));
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL)
{
    CStatusCmdUI ui;
    ui.bar = this;
    ui.m_pOther = this;
    ui.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        const UINT id = m_panes[static_cast<size_t>(i)].id;
        if (id == ID_SEPARATOR) continue;
        ui.m_nIndex = static_cast<UINT>(i);
        ui.m_nID = id;
        ui.DoUpdate(target, FALSE);
    }
}

// ---- CDialogBar ------------------------------------------------------------------------------

BOOL CDialogBar::Create(CWnd* parent, UINT templateId, UINT style, UINT id)
{
    return Create(parent, MAKEINTRESOURCEA(templateId), style, id);
}

BOOL CDialogBar::Create(CWnd* parent, LPCTSTR templateName, UINT style, UINT id)
{
    m_dwStyle = style & CBRS_ALL;
    HINSTANCE inst = AfxFindResourceHandle(templateName, RT_DIALOG);
    HRSRC res = ::FindResourceA(inst, templateName, MAKEINTRESOURCEA(5));
    HGLOBAL mem = res ? ::LoadResource(inst, res) : nullptr;
    auto* tmpl = mem ? static_cast<LPCDLGTEMPLATE>(::LockResource(mem)) : nullptr;
    if (!tmpl) return FALSE;
    HWND h;
    {
        FwCreateHook hook(this);
        h = ::CreateDialogIndirectParamA(inst, tmpl, GetSafeHwnd(parent), FwDlgProc, 0);
    }
    if (!h) return FALSE;
    if (!(GetStyle() & WS_CHILD)) {
        ModifyStyle(WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_CHILD);
        ::SetParent(h, GetSafeHwnd(parent));
    }
    SetDlgCtrlID(static_cast<int>(id));
    CRect r;
    GetWindowRect(&r);
    m_sizeDefault = r.Size();
    if (style & WS_VISIBLE) ShowWindow(SW_SHOWNA);
    if (parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) static_cast<CFrameWnd*>(parent)->AddControlBar(this);
    return TRUE;
}

LRESULT CDialogBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        UpdateData(FALSE);
        return FALSE;  // a bar does not take the focus
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

CSize CDialogBar::CalcFixedLayout(BOOL stretch, BOOL horz)
{
    if (stretch) return horz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    UpdateDialogControls(target, disableIfNoHandler);
}
