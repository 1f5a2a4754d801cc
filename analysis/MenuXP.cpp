#include "analysis/MenuXP.h"

#include "analysis/BufferDC.h"
#include "analysis/FlatLook.h"

#include <algorithm>
#include <cstring>
#include <vector>

bool CMenuXP::m_Gradient = false;
bool CMenuXP::m_GradientSel = true;
COLORREF CMenuXP::m_GradientStart = RGB(180, 196, 228);
COLORREF CMenuXP::m_GradientEnd = RGB(255, 255, 255);
int CMenuXP::m_GradientWidth = 28;
std::map<UINT, CString> CMenuXP::ms_sCaptions;
std::map<HMENU, CString> CMenuXP::ms_sSubMenuCaptions;
std::map<UINT, CImgDesc> CMenuXP::ms_Images;
std::map<HMENU, CImgDesc> CMenuXP::ms_SubMenuImages;

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

const int kShadow = 4;
const int kScreenMargin = 10;

struct MenuWindow {
    HWND hwnd = nullptr;
    CRect lastFrame;  // window rectangle at 0, 0 when the frame was last drawn
    int x = -65535, y = -65535;
    HBITMAP screen = nullptr;  // what lay under the window, for the shadow
};

std::map<HWND, MenuWindow*> g_windows;
HHOOK g_hook = nullptr;
int g_hookUsers = 0;
CRect g_openItem;
int g_openItemsDrawn = 0;

LRESULT CALLBACK MenuWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

void ForgetScreen(MenuWindow* w)
{
    if (w->screen) ::DeleteObject(w->screen);
    w->screen = nullptr;
}

// Gives the popup its own procedure back and forgets it.
void Release(HWND hwnd)
{
    auto old = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, XPWNDPROP_OLDPROC));
    if (old) {
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        ::RemovePropA(hwnd, XPWNDPROP_OLDPROC);
    }
    auto it = g_windows.find(hwnd);
    if (it != g_windows.end()) {
        ForgetScreen(it->second);
        delete it->second;
        g_windows.erase(it);
    }
    if (g_windows.empty()) g_openItem.SetRectEmpty();
}

void TakeScreen(MenuWindow* w, int x, int y, int cx, int cy)
{
    ForgetScreen(w);
    w->screen = CopyScreenRect(CRect(x, y, x + cx + kScreenMargin, y + cy + kScreenMargin));
}

void DrawShadow(HDC dc, const MenuWindow* w, int width, int height)
{
    if (!w->screen || width <= kShadow || height <= kShadow) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC mem = ::CreateCompatibleDC(dc);
    HBITMAP dib = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC src = ::CreateCompatibleDC(dc);
    if (mem && dib && src) {
        HGDIOBJ oldDib = ::SelectObject(mem, dib);
        HGDIOBJ oldSrc = ::SelectObject(src, w->screen);
        ::BitBlt(mem, 0, 0, width, height, src, 0, 0, SRCCOPY);
        ::GdiFlush();
        auto* px = static_cast<uint32_t*>(bits);
        ShadeStrip(px, width, width - kShadow, kShadow, height - kShadow, true);
        ShadeStrip(px, width, kShadow, height - kShadow, width - kShadow, false);
        ::BitBlt(dc, width - kShadow, 0, kShadow, height, mem, width - kShadow, 0, SRCCOPY);
        ::BitBlt(dc, 0, height - kShadow, width, kShadow, mem, 0, height - kShadow, SRCCOPY);
        ::SelectObject(src, oldSrc);
        ::SelectObject(mem, oldDib);
    }
    if (src) ::DeleteDC(src);
    if (dib) ::DeleteObject(dib);
    if (mem) ::DeleteDC(mem);
}

// The flat frame (and the shadow) of a popup-menu window, in window coordinates.
void DrawFrame(HWND hwnd, HDC dc, const MenuWindow* w)
{
    CRect window;
    ::GetWindowRect(hwnd, &window);
    const int width = window.Width(), height = window.Height();
    const bool shadow = DrawsOwnMenuShadow();
    CRect frame(0, 0, width, height);
    if (shadow) {
        frame.right -= kShadow;
        frame.bottom -= kShadow;
    }
    CDC* cdc = CDC::FromHandle(dc);
    CBrushSelector hollow(*cdc, CLR_NONE);
    CPenSelector pen(*cdc, ::GetSysColor(COLOR_3DDKSHADOW));
    cdc->Rectangle(&frame);
    pen.Color(FlatColor(COLOR_BTNFACE, 75));
    CRect inner = frame;
    for (int i = 0; i < 2; ++i) {
        inner.DeflateRect(1, 1);
        cdc->Rectangle(&inner);
    }
    if (!g_openItem.IsRectEmpty() && std::abs(g_openItem.bottom - window.top) <= 1) {
        // The open menu-bar item and the popup under it are one shape.
        const int from = std::max(1, static_cast<int>(g_openItem.left - window.left + 1));
        const int to =
            std::min(static_cast<int>(frame.right - 1), static_cast<int>(g_openItem.right - window.left - 1));
        if (from < to) {
            pen.Color(FlatColor(COLOR_BTNFACE, 20));
            cdc->MoveTo(from, 0);
            cdc->LineTo(to, 0);
        }
    }
    if (shadow) DrawShadow(dc, w, width, height);
}

void Subclass(HWND hwnd)
{
    MenuWindow*& w = g_windows[hwnd];
    if (!w) {
        w = new MenuWindow;
        w->hwnd = hwnd;
    }
    if (::GetPropA(hwnd, XPWNDPROP_OLDPROC)) return;
    const LONG_PTR old = ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    ::SetPropA(hwnd, XPWNDPROP_OLDPROC, reinterpret_cast<HANDLE>(old));
    if (!::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWndProc)))
        ::RemovePropA(hwnd, XPWNDPROP_OLDPROC);
}

// A hook on window creation, not on every sent message: under Wine a hook
// that sees each message costs the whole program a trip to the server per
// message, which made laying out the toolbars take seconds.
LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        char cls[16] = {};
        ::GetClassNameA(hwnd, cls, sizeof cls);
        HWND foreground = ::GetForegroundWindow();
        if (std::strcmp(cls, "#32768") == 0 && foreground && ::GetPropA(foreground, XPWNDPROP_MENUXP)) Subclass(hwnd);
    }
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

LRESULT CALLBACK MenuWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto old = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, XPWNDPROP_OLDPROC));
    if (!old) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    auto found = g_windows.find(hwnd);
    MenuWindow* w = found == g_windows.end() ? nullptr : found->second;
    if (!w) return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
    const bool shadow = DrawsOwnMenuShadow();
    switch (message) {
        case WM_ERASEBKGND:
            if (!::IsWindowVisible(hwnd)) {
                CRect r;
                ::GetWindowRect(hwnd, &r);
                TakeScreen(w, r.left, r.top, r.Width(), r.Height());
            }
            break;
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (shadow && !(pos->flags & SWP_NOSIZE)) {
                pos->cx += kShadow;
                pos->cy += kShadow;
            }
            if (!(pos->flags & SWP_NOMOVE)) {
                pos->y -= 1;
                w->x = pos->x;
                w->y = pos->y;
            }
            if (shadow && (pos->flags & SWP_SHOWWINDOW) && !::IsWindowVisible(hwnd)) {
                // Some systems paint the popup only once it shows: what lies
                // under it is taken now.
                CRect r;
                ::GetWindowRect(hwnd, &r);
                const int x = (pos->flags & SWP_NOMOVE) ? r.left : pos->x;
                const int y = (pos->flags & SWP_NOMOVE) ? r.top : pos->y;
                const int cx = (pos->flags & SWP_NOSIZE) ? r.Width() : pos->cx;
                const int cy = (pos->flags & SWP_NOSIZE) ? r.Height() : pos->cy;
                TakeScreen(w, x, y, cx, cy);
            }
            break;
        }
        case WM_NCCALCSIZE: {
            const LRESULT r = ::CallWindowProcA(old, hwnd, message, wParam, lParam);
            if (shadow) {
                auto* rc = reinterpret_cast<RECT*>(lParam);  // the first rectangle either way
                rc->right -= kShadow;
                rc->bottom -= kShadow;
            }
            return r;
        }
        case WM_NCPAINT: {
            CRect r;
            ::GetWindowRect(hwnd, &r);
            w->x = r.left;
            w->y = r.top;
            r.OffsetRect(-r.left, -r.top);
            if (r == w->lastFrame) return 0;
            w->lastFrame = r;
            HDC dc = ::GetWindowDC(hwnd);
            DrawFrame(hwnd, dc, w);
            ::ReleaseDC(hwnd, dc);
            return 0;
        }
        case WM_PAINT: {
            // Some systems draw their own border inside the client: ours goes over it.
            const LRESULT r = ::CallWindowProcA(old, hwnd, message, wParam, lParam);
            HDC dc = ::GetWindowDC(hwnd);
            DrawFrame(hwnd, dc, w);
            ::ReleaseDC(hwnd, dc);
            return r;
        }
        case WM_PRINT: {
            const LRESULT r = ::CallWindowProcA(old, hwnd, message, wParam, lParam);
            DrawFrame(hwnd, reinterpret_cast<HDC>(wParam), w);
            return r;
        }
        case WM_SHOWWINDOW:
            if (!wParam) {
                Release(hwnd);
                return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
            }
            break;
        case WM_NCDESTROY: Release(hwnd); return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
        default: break;
    }
    return ::CallWindowProcA(old, hwnd, message, wParam, lParam);
}

// pos: the item's position, or -1 to name it by its command.
CString CaptionOf(HMENU menu, int pos, UINT id, HMENU sub)
{
    if (sub) {
        auto it = CMenuXP::ms_sSubMenuCaptions.find(sub);
        return it == CMenuXP::ms_sSubMenuCaptions.end() ? CString() : it->second;
    }
    auto it = CMenuXP::ms_sCaptions.find(id);
    if (it != CMenuXP::ms_sCaptions.end()) return it->second;
    char text[256] = {};
    if (pos >= 0)
        ::GetMenuStringA(menu, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
    else
        ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return CString(text);
}

CString BeforeTab(const CString& s)
{
    const int tab = s.Find('\t');
    return tab < 0 ? s : s.Left(tab);
}

CString AfterTab(const CString& s)
{
    const int tab = s.Find('\t');
    return tab < 0 ? CString() : s.Mid(tab + 1);
}

COLORREF GradientColor(COLORREF c, int lighter)
{
    return c == 0xFFFFFFFF ? FlatColor(COLOR_BTNFACE, lighter) : c;
}

void FillGradient(CDC& dc, const CRect& r, COLORREF from, COLORREF to)
{
    if (from == to) {
        dc.FillSolidRect(&r, from);
        return;
    }
    const int dr = GetRValue(to) - GetRValue(from), dg = GetGValue(to) - GetGValue(from),
              db = GetBValue(to) - GetBValue(from);
    const int n = std::max({std::abs(dr), std::abs(dg), std::abs(db)});
    const int w = r.Width();
    int done = 0;
    for (int i = 0; i < n; ++i) {
        const int x0 = i * w / n, x1 = (i + 1) * w / n;
        if (x1 <= x0) continue;
        dc.FillSolidRect(r.left + x0, r.top, x1 - x0, r.Height(),
                         RGB(GetRValue(from) + i * dr / n, GetGValue(from) + i * dg / n, GetBValue(from) + i * db / n));
        done = x1;
    }
    if (done < w) dc.FillSolidRect(r.left + done, r.top, w - done, r.Height(), to);
}

// The system's check mark, in one colour.
void DrawCheckMark(CDC& dc, const CRect& r, COLORREF color)
{
    const int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0) return;
    CDC mem;
    mem.CreateCompatibleDC(&dc);
    CBitmap bmp;
    bmp.CreateBitmap(w, h, 1, 1, nullptr);
    CBitmap* old = mem.SelectObject(&bmp);
    CRect box(0, 0, w, h);
    mem.DrawFrameControl(&box, DFC_MENU, DFCS_MENUCHECK);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mem.GetPixel(x, y) == RGB(0, 0, 0)) dc.SetPixel(r.left + x, r.top + y, color);
    mem.SelectObject(old);
}

// The item being drawn: by its command first (an item far down a long menu
// costs no more than the first), else by walking the items; pos is -1 when
// it was found by command.
bool FindItem(HMENU menu, UINT itemId, ULONG_PTR data, int& pos, MENUITEMINFOA& info)
{
    info = MENUITEMINFOA{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    if (::GetMenuItemInfoA(menu, itemId, FALSE, &info) && !info.hSubMenu && info.wID == itemId &&
        info.dwItemData == data) {
        pos = -1;
        return true;
    }
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        info = MENUITEMINFOA{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        const bool same =
            info.hSubMenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu)) == itemId || info.wID == itemId
                          : info.wID == itemId;
        if (same && info.dwItemData == data) {
            pos = i;
            return true;
        }
    }
    return false;
}

}  // namespace

// ---- the hook and the look ----------------------------------------------------------

void CMenuXP::InitializeHook()
{
    ++g_hookUsers;
    if (!g_hook)
        g_hook =
            ::SetWindowsHookExA(WH_CBT, HookProc, reinterpret_cast<HINSTANCE>(&__ImageBase), ::GetCurrentThreadId());
}

void CMenuXP::UninitializeHook()
{
    if (g_hookUsers > 0) --g_hookUsers;
    if (g_hookUsers > 0) return;
    std::vector<HWND> open;
    for (auto& kv : g_windows) open.push_back(kv.first);
    for (HWND h : open) Release(h);
    g_windows.clear();
    if (g_hook) ::UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}

bool CMenuXP::IsHookInstalled()
{
    return g_hook != nullptr;
}

void CMenuXP::SetXPLookNFeel(CWnd* wnd, bool on)
{
    if (!wnd || !wnd->m_hWnd) return;
    if (on)
        ::SetPropA(wnd->m_hWnd, XPWNDPROP_MENUXP, reinterpret_cast<HANDLE>(1));
    else
        ::RemovePropA(wnd->m_hWnd, XPWNDPROP_MENUXP);
}

bool CMenuXP::GetXPLookNFeel(const CWnd* wnd)
{
    return wnd && wnd->m_hWnd && ::GetPropA(wnd->m_hWnd, XPWNDPROP_MENUXP) != nullptr;
}

void CMenuXP::UpdateMenuBar(CWnd* wnd)
{
    if (!GetXPLookNFeel(wnd)) return;
    HMENU bar = ::GetMenu(wnd->m_hWnd);
    if (!bar) return;
    SetXPLookNFeel(wnd, bar, true, true);
    ::DrawMenuBar(wnd->m_hWnd);
}

bool CMenuXP::IsOwnerDrawn(HMENU menu)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return menu && ::GetMenuItemInfoA(menu, 0, TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}

void CMenuXP::SetXPLookNFeel(CWnd* wnd, HMENU menu, bool on, bool menuBar)
{
    if (!on || !menu) return;
    for (auto it = ms_sSubMenuCaptions.begin(); it != ms_sSubMenuCaptions.end();)
        it = ::IsMenu(it->first) ? std::next(it) : ms_sSubMenuCaptions.erase(it);
    for (auto it = ms_SubMenuImages.begin(); it != ms_SubMenuImages.end();)
        it = ::IsMenu(it->first) ? std::next(it) : ms_SubMenuImages.erase(it);

    CWnd* main = AfxGetMainWnd();
    HWND measureWnd = main && main->m_hWnd ? main->m_hWnd : (wnd ? wnd->m_hWnd : nullptr);
    HDC dc = ::GetDC(measureWnd);
    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    const int itemHeight = std::max(16, static_cast<int>(tm.tmHeight) + 2) + 4;
    const int sepHeight = tm.tmHeight / 2 + 2;

    // The images of a popup's items come from the frame's toolbars.
    const std::vector<CControlBar*>* bars = nullptr;
    if (!menuBar && wnd) {
        CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, wnd);
        if (!frame || frame->m_listControlBars.empty()) frame = wnd->GetParentFrame();
        if (frame && !frame->m_listControlBars.empty()) bars = &frame->m_listControlBars;
    }

    const int n = ::GetMenuItemCount(menu);
    std::vector<bool> separator(static_cast<size_t>(std::max(n, 0)), false);
    int widestCaption = 0, widestShortcut = 0;
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        const bool isSeparator = (info.fType & MFT_SEPARATOR) != 0;
        separator[static_cast<size_t>(i)] = isSeparator;
        if (!(info.fType & MFT_OWNERDRAW) && !(menuBar && (info.fType & MFT_BITMAP))) {
            MENUITEMINFOA set{};
            set.cbSize = sizeof set;
            set.fMask = MIIM_FTYPE;
            set.fType = info.fType | MFT_OWNERDRAW;
            ::SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &set);
            if (menuBar) {
                CRect r;
                ::DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
                set.fMask = MIIM_DATA;
                set.dwItemData = static_cast<ULONG_PTR>(r.Width()) << 16;
                ::SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &set);
            }
        }
        if (isSeparator) continue;
        if (text[0]) {
            if (info.hSubMenu)
                ms_sSubMenuCaptions[info.hSubMenu] = text;
            else
                ms_sCaptions[info.wID] = text;
        }
        if (bars) {
            for (CControlBar* bar : *bars) {
                char cls[32] = {};
                if (!bar->m_hWnd || !::GetClassNameA(bar->m_hWnd, cls, sizeof cls) ||
                    lstrcmpiA(cls, TOOLBARCLASSNAMEA) != 0)
                    continue;
                TBBUTTONINFOA tb{};
                tb.cbSize = sizeof tb;
                tb.dwMask = TBIF_IMAGE | TBIF_COMMAND;
                if (::SendMessageA(bar->m_hWnd, TB_GETBUTTONINFOA, info.wID, reinterpret_cast<LPARAM>(&tb)) < 0 ||
                    tb.iImage < 0)
                    continue;
                CImgDesc image;
                image.m_hImgList = reinterpret_cast<HIMAGELIST>(::SendMessageA(bar->m_hWnd, TB_GETIMAGELIST, 0, 0));
                image.m_nIndex = tb.iImage;
                if (!image.m_hImgList) continue;
                if (info.hSubMenu)
                    ms_SubMenuImages[info.hSubMenu] = image;
                else
                    ms_Images[info.wID] = image;
                break;
            }
        }
        if (!menuBar) {
            const CString caption = CaptionOf(menu, i, info.wID, info.hSubMenu);
            CString before = BeforeTab(caption);
            const int amp = before.Find('&');
            if (amp >= 0) before = before.Left(amp) + before.Mid(amp + 1);
            const CString shortcut = AfterTab(caption);
            HFONT bold = nullptr;
            HGDIOBJ prev = nullptr;
            if (info.fState & MFS_DEFAULT) {
                LOGFONTA lf{};
                ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
                lf.lfWeight = FW_BOLD;
                bold = ::CreateFontIndirectA(&lf);
                prev = ::SelectObject(dc, bold);
            }
            SIZE sz{};
            ::GetTextExtentPoint32A(dc, before, before.GetLength(), &sz);
            widestCaption = std::max(widestCaption, static_cast<int>(sz.cx));
            ::GetTextExtentPoint32A(dc, shortcut, shortcut.GetLength(), &sz);
            widestShortcut = std::max(widestShortcut, static_cast<int>(sz.cx));
            if (bold) {
                ::SelectObject(dc, prev);
                ::DeleteObject(bold);
            }
        }
    }
    if (!menuBar) {
        for (int i = 0; i < n; ++i) {
            MENUITEMINFOA set{};
            set.cbSize = sizeof set;
            set.fMask = MIIM_DATA;
            set.dwItemData = separator[static_cast<size_t>(i)]
                                 ? static_cast<ULONG_PTR>(sepHeight)
                                 : static_cast<ULONG_PTR>(itemHeight & 0xFF) |
                                       (static_cast<ULONG_PTR>(std::min(widestShortcut, 255)) << 8) |
                                       (static_cast<ULONG_PTR>(widestCaption & 0xFFFF) << 16);
            ::SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &set);
        }
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(measureWnd, dc);
}

// ---- measuring, drawing and mnemonics -------------------------------------------------

void CMenuXP::OnMeasureItem(MEASUREITEMSTRUCT* mis)
{
    if (!mis || mis->CtlType != ODT_MENU) return;
    const ULONG_PTR data = mis->itemData;
    const UINT height = data & 0xFF;
    const UINT caption = (data >> 16) & 0xFFFF, shortcut = (data >> 8) & 0xFF;
    mis->itemHeight = height;
    mis->itemWidth = height ? caption + shortcut + 33 : caption + 4;
}

bool CMenuXP::OnDrawItem(DRAWITEMSTRUCT* dis, HWND wnd)
{
    if (!dis || dis->CtlType != ODT_MENU) return false;
    HMENU menu = reinterpret_cast<HMENU>(dis->hwndItem);
    int pos = -1;
    MENUITEMINFOA info{};
    const bool found = FindItem(menu, dis->itemID, dis->itemData, pos, info);
    if (!found) {
        info = MENUITEMINFOA{};
        info.wID = dis->itemID;
    }
    const bool menuBar = (dis->itemData & 0xFF) == 0;
    const UINT state = dis->itemState;
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool disabled = (state & ODS_GRAYED) && (state & ODS_DISABLED);
    const bool inactive = (state & ODS_INACTIVE) != 0;
    const bool hotlight = (state & ODS_HOTLIGHT) != 0;
    const bool checked = (state & ODS_CHECKED) != 0;
    const bool isSeparator = (info.fType & MFT_SEPARATOR) != 0;
    const CString caption = found ? CaptionOf(menu, pos, info.wID, info.hSubMenu) : CString();
    CImgDesc image;
    if (info.hSubMenu) {
        auto it = ms_SubMenuImages.find(info.hSubMenu);
        if (it != ms_SubMenuImages.end()) image = it->second;
    } else {
        auto it = ms_Images.find(info.wID);
        if (it != ms_Images.end()) image = it->second;
    }

    const CRect item(dis->rcItem);
    CBufferDC dc(dis->hDC, &item);
    CStockSelector font(dc, DEFAULT_GUI_FONT);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const bool gradient = m_Gradient && BitsPerPixel(dis->hDC) > 8;
    const COLORREF gradStart = GradientColor(m_GradientStart, 20), gradEnd = GradientColor(m_GradientEnd, 75);

    // 1. The background.
    if (menuBar && selected) {
        CRect open = item;
        open.right -= kShadow;
        {
            CPenSelector pen(dc, ::GetSysColor(COLOR_3DDKSHADOW));
            CBrushSelector brush(dc, FlatColor(COLOR_BTNFACE, 20));
            dc.Rectangle(&open);
        }
        dc.FillSolidRect(open.right, item.top, kShadow, item.Height(), ::GetSysColor(COLOR_BTNFACE));
        if (DrawsOwnMenuShadow())
            ForEachShadowPixel(open.right, item.top + kShadow, item.Height() - kShadow, true,
                               [&](int x, int y, int k) { dc.SetPixel(x, y, ShadeColor(dc.GetPixel(x, y), k)); });
        CRect window;
        ::GetWindowRect(wnd, &window);
        g_openItem = open;
        g_openItem.OffsetRect(window.left, window.top);
        CWnd* main = AfxGetMainWnd();
        if (main && main->m_hWnd && ::IsChild(main->m_hWnd, wnd)) g_openItem.OffsetRect(1, 0);
        ++g_openItemsDrawn;
    } else if (selected || (hotlight && !inactive)) {
        const COLORREF fill = disabled ? FlatColor(COLOR_BTNFACE, 73) : HLS_TRANSFORM(highlight, 70, -57);
        CPenSelector pen(dc, highlight);
        CBrushSelector brush(dc, fill);
        if (menuBar) {
            CRect r = item;
            r.right -= kShadow;
            dc.Rectangle(&r);
            dc.FillSolidRect(r.right, item.top, kShadow, item.Height(), ::GetSysColor(COLOR_BTNFACE));
        } else if (gradient && m_GradientSel) {
            FillGradient(dc, item, disabled ? fill : gradStart, gradEnd);
            brush.Color(CLR_NONE);
            dc.Rectangle(&item);
        } else {
            dc.Rectangle(&item);
        }
    } else if (menuBar) {
        dc.FillSolidRect(&item, ::GetSysColor(COLOR_BTNFACE));
    } else if (gradient) {
        CRect column = item;
        column.right = column.left + m_GradientWidth;
        FillGradient(dc, column, gradStart, gradEnd);
        dc.FillSolidRect(column.right, item.top, item.right - column.right, item.Height(), gradEnd);
    } else {
        dc.FillSolidRect(item.left, item.top, 21, item.Height(), FlatColor(COLOR_BTNFACE, 20));
        dc.FillSolidRect(item.left + 21, item.top, item.Width() - 21, item.Height(), FlatColor(COLOR_BTNFACE, 75));
    }

    // 2. A separator is a line and nothing more.
    if (isSeparator) {
        CPenSelector pen(dc, FlatColor(COLOR_BTNFACE, -18));
        const int y = item.top + item.Height() / 2;
        dc.MoveTo(item.left + 25, y);
        dc.LineTo(item.right - 1, y);
        return true;
    }

    // 3. The caption and the shortcut.
    const CString before = BeforeTab(caption), shortcut = AfterTab(caption);
    if (!before.IsEmpty()) {
        COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
        if (inactive)
            text = ::GetSysColor(COLOR_BTNSHADOW);
        else if (disabled)
            text = FlatColor(COLOR_BTNFACE, -18);
        font.TextColor(text);
        dc.SetBkMode(TRANSPARENT);
        UINT prefix = 0;
        BOOL cues = TRUE;
        if ((state & ODS_NOACCEL) && ::SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0) && !cues)
            prefix = DT_HIDEPREFIX;
        if (menuBar) {
            CRect r = item;
            r.right -= kShadow;
            dc.DrawText(before, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | prefix);
        } else {
            CBoldSelector bold(dc, (state & ODS_DEFAULT) != 0);
            CRect r(item.left + 25, item.top, item.right, item.bottom);
            dc.DrawText(before, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | prefix);
            if (!shortcut.IsEmpty()) {
                CRect s(item.left, item.top, item.right - 8, item.bottom);
                dc.DrawText(shortcut, &s, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | prefix);
            }
        }
    }
    if (menuBar) return true;

    // 4. The box of a checked item.
    if (checked) {
        COLORREF fill = HLS_TRANSFORM(highlight, 70, -57);
        if (disabled)
            fill = FlatColor(COLOR_BTNFACE, 73);
        else if (selected)
            fill = HLS_TRANSFORM(highlight, 50, -50);
        CPenSelector pen(dc, highlight);
        CBrushSelector brush(dc, fill);
        dc.Rectangle(item.left + 1, item.top + 2, item.left + 19, item.bottom - 1);
    }

    // 5. The image.
    if (image.m_hImgList && image.m_nIndex != -1) {
        if (disabled) {
            DrawSilhouette(dc, image.m_hImgList, image.m_nIndex, item.left + 3, item.top + 3,
                           FlatColor(COLOR_BTNFACE, -27));
        } else if (selected && !checked) {
            DrawSilhouette(dc, image.m_hImgList, image.m_nIndex, item.left + 4, item.top + 4,
                           HLS_TRANSFORM(highlight, 50, -66));
            ImageList_Draw(image.m_hImgList, image.m_nIndex, dc.m_hDC, item.left + 2, item.top + 2, ILD_TRANSPARENT);
        } else {
            ImageList_Draw(image.m_hImgList, image.m_nIndex, dc.m_hDC, item.left + 3, item.top + 3, ILD_TRANSPARENT);
        }
    } else if (checked) {
        // 6. The check mark of an item without an image.
        const CRect mark(item.left + 2, item.top + 3, item.left + 18, item.bottom - 2);
        const COLORREF color = disabled ? FlatColor(COLOR_BTNFACE, -27) : ::GetSysColor(COLOR_MENUTEXT);
        if (info.fType & MFT_RADIOCHECK) {
            const CPoint c = mark.CenterPoint();
            CPenSelector pen(dc, color);
            CBrushSelector brush(dc, color);
            dc.Ellipse(c.x - 3, c.y - 3, c.x + 4, c.y + 4);
        } else {
            DrawCheckMark(dc, mark, color);
        }
    }
    return true;
}

LRESULT CMenuXP::OnMenuChar(HMENU menu, UINT ch, UINT flags)
{
    const bool popup = (flags & MF_POPUP) && !(flags & MF_SYSMENU);
    if (!popup && flags != 0) return 0;
    const char key = static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
        CString caption = BeforeTab(CaptionOf(menu, i, info.wID, info.hSubMenu));
        caption.MakeUpper();
        for (int at = caption.GetLength() - 2; at >= 0; --at) {
            if (caption[at] == '&' && caption[at + 1] == key && (at == 0 || caption[at - 1] != '&'))
                return static_cast<LRESULT>(i) | (static_cast<LRESULT>(MNC_EXECUTE) << 16);
        }
    }
    return 0;
}

void CMenuXP::SetMenuItemImage(UINT id, HIMAGELIST images, int index)
{
    CImgDesc image;
    image.m_hImgList = images;
    image.m_nIndex = index;
    ms_Images[id] = image;
}

void CMenuXP::SetMRUMenuBarItem(RECT& rect)
{
    g_openItem = rect;
}
void CMenuXP::SetGradient(bool on)
{
    m_Gradient = on;
}
CRect CMenuXP::GetMRUMenuBarItem()
{
    return g_openItem;
}
int CMenuXP::GetOpenBarItemsDrawn()
{
    return g_openItemsDrawn;
}

bool CMenuXP::HandleFrameMessage(CWnd* frame, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (mis->CtlType != ODT_MENU || wParam != 0) return false;
            OnMeasureItem(mis);
            *result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (dis->CtlType != ODT_MENU || !IsOwnerDrawn(reinterpret_cast<HMENU>(dis->hwndItem))) return false;
            *result = OnDrawItem(dis, frame->m_hWnd);
            return true;
        }
        case WM_MENUCHAR: {
            HMENU menu = reinterpret_cast<HMENU>(lParam);
            if (!IsOwnerDrawn(menu)) return false;
            *result = OnMenuChar(menu, LOWORD(wParam), HIWORD(wParam));
            return true;
        }
        default: return false;
    }
}
