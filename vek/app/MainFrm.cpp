#include "MainFrm.h"

#include "FrameHooks.h"
#include "HelpLinks.h"
#include "vek/model/ProjectGlobals.h"
#include "analysis/ProcessManager.h"
#include "resource.h"
#include "vek/model/LayerList.h"

#include <cstdio>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

// clang-format off
BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_SETMESSAGESTRING, &CMainFrame::OnSetMessageString)
    ON_CONTROL_RANGE(CBN_SELCHANGE, ID_RESULT_COMBO_FIRST, ID_RESULT_COMBO_LAST, &CMainFrame::OnResultComboChanged)
    ON_CBN_SELCHANGE(ID_LAYER_COMBO, &CMainFrame::OnLayerComboChanged)
    ON_UPDATE_COMMAND_UI(ID_DROP_SPECIAL_VIEW, &CMainFrame::OnUpdateSpecialView)
    ON_COMMAND_RANGE(ID_DROP_SPECIAL_VIEW, ID_DROP_SPECIAL_VIEW, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_SPECIAL_VIEW_ARROW, ID_DROP_SPECIAL_VIEW_ARROW, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_EXPORT, ID_DROP_EXPORT, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_EXPORT_ARROW, ID_DROP_EXPORT_ARROW, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_ANALYSIS_ARROW, ID_DROP_ANALYSIS_ARROW, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_JOINT, ID_DROP_JOINT, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_JOINT_ARROW, ID_DROP_JOINT_ARROW, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_STEEL, ID_DROP_STEEL, &CMainFrame::OnDropDown)
    ON_COMMAND_RANGE(ID_DROP_STEEL_ARROW, ID_DROP_STEEL_ARROW, &CMainFrame::OnDropDown)
    ON_COMMAND(ID_END_OPERATION, &CMainFrame::OnEndOperation)
    ON_COMMAND_RANGE(ID_LIB_MATERIALS, ID_LIB_SPRINGS, &CMainFrame::OnLibraryDialog)
    ON_UPDATE_COMMAND_UI_RANGE(ID_LIB_MATERIALS, ID_LIB_SPRINGS, &CMainFrame::OnUpdateLibraryDialog)
    ON_COMMAND_RANGE(ID_HELP_MANUAL, ID_HELP_LIBRARY_DOCUMENT, &CMainFrame::OnHelpFile)
    ON_UPDATE_COMMAND_UI_RANGE(ID_HELP_MANUAL, ID_HELP_LIBRARY_DOCUMENT, &CMainFrame::OnUpdateHelpFile)
    ON_COMMAND(ID_HELP_UPDATE_PAGE, &CMainFrame::OnUpdatePage)
    // The "工具栏" submenu shows and hides the toolbars by their ids.
    ON_COMMAND_EX(IDR_TOOLBAR_COMMON, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(IDR_TOOLBAR_MESH, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(IDR_TOOLBAR_PROPERTY, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(IDR_TOOLBAR_LOAD, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(IDR_TOOLBAR_DISPLAY, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(IDR_TOOLBAR_EDIT, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(IDR_TOOLBAR_INSPECT, &CFrameWnd::OnBarCheck)
    ON_COMMAND_EX(IDR_TOOLBAR_RESULT, &CFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_COMMON, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_MESH, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_PROPERTY, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_LOAD, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_DISPLAY, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_EDIT, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_INSPECT, &CFrameWnd::OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(IDR_TOOLBAR_RESULT, &CFrameWnd::OnUpdateControlBarMenu)
END_MESSAGE_MAP()
// clang-format on

const UINT CMainFrame::kToolBarIds[kToolBarCount] = {IDR_TOOLBAR_COMMON,   IDR_TOOLBAR_MESH,    IDR_TOOLBAR_GENERATE,
                                                     IDR_TOOLBAR_PROPERTY, IDR_TOOLBAR_DISPLAY, IDR_TOOLBAR_RESULT,
                                                     IDR_TOOLBAR_LOAD,     IDR_TOOLBAR_INSPECT, IDR_TOOLBAR_EDIT};
const char* const CMainFrame::kToolBarTitles[kToolBarCount] = {"常用工具栏", "自动剖分工具栏", "生成工具栏",
                                                               "属性工具栏", "显示控制工具栏", "结果处理工具栏",
                                                               "荷载工具栏", "查看工具栏",     "编辑工具栏"};

namespace {

enum ToolBarIndex { kCommon, kMesh, kGenerate, kProperty, kDisplay, kResult, kLoad, kInspect, kEdit };

// The result selectors in command order: the label of the first item and the prefix of every item.
const char* const kResultLabels[CMainFrame::kResultSelectorCount] = {
    "[当前荷载种类]",   "[当前内力组合]", "[当前位移组合]", "[当前阶周期]",
    "[当前时程响应点]", "[当前地震方向]", "[当前失稳模态]", "[当前施工模拟步]"};
const char* const kResultPrefixes[CMainFrame::kResultSelectorCount] = {"种", "力", "位", "周", "时", "震", "稳", "施"};
constexpr int kBucklingSelector = 6;
constexpr int kResultComboWidth = 50;
constexpr int kLayerComboWidth = 80;
constexpr int kDroppedWidth = 150;
// Current values are 16-bit: no selector lists more items.
constexpr int kMostItems = 65535;

// A drop-down command: the main-menu submenu it drops, under which button of which bar.
struct DropDown {
    UINT command;
    const char* submenu;
    int bar;
    UINT button;
};
const DropDown kDropDowns[] = {
    {ID_DROP_SPECIAL_VIEW, "特殊视角", kDisplay, ID_DROP_SPECIAL_VIEW},
    {ID_DROP_SPECIAL_VIEW_ARROW, "特殊视角", kDisplay, ID_DROP_SPECIAL_VIEW},
    {ID_DROP_EXPORT, "导出", kCommon, ID_DROP_EXPORT},
    {ID_DROP_EXPORT_ARROW, "导出", kCommon, ID_DROP_EXPORT},
    {ID_DROP_ANALYSIS_ARROW, "计算与分析", kResult, ID_ANALYSIS_START},
    {ID_DROP_JOINT, "钢管结构节点承载力", kResult, ID_DROP_JOINT},
    {ID_DROP_JOINT_ARROW, "钢管结构节点承载力", kResult, ID_DROP_JOINT},
    {ID_DROP_STEEL, "钢结构校核", kResult, ID_DROP_STEEL},
    {ID_DROP_STEEL_ARROW, "钢结构校核", kResult, ID_DROP_STEEL},
};

CString MenuItemText(HMENU menu, int position)
{
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return CString(text);
}

bool IsWindows9x()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return ::GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

}  // namespace

// ---- creation -------------------------------------------------------------------------------

int CMainFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    CMenuXP::SetXPLookNFeel(this, true);
    if (!CreateToolBars()) return -1;
    // Drop-down arrows; the arrow of 开始计算与分析 drops its submenu while the button itself starts the run.
    const struct {
        int bar;
        UINT button, arrow;
    } arrows[] = {{kDisplay, ID_DROP_SPECIAL_VIEW, ID_DROP_SPECIAL_VIEW_ARROW},
                  {kCommon, ID_DROP_EXPORT, ID_DROP_EXPORT_ARROW},
                  {kResult, ID_ANALYSIS_START, ID_DROP_ANALYSIS_ARROW},
                  {kResult, ID_DROP_JOINT, ID_DROP_JOINT_ARROW},
                  {kResult, ID_DROP_STEEL, ID_DROP_STEEL_ARROW}};
    for (const auto& a : arrows) {
        CToolBarXP& bar = m_wndToolBars[a.bar];
        const int index = bar.CommandToIndex(a.button);
        if (index < 0) continue;
        bar.SetButtonStyle(index, bar.GetButtonStyle(index) | TBSTYLE_DROPDOWN);
        bar.SetArrowCommand(a.button, a.arrow);
    }
    CreateSelectors();

    if (!CreateFrameDockingBar(this)) return -1;
    for (CToolBarXP& bar : m_wndToolBars) bar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockToolBars();
    DockFrameDockingBar(this);
    if (!CreatePromptBarAndLeftPanel(this)) return -1;

    LoadBarState("TBstate");
    LoadDrawingColours();
    LoadRunManagerSettings();
    LoadDisplaySettings();
    LoadAnalysisOptions();
    LoadModelessDialogPositions();
    m_bShowOpenGLHint = AfxGetApp()->GetProfileInt("Settings", "PMTOPENGL", 1) ? 1 : 0;

    if (!bModellerMode) {
        // The result viewer has no 编辑, 荷载, 属性 and 自动剖分, nor their toolbars.
        if (CMenu* menu = GetMenu())
            for (UINT position : {6u, 5u, 4u, 2u}) menu->DeleteMenu(position, MF_BYPOSITION);
        for (UINT id : {IDR_TOOLBAR_PROPERTY, IDR_TOOLBAR_LOAD, IDR_TOOLBAR_EDIT, IDR_TOOLBAR_GENERATE})
            if (CControlBar* bar = GetControlBar(id)) ShowControlBar(bar, FALSE, FALSE);
    }
    CMenuXP::UpdateMenuBar(this);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    if (m_bShowOpenGLHint && IsWindows9x() &&
        FrameMessageBox("由于采用了OpenGL技术，程序在Win98、WinME系列的操作系统上可能无法实现以下功能：以消隐方式显示、"
                        "等应力图等，以后是否还显示此提示信息？",
                        MB_YESNO | MB_ICONQUESTION) == IDNO)
        m_bShowOpenGLHint = 0;

    // A batch run's frame is never shown, so it takes no placement (which would show it).
    if (KeepFrameLayout()) {
        WINDOWPLACEMENT placement;
        ReadWindowPlacement(&placement);
        SetWindowPlacement(&placement);
    }
    return 0;
}

bool CMainFrame::CreateToolBars()
{
    for (int i = 0; i < kToolBarCount; ++i) {
        CToolBarXP& bar = m_wndToolBars[i];
        if (!bar.CreateEx(
                this, TBSTYLE_FLAT,
                WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                CRect(0, 0, 0, 0), kToolBarIds[i]) ||
            !bar.LoadToolBar(kToolBarIds[i]))
            return false;
        bar.SetWindowText(kToolBarTitles[i]);
    }
    return true;
}

void CMainFrame::CreateSelectors()
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL;
    // The toolbar lays a control out one pixel inside its place: the place is two pixels wider.
    CToolBarXP& results = m_wndToolBars[kResult];
    for (int i = 0; i < kResultSelectorCount; ++i) {
        CComboBoxXP& combo = m_wndResultCombos[i];
        if (!combo.Create(style, CRect(0, 0, kResultComboWidth + 2, 300), &results, ID_RESULT_COMBO_FIRST + i))
            continue;
        combo.SetDroppedWidth(kDroppedWidth);
        results.InsertControl(results.GetCount() - 2, &combo);
    }
    CToolBarXP& display = m_wndToolBars[kDisplay];
    if (m_wndLayerCombo.Create(style, CRect(0, 0, kLayerComboWidth + 2, 300), &display, ID_LAYER_COMBO)) {
        m_wndLayerCombo.SetDroppedWidth(kDroppedWidth);
        display.InsertControl(display.CommandToIndex(ID_DISP_LAYERS) + 1, &m_wndLayerCombo);
    }
    FillLayerCombo();
    FillResultSelectors();
}

void CMainFrame::DockToolBars()
{
    // One row at the top, each bar after the one before it; 荷载工具栏 starts the left side.
    DockControlBar(&m_wndToolBars[kCommon]);
    for (int i = 1; i < kToolBarCount; ++i) {
        if (i == kLoad)
            DockControlBar(&m_wndToolBars[i], AFX_IDW_DOCKBAR_LEFT);
        else
            DockControlBarLeftOf(&m_wndToolBars[i], &m_wndToolBars[i - 1]);
    }
    RecalcLayout();
}

void CMainFrame::DockControlBarLeftOf(CControlBar* bar, CControlBar* leftOf)
{
    // Laid out first, so that the other bar's place is known; the bar then
    // joins the row at a point just past the other's leading edge.
    RecalcLayout(TRUE);
    CRect rect;
    leftOf->GetWindowRect(&rect);
    const DWORD style = leftOf->GetBarStyle();
    UINT side = AFX_IDW_DOCKBAR_TOP;
    if (style & CBRS_ALIGN_BOTTOM)
        side = AFX_IDW_DOCKBAR_BOTTOM;
    else if (style & CBRS_ALIGN_LEFT)
        side = AFX_IDW_DOCKBAR_LEFT;
    else if (style & CBRS_ALIGN_RIGHT)
        side = AFX_IDW_DOCKBAR_RIGHT;
    if (side == AFX_IDW_DOCKBAR_LEFT || side == AFX_IDW_DOCKBAR_RIGHT)
        rect.OffsetRect(0, 1);
    else
        rect.OffsetRect(1, 0);
    DockControlBar(bar, side, &rect);
    RecalcLayout(TRUE);
}

// ---- closing ------------------------------------------------------------------------------------

BOOL CMainFrame::DestroyWindow()
{
    const bool keepLayout = KeepFrameLayout();
    if (keepLayout) SaveBarState("TBstate");
    SaveDrawingColours();
    SaveRunManagerSettings();
    SaveDisplaySettings();
    SaveAnalysisOptions();
    if (keepLayout) {
        AfxGetApp()->WriteProfileInt("Settings", "PMTOPENGL", m_bShowOpenGLHint);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (GetWindowPlacement(&placement)) WriteWindowPlacement(&placement);
    }
    ClearModelOnClose();
    SaveAndCloseModelessDialogs();
    CloseDockingBarDialogs();
    return CFrameWnd::DestroyWindow();
}

// ---- window placement -------------------------------------------------------------------------

void CMainFrame::ReadWindowPlacement(WINDOWPLACEMENT* placement)
{
    *placement = WINDOWPLACEMENT{};
    placement->length = sizeof *placement;
    const CString text = AfxGetApp()->GetProfileString("Settings", "WindowPos", "");
    unsigned flags = 0, show = 0;
    int v[8] = {};
    if (std::sscanf(text.GetString(), "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", &flags, &show, &v[0], &v[1], &v[2], &v[3], &v[4],
                    &v[5], &v[6], &v[7]) == 10) {
        placement->flags = flags;
        placement->showCmd = show;
        placement->ptMinPosition = {v[0], v[1]};
        placement->ptMaxPosition = {v[2], v[3]};
        placement->rcNormalPosition = {v[4], v[5], v[6], v[7]};
        // A window closed while minimised (or hidden) comes back as it would be restored.
        if (show != SW_SHOWNORMAL && show != SW_SHOWMAXIMIZED)
            placement->showCmd = (flags & WPF_RESTORETOMAXIMIZED) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        return;
    }
    placement->flags = WPF_RESTORETOMAXIMIZED;
    placement->showCmd = SW_SHOWMAXIMIZED;
    placement->ptMinPosition = {-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition = {-4, -4, ::GetSystemMetrics(SM_CXMAXIMIZED) + 4,
                                   ::GetSystemMetrics(SM_CYMAXIMIZED) + 4};
}

void CMainFrame::WriteWindowPlacement(const WINDOWPLACEMENT* placement)
{
    CString text;
    text.Format("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", placement->flags, placement->showCmd,
                static_cast<int>(placement->ptMinPosition.x), static_cast<int>(placement->ptMinPosition.y),
                static_cast<int>(placement->ptMaxPosition.x), static_cast<int>(placement->ptMaxPosition.y),
                static_cast<int>(placement->rcNormalPosition.left), static_cast<int>(placement->rcNormalPosition.top),
                static_cast<int>(placement->rcNormalPosition.right),
                static_cast<int>(placement->rcNormalPosition.bottom));
    AfxGetApp()->WriteProfileString("Settings", "WindowPos", text);
}

// ---- selectors ---------------------------------------------------------------------------------

void CMainFrame::FillResultSelectors()
{
    ResultSelectorState state{};
    for (int i = 0; i < kResultSelectorCount; ++i) {
        state.count[i] = ResultItemCount(i);
        state.current[i] = ResultCurrentValue(i);
    }
    FillResultSelectors(state);
}

void CMainFrame::FillResultSelectors(const ResultSelectorState& state)
{
    for (int i = 0; i < kResultSelectorCount; ++i) {
        CComboBoxXP& combo = m_wndResultCombos[i];
        if (!combo.m_hWnd) continue;
        combo.ResetContent();
        const int count = state.count[i] < 0 ? 0 : (state.count[i] > kMostItems ? kMostItems : state.count[i]);
        for (int k = 1; k <= count; ++k) {
            CString text;
            if (i == kBucklingSelector)  // two buckling modes per force combination
                text.Format("%d-%d", (k + 1) / 2, k % 2 ? 1 : 2);
            else
                text.Format("%s%d", kResultPrefixes[i], k);
            if (k == 1) text += CString("  ") + kResultLabels[i];
            combo.AddString(text);
        }
        const int current = state.current[i];
        combo.SetCurSel(current >= 1 && current <= count ? current - 1 : -1);
        combo.EnableWindow(count >= 1);
    }
}

void CMainFrame::UpdateLoadCaseCombo()
{
    CComboBoxXP& combo = m_wndResultCombos[0];
    if (!combo.m_hWnd) return;
    const int current = ResultCurrentValue(0);
    combo.SetCurSel(current >= 1 && current <= combo.GetCount() ? current - 1 : -1);
}

void CMainFrame::FillLayerCombo()
{
    if (!m_wndLayerCombo.m_hWnd) return;
    m_wndLayerCombo.ResetContent();
    const int count = theLayers.GetSize();
    for (int i = 0; i < count; ++i) m_wndLayerCombo.AddString(theLayers[i].name);
    if (theLayers.GetCurrent() >= count) theLayers.SetCurrent(count - 1);
    m_wndLayerCombo.SetCurSel(theLayers.GetCurrent());
}

void CMainFrame::OnResultComboChanged(UINT id)
{
    const int selector = static_cast<int>(id - ID_RESULT_COMBO_FIRST);
    SetResultCurrentValue(selector, m_wndResultCombos[selector].GetCurSel() + 1);
}

void CMainFrame::OnLayerComboChanged()
{
    const int layer = m_wndLayerCombo.GetCurSel();
    if (layer < 0) return;
    theLayers.SetCurrent(layer);
    MoveSelectedObjectsToLayer(layer);
}

// ---- menus and drop-downs ------------------------------------------------------------------------

HMENU CMainFrame::FindSubMenuByText(HMENU menu, const char* text)
{
    if (!menu || !text) return nullptr;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (!sub) continue;
        if (MenuItemText(menu, i).Find(text) >= 0) return sub;
        if (HMENU found = FindSubMenuByText(sub, text)) return found;
    }
    return nullptr;
}

void CMainFrame::OnUpdateSpecialView(CCmdUI* ui)
{
    ui->Enable(CurrentViewMode() == 3);
}

void CMainFrame::OnDropDown(UINT id)
{
    for (const DropDown& d : kDropDowns) {
        if (d.command != id) continue;
        CMenu* menu = GetMenu();
        HMENU sub = menu ? FindSubMenuByText(menu->m_hMenu, d.submenu) : nullptr;
        if (sub) m_wndToolBars[d.bar].TrackPopupMenu(d.button, CMenu::FromHandle(sub));
        return;
    }
}

void CMainFrame::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
    if (!sysMenu && CMenuXP::GetXPLookNFeel(this)) CMenuXP::SetXPLookNFeel(this, popup->m_hMenu, true, false);
}

bool CMainFrame::IsBarOrFrame(HWND hwnd) const
{
    if (hwnd == m_hWnd) return true;
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CControlBar));
}

void CMainFrame::ShowToolBarMenu(CPoint screen)
{
    CMenu* menu = GetMenu();
    HMENU sub = menu ? FindSubMenuByText(menu->m_hMenu, "工具栏") : nullptr;
    if (sub) ::TrackPopupMenu(sub, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, m_hWnd, nullptr);
}

namespace {
CCmdTarget* modelCommandTargets[8] = {};
}  // namespace

void CMainFrame::AddModelCommandTarget(CCmdTarget* target)
{
    for (CCmdTarget*& slot : modelCommandTargets)
        if (!slot || slot == target) {
            slot = target;
            return;
        }
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    for (CCmdTarget* target : modelCommandTargets)
        if (target && target->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return FALSE;
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg)
{
    // A right click on a bar (its gripper and border too), on the frame's
    // client area or on its menu bar offers the toolbars.
    const bool down = msg->message == WM_RBUTTONDOWN;
    const bool ncDown = msg->message == WM_NCRBUTTONDOWN;
    const bool onFrame = msg->hwnd == m_hWnd;
    const bool onBar = (down || (ncDown && !onFrame)) && IsBarOrFrame(msg->hwnd);
    const bool onMenuBar = ncDown && onFrame && msg->wParam == HTMENU;
    if (onBar || onMenuBar) {
        ShowToolBarMenu(CPoint(msg->pt.x, msg->pt.y));
        return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(msg);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Losing the activation to a modeless dialog keeps the frame's active caption.
    if (message == WM_NCACTIVATE && !wParam) return TRUE;
    LRESULT result = 0;
    if (CMenuXP::GetXPLookNFeel(this) && CMenuXP::HandleFrameMessage(this, message, wParam, lParam, &result))
        return result;
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

// ---- hints --------------------------------------------------------------------------------------

LRESULT CMainFrame::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const LRESULT previous = CFrameWnd::OnSetMessageString(wParam, lParam);
    const UINT id = static_cast<UINT>(wParam);
    if (!lParam && id == AFX_IDS_IDLEMESSAGE) {
        ShowOperationPrompt();
    } else if (lParam) {
        ShowPromptText(reinterpret_cast<LPCTSTR>(lParam));
    } else {
        CString hint;
        GetMessageString(id, hint);
        ShowPromptText(hint);
    }
    return previous;
}

// ---- commands -------------------------------------------------------------------------------------

void CMainFrame::OnEndOperation()
{
    if (IsOperationRunning()) EndCurrentOperation();
}

void CMainFrame::OnUpdateLibraryDialog(CCmdUI* ui)
{
    ui->Enable(bModellerMode && HasLibraryDialog(ui->m_nID));
}

void CMainFrame::OnLibraryDialog(UINT id)
{
    if (!bModellerMode || !HasLibraryDialog(id)) return;
    if (id != ID_LIB_SPRINGS) EndAllOperations();
    if (RunLibraryDialog(id) == IDOK) MarkModifiedAndRedraw();
}

CString HelpFilePath(UINT command)
{
    static const char* const names[] = {"Manual.chm", "AdvManual.chm", "AuxManual.chm", "Examples.chm", "KORVALIB.chm"};
    if (command < ID_HELP_MANUAL || command > ID_HELP_LIBRARY_DOCUMENT || !CProcessManager::korvaPath[0])
        return CString();
    return CString(CProcessManager::korvaPath) + "\\Help\\" + names[command - ID_HELP_MANUAL];
}

void CMainFrame::OnUpdateHelpFile(CCmdUI* ui)
{
    const CString path = HelpFilePath(ui->m_nID);
    const DWORD attributes = path.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(path);
    ui->Enable(attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY));
}

void CMainFrame::OnHelpFile(UINT id)
{
    const CString path = HelpFilePath(id);
    if (!path.IsEmpty() && ShowHelpFile(m_hWnd, path)) return;
    CString text;
    text.Format("无法找到帮助文档:%s", path.GetString());
    AfxMessageBoxOwned(m_hWnd, text, "错误", MB_OK | MB_ICONERROR);
}

void CMainFrame::OnUpdatePage()
{
    OpenWebPage(m_hWnd, AfxLoadString(IDS_UPDATE_ADDRESS));
}

// ---- the mesher's callbacks -------------------------------------------------------------------

void MeshPromptCallback(const char* text)
{
    ShowPromptText(text);
}

void MeshMessageCallback(const char* text)
{
    FrameMessageBox(text, MB_OK);
}
