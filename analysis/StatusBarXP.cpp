#include "analysis/StatusBarXP.h"

#include "analysis/BufferDC.h"

#include <uxtheme.h>

IMPLEMENT_DYNAMIC(CStatusBarXP, CStatusBar)

// clang-format off
BEGIN_MESSAGE_MAP(CStatusBarXP, CStatusBar)
    ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

BOOL CStatusBarXP::SetIndicators(const UINT* ids, int count)
{
    if (!CStatusBar::SetIndicators(ids, count)) return 0;
    // A visual style would draw pane separators of its own: the panes are flat.
    ::SetWindowTheme(m_hWnd, L" ", L" ");
    SendMessage(SB_SETMINHEIGHT, 20);
    for (int i = 0; i < GetCount(); ++i) SetPaneStyle(i, GetPaneStyle(i) | SBPS_NOBORDERS);
    return 1;
}

void CStatusBarXP::OnPaint()
{
    CStatusBar::OnPaint();
    CClientDC dc(this);
    CPenSelector pen(dc, ::GetSysColor(COLOR_BTNSHADOW));
    CBrushSelector hollow(dc, CLR_NONE);
    for (int i = 0; i < GetCount(); ++i) {
        const UINT style = GetPaneStyle(i);
        if (style & SBPS_NOBORDERS) continue;
        CRect r;
        GetItemRect(i, &r);
        if (style & SBPS_POPOUT)
            dc.DrawEdge(&r, BDR_RAISEDOUTER, BF_RECT);
        else if (style & SBPS_SUNKENFRAME)
            dc.DrawEdge(&r, BDR_SUNKENOUTER, BF_RECT);
        else
            dc.Rectangle(&r);
    }
}
