// A model built from the solver's result files: the neutral list against the
// files the Python description of their layouts wrote, the view set up for a
// model in one plane, refused files leaving the model as it was, and the
// values read back from the data file.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/project/DocFakes.h"
#include "tests/vek/project/ProjectTestSupport.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/document/ResultModel.h"
#include "vek/view/ViewProjection.h"

using namespace vektest;

namespace {

std::string Result(const std::string& name)
{
    return Fixture("results/" + name);
}

std::vector<int> NodesOf(const CResultElement& e)
{
    return std::vector<int>(e.nodes, e.nodes + e.nodeCount);
}

const CResultElement* Find(const CResultModel& m, EFamily f, int id)
{
    for (const CResultModelElement& e : m.elements)
        if (e.family == f && e.element.id == id) return &e.element;
    return nullptr;
}

class ResultModelTest : public ::testing::Test {
protected:
    void SetUp() override { FreshModel(); }
    void TearDown() override
    {
        FreshModel();
        bModelFromResults = 0;
    }
    AppHelperLog log;
    RecordingHooks hooks;
    RecordingDocumentHooks docHooks;
};

TEST_F(ResultModelTest, ResultFilesGiveNodesElementsAndSprings)
{
    CResultModel m;
    ASSERT_EQ(ReadResultFiles(Result("model").c_str(), m), 1);
    EXPECT_TRUE(log.Messages().empty());

    // 28 nodes made; 27 and 28 are used by nothing and go, 25 stays.
    ASSERT_EQ(m.nodes.size(), 26u);
    EXPECT_EQ(m.nodes[24].useCount, 0);
    EXPECT_GT(m.nodes[25].useCount, 0);
    EXPECT_EQ(m.nodes[0].restraints, 7);
    EXPECT_EQ(m.nodes[1].restraints, 4);
    EXPECT_EQ(m.nodes[4].restraints, 63);
    EXPECT_EQ(m.nodes[2].restraints, 0);
    EXPECT_DOUBLE_EQ(m.nodes[5].xyz[0], 1.0);
    EXPECT_DOUBLE_EQ(m.nodes[5].xyz[1], 1.0);
    EXPECT_DOUBLE_EQ(m.nodes[5].xyz[2], 6.0);

    // Beams 1-10, steel 1-5 and variable 1-3 become 1-10, 11-15 and 16-18.
    EXPECT_EQ(m.sframeOffset, 10);
    EXPECT_EQ(m.vframeOffset, 15);
    struct Beam {
        int id, kind, a, b;
    } beams[] = {{1, 0, 1, 2}, {10, 0, 10, 11}, {11, 1, 3, 4}, {15, 1, 7, 8}, {16, 2, 5, 6}, {18, 2, 7, 8}};
    for (const Beam& b : beams) {
        const CResultElement* e = Find(m, EFamily::Frames, b.id);
        ASSERT_NE(e, nullptr) << b.id;
        EXPECT_EQ(e->kind, b.kind) << b.id;
        EXPECT_EQ(NodesOf(*e), (std::vector<int>{b.a, b.b})) << b.id;
    }
    EXPECT_EQ(Find(m, EFamily::Frames, 19), nullptr);

    // Plane elements: an empty ninth slot reorders the slots.
    EXPECT_EQ(NodesOf(*Find(m, EFamily::Planes, 1)), (std::vector<int>{12, 14, 18, 13, 16, 15, 0, 19, 0}));
    EXPECT_EQ(NodesOf(*Find(m, EFamily::Planes, 2)), (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19, 20}));
    // Shells: equal third and fourth nodes, or three, make a triangle; a
    // fourth node changes places with the third.
    EXPECT_EQ(NodesOf(*Find(m, EFamily::Shells, 1)), (std::vector<int>{20, 21, 22, 0}));
    EXPECT_EQ(NodesOf(*Find(m, EFamily::Shells, 2)), (std::vector<int>{20, 21, 22, 0}));
    EXPECT_EQ(NodesOf(*Find(m, EFamily::Shells, 3)), (std::vector<int>{20, 21, 23, 22}));
    // Solids: halves exchanged (12), a tetrahedron and a prism closed up.
    const CResultElement* hexa = Find(m, EFamily::Solids, 1);
    EXPECT_EQ(NodesOf(*hexa), (std::vector<int>{5, 6, 7, 8, 1, 2, 3, 4}));
    EXPECT_EQ(hexa->kind, 1);
    const CResultElement* tetra = Find(m, EFamily::Solids, 2);
    EXPECT_EQ(NodesOf(*tetra), (std::vector<int>{1, 2, 3, 4, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(tetra->kind, 2);
    const CResultElement* prism = Find(m, EFamily::Solids, 3);
    std::vector<int> prismNodes = {1, 2, 3, 4, 5, 6};
    for (int n = 9; n <= 20; ++n) prismNodes.push_back(n);
    EXPECT_EQ(NodesOf(*prism), prismNodes);
    EXPECT_EQ(prism->kind, 3);
    EXPECT_EQ(m.solidType, 1);  // the last solid group (17)

    EXPECT_EQ(NodesOf(*Find(m, EFamily::Walls, 1)), (std::vector<int>{1, 2, 6, 5}));
    EXPECT_EQ(NodesOf(*Find(m, EFamily::Trusses, 1)), (std::vector<int>{24, 26}));
    // Curved beams and pipes: the global Z made perpendicular to the member.
    for (EFamily f : {EFamily::Cframes, EFamily::Pipes}) {
        const CResultElement* e = Find(m, f, 1);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(e->hasDirection);
        EXPECT_NEAR(e->direction[0], -3 / std::sqrt(10.0), 1e-6);
        EXPECT_NEAR(e->direction[1], 0.0, 1e-6);
        EXPECT_NEAR(e->direction[2], 1 / std::sqrt(10.0), 1e-6);
    }

    // Springs of the data file, the generated ones included.
    EXPECT_TRUE(m.hasSprings);
    struct Spring {
        int id, i, j, kind;
        double k;
    } springs[] = {{1, 3, 4, 1, 100}, {2, 5, 0, 0, 50}, {4, 6, 0, 0, 20}, {5, 7, 0, 0, 20}, {6, 8, 0, 0, 20}};
    int found = 0;
    for (const CResultModelElement& e : m.elements) found += e.family == EFamily::Springs ? 1 : 0;
    EXPECT_EQ(found, 5);
    for (const Spring& s : springs) {
        const CResultElement* e = Find(m, EFamily::Springs, s.id);
        ASSERT_NE(e, nullptr) << s.id;
        EXPECT_EQ(NodesOf(*e), (std::vector<int>{s.i, s.j})) << s.id;
        EXPECT_EQ(e->kind, s.kind);
        EXPECT_DOUBLE_EQ(e->stiffness, s.k);
    }
    EXPECT_TRUE(Find(m, EFamily::Springs, 2)->hasDirection);
    EXPECT_FLOAT_EQ(Find(m, EFamily::Springs, 2)->direction[2], 1.0f);
}

TEST_F(ResultModelTest, MemberReferenceDirectionCases)
{
    float d[3];
    const double a[3] = {0, 0, 5};
    const double level[3] = {4, 3, 5.0005};
    MemberReferenceDirection(a, level, d);
    EXPECT_EQ(std::vector<float>(d, d + 3), (std::vector<float>{0, 0, 1}));
    const double above[3] = {0.0005, 0, 9};
    MemberReferenceDirection(a, above, d);
    EXPECT_EQ(std::vector<float>(d, d + 3), (std::vector<float>{1, 0, 0}));
}

TEST_F(ResultModelTest, DamagedResultFilesAreRefusedWithAMessage)
{
    struct Case {
        const char* name;
        const char* file;
    } cases[] = {{"bad_m", "bad_m.SYS"},      {"bad_sys", "bad_sys.SYS"},  {"bad_marker", "bad_marker.PL"},
                 {"bad_long", "bad_long.PL"}, {"bad_node", "bad_node.PL"}, {"bad_short", "bad_short.PL"},
                 {"bad_xyz", "bad_xyz.XYZ"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CResultModel m;
        const size_t shown = log.Messages().size();
        EXPECT_EQ(ReadResultFiles(Result(c.name).c_str(), m), 0);
        ASSERT_EQ(log.Messages().size(), shown + 1);
        EXPECT_NE(log.Messages().back().text.find(c.file), std::string::npos) << log.Messages().back().text;
    }
    CResultModel m;
    const size_t shown = log.Messages().size();
    EXPECT_EQ(ReadResultFiles(Result("missing").c_str(), m), 0);
    EXPECT_EQ(log.Messages().at(shown).text, "无法打开KORVA分析结果系统文件!");
}

TEST_F(ResultModelTest, OpeningResultsFillsTheFamiliesAndFitsTheView)
{
    DocFamily nodes(EFamily::Nodes), frames(EFamily::Frames), planes(EFamily::Planes), shells(EFamily::Shells),
        springs(EFamily::Springs), walls(EFamily::Walls), solids(EFamily::Solids), trusses(EFamily::Trusses),
        cframes(EFamily::Cframes);
    // A family this build does not hold: the results are refused.
    EXPECT_EQ(OpenModelFromResults((Result("model") + ".SYS").c_str()), 0);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "此版本的VEK还不能读取分析结果中的管道单元数据, 无法形成模型!");
    EXPECT_EQ(nodes.GetCount(), 0);
    DocFamily pipes(EFamily::Pipes);
    ASSERT_EQ(OpenModelFromResults((Result("model") + ".SYS").c_str()), 1);
    EXPECT_EQ(bModelFromResults, 1);
    EXPECT_EQ(nodes.GetCount(), 26);
    EXPECT_EQ(nodes.Extra(5).restraints, 63);
    EXPECT_EQ(frames.GetCount(), 18);
    EXPECT_EQ(frames.Extra(12).kind, 1);
    EXPECT_EQ(planes.GetCount(), 2);
    EXPECT_EQ(springs.GetCount(), 5);
    EXPECT_EQ(theSframeIdOffset, 10);
    EXPECT_EQ(theVframeIdOffset, 15);
    EXPECT_EQ(theProjectOptions.n3DElementType, 1);
    // The data file beside the results gives the unit system.
    EXPECT_EQ(theProjectOptions.GetUnitCode(), 2);
    EXPECT_EQ(log.Messages().size(), 1u);
    ASSERT_GE(docHooks.modes.size(), 1u);
    EXPECT_EQ(docHooks.modes.back(), 3);
    EXPECT_EQ(docHooks.modes.size(), 1u);  // a model in space keeps the 3-D platform
    // The reset, the fit with recompute, the zoom reset.
    ASSERT_GE(docHooks.zooms.size(), 3u);
    const size_t z = docHooks.zooms.size();
    EXPECT_EQ(docHooks.zooms[z - 2].recompute, 1);
    EXPECT_EQ(docHooks.zooms[z - 1].resetZoom, 1);
    EXPECT_EQ(docHooks.zooms[z - 1].recompute, 0);
    // Every object in range.
    EXPECT_EQ(theDisplayRange.ranges[1].to, 18);
    EXPECT_EQ(hooks.prompts.front(), "正在读取几何信息和分析结果...");
}

TEST_F(ResultModelTest, AModelInOnePlaneOpensOnThatPlane)
{
    struct Case {
        const char* name;
        std::vector<double> plane;  // empty: the plane-model mode
    } cases[] = {{"flat", {0, 0, 1, -2.5}}, {"front", {0, 1, 0, -1.5}}, {"sidebeams", {1, 0, 0, -4}}, {"side", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshModel();
        theElevationPlane.m_equation.Set(0.5, 0.5, 0, 9);
        docHooks.modes.clear();
        DocFamily nodes(EFamily::Nodes), frames(EFamily::Frames), planes(EFamily::Planes);
        ASSERT_EQ(OpenModelFromResults((Result(c.name) + ".SYS").c_str()), 1);
        const double* e = theElevationPlane.m_equation.Coefficients();
        if (c.plane.empty()) {
            EXPECT_EQ(theProjectOptions.bPlaneModel, 1);
            EXPECT_EQ(std::vector<double>(e, e + 4), (std::vector<double>{1, 0, 0, 0}));
            EXPECT_EQ(theViewProjection.GetMode(), 2);
        } else {
            EXPECT_EQ(theProjectOptions.bPlaneModel, 0);
            EXPECT_EQ(std::vector<double>(e, e + 4), c.plane);
            EXPECT_EQ(theViewProjection.GetMode(), 2);
            // The origin lies in the plane: the global origin projected onto it.
            EXPECT_NEAR(c.plane[0] * theElevationPlane.m_origin[0] + c.plane[1] * theElevationPlane.m_origin[1] +
                            c.plane[2] * theElevationPlane.m_origin[2] + c.plane[3],
                        0.0, 1e-12);
        }
    }
}

TEST_F(ResultModelTest, RefusedResultsLeaveTheModelAsItWas)
{
    ASSERT_EQ(LoadProject(Fixture("v706.prj").c_str()), 1);
    const Bytes before = ModelBytes();
    DocFamily nodes(EFamily::Nodes), frames(EFamily::Frames);
    nodes.Node(1, 0, 0, 0);
    for (const char* name : {"bad_m", "bad_marker", "bad_long", "missing"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(OpenModelFromResults((Result(name) + ".SYS").c_str()), 0);
        if (std::string(name) == "missing") {
            EXPECT_EQ(log.Messages().back().text, "分析结果系统文件不存在！");
        }
        EXPECT_EQ(Difference(ModelBytes(), before), "");
        EXPECT_EQ(bModelFromResults, 0);
    }
    // A store that cannot take the model: a message, and the model back.
    nodes.full = true;
    EXPECT_EQ(OpenModelFromResults((Result("flat") + ".SYS").c_str()), 0);
    EXPECT_EQ(log.Messages().back().text, "内存不够, 无法继续!");
    EXPECT_EQ(Difference(ModelBytes(), before), "");
}

TEST_F(ResultModelTest, DataFileGivesUnitsPlaneTypeAndThicknesses)
{
    DocFamily planes(EFamily::Planes), shells(EFamily::Shells);
    for (int id : {5, 6, 7, 8, 9, 10, 11, 20}) planes.Element(id, {1, 2, 3});
    for (int id : {3, 7, 8, 9, 12}) shells.Element(id, {1, 2, 3, 4});
    theProjectOptions.ReadBackDataFile(Result("readback.dat").c_str());
    EXPECT_EQ(theProjectOptions.GetUnitCode(), 3);
    EXPECT_EQ(theProjectOptions.nPlaneElementType, 2);
    // Element 5 and, by "G=3 2", elements 6 to 10.
    for (int id : {5, 6, 7, 8, 9, 10}) EXPECT_EQ(planes.Extra(id).thickness, (std::vector<float>{0.2f})) << id;
    EXPECT_TRUE(planes.Extra(11).thickness.empty());
    EXPECT_EQ(planes.Extra(20).thickness, (std::vector<float>{1.0f}));
    const std::vector<float> t03(4, 0.3f), t10(4, 1.0f);
    EXPECT_EQ(shells.Extra(3).material, 2);
    EXPECT_EQ(shells.Extra(3).thickness, t03);  // one H: both ends 0.3
    EXPECT_EQ(shells.Extra(7).material, 1);
    EXPECT_EQ(shells.Extra(7).thickness, t03);        // (0.1 + 0.5) / 2
    EXPECT_EQ(shells.Extra(8).thickness, t03);        // generated
    EXPECT_EQ(shells.Extra(9).thickness, t10);        // no thickness given
    EXPECT_TRUE(shells.Extra(12).thickness.empty());  // after the line that ends the reading

    FreshModel();
    planes.Element(5, {1, 2, 3});
    theProjectOptions.SetUnitSystem(1, 0);
    theProjectOptions.ReadBackDataFile(Result("readback_type1.dat").c_str());
    EXPECT_EQ(theProjectOptions.nPlaneElementType, 1);
    EXPECT_EQ(theProjectOptions.GetUnitCode(), 1);   // no SYSTEM section: unchanged
    EXPECT_TRUE(planes.Extra(5).thickness.empty());  // type 1: no thickness read

    theProjectOptions.ReadBackDataFile(Result("no_such.dat").c_str());
    EXPECT_EQ(theProjectOptions.GetUnitCode(), 0);
    EXPECT_EQ(theProjectOptions.nPlaneElementType, 2);
}

}  // namespace
