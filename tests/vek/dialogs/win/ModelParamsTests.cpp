// The axis-grid editor and the eigen parameters, each opened by its command
// and driven by clicks, typed digits and names, and grid keys.
#include <gtest/gtest.h>

#include <memory>

#include "DialogTestUtil.h"
#include "vek/app/EditDialog.h"
#include "vek/dialogs/AxisEditDlg.h"
#include "vek/dialogs/EigenDlg.h"
#include "vek/dialogs/InputDialogs.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/res/ModelParamsRes.h"
#include "vek/view/operate/ViewCommands.h"

using namespace dlgtest;

namespace {

constexpr int kAxisGridCommand = 32812;
constexpr int kEigenCommand = 32817;

CAxisGrid* MakeGrid(const char* name, double x)
{
    auto* g = new CAxisGrid;
    g->SetName(name);
    g->SetOrigin(x, 0, 0);
    CAxisList a, b;
    a.Add(CAxisGridItem(1, 0.0));
    a.Add(CAxisGridItem(2, 6.0));
    b.Add(CAxisGridItem(1, 0.0));
    b.Add(CAxisGridItem(2, 3.0));
    g->SetFromTables(a, b);
    return g;
}

double Position(const CAxisList& list, int i)
{
    return AxisPosition(list, i);
}

class ModelParamsWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        theProjectOptions.bPlaneModel = 0;
        theAxisGrids.RemoveAll();
        theAxisGrids.Add(MakeGrid("A", 0));
        theProjectOptions.bAxisGridsInElevations = 0;
        theEigenPara.Reset();
    }
    void TearDown() override
    {
        vektest::CancelSoon();
        theAxisGrids.RemoveAll();
        RegenerateGridNodes();
        theProjectOptions.bPlaneModel = 0;
        theEigenPara.Reset();
    }
    // Runs the command with the dialog driven by drive; whether it ended with OK.
    template <class T>
    static bool Run(int command, std::function<void(T*)> drive)
    {
        bool driven = false;
        WhenModalOf<T>([&](T* d) {
            driven = true;
            drive(d);
        });
        const CViewCommandState before = QueryViewCommand(command);
        EXPECT_TRUE(before.enabled) << command;
        const bool ran = RunViewCommand(command);
        EXPECT_TRUE(ran && driven);
        return ran && driven;
    }
};

}  // namespace

TEST_F(ModelParamsWin, AxisGridsAreEditedOnCopiesAndOkPutsThemInPlace)
{
    apptest::BoxRecorder boxes;
    Run<CAxisEditDlg>(kAxisGridCommand, [](CAxisEditDlg* dlg) {
        const HWND d = dlg->m_hWnd;
        EXPECT_EQ(Selection(::GetDlgItem(d, IDC_AX_NAME)), 0);
        EXPECT_EQ(ItemText(d, IDC_AX_FIRST_LABEL), "X向布置（纵线）");
        EXPECT_EQ(CellText(dlg->m_tables[0], 2, 2), "6");
        Click(d, IDC_AX_POLAR);
        EXPECT_EQ(ItemText(d, IDC_AX_FIRST_LABEL), "径向布置（弧线）");
        EXPECT_EQ(ItemText(d, IDC_AX_SECOND_LABEL), "弧向布置（放射线）");
        EXPECT_FALSE(Enabled(d, IDC_AX_DX));
        Click(d, IDC_AX_ECCENTRIC);
        EXPECT_TRUE(Enabled(d, IDC_AX_DX));
        Click(d, IDC_AX_ORTHOGONAL);
        EXPECT_FALSE(Enabled(d, IDC_AX_DX));
        TypeInto(::GetDlgItem(d, IDC_AX_X), "5");

        // A new grid by its name, typed in GBK.
        WhenModalOf<CEditDialog>([](CEditDialog* ask) {
            EXPECT_EQ(TextOf(ask->m_hWnd), "输入轴网名对话框");
            TypeInto(ask->m_edits[0]->m_hWnd, "轴网二");
            EXPECT_EQ(TextOf(ask->m_edits[0]->m_hWnd), "轴网二");
            Click(ask->m_hWnd, IDOK);
        });
        Click(d, IDC_AX_ADD);
        EXPECT_EQ(::SendDlgItemMessageA(d, IDC_AX_NAME, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(Selection(::GetDlgItem(d, IDC_AX_NAME)), 1);
        EXPECT_EQ(CellText(dlg->m_tables[0], 1, 1), "");
        // Lines 1 and 2 at 4 apart, line 3 5 further; one line across.
        TypeCells(dlg->m_tables[0], 1, 1, {"1", "4", "3", "5"});
        TypeCells(dlg->m_tables[1], 1, 1, {"1", "6"});
        Picture(d, "axis_edit");
        Click(d, IDOK);
    });
    ASSERT_EQ(theAxisGrids.GetCount(), 2);
    double x, y, angle;
    theAxisGrids.GetAt(0)->GetOrigin(x, y, angle);
    EXPECT_DOUBLE_EQ(x, 5);
    const CAxisGrid& added = *theAxisGrids.GetAt(1);
    EXPECT_STREQ(added.GetName(), "轴网二");
    ASSERT_EQ(added.First().GetSize(), 3);
    EXPECT_DOUBLE_EQ(Position(added.First(), 0), 4);
    EXPECT_DOUBLE_EQ(Position(added.First(), 1), 8);
    EXPECT_DOUBLE_EQ(Position(added.First(), 2), 13);
    ASSERT_EQ(added.Second().GetSize(), 1);
    EXPECT_DOUBLE_EQ(Position(added.Second(), 0), 6);
    EXPECT_EQ(theGridNodes.GetSize(), 4 + 3);  // 2 x 2 and 3 x 1 crossings
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(ModelParamsWin, CancelLeavesTheGridsAsTheyWere)
{
    apptest::BoxRecorder boxes;
    boxes.answer = IDYES;
    Run<CAxisEditDlg>(kAxisGridCommand, [](CAxisEditDlg* dlg) {
        TypeInto(::GetDlgItem(dlg->m_hWnd, IDC_AX_X), "9");
        Click(dlg->m_hWnd, IDC_AX_DELETE);
        EXPECT_EQ(::SendDlgItemMessageA(dlg->m_hWnd, IDC_AX_NAME, CB_GETCOUNT, 0, 0), 0);
        EXPECT_FALSE(Enabled(dlg->m_hWnd, IDC_AX_X));
        PostKey(::GetDlgItem(dlg->m_hWnd, IDC_AX_ADD), VK_ESCAPE);
    });
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "是否要删除第1号轴网：A？");
    ASSERT_EQ(theAxisGrids.GetCount(), 1);
    double x, y, angle;
    theAxisGrids.GetAt(0)->GetOrigin(x, y, angle);
    EXPECT_DOUBLE_EQ(x, 0);
}

TEST_F(ModelParamsWin, ATwentyFirstGridIsRefusedAndDeletingTheLastChoosesTheOneBefore)
{
    char name[8];
    for (int i = 2; i <= 20; ++i) {
        std::snprintf(name, sizeof name, "G%d", i);
        theAxisGrids.Add(MakeGrid(name, i));
    }
    apptest::BoxRecorder boxes;
    boxes.answer = IDYES;
    Run<CAxisEditDlg>(kAxisGridCommand, [&](CAxisEditDlg* dlg) {
        const HWND d = dlg->m_hWnd;
        Click(d, IDC_AX_ADD);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], "轴网总数不能超过20，无法建立新的轴网。");
        ChooseByKeys(::GetDlgItem(d, IDC_AX_NAME), 19);
        EXPECT_EQ(dlg->m_drafts.m_current, 19);
        Click(d, IDC_AX_DELETE);
        ASSERT_EQ(boxes.texts.size(), 2u);
        EXPECT_EQ(boxes.texts[1], "是否要删除第20号轴网：G20？");
        EXPECT_EQ(Selection(::GetDlgItem(d, IDC_AX_NAME)), 18);
        EXPECT_EQ(ItemText(d, IDC_AX_X), "19");
        Click(d, IDOK);
    });
    EXPECT_EQ(theAxisGrids.GetCount(), 19);
    EXPECT_STREQ(theAxisGrids.GetAt(18)->GetName(), "G19");
}

TEST_F(ModelParamsWin, APlaneModelLabelsItsTablesYAndZAndKeepsGridsOnElevations)
{
    theProjectOptions.bPlaneModel = 1;
    Run<CAxisEditDlg>(kAxisGridCommand, [](CAxisEditDlg* dlg) {
        const HWND d = dlg->m_hWnd;
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(d, IDC_AX_ELEVATIONS)));
        EXPECT_EQ(ItemText(d, IDC_AX_FIRST_LABEL), "Y向布置（纵线）");
        EXPECT_EQ(ItemText(d, IDC_AX_SECOND_LABEL), "Z向布置（横线）");
        Picture(d, "axis_edit_plane");
        Click(d, IDOK);
    });
    EXPECT_EQ(theProjectOptions.bAxisGridsInElevations, 1);
}

TEST_F(ModelParamsWin, EigenFieldsFollowTheComputeBoxAndOkStoresModesMethodAndFactors)
{
    apptest::BoxRecorder boxes;
    Run<CEigenDlg>(kEigenCommand, [&](CEigenDlg* dlg) {
        const HWND d = dlg->m_hWnd;
        for (int id : {IDC_EG_MINUS_Z, IDC_EG_MODES, IDC_EG_RITZ, IDC_EG_LANCZOS, IDC_EG_STURM})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_FALSE(::IsWindowEnabled(dlg->m_table->m_hWnd));
        Click(d, IDC_EG_ON);
        EXPECT_TRUE(Enabled(d, IDC_EG_MODES));
        EXPECT_TRUE(::IsWindowEnabled(dlg->m_table->m_hWnd));
        EXPECT_EQ(CellText(dlg->m_table, 2, 1), "2");

        // Modes on with a count below 1 are refused; the dialog stays.
        TypeInto(::GetDlgItem(d, IDC_EG_MODES), "0");
        Click(d, IDOK);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], "振型(周期)计算个数必须大于0！");
        EXPECT_TRUE(::IsWindowVisible(d));

        TypeInto(::GetDlgItem(d, IDC_EG_MODES), "12");
        Click(d, IDC_EG_LANCZOS);
        TypeCells(dlg->m_table, 2, 2, {"0.5", "4", "0.25"});
        Picture(d, "eigen");
        Click(d, IDOK);
    });
    const CEigenPara& e = theEigenPara;
    EXPECT_EQ(e.on, 1);
    EXPECT_EQ(e.modes, 12);
    EXPECT_EQ(e.method, 3);
    auto& f = const_cast<LoadFactorList&>(e.massFactors);
    ASSERT_EQ(f.GetSize(), 3);
    EXPECT_EQ(f.GetAt(1)->loadCase, 2);
    EXPECT_FLOAT_EQ(f.GetAt(1)->factor, 0.5f);
    EXPECT_EQ(f.GetAt(2)->loadCase, 4);
    EXPECT_FLOAT_EQ(f.GetAt(2)->factor, 0.25f);
}

TEST_F(ModelParamsWin, EigenCancelChangesNothingAndModesOffMayKeepAnyCount)
{
    Run<CEigenDlg>(kEigenCommand, [](CEigenDlg* dlg) {
        Click(dlg->m_hWnd, IDC_EG_ON);
        TypeInto(::GetDlgItem(dlg->m_hWnd, IDC_EG_MODES), "30");
        PostKey(::GetDlgItem(dlg->m_hWnd, IDC_EG_MODES), VK_ESCAPE);
    });
    EXPECT_EQ(theEigenPara.on, 0);
    EXPECT_EQ(theEigenPara.modes, 10);

    Run<CEigenDlg>(kEigenCommand, [](CEigenDlg* dlg) {
        Click(dlg->m_hWnd, IDC_EG_ON);
        TypeInto(::GetDlgItem(dlg->m_hWnd, IDC_EG_MODES), "0");
        Click(dlg->m_hWnd, IDC_EG_ON);  // off again: the count is not asked about
        Click(dlg->m_hWnd, IDOK);
    });
    EXPECT_EQ(theEigenPara.on, 0);
    EXPECT_EQ(theEigenPara.modes, 0);
}
