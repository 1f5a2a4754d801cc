#pragma once
// The parameter-display dialog as the modeless dialog manager sees it: its
// size and its scrolling child's positions are remembered between openings.
// Its contents come with the dialogs.
#include "analysis/MyDialog.h"

class CScrollWnd;

class CParaDispDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CParaDispDlg)
public:
    CParaDispDlg(UINT templateId, CWnd* parent) : CModelessDialog(templateId, parent) {}
    // The scrolling child window, null until it is made.
    CScrollWnd* m_pScroll = nullptr;
};
