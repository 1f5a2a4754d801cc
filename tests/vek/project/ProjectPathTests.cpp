// The project's path: names cut to eight bytes between characters, the file
// a save writes, the warning test of names, the text result files.
#include <gtest/gtest.h>

#include <string>

#include "vek/model/document/ProjectPath.h"

namespace {

TEST(ProjectPathTest, NamesAreCutToEightBytesBetweenCharacters)
{
    struct Case {
        const char* path;
        const char* folder;
        const char* name;
        bool cut;
        const char* file;
    } cases[] = {
        {"C:\\work\\longproject.prj", "C:\\work\\", "longproj", true, "C:\\work\\longproj.PRJ"},
        {"C:\\work\\beam.prj", "C:\\work\\", "beam", false, "C:\\work\\beam.PRJ"},
        {"C:\\work\\eightchr.PRJ", "C:\\work\\", "eightchr", false, "C:\\work\\eightchr.PRJ"},
        {"ninechars", "", "ninechar", true, "ninechar.PRJ"},
        {"/home/u/项目名称测试.prj", "/home/u/", "项目名称", true, "/home/u/项目名称.PRJ"},
        // A character that would end past the eighth byte stays out whole.
        {"D:\\abc项目名称.prj", "D:\\", "abc项目", true, "D:\\abc项目.PRJ"},
        {"D:\\a.b\\model.v2.prj", "D:\\a.b\\", "model.v2", false, "D:\\a.b\\model.v2.PRJ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const CProjectPath p = SplitProjectPath(c.path);
        EXPECT_EQ(p.folder, c.folder);
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.cut, c.cut);
        EXPECT_EQ(p.File(), c.file);
    }
    EXPECT_FALSE(NameHasWideCharacters("beam_01"));
    EXPECT_TRUE(NameHasWideCharacters("梁01"));
    EXPECT_TRUE(NameHasWideCharacters("a\tb"));
}

TEST(ProjectPathTest, TextResultFilesByCommand)
{
    std::string out;
    struct Case {
        unsigned command;
        int solid;
        bool folder;
        const char* file;
    } cases[] = {{30999, 0, false, "beam"},     {31000, 0, true, "C:\\p\\beam.SAL"}, {31004, 0, false, "beam.F11"},
                 {31004, 1, false, "beam.F17"}, {31004, 3, false, "beam.F18"},       {31004, 2, false, "beam.F12"},
                 {31026, 0, false, "beam.RAC"}, {31010, 0, false, "beam.EIG"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(GetResultFileName(c.command, "C:\\p", "beam", c.solid, c.folder, out)) << c.command;
        EXPECT_EQ(out, c.file);
    }
    ASSERT_TRUE(GetResultFileName(31001, "C:\\p\\", "beam", 0, true, out));
    EXPECT_EQ(out, "C:\\p\\beam.F3");
    EXPECT_FALSE(GetResultFileName(31027, "C:\\p", "beam", 0, true, out));
    EXPECT_FALSE(GetResultFileName(30998, "C:\\p", "beam", 0, true, out));
}

}  // namespace
