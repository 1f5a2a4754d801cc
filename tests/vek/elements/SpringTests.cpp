// Springs: how added springs combine, the checks, the commands and the
// LSPRING block.
#include "tests/vek/elements/NodeTestSupport.h"
#include "tests/vek/model/DataFileText.h"

namespace vektest {
namespace {

class Springs : public NodeModelTest {
protected:
    static CSpring Grounded(int node, double k, double dz, int mode = 0)
    {
        CSpring s;
        s.m_nNodeI = node;
        s.m_dK = k;
        s.m_dDir[2] = dz;
        s.m_cMode = int8_t(mode);
        return s;
    }
    static CSpring Link(int i, int j, double k)
    {
        CSpring s;
        s.m_nNodeI = i;
        s.m_nNodeJ = j;
        s.m_dK = k;
        return s;
    }
    static const CSpring& Only()
    {
        EXPECT_EQ(theSprings.GetSize(), 1);
        return *theSprings.GetAt(0);
    }
};

TEST_F(Springs, OppositeGroundedSpringsCancelOrTurn)
{
    AddSpring(Grounded(1, 100, -1), 0);
    AddSpring(Grounded(1, 100, 1), 0);
    EXPECT_EQ(theSprings.GetSize(), 0);  // 100 - 100: gone

    AddSpring(Grounded(1, 30, 1), 0);
    AddSpring(Grounded(1, 100, -1, 2), 0);
    EXPECT_DOUBLE_EQ(Only().m_dK, 70);
    EXPECT_EQ(Only().m_dDir[2], -1);  // turned to the stronger side
    EXPECT_EQ(Only().m_cMode, 2);
    AddSpring(Grounded(1, 5, -3), 0);  // the same way: added
    EXPECT_DOUBLE_EQ(Only().m_dK, 75);
}

TEST_F(Springs, LinkSpringsMatchInEitherOrder)
{
    AddSpring(Link(5, 9, 10), 0);
    AddSpring(Link(9, 5, 15), 0);
    EXPECT_DOUBLE_EQ(Only().m_dK, 25);
    AddSpring(Link(9, 5, 4), 1);  // replace
    EXPECT_DOUBLE_EQ(Only().m_dK, 4);
    CSpring torsion = Link(5, 9, 3);
    torsion.m_cKind = 1;  // another kind: another spring
    AddSpring(torsion, 0);
    EXPECT_EQ(theSprings.GetSize(), 2);
    AddSpring(Link(5, 9, 0), 1);  // an invalid replacement removes the match
    EXPECT_EQ(theSprings.GetSize(), 1);
    EXPECT_EQ(theSprings.GetAt(0)->m_cKind, 1);
}

TEST_F(Springs, ReplacingGroundedSpringsRemovesAllAtTheNode)
{
    AddSpring(Grounded(1, 10, 1), 0);
    CSpring x = Grounded(1, 10, 0);
    x.m_dDir[0] = 1;
    AddSpring(x, 0);
    AddSpring(Grounded(2, 10, 1), 0);
    ASSERT_EQ(theSprings.GetSize(), 3);
    AddSpring(Grounded(1, 50, 1), 1);
    ASSERT_EQ(theSprings.GetSize(), 2);
    int atOne = 0;
    for (int i = 0; i < theSprings.GetSize(); ++i)
        if (theSprings.GetAt(i)->m_nNodeI == 1) {
            ++atOne;
            EXPECT_DOUBLE_EQ(theSprings.GetAt(i)->m_dK, 50);
        }
    EXPECT_EQ(atOne, 1);
}

TEST_F(Springs, InvalidSpringsNeverEnter)
{
    struct Case {
        CSpring s;
        int invalid;
    } cases[] = {
        {Grounded(1, 1e-6, 1), 1},   // too soft
        {Grounded(0, 10, 1), 1},     // no node
        {Grounded(1, 10, 0), 1},     // no direction
        {Link(1, 2, 10), 0},         //
        {Grounded(1, 10, 1e-3), 0},  //
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.s.IsInvalid(), c.invalid);
        EXPECT_EQ(AddSpring(c.s, 0), 1 - c.invalid);
    }
    // A negative stiffness counts by its size.
    EXPECT_EQ(AddSpring(Grounded(3, -10, 1), 0), 1);
}

TEST_F(Springs, BadSpringsGoBeforeSaving)
{
    const int a = Node(0, 0, 0);
    CSpring ok = Link(a, a, 10), missing = Grounded(99, 10, 1);
    ok.m_nNodeJ = Node(1, 0, 0);
    theSprings.Add(ok);
    theSprings.Add(missing);
    CSpring soft = Grounded(a, 1e-9, 1);
    theSprings.Add(soft);
    AppHelperLog log;
    RemoveBadSprings();
    EXPECT_EQ(Only().m_nNodeJ, ok.m_nNodeJ);
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "为部分弹簧施加在不存在的节点上，系统将删除相应项！");
}

TEST_F(Springs, GroundedSpringsAtSelectedNodes)
{
    const int a = Node(0, 0, 0), b = Node(2, 0, 0);
    N(a).m_nFlags |= kObjSelected;
    N(b).m_nFlags |= kObjSelected;
    theSpringInput.stiffness = -40;
    theSpringInput.towardPoint = 1;
    theSpringInput.dir[0] = 1;
    theSpringInput.dir[1] = 0;
    theSpringInput.dir[2] = 0;
    theSpringInput.mode = 1;
    EXPECT_EQ(AddGroundSpringsAtSelected(), 2);
    ASSERT_EQ(theSprings.GetSize(), 2);
    const CSpring& sa = *theSprings.GetAt(0);
    EXPECT_DOUBLE_EQ(sa.m_dK, 40);
    EXPECT_DOUBLE_EQ(sa.m_dDir[0], 1);  // from (0,0,0) towards (1,0,0)
    EXPECT_DOUBLE_EQ(theSprings.GetAt(1)->m_dDir[0], -1);
    EXPECT_EQ(sa.m_cMode, 1);
    EXPECT_FALSE(N(a).IsSelected());
    N(b).m_nFlags |= kObjSelected;
    EXPECT_EQ(ReverseGroundSpringsAtSelected(), 1);
    EXPECT_DOUBLE_EQ(theSprings.GetAt(1)->m_dDir[0], 1);
    N(a).m_nFlags |= kObjSelected;
    EXPECT_EQ(DeleteGroundSpringsAtSelected(), 1);
    EXPECT_EQ(theSprings.GetAt(0)->m_nNodeI, b);
}

TEST_F(Springs, LinkSpringBetweenPickedNodes)
{
    const int a = Node(0, 0, 0), b = Node(3, 0, 0);
    theSpringInput.stiffness = 8;
    theSpringInput.type = 1;  // torsional: both directions
    theSpringInput.mode = 2;
    const double p[3] = {0.01, 0, 0}, q[3] = {3, 0, 0}, away[3] = {9, 9, 9};
    EXPECT_EQ(AddSpringBetweenPickedNodes(p, q), 1);
    EXPECT_EQ(Only().m_nNodeI, a);
    EXPECT_EQ(Only().m_nNodeJ, b);
    EXPECT_EQ(Only().m_cMode, 0);
    AppHelperLog log;
    EXPECT_EQ(AddSpringBetweenPickedNodes(p, away), 0);
    EXPECT_EQ(log.Messages().at(0).text, "没有捕捉到节点！");
    N(b).m_nFlags |= kObjSelected;
    EXPECT_EQ(DeleteLinkSpringsAtSelected(), 1);
    EXPECT_EQ(theSprings.GetSize(), 0);
}

TEST_F(Springs, DisplayStateFollowsTheNodes)
{
    const int a = Node(0, 0, 0), b = Node(1, 0, 0);
    CSpring s = Link(a, b, 10);
    N(a).m_nFlags = (N(a).m_nFlags & ~kObjStateMask) | kObjStateOtherStorey;
    N(b).m_nFlags = (N(b).m_nFlags & ~kObjStateMask) | kObjStateShown;
    EXPECT_EQ(s.GetDisplayState(), 2);
    N(b).m_nFlags &= ~kObjStateMask;
    EXPECT_EQ(s.GetDisplayState(), 0);
    CSpring g = Grounded(a, 1, 1);
    EXPECT_EQ(g.GetDisplayState(), 2);
    theDisplayOptions.Switch(8) = 0;
    EXPECT_EQ(g.GetDisplayState(), 0);
}

TEST_F(Springs, LspringBlockByHand)
{
    CSpring g = Grounded(3, 250, 1, 1);
    g.m_nID = 1;
    g.m_dDir[0] = 0.5;
    g.m_bSlack = 1;  // a slack tension-only spring is switched off
    g.m_nStage = -2;
    CSpring l = Link(3, 4, 1.5e6);
    l.m_nID = 2;
    l.m_cMode = 2;
    l.m_bSlack = 1;
    l.m_cKind = 1;  // torsional: never switched off
    CSpring plain = Link(5, 6, 12.5);
    plain.m_nID = 7;
    theSprings.Add(g);
    theSprings.Add(l);
    theSprings.Add(plain);
    EXPECT_EQ(DataFileText([](DKorvaDataFile& f) { WriteLspringBlock(f, nullptr); }),
              "\n"
              "LSPRING\n"
              "1 N=3 0 T=0 K=250 DIR1=0.5 0 1 KRF=1E-10 ACT=2 \n"
              "2 N=3 4 T=1 K=1.5E6 ACT=1 \n"
              "7 N=5 6 T=0 K=12.5 ACT=1 ");
    theSprings.RemoveAll();
    EXPECT_EQ(DataFileText([](DKorvaDataFile& f) { WriteLspringBlock(f, nullptr); }), "");
}

}  // namespace
}  // namespace vektest
