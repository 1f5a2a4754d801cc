#pragma once
// The left panel: a small tool window over the view's lower left corner with
// the working context of the interactive commands (storey range, work
// platform, snapping, current load case, selection and generation methods)
// and a symbol of the axes the picture shows. Its rules without the window
// are in logic/LeftPanelLogic.
#include <string>

#include "analysis/MyDialog.h"

class CLeftDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CLeftDlg)
public:
    CLeftDlg();
    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;

    // The storey-range and work-platform buttons and the storey list.
    void ShowLayerAndPlatform();
    void ShowCurrentLoadCase();
    void ShowSnapSettings();
    void ShowSelectMethod();
    // The generation methods of the running operation; with onlyIfChanged
    // nothing happens while the operation is the one last filled for.
    void FillGenerateMethods(bool onlyIfChanged);
    // Selects an entry of the method list as it is.
    void SelectGenerateEntry(int index);
    // The arc method 1..6; 0 when the arc list is off or has no choice.
    int GetArcMethod();
    void SetArcMethod(int method);
    void UpdateArcMethodCombo();
    // Narrow while the storey-range button and both method lists are off.
    void AdjustWidth();
    bool IsWide() const { return m_bWide; }

protected:
    void OnStoreyRange();
    void OnPlatform();
    void OnSnapModes();
    void OnSnapOn();
    void OnScreenPoints();
    void OnSelectMethodChosen();
    void OnGenerateChosen();
    void OnArcChosen();
    void OnStoreyChosen();
    void OnLoadCaseLeft();
    void OnUpdateControls(CCmdUI* ui);
    LRESULT OnNcHitTest(CPoint pt);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    void DrawAxes(HDC dc, const RECT& r);
    // The running operation drops its points and asks for them again.
    void RestartCapture(bool methodChanged);
    // A control that exists and is enabled.
    bool Usable(int id);
    std::string ComboText(int id, int index);

    bool m_bWide = true;
    int m_nFilledFor = -1;  // the operation the method list was last filled for
    DECLARE_MESSAGE_MAP()
};

// The one left panel, null until the main frame has made it.
extern CLeftDlg* theLeftDlg;

// The prompt bar's and the model's questions about the left panel go to it.
void BindLeftPanelLinks();
