// The project file against the files the Python description of its layouts
// writes: every accepted version read with the owned records as written, the
// new project's file byte for byte, refused and damaged files changing
// nothing, and saves that never leave a broken file behind.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "korvalib/base/biostream.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "vek/model/project/ProjectBlocks.h"

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace vektest;

namespace {

const int kVersions[] = {330, 340, 350, 360, 370, 371, 372, 400, 460, 470, 480, 490, 500,
                         520, 600, 610, 650, 660, 670, 671, 680, 685, 690, 700, 705, 706};

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override { FreshModel(); }
    void TearDown() override { FreshModel(); }

    // Loads a fixture into a fresh model; the messages shown on the way.
    int Load(const std::string& name) { return LoadProject(Fixture(name).c_str()); }

    AppHelperLog log;
    RecordingHooks hooks;
    RecordingDocumentHooks docHooks;
};

std::string MessagesOf(const AppHelperLog& log)
{
    std::string all;
    for (const AppMessage& m : log.Messages()) all += m.text + "\n";
    return all;
}

TEST_F(ProjectFileTest, NewProjectSavesTheLayoutsEmptyProject)
{
    const Bytes expected = ReadFileBytes(Fixture("empty706.prj"));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Difference(ModelBytes(), expected), "");
}

TEST_F(ProjectFileTest, EveryVersionOfBothProgramsLoadsAsWritten)
{
    for (const char* prefix : {"v", "q"}) {
        for (int v : kVersions) {
            const std::string name = prefix + std::to_string(v);
            SCOPED_TRACE(name);
            FreshModel();
            hooks.prompts.clear();
            docHooks.zooms.clear();
            ASSERT_EQ(Load(name + ".prj"), 1) << MessagesOf(log);
            EXPECT_EQ(nPrjVersion, kProjectVersion);
            EXPECT_EQ(bTesmarProject, prefix[0] == 'q' ? 1 : 0);
            const auto expected = ReadExpectations(Fixture(name + ".expect"));
            const auto model = DescribeModel();
            ASSERT_FALSE(expected.empty());
            for (const auto& [key, value] : expected) EXPECT_EQ(model.at(key), value) << key;
            ASSERT_FALSE(hooks.prompts.empty());
            EXPECT_EQ(hooks.prompts.back(), "文件装载成功!");
            // Older files are refitted with the direction and the zoom reset.
            ASSERT_EQ(docHooks.zooms.size(), 1u);
            EXPECT_EQ(docHooks.zooms[0].recompute, 1);
            EXPECT_EQ(docHooks.zooms[0].resetDirection, v < 700 ? 1 : 0);
            EXPECT_EQ(docHooks.zooms[0].resetZoom, v < 700 ? 1 : 0);
        }
    }
    EXPECT_TRUE(log.Messages().empty()) << MessagesOf(log);
}

TEST_F(ProjectFileTest, CurrentVersionSaveLoadSaveIsByteIdentical)
{
    for (const char* name : {"v706.prj", "q706.prj", "offsets706.prj", "empty706.prj"}) {
        SCOPED_TRACE(name);
        FreshModel();
        ASSERT_EQ(Load(name), 1) << MessagesOf(log);
        const Bytes saved = ModelBytes();
        if (name[0] != 'q') {
            EXPECT_EQ(Difference(saved, ReadFileBytes(Fixture(name))), "");
        }
        FreshModel();
        TempFile again("again", ".prj");
        ASSERT_TRUE(again.WriteAll(saved));
        ASSERT_EQ(LoadProject(again.c_str()), 1);
        EXPECT_EQ(Difference(ModelBytes(), saved), "");
    }
    FreshModel();
    ASSERT_EQ(Load("offsets706.prj"), 1);
    EXPECT_EQ(theSframeIdOffset, 10);
    EXPECT_EQ(theVframeIdOffset, 15);
}

TEST_F(ProjectFileTest, VersionTextsReadAsHundredsAndTens)
{
    struct Case {
        const char* text;
        int version;
    } cases[] = {{"706", 706}, {"3.3", 330}, {"4.6", 460}, {"3.4", 340}, {"4.5", 450},
                 {"9.9", 990}, {"a7c", -1},  {"3,3", -1},  {".33", -1},  {"07a", -1}};
    for (const Case& c : cases) EXPECT_EQ(ParseProjectVersion(c.text), c.version) << c.text;
    for (const char* pair : {"330", "460"}) {
        SCOPED_TRACE(pair);
        FreshModel();
        ASSERT_EQ(Load(std::string("dotted") + pair + ".prj"), 1);
        const auto dotted = DescribeModel();
        FreshModel();
        ASSERT_EQ(Load(std::string("digits") + pair + ".prj"), 1);
        EXPECT_EQ(DescribeModel(), dotted);
        for (const auto& [key, value] : ReadExpectations(Fixture(std::string("v") + pair + ".expect")))
            EXPECT_EQ(dotted.at(key), value) << key;
    }
}

TEST_F(ProjectFileTest, RefusedHeadersChangeNothing)
{
    ASSERT_EQ(Load("v706.prj"), 1);
    const Bytes before = ModelBytes();
    struct Case {
        const char* file;
        const char* message;
    } cases[] = {
        {"refused_magic.prj", "此文件并非VEK产生的项目文件!"},
        {"refused_short.prj", "此文件并非VEK产生的项目文件!"},
        {"refused_v329.prj", "此PRJ文件是由VEK 3.3版之前的版本生成的, 新的VEK无法读取!"},
        {"refused_dotted32.prj", "此PRJ文件是由VEK 3.3版之前的版本生成的, 新的VEK无法读取!"},
        {"refused_v707.prj", "此PRJ文件是新版的VEK生成的, 旧版VEK无法读取!"},
        {"refused_v701.prj", "VEK无法识别产生此PRJ文件的VEK版本号!"},
        {"refused_vabc.prj", "VEK无法识别产生此PRJ文件的VEK版本号!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const size_t shown = log.Messages().size();
        EXPECT_EQ(Load(c.file), 0);
        ASSERT_EQ(log.Messages().size(), shown + 1);
        EXPECT_EQ(log.Messages().back().text, c.message);
        EXPECT_EQ(nPrjVersion, kProjectVersion);
        EXPECT_EQ(ModelBytes(), before);
    }
    // The test build's files: a message of their own, without any address.
    for (const char* file : {"refused_v450.prj", "refused_dotted45.prj"}) {
        EXPECT_EQ(Load(file), 0);
        EXPECT_NE(log.Messages().back().text.find("测试版"), std::string::npos);
        EXPECT_EQ(ModelBytes(), before);
    }
    const size_t shown = log.Messages().size();
    EXPECT_EQ(LoadProject(Fixture("no_such_file.prj").c_str()), 0);
    EXPECT_EQ(log.Messages().at(shown).text, "无法打开文件:" + Fixture("no_such_file.prj"));
    EXPECT_EQ(ModelBytes(), before);
}

TEST_F(ProjectFileTest, BlocksWithDataThisBuildCannotHoldAreRefusedByName)
{
    ASSERT_EQ(Load("v706.prj"), 1);
    const Bytes before = ModelBytes();
    int refused = 0;
    for (int n = 1; n <= kProjectBlockCount; ++n) {
        const std::string file = "holds" + std::to_string(n) + ".prj";
        if (!std::filesystem::exists(Fixture(file))) continue;
        SCOPED_TRACE(file);
        // A block whose owner is bound reads its data; the others refuse it.
        if (ProjectBlock(n).owner.IsBound() && n != 30) continue;
        ++refused;
        const size_t shown = log.Messages().size();
        EXPECT_EQ(Load(file), 0);
        ASSERT_EQ(log.Messages().size(), shown + 1);
        const std::string text = log.Messages().back().text;
        EXPECT_NE(text.find(ProjectBlock(n).content), std::string::npos) << text;
        EXPECT_NE(text.find("还不能读取"), std::string::npos) << text;
        EXPECT_EQ(ModelBytes(), before);
        EXPECT_EQ(nPrjVersion, kProjectVersion);
    }
    EXPECT_GT(refused, 0);
}

TEST_F(ProjectFileTest, DamagedFilesAreRefusedAndChangeNothing)
{
    ASSERT_EQ(Load("v706.prj"), 1);
    const Bytes before = ModelBytes();
    auto refuse = [&](const std::string& path) {
        const size_t shown = log.Messages().size();
        EXPECT_EQ(LoadProject(path.c_str()), 0);
        ASSERT_EQ(log.Messages().size(), shown + 1);
        EXPECT_NE(log.Messages().back().text.find("损坏"), std::string::npos) << log.Messages().back().text;
        EXPECT_EQ(ModelBytes(), before);
        EXPECT_EQ(nPrjVersion, kProjectVersion);
    };
    for (const char* file : {"huge_layers.prj", "huge_storeylists.prj", "huge_storeys.prj", "huge_history.prj",
                             "huge_legacylist.prj", "huge_spectrum.prj", "huge_steelname.prj"}) {
        SCOPED_TRACE(file);
        refuse(Fixture(file));
    }
    // Cut anywhere after the header, current and old files alike.
    for (const char* name : {"v706.prj", "v500.prj", "q690.prj"}) {
        const Bytes whole = ReadFileBytes(Fixture(name));
        TempFile cut("cut", ".prj");
        for (size_t at = 11; at < whole.size(); at += 97) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(at));
            ASSERT_TRUE(cut.WriteAll(whole.data(), at));
            refuse(cut.path());
        }
    }
}

TEST_F(ProjectFileTest, SaveWritesTheNamedFileAndItsAutosaveCopy)
{
    TempDir dir("save");
    const std::filesystem::path was = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::strcpy(theProjectOptions.szProjectName, "beam");
    EXPECT_EQ(SaveProject(1), 1);
    EXPECT_EQ(hooks.prompts.back(), "自动保存完毕,文件名前加了~");
    EXPECT_EQ(SaveProject(0), 1);
    EXPECT_EQ(hooks.prompts.back(), "保存完毕!");
    const Bytes saved = ReadFileBytes(dir.File("beam.PRJ"));
    EXPECT_EQ(saved, ModelBytes());
    EXPECT_EQ(ReadFileBytes(dir.File("~beam.PRJ")), saved);
    theProjectOptions.szProjectName[0] = '\0';
    hooks.prompts.clear();
    EXPECT_EQ(SaveProject(0), 0);
    EXPECT_TRUE(hooks.prompts.empty());
    EXPECT_TRUE(log.Messages().empty());
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2);
    std::filesystem::current_path(was);
}

// A block writer that fails halfway.
int FailingWrite(bofstream& out)
{
    out << int32_t(7);
    out.SetFailed();
    return 0;
}
int NeverRead(bifstream&)
{
    return 0;
}

TEST_F(ProjectFileTest, FailedSavesLeaveTheOldFileAsItWas)
{
    TempDir dir("fail");
    const std::string target = dir.File("old.PRJ");
    const Bytes old = ReadFileBytes(Fixture("v706.prj"));
    ASSERT_TRUE(WriteFileBytes(target, old));

    {  // A block whose writing fails.
        const CBlockOwner saved = SetProjectBlockOwner(19, {FailingWrite, NeverRead});
        EXPECT_EQ(SaveProjectFile(target.c_str()), 0);
        SetProjectBlockOwner(19, saved);
        EXPECT_EQ(ReadFileBytes(target), old);
    }
    {  // A folder where the file should go, and where its temporary file should go.
        const std::string folder = dir.File("folder.PRJ");
        std::filesystem::create_directory(folder);
        EXPECT_EQ(SaveProjectFile(folder.c_str()), 0);
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        std::filesystem::create_directory(target + ".~sav");
        EXPECT_EQ(SaveProjectFile(target.c_str()), 0);
        EXPECT_EQ(ReadFileBytes(target), old);
        std::filesystem::remove(target + ".~sav");
    }
    {  // The message says so; only the old file is left.
        const std::filesystem::path was = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        std::strcpy(theProjectOptions.szProjectName, "old");
        const CBlockOwner saved = SetProjectBlockOwner(19, {FailingWrite, NeverRead});
        EXPECT_EQ(SaveProject(0), 0);
        EXPECT_EQ(log.Messages().back().text, "文件old.PRJ保存失败, 原来的文件没有改动!");
        hooks.prompts.clear();
        EXPECT_EQ(SaveProject(1), 0);
        ASSERT_EQ(hooks.prompts.size(), 1u);
        EXPECT_EQ(hooks.prompts[0], "自动保存失败, 无法写入文件~old.PRJ!");
        SetProjectBlockOwner(19, saved);
        std::filesystem::current_path(was);
        EXPECT_EQ(ReadFileBytes(target), old);
    }
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) entries += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1);  // no temporary file stays behind
}

#if !defined(_WIN32)
TEST_F(ProjectFileTest, AFullDiskAndAKilledSaveLeaveTheOldFileAsItWas)
{
    TempDir dir("full");
    const std::string target = dir.File("big.PRJ");
    const Bytes old = ReadFileBytes(Fixture("v706.prj"));
    ASSERT_TRUE(WriteFileBytes(target, old));
    // Many layers make a large project.
    for (int i = 0; i < 200000; ++i) theLayers.Add(LayerInfo("层", 'Y', 0x123456));

    // The system refuses the writes once the file is 64 KiB long.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{65536, 65536};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(SaveProjectFile(target.c_str()) == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFileBytes(target), old);

    // Killed in the middle of writing: a block that never finishes.
    pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        SetProjectBlockOwner(31, {[](bofstream& out) {
                                      out << int32_t(1);
                                      out.Flush();
                                      for (;;) pause();
                                      return 0;
                                  },
                                  NeverRead});
        _exit(SaveProjectFile(target.c_str()));
    }
    const std::string temp = target + ".~sav";
    std::error_code ec;
    for (int i = 0; i < 400000 && std::filesystem::file_size(temp, ec) < 100000; ++i) usleep(50);
    EXPECT_GE(std::filesystem::file_size(temp, ec), 100000u);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadFileBytes(target), old);
}
#endif

}  // namespace
