#include "framework/PrintPreview.h"

#include "framework/DocView.h"

namespace {

CPrintPreview* current = nullptr;
const char* const kClass = "FwPrintPreview";
constexpr int kBar = 36;  // the button row

bool RegisterClassOnce()
{
    static bool done = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = nullptr;
        wc.lpszClassName = kClass;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return done;
}

}  // namespace

CPrintPreview* CPrintPreview::Current()
{
    return current;
}

CPrintPreview* CPrintPreview::Show(CView* view, HENHMETAFILE page, CSize pageSize)
{
    if (current) current->Close();
    if (!page || !RegisterClassOnce()) {
        if (page) DeleteEnhMetaFile(page);
        return nullptr;
    }
    auto* p = new CPrintPreview;
    p->m_view = view;
    p->m_page = page;
    p->m_pageSize = pageSize;
    HWND owner = view && view->m_hWnd ? GetAncestor(view->m_hWnd, GA_ROOT) : nullptr;
    p->m_hWnd = CreateWindowExA(0, kClass, "打印预览", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 760, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!p->m_hWnd) {
        delete p;
        return nullptr;
    }
    SetWindowLongPtrA(p->m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(p));
    SetWindowLongPtrA(p->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPrintPreview::WndProc));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    p->m_print =
        CreateWindowExA(0, "BUTTON", "打印(&P)", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 6, 88, 24, p->m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPrintButton)), nullptr, nullptr);
    p->m_close =
        CreateWindowExA(0, "BUTTON", "关闭(&C)", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 104, 6, 88, 24, p->m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseButton)), nullptr, nullptr);
    SendMessageA(p->m_print, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(p->m_close, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    current = p;
    ShowWindow(p->m_hWnd, SW_SHOW);
    UpdateWindow(p->m_hWnd);
    return p;
}

CPrintPreview::~CPrintPreview()
{
    if (m_page) DeleteEnhMetaFile(m_page);
    if (current == this) current = nullptr;
}

RECT CPrintPreview::PageRect(const RECT& area) const
{
    RECT r = area;
    const int w = area.right - area.left - 16, h = area.bottom - area.top - 16;
    if (w <= 0 || h <= 0 || m_pageSize.cx <= 0 || m_pageSize.cy <= 0)
        return RECT{area.left, area.top, area.left, area.top};
    // The largest page of the paper's proportions that fits, centred.
    int pw = w, ph = static_cast<int>(static_cast<double>(w) * m_pageSize.cy / m_pageSize.cx);
    if (ph > h) {
        ph = h;
        pw = static_cast<int>(static_cast<double>(h) * m_pageSize.cx / m_pageSize.cy);
    }
    r.left = area.left + (area.right - area.left - pw) / 2;
    r.top = area.top + (area.bottom - area.top - ph) / 2;
    r.right = r.left + pw;
    r.bottom = r.top + ph;
    return r;
}

void CPrintPreview::DrawPage(HDC dc, const RECT& area) const
{
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(dc, &area, grey);
    DeleteObject(grey);
    const RECT page = PageRect(area);
    FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (m_page) PlayEnhMetaFile(dc, m_page, &page);
}

void CPrintPreview::Print()
{
    CView* view = m_view;
    Close();
    if (view && view->m_hWnd) SendMessageA(view->m_hWnd, WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
}

void CPrintPreview::Close()
{
    if (m_hWnd) {
        HWND w = m_hWnd;
        m_hWnd = nullptr;
        SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        DestroyWindow(w);
    }
    delete this;
}

void CPrintPreview::Layout()
{
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

LRESULT CALLBACK CPrintPreview::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* p = reinterpret_cast<CPrintPreview*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!p) return DefWindowProcA(wnd, msg, wp, lp);
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(wnd, &ps);
            RECT client;
            GetClientRect(wnd, &client);
            RECT bar = client;
            bar.bottom = kBar;
            FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
            RECT area = client;
            area.top = kBar;
            p->DrawPage(dc, area);
            EndPaint(wnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: p->Layout(); return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == kPrintButton) {
                p->Print();
                return 0;
            }
            if (LOWORD(wp) == kCloseButton) {
                p->Close();
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) {
                p->Close();
                return 0;
            }
            break;
        case WM_CLOSE: p->Close(); return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}
