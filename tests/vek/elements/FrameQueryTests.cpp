// The frame queries of the view menu: the information text of the first
// selected frame, cables included, and its local axes; a frame without
// local axes is reported and the next selected one shown.
#include <string>
#include <vector>

#include "tests/vek/elements/FrameTestSupport.h"
#include "vek/elements/line/frames/FrameQueryCommands.h"
#include "vek/elements/line/nodes/NodeInfo.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/materials/TightWire.h"

namespace vektest {
namespace {

struct Shown {
    std::string title, text;
};
std::vector<Shown> shownTexts;

// The parameter display of the window side, as texts.
class RecordingPanels : public CParameterPanels {
public:
    void ShowParameterText(const char* title, const char* text, bool closeOthers) override
    {
        shownTexts.push_back({title, text});
        closedOthers = closeOthers;
    }
    bool closedOthers = false;
};

class FrameQueryTest : public FrameModelTest {
protected:
    void SetUp() override
    {
        FrameModelTest::SetUp();
        shownTexts.clear();
        savedHooks = theInfoHooks;
        theInfoHooks = CInfoHooks();
        theInfoHooks.showText = [](const char* title, const char* text) { shownTexts.push_back({title, text}); };
        savedPanels = SetParameterPanels(&panels);
        theTightWires.SetSize(0);
    }
    void TearDown() override
    {
        SetParameterPanels(savedPanels);
        theInfoHooks = savedHooks;
        theTightWires.SetSize(0);
        FrameModelTest::TearDown();
    }
    // Beams along x at y = 0, 1, 2, ...
    std::vector<int> Beams(int n)
    {
        std::vector<int> ids;
        for (int k = 0; k < n; ++k) ids.push_back(Frame(Node(0, k, 0), Node(4, k, 0)));
        return ids;
    }

    CInfoHooks savedHooks;
    RecordingPanels panels;
    CParameterPanels* savedPanels = nullptr;
};

TEST_F(FrameQueryTest, InformationOfTheFirstSelectedFrameWithItsCable)
{
    AppHelperLog log;
    EXPECT_EQ(ShowFrameInfo(), 0);
    EXPECT_TRUE(shownTexts.empty());

    const std::vector<int> ids = Beams(3);
    CTightWire wire;
    wire.m_fT = 120;
    wire.m_fDi = 0.1f;
    wire.m_fDc = -0.3f;
    wire.m_fDj = 0.1f;
    wire.m_fSpan = 8;
    theTightWires.Add(wire);
    CFrame& second = F(ids[1]);
    second.m_Wires.Add(1, 0, 4);
    second.m_Wires.Add(7, 0, 4);  // a cable that is not there is left out
    second.m_nFlags |= kObjSelected;
    F(ids[2]).m_nFlags |= kObjSelected;

    EXPECT_EQ(ShowFrameInfo(), ids[1]);
    EXPECT_FALSE(F(ids[1]).IsSelected());
    EXPECT_TRUE(F(ids[2]).IsSelected());
    ASSERT_EQ(shownTexts.size(), 1u);
    EXPECT_EQ(shownTexts[0].title, "梁柱信息");
    const std::string& text = shownTexts[0].text;
    const std::string head = std::to_string(ids[1]) + "号梁柱 I,J端节点=" + std::to_string(second.m_nNodeI) + " " +
                             std::to_string(second.m_nNodeJ);
    EXPECT_EQ(text.compare(0, head.size(), head), 0) << text;
    const std::string cable =
        "\r\n--预应力钢索信息--\r\n  钢索号No=1\r\n  预拉力T=120.000\r\n  始端悬距Di=0.100"
        "\r\n  中点悬距Dc=-0.300\r\n  终端悬距Dj=0.100\r\n  梁柱I端距始端距离Pii=0.000\r\n  梁柱J端距始端距离Pij=4.000";
    EXPECT_NE(text.find(cable), std::string::npos) << text;
    EXPECT_EQ(text.find("钢索号No=7"), std::string::npos);
    // Shown, then a pause before the frame is drawn again.
    EXPECT_EQ(log.Waits(), std::vector<unsigned>{500});
    EXPECT_TRUE(log.Messages().empty());
}

TEST_F(FrameQueryTest, LocalAxesSkipFramesWithoutThem)
{
    AppHelperLog log;
    const std::vector<int> ids = Beams(3);
    F(ids[0]).SetAxisCode(0);
    for (int id : ids) F(id).m_nFlags |= kObjSelected;

    EXPECT_EQ(ShowFrameLocalAxis(), ids[1]);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "单元局部坐标没定义,跳过这单元!");
    EXPECT_FALSE(F(ids[0]).IsSelected());
    EXPECT_FALSE(F(ids[1]).IsSelected());
    EXPECT_TRUE(F(ids[2]).IsSelected());
    // A beam's reference is the vertical as its local 2-axis.
    ASSERT_EQ(shownTexts.size(), 1u);
    EXPECT_EQ(shownTexts[0].title, "局部坐标参数");
    EXPECT_EQ(shownTexts[0].text, "2轴的方向为：\r\ndirx=0.0000\r\ndiry=0.0000\r\ndirz=1.0000");
    EXPECT_TRUE(panels.closedOthers);

    // A column names its local 3-axis.
    CFrame& column = F(Frame(Node(9, 9, 0), Node(9, 9, 3)));
    column.m_nFlags |= kObjSelected;
    shownTexts.clear();
    EXPECT_EQ(ShowFrameLocalAxis(), ids[2]);
    EXPECT_EQ(ShowFrameLocalAxis(), column.m_nID);
    ASSERT_EQ(shownTexts.size(), 2u);
    EXPECT_EQ(shownTexts[1].text, "3轴的方向为：\r\ndirx=1.0000\r\ndiry=0.0000\r\ndirz=0.0000");

    // Only frames without axes: each reported, nothing shown.
    shownTexts.clear();
    for (int id : {ids[0], ids[1]}) F(id).SetAxisCode(0), F(id).m_nFlags |= kObjSelected;
    EXPECT_EQ(ShowFrameLocalAxis(), 0);
    EXPECT_EQ(log.Messages().size(), 3u);
    EXPECT_TRUE(shownTexts.empty());
}

}  // namespace
}  // namespace vektest
