// The information texts of nodes and springs, without and with a result set
// written by the tests' result-set writer, and the distance text.
#include <cmath>
#include <cstdio>

#include "korvalib/results/Result.h"
#include "tests/korvalib/results/ResultGen.h"
#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/elements/line/nodes/NodeInfo.h"

namespace vektest {
namespace {

class NodeInfo : public NodeModelTest {
protected:
    static int Six(CSixDoublesPool& pool, std::initializer_list<double> v)
    {
        double a[6];
        std::copy(v.begin(), v.end(), a);
        return pool.Append(CSixDoubles(a));
    }
    // Node 1 with restraints, a mass, loads and a temperature.
    static CNode& Sample()
    {
        const int a = Node(1, 2.5, -3);
        CNode& n = N(a);
        n.m_nTower = 2;
        n.m_cRestraint = 0x21;
        n.m_nMass = Six(theNodeMassPool, {1.5, 0, 0, 0, 0, 2e-11});
        n.m_Loads.Insert(2, Six(theNodeLoadPool, {0, 0, 1e-11, 0, 0, 0}));
        n.m_Loads.Insert(3, Six(theNodeLoadPool, {0, -5, 0, 0, 0, 0.25}));
        n.m_dTemperature = 20;
        return n;
    }
};

TEST_F(NodeInfo, TextWithoutResults)
{
    const CNode& n = Sample();
    EXPECT_EQ(NodeInfoText(n, nullptr),
              "1号节点  层号=-1\r\n坐标:(1.0000,2.5000,-3.0000)"
              "\r\n塔号=2 图层=固定图层"
              "\r\n约束UxRz"
              "\r\n集中质量:\r\n  Mx=1.500E+00"
              "\r\n荷载种类2的集中力:"
              "\r\n荷载种类3的集中力:\r\n  Fy=-5.000\r\n  Mz=0.250"
              "\r\n温度(荷载种类1):20.000");
    theProjectOptions.nElementInfoContent = 2;
    const std::string s = NodeInfoText(n, nullptr);
    EXPECT_EQ(s.find("塔号"), std::string::npos);
}

TEST_F(NodeInfo, SpringTexts)
{
    CSpring g;
    g.m_nID = 4;
    g.m_nNodeI = 9;
    g.m_cMode = 1;
    g.m_dK = 1234.5;
    g.m_dDir[0] = 0.5;
    g.m_dDir[2] = -1;
    EXPECT_EQ(SpringInfoText(g, nullptr),
              "4号接地弹簧,接在9号节点上\r\n只能受拉的直弹簧\r\n弹簧刚度=1234.500"
              "\r\n弹簧方向为dx=0.5 dy=0 dz=-1");
    CSpring l;
    l.m_nID = 2;
    l.m_nNodeI = 3;
    l.m_nNodeJ = 7;
    l.m_cKind = 1;
    l.m_dK = 8;
    EXPECT_EQ(SpringInfoText(l, nullptr), "2号弹簧,连接3和7号节点\r\n可受拉和压的扭转弹簧\r\n弹簧刚度=8.000");
}

TEST_F(NodeInfo, DistanceText)
{
    const double a[3] = {1, 1, 1}, b[3] = {4, 5, 1};
    EXPECT_EQ(DistanceText(a, b), "距离=5\r\nX坐标差值=3\r\nY坐标差值=4\r\nZ坐标差值=0");
}

// A result set on disk, opened.
class NodeInfoWithResults : public NodeInfo {
protected:
    void SetUp() override
    {
        NodeInfo::SetUp();
        model = resgen::MakeSmallModel();
        model.WriteAll(dir.File("model"));
        ASSERT_EQ(result.SetFileName(dir.File("model.kor").c_str(), 0), 1);
    }
    static std::string Row(const char* head, int k, const resgen::Row6& r, const char* format)
    {
        char text[256];
        std::snprintf(text, sizeof text, head, k);
        std::string s = text;
        for (int c = 0; c < 6; ++c) {
            if (c) s += " ";
            std::snprintf(text, sizeof text, format, r[size_t(c)]);
            s += text;
        }
        return s;
    }
    TempDir dir{"noderesults"};
    resgen::Model model;
    DResult result;
};

TEST_F(NodeInfoWithResults, DisplacementsAndReactionsFollowTheModelPart)
{
    // Node 3 of the result set: every freedom has its own equation.
    for (int k = 0; k < 3; ++k) Node(k, 0, 0);
    const std::string s = NodeInfoText(N(3), &result);
    const std::string head = "3号节点  层号=-1\r\n坐标:(2.0000,0.0000,0.0000)\r\n塔号=1 图层=固定图层";
    ASSERT_EQ(s.substr(0, head.size()), head);
    std::string want = "\r\n位移结果:  Ux   Uy   Uz   Rx   Ry   Rz";
    for (int c = 0; c < model.cases; ++c) want += Row("\r\n     荷载种类%d:", c + 1, model.dis[size_t(c)][2], "%10.2E");
    ASSERT_NE(s.find(want), std::string::npos) << s;
    const std::vector<resgen::Row6> above = model.ExpectAboveForce(0, model.n);
    EXPECT_NE(s.find(Row("\r\n   内力组合%d:", 1, above[2], "%8.3f")), std::string::npos) << s;
    EXPECT_NE(s.find("\r\n 第1个地震方向:"), std::string::npos);
    EXPECT_NE(s.find("\r\n 第2步施工模拟:"), std::string::npos);
    // The model part alone when the element information asks for it.
    theProjectOptions.nElementInfoContent = 1;
    EXPECT_EQ(NodeInfoText(N(3), &result).find("位移结果"), std::string::npos);
}

TEST_F(NodeInfoWithResults, SpringForcesPerCombination)
{
    CSpring s;
    s.m_nID = 2;
    s.m_nNodeI = 1;
    s.m_nNodeJ = 2;
    s.m_dK = 5;
    result.m_nConstr = 0;
    const std::string text = SpringInfoText(s, &result);
    const resgen::ScalarRec& rec = model.u31[0];
    ASSERT_EQ(rec.element, 2);
    double largest = 0;
    for (double v : rec.value) largest = std::max(largest, std::fabs(v));
    char line[128];
    std::snprintf(line, sizeof line, "\r\n轴力最大值：%8.4f", largest);
    std::string want = "2号弹簧,连接1和2号节点\r\n可受拉和压的直弹簧\r\n弹簧刚度=5.000";
    want += line;
    for (size_t k = 0; k < rec.value.size(); ++k) {
        std::snprintf(line, sizeof line, "\r\n组合%d的轴力：%8.4f", int(k + 1), rec.value[k]);
        want += line;
    }
    EXPECT_EQ(text, want);
}

}  // namespace
}  // namespace vektest
