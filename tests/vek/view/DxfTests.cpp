// DXF entities: the group format, texts and their styles, what the drawing
// layer writes while an export is open, the file replaced only when every
// write succeeded, and a whole drawing read and audited by ezdxf.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/view/DxfHead.h"
#include "tests/vek/view/Peers.h"
#include "tests/vek/view/Recorders.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/exchange/DxfWriter.h"
#include "vek/view/DxfOutput.h"

using namespace vektest;

namespace {

// The file's text with line ends as "\n" (DXF files are text files: the
// platform's line end is written).
std::string ReadText(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    std::string text = s.str();
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

int Occurrences(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class Dxf : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        PlanOfTenByTen();
        theProjectOptions.bHiddenSurface = 0;
        theViewHooks.showPrompt = [](const char* text) { Prompts().push_back(text); };
        Prompts().clear();
    }
    void TearDown() override
    {
        theDxfWriter.Abandon();
        ViewTest::TearDown();
    }
    static std::vector<std::string>& Prompts()
    {
        static std::vector<std::string> p;
        return p;
    }
    // Entities written between Open and Close, as text.
    std::string Entities(const std::function<void()>& draw)
    {
        EXPECT_TRUE(theDxfWriter.Open(file.c_str()));
        draw();
        EXPECT_EQ(theDxfWriter.Close(), 1);
        return ReadText(file.path());
    }
    TempFile file{"dxf", ".dxf", PeerFolder()};
};

}  // namespace

TEST_F(Dxf, GroupsAreCodeInThreeColumnsThenTheValue)
{
    const std::string text = Entities([] {
        const double a[3] = {1, 2, 3}, b[3] = {4.5, 5, 6};
        theDxfWriter.WriteLine(a, b, "梁");
        theDxfWriter.WriteGroup(70, 2);
        theDxfWriter.WriteGroup(1, static_cast<const char*>(nullptr));
    });
    EXPECT_EQ(text,
              "  0\nLINE\n  8\n梁\n 10\n1.000000\n 20\n2.000000\n 30\n3.000000\n 11\n4.500000\n 21\n5.000000\n"
              " 31\n6.000000\n 70\n2\n  1\n0\n  0\nENDSEC\n  0\nEOF\n");
}

TEST_F(Dxf, WideCharactersAndTextStyles)
{
    EXPECT_FALSE(HasWideCharacter(nullptr));
    EXPECT_FALSE(HasWideCharacter("ABC 12.5"));
    EXPECT_TRUE(HasWideCharacter("梁1"));
    EXPECT_TRUE(HasWideCharacter("a\tb"));
    const double p[3] = {0, 0, 0}, up[3] = {0, 0, 1};
    const std::string plain = Entities([&] { theDxfWriter.WriteText(p, up, 0, 0, "B12", 0.5, 0, "0"); });
    EXPECT_EQ(Occurrences(plain, "\n  7\n"), 0);
    EXPECT_NE(plain.find(" 40\n0.325000\n"), std::string::npos);  // 0.65 of the size
    EXPECT_NE(plain.find(" 72\n0\n 73\n3\n210\n0.000000\n220\n0.000000\n230\n1.000000\n"), std::string::npos);
    const std::string wide = Entities([&] { theDxfWriter.WriteText(p, up, 0, 0, "梁B12", 0.5, 6 | 24, "0"); });
    EXPECT_NE(wide.find("  7\n宋体\n 72\n1\n 73\n0\n"), std::string::npos);
}

TEST_F(Dxf, TextBetweenPointsNeverReadsUpsideDown)
{
    const double a[3] = {10, 0, 0}, b[3] = {0, 0, 0}, up[3] = {0, 0, 1};
    const std::string text = Entities([&] { theDxfWriter.WriteTextBetween(a, b, up, 0, "T", 1.0, "0"); });
    EXPECT_EQ(Occurrences(text, "\n 50\n"), 0);
    EXPECT_NE(text.find(" 11\n5.000000\n 21\n0.000000\n"), std::string::npos);
    EXPECT_NE(text.find(" 72\n1\n 73\n1\n"), std::string::npos);
    // A normal facing away from the viewer is turned round.
    const double down[3] = {0, 0, -1};
    const std::string flipped = Entities([&] { theDxfWriter.WriteCircle(a, 2, down, "0"); });
    EXPECT_NE(flipped.find("230\n1.000000\n"), std::string::npos);
}

TEST_F(Dxf, FivePointsMakeFiveLinesAndQuadsMakeFaces)
{
    const double five[5][3] = {{0, 0, 0}, {4, 0, 0}, {5, 3, 0}, {2, 5, 0}, {-1, 3, 0}};
    const std::string text = Entities([&] { DrawShadedPolygon(5, five, 1, 0xFF, 1, 0xFF, -1, 1, "板壳"); });
    EXPECT_EQ(Occurrences(text, "\nLINE\n"), 5);
    EXPECT_EQ(Occurrences(text, "3DFACE"), 0);
    // The first edge runs from the last point back to point 0.
    EXPECT_EQ(text.find("  0\nLINE\n  8\n板壳\n 10\n-1.000000\n 20\n3.000000\n"), 0u);
    const std::string tri = Entities([&] { DrawShadedPolygon(3, five, 1, 0xFF, 1, 0xFF, -1, 1, nullptr); });
    EXPECT_EQ(Occurrences(tri, "3DFACE"), 1);
    EXPECT_NE(tri.find(" 13\n5.000000\n 23\n3.000000\n"), std::string::npos);  // third corner twice
    EXPECT_NE(tri.find("  8\n0\n"), std::string::npos);                        // default layer
    // A sphere is one circle, whatever its outline is drawn with.
    theProjectOptions.bHiddenSurface = 1;
    RecordingGl gl;
    SetGlApi(&gl);
    const std::string circle =
        Entities([&] { DrawSphere(nullptr, five[1], 30, 1, 0xFF, 0, 0, nullptr, 0, 1, "节点"); });
    EXPECT_EQ(Occurrences(circle, "CIRCLE"), 1);
    EXPECT_EQ(Occurrences(circle, "\nLINE\n"), 0);
    EXPECT_NE(circle.find(" 40\n" + std::to_string(30 / theViewProjection.GetScale()).substr(0, 6)), std::string::npos);
}

TEST_F(Dxf, AFailedExportLeavesTheOldFileAndSaysSo)
{
    AppHelperLog log;
    ASSERT_TRUE(file.WriteText("old drawing"));
    // An export abandoned by a second one leaves the target as it was.
    ASSERT_TRUE(theDxfWriter.Open(file.c_str()));
    theDxfWriter.WriteGroup(0, "SECTION");
    TempDir dir("dxfdir");
    const std::string blocked = dir.File("target");
    std::filesystem::create_directories(blocked + "/inside");
    ASSERT_TRUE(theDxfWriter.Open(blocked.c_str()));
    EXPECT_EQ(ReadText(file.path()), "old drawing");
    EXPECT_FALSE(std::filesystem::exists(file.path() + ".~tmp"));
    // The finished file cannot take the place of a folder: no success prompt.
    theDxfWriter.WriteGroup(0, "SECTION");
    EXPECT_EQ(EndDxfOutput(), 0);
    EXPECT_TRUE(Prompts().empty());
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, kDxfFailedMessage);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_FALSE(std::filesystem::exists(blocked + ".~tmp"));
    EXPECT_FALSE(theDxfWriter.IsOpen());
    EXPECT_EQ(EndDxfOutput(), 0);  // nothing open: nothing said
    EXPECT_EQ(log.Messages().size(), 1u);

    ASSERT_TRUE(theDxfWriter.Open(file.c_str()));
    EXPECT_EQ(EndDxfOutput(), 1);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0], kDxfDonePrompt);
    EXPECT_EQ(ReadText(file.path()), "  0\nENDSEC\n  0\nEOF\n");
}

TEST_F(Dxf, EzdxfAuditsAWholeDrawingCleanWithChineseLayers)
{
    ASSERT_TRUE(theDxfWriter.Open(file.c_str()));
    WriteDxfHead(theDxfWriter, {"0", "节点", "梁", "板壳", "节点集中力"});
    const double a[3] = {0, 0, 0}, b[3] = {6, 0, 0}, c[3] = {6, 4, 0}, d[3] = {0, 4, 3};
    const double q[4][3] = {{0, 0, 0}, {6, 0, 0}, {6, 4, 0}, {0, 4, 3}};
    DrawLine3D(a, b, 0xFF, 1, "梁");
    DrawPolygonFace(q, 1, 0xFF, 1, 0xFF, -1, 1, "板壳");
    DrawSphere(nullptr, c, 6, 1, 0xFF, 1, 0xFF, nullptr, 0, 1, "节点");
    DrawText3D(d, "节点12", 0xFF, 6, 0.5, "节点");
    const double x[3] = {1, 0, 0};
    DrawArrow3D(a, x, 3, 0xFF, nullptr, "节点集中力", 0);
    ASSERT_EQ(EndDxfOutput(), 1);

    const std::string out = file.path() + ".audit";
    ASSERT_TRUE(RunPeers("audit " + PeerArg(file.path()) + " " + PeerArg(out), out));
    const std::string report = ReadText(out);
    std::remove(out.c_str());
    EXPECT_EQ(report.substr(0, 17), "errors 0\nfixes 0\n") << report;
    EXPECT_NE(report.find("LINE 梁\n"), std::string::npos) << report;
    EXPECT_NE(report.find("3DFACE 板壳\n"), std::string::npos) << report;
    EXPECT_NE(report.find("CIRCLE 节点\n"), std::string::npos) << report;
    EXPECT_NE(report.find("TEXT 节点 节点12\n"), std::string::npos) << report;
    EXPECT_NE(report.find("LINE 节点集中力\n"), std::string::npos) << report;
}
