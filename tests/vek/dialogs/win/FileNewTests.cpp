// The new-project dialog: opened by the document's new command, each button
// acts itself and ends it; closing it leaves a spatial model.
#include <gtest/gtest.h>

#include "DialogTestUtil.h"
#include "vek/dialogs/FileNewDlg.h"
#include "vek/model/ProjectOptions.h"
#include "vek/res/FileNewRes.h"

using namespace dlgtest;

namespace {

class FileNewWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Frame(), nullptr);
        OfferFileNewDialog(true);
    }
    void TearDown() override
    {
        OfferFileNewDialog(false);
        vektest::CancelSoon();
    }
    // The document's new command with the dialog answered by `answer`; true
    // once the dialog was there and answered.
    bool NewProjectAnswering(std::function<void(HWND)> answer)
    {
        bool answered = false;
        WhenModal([&](CDialog* d) {
            if (!d || !d->IsKindOf(RUNTIME_CLASS(CFileNewDlg))) return;
            answer(d->m_hWnd);
            answered = true;
        });
        if (CDocument* doc = Frame()->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
        Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
        vektest::PumpUntil([&] { return answered && !ActiveModal(); }, 5000);
        return answered;
    }
};

}  // namespace

TEST_F(FileNewWin, TheNewCommandAsksAndAPlaneOrSpatialModelFollows)
{
    ASSERT_TRUE(NewProjectAnswering([](HWND d) {
        EXPECT_EQ(ItemText(d, IDC_FN_PLANE), "新建平面结构。如，平面框架和桁架结构、平面应力或应变结构等");
        Picture(d, "file_new");
        Click(d, IDC_FN_PLANE);
    }));
    EXPECT_EQ(theProjectOptions.bPlaneModel, 1);
    EXPECT_EQ(theProjectOptions.bAxisGridsInElevations, 1);

    ASSERT_TRUE(NewProjectAnswering([](HWND d) { Click(d, IDC_FN_SPACE); }));
    EXPECT_EQ(theProjectOptions.bPlaneModel, 0);

    // Esc closes it: a new spatial model all the same.
    theProjectOptions.bPlaneModel = 1;
    ASSERT_TRUE(NewProjectAnswering([](HWND d) { PostKey(::GetDlgItem(d, IDC_FN_OPEN), VK_ESCAPE); }));
    EXPECT_EQ(theProjectOptions.bPlaneModel, 0);
}

namespace {
int fileDialogs = 0;
INT_PTR CountFileDialog(CFileDialog*)
{
    ++fileDialogs;
    return IDCANCEL;
}
}  // namespace

TEST_F(FileNewWin, OpenHandsItsCommandToTheMainWindow)
{
    CFileDialog::SetTestHook(&CountFileDialog);
    fileDialogs = 0;
    WhenModal([](CDialog* d) { Click(d->m_hWnd, IDC_FN_OPEN); });
    CFileNewDlg open(Frame());
    EXPECT_EQ(open.DoModal(), IDOK);
    vektest::PumpPending();
    EXPECT_EQ(fileDialogs, 1);  // the main window's open command asked for a file
    CFileDialog::SetTestHook(nullptr);
}

TEST_F(FileNewWin, BeforeTheProgramRunsANewProjectAsksNothing)
{
    OfferFileNewDialog(false);
    if (CDocument* doc = Frame()->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
    bool shown = false;
    WhenModal([&](CDialog* d) {
        shown = true;
        d->EndDialog(IDCANCEL);
    });
    Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW);
    vektest::PumpPending();  // the new project posted to the frame has run
    vektest::CancelSoon();
    EXPECT_FALSE(shown);
}
