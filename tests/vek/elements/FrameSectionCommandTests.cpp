// The section commands on frames: a variable section laid along a picked
// line (undone and redone to equal bytes), and the purge of sections and
// cables that no frame uses.
#include <cmath>
#include <string>

#include "tests/vek/elements/FrameTestSupport.h"
#include "vek/elements/line/frames/FrameSectionPurge.h"
#include "vek/elements/line/frames/FrameVariableSection.h"
#include "vek/model/materials/TightWire.h"

namespace vektest {
namespace {

class FrameSectionCommandTest : public FrameModelTest {
protected:
    void TearDown() override
    {
        theTightWires.SetSize(0);
        FrameModelTest::TearDown();
    }
    // A variable rectangle from width 0.3 x height 0.6 at end I to 0.3 x 0.4 at end J.
    static void Tapered()
    {
        CVframeSect s;
        s.SetName("VS");
        s.m_cKind = 1;
        s.m_fStart[0] = 0.6f, s.m_fStart[1] = 0.3f;
        s.m_fEnd[0] = 0.4f, s.m_fEnd[1] = 0.3f;
        theVframeSects.Add(s);
        theCurrentProps.vframeSect = 1;
    }
    static int Between(double x0, double y0, double x1, double y1) { return Frame(Node(x0, y0, 0), Node(x1, y1, 0)); }
    // The taper's height at x along the line from x = 0 to x = 4.
    static float HeightAt(double x) { return float(0.6 - 0.05 * x); }
    static double X(int node) { return FindNode(node)->m_dCoord[0]; }
    // The frame has the variable section `number`, cut from the taper
    // between the line's points under its two ends.
    static void ExpectSection(int id, int number, float h0, float h1)
    {
        const CFrame& f = F(id);
        EXPECT_EQ(f.GetSectionKind(), kVariableSect) << id;
        ASSERT_EQ(f.m_nSection, number) << id;
        const CVframeSect& s = *theVframeSects.GetAt(number - 1);
        EXPECT_NEAR(s.m_fStart[0], h0, 1e-6) << id;
        EXPECT_NEAR(s.m_fEnd[0], h1, 1e-6) << id;
        EXPECT_FLOAT_EQ(s.m_fStart[1], 0.3f) << id;
        EXPECT_FLOAT_EQ(s.m_fEnd[1], 0.3f) << id;
    }
    static void ExpectCut(int id, int number, double x0, double x1)
    {
        const CFrame& f = F(id);
        const auto h = [&](int node) { return HeightAt(std::fabs(X(node) - x0) / std::fabs(x1 - x0) * 4); };
        ExpectSection(id, number, h(f.m_nNodeI), h(f.m_nNodeJ));
    }
};

// Each frame on the line takes the stretch of the taper its ends cut;
// frames off the line or past its end keep their sections.
TEST_F(FrameSectionCommandTest, VariableSectionAlongALine)
{
    Tapered();
    const int a = Between(0, 0, 2, 0), b = Between(4, 0, 2, 0);
    const int off = Between(0, 0, 0, 3), past = Between(5, 0, 6, 0);
    theUndo.Clear();
    const Bytes before = Block();

    const double p0[3] = {0, 0, 0}, p1[3] = {4, 0, 0};
    AppHelperLog log;
    EXPECT_EQ(ApplyVariableSectionAlongLine(p0, p1), 2);
    EXPECT_EQ(log.LastModified(), 1);
    ExpectCut(a, 2, 0, 4);
    ExpectCut(b, 3, 0, 4);
    EXPECT_STREQ(theVframeSects.GetAt(1)->m_pName, "变截面2");
    EXPECT_STREQ(theVframeSects.GetAt(2)->m_pName, "变截面3");
    EXPECT_EQ(F(off).m_nSection, 0);
    EXPECT_EQ(F(past).m_nSection, 0);
    const Bytes after = Block();

    theUndo.Undo();
    EXPECT_EQ(theVframeSects.GetSize(), 1);
    EXPECT_EQ(Block(), before);
    theUndo.Redo();
    EXPECT_EQ(Block(), after);
    theUndo.Undo();
    EXPECT_EQ(Block(), before);
}

TEST_F(FrameSectionCommandTest, VariableSectionReusesEqualSectionsAndNeedsALine)
{
    const int a = Between(0, 0, 2, 0), b = Between(2, 0, 4, 0);
    const double p0[3] = {0, 0, 0}, p1[3] = {2, 0, 0}, end[3] = {4, 0, 0};
    // No variable section yet: nothing happens.
    EXPECT_EQ(ApplyVariableSectionAlongLine(p0, p1), 0);
    Tapered();
    const double tiny[3] = {0, 0, 5e-6};
    EXPECT_EQ(ApplyVariableSectionAlongLine(p0, tiny), 0);
    EXPECT_EQ(F(a).m_nSection, 0);

    // A whole frame on the whole line takes the current section itself.
    EXPECT_EQ(ApplyVariableSectionAlongLine(p0, p1), 1);
    ASSERT_EQ(X(F(a).m_nNodeI), 0);
    ExpectSection(a, 1, 0.6f, 0.4f);
    EXPECT_EQ(theVframeSects.GetSize(), 1);
    // Picked the other way round, the taper's end I lies at x = 4.
    EXPECT_EQ(ApplyVariableSectionAlongLine(end, p0), 2);
    ExpectCut(a, 2, 4, 0);
    ExpectCut(b, 3, 4, 0);
    EXPECT_NEAR(theVframeSects.GetAt(1)->m_fStart[0], 0.4f, 1e-6);
    // The same line again shares the sections made the first time.
    EXPECT_EQ(ApplyVariableSectionAlongLine(end, p0), 2);
    EXPECT_EQ(theVframeSects.GetSize(), 3);
    ExpectCut(a, 2, 4, 0);
}

TEST_F(FrameSectionCommandTest, PurgeKeepsUsedSectionsInOrder)
{
    AppHelperLog log;
    for (int k = 1; k <= 4; ++k) {
        CFrameSect s;
        s.m_fPara[0] = 0.1f * float(k);
        s.SetName(("S" + std::to_string(k)).c_str());
        theFrameSects.Add(s);
        CSframeSect steel;
        steel.m_cPattern = uint8_t(k);
        theSframeSects.Add(steel);
    }
    Tapered();
    Tapered();
    for (int k = 1; k <= 3; ++k) {
        CTightWire w;
        w.m_fT = float(k);
        w.m_fSpan = 1;
        theTightWires.Add(w);
    }
    // Sections 1 and 4 in use, 6 past the end; steel 3; variable 2; cable 3, 0 and 9.
    const int s1 = Between(0, 0, 1, 0), s4 = Between(0, 1, 1, 1), bad = Between(0, 2, 1, 2);
    const int steel = Between(0, 3, 1, 3), tapered = Between(0, 4, 1, 4);
    F(s1).SetSection(1, kOrdinarySect);
    F(s4).SetSection(4, kOrdinarySect);
    F(bad).SetSection(6, kOrdinarySect);
    F(steel).SetSection(3, kSteelSect);
    F(tapered).SetSection(2, kVariableSect);
    F(s4).m_Wires.Add(3, 0, 1);
    F(s4).m_Wires.Add(0, 0, 1);
    F(s1).m_Wires.Add(9, 0, 1);
    theCurrentProps.frameSect = 4;
    theCurrentProps.steelSect = 2;  // removed: the validation picks one that is there

    const CFramePurgeCounts c = PurgeUnusedFrameData();
    EXPECT_EQ(c.sections, 2);
    EXPECT_EQ(c.variable, 1);
    EXPECT_EQ(c.steel, 3);
    EXPECT_EQ(c.cables, 2);
    EXPECT_FALSE(theUndo.CanUndo());
    EXPECT_EQ(log.LastModified(), 1);

    ASSERT_EQ(theFrameSects.GetSize(), 2);
    EXPECT_STREQ(theFrameSects.GetAt(1)->m_pName, "S4");
    EXPECT_EQ(F(s1).m_nSection, 1);
    EXPECT_EQ(F(s4).m_nSection, 2);
    EXPECT_EQ(F(bad).m_nSection, 0);
    EXPECT_EQ(F(bad).GetSectionKind(), kOrdinarySect);
    ASSERT_EQ(theSframeSects.GetSize(), 1);
    EXPECT_EQ(theSframeSects.GetAt(0)->m_cPattern, 3);
    EXPECT_EQ(F(steel).m_nSection, 1);
    EXPECT_EQ(F(steel).GetSectionKind(), kSteelSect);
    EXPECT_EQ(theVframeSects.GetSize(), 1);
    EXPECT_EQ(F(tapered).m_nSection, 1);
    ASSERT_EQ(theTightWires.GetSize(), 1);
    EXPECT_FLOAT_EQ(theTightWires.GetAt(0)->m_fT, 3);
    EXPECT_EQ(F(s4).m_Wires[0].nElement, 1);
    EXPECT_EQ(F(s4).m_Wires[1].nElement, 0);
    EXPECT_EQ(F(s1).m_Wires[0].nElement, 0);
    // The current numbers follow their sections.
    EXPECT_EQ(theCurrentProps.frameSect, 2);
    EXPECT_EQ(theCurrentProps.steelSect, 1);

    // Nothing more to remove: the history stays.
    Frame(Node(7, 7, 0), Node(8, 7, 0));
    EXPECT_EQ(PurgeUnusedFrameData().Total(), 0);
    EXPECT_TRUE(theUndo.CanUndo());
}

}  // namespace
}  // namespace vektest
