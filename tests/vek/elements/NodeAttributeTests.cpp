// Restraints, masses, temperatures, towers and loads set on selected nodes,
// and the pools of six-value records behind masses and loads.
#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeUndo.h"

namespace vektest {
namespace {

class NodeAttributes : public NodeModelTest {
protected:
    int Selected(double x)
    {
        const int id = Node(x, 0, 0);
        N(id).m_nFlags |= kObjSelected;
        return id;
    }
    static void Select(std::initializer_list<int> ids)
    {
        for (int id : ids) N(id).m_nFlags |= kObjSelected;
    }
    static CSixDoubles LoadOf(int id, int lc)
    {
        const int at = N(id).m_Loads.Index(int16_t(lc));
        return at < 0 ? CSixDoubles() : *theNodeLoadPool.Get(N(id).m_Loads[at].nValue);
    }
};

TEST_F(NodeAttributes, RestraintSettingsFixFreeOrKeep)
{
    const int a = Selected(0), b = Selected(1);
    N(a).m_cRestraint = 0x3F;
    N(b).m_cRestraint = 0;
    const int32_t settings[6] = {1, 2, 0, 2, 2, 2};
    std::copy(settings, settings + 6, theNodeInputs.restraints);
    EXPECT_EQ(SetRestraintsOfSelected(), 2);
    EXPECT_EQ(N(a).m_cRestraint, 0x3B);  // Uz freed, the rest kept
    EXPECT_EQ(N(b).m_cRestraint, 0x01);  // Ux fixed
    theUndo.Undo();
    EXPECT_EQ(N(a).m_cRestraint, 0x3F);
    EXPECT_EQ(N(b).m_cRestraint, 0);
}

TEST_F(NodeAttributes, MassesShareRecordsAndZeroRemoves)
{
    const int a = Selected(0);
    const double m[6] = {-1, 2, 3, 0, 0, 0};
    theNodeInputs.mass = CSixDoubles(m);
    SetMassOfSelected();
    ASSERT_EQ(N(a).m_nMass, 1);
    EXPECT_EQ((*theNodeMassPool.Get(1))[0], 1);  // stored positive
    const int b = Selected(1);
    SetMassOfSelected();
    EXPECT_EQ(N(b).m_nMass, 1);
    EXPECT_EQ(theNodeMassPool.GetSize(), 1);
    Select({a});
    theNodeInputs.mass = CSixDoubles();
    SetMassOfSelected();
    EXPECT_EQ(N(a).m_nMass, 0);
    EXPECT_EQ(N(b).m_nMass, 1);
}

TEST_F(NodeAttributes, TowerNumbersFitAByte)
{
    const int a = Selected(0);
    AppHelperLog log;
    theNodeInputs.tower = 0;
    EXPECT_EQ(SetTowerOfSelected(), 0);
    theNodeInputs.tower = 256;
    EXPECT_EQ(SetTowerOfSelected(), 0);
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text, "塔号必须大于0！");
    EXPECT_EQ(log.Messages()[1].text, "塔号不能大于255！");
    EXPECT_EQ(N(a).m_nTower, 1);
    EXPECT_TRUE(N(a).IsSelected());
    theNodeInputs.tower = 255;
    EXPECT_EQ(SetTowerOfSelected(), 1);
    EXPECT_EQ(N(a).m_nTower, 255);
}

TEST_F(NodeAttributes, LoadOperationsOnTheCurrentCase)
{
    theProjectOptions.nCurrentLoadCase = 2;
    const int a = Selected(0);
    struct Step {
        int type, action;
        double value;
        CSixDoubles want;
    };
    auto six = [](double a0, double a1, double a2, double a3, double a4, double a5) {
        const double v[6] = {a0, a1, a2, a3, a4, a5};
        return CSixDoubles(v);
    };
    const Step steps[] = {
        {1, 3, 5, six(-5, 0, 0, 0, 0, 0)},    // subtract from no entry: the negated value
        {3, 1, 10, six(-5, 0, 10, 0, 0, 0)},  // set
        {3, 2, 2, six(-5, 0, 12, 0, 0, 0)},   // add
        {1, 4, 0, six(0, 0, 12, 0, 0, 0)},    // zero one component
        {6, 1, 7, six(0, 0, 12, 0, 0, 7)},
    };
    for (const Step& s : steps) {
        theNodeInputs.loadType = s.type;
        theNodeInputs.loadAction = s.action;
        theNodeInputs.loadValue = s.value;
        Select({a});
        SetNodeLoadOfSelected();
        EXPECT_TRUE(LoadOf(a, 2).IsEqual(s.want)) << s.type << " " << s.action;
    }
    theNodeInputs.loadAction = 5;  // all six zero: the entry goes
    Select({a});
    SetNodeLoadOfSelected();
    EXPECT_EQ(N(a).m_Loads.Entries(), 0);
    theUndo.Undo();
    EXPECT_TRUE(LoadOf(a, 2).IsEqual(steps[4].want));
}

TEST_F(NodeAttributes, EqualLoadsShareARecordUntilOneChanges)
{
    const int a = Selected(0), b = Selected(1);
    theNodeInputs.loadType = 3;
    theNodeInputs.loadAction = 1;
    theNodeInputs.loadValue = -10;
    SetNodeLoadOfSelected();
    EXPECT_EQ(N(a).m_Loads[0].nValue, N(b).m_Loads[0].nValue);
    EXPECT_EQ(theNodeLoadPool.GetSize(), 1);
    Select({a});
    theNodeInputs.loadValue = -20;
    SetNodeLoadOfSelected();
    EXPECT_NE(N(a).m_Loads[0].nValue, N(b).m_Loads[0].nValue);
    EXPECT_EQ(LoadOf(b, 1)[2], -10);
}

TEST_F(NodeAttributes, TinyLoadsCountAsZero)
{
    const double v[6] = {1e-7, -9e-7, 0, 0, 0, 5e-7};
    EXPECT_EQ(FindOrAddNodeLoad(CSixDoubles(v)), 0);
    const double w[6] = {1e-6, 0, 0, 0, 0, 0};
    EXPECT_EQ(FindOrAddNodeLoad(CSixDoubles(w)), 1);
}

TEST_F(NodeAttributes, ReverseOrDeleteLoads)
{
    const int a = Node(0, 0, 0);
    const double v[6] = {1, 2, 3, 0, 0, 0};
    N(a).m_Loads.Insert(1, FindOrAddNodeLoad(CSixDoubles(v)));
    N(a).m_Loads.Insert(2, FindOrAddNodeLoad(CSixDoubles(v)));
    theUndo.BeginRecord();
    ReverseOrDeleteNodeLoads(N(a), false, 2);
    theUndo.EndRecord();
    EXPECT_EQ(LoadOf(a, 1)[0], 1);
    EXPECT_EQ(LoadOf(a, 2)[0], -1);
    ReverseOrDeleteNodeLoads(N(a), true, 0);
    EXPECT_EQ(N(a).m_Loads.Entries(), 0);
    theUndo.Undo();
    EXPECT_EQ(LoadOf(a, 2)[0], 1);
}

TEST_F(NodeAttributes, CopyPropertiesByTheCopyOptions)
{
    const int s = Node(0, 0, 0), t = Node(1, 0, 0);
    N(s).m_nLayer = 3;
    N(s).m_nTower = 4;
    N(s).m_Loads.Insert(1, 5);
    N(s).m_Loads.Insert(2, 6);
    N(t).m_Loads.Insert(3, 7);
    theProjectOptions.nCurrentLoadCase = 2;
    theNodeCopyOptions = {true, true, true};
    theUndo.BeginRecord();
    N(t).CopyProperties(N(s), 0);
    theUndo.EndRecord();
    EXPECT_EQ(N(t).m_nLayer, 3);
    EXPECT_EQ(N(t).m_nTower, 4);
    EXPECT_EQ(N(t).m_Loads.Entries(), 2);  // its own case 3 and the current case 2
    EXPECT_EQ(N(t).m_Loads.Index(1), -1);
    theUndo.Undo();
    EXPECT_EQ(N(t).m_Loads.Entries(), 1);
    theNodeCopyOptions = {false, false, false};
    N(t).CopyProperties(N(s), 1);  // forced: the whole table
    EXPECT_EQ(N(t).m_Loads.Entries(), 2);
    EXPECT_EQ(N(t).m_Loads.Index(1), 0);
    theNodeCopyOptions = CNodeCopyOptions();
}

TEST_F(NodeAttributes, UnitConversionOfThePools)
{
    const double v[6] = {1, 1, 1, 1, 1, 1};
    CSixDoubles load(v), mass(v);
    load.ConvertUnits(1000, 10, 100, 1);
    EXPECT_EQ(load[0], 1000);
    EXPECT_EQ(load[5], 100000);
    mass.ConvertUnits(1000, 10, 100, 3);
    EXPECT_EQ(mass[2], 10);
    EXPECT_EQ(mass[3], 100000);
    load = CSixDoubles(v);
    load.ConvertUnits(1000, 10, 100, 2);
    EXPECT_EQ(load[0], 10);
}

TEST_F(NodeAttributes, MassPanelTexts)
{
    char heading[128], labels[6][32];
    int which[6];
    EXPECT_EQ(MassPanelTexts(heading, labels, which), 6);
    EXPECT_STREQ(heading, "集中质量:平动质量单位=吨,转动惯量单位=吨*米*米");
    EXPECT_STREQ(labels[0], "X向平动质量:");
    EXPECT_STREQ(labels[5], "Z向转动惯量:");
    theProjectOptions.bPlaneModel = 1;
    EXPECT_EQ(MassPanelTexts(heading, labels, which), 3);
    EXPECT_STREQ(labels[0], "Y向平动质量:");
    EXPECT_STREQ(labels[2], "X向转动惯量:");
    EXPECT_EQ(which[2], 3);
}

}  // namespace
}  // namespace vektest
