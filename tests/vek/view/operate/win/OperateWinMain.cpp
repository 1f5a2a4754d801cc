// A test view over the frame's client area whose messages reach the
// interaction as the model view's do. The application, its frame and main
// are the app tests' own.
#include "tests/vek/view/operate/win/OperateWin.h"
#include "vek/view/win/VekViewInput.h"

namespace optest {

BOOL CTestView::CreateOver(CWnd* parent, const CRect& rect)
{
    const LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    if (!CreateEx(0, cls, "测试视图", WS_CHILD | WS_VISIBLE, rect, parent, 0x7777)) return FALSE;
    return VekViewInput::AttachToView(this) ? TRUE : FALSE;
}

}  // namespace optest
