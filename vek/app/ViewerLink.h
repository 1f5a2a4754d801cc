#pragma once
// The link to the separate dynamic-result viewer program: find a running one
// by a registered message, bring it to the front, or start it; hand it the
// result file and the node the user picked.
#include <cstdint>

#include "framework/Afx.h"

// The identification request; the viewer answers it with this same number.
extern const UINT WM_VIEWER_IDENTIFY;
// Show the results of one node: wParam the node, lParam item (low) and direction (high).
extern const UINT WM_VIEWER_SHOW_NODE;

// What the link reads of the model and the results; their owners bind them.
struct ViewerLinkHooks {
    // The first selected node in store order, its selection cleared; -1 when none is selected.
    int (*takeSelectedNode)() = nullptr;
    void (*redrawNode)(int node) = nullptr;
    // The full path of the current result file.
    void (*resultFilePath)(char path[260]) = nullptr;
    // The time-history display's current item and direction (1, 2 or 3).
    void (*timeHistoryItem)(int16_t& item, int16_t& direction) = nullptr;
};
extern ViewerLinkHooks theViewerLinkHooks;

// The running viewer's top-level window, brought to the front (restored
// when minimised, shown when hidden); null when none runs.
HWND ActivateRunningModule();
// A running viewer is activated; otherwise the viewer beside the program is
// started on the document's path. Returns the shell's result (above 32 on success).
INT_PTR StartViewer(CWnd* owner);
// Shows the picked node's time history in the viewer.
void SendNodeToViewer();
