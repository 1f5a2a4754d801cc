#pragma once
// The main frame's status bar with flat panes.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

// A pane style bit that asks for a sunken frame.
#define SBPS_SUNKENFRAME 0x02000000u

class ANALYSIS_API CStatusBarXP : public CStatusBar {
    DECLARE_DYNAMIC(CStatusBarXP)
public:
    CStatusBarXP() = default;
    ~CStatusBarXP() override = default;
    // The indicator set-up, a minimum height of 20 pixels and panes without
    // borders; 1, or 0 when the set-up fails.
    BOOL SetIndicators(const UINT* ids, int count);

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
