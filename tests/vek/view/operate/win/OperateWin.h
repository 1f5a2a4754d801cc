#pragma once
// The interaction windows under Wine: the program's frame with its prompt
// bar, and a view that routes its messages as the model view does.
#include "framework/Afx.h"
#include "tests/vek/app/AppTestUtil.h"

namespace optest {

class CTestView : public CWnd {
public:
    BOOL CreateOver(CWnd* parent, const CRect& rect);

protected:
    void OnLButtonDown(UINT flags, CPoint p);
    void OnLButtonUp(UINT flags, CPoint p);
    void OnMouseMove(UINT flags, CPoint p);
    void OnMButtonDown(UINT flags, CPoint p);
    void OnMButtonUp(UINT flags, CPoint p);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint p);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnContextMenu(CWnd* wnd, CPoint p);
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()
};

// The main frame with its document, view and prompt bar, made on first use and shown.
using apptest::Frame;

}  // namespace optest
