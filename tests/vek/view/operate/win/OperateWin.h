#pragma once
// The interaction windows under Wine: the program's frame with its model
// view and prompt bar.
#include "framework/Afx.h"
#include "tests/vek/app/AppTestUtil.h"

namespace optest {

// The main frame with its document, view and prompt bar, made on first use and shown.
using apptest::Frame;

}  // namespace optest
