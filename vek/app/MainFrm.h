#pragma once
// The main frame of Vek: the flat menus, nine flat toolbars with the layer
// and result selectors, the docking bar at the bottom that hosts the prompt
// bar, the help commands, and the window's placement and toolbar layout kept
// in the profile. It has no status bar: menu and toolbar hints go to the
// prompt bar.
#include "analysis/ControlsXP.h"
#include "analysis/MenuXP.h"
#include "analysis/ToolBarXP.h"
#include "framework/Afx.h"

#include <cstdint>

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    enum { kToolBarCount = 9, kResultSelectorCount = 8 };
    // The toolbars' resource ids (also their window ids and the commands
    // that show and hide them), in member order; and their titles.
    static const UINT kToolBarIds[kToolBarCount];
    static const char* const kToolBarTitles[kToolBarCount];

    // What the eight result selectors show: item counts and current values
    // (1-based; outside 1..count nothing is selected).
    struct ResultSelectorState {
        int count[kResultSelectorCount];
        int current[kResultSelectorCount];
    };

    ~CMainFrame() override = default;

    // Refills the eight result selectors from the loaded results and the
    // model's current values.
    void FillResultSelectors();
    void FillResultSelectors(const ResultSelectorState& state);
    // Selects the current load case in its selector, or nothing when it is
    // not one of its items.
    void UpdateLoadCaseCombo();
    // Refills the layer selector with the model's layers and selects the
    // current one; a current layer past the last becomes the last.
    void FillLayerCombo();

    // The submenu whose item text contains the text, searched depth first in
    // item order; null when there is none.
    static HMENU FindSubMenuByText(HMENU menu, const char* text);
    // Docks the bar in the row (or column) of the other, directly after it.
    void DockControlBarLeftOf(CControlBar* bar, CControlBar* leftOf);

    // "Settings"/"WindowPos": always gives a placement (the maximised
    // default when the value is missing or malformed).
    static void ReadWindowPlacement(WINDOWPLACEMENT* placement);
    static void WriteWindowPlacement(const WINDOWPLACEMENT* placement);

    CToolBarXP& GetToolBar(int index) { return m_wndToolBars[index]; }
    CComboBoxXP& GetLayerCombo() { return m_wndLayerCombo; }
    CComboBoxXP& GetResultCombo(int selector) { return m_wndResultCombos[selector]; }

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Commands nothing on the usual route handles go last to the model's
    // command targets (editing, the element families) that joined it.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    static void AddModelCommandTarget(CCmdTarget* target);

protected:
    CMainFrame() = default;
    int OnCreate(LPCREATESTRUCT cs);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);

    void OnResultComboChanged(UINT id);
    void OnLayerComboChanged();
    void OnUpdateSpecialView(CCmdUI* ui);
    void OnDropDown(UINT id);
    void OnEndOperation();
    void OnLibraryDialog(UINT id);
    void OnUpdateLibraryDialog(CCmdUI* ui);
    void OnHelpFile(UINT id);
    void OnUpdateHelpFile(CCmdUI* ui);
    void OnUpdatePage();

    bool CreateToolBars();
    void CreateSelectors();
    void DockToolBars();
    void ShowToolBarMenu(CPoint screen);
    bool IsBarOrFrame(HWND hwnd) const;

    // Members in this order: the toolbars, the selectors, the flag.
    CToolBarXP m_wndToolBars[kToolBarCount];
    CComboBoxXP m_wndLayerCombo;
    CComboBoxXP m_wndResultCombos[kResultSelectorCount];
    // Ask once more about the OpenGL limits of old systems ("PMTOPENGL").
    uint8_t m_bShowOpenGLHint = 1;
    DECLARE_MESSAGE_MAP()
};

// The help file of a help command: the solver folder + "\Help\" + its name;
// empty for other commands.
CString HelpFilePath(UINT command);

// The mesher's two callbacks: a text for the prompt bar, a text for a message box.
void MeshPromptCallback(const char* text);
void MeshMessageCallback(const char* text);
