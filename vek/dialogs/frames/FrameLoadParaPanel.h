#pragma once
// The frame-load panel beside the view: the text of the load that the
// frame-load command applies, with a button that changes it through the
// frame-load dialog.
class CParaDispDlg;

// Opens the panel; null when its window could not be made.
CParaDispDlg* ShowFrameLoadParaPanel(bool closeOthers);
