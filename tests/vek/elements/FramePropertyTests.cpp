// The frame property commands on the selection: rigid ends against the
// member length, local axes from a direction or a point, releases and the
// end toggle, loads and temperatures on the current load case, cables along
// a picked line, the combination of collinear frames; each undone and redone.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FramePropertyCommands.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/TightWire.h"
#include "vek/model/records/ParameterRecords.h"
#include "vek/view/ViewProjection.h"

namespace vektest {
namespace {

class FramePropertyTest : public NodeModelTest {
protected:
    void SetUp() override
    {
        NodeModelTest::SetUp();
        ClearFrameFamily();
        theFrameDefaults = CFrameDefaults();
        theFrameAxisPara = CFrameAxisPara();
        theTightWires.SetSize(0);
        theTightWireParameter = CTightWireParameter();
        theProjectOptions.nCurrentLoadCase = 1;
    }
    void TearDown() override
    {
        ClearFrameFamily();
        theTightWires.SetSize(0);
        NodeModelTest::TearDown();
    }
    static CFrame& F(int id) { return *theFrames.GetByID(id); }
    static int Frame(const double a[3], const double b[3])
    {
        theUndo.BeginRecord();
        const int id = AddOneFrame(Node(a[0], a[1], a[2]), Node(b[0], b[1], b[2]));
        theUndo.EndRecord();
        return id;
    }
    static int Frame(double x0, double x1)
    {
        const double a[3] = {x0, 0, 0}, b[3] = {x1, 0, 0};
        return Frame(a, b);
    }
    static void Select(std::initializer_list<int> ids)
    {
        for (int id : ids) F(id).m_nFlags |= kObjSelected;
    }
    // The frame's load on the current case, a zero load when none.
    static CFrameLoad LoadOf(int id)
    {
        const int at = F(id).m_Loads.Index(theProjectOptions.nCurrentLoadCase);
        if (at < 0) return CFrameLoad();
        return *theFrameLoads.GetAt(F(id).m_Loads[at].nValue - 1);
    }
    static void SetPoints(DLoadPoints& p, std::initializer_list<double> xs, std::initializer_list<double> vs)
    {
        std::vector<double> x(xs), v(vs);
        p.SetPoints(int(x.size()), x.data(), v.data());
    }
};

TEST_F(FramePropertyTest, RigidEndsMustFitTheMember)
{
    AppHelperLog log;
    const int fits = Frame(0, 3), short_ = Frame(10, 12.9);
    theFrameDefaults.m_fRigid[0] = theFrameDefaults.m_fRigid[1] = 1.5f;
    theFrameDefaults.m_fEcc[1] = 0.25f;
    Select({fits, short_});
    EXPECT_EQ(ApplyFrameEnds(), 1);
    EXPECT_EQ(F(fits).m_fRigid[1], 1.5f);
    EXPECT_EQ(F(fits).m_fEcc[1], 0.25f);
    EXPECT_EQ(F(short_).m_fRigid[0], 0.0f);
    EXPECT_FALSE(F(short_).IsSelected());
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "刚域尺寸超出单元长度!");
    theUndo.Undo();
    EXPECT_EQ(F(fits).m_fRigid[1], 0.0f);
    theUndo.Redo();
    EXPECT_EQ(F(fits).m_fEcc[1], 0.25f);
}

// The reference is the input's component normal to the member; a direction
// along the member is refused.
TEST_F(FramePropertyTest, LocalAxisFromDirectionOrPoint)
{
    AppHelperLog log;
    const double a[3] = {0, 0, 0}, b[3] = {4, 0, 0};
    const int f = Frame(a, b);
    const CFrame before = F(f);
    struct Case {
        uint8_t point;
        double in[3];
        double ref[3];
        bool refused;
    } cases[] = {
        {0, {1, 0, 1}, {0, 0, 1}, false}, {0, {0, 2, 0}, {0, 1, 0}, false}, {1, {3, 0, -5}, {0, 0, -1}, false},
        {0, {-2, 0, 0}, {0, 0, 0}, true}, {1, {7, 0, 0}, {0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        F(f) = before;
        theFrameAxisPara.axisChoice = 3;
        theFrameAxisPara.pointInPlane = c.point;
        std::copy(c.in, c.in + 3, theFrameAxisPara.direction);
        Select({f});
        const size_t boxes = log.Messages().size();
        EXPECT_EQ(ApplyLocalAxis(), c.refused ? 0 : 1);
        EXPECT_EQ(log.Messages().size(), boxes + (c.refused ? 1 : 0));
        if (c.refused) {
            EXPECT_EQ(F(f).GetAxisCode(), before.GetAxisCode());
            continue;
        }
        EXPECT_EQ(F(f).GetAxisCode(), 3);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(F(f).m_dRef[k], c.ref[k], 1e-12) << k;
    }
    theUndo.Undo();
    EXPECT_EQ(F(f).m_dRef[2], before.m_dRef[2]);
}

// The end nearer the cursor toggles in both bending planes; a partial release
// counts as released.
TEST_F(FramePropertyTest, EndToggleAndReleases)
{
    const int f = Frame(0, 10);
    theViewProjection.SetScreenRect(0, 0, 200, 100);
    theViewProjection.SetMode(1, 0, 0, 0);
    theViewProjection.SetDefaultView();
    const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 0, 1);
    int xi, yi, xj, yj;
    theViewProjection.WorldToScreenInt(FindNode(F(f).m_nNodeI)->m_dCoord, xi, yi);
    theViewProjection.WorldToScreenInt(FindNode(F(f).m_nNodeJ)->m_dCoord, xj, yj);

    struct Case {
        uint8_t before[6];
        bool nearJ;
        uint8_t after[6];
    } cases[] = {
        {{0, 0, 0, 0, 0, 0}, true, {0, 100, 0, 0, 100, 0}},
        {{0, 0, 0, 0, 0, 0}, false, {100, 0, 0, 100, 0, 0}},
        {{100, 0, 100, 100, 0, 0}, false, {0, 0, 100, 0, 0, 0}},
        {{0, 0, 0, 50, 0, 0}, false, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::copy(c.before, c.before + 6, F(f).m_cRelease);
        Select({f});
        const int x = c.nearJ ? xj - 3 : xi + 3, y = c.nearJ ? yj : yi;
        EXPECT_EQ(ToggleEndRelease(x, y), 1);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(F(f).m_cRelease[k], c.after[k]) << k;
        theUndo.Undo();
        for (int k = 0; k < 6; ++k) EXPECT_EQ(F(f).m_cRelease[k], c.before[k]) << k;
        theUndo.Redo();
        EXPECT_EQ(F(f).m_cRelease[1], c.after[1]);
    }

    const uint8_t hinged[6] = {100, 100, 0, 100, 100, 0};
    std::copy(hinged, hinged + 6, theFrameDefaults.m_cRelease);
    Select({f});
    EXPECT_EQ(ApplyFrameReleases(), 1);
    EXPECT_TRUE(std::equal(hinged, hinged + 6, F(f).m_cRelease));
}

TEST_F(FramePropertyTest, LoadsOnTheCurrentCase)
{
    const int a = Frame(0, 6), b = Frame(10, 16);
    CFrameLoadPara& in = theFrameDefaults.m_Load;
    SetPoints(in.m_Points, {0, -1}, {-10, -10});
    in.m_nOperation = 2;
    Select({a, b});
    EXPECT_EQ(ApplyFrameLoadPara(), 2);
    Select({a, b});
    ApplyFrameLoadPara();
    // Added twice: one shared record with doubled values.
    EXPECT_EQ(theFrameLoads.GetSize(), 2);
    EXPECT_EQ(F(a).m_Loads[0].nValue, F(b).m_Loads[0].nValue);
    const DLoadPoints& pz = LoadOf(a).m_Points[0][2];
    ASSERT_EQ(pz.Entries(), 2);
    EXPECT_FLOAT_EQ(pz.m_pV[0], -20);

    // Replace, subtract, then delete the type: the case entry goes.
    in.m_nOperation = 3;
    Select({a});
    ApplyFrameLoadPara();
    EXPECT_FLOAT_EQ(LoadOf(a).m_Points[0][2].m_pV[1], -10);
    in.m_nOperation = 4;
    Select({a});
    ApplyFrameLoadPara();
    EXPECT_EQ(F(a).m_Loads.Entries(), 0);
    theUndo.Undo();
    EXPECT_FLOAT_EQ(LoadOf(a).m_Points[0][2].m_pV[1], -10);

    // Span forces on another case; mixing positions is refused with a message.
    theProjectOptions.nCurrentLoadCase = 3;
    in.m_nType = 3;
    in.m_nOperation = 1;
    SetPoints(in.m_Points, {2}, {-5});
    Select({b});
    ApplyFrameLoadPara();
    EXPECT_EQ(F(b).m_Loads.Entries(), 2);
    EXPECT_FLOAT_EQ(LoadOf(b).m_Points[2][2].m_pX[0], 2);

    // Absolute points added to a relative list join it on this member's length.
    theProjectOptions.nCurrentLoadCase = 1;
    in.m_nType = 1;
    in.m_nOperation = 2;
    SetPoints(in.m_Points, {1, 3}, {-1, -1});
    Select({b});
    ApplyFrameLoadPara();
    const DLoadPoints& joined = LoadOf(b).m_Points[0][2];
    ASSERT_GT(joined.Entries(), 2);
    EXPECT_LT(joined.m_pX[0], 1e-6);
}

// Per projected length: 10 on a 3:4 slope in Z is stored as 8.
TEST_F(FramePropertyTest, ProjectedLengthAndInterpolation)
{
    const double a[3] = {0, 0, 0}, b[3] = {4, 0, 3};
    const int f = Frame(a, b);
    CFrameLoadPara& in = theFrameDefaults.m_Load;
    in.m_nOperation = 1;
    in.m_nMeasure = 1;
    SetPoints(in.m_Points, {0, -1}, {10, 10});
    Select({f});
    ApplyFrameLoadPara();
    EXPECT_FLOAT_EQ(LoadOf(f).m_Points[0][2].m_pV[0], 8);

    // Values interpolated between (0,0,0) = 2 and (8,0,0) = 6: node I is the
    // upper end (4,0,3), 4 there; 2 at node J.
    in.m_nMeasure = 0;
    in.m_bInterpolate = 1;
    const double p0[3] = {0, 0, 0}, p1[3] = {8, 0, 0};
    std::copy(p0, p0 + 3, in.m_dInterp[0]);
    std::copy(p1, p1 + 3, in.m_dInterp[1]);
    in.m_fInterpValue[0] = 2, in.m_fInterpValue[1] = 6;
    Select({f});
    ApplyFrameLoadPara();
    const DLoadPoints& pz = LoadOf(f).m_Points[0][2];
    ASSERT_EQ(pz.Entries(), 2);
    EXPECT_FLOAT_EQ(pz.m_pV[0], 4);
    EXPECT_FLOAT_EQ(pz.m_pV[1], 2);
    EXPECT_FLOAT_EQ(pz.m_pX[1], 5);

    // An expression of the point's coordinates, sampled at 1 + 2 + 1 points.
    in.m_bInterpolate = 0;
    in.m_sExpression = "x*2";
    in.m_nExpressionPoints = 2;
    int n = 0;
    double x[8], v[8];
    BuildFrameLoadPoints(in, F(f), n, x, v, 8);
    ASSERT_EQ(n, 4);
    EXPECT_DOUBLE_EQ(v[0], 8);
    EXPECT_DOUBLE_EQ(v[3], 0);
    EXPECT_NEAR(x[1], 5.0 / 3, 1e-12);
}

TEST_F(FramePropertyTest, TemperatureAndPrestress)
{
    const int f = Frame(0, 5);
    theFrameDefaults.m_fPrestress = 30;
    theFrameDefaults.m_fTemp[0] = 20;
    Select({f});
    ApplyFrameTemperature();
    EXPECT_EQ(LoadOf(f).m_fPrestress, 30);
    EXPECT_EQ(LoadOf(f).m_fTemp[0], 20);
    // All zero: no record, the entry goes.
    theFrameDefaults = CFrameDefaults();
    Select({f});
    ApplyFrameTemperature();
    EXPECT_EQ(F(f).m_Loads.Entries(), 0);
}

TEST_F(FramePropertyTest, CablesAlongAPickedLine)
{
    const int a = Frame(0, 4), b = Frame(4, 10), off = Frame(10, 14);
    CTightWire& w = theTightWireParameter.m_wire;
    w.m_fT = 50, w.m_fDc = -0.3f;
    const double p0[3] = {0, 0, 0}, p1[3] = {10, 0, 0};
    EXPECT_EQ(AssignPrestressCable(p0, p1), 2);
    EXPECT_EQ(AssignPrestressCable(p0, p1), 2);
    // One record, two items on each frame.
    EXPECT_EQ(theTightWires.GetSize(), 1);
    EXPECT_FLOAT_EQ(theTightWires.GetAt(0)->m_fSpan, 10);
    ASSERT_EQ(F(b).m_Wires.Entries(), 2);
    EXPECT_EQ(F(b).m_Wires[1].nElement, 1);
    EXPECT_FLOAT_EQ(F(b).m_Wires[0].fValue1, 4);
    EXPECT_FLOAT_EQ(F(b).m_Wires[0].fValue2, 10);
    EXPECT_EQ(F(off).m_Wires.Entries(), 0);

    // No force: nothing; removal clears the frames and keeps the list.
    w.m_fT = 0;
    EXPECT_EQ(AssignPrestressCable(p0, p1), 0);
    theTightWireParameter.m_cMode = 2;
    EXPECT_EQ(AssignPrestressCable(p0, p1), 2);
    EXPECT_EQ(F(a).m_Wires.Entries(), 0);
    EXPECT_EQ(theTightWires.GetSize(), 1);
    theUndo.Undo();
    EXPECT_EQ(F(a).m_Wires.Entries(), 2);
}

TEST_F(FramePropertyTest, CombiningCollinearFrames)
{
    AppHelperLog log(IDNO);
    const int a = Frame(0, 4), b = Frame(4, 10);
    const int nodeMid = F(a).m_nNodeJ, nodeEnd = F(b).m_nNodeJ;
    // A load only on the second beam survives on the kept one.
    CFrameLoad load;
    SetPoints(load.m_Points[0][2], {0, -1}, {-3, -3});
    F(b).m_Loads.Insert(1, FindOrAddFrameLoad(load));
    Select({a, b});
    EXPECT_EQ(CombineSelectedFrames(), 1);
    ASSERT_EQ(theFrames.GetSize(), 1);
    const CFrame& kept = *theFrames.GetAt(0);
    EXPECT_EQ(kept.m_nNodeJ, nodeEnd);
    EXPECT_NEAR(kept.GetLength(), 10, 1e-12);
    ASSERT_EQ(kept.m_Loads.Entries(), 1);
    const DLoadPoints& pz = theFrameLoads.GetAt(kept.m_Loads[0].nValue - 1)->m_Points[0][2];
    EXPECT_GT(pz.Entries(), 0);
    EXPECT_EQ(FindNode(nodeMid)->m_nElements, 0);
    theUndo.Undo();
    ASSERT_EQ(theFrames.GetSize(), 2);
    EXPECT_EQ(F(a).m_nNodeJ, nodeMid);
    EXPECT_EQ(F(a).m_Loads.Entries(), 0);
    EXPECT_EQ(FindNode(nodeMid)->m_nElements, 2);
    EXPECT_EQ(FindNode(nodeEnd)->m_nElements, 1);
    theUndo.Redo();
    EXPECT_EQ(theFrames.GetSize(), 1);
    EXPECT_TRUE(log.Messages().empty());

    // At an angle: asked, and No leaves both.
    const double c0[3] = {20, 0, 0}, c1[3] = {24, 0, 0}, c2[3] = {24, 3, 0};
    const int c = Frame(c0, c1), d = Frame(c1, c2);
    Select({c, d});
    EXPECT_EQ(CombineSelectedFrames(), 0);
    EXPECT_EQ(theFrames.GetSize(), 3);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "两单元并非完全在一直线上，是否接强行合并?");
}

}  // namespace
}  // namespace vektest
