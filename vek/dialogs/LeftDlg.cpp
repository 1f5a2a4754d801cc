#include "vek/dialogs/LeftDlg.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "vek/app/MainFrm.h"
#include "vek/dialogs/logic/LeftPanelLogic.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayCommands.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/res/LeftPanelRes.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/win/BottomDlg.h"

CLeftDlg* theLeftDlg = nullptr;

namespace {

constexpr int kLoadCaseRangeText = 105;  // "荷载种类号必须在1-32767之间!"
constexpr int kBoundaryDrawing = 806;

// The controls over which the panel is not dragged while they are enabled.
constexpr int kLiveControls[] = {IDC_LP_SCREEN_POINTS, IDC_LP_SNAP_ON,  IDC_LP_SNAP_MODES, IDC_LP_SELECT_METHOD,
                                 IDC_LP_STOREYS,       IDC_LP_PLATFORM, IDC_LP_LOAD_CASE,  IDC_LP_STOREY_RANGE,
                                 IDC_LP_GENERATE,      IDC_LP_ARC};

}  // namespace

IMPLEMENT_DYNAMIC(CLeftDlg, CModelessDialog)

BEGIN_MESSAGE_MAP(CLeftDlg, CModelessDialog)
ON_BN_CLICKED(IDC_LP_STOREY_RANGE, &CLeftDlg::OnStoreyRange)
ON_BN_CLICKED(IDC_LP_PLATFORM, &CLeftDlg::OnPlatform)
ON_BN_CLICKED(IDC_LP_SNAP_MODES, &CLeftDlg::OnSnapModes)
ON_BN_CLICKED(IDC_LP_SNAP_ON, &CLeftDlg::OnSnapOn)
ON_BN_CLICKED(IDC_LP_SCREEN_POINTS, &CLeftDlg::OnScreenPoints)
ON_CBN_SELCHANGE(IDC_LP_SELECT_METHOD, &CLeftDlg::OnSelectMethodChosen)
ON_CBN_SELCHANGE(IDC_LP_GENERATE, &CLeftDlg::OnGenerateChosen)
ON_CBN_SELCHANGE(IDC_LP_ARC, &CLeftDlg::OnArcChosen)
ON_CBN_SELCHANGE(IDC_LP_STOREYS, &CLeftDlg::OnStoreyChosen)
ON_EN_KILLFOCUS(IDC_LP_LOAD_CASE, &CLeftDlg::OnLoadCaseLeft)
ON_UPDATE_COMMAND_UI(IDC_LP_SNAP_ON, &CLeftDlg::OnUpdateControls)
ON_UPDATE_COMMAND_UI(IDC_LP_STOREY_RANGE, &CLeftDlg::OnUpdateControls)
ON_UPDATE_COMMAND_UI(IDC_LP_PLATFORM, &CLeftDlg::OnUpdateControls)
ON_UPDATE_COMMAND_UI(IDC_LP_SCREEN_POINTS, &CLeftDlg::OnUpdateControls)
ON_WM_NCHITTEST()
ON_WM_SETCURSOR()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CLeftDlg::CLeftDlg() : CModelessDialog(IDD_LEFT_DLG, nullptr) {}

BOOL CLeftDlg::Create(CWnd* parent)
{
    return CModelessDialog::Create(IDD_LEFT_DLG, parent);
}

BOOL CLeftDlg::OnInitDialog()
{
    CModelessDialog::OnInitDialog();
    static const char* const kSelect[] = {"单个和窗口选 F9", "区域选 F9", "交线选 F9"};
    for (const char* s : kSelect)
        ::SendDlgItemMessageA(m_hWnd, IDC_LP_SELECT_METHOD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    static const char* const kArcs[] = {"1.起点+圆心+终点",   "2.起点+圆心+角度", "3.起点+圆心+弦长",
                                        "4.起点+终点+弧上点", "5.起点+终点+角度", "6.起点+终点+半径"};
    for (const char* s : kArcs) ::SendDlgItemMessageA(m_hWnd, IDC_LP_ARC, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    // The dropped lists are wider than their boxes.
    const struct {
        int id, num, den;
    } widths[] = {{IDC_LP_SELECT_METHOD, 5, 3}, {IDC_LP_STOREYS, 7, 2}, {IDC_LP_ARC, 3, 2}};
    for (const auto& w : widths) {
        if (CWnd* c = GetDlgItem(w.id)) {
            CRect r;
            c->GetWindowRect(&r);
            ::SendDlgItemMessageA(m_hWnd, w.id, CB_SETDROPPEDWIDTH, r.Width() * w.num / w.den, 0);
        }
    }
    ::SendDlgItemMessageA(m_hWnd, IDC_LP_ARC, CB_SETCURSEL, 3, 0);
    ShowLayerAndPlatform();
    ShowCurrentLoadCase();
    ShowSnapSettings();
    ShowSelectMethod();
    FillGenerateMethods(false);
    return TRUE;
}

bool CLeftDlg::Usable(int id)
{
    const HWND c = m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr;
    return c && ::IsWindowEnabled(c);
}

std::string CLeftDlg::ComboText(int id, int index)
{
    const HWND c = ::GetDlgItem(m_hWnd, id);
    if (!c || index < 0) return {};
    const LRESULT n = ::SendMessageA(c, CB_GETLBTEXTLEN, index, 0);
    if (n == CB_ERR) return {};
    std::string text(size_t(n) + 1, '\0');
    ::SendMessageA(c, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(n));
    return text;
}

void CLeftDlg::ShowLayerAndPlatform()
{
    if (!m_hWnd) return;
    SetDlgItemText(IDC_LP_STOREY_RANGE, leftpanel::StoreyRangeText().c_str());
    SetDlgItemText(IDC_LP_PLATFORM, leftpanel::PlatformText().c_str());
    const std::vector<std::string> entries = leftpanel::StoreyEntries();
    if (entries.empty()) return;
    const HWND combo = ::GetDlgItem(m_hWnd, IDC_LP_STOREYS);
    if (!combo) return;
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries) ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    ::SendMessageA(combo, CB_SETCURSEL, leftpanel::CurrentStoreyEntry(), 0);
}

void CLeftDlg::ShowCurrentLoadCase()
{
    const HWND edit = m_hWnd ? ::GetDlgItem(m_hWnd, IDC_LP_LOAD_CASE) : nullptr;
    if (!edit || !::IsWindow(edit)) return;
    char text[16];
    std::snprintf(text, sizeof text, "%d", int(theProjectOptions.nCurrentLoadCase));
    ::SetWindowTextA(edit, text);
}

void CLeftDlg::ShowSnapSettings()
{
    if (m_hWnd) SetDlgItemText(IDC_LP_SNAP_MODES, theOsnapState.GetStatusText().c_str());
}

void CLeftDlg::ShowSelectMethod()
{
    if (!m_hWnd) return;
    if (theProjectOptions.nSelectMethod > 2) theProjectOptions.nSelectMethod = 0;
    ::SendDlgItemMessageA(m_hWnd, IDC_LP_SELECT_METHOD, CB_SETCURSEL, theProjectOptions.nSelectMethod, 0);
}

void CLeftDlg::FillGenerateMethods(bool onlyIfChanged)
{
    const HWND combo = m_hWnd ? ::GetDlgItem(m_hWnd, IDC_LP_GENERATE) : nullptr;
    if (!combo) return;
    const int operation = theProjectOptions.nCurrentCommand;
    if (onlyIfChanged && operation == m_nFilledFor) return;
    m_nFilledFor = operation;
    const std::vector<int> codes = leftpanel::MethodsOf(operation);
    if (codes.empty()) {
        ::EnableWindow(combo, FALSE);
    } else {
        const int chosen = leftpanel::MethodFor(operation, theProjectOptions.nGenerateMethod);
        theProjectOptions.nGenerateMethod = static_cast<uint8_t>(chosen);
        ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        int select = 0;
        for (int code : codes) {
            const CString text = AfxLoadString(leftpanel::MethodStringId(code));
            if (text.IsEmpty()) continue;
            const LRESULT at = ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
            if (code == chosen && at >= 0) select = int(at);
        }
        ::SendMessageA(combo, CB_SETCURSEL, select, 0);
        ::EnableWindow(combo, TRUE);
    }
    UpdateArcMethodCombo();
}

void CLeftDlg::SelectGenerateEntry(int index)
{
    if (m_hWnd) ::SendDlgItemMessageA(m_hWnd, IDC_LP_GENERATE, CB_SETCURSEL, index, 0);
    UpdateArcMethodCombo();
}

int CLeftDlg::GetArcMethod()
{
    if (!Usable(IDC_LP_ARC)) return 0;
    const LRESULT sel = ::SendDlgItemMessageA(m_hWnd, IDC_LP_ARC, CB_GETCURSEL, 0, 0);
    return sel >= 0 && sel < 6 ? int(sel) + 1 : 0;
}

void CLeftDlg::SetArcMethod(int method)
{
    if (method >= 1 && method <= 6 && Usable(IDC_LP_ARC))
        ::SendDlgItemMessageA(m_hWnd, IDC_LP_ARC, CB_SETCURSEL, method - 1, 0);
}

void CLeftDlg::UpdateArcMethodCombo()
{
    const HWND arc = m_hWnd ? ::GetDlgItem(m_hWnd, IDC_LP_ARC) : nullptr;
    if (!arc) return;
    const bool methods = Usable(IDC_LP_GENERATE);
    const std::string entry =
        methods ? ComboText(IDC_LP_GENERATE, int(::SendDlgItemMessageA(m_hWnd, IDC_LP_GENERATE, CB_GETCURSEL, 0, 0)))
                : "";
    ::EnableWindow(arc, leftpanel::ArcListEnabled(methods, entry.c_str(), theProjectOptions.nCurrentCommand));
    if (::SendMessageA(arc, CB_GETCURSEL, 0, 0) < 0) ::SendMessageA(arc, CB_SETCURSEL, 0, 0);
}

void CLeftDlg::AdjustWidth()
{
    if (!m_hWnd) return;
    const bool wide = leftpanel::WantsWide(Usable(IDC_LP_STOREY_RANGE), Usable(IDC_LP_GENERATE), Usable(IDC_LP_ARC));
    if (wide == m_bWide) return;
    CWnd* edge = GetDlgItem(wide ? IDC_LP_STOREY_RANGE : IDC_LP_PLATFORM);
    if (!edge) return;
    CRect own, control;
    GetWindowRect(&own);
    edge->GetWindowRect(&control);
    MoveWindow(own.left, own.top, control.right + 4 - own.left, own.Height(), TRUE);
    m_bWide = wide;
}

// ---- the controls ----------------------------------------------------------------------------

void CLeftDlg::OnStoreyRange()
{
    ChooseStoreyRange();
}

void CLeftDlg::OnPlatform()
{
    SetWorkingStorey();
}

void CLeftDlg::OnSnapModes()
{
    theOsnapState.OptionsDialog();
    ShowSnapSettings();
}

void CLeftDlg::OnSnapOn()
{
    theOsnapState.SetMaster(IsDlgButtonChecked(IDC_LP_SNAP_ON) == BST_CHECKED);
}

void CLeftDlg::OnScreenPoints()
{
    theProjectOptions.nPickOption = IsDlgButtonChecked(IDC_LP_SCREEN_POINTS) == BST_CHECKED ? 1 : 0;
}

void CLeftDlg::OnSelectMethodChosen()
{
    const LRESULT sel = ::SendDlgItemMessageA(m_hWnd, IDC_LP_SELECT_METHOD, CB_GETCURSEL, 0, 0);
    if (sel >= 0 && sel <= 2) theProjectOptions.nSelectMethod = static_cast<uint8_t>(sel);
}

void CLeftDlg::OnGenerateChosen()
{
    const LRESULT sel = ::SendDlgItemMessageA(m_hWnd, IDC_LP_GENERATE, CB_GETCURSEL, 0, 0);
    int code =
        leftpanel::MethodFromText(ComboText(IDC_LP_GENERATE, int(sel)).c_str(), theProjectOptions.nGenerateMethod);
    if (!leftpanel::MethodAllowed(code, ModelProjection().GetMode())) {
        AppMessageBox("立体工作平台下不能使用这种生成方式！");
        const LRESULT single = ::SendDlgItemMessageA(m_hWnd, IDC_LP_GENERATE, CB_FINDSTRING, WPARAM(-1),
                                                     reinterpret_cast<LPARAM>(leftpanel::MethodText(1)));
        ::SendDlgItemMessageA(m_hWnd, IDC_LP_GENERATE, CB_SETCURSEL, single >= 0 ? single : 0, 0);
        code = 1;
    }
    theProjectOptions.nGenerateMethod = static_cast<uint8_t>(code);
    UpdateArcMethodCombo();
    RestartCapture(true);
}

void CLeftDlg::OnArcChosen()
{
    RestartCapture(false);
}

void CLeftDlg::RestartCapture(bool methodChanged)
{
    CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if (!op) return;
    op->DrawRubberBand();  // drawn by inversion: a second time erases it
    op->m_points.clear();
    op->m_screen.clear();
    if (methodChanged) op->m_bMethodChanged = 1;
    theOperationStack.UpdateOperationPrompt();
}

void CLeftDlg::OnStoreyChosen()
{
    const LRESULT sel = ::SendDlgItemMessageA(m_hWnd, IDC_LP_STOREYS, CB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    leftpanel::ChooseStoreyEntry(int(sel));
}

void CLeftDlg::OnLoadCaseLeft()
{
    char text[64] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_LP_LOAD_CASE, text, sizeof text);
    switch (leftpanel::StoreLoadCase(text)) {
        case leftpanel::ELoadCaseChange::Same: return;
        case leftpanel::ELoadCaseChange::Refused:
            AppMessageBoxID(kLoadCaseRangeText);
            ShowCurrentLoadCase();
            break;
        case leftpanel::ELoadCaseChange::Changed: break;
    }
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, AfxGetMainWnd())) frame->UpdateLoadCaseCombo();
    if (leftpanel::LoadsShown()) ModelHooks().InvalidateModel();
}

void CLeftDlg::OnUpdateControls(CCmdUI* ui)
{
    const bool storeys = theLevels.GetCount() > 0;
    const bool plan = ModelProjection().GetMode() == 1;
    switch (ui->m_nID) {
        case IDC_LP_SNAP_ON:
            ui->SetCheck(theOsnapState.IsOn(COsnapState::kMaster) ? 1 : 0);
            FillGenerateMethods(true);
            break;
        case IDC_LP_STOREY_RANGE:
            ui->Enable(storeys && plan);
            AdjustWidth();
            break;
        case IDC_LP_PLATFORM:
            ui->Enable(plan);
            if (CWnd* combo = GetDlgItem(IDC_LP_STOREYS)) combo->EnableWindow(storeys ? TRUE : FALSE);
            break;
        case IDC_LP_SCREEN_POINTS: ui->SetCheck(theProjectOptions.nPickOption ? 1 : 0); break;
        default: break;
    }
}

// ---- dragging and the axis symbol --------------------------------------------------------------

LRESULT CLeftDlg::OnNcHitTest(CPoint pt)
{
    for (int id : kLiveControls) {
        const HWND c = ::GetDlgItem(m_hWnd, id);
        if (!c || !::IsWindowVisible(c) || !::IsWindowEnabled(c)) continue;
        RECT r;
        ::GetWindowRect(c, &r);
        if (::PtInRect(&r, pt)) return HTCLIENT;
    }
    return HTCAPTION;
}

BOOL CLeftDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest == HTCAPTION) {
        if (HCURSOR drag = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_LP_DRAG_CURSOR))) {
            ::SetCursor(drag);
            return TRUE;
        }
    }
    return CModelessDialog::OnSetCursor(wnd, hitTest, message);
}

void CLeftDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item)
{
    if (id != IDC_LP_AXES || !item) return;
    DrawAxes(item->hDC, item->rcItem);
}

void CLeftDlg::DrawAxes(HDC dc, const RECT& r)
{
    const int mode = ModelProjection().GetMode();
    const char* labels[3];
    leftpanel::AxisLabels(mode, theProjectOptions.bPlaneModel != 0, labels);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    HPEN yellow = ::CreatePen(PS_SOLID, 0, RGB(255, 255, 0));
    HBRUSH yellowFill = ::CreateSolidBrush(RGB(255, 255, 0));
    ::SelectObject(dc, yellow);
    ::SelectObject(dc, ::GetStockObject(ANSI_FIXED_FONT));
    ::SetTextColor(dc, RGB(255, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    auto line = [&](int x1, int y1, int x2, int y2) {
        ::MoveToEx(dc, x1, y1, nullptr);
        ::LineTo(dc, x2, y2);
    };
    auto label = [&](const char* text, int x, int y, UINT align) {
        ::SetTextAlign(dc, align);
        ::TextOutA(dc, x, y, text, int(std::strlen(text)));
    };
    if (mode != 3) {
        line(L + 6, T + 2, L + 6, B - 6);
        ::LineTo(dc, R - 6, B - 6);
        const POINT up[] = {{L + 3, T + 5}, {L + 6, T + 2}, {L + 9, T + 5}};
        const POINT right[] = {{R - 9, B - 9}, {R - 6, B - 6}, {R - 9, B - 3}};
        ::Polyline(dc, up, 3);
        ::Polyline(dc, right, 3);
        ::SelectObject(dc, ::GetStockObject(BLACK_BRUSH));
        ::Ellipse(dc, L + 2, B - 10, L + 11, B - 1);
        ::SelectObject(dc, yellowFill);
        ::Ellipse(dc, L + 5, B - 7, L + 8, B - 4);
        label(labels[0], R - 6, B - 6, TA_RIGHT | TA_BOTTOM);
        label(labels[1], L + 8, T + 2, TA_LEFT | TA_TOP);
        label(labels[2], L + 8, B - 8, TA_LEFT | TA_BASELINE);
    } else {
        const CModelProjection& view = ModelProjection();
        const double height = B - T;
        const double scale = view.GetScale();
        const double len = scale > 0 ? height * 0.5 / scale : 1;
        const double origin[3] = {0, 0, 0};
        double ox, oy;
        view.WorldToScreen(origin, ox, oy);
        const int cx = (L + R) / 2, cy = (T + B) / 2;
        const double t = height / 4;
        for (int axis = 0; axis < 3; ++axis) {
            double p[3] = {0, 0, 0};
            p[axis] = len;
            double sx, sy;
            view.WorldToScreen(p, sx, sy);
            const double dx = sx - ox, dy = sy - oy;
            const int ex = cx + int(std::lround(dx)), ey = cy + int(std::lround(dy));
            line(cx, cy, ex, ey);
            int h, v;
            leftpanel::LabelSides(dx, dy, t, h, v);
            label(labels[axis], ex, ey, (h < 0 ? TA_RIGHT : TA_LEFT) | (v < 0 ? TA_BOTTOM : TA_TOP));
        }
    }
    ::RestoreDC(dc, saved);
    ::DeleteObject(yellow);
    ::DeleteObject(yellowFill);
}

// ---- the links --------------------------------------------------------------------------------

void BindLeftPanelLinks()
{
    CPromptBarLinks& links = thePromptBarLinks;
    links.getArcMethod = [] { return theLeftDlg ? theLeftDlg->GetArcMethod() : 0; };
    links.setArcMethod = [](int method) {
        if (theLeftDlg) theLeftDlg->SetArcMethod(method);
    };
    links.fillGenerateMethods = [] {
        if (theLeftDlg) theLeftDlg->FillGenerateMethods(false);
    };
    links.clearGenerateMethods = [] {
        if (theLeftDlg) theLeftDlg->FillGenerateMethods(false);
    };
    links.selectGenerateEntry = [](int index) {
        if (theLeftDlg) theLeftDlg->SelectGenerateEntry(index);
    };
    links.refreshSnapText = [] {
        if (theLeftDlg) theLeftDlg->ShowSnapSettings();
    };
    links.showSelectMethod = [] {
        if (theLeftDlg) theLeftDlg->ShowSelectMethod();
    };
    links.refreshStoreyTexts = [] {
        if (theLeftDlg) theLeftDlg->ShowLayerAndPlatform();
    };
}
