#pragma once
// Control bars docked at the edges of a frame: toolbar, status bar, dialog bar.
#include "framework/Gdi.h"
#include "framework/Wnd.h"

#include <vector>

class CFrameWnd;

// Bar styles (kept in CControlBar::m_dwStyle, not in the window style).
#define CBRS_ALIGN_LEFT 0x1000u
#define CBRS_ALIGN_TOP 0x2000u
#define CBRS_ALIGN_RIGHT 0x4000u
#define CBRS_ALIGN_BOTTOM 0x8000u
#define CBRS_ALIGN_ANY 0xF000u
#define CBRS_LEFT CBRS_ALIGN_LEFT
#define CBRS_TOP CBRS_ALIGN_TOP
#define CBRS_RIGHT CBRS_ALIGN_RIGHT
#define CBRS_BOTTOM CBRS_ALIGN_BOTTOM
#define CBRS_NOALIGN 0u
#define CBRS_TOOLTIPS 0x0010u
#define CBRS_FLYBY 0x0020u
#define CBRS_FLOAT_MULTI 0x0040u
#define CBRS_SIZE_DYNAMIC 0x0080u
#define CBRS_SIZE_FIXED 0x0100u
#define CBRS_GRIPPER 0x0400u
#define CBRS_BORDER_ANY 0x0800u
#define CBRS_BORDER_TOP CBRS_BORDER_ANY
#define CBRS_BORDER_BOTTOM CBRS_BORDER_ANY
#define CBRS_BORDER_LEFT CBRS_BORDER_ANY
#define CBRS_BORDER_RIGHT CBRS_BORDER_ANY
#define CBRS_BORDER_3D 0u
#define CBRS_HIDE_INPLACE 0x0008u
#define CBRS_FLOATING 0x0001u
#define CBRS_ALL 0xFFFFu

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Button styles of toolbar items.
#define TBBS_BUTTON TBSTYLE_BUTTON
#define TBBS_SEPARATOR TBSTYLE_SEP
#define TBBS_CHECKBOX TBSTYLE_CHECK
#define TBBS_GROUP TBSTYLE_GROUP
#define TBBS_CHECKGROUP (TBSTYLE_CHECK | TBSTYLE_GROUP)
#define TBBS_DROPDOWN TBSTYLE_DROPDOWN

// Pane styles of the status bar.
#define SBPS_NORMAL 0x0000u
#define SBPS_NOBORDERS 0x0100u
#define SBPS_POPOUT 0x0200u
#define SBPS_OWNERDRAW 0x1000u
#define SBPS_DISABLED 0x04000000u
#define SBPS_STRETCH 0x08000000u

class FW_API CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    DWORD m_dwStyle = 0;      // CBRS_ styles
    DWORD m_dwDockStyle = 0;  // sides it may dock at
    CFrameWnd* m_pDockSite = nullptr;
    UINT m_nDockSide = 0;  // the CBRS_ALIGN_ side it is docked at, 0 when not docked
    int m_nRow = 0;        // row (or column) at that side
    int m_nRowPos = 0;     // place within the row
    BOOL m_bAutoDelete = FALSE;
    CRect m_rectBorders;

    void EnableDocking(DWORD dockStyle);
    void SetBarStyle(DWORD style);
    DWORD GetBarStyle() const { return m_dwStyle; }
    BOOL IsVisible() const;
    CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
    BOOL IsFloating() const { return FALSE; }
    void SetBorders(int l = 0, int t = 0, int r = 0, int b = 0) { m_rectBorders.SetRect(l, t, r, b); }

    // Size of the bar docked along one side; stretch: as wide as the frame.
    virtual CSize CalcFixedLayout(BOOL stretch, BOOL horz);
    virtual CSize CalcDynamicLayout(int length, DWORD mode);
    virtual void OnBarStyleChange(DWORD, DWORD) {}
    virtual void DrawGripper(CDC* dc, const CRect& rect);
    // Bars take their full width when docked alone at a side.
    virtual BOOL IsStretched() const { return FALSE; }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override;

protected:
    // Separates CBRS_ bits from window style bits.
    DWORD SplitStyle(DWORD style);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // The gripper lives in the non-client area at the leading edge.
    void OnNcCalcSize(BOOL calcValid, NCCALCSIZE_PARAMS* params);
    // Clicks on the gripper reach the bar as clicks on it (the system would drop them).
    LRESULT OnNcHitTest(CPoint pt);
    void OnNcPaint();
    BOOL IsHorzDocked() const { return !(m_nDockSide & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)); }
    DECLARE_MESSAGE_MAP()
};

// A toolbar: the bar's window is the common toolbar control itself.
class FW_API CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;
    ~CToolBar() override;
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = TBSTYLE_FLAT, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  CRect borders = CRect(0, 0, 0, 0), UINT id = AFX_IDW_TOOLBAR);
    // Buttons and bitmap from the toolbar resource of that id (and the bitmap of the same id).
    BOOL LoadToolBar(UINT id);
    BOOL LoadBitmap(UINT id);
    BOOL SetButtons(const UINT* ids, int count);
    void SetSizes(SIZE button, SIZE image);
    void SetHeight(int height);

    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    void GetItemRect(int index, LPRECT rect) const;
    int GetCount() const;
    UINT GetButtonStyle(int index) const;
    void SetButtonStyle(int index, UINT style);
    void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
    // A separator's width is its image number, as for any toolbar control.
    void SetButtonInfo(int index, UINT id, UINT style, int image);
    BOOL SetButtonText(int index, LPCTSTR text);
    CString GetButtonText(int index) const;
    CToolBar& GetToolBarCtrl() { return *this; }
    HIMAGELIST GetImageList() const;

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    HBITMAP m_hbmImages = nullptr;
    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
};

class FW_API CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = 0, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT id = AFX_IDW_STATUS_BAR);
    // Panes from string ids; ID_SEPARATOR makes the stretching message pane.
    BOOL SetIndicators(const UINT* ids, int count);
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    void GetItemRect(int index, LPRECT rect) const;
    BOOL SetPaneText(int index, LPCTSTR text, BOOL update = TRUE);
    CString GetPaneText(int index) const;
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);
    CStatusBar& GetStatusBarCtrl() { return *this; }

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    BOOL IsStretched() const override { return TRUE; }
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    struct Pane {
        UINT id;
        UINT style;
        int width;
        CString text;
    };
    std::vector<Pane> m_panes;
    void UpdateParts();
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};

// A bar made from a dialog template; its controls' commands go to the frame.
class FW_API CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    BOOL Create(CWnd* parent, UINT templateId, UINT style, UINT id);
    BOOL Create(CWnd* parent, LPCTSTR templateName, UINT style, UINT id);
    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    BOOL IsStretched() const override { return TRUE; }
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    CSize m_sizeDefault;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
