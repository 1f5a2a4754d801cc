// The model's records through the program's windows: the storey count
// command on the edit dialog, typed into as a user would (counts outside
// 1..199 are refused with the message and the dialog comes again), and a
// layer the model adds showing in the main frame's selector.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/ModelBindings.h"
#include "vek/model/LayerList.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyCommands.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

// Answers the edit dialogs to come, one entry each: the text typed into the
// first row and the button pressed.
struct Answer {
    std::string typed;
    int button;
};

void AnswerDialogs(std::vector<Answer> answers, std::vector<std::string>* titles)
{
    if (answers.empty()) return;
    vektest::RunSoon([answers, titles]() mutable {
        vektest::PumpUntil([] {
            CDialog* d = CDialog::GetActiveModal();
            return d && d->m_hWnd && ::IsWindowVisible(d->m_hWnd) && d->GetDlgItem(103);
        });
        CDialog* d = CDialog::GetActiveModal();
        CString title;
        d->GetWindowText(title);
        titles->push_back(title.GetString());
        d->SetDlgItemText(103, answers.front().typed.c_str());
        const int button = answers.front().button;
        answers.erase(answers.begin());
        AnswerDialogs(answers, titles);
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
    std::vector<std::string> titles;
    AnswerDialogs({{"0", IDOK}, {"200", IDOK}, {"12", IDOK}}, &titles);
    EXPECT_TRUE(InputStoreyCount());
    EXPECT_EQ(theLevels.count, 12);
    EXPECT_EQ(theStoreyLists.GetSize(), 13);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "总层数必须在1-199之间，请重新输入!");
    EXPECT_EQ(boxes.texts[1], "总层数必须在1-199之间，请重新输入!");
    EXPECT_EQ(titles, (std::vector<std::string>(3, "总层数输入")));
}

TEST_F(StoreyCount, CancelAfterARefusalKeepsTheCount)
{
    apptest::BoxRecorder boxes;
    std::vector<std::string> titles;
    AnswerDialogs({{"200", IDOK}, {"7", IDCANCEL}}, &titles);
    EXPECT_FALSE(InputStoreyCount());
    EXPECT_EQ(theLevels.count, 0);
    EXPECT_EQ(theStoreyLists.GetSize(), 0);
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(titles.size(), 2u);
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
