#pragma once
// Print preview: one page of a view's printing, recorded into an enhanced
// metafile made against the printer's DC (so the view sees the printer's
// page size and resolution), shown scaled in a window of its own with the
// buttons to print it or to close.
#include "framework/Geometry.h"
#include "framework/Object.h"

#include <windows.h>

class CView;

class FW_API CPrintPreview {
public:
    // Shows the recorded page (the preview takes the metafile); closes a
    // preview already open. Returns the new preview, null when no window could be made.
    static CPrintPreview* Show(CView* view, HENHMETAFILE page, CSize pageSize);
    // The preview open now, or null.
    static CPrintPreview* Current();

    HWND GetSafeHwnd() const { return m_hWnd; }
    HENHMETAFILE GetPage() const { return m_page; }
    CSize GetPageSize() const { return m_pageSize; }
    // The page fitted into `area`, white on grey, with the picture played on it.
    void DrawPage(HDC dc, const RECT& area) const;
    // Where DrawPage puts the page inside `area`.
    RECT PageRect(const RECT& area) const;
    // Prints the page's view on the default printer, then closes.
    void Print();
    void Close();

    enum { kPrintButton = 0x7001, kCloseButton = IDCANCEL };

private:
    CPrintPreview() = default;
    ~CPrintPreview();
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    void Layout();

    HWND m_hWnd = nullptr;
    HWND m_print = nullptr, m_close = nullptr;
    HENHMETAFILE m_page = nullptr;
    CSize m_pageSize;
    CView* m_view = nullptr;
};
