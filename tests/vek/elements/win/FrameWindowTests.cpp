// The frame commands and panels in the program's own frame, driven by the
// input a user's clicks and keys make: a beam load given through its dialog
// and the beam clicked, an end toggled by a click near it, undo and redo by
// their keys, the model saved and opened again; a beam clicked across nodes
// and a beam; each panel typed into and clicked, the modal dialogs cancelled
// without a change. A picture of each panel goes to the artifacts' dialogs
// folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "ProgramDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestSupport.h"
#include "analysis/TableWnd.h"
#include "vek/app/DialogsBar.h"
#include "vek/dialogs/InputDialogs.h"
#include "vek/dialogs/frames/FramePanels.h"
#include "vek/dialogs/frames/SortMethodDlg.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameCommands.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Sections.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/TightWire.h"
#include "vek/res/ElementPanelsRes.h"
#include "vek/res/FramePanelsRes.h"
#include "vek/res/InteractRes.h"
#include "vek/res/resource.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/win/BottomDlg.h"

extern CVekApp theApp;

namespace {

using namespace vektest;

// The menu commands, as the menu sends them.
constexpr UINT kCmdBeamLoads = 32872;
constexpr UINT kCmdReleases = 32873;
constexpr UINT kCmdToggleEnd = 331;
constexpr UINT kCmdRigidEnds = 32870;
constexpr UINT kCmdTemperature = 32874;
constexpr UINT kCmdTension = 273;
constexpr UINT kCmdLocalAxis = 32868;
constexpr UINT kCmdOutputSections = 333;
constexpr UINT kCmdCables = 32811;
constexpr UINT kCmdFrameInfo = 32907;
constexpr UINT kCmdFrameAxes = 32908;
constexpr UINT kCmdVariableAlongLine = 33166;
constexpr UINT kCmdDeleteUnused = 32837;

class FrameWindowTest : public ProgramWindowTest {
protected:
    static void SetUpTestSuite()
    {
        BindFramePanels();
        BindElementPanels();
        ::CreateDirectoryA(VEK_ARTIFACTS "/dialogs", nullptr);
    }
    void SetUp() override
    {
        ProgramWindowTest::SetUp();
        theProjectOptions.nSelectMethod = 0;
        theProjectOptions.nCurrentLoadCase = 1;
        savedDefaults = theFrameDefaults;
    }
    void TearDown() override
    {
        theModelessDlgs.CloseAll();
        theFrameDefaults = savedDefaults;
        ProgramWindowTest::TearDown();
    }
    const char* FailureShot() const override { return "frame_window_failure"; }
    void ClickView(POINT p) { ClickAt(p); }
    // A real click in the middle of a dialog's control.
    static void ClickItem(HWND dlg, int id)
    {
        HWND item = ::GetDlgItem(dlg, id);
        ASSERT_NE(item, nullptr) << id;
        RECT r;
        ::GetWindowRect(item, &r);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        MouseTo(x, y);
        ASSERT_TRUE(Wait([&] {
            POINT c;
            ::GetCursorPos(&c);
            return c.x == x && c.y == y;
        }));
        MouseButton(true);
        MouseButton(false);
    }
    // Clicks an edit, replaces its text by typed keys, and leaves it by Tab.
    static void TypeInto(HWND dlg, int id, const char* keys)
    {
        ClickItem(dlg, id);
        HWND edit = ::GetDlgItem(dlg, id);
        ASSERT_TRUE(Wait([&] { return ::GetFocus() == edit; })) << id;
        ::SendMessageA(edit, EM_SETSEL, 0, -1);
        for (const char* k = keys; *k; ++k) {
            const char c = *k;
            if (c == '-')
                Tap(VK_OEM_MINUS);
            else if (c == '.')
                Tap(VK_OEM_PERIOD);
            else
                Tap(WORD(c));
        }
        ASSERT_TRUE(Wait([&] { return Text(dlg, id) == keys; })) << id;
        Tap(VK_TAB);
        ASSERT_TRUE(Wait([&] { return ::GetFocus() != edit; })) << id;
        Pump();
    }
    static std::string Text(HWND dlg, int id)
    {
        char text[256] = {};
        ::GetDlgItemTextA(dlg, id, text, sizeof text);
        return text;
    }
    // The newest panel the dialog manager holds.
    static HWND Panel() { return theModelessDlgs.m_dialogs.empty() ? nullptr : theModelessDlgs.m_dialogs.back(); }
    // The shown modal dialog of this thread holding the control, or null.
    static HWND DialogWith(int id)
    {
        struct Find {
            int id;
            HWND found;
        } f{id, nullptr};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND w, LPARAM lp) -> BOOL {
                auto* f = reinterpret_cast<Find*>(lp);
                if (!::IsWindowVisible(w) || !::GetDlgItem(w, f->id)) return TRUE;
                f->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&f));
        return f.found;
    }
    // After a failed step the dialog is cancelled, so the test goes on.
    static void Bail(HWND dlg)
    {
        if (::testing::Test::HasFailure() && ::IsWindow(dlg)) ::PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    }
    static void Shot(HWND dlg, const char* name)
    {
        ::RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        EXPECT_FALSE(SaveScreenShot(dlg, (std::string("dialogs/") + name).c_str()).empty()) << name;
    }
    static int Beam(double x0, double y0, double x1, double y1)
    {
        const double a[3] = {x0, y0, 0}, b[3] = {x1, y1, 0};
        theUndo.BeginRecord();
        const int id = AddOneFrame(FindOrAddNode(a), FindOrAddNode(b));
        theUndo.EndRecord();
        theUndo.Clear();
        return id;
    }
    static float LoadValue(int id)
    {
        const CFrame* f = FindFrame(id);
        const int at = f ? f->m_Loads.Index(1) : -1;
        if (at < 0) return 0;
        const DLoadPoints& p = theFrameLoads.GetAt(f->m_Loads[at].nValue - 1)->m_Points[0][2];
        return p.Entries() ? p.m_pV[0] : 0;
    }

    // The frame-load command shows the load's text; its button opens the
    // load dialog, which `drive` works through on the screen.
    void ChangeLoadThroughPanel(const std::function<void()>& drive)
    {
        Command(kCmdBeamLoads);
        HWND panel = Panel();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(Text(panel, IDC_PD_TEXT), theFrameDefaults.m_Load.GetText());
        bool done = false;
        RunSoon([&] {
            drive();
            done = true;
        });
        ClickItem(panel, IDC_PD_BUTTON);
        ASSERT_TRUE(Wait([&] { return done && !DialogWith(IDC_FL_SIMPLE); }));
        Pump();
        // The panel shows the load as it is now.
        EXPECT_EQ(Text(panel, IDC_PD_TEXT), theFrameDefaults.m_Load.GetText());
    }

    CFrameDefaults savedDefaults;
};

TEST_F(FrameWindowTest, ABeamLoadAndAnEndToggleAreUndoneRedoneSavedAndOpened)
{
    const int beam = Beam(1, 5, 9, 5);
    ASSERT_NE(beam, 0);
    view->Invalidate();
    Pump();

    // The load dialog: a uniform -2.5 by the simplified input, then OK.
    ChangeLoadThroughPanel([] {
        HWND dlg = DialogWith(IDC_FL_SIMPLE);
        ASSERT_NE(dlg, nullptr);
        ClickItem(dlg, IDC_FL_SIMPLE);
        if (!Wait([&] { return ::GetFocus() == ::GetDlgItem(dlg, IDC_FL_SIMPLE); })) ADD_FAILURE() << "focus";
        for (WORD k : {WORD(VK_OEM_MINUS), WORD('2'), WORD(VK_OEM_PERIOD), WORD('5')}) Tap(k);
        if (!Wait([&] { return Text(dlg, IDC_FL_SIMPLE) == "-2.5"; })) ADD_FAILURE() << "typing";
        Shot(dlg, "frame_load_dialog");
        ClickItem(dlg, IDOK);
        Bail(dlg);
    });
    ASSERT_TRUE(Wait([] { return Code() == 95; }));
    EXPECT_NE(Text(Panel(), IDC_PD_TEXT).find("\r\n0.000 -2.500"), std::string::npos);
    EXPECT_TRUE(::IsWindowVisible(Panel()));
    EXPECT_EQ(theFrameDefaults.m_Load.m_Points.Entries(), 2);
    EXPECT_FLOAT_EQ(theFrameDefaults.m_Load.m_Points.m_pX[1], -1);

    const double mid[3] = {5, 5, 0};
    ClickView(Pixel(mid));
    ASSERT_TRUE(Wait([&] { return FindFrame(beam)->IsSelected(); }));
    theBottomDlg->UpdateBarControls();
    ::SendMessageA(::GetDlgItem(theBottomDlg->m_hWnd, IDC_BAR_APPLY), BM_CLICK, 0, 0);
    ASSERT_TRUE(Wait([&] { return LoadValue(beam) == -2.5f; }));
    theOperationStack.EndAllOperations();
    Pump();

    // A click near end J toggles that end.
    Command(kCmdToggleEnd);
    ASSERT_TRUE(Wait([] { return Code() == 108; }));
    const CFrame* f = FindFrame(beam);
    const double* j = FindNode(f->m_nNodeJ)->m_dCoord;
    const double* i = FindNode(f->m_nNodeI)->m_dCoord;
    const double nearJ[3] = {j[0] + (i[0] - j[0]) * 0.1, j[1], 0};
    ClickView(Pixel(nearJ));
    ASSERT_TRUE(Wait([&] { return FindFrame(beam)->m_cRelease[1] == 100; }));
    EXPECT_EQ(FindFrame(beam)->m_cRelease[4], 100);
    EXPECT_EQ(FindFrame(beam)->m_cRelease[0], 0);
    theOperationStack.EndAllOperations();
    Pump();

    Chord('Z');
    ASSERT_TRUE(Wait([&] { return FindFrame(beam)->m_cRelease[1] == 0; }));
    Chord('Z');
    ASSERT_TRUE(Wait([&] { return LoadValue(beam) == 0; }));
    Chord('Y');
    ASSERT_TRUE(Wait([&] { return LoadValue(beam) == -2.5f; }));
    Chord('Y');
    ASSERT_TRUE(Wait([&] { return FindFrame(beam)->m_cRelease[1] == 100; }));

    TempDir dir("framewin");
    ChosenFile() = dir.File("beam.prj");
    Command(ID_FILE_SAVE_AS);
    ASSERT_FALSE(frame->GetActiveDocument()->IsModified());
    Command(ID_FILE_NEW);
    ASSERT_EQ(theFrames.GetSize(), 0);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(theFrames.GetSize(), 1);
    EXPECT_EQ(LoadValue(beam), -2.5f);
    EXPECT_EQ(FindFrame(beam)->m_cRelease[1], 100);
    EXPECT_EQ(FindFrame(beam)->m_cRelease[4], 100);
}

// A beam clicked from node to node over two nodes and across a beam: four
// beams made, the crossed beam split at a new node; Ctrl+Z takes it all
// back, Ctrl+Y brings it again.
TEST_F(FrameWindowTest, ABeamClickedAcrossNodesAndABeamIsSplit)
{
    const int crossed = Beam(5, 2, 5, 8);
    for (double x : {1.0, 3.0, 7.0, 9.0}) {
        const double p[3] = {x, 5, 0};
        FindOrAddNode(p);
    }
    theUndo.Clear();
    view->Invalidate();
    Pump();
    ASSERT_EQ(theNodes.GetSize(), 6);

    Command(ID_GEOM_FRAME);
    ASSERT_NE(Code(), 0);
    ClickView(Pixel(1, 5));
    ClickView(Pixel(9, 5));
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 6; }));
    theOperationStack.EndAllOperations();
    Pump();
    EXPECT_EQ(theNodes.GetSize(), 7);
    const double middle[3] = {5, 5, 0};
    const int cross = FindNodeAt(middle);
    ASSERT_GT(cross, 0);
    EXPECT_EQ(FindNode(cross)->m_nElements, 4);
    EXPECT_TRUE(FindFrame(crossed)->m_nNodeI == cross || FindFrame(crossed)->m_nNodeJ == cross);
    // Four of 2 between the nodes along y = 5, the crossed beam's two halves of 3.
    int twos = 0, threes = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        const double length = theFrames.GetAt(i)->GetLength();
        twos += std::fabs(length - 2) < 1e-9;
        threes += std::fabs(length - 3) < 1e-9;
    }
    EXPECT_EQ(twos, 4);
    EXPECT_EQ(threes, 2);

    Chord('Z');
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 1; }));
    EXPECT_NEAR(FindFrame(crossed)->GetLength(), 6, 1e-9);
    Chord('Y');
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 6; }));
    EXPECT_EQ(FindNode(FindNodeAt(middle))->m_nElements, 4);
}

TEST_F(FrameWindowTest, EachPanelTakesTypedValuesAndClicks)
{
    Beam(1, 1, 6, 1);

    Command(kCmdReleases);
    HWND panel = Panel();
    ASSERT_NE(panel, nullptr);
    TypeInto(panel, IDC_REL_FIRST, "50");
    EXPECT_EQ(theFrameDefaults.m_cRelease[0], 50);
    // Axial force is released whole or not at all.
    TypeInto(panel, IDC_REL_FIRST + 2, "30");
    EXPECT_EQ(theFrameDefaults.m_cRelease[2], 0);
    EXPECT_EQ(Text(panel, IDC_REL_FIRST + 2), "0");
    ClickItem(panel, IDC_REL_HINGED);
    Pump();
    const uint8_t hinged[6] = {100, 100, 0, 100, 100, 0};
    EXPECT_TRUE(std::equal(hinged, hinged + 6, theFrameDefaults.m_cRelease));
    EXPECT_EQ(Text(panel, IDC_REL_FIRST + 4), "100");
    Shot(panel, "frame_release_panel");
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    Command(kCmdRigidEnds);
    panel = Panel();
    ASSERT_NE(panel, nullptr);
    TypeInto(panel, IDC_SE_RIGID_I, "0.4");
    TypeInto(panel, IDC_SE_I2, "-0.2");
    EXPECT_FLOAT_EQ(theFrameDefaults.m_fRigid[0], 0.4f);
    // The I-end eccentricity is copied to the J end.
    EXPECT_FLOAT_EQ(theFrameDefaults.m_fEcc[2], -0.2f);
    EXPECT_EQ(Text(panel, IDC_SE_J2), "-0.2");
    Shot(panel, "frame_rigid_ends_panel");
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    Command(kCmdTemperature);
    panel = Panel();
    ASSERT_NE(panel, nullptr);
    TypeInto(panel, IDC_FT_PRESTRESS, "30");
    TypeInto(panel, IDC_FT_T1, "-15");
    EXPECT_FLOAT_EQ(theFrameDefaults.m_fPrestress, 30);
    EXPECT_FLOAT_EQ(theFrameDefaults.m_fTemp[0], -15);
    Shot(panel, "frame_temperature_panel");
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    Command(kCmdTension);
    panel = Panel();
    ASSERT_NE(panel, nullptr);
    ClickItem(panel, IDC_AF_COMPRESSION);
    ASSERT_TRUE(Wait([] { return theFrameDefaults.m_nAxialType == 2; }));
    Shot(panel, "frame_axial_type_panel");
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    Command(kCmdLocalAxis);
    panel = Panel();
    ASSERT_NE(panel, nullptr);
    ClickItem(panel, IDC_AX_POINT);
    ASSERT_TRUE(Wait([&] { return Text(panel, IDC_AX_LABEL_X) == "该点的X坐标"; }));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(panel, IDC_AX_UNIT_X)));
    TypeInto(panel, IDC_AX_Y, "7");
    Shot(panel, "frame_local_axis_panel");
    ClickItem(panel, IDC_AX_POINT);
    ASSERT_TRUE(Wait([&] { return ::IsWindowEnabled(::GetDlgItem(panel, IDC_AX_UNIT_Z)) != FALSE; }));
    ClickItem(panel, IDC_AX_UNIT_Z);
    Pump();
    EXPECT_EQ(Text(panel, IDC_AX_Y), "0");
    EXPECT_EQ(Text(panel, IDC_AX_Z), "1");
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    Command(kCmdOutputSections);
    panel = Panel();
    ASSERT_NE(panel, nullptr);
    const int before = nFrameOutputSections;
    ClickItem(panel, IDC_FI_COUNT);
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    ASSERT_TRUE(Wait([&] { return nFrameOutputSections == before + 1; }));
    Shot(panel, "frame_output_sections_panel");
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    Command(kCmdCables);
    panel = Panel();
    ASSERT_NE(panel, nullptr);
    TypeInto(panel, IDC_TW_T, "-50");
    EXPECT_FLOAT_EQ(theTightWireParameter.m_wire.m_fT, 50);
    EXPECT_EQ(Text(panel, IDC_TW_T), "50");
    ClickItem(panel, IDC_TW_REMOVE);
    ASSERT_TRUE(Wait([] { return theTightWireParameter.m_cMode == 2; }));
    Shot(panel, "frame_cable_panel");
    theTightWireParameter = CTightWireParameter();
}

TEST_F(FrameWindowTest, CancelChangesNothing)
{
    Beam(1, 1, 6, 1);
    const int pointsBefore = theFrameDefaults.m_Load.m_Points.Entries();
    const uint8_t typeBefore = theFrameDefaults.m_Load.m_nType;
    ChangeLoadThroughPanel([] {
        HWND dlg = DialogWith(IDC_FL_SIMPLE);
        ASSERT_NE(dlg, nullptr);
        ClickItem(dlg, IDC_FL_SIMPLE);
        Tap('7');
        if (!Wait([&] { return Text(dlg, IDC_FL_SIMPLE) == "7"; })) ADD_FAILURE() << "typing";
        ClickItem(dlg, IDC_FL_TYPE3);
        ClickItem(dlg, IDCANCEL);
        Bail(dlg);
    });
    EXPECT_EQ(theFrameDefaults.m_Load.m_Points.Entries(), pointsBefore);
    EXPECT_EQ(theFrameDefaults.m_Load.m_nType, typeBefore);
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    // Distances and relative positions in one load are refused; the dialog stays.
    ChangeLoadThroughPanel([this] {
        HWND dlg = DialogWith(IDC_FL_SIMPLE);
        ASSERT_NE(dlg, nullptr);
        boxes.onShow = [] {};
        auto* grid = static_cast<CTableWnd*>(CWnd::FromHandle(::GetDlgItem(dlg, IDC_FL_GRID)));
        grid->SetCellText(1, 1, "2");
        grid->SetCellText(1, 2, "-1");
        grid->SetCellText(2, 1, "-1");
        grid->SetCellText(2, 2, "-1");
        ClickItem(dlg, IDOK);
        if (!Wait([&] { return !boxes.texts.empty(); })) ADD_FAILURE() << "no message";
        EXPECT_TRUE(::IsWindowVisible(dlg));
        ClickItem(dlg, IDCANCEL);
        Bail(dlg);
    });
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "正负数不能混用！");
    boxes.texts.clear();
    EXPECT_EQ(theFrameDefaults.m_Load.m_Points.Entries(), pointsBefore);

    // The renumbering order: Cancel keeps it, OK takes the clicked order.
    theProjectOptions.nSortOrder = 1;
    for (int ok : {0, 1}) {
        RunSoon([ok] {
            HWND dlg = DialogWith(IDC_SORT_NODES);
            ASSERT_NE(dlg, nullptr);
            ClickItem(dlg, IDC_SORT_FIRST + 2);
            ClickItem(dlg, IDC_SORT_ELEMENTS);
            if (ok) Shot(dlg, "sort_method_dialog");
            ClickItem(dlg, ok ? IDOK : IDCANCEL);
            Bail(dlg);
        });
        CSortMethodDlg dlg(frame);
        EXPECT_EQ(dlg.DoModal(), ok ? IDOK : IDCANCEL);
        EXPECT_EQ(theProjectOptions.nSortOrder, ok ? 3 : 1);
        if (ok) EXPECT_EQ(dlg.m_nWhat, 1);
    }
}

// The queries: a click on a beam shows its information, then its local axes,
// each in the parameter display beside the view.
TEST_F(FrameWindowTest, QueriesShowTheClickedBeam)
{
    const int beam = Beam(1, 5, 9, 5);
    view->Invalidate();
    Pump();
    auto shown = [](const char* title) {
        return Wait([title] {
            HWND p = Panel();
            char text[64] = {};
            if (p) ::GetWindowTextA(p, text, sizeof text);
            return std::string(text) == title;
        });
    };

    Command(kCmdFrameInfo);
    ASSERT_TRUE(Wait([] { return Code() == 101; }));
    ClickView(Pixel(5, 5));
    ASSERT_TRUE(shown("梁柱信息(大小可调)"));
    const std::string head = std::to_string(beam) + "号梁柱 I,J端节点=";
    EXPECT_EQ(Text(Panel(), IDC_PD_TEXT).compare(0, head.size(), head), 0) << Text(Panel(), IDC_PD_TEXT);
    EXPECT_FALSE(FindFrame(beam)->IsSelected());
    EXPECT_TRUE(::IsWindowVisible(Panel()));
    theOperationStack.EndAllOperations();
    theModelessDlgs.CloseAll();

    Command(kCmdFrameAxes);
    ASSERT_TRUE(Wait([] { return Code() == 102; }));
    ClickView(Pixel(5, 5));
    ASSERT_TRUE(shown("局部坐标参数(大小可调)"));
    EXPECT_EQ(Text(Panel(), IDC_PD_TEXT), "2轴的方向为：\r\ndirx=0.0000\r\ndiry=0.0000\r\ndirz=1.0000");
    EXPECT_FALSE(FindFrame(beam)->IsSelected());
    EXPECT_FALSE(theUndo.CanUndo());
}

// Two typed points lay the current variable section along two beams; the
// command waits for the next pair; Ctrl+Z and Ctrl+Y take the change back
// and forth whole.
TEST_F(FrameWindowTest, VariableSectionBetweenTwoTypedPoints)
{
    const int left = Beam(1, 5, 5, 5), right = Beam(5, 5, 9, 5);
    CVframeSect taper;
    taper.m_cKind = 1;
    taper.m_fStart[0] = 0.8f, taper.m_fStart[1] = 0.3f;
    taper.m_fEnd[0] = 0.4f, taper.m_fEnd[1] = 0.3f;
    theVframeSects.Add(taper);
    theCurrentProps.vframeSect = 1;
    view->Invalidate();
    Pump();

    Command(kCmdVariableAlongLine);
    ASSERT_TRUE(Wait([] { return Code() == 84; }));
    Pump();
    Type("#1 5\r");
    Type("#9 5\r");
    ASSERT_TRUE(Wait([&] { return FindFrame(right)->m_nSection == 3; }));
    ASSERT_TRUE(Wait([] { return Code() == 84; }));
    EXPECT_EQ(FindFrame(left)->m_nSection, 2);
    EXPECT_EQ(FindFrame(left)->GetSectionKind(), 2);
    ASSERT_EQ(theVframeSects.GetSize(), 3);
    EXPECT_FLOAT_EQ(theVframeSects.GetAt(1)->m_fEnd[0], 0.6f);
    EXPECT_FLOAT_EQ(theVframeSects.GetAt(2)->m_fStart[0], 0.6f);
    EXPECT_FLOAT_EQ(theVframeSects.GetAt(2)->m_fEnd[0], 0.4f);
    Type("\x1b\x1b");
    ASSERT_TRUE(Wait([] { return Code() == 0; }));

    Chord('Z');
    ASSERT_TRUE(Wait([&] { return FindFrame(left)->m_nSection == 0; }));
    EXPECT_EQ(FindFrame(right)->m_nSection, 0);
    EXPECT_EQ(theVframeSects.GetSize(), 1);
    Chord('Y');
    ASSERT_TRUE(Wait([&] { return FindFrame(right)->m_nSection == 3; }));
    EXPECT_EQ(theVframeSects.GetSize(), 3);
    theCurrentProps.vframeSect = 0;
}

// "删除无用数据" drops the sections no frame uses, renumbers the rest and
// says how many went in a passing prompt.
TEST_F(FrameWindowTest, UnusedSectionsAreDeletedByTheFileMenu)
{
    const int beam = Beam(1, 5, 9, 5);
    for (float h : {0.5f, 0.6f, 0.7f}) {
        CFrameSect s;
        s.m_fPara[0] = h;
        AddFrameSect(s, 0, 0, 0);
    }
    FindFrame(beam)->SetSection(2, 0);
    Command(kCmdDeleteUnused);
    ASSERT_EQ(theFrameSects.GetSize(), 1);
    EXPECT_FLOAT_EQ(theFrameSects.GetAt(0)->m_fPara[0], 0.6f);
    EXPECT_EQ(FindFrame(beam)->m_nSection, 1);
    EXPECT_TRUE(frame->GetActiveDocument()->IsModified());
    const std::string said = "删除了没有梁柱使用的截面2个、变截面0个、钢截面0个、预应力钢索0根";
    HWND prompt = nullptr;
    ASSERT_TRUE(Wait([&] {
        prompt = DialogWith(IDC_FLASH_TEXT);
        return prompt && Text(prompt, IDC_FLASH_TEXT) == said;
    }));
    Shot(prompt, "frame_purge_prompt");
}

}  // namespace
