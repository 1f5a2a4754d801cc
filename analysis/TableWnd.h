#pragma once
// The grid control of the dialogs. The dialog bases hand it the keys meant
// for it: every queued message while it has the focus, and Enter, Tab, Esc,
// Up and Down while its cell editor (a child of it) has the focus. Its
// PreTranslateMessage answers: TRUE when it took the message, FALSE to let
// the message go to the focus window as it is, past the dialog's own keys.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

class ANALYSIS_API CTableWnd : public CWnd {
    DECLARE_DYNAMIC(CTableWnd)
};
