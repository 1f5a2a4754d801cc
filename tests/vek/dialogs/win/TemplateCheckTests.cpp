// The dialog templates of the program: every control the code names is
// there, every text fits its control in the dialog's font, and no two
// controls overlap unless one is a group box (or a frame a grid is made over).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTestUtil.h"
#include "vek/res/ElementPanelsRes.h"
#include "vek/res/FileNewRes.h"
#include "vek/res/LeftPanelRes.h"
#include "vek/res/LoadCombinationsRes.h"
#include "vek/res/ModelParamsRes.h"
#include "vek/res/RestraintsRes.h"

using namespace dlgtest;

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct Control {
    HWND hwnd;
    int id;
    std::string cls;
    LONG style;
    RECT rect;  // dialog client coordinates
    std::string text;
};

std::vector<Control> ControlsOf(HWND dlg)
{
    std::vector<Control> all;
    for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        Control k{c, ::GetDlgCtrlID(c), {}, ::GetWindowLongA(c, GWL_STYLE), {}, TextOf(c)};
        char cls[64] = {};
        ::GetClassNameA(c, cls, sizeof cls);
        k.cls = cls;
        ::GetWindowRect(c, &k.rect);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&k.rect), 2);
        all.push_back(k);
    }
    return all;
}

bool IsButton(const Control& c, LONG kind)
{
    return _stricmp(c.cls.c_str(), "Button") == 0 && (c.style & BS_TYPEMASK) == kind;
}

bool IsGroup(const Control& c)
{
    return IsButton(c, BS_GROUPBOX);
}

bool IsFrame(const Control& c)
{
    return _stricmp(c.cls.c_str(), "Static") == 0 && (c.style & SS_TYPEMASK) == SS_ETCHEDFRAME;
}

// The width a text needs on one line in the control's font ("&" marks a key).
int TextWidth(const Control& c, int room)
{
    std::string text;
    for (size_t i = 0; i < c.text.size(); ++i)
        if (c.text[i] != '&' || (i + 1 < c.text.size() && c.text[i + 1] == '&')) text += c.text[i];
    HDC dc = ::GetDC(c.hwnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(c.hwnd, WM_GETFONT, 0, 0)));
    RECT r = {0, 0, room, 0};
    int width;
    const bool lines =
        (_stricmp(c.cls.c_str(), "Static") == 0 || (c.style & BS_MULTILINE)) && c.rect.bottom - c.rect.top >= 18;
    if (lines) {
        // A text of more than one line breaks its words: it must fit in height.
        ::DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
        width = r.bottom > c.rect.bottom - c.rect.top ? 100000 : 0;
    } else {
        SIZE s{};
        ::GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &s);
        width = s.cx;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(c.hwnd, dc);
    return width;
}

struct TemplateCase {
    int id;
    const char* name;
    std::vector<int> ids;  // what the code names
};

}  // namespace

TEST(DialogTemplates, NamedControlsExistTextsFitAndNothingOverlaps)
{
    ASSERT_NE(Frame(), nullptr);
    const TemplateCase cases[] = {
        {IDD_AXIS_EDIT,
         "axis edit",
         {IDC_AX_DELETE, IDC_AX_ADD, IDC_AX_NAME, IDC_AX_ORTHOGONAL, IDC_AX_POLAR, IDC_AX_ECCENTRIC, IDC_AX_X, IDC_AX_Y,
          IDC_AX_ANGLE, IDC_AX_DX, IDC_AX_DY, IDC_AX_FIRST_LABEL, IDC_AX_SECOND_LABEL, IDC_AX_FIRST_TABLE,
          IDC_AX_SECOND_TABLE, IDC_AX_SHOW, IDC_AX_ELEVATIONS, IDOK, IDCANCEL}},
        {IDD_EIGEN,
         "eigen",
         {IDC_EG_ON, IDC_EG_MINUS_Z, IDC_EG_MODES, IDC_EG_RITZ, IDC_EG_FACTORS, IDC_EG_SUBSPACE, IDC_EG_LANCZOS,
          IDC_EG_STURM, IDOK, IDCANCEL}},
        {IDD_NODE_LOAD,
         "node load",
         {IDC_NL_FX, IDC_NL_FY, IDC_NL_FZ, IDC_NL_MX, IDC_NL_MY, IDC_NL_MZ, IDC_NL_REPLACE, IDC_NL_ADD, IDC_NL_SUBTRACT,
          IDC_NL_DELETE_TYPE, IDC_NL_DELETE_ALL, IDC_NL_VALUE}},
        {IDD_EDIT_PROMPT,
         "edit prompt",
         {IDC_EP_TITLE, IDC_EP_EDIT1, IDC_EP_EDIT1 + 5, IDC_EP_LABEL1, IDC_EP_LABEL1 + 5}},
        {IDD_PARA_DISP, "parameter display", {IDC_PD_BUTTON, IDC_PD_TEXT}},
        {IDD_ONE_LOAD_COMB,
         "one combination",
         {IDC_OC_FACTORS, IDC_OC_EQ1, IDC_OC_EQ2, IDC_OC_EQV, IDC_OC_CONSTRUCTION, IDC_OC_STEP, IDC_OC_HISTORY,
          IDC_OC_EQ1_LABEL, IDC_OC_EQ2_LABEL, IDC_OC_EQ_METHOD, IDC_OC_HISTORY_METHOD, IDOK, IDCANCEL}},
        {IDD_LOAD_COMB,
         "combination list",
         {IDC_LC_DELETE, IDC_LC_CLEAR, IDC_LC_LIST, IDC_LC_ADD, IDC_LC_LIBRARY, IDC_LC_EDIT, IDC_LC_NOTEPAD,
          IDC_LC_SAME, IDOK, IDCANCEL}},
        {IDD_FREEDOM, "restraints", {IDC_FR_UX, IDC_FR_RZ, IDC_FR_ALL, IDC_FR_NONE, IDC_FR_INVERT}},
        {IDD_FREEDOM_PLAN, "plane restraints", {IDC_FR_UY, IDC_FR_RX, IDC_FR_FIXED, IDC_FR_FREE}},
        {IDD_FILE_NEW, "new project", {IDC_FN_SPACE, IDC_FN_PLANE, IDC_FN_OPEN, IDC_FN_RECENT}},
        {IDD_LEFT_DLG, "left panel", {IDC_LP_SNAP_ON, IDC_LP_STOREYS, IDC_LP_LOAD_CASE, IDC_LP_SCREEN_POINTS}},
    };
    for (const TemplateCase& t : cases) {
        SCOPED_TRACE(t.name);
        HWND dlg = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(t.id), Frame()->m_hWnd, Quiet, 0);
        ASSERT_NE(dlg, nullptr);
        for (int id : t.ids) EXPECT_NE(::GetDlgItem(dlg, id), nullptr) << "control " << id;
        const std::vector<Control> all = ControlsOf(dlg);
        for (const Control& c : all) {
            if (c.text.empty() || IsGroup(c)) continue;
            int room = c.rect.right - c.rect.left;
            if (IsButton(c, BS_AUTOCHECKBOX) || IsButton(c, BS_AUTORADIOBUTTON) || IsButton(c, BS_AUTO3STATE) ||
                IsButton(c, BS_CHECKBOX) || IsButton(c, BS_RADIOBUTTON))
                room -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
            else if (_stricmp(c.cls.c_str(), "Button") == 0)
                room -= 6;
            EXPECT_LE(TextWidth(c, room), room) << "\"" << c.text << "\" (" << c.id << ")";
        }
        for (size_t i = 0; i < all.size(); ++i)
            for (size_t j = i + 1; j < all.size(); ++j) {
                const Control &a = all[i], &b = all[j];
                if (IsGroup(a) || IsGroup(b) || IsFrame(a) || IsFrame(b)) continue;
                RECT both;
                EXPECT_FALSE(::IntersectRect(&both, &a.rect, &b.rect))
                    << "\"" << a.text << "\" (" << a.id << ") and \"" << b.text << "\" (" << b.id << ")";
            }
        ::DestroyWindow(dlg);
    }
}
