// The model's records through the program's windows: the storey count
// command on the edit dialog, typed into as a user would (counts outside
// 1..199 are refused with the message and the dialog comes again), and a
// layer the model adds showing in the main frame's selector.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/EditDialog.h"
#include "vek/app/ModelBindings.h"
#include "vek/model/LayerList.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/display/DisplayCommands.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyCommands.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

// Answers the edit dialogs to come, one entry each: the texts typed into
// its rows from the first and the button pressed.
struct Answer {
    std::vector<std::string> typed;
    int button;
};

// What a dialog showed: its title and its rows' labels.
struct Shown {
    std::string title;
    std::vector<std::string> labels;
};

void AnswerDialogs(std::vector<Answer> answers, std::vector<Shown>* shown)
{
    if (answers.empty()) return;
    vektest::RunSoon([answers, shown]() mutable {
        vektest::PumpUntil([] {
            CDialog* d = CDialog::GetActiveModal();
            return d && d->m_hWnd && ::IsWindowVisible(d->m_hWnd) && d->GetDlgItem(103);
        });
        CEditDialog* d = DYNAMIC_DOWNCAST(CEditDialog, CDialog::GetActiveModal());
        ASSERT_NE(d, nullptr);
        Shown seen;
        CString text;
        d->GetWindowText(text);
        seen.title = text.GetString();
        for (CWnd* label : d->m_labels) {
            label->GetWindowText(text);
            seen.labels.push_back(text.GetString());
        }
        shown->push_back(seen);
        for (size_t i = 0; i < answers.front().typed.size(); ++i)
            d->SetDlgItemText(103 + int(i), answers.front().typed[i].c_str());
        const int button = answers.front().button;
        answers.erase(answers.begin());
        AnswerDialogs(answers, shown);
        d->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
}

struct StoreyCount : ::testing::Test {
    void SetUp() override
    {
        ASSERT_NE(apptest::Frame(), nullptr);
        theLevels.Reset();
        theStoreyLists.Clear();
        m_previous = SetValueDialogs(&m_dialogs);
    }
    void TearDown() override
    {
        SetValueDialogs(m_previous);
        theLevels.Reset();
        theStoreyLists.Clear();
    }
    CEditValueDialogs m_dialogs;
    CValueDialogs* m_previous = nullptr;
};

}  // namespace

TEST_F(StoreyCount, ZeroAnd200AreRefusedWithTheMessageUntilACountFits)
{
    apptest::BoxRecorder boxes;
    std::vector<Shown> shown;
    AnswerDialogs({{{"0"}, IDOK}, {{"200"}, IDOK}, {{"12"}, IDOK}}, &shown);
    EXPECT_TRUE(InputStoreyCount());
    EXPECT_EQ(theLevels.count, 12);
    EXPECT_EQ(theStoreyLists.GetSize(), 13);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "总层数必须在1-199之间，请重新输入!");
    EXPECT_EQ(boxes.texts[1], "总层数必须在1-199之间，请重新输入!");
    ASSERT_EQ(shown.size(), 3u);
    for (const Shown& d : shown) {
        EXPECT_EQ(d.title, "总层数输入");
        EXPECT_EQ(d.labels, std::vector<std::string>{"总层数:"});
    }
}

TEST_F(StoreyCount, CancelAfterARefusalKeepsTheCount)
{
    apptest::BoxRecorder boxes;
    std::vector<Shown> shown;
    AnswerDialogs({{{"200"}, IDOK}, {{"7"}, IDCANCEL}}, &shown);
    EXPECT_FALSE(InputStoreyCount());
    EXPECT_EQ(theLevels.count, 0);
    EXPECT_EQ(theStoreyLists.GetSize(), 0);
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(shown.size(), 2u);
}

using StoreyRangeAndPlatform = StoreyCount;

TEST_F(StoreyRangeAndPlatform, ThreeRowsGiveTheRangeInTheirOrder)
{
    theLevels.count = 9;
    theLevels.current = 5;
    for (int s = -1; s <= 9; ++s) theLevels.Shown(s) = 0;
    std::vector<Shown> shown;
    AnswerDialogs({{{"1", "9", "2"}, IDOK}}, &shown);
    EXPECT_TRUE(ChooseStoreyRange());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "选择层范围");
    EXPECT_EQ(shown[0].labels, (std::vector<std::string>{"开始层号(0-9):", "结束层号(0-9):", "层号增量(1-9):"}));
    EXPECT_EQ(theLevelRange.first, 1);
    EXPECT_EQ(theLevelRange.last, 9);
    EXPECT_EQ(theLevelRange.step, 2);
    EXPECT_EQ(theLevels.current, 5);
    for (int s = 0; s <= 9; ++s) EXPECT_EQ(theLevels.Shown(s), s % 2) << s;
    theLevelRange.Reset();
}

TEST_F(StoreyRangeAndPlatform, WithoutStoreysTheTypedNumberIsThePlanElevation)
{
    struct Projection : CModelProjection {
        double z = 0;
        double GetPlanElevation() const override { return z; }
        void SetPlanElevation(double value) override { z = value; }
    } projection;
    projection.z = 1.25;
    CModelProjection* previous = SetModelProjection(&projection);
    std::vector<Shown> shown;
    AnswerDialogs({{{"-3.5"}, IDOK}, {{"8"}, IDCANCEL}}, &shown);
    EXPECT_TRUE(SetWorkingStorey());
    EXPECT_DOUBLE_EQ(projection.z, -3.5);
    EXPECT_FALSE(SetWorkingStorey());
    EXPECT_DOUBLE_EQ(projection.z, -3.5);
    SetModelProjection(previous);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, "输入平面工作平台的高度");
    EXPECT_EQ(shown[0].labels, std::vector<std::string>{"平面工作平台的高度Z坐标:"});
}

TEST(ModelHooksOfTheWindows, ALayerTheModelAddsIsOfferedInTheFramesSelector)
{
    CMainFrame* frame = apptest::Frame();
    ASSERT_NE(frame, nullptr);
    CWindowModelHooks hooks;
    CModelHooks* previous = SetModelHooks(&hooks);
    theLayers.Reset();
    frame->FillLayerCombo();
    CComboBoxXP& combo = frame->GetLayerCombo();
    ASSERT_EQ(combo.GetCount(), 1);

    const int added = theLayers.GetDefaultLayer(false);
    EXPECT_EQ(added, 1);
    ASSERT_EQ(combo.GetCount(), 2);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_STREQ(text.GetString(), "自动剖分的图层");
    // Asking again finds it: the selector is not filled twice.
    EXPECT_EQ(theLayers.GetDefaultLayer(true), 1);
    EXPECT_EQ(combo.GetCount(), 2);

    SetModelHooks(previous);
    theLayers.Reset();
    frame->FillLayerCombo();
}
