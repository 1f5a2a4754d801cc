// The project document in the program's own frame: new, save, save as, open
// and autosave through the frame's commands, with the title, the modified
// flag and the recent files following; failed opens and saves change nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "AppTestUtil.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "vek/app/VekDoc.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/win/BottomDlg.h"

using namespace vektest;

namespace {

// The path the next file dialog answers with; empty: the user cancels.
std::string chosenFile;

INT_PTR AnswerFileDialog(CFileDialog* dlg)
{
    if (chosenFile.empty()) return IDCANCEL;
    lstrcpynA(dlg->m_ofn.lpstrFile, chosenFile.c_str(), dlg->m_ofn.nMaxFile);
    return IDOK;
}

// The view's drawing pass sets the options' text height from its scale:
// the four bytes of it in a project file, zeroed.
Bytes WithoutTextHeight(Bytes b)
{
    constexpr size_t kTextHeight = 11 + 104;  // the header, then the options' font record
    for (size_t i = kTextHeight; i < kTextHeight + 4 && i < b.size(); ++i) b[i] = 0;
    return b;
}

// v706.prj as the program holds it once opened: the left panel puts the plan
// work platform at the current storey's elevation, so that double of the
// view's block is left out of the comparison.
Bytes AsOpened706(Bytes b)
{
    constexpr size_t kPlatformHeight = 370;
    for (size_t i = kPlatformHeight; i < kPlatformHeight + 8 && i < b.size(); ++i) b[i] = 0;
    return WithoutTextHeight(b);
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = apptest::Frame();
        ASSERT_NE(frame, nullptr);
        CFileDialog::SetTestHook(&AnswerFileDialog);
        if (!theApp.m_pRecentFileList)
            theApp.m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", 4);
        Command(ID_FILE_NEW);
    }
    void TearDown() override
    {
        CFileDialog::SetTestHook(nullptr);
        chosenFile.clear();
        if (Doc()) Doc()->SetModifiedFlag(FALSE);
        Command(ID_FILE_NEW);
        // The scratch folder must not stay the current one: it is removed.
        ::SetCurrentDirectoryA(apptest::ProgramFolder().c_str());
    }

    // A command as the menu sends it, and what it posted.
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        PumpPending();
    }
    CVekDoc* Doc() { return static_cast<CVekDoc*>(frame->GetActiveDocument()); }
    std::string Title()
    {
        CString text;
        frame->GetWindowText(text);
        return text.GetString();
    }
    std::string Path() { return Doc()->GetPathName().GetString(); }
    std::string Prompt() { return theBottomDlg ? theBottomDlg->GetPromptText().GetString() : std::string(); }
    std::string Copy(const std::string& fixture, const std::string& name)
    {
        const std::string to = dir.File(name);
        WriteFileBytes(to, ReadFileBytes(Fixture(fixture)));
        return to;
    }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

    CMainFrame* frame = nullptr;
    TempDir dir{"docframe"};
};

TEST_F(DocumentTest, NewProjectSavedUnderALongNameIsWrittenAndNamedCut)
{
    apptest::BoxRecorder boxes;
    chosenFile = dir.File("longproject.prj");
    Command(ID_FILE_SAVE_AS);

    const std::string saved = dir.File("longproj.PRJ");
    ASSERT_TRUE(Exists(saved));
    EXPECT_FALSE(Exists(dir.File("longproject.prj")));
    EXPECT_EQ(
        Difference(WithoutTextHeight(ReadFileBytes(saved)), WithoutTextHeight(ReadFileBytes(Fixture("empty706.prj")))),
        "");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "输入的文件名长度超过了8个字符，程序将自动取前8个字符！");
    EXPECT_EQ(Path(), saved);
    EXPECT_EQ(Title().rfind("longproj.PRJ - ", 0), 0u) << Title();
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Prompt(), "保存完毕!");
    ASSERT_GE(theApp.m_pRecentFileList->GetSize(), 1);
    EXPECT_EQ(std::string((*theApp.m_pRecentFileList)[0].GetString()), saved);

    // Save writes the same file again, no question asked.
    Doc()->SetModifiedFlag(TRUE);
    std::filesystem::remove(saved);
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(Exists(saved));
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST_F(DocumentTest, AProjectOpenedThroughTheMenuHoldsItsFileAndAFailedOpenChangesNothing)
{
    const std::string good = Copy("v706.prj", "v706.prj");
    Copy("holds9.prj", "holds9.prj");
    Copy("refused_v707.prj", "newer.prj");
    const Bytes expected = ReadFileBytes(good);

    apptest::BoxRecorder boxes;
    chosenFile = good;
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.at(0);
    EXPECT_EQ(Path(), dir.File("v706.PRJ"));
    EXPECT_EQ(Title().rfind("v706.PRJ - ", 0), 0u) << Title();
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Prompt(), "文件装载成功!");
    EXPECT_EQ(theViewProjection.GetPlatformHeight(), theLevels.GetElevation(theLevels.current));
    EXPECT_NE(theViewProjection.GetPlatformHeight(), 0.0);
    EXPECT_EQ(Difference(AsOpened706(ModelBytes()), AsOpened706(expected)), "");
    const Bytes opened = ModelBytes();

    // An edited model, then files this build refuses: the model, its path
    // and its modified flag stay; the changes are not saved unasked.
    Doc()->SetModifiedFlag(TRUE);
    boxes.answer = IDNO;
    for (const char* refused : {"holds9.prj", "newer.prj", "gone.prj"}) {
        SCOPED_TRACE(refused);
        boxes.texts.clear();
        chosenFile = dir.File(refused);
        Command(ID_FILE_OPEN);
        ASSERT_EQ(boxes.texts.size(), 2u);  // save the changes? then why the file cannot be read
        EXPECT_NE(boxes.texts[0].find("是否保存"), std::string::npos) << boxes.texts[0];
        EXPECT_EQ(Path(), dir.File("v706.PRJ"));
        EXPECT_TRUE(Doc()->IsModified());
        EXPECT_EQ(Difference(ModelBytes(), opened), "");
        EXPECT_EQ(std::string(theProjectOptions.szProjectName, 4), "v706");
    }
    EXPECT_EQ(ReadFileBytes(good), expected);
}

TEST_F(DocumentTest, AFailedSaveKeepsTheOldFileThePathAndTheModifiedFlag)
{
    chosenFile = dir.File("first.prj");
    Command(ID_FILE_SAVE_AS);
    const std::string first = dir.File("first.PRJ");
    ASSERT_TRUE(Exists(first));
    const Bytes old = ReadFileBytes(first);

    apptest::BoxRecorder boxes;
    Doc()->SetModifiedFlag(TRUE);
    theBottomDlg->SetPrompt("");
    // A folder where the file would go.
    std::filesystem::create_directory(dir.File("blocked.PRJ"));
    chosenFile = dir.File("blocked.prj");
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("blocked.PRJ"), std::string::npos) << boxes.texts[0];
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("blocked.PRJ")));
    EXPECT_EQ(Path(), first);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_NE(Prompt(), "保存完毕!");

    // A long name whose cut form is another project: asked first, kept on No.
    boxes.texts.clear();
    boxes.answer = IDNO;
    const Bytes other = {'o', 't', 'h', 'e', 'r'};
    WriteFileBytes(dir.File("otherpro.PRJ"), other);
    chosenFile = dir.File("otherproject.prj");
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("otherpro.PRJ"), std::string::npos) << boxes.texts[0];
    EXPECT_EQ(ReadFileBytes(dir.File("otherpro.PRJ")), other);
    EXPECT_EQ(Path(), first);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(ReadFileBytes(first), old);
}

TEST_F(DocumentTest, AProjectOpenedUnderALongNameAsksBeforeItsSaveReplacesAnother)
{
    const std::string opened = Copy("v706.prj", "longproject.prj");
    const Bytes other = {'o', 't', 'h', 'e', 'r'};
    const std::string cut = dir.File("longproj.PRJ");
    WriteFileBytes(cut, other);

    apptest::BoxRecorder boxes;
    chosenFile = opened;
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Path(), cut);
    Doc()->SetModifiedFlag(TRUE);

    boxes.texts.clear();
    boxes.answer = IDNO;
    Command(ID_FILE_SAVE);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("longproj.PRJ"), std::string::npos) << boxes.texts[0];
    EXPECT_EQ(ReadFileBytes(cut), other);
    EXPECT_TRUE(Doc()->IsModified());

    // Replaced once the user says so; later saves no longer ask.
    boxes.answer = IDYES;
    Command(ID_FILE_SAVE);
    EXPECT_EQ(AsOpened706(ReadFileBytes(cut)), AsOpened706(ReadFileBytes(opened)));
    EXPECT_FALSE(Doc()->IsModified());
    boxes.texts.clear();
    Doc()->SetModifiedFlag(TRUE);
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.at(0);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DocumentTest, TheAutosaveCopyIsWrittenWhenDueAndGoesWhenAnotherProjectOpens)
{
    // The interval is part of the project: the saved file has it too.
    const int32_t interval = theProjectOptions.nAutoSaveInterval;
    theProjectOptions.nAutoSaveInterval = -1;  // due at once
    chosenFile = dir.File("auto.prj");
    Command(ID_FILE_SAVE_AS);
    ASSERT_TRUE(Exists(dir.File("auto.PRJ")));

    theApp.OnIdle(0);
    theApp.OnIdle(3);
    theProjectOptions.nAutoSaveInterval = interval;
    const std::string copy = dir.File("~auto.PRJ");
    ASSERT_TRUE(Exists(copy));
    EXPECT_EQ(WithoutTextHeight(ReadFileBytes(copy)), WithoutTextHeight(ReadFileBytes(dir.File("auto.PRJ"))));
    EXPECT_EQ(Prompt(), "自动保存完毕,文件名前加了~");

    // A failed open leaves the copy; a good one removes it.
    apptest::BoxRecorder boxes;
    chosenFile = Copy("holds9.prj", "holds9.prj");
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(Exists(copy));
    chosenFile = Copy("v706.prj", "v706.prj");
    Command(ID_FILE_OPEN);
    EXPECT_FALSE(Exists(copy));
    EXPECT_EQ(Path(), dir.File("v706.PRJ"));
}

}  // namespace
