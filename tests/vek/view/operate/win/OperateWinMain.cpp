// A test view over the frame's client area routes its messages as the model
// view does. The application, its frame and main are the app tests' own.

#include "tests/support/WinTestSupport.h"
#include "tests/vek/view/operate/win/OperateWin.h"
#include "vek/view/win/VekViewInput.h"

namespace optest {

BEGIN_MESSAGE_MAP(CTestView, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MBUTTONDOWN()
ON_WM_MBUTTONUP()
ON_WM_MOUSEWHEEL()
ON_WM_SETCURSOR()
ON_WM_CONTEXTMENU()
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

BOOL CTestView::CreateOver(CWnd* parent, const CRect& rect)
{
    const LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (!CreateEx(0, cls, "测试视图", WS_CHILD | WS_VISIBLE, rect, parent, 0x7777)) return FALSE;
    VekViewInput::BindView(this);
    return TRUE;
}

void CTestView::OnLButtonDown(UINT flags, CPoint p)
{
    VekViewInput::OnLButtonDown(this, flags, p);
}
void CTestView::OnLButtonUp(UINT flags, CPoint p)
{
    VekViewInput::OnLButtonUp(this, flags, p);
}
void CTestView::OnMouseMove(UINT flags, CPoint p)
{
    VekViewInput::OnMouseMove(this, flags, p);
}
void CTestView::OnMButtonDown(UINT flags, CPoint p)
{
    VekViewInput::OnMButtonDown(this, flags, p);
}
void CTestView::OnMButtonUp(UINT flags, CPoint p)
{
    VekViewInput::OnMButtonUp(this, flags, p);
}
BOOL CTestView::OnMouseWheel(UINT flags, short delta, CPoint p)
{
    return VekViewInput::OnMouseWheel(this, flags, delta, p);
}
BOOL CTestView::OnSetCursor(CWnd*, UINT hitTest, UINT)
{
    return VekViewInput::OnSetCursor(this, hitTest) ? TRUE : static_cast<BOOL>(Default());
}
void CTestView::OnContextMenu(CWnd*, CPoint p)
{
    VekViewInput::OnContextMenu(this, p);
}
void CTestView::OnKeyDown(UINT vk, UINT, UINT)
{
    VekViewInput::OnKeyDown(vk);
}
void CTestView::OnChar(UINT ch, UINT repeat, UINT flags)
{
    VekViewInput::OnChar(ch, repeat, flags);
}
BOOL CTestView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (VekViewInput::OnCommand(LOWORD(wParam))) return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

}  // namespace optest
