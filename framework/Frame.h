#pragma once
// CFrameWnd: the frame of a document's view, with menu, accelerators and
// control bars docked at its edges.
#include "framework/ControlBars.h"
#include "framework/DocView.h"

#include <vector>

#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E

class FW_API CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Title (the first part of the string resource), menu, accelerators and
    // icon from the resources of that id.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                           CCreateContext* context = nullptr);
    BOOL Create(LPCTSTR className, LPCTSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                const RECT& rect = CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0), CWnd* parent = nullptr,
                LPCTSTR menuName = nullptr, DWORD exStyle = 0, CCreateContext* context = nullptr);
    BOOL LoadAccelTable(LPCTSTR name);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    CFrameWnd* GetActiveFrame() { return this; }
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);
    virtual void RecalcLayout(BOOL notify = TRUE);
    virtual void ActivateFrame(int cmdShow = -1);
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);

    // Control bars.
    void EnableDocking(DWORD dockStyle);
    // Docks at the side named by a CBRS_ALIGN_ value or an AFX_IDW_DOCKBAR_ id
    // (0: the first side the bar allows). With a screen rectangle the bar
    // joins the row that rectangle lies in, in the order of its left (or top) edge.
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    CControlBar* GetControlBar(UINT id);
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    // Bar placement and visibility, saved to and restored from the profile.
    void SaveBarState(LPCTSTR section) const;
    void LoadBarState(LPCTSTR section);
    void FloatControlBar(CControlBar* bar, CPoint, DWORD = 0) { DockControlBar(bar); }

    virtual CWnd* GetMessageBar();
    void SetMessageText(LPCTSTR text);
    void SetMessageText(UINT id);
    virtual void GetMessageString(UINT id, CString& message) const;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    BOOL DestroyWindow() override;
    HMENU GetDefaultMenu() const { return m_hMenuDefault; }

    HACCEL m_hAccelTable = nullptr;
    HMENU m_hMenuDefault = nullptr;
    BOOL m_bAutoMenuEnable = TRUE;
    UINT m_nIDHelp = 0;
    UINT m_nIdleFlags = 0;
    CString m_strTitle;
    std::vector<CControlBar*> m_listControlBars;

    // Command handlers.
    BOOL OnBarCheck(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* ui);
    void OnUpdateKeyIndicator(CCmdUI* ui);

protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(CWnd* old);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnMenuSelect(UINT itemId, UINT flags, HMENU menu);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnDropFiles(HDROP drop);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnRaiseOwned(WPARAM, LPARAM);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT id, NMHDR* hdr, LRESULT* result);

    CView* m_pViewActive = nullptr;
    DWORD m_dwDockStyle = 0;
    UINT m_nMessageId = 0;
    DECLARE_MESSAGE_MAP()
};
