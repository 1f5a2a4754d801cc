// The load-combination dialogs, opened by the two combination commands:
// rows keep their combinations (three OKs do not round a factor), add, edit,
// delete and clear, the row tips, the library "Force.lib" and Notepad.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "DialogTestUtil.h"
#include "vek/dialogs/LoadCombDlg.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/res/LoadCombinationsRes.h"
#include "vek/view/operate/ViewCommands.h"

// After the framework's windows.h.
#include <commctrl.h>

using namespace dlgtest;

namespace {

constexpr int kForceCommand = 32818;
constexpr int kDisplacementCommand = 32931;

std::string LibraryPath()
{
    const std::string dir = apptest::ProgramFolder() + "\\Resource";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\Force.lib";
}

std::string started;
bool RecordStart(const std::string& line)
{
    started = line;
    return true;
}

class LoadCombWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        theProjectOptions.bPlaneModel = 0;
        theConstructionStages.on = 1;
        for (auto& list : theLoadCombinations) list.SetSize(0);
        ::DeleteFileA(LibraryPath().c_str());
        CLoadCombDlg::s_startProgram = RecordStart;
        started.clear();
    }
    void TearDown() override
    {
        vektest::CancelSoon();
        ::DeleteFileA(LibraryPath().c_str());
        for (auto& list : theLoadCombinations) list.SetSize(0);
        theConstructionStages.on = 0;
        theProjectOptions.bPlaneModel = 0;
    }
    // Every message box answered and recorded (a missing library says so at each opening).
    apptest::BoxRecorder boxes;
    static void Run(int command, std::function<void(CLoadCombDlg*)> drive)
    {
        bool driven = false;
        WhenModalOf<CLoadCombDlg>([&](CLoadCombDlg* d) {
            driven = true;
            drive(d);
        });
        EXPECT_TRUE(QueryViewCommand(command).enabled);
        EXPECT_TRUE(RunViewCommand(command));
        EXPECT_TRUE(driven);
    }
    // The next one-combination dialog answered by drive.
    static void OnOne(std::function<void(COneLoadCombDlg*)> drive) { WhenModalOf<COneLoadCombDlg>(drive); }
    static HWND List(CLoadCombDlg* d) { return ::GetDlgItem(d->m_hWnd, IDC_LC_LIST); }
    static int Rows(CLoadCombDlg* d) { return int(::SendMessageA(List(d), LVM_GETITEMCOUNT, 0, 0)); }
    static std::string Row(CLoadCombDlg* d, int i)
    {
        char text[256] = {};
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(List(d), LVM_GETITEMTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    // A click on a row, as the mouse selects it.
    static void ClickRow(CLoadCombDlg* d, int i)
    {
        RECT r{};
        r.left = LVIR_LABEL;
        ::SendMessageA(List(d), LVM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        ::SendMessageA(List(d), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(List(d), WM_LBUTTONUP, 0, at);
        vektest::PumpPending();
    }
    static std::string Tip(CLoadCombDlg* d, int row, int room = 1024)
    {
        std::string buffer(size_t(room), '\x01');
        NMLVGETINFOTIPA tip{};
        tip.hdr.hwndFrom = List(d);
        tip.hdr.idFrom = IDC_LC_LIST;
        tip.hdr.code = LVN_GETINFOTIPA;
        tip.pszText = buffer.data();
        tip.cchTextMax = room;
        tip.iItem = row;
        ::SendMessageA(d->m_hWnd, WM_NOTIFY, IDC_LC_LIST, reinterpret_cast<LPARAM>(&tip));
        return buffer.c_str();
    }
};

}  // namespace

TEST_F(LoadCombWin, ThreeOksOnARowKeepItsFactorsExactly)
{
    LoadCombination c;
    c.AddFactor(1, 1.375);
    c.AddFactor(2, 0.004);
    theLoadCombinations[0].Add(c);
    Run(kForceCommand, [](CLoadCombDlg* d) {
        ASSERT_EQ(Rows(d), 1);
        EXPECT_EQ(Row(d, 0), "C=1.38 0 ");  // shown with two decimals
        for (int k = 0; k < 3; ++k) {
            ClickRow(d, 0);
            OnOne([](COneLoadCombDlg* one) {
                EXPECT_EQ(CellText(one->m_table, 1, 2), "1.375");
                Click(one->m_hWnd, IDOK);
            });
            Click(d->m_hWnd, IDC_LC_EDIT);
        }
        Click(d->m_hWnd, IDOK);
    });
    ASSERT_EQ(theLoadCombinations[0].GetSize(), 1);
    const LoadCombination& after = *theLoadCombinations[0].GetAt(0);
    EXPECT_FLOAT_EQ(float(after.GetFactor(1)), 1.375f);
    EXPECT_FLOAT_EQ(float(after.GetFactor(2)), 0.004f);
}

TEST_F(LoadCombWin, AddEditDeleteAndClearWithTheirMessages)
{
    boxes.answer = IDYES;
    Run(kDisplacementCommand, [&](CLoadCombDlg* d) {
        boxes.texts.clear();  // the missing library's message
        const HWND h = d->m_hWnd;
        EXPECT_EQ(TextOf(h), "位移荷载组合数据维护对话框");
        EXPECT_EQ(ItemText(h, IDC_LC_CLEAR), "清除所有位移组合(&C)");
        // Load cases 1 and 3 typed into the grid, an earthquake factor beside.
        OnOne([](COneLoadCombDlg* one) {
            TypeCells(one->m_table, 1, 1, {"1", "1.2", "3", "1.4"});
            TypeInto(::GetDlgItem(one->m_hWnd, IDC_OC_EQV), "0.5");
            Picture(one->m_hWnd, "one_load_comb");
            Click(one->m_hWnd, IDOK);
        });
        Click(h, IDC_LC_ADD);
        ASSERT_EQ(Rows(d), 1);
        EXPECT_EQ(Row(d, 0), "C=1.2 0 1.4 E=0 0 0.5 ");
        EXPECT_EQ(Tip(d, 0), "组合1=荷载种类1×1.20+荷载种类3×1.40+竖向地震×0.50");
        EXPECT_EQ(Tip(d, 0, 12), "组合1=荷载");  // cut before a split character
        EXPECT_EQ(Tip(d, 5), "");

        // All zero adds nothing.
        OnOne([](COneLoadCombDlg* one) { Click(one->m_hWnd, IDOK); });
        Click(h, IDC_LC_ADD);
        EXPECT_EQ(Rows(d), 1);

        // Load case 1 with the construction result: the factor goes, with the message.
        OnOne([](COneLoadCombDlg* one) {
            TypeCells(one->m_table, 1, 1, {"1", "1"});
            TypeInto(::GetDlgItem(one->m_hWnd, IDC_OC_CONSTRUCTION), "1");
            Click(one->m_hWnd, IDOK);
        });
        Click(h, IDC_LC_ADD);
        ASSERT_EQ(Rows(d), 2);
        EXPECT_EQ(Row(d, 1), "C=1 ");
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0],
                  "由于施工模拟施加的荷载就是荷载种类1的荷载，固不能同时组合荷载种类1和施工模拟的最终结果！");

        // Editing a row down to zeros deletes it; Cancel leaves a row.
        ClickRow(d, 1);
        OnOne([](COneLoadCombDlg* one) {
            TypeCells(one->m_table, 1, 2, {"0"});
            Click(one->m_hWnd, IDOK);
        });
        Click(h, IDC_LC_EDIT);
        EXPECT_EQ(Rows(d), 1);
        ClickRow(d, 0);
        OnOne([](COneLoadCombDlg* one) {
            TypeCells(one->m_table, 1, 2, {"9"});
            PostKey(::GetDlgItem(one->m_hWnd, IDC_OC_EQ2), VK_ESCAPE);
        });
        Click(h, IDC_LC_EDIT);
        EXPECT_EQ(Row(d, 0), "C=1.2 0 1.4 E=0 0 0.5 ");
        Picture(h, "load_comb");

        // Nothing chosen: the edit and delete buttons say so.
        LVITEMA none{};
        none.stateMask = LVIS_SELECTED;
        ::SendMessageA(List(d), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&none));
        Click(h, IDC_LC_EDIT);
        Click(h, IDC_LC_DELETE);
        ASSERT_EQ(boxes.texts.size(), 3u);
        EXPECT_EQ(boxes.texts[1], "没有选中组合项，修改失败！");
        EXPECT_EQ(boxes.texts[2], "没有选中组合项，删除失败！");
        Click(h, IDOK);
    });
    EXPECT_EQ(theLoadCombinations[0].GetSize(), 0);
    ASSERT_EQ(theLoadCombinations[1].GetSize(), 1);
    EXPECT_FLOAT_EQ(theLoadCombinations[1].GetAt(0)->c[2], 0.5f);

    // Clear asks; Cancel of the list then keeps the rows all the same.
    Run(kDisplacementCommand, [&](CLoadCombDlg* d) {
        Click(d->m_hWnd, IDC_LC_CLEAR);
        EXPECT_EQ(boxes.texts.back(), "是否要删除所有的组合项？");
        EXPECT_EQ(Rows(d), 0);
        PostKey(::GetDlgItem(d->m_hWnd, IDC_LC_ADD), VK_ESCAPE);
    });
    EXPECT_EQ(theLoadCombinations[1].GetSize(), 1);
}

TEST_F(LoadCombWin, ALibrarySectionReplacesTheRowsAndTheSameCombinationsGoToBothLists)
{
    FILE* f = std::fopen(LibraryPath().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("[钢结构]基本组合\nc=1.2 1.4\nC=1 0 1\n\n[混凝土]\nC=1.35 0.98\n", f);
    std::fclose(f);
    LoadCombination old;
    old.AddFactor(5, 1);
    theLoadCombinations[0].Add(old);
    Run(kForceCommand, [](CLoadCombDlg* d) {
        const HWND combo = ::GetDlgItem(d->m_hWnd, IDC_LC_LIBRARY);
        ASSERT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(EntryText(combo, 1), "[钢结构]基本组合");
        ChooseByKeys(combo, 1);
        EXPECT_EQ(Selection(combo), 0);  // back on the prompt
        ASSERT_EQ(Rows(d), 2);
        EXPECT_EQ(Row(d, 0), "C=1.2 1.4 ");
        EXPECT_EQ(Row(d, 1), "C=1 0 1 ");
        Click(d->m_hWnd, IDC_LC_NOTEPAD);
        Click(d->m_hWnd, IDC_LC_SAME);
        Click(d->m_hWnd, IDOK);
    });
    EXPECT_EQ(started, "notepad.exe \"" + LibraryPath() + "\"");
    ASSERT_EQ(theLoadCombinations[0].GetSize(), 2);
    ASSERT_EQ(theLoadCombinations[1].GetSize(), 2);
    EXPECT_TRUE(theLoadCombinations[1].GetAt(1)->IsEqual(*theLoadCombinations[0].GetAt(1)));
}

TEST_F(LoadCombWin, WithoutALibraryTheListOpensAllTheSame)
{
    Run(kForceCommand, [](CLoadCombDlg* d) {
        EXPECT_FALSE(Enabled(d->m_hWnd, IDC_LC_LIBRARY));
        Click(d->m_hWnd, IDC_LC_NOTEPAD);
        PostKey(::GetDlgItem(d->m_hWnd, IDC_LC_ADD), VK_ESCAPE);
    });
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "无法打开相应库文件" + LibraryPath());
    EXPECT_EQ(boxes.texts[1], "无法找到文件：" + LibraryPath());
    EXPECT_TRUE(started.empty());
}

TEST_F(LoadCombWin, APlaneModelHasOneHorizontalEarthquakeAndNoStagesNoConstructionFactor)
{
    theProjectOptions.bPlaneModel = 1;
    theConstructionStages.on = 0;
    Run(kForceCommand, [](CLoadCombDlg* d) {
        OnOne([](COneLoadCombDlg* one) {
            const HWND h = one->m_hWnd;
            EXPECT_FALSE(Enabled(h, IDC_OC_EQ1));
            EXPECT_EQ(ItemText(h, IDC_OC_EQ2_LABEL), "水平地震");
            EXPECT_FALSE(Enabled(h, IDC_OC_CONSTRUCTION));
            EXPECT_EQ(::GetFocus(), one->m_table->m_hWnd);
            Picture(h, "one_load_comb_plane");
            TypeInto(::GetDlgItem(h, IDC_OC_EQ2), "1.3");
            ChooseByKeys(::GetDlgItem(h, IDC_OC_EQ_METHOD), 2);
            Click(h, IDOK);
        });
        Click(d->m_hWnd, IDC_LC_ADD);
        EXPECT_EQ(Row(d, 0), "Q=0 1.3 ");
        Click(d->m_hWnd, IDOK);
    });
    ASSERT_EQ(theLoadCombinations[0].GetSize(), 1);
    EXPECT_EQ(theLoadCombinations[0].GetAt(0)->CoefficientKind(), 2);
}
