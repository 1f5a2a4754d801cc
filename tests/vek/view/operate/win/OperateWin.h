#pragma once
// The interaction windows under Wine: the program's frame with its prompt
// bar, and a window whose messages reach the interaction as the model view's do.
#include "framework/Afx.h"
#include "tests/vek/app/AppTestUtil.h"

namespace optest {

class CTestView : public CWnd {
public:
    BOOL CreateOver(CWnd* parent, const CRect& rect);
};

// The main frame with its document, view and prompt bar, made on first use and shown.
using apptest::Frame;

}  // namespace optest
