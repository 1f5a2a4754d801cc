#pragma once
// The main frame's flat toolbar: icons only, a highlight box under the
// mouse, grey silhouettes for disabled buttons and a shadow under the hot
// icon; drop-down buttons with a separate arrow part; menus dropped under a
// button; other controls (a combo box) standing in a button's place.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

#include <map>

class ANALYSIS_API CToolBarXP : public CToolBar {
    DECLARE_DYNAMIC(CToolBarXP)
public:
    CToolBarXP() = default;
    ~CToolBarXP() override = default;

    // The toolbar resource of that id; 1, or 0 when it cannot be loaded.
    BOOL LoadToolBar(UINT id);
    // A separator standing for the control (its width, its id) at index
    // (at the end when negative or beyond the count); false when refused.
    bool InsertControl(int index, CWnd* control);
    // Drops the menu down under the button of that command.
    void TrackPopupMenu(UINT commandId, CMenu* menu);
    // The arrow part of that drop-down button sends arrowCommand instead of
    // the button's own command (for a button whose main part does something
    // else than drop a menu down).
    void SetArrowCommand(UINT buttonCommand, UINT arrowCommand);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    void DrawGripper(CDC* dc, const CRect& rect) override;

    // The width of a drop-down button's arrow part.
    static constexpr int kArrowPart = 13;

protected:
    void OnPaint();
    void OnButtonDropDown(NMHDR* hdr, LRESULT* result);
    void PlaceControls(bool vertical);

    // 0 normally, 1 while a vertically docked layout is computed, 2 while any other is.
    BYTE m_nLayoutMode = 0;
    bool m_bLayoutOutdated = false;
    std::map<UINT, UINT> m_arrowCommands;
    DECLARE_MESSAGE_MAP()
};
