// Frames: the project record and block (hand-worked bytes, older versions,
// damage), adding frames with their orientation and duplicates, splitting
// beams at nodes and crossings, the loads' data-file text and split, the
// upkeep of frame numbers, undo and redo, and the property commands.
#include <cstring>

#include "korvalib/base/DataFile.h"
#include "tests/support/LeBytes.h"
#include "tests/vek/elements/FrameTestSupport.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameBlock.h"
#include "vek/elements/line/frames/FrameChecks.h"
#include "vek/elements/line/frames/FrameDataLine.h"
#include "vek/elements/line/frames/FrameCommands.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameInfo.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FramePick.h"
#include "vek/elements/line/frames/FrameSort.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/project/ProjectBlocks.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/view/ViewProjection.h"

namespace vektest {
namespace {

class FrameTest : public FrameModelTest {
protected:
    static void Reset() { ResetFrames(); }
    static std::vector<std::pair<int, int>> Ends()
    {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < theFrames.GetSize(); ++i)
            out.emplace_back(theFrames.GetAt(i)->m_nNodeI, theFrames.GetAt(i)->m_nNodeJ);
        return out;
    }
};

// ---- the record --------------------------------------------------------------------

// The record of a frame without a section, by hand: the design block follows
// it; a general section with a number drops it.
TEST_F(FrameTest, RecordBytesOfTheCurrentVersion)
{
    CFrame f;
    f.m_nID = 7;
    f.m_nStorey = 2;
    f.m_nLayer = 3;
    f.m_nNodeI = 4;
    f.m_nNodeJ = 9;
    f.m_fRigid[0] = 0.5f;
    f.m_fAngle = 1.0f;
    f.m_dRef[2] = 1;
    f.m_cRelease[1] = 100;
    f.m_Loads.Insert(2, 1);
    f.m_fEcc[3] = -0.25f;
    f.m_nWind[0] = 1;
    f.m_nStage = -3;
    f.m_Wires.Add(5, 0.0f, 6.0f);
    LeBytes head;
    head.i8(0x16).i16(2).i16(3).i32s({7, 4, 9}).i16(0).i16(0).f32s({0.5f, 0, 1.0f});
    head.f64(0).f64(0).f64(1).raw("\0d\0\0\0\0", 6);
    head.i16(1).i16(2).i32(1).f32s({0, 0, 0, -0.25f}).i16(1).i16(0).i16(-3);
    head.i16(1).i32(5).f32(0).f32(6).i32(0x000D0010);
    Bytes withBlock = head.bytes();
    LeBytes block = LeBytes::Onto(withBlock);
    block.f32s({1, 1, 1}).zeros(40).f32s({1, 1, 1, 1, 1, 150, 250, 0, 0, 0, 0, 0, 0, 1, 1});
    f.m_cRelease[1] = 'd';
    EXPECT_EQ(WriteBlock([&](bofstream& out) { f.Serialize(out); }), withBlock);

    f.SetSection(4, 0);
    Bytes without = head.bytes();
    std::memcpy(&without[17], "\x04\x00", 2);
    EXPECT_EQ(WriteBlock([&](bofstream& out) { f.Serialize(out); }), without);

    CFrame back;
    ASSERT_TRUE(ReadBlock(withBlock, [&](bifstream& in) { return back.Serialize(in) == 1; }));
    EXPECT_EQ(back.m_nID, 7);
    EXPECT_EQ(back.m_nNodeJ, 9);
    EXPECT_EQ(back.m_nStage, -3);
    EXPECT_EQ(back.m_Wires.Entries(), 1);
    EXPECT_EQ(back.m_Loads.Entries(), 1);
    EXPECT_FLOAT_EQ(back.m_Steel.tail[6], 250);
    EXPECT_EQ(WriteBlock([&](bofstream& out) { back.Serialize(out); }), withBlock);
}

// Older records: the steel sign of the section, the release mask, doubles.
TEST_F(FrameTest, OlderRecordsByVersion)
{
    {
        ProjectVersion v(600);
        LeBytes b;
        b.i16(-1).i16(1).i32s({1, 2, 3}).i32(-5).i32(8).i8(3).f64(0.5).f64(0.25).f64(0.125).skip(2);
        b.f64(0).f64(1).f64(0).raw("d\0\0d\0\0", 6).i16(0).f32s({0, 0, 0, 0}).i32(2).i32(0).i16(0);
        CFrame f;
        ASSERT_TRUE(ReadBlock(b.bytes(), [&](bifstream& in) { return f.Serialize(in) == 1; }));
        EXPECT_EQ(f.GetSectionKind(), 1);
        EXPECT_EQ(f.m_nSection, 5);
        EXPECT_EQ(f.m_nMaterial, 0);
        EXPECT_EQ(f.GetAxisCode(), 3);
        EXPECT_FLOAT_EQ(f.m_fRigid[1], 0.25f);
        EXPECT_EQ(f.m_nWind[0], 2);
        EXPECT_EQ(f.GetOutputSections(), 1);
    }
    {
        ProjectVersion v(470);
        LeBytes b;
        b.i16(0).i16(0).i32s({1, 2, 3}).i32(4).i32(1).i8(2).skip(8).f64(0).f64(0).f64(0).skip(2);
        b.f64(0).f64(0).f64(1).i32(0x09).i16(0).skip(1).i16(0);
        CFrame f;
        ASSERT_TRUE(ReadBlock(b.bytes(), [&](bifstream& in) { return f.Serialize(in) == 1; }));
        const uint8_t want[6] = {'d', 0, 0, 'd', 0, 0};
        EXPECT_EQ(std::memcmp(f.m_cRelease, want, 6), 0);
        EXPECT_EQ(f.m_nSection, 4);
        EXPECT_EQ(f.m_nMaterial, 1);
    }
}

// ---- the block ---------------------------------------------------------------------

// A model with a steel frame, a general-section frame with a load, a
// variable section: written, emptied, read, written again, equal.
TEST_F(FrameTest, BlockSaveLoadSaveIsEqual)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0), c = Node(6, 0, 3);
    theFrameSects.Add(CFrameSect());
    theVframeSects.Add(CVframeSect());
    const int f1 = Frame(a, b), f2 = Frame(b, c);
    F(f1).SetSection(1, 0);
    F(f2).SetSection(1, 2);
    CFrameLoad load;
    const float x[2] = {0, 6}, v[2] = {-10, -10};
    load.m_Points[kDistributed][2].SetPoints(2, x, v);
    load.m_fPrestress = 5;
    F(f1).m_Loads.Insert(1, FindOrAddFrameLoad(load));
    theFrameDefaults.m_cRelease[0] = 100;
    const Bytes first = Block();
    ClearFrameFamily();
    theFrameSects.SetSize(0);
    theVframeSects.SetSize(0);
    ASSERT_TRUE(Load(first));
    EXPECT_EQ(theFrames.GetSize(), 2);
    EXPECT_EQ(theFrameLoads.GetSize(), 1);
    EXPECT_EQ(theFrameDefaults.m_cRelease[0], 100);
    EXPECT_EQ(Block(), first);
    // Every shorter block fails.
    for (size_t n = 0; n < first.size(); n += 7) {
        const Bytes cut(first.begin(), first.begin() + long(n));
        EXPECT_FALSE(Load(cut)) << n;
    }
}

// Numbers beyond their lists and impossible counts fail the load.
TEST_F(FrameTest, DamagedBlocksFail)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0);
    const int f = Frame(a, b);
    F(f).m_Loads.Insert(1, 1);  // no such load
    EXPECT_FALSE(Load(Block()));
    F(f).m_Loads.Clear();
    F(f).SetSection(3, 0);  // no such section
    EXPECT_FALSE(Load(Block()));
    F(f).SetSection(0, 0);
    Bytes good = Block();
    ASSERT_TRUE(Load(good));
    // The frame count is the first number after the 12 + 63 + 30 bytes of inputs.
    Bytes huge = good;
    const int32_t n = 0x7FFFFFFF;
    std::memcpy(&huge[12 + 63 + 30], &n, 4);
    EXPECT_FALSE(Load(huge));
}

// Files before version 520 keep loads in an old layout: with loads the block
// is refused with a message, without them it reads.
TEST_F(FrameTest, OldLoadLayoutIsRefusedOnlyWithLoads)
{
    ProjectVersion v(500);
    auto block = [](int values) {
        LeBytes b;
        b.skip(48).skip(52).skip(52);  // inputs (no name before 600), old section, old load input
        b.skip(48).skip(52).skip(52);  // the second record of versions 460..599
        b.i32(0).i32(0).i32(0);        // frames, materials, sections
        b.i32(values);
        if (values) b.skip(52 * size_t(values));
        b.i32(0);
        return b.bytes();
    };
    AppHelperLog log;
    EXPECT_TRUE(Load(block(0)));
    EXPECT_FALSE(Load(block(1)));
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_NE(log.Messages().back().text.find("梁柱荷载"), std::string::npos);
}

// The project file keeps the frames: a portal frame comes back from a saved
// project; an empty model writes the layout the file has without an owner.
TEST_F(FrameTest, TheProjectFileKeepsTheFrames)
{
    ASSERT_TRUE(ProjectBlock(8).owner.IsBound());
    const Bytes bound = WriteBlock([](bofstream& out) { WriteProjectBlock(ProjectBlock(8), out); });
    const CBlockOwner owner = SetProjectBlockOwner(8, {});
    const Bytes empty = WriteBlock([](bofstream& out) { WriteProjectBlock(ProjectBlock(8), out); });
    SetProjectBlockOwner(8, owner);
    EXPECT_EQ(bound, empty);

    const int a = Node(0, 0, 0), b = Node(0, 0, 3), c = Node(6, 0, 3), d = Node(6, 0, 0);
    Frame(a, b), Frame(b, c), Frame(c, d);
    const Bytes written = Block();
    TempFile project("portal", ".prj");
    ASSERT_EQ(SaveProjectFile(project.c_str()), 1);
    Reset();
    ResetNodeModel();
    ASSERT_EQ(LoadProject(project.c_str()), 1);
    EXPECT_EQ(Ends(), (std::vector<std::pair<int, int>>{{2, 1}, {2, 3}, {3, 4}}));
    EXPECT_EQ(Block(), written);
}

// ---- adding frames -----------------------------------------------------------------

TEST_F(FrameTest, OrientationDuplicatesAndLength)
{
    const int low = Node(0, 0, 0), high = Node(1, 1, 3), a = Node(0, 5, 0), b = Node(0.000001, 2, 0);
    struct Case {
        int from, to, i, j;
    } cases[] = {{low, high, high, low}, {high, low, high, low}, {a, b, b, a}, {b, a, b, a}};
    for (const Case& c : cases) {
        Reset();
        ResetNodeModel();
        const int n0 = Node(0, 0, 0), n1 = Node(1, 1, 3), n2 = Node(0, 5, 0), n3 = Node(0.000001, 2, 0);
        (void)n0, (void)n1, (void)n2, (void)n3;
        const int id = Frame(c.from, c.to);
        ASSERT_GT(id, 0);
        EXPECT_EQ(F(id).m_nNodeI, c.i);
        EXPECT_EQ(F(id).m_nNodeJ, c.j);
    }
    const int n0 = 1, n1 = 2;
    const int first = Frame(n0, n1);
    EXPECT_EQ(Frame(n1, n0), first);  // merged model: the existing frame
    theProjectOptions.bStoreyLookup = 0;
    EXPECT_NE(Frame(n1, n0), first);
    EXPECT_EQ(Frame(n0, n0), 0);
    const int close = Node(0.01, 0, 0);
    EXPECT_EQ(Frame(n0, close), 0);  // not longer than the plan tolerance
    EXPECT_EQ(FindNode(n0)->m_nElements, 2);
}

// A beam over three nodes and across a beam: five frames, the crossed beam split.
TEST_F(FrameTest, BeamsSplitAtNodesAndCrossings)
{
    const int a = Node(0, 0, 0), b = Node(10, 0, 0);
    Node(2, 0, 0), Node(4, 0, 0), Node(8, 0, 0);
    const int c = Node(6, -3, 0), d = Node(6, 3, 0);
    ASSERT_GT(Frame(c, d), 0);
    theUndo.BeginRecord();
    EXPECT_EQ(AddFramesBetweenNodes(a, b), 5);
    theUndo.EndRecord();
    EXPECT_EQ(theFrames.GetSize(), 7);
    const double on[3] = {6, 0, 0};
    const int cross = FindNodeAt(on);
    ASSERT_GT(cross, 0);
    EXPECT_EQ(FindNode(cross)->m_nElements, 4);
    // Undone: the one crossed beam again; redone: the seven frames, same bytes.
    const Bytes after = Block();
    theUndo.Undo();
    EXPECT_EQ(theFrames.GetSize(), 1);
    EXPECT_EQ(F(1).m_nNodeI, c < d ? c : d);
    theUndo.Redo();
    EXPECT_EQ(Block(), after);

    Reset();
    ResetNodeModel();
    theFrameGeneration.noSplitting = true;
    const int p = Node(0, 0, 0), q = Node(10, 0, 0);
    Node(5, 0, 0);
    EXPECT_EQ(AddFramesBetweenNodes(p, q), 1);
}

// Generation by the operation: a portal of two columns and a beam in a
// one-storey model, and the use counts of its nodes.
TEST_F(FrameTest, ColumnsBelowNodesAndABeam)
{
    Storeys({3});
    theLevels.current = 1;
    theProjectOptions.nGenerateMethod = 1;
    const double p1[1][3] = {{0, 0, 3}}, p2[1][3] = {{6, 0, 3}};
    EXPECT_EQ(GenerateColumns({1, p1}), 1);
    EXPECT_EQ(GenerateColumns({1, p2}), 1);
    const double beam[2][3] = {{0, 0, 3}, {6, 0, 3}};
    EXPECT_EQ(GenerateBeams({2, beam}), 1);
    ASSERT_EQ(theFrames.GetSize(), 3);
    EXPECT_TRUE(F(1).IsVertical());
    EXPECT_TRUE(F(3).IsHorizontal());
    EXPECT_EQ(theNodes.GetSize(), 4);
    for (int i = 0; i < theNodes.GetSize(); ++i) EXPECT_GE(theNodes.GetAt(i)->m_nElements, 1);
    theUndo.Undo();
    EXPECT_EQ(theFrames.GetSize(), 2);
}

// ---- loads -------------------------------------------------------------------------

// The last point is written 0.0005 short of its position, unless that would
// make it a relative position.
TEST_F(FrameTest, DataFileLoadsMoveTheLastPointInside)
{
    struct Case {
        float last;
        const char* text;
    } cases[] = {{6.0f, "PZ=0 -10 5.9995 -10"}, {0.0004f, "PZ=0 -10 4E-4 -10"}, {-1.0f, "PZ=0 -10 -1 -10"}};
    for (const Case& c : cases) {
        CFrameLoad load;
        const float x[2] = {0, c.last}, v[2] = {-10, -10};
        load.m_Points[kDistributed][2].SetPoints(2, x, v);
        TempFile file("loads", ".dat");
        {
            DKorvaDataFile out;
            ASSERT_TRUE(out.Open(file.c_str(), 0));
            load.WriteDataLoads(out);
            out.Close();
        }
        const Bytes b = file.ReadAll();
        const std::string text(b.begin(), b.end());
        EXPECT_NE(text.find(c.text), std::string::npos) << text;
    }
}

TEST_F(FrameTest, LoadsSplitAndShare)
{
    CFrameLoad rel;
    const float x[2] = {0, -1}, v[2] = {10, 10};
    rel.m_Points[kDistributed][2].SetPoints(2, x, v);
    CFrameLoad first, second;
    rel.Split(6, 2, first, second);
    for (const CFrameLoad* part : {&first, &second}) {
        const DLoadPoints& p = part->m_Points[kDistributed][2];
        ASSERT_EQ(p.Entries(), 2);
        EXPECT_FLOAT_EQ(p.m_pX[0], 0);
        EXPECT_FLOAT_EQ(p.m_pX[1], -1);
        EXPECT_FLOAT_EQ(p.m_pV[1], 10);
    }
    // A span force at 4 m goes to the second part at 2 m.
    CFrameLoad point;
    const float fx[1] = {4}, fv[1] = {3};
    point.m_Points[kSpanForce][2].SetPoints(1, fx, fv);
    point.Split(6, 2, first, second);
    EXPECT_EQ(first.m_Points[kSpanForce][2].Entries(), 0);
    EXPECT_FLOAT_EQ(second.m_Points[kSpanForce][2].m_pX[0], 2);

    // Equal loads share one record; a zero load is not stored.
    EXPECT_EQ(FindOrAddFrameLoad(rel), 1);
    EXPECT_EQ(FindOrAddFrameLoad(CFrameLoad(rel)), 1);
    CFrameLoad tiny;
    tiny.m_fTemp[0] = 1e-6f;
    EXPECT_EQ(FindOrAddFrameLoad(tiny), 0);
    EXPECT_EQ(theFrameLoads.GetSize(), 1);
}

// A split frame's load is shared out between its two parts; undo joins them back.
TEST_F(FrameTest, SplitCarriesLoadsAndUndoes)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0);
    const int f = Frame(a, b);
    CFrameLoad load;
    const float x[2] = {0, 6}, v[2] = {5, 5};
    load.m_Points[kDistributed][2].SetPoints(2, x, v);
    F(f).m_Loads.Insert(1, FindOrAddFrameLoad(load));
    F(f).m_cRelease[1] = 100;
    const Bytes before = Block();
    const int m = Node(2, 0, 0);
    theUndo.BeginRecord();
    const int n = BreakFrameAtNode(f, m);
    theUndo.EndRecord();
    ASSERT_GT(n, 0);
    EXPECT_EQ(F(f).m_nNodeJ, m);
    EXPECT_EQ(F(n).m_nNodeI, m);
    EXPECT_EQ(F(f).m_cRelease[1], 0);
    EXPECT_EQ(F(n).m_cRelease[1], 100);
    const CFrameLoad& second = *theFrameLoads.GetAt(F(n).m_Loads[0].nValue - 1);
    EXPECT_FLOAT_EQ(second.m_Points[kDistributed][2].m_pX[1], 4);
    theUndo.Undo();
    EXPECT_EQ(theFrames.GetSize(), 1);
    EXPECT_EQ(F(f).m_nNodeJ, b);
    EXPECT_EQ(F(f).m_Loads[0].nValue, 1);
    EXPECT_EQ(FindNode(m)->m_nElements, 0);
    EXPECT_EQ(BreakFrameAtNode(f, a), 0);  // an end of its own
}

// ---- frame numbers elsewhere -------------------------------------------------------

// Renumbering maps every end-connection reference, whatever the end codes;
// deleting a referenced frame clears the reference and its end code.
TEST_F(FrameTest, EndConnectionsFollowTheirFrames)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0), c = Node(12, 0, 0);
    const int f1 = Frame(a, b), f2 = Frame(b, c);
    F(f1).m_nAttr |= 1u << kFrameEnd1Shift | 4u << kFrameEnd2Shift;
    for (int k = 0; k < 10; ++k) F(f1).m_Steel.refs[k] = f2;
    const int map[2] = {2, 1};
    RemapFrameReferences(map, 2);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(F(f1).m_Steel.refs[k], 1) << k;

    F(f1).m_Steel.refs[0] = f2;
    F(f2).m_nFlags &= ~kObjLive;
    theUndo.BeginRecord();
    EXPECT_EQ(DeleteMarkedFrames(), 1);
    theUndo.EndRecord();
    EXPECT_EQ(F(f1).m_Steel.refs[0], 0);
    EXPECT_EQ(F(f1).GetEndCode(0), 0);
    EXPECT_EQ(theDisplayRange.ranges[1].to, f1);
    EXPECT_EQ(FindNode(c)->m_nElements, 0);
}

// ---- properties --------------------------------------------------------------------

TEST_F(FrameTest, PropertyCommandsRecordForUndo)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0);
    const int f = Frame(a, b);
    theCurrentProps.material = 3;
    F(f).m_nFlags |= kObjSelected;
    EXPECT_EQ(ApplyFrameMaterial(), 1);
    EXPECT_EQ(F(f).m_nMaterial, 3);
    EXPECT_FALSE(F(f).IsSelected());
    theUndo.Undo();
    EXPECT_EQ(F(f).m_nMaterial, 0);
    theUndo.Redo();
    EXPECT_EQ(F(f).m_nMaterial, 3);

    // Output sections: the panel's count is clamped to 2..11 in all.
    struct Case {
        int asked, interior;
    } cases[] = {{5, 3}, {1, 0}, {2, 0}, {11, 9}, {40, 9}};
    for (const Case& c : cases) {
        F(f).m_nFlags |= kObjSelected;
        ApplyOutputSections(c.asked);
        EXPECT_EQ(F(f).GetOutputSections(), c.interior) << c.asked;
    }
}

// Local axes: beams point local 2 up; a column at 270.5 degrees gets
// (0, -1, 0) exactly.
TEST_F(FrameTest, LocalAxes)
{
    const int a = Node(0, 0, 0), b = Node(4, 0, 0), c = Node(0, 0, 3);
    const int beam = Frame(a, b), column = Frame(a, c);
    double d[3];
    ASSERT_TRUE(F(beam).GetLocalAxis(2, d));
    EXPECT_DOUBLE_EQ(d[2], 1);
    F(column).m_fAngle = float(270.5 * 0.017453292519943295);
    F(column).ComputeLocalAxes();
    EXPECT_EQ(F(column).m_dRef[0], 0);
    EXPECT_EQ(F(column).m_dRef[1], -1);
    EXPECT_EQ(F(column).GetAxisCode(), 3);
}

// Picking: a window holding one end selects nothing; beams-only on a model
// without storeys selects nothing.
TEST_F(FrameTest, PickingByWindow)
{
    const int a = Node(0, 0, 0), b = Node(10, 0, 0);
    const int f = Frame(a, b);
    theViewProjection.SetScreenRect(0, 0, 200, 100);
    theViewProjection.SetDefaultView();
    const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 0, 1);
    F(f).UpdateRangeFlags();
    double sa[2], sb[2];
    FindNode(a)->GetScreenPointF(sa[0], sa[1], 1);
    FindNode(b)->GetScreenPointF(sb[0], sb[1], 1);
    const POINT around1{LONG(sa[0] - 5), LONG(sa[1] - 5)}, around2{LONG(sa[0] + 5), LONG(sa[1] + 5)};
    EXPECT_EQ(SelectFramesInWindow(around1, around2, 1, 0, 'F'), 0);
    const POINT all1{LONG(std::min(sa[0], sb[0]) - 5), LONG(std::min(sa[1], sb[1]) - 5)};
    const POINT all2{LONG(std::max(sa[0], sb[0]) + 5), LONG(std::max(sa[1], sb[1]) + 5)};
    EXPECT_EQ(SelectFramesInWindow(all1, all2, 1, 0, 'B'), 0);
    EXPECT_EQ(SelectFramesInWindow(all1, all2, 1, 0, 'F'), 1);
    EXPECT_TRUE(F(f).IsSelected());
    // A second click without toggling keeps it selected.
    const int mx = int((sa[0] + sb[0]) / 2), my = int((sa[1] + sb[1]) / 2);
    EXPECT_EQ(PickFrameAtPoint(mx, my, 0, 0, 'F'), 1);
    EXPECT_TRUE(F(f).IsSelected());
    EXPECT_EQ(PickFrameAtPoint(mx + 500, my + 500, 1, 0, 'F'), 0);
}

}  // namespace
}  // namespace vektest

namespace vektest {
namespace {

class FrameLine : public FrameTest {
protected:
    // The frame line as the data file holds it.
    static std::string Line(CFrame& f, int n, const int* const* rows)
    {
        TempFile file("line", ".dat");
        {
            DKorvaDataFile out;
            if (!out.Open(file.c_str(), 0)) return "";
            WriteFrameDataLine(out, f, 1, n, rows);
            out.Close();
        }
        const Bytes b = file.ReadAll();
        return std::string(b.begin(), b.end());
    }
};

TEST_F(FrameLine, ItemsOfTheFrameLine)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0);
    CFrame& f = F(Frame(a, b));
    f.m_cRelease[0] = 100;
    f.m_cRelease[3] = 50;
    int case1[1] = {0}, case2[1] = {0}, case3[1] = {7};
    const int* rows[3] = {case1, case2, case3};
    std::string line = Line(f, 3, rows);
    EXPECT_NE(line.find("1 1 2 M=1 DIR2=0 0 1 T=1 E=0 0 R=1 0 0 0.5 0 0 L=0 0 7 ACT=1"), std::string::npos) << line;
    EXPECT_EQ(line.find("ECC="), std::string::npos);

    // Tension only: fixed releases; no load in any case: no output sections.
    f.SetAxialType(1);
    f.m_nAttr |= kFrameEgrf;
    case3[0] = 0;
    line = Line(f, 3, rows);
    EXPECT_NE(line.find("T=0 E=0 0 R=1 1 0 1 1 0 EGRF=1E-10 L=0 "), std::string::npos) << line;
    case1[0] = 2;
    line = Line(f, 3, rows);
    EXPECT_NE(line.find("T=1 "), std::string::npos) << line;

    // Eccentricities of 0.00005 are left out; a prestress in two cases twice.
    for (float& e : f.m_fEcc) e = 0.00005f;
    CFrameLoad p;
    p.m_fPrestress = 100;
    f.m_Loads.Insert(1, FindOrAddFrameLoad(p));
    f.m_Loads.Insert(2, FindOrAddFrameLoad(p));
    line = Line(f, 3, rows);
    EXPECT_EQ(line.find("ECC="), std::string::npos);
    const size_t first = line.find("Axial=100 ");
    ASSERT_NE(first, std::string::npos) << line;
    EXPECT_NE(line.find("Axial=100 ", first + 1), std::string::npos) << line;
    EXPECT_NE(line.find("ACT=1"), std::string::npos) << line;
}

// The steel modulus of a section without one is 2.06e8 kN/m² in the
// model's own units; a frame without section or material says why.
TEST_F(FrameLine, AxialTemperatureValues)
{
    EXPECT_DOUBLE_EQ(DefaultSteelModulus(0), 2.06e8);
    EXPECT_DOUBLE_EQ(DefaultSteelModulus(3), 2.06e8 * 1e6 / 1e6);
    EXPECT_DOUBLE_EQ(DefaultSteelModulus(1), 2.06e8 / 1e4);
    const int a = Node(0, 0, 0), b = Node(6, 0, 0);
    CFrame& f = F(Frame(a, b));
    double area = 0, E = 0, alpha = 0;
    std::string message;
    EXPECT_EQ(GetAxialTempParams(f, area, E, alpha, message), 0);
    EXPECT_EQ(message, "1号梁柱单元没有赋给材料或截面，无法把指定的预拉压力转换成轴向升降温");
    theVframeSects.Add(CVframeSect());
    theMaterials.Add(CMaterial());
    f.SetSection(1, 2);
    f.m_nMaterial = uint16_t(theMaterials.GetSize());
    EXPECT_EQ(GetAxialTempParams(f, area, E, alpha, message), 0);
    EXPECT_EQ(message, "1号梁柱单元的截面为变截面，无法把指定的预拉压力转换成轴向升降温");
    theFrameSects.Add(CFrameSect());
    f.SetSection(1, 0);
    EXPECT_EQ(GetAxialTempParams(f, area, E, alpha, message), 1);
    EXPECT_NEAR(area, 0.16, 1e-6);
    theMaterials.SetSize(theMaterials.GetSize() - 1);
}

}  // namespace
}  // namespace vektest

namespace vektest {
namespace {

// Sorting by X (mode 3) numbers frames by their mid-points; an ordered model
// keeps its numbers and its undo history.
TEST_F(FrameTest, SortingRenumbersByMidPoints)
{
    const int a = Node(0, 0, 0), b = Node(10, 0, 0), c = Node(4, 0, 0), d = Node(4, 5, 0);
    theProjectOptions.bStoreyLookup = 0;
    const int f1 = Frame(b, d), f2 = Frame(a, c), f3 = Frame(c, d);
    (void)f1, (void)f2, (void)f3;
    F(f1).m_Steel.refs[0] = f2;
    EXPECT_EQ(SortFrames(3), 1);
    // Mid-points x: 2 (old 2), 4 (old 3), 7 (old 1).
    EXPECT_EQ(Ends(), (std::vector<std::pair<int, int>>{{a, c}, {c, d}, {d, b}}));
    EXPECT_EQ(F(3).m_Steel.refs[0], 1);
    EXPECT_FALSE(theUndo.CanUndo());
    Frame(a, d);
    ASSERT_TRUE(theUndo.CanUndo());
    EXPECT_EQ(SortFrames(20), 0);
    EXPECT_TRUE(theUndo.CanUndo());
}

// Three frames between the same two nodes (one drawn the other way) leave
// the lowest number, which takes the others' loads; the numbers close up.
TEST_F(FrameTest, DuplicatesGoAndGiveTheirLoads)
{
    theProjectOptions.bStoreyLookup = 0;
    const int a = Node(0, 0, 0), b = Node(6, 0, 0), c = Node(6, 6, 0);
    const int keep = Frame(a, b), other = Frame(b, c), twin = Frame(b, a), third = Frame(a, b);
    (void)other;
    CFrame& t = F(twin);
    std::swap(t.m_nNodeI, t.m_nNodeJ);
    CFrameLoad l;
    l.m_fTemp[0] = 20;
    F(third).m_Loads.Insert(3, FindOrAddFrameLoad(l));
    EXPECT_EQ(DeleteDuplicateFrames(), 2);
    EXPECT_EQ(theFrames.GetSize(), 2);
    EXPECT_EQ(theFrames.GetLastID(), 2);
    EXPECT_EQ(F(keep).m_Loads.Entries(), 1);
    EXPECT_EQ(F(2).m_nNodeJ, c);
    EXPECT_EQ(FindNode(a)->m_nElements, 1);
    EXPECT_EQ(DeleteDuplicateFrames(), 0);
}

}  // namespace
}  // namespace vektest

namespace vektest {
namespace {

// Ten 3 m beams and one 0.1 m beam: the short one is selected and reported.
TEST_F(FrameTest, ShortFramesAreSelected)
{
    theProjectOptions.bStoreyLookup = 0;
    for (int i = 0; i < 10; ++i) Frame(Node(0, i, 0), Node(3, i, 0));
    const int s = Frame(Node(0, 20, 0), Node(0.1, 20, 0));
    AppHelperLog log;
    EXPECT_EQ(CheckShortFrames(), 0);
    EXPECT_TRUE(F(s).IsSelected());
    EXPECT_FALSE(F(1).IsSelected());
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_NE(log.Messages()[0].text.find("第11号梁柱单元太短(长0.1000)"), std::string::npos);
}

// A column drawn bottom to top has its ends, releases and loads exchanged,
// in one undo group that puts it back; a variable section gains a reversed
// copy named with "new". Missing local axes are made, at most five messages.
TEST_F(FrameTest, OrientationIsRepairedAndUndoable)
{
    const int low = Node(0, 0, 0), high = Node(0, 0, 3);
    const int f = Frame(low, high);
    CFrame& c = F(f);
    std::swap(c.m_nNodeI, c.m_nNodeJ);
    c.m_cRelease[0] = 100;
    CVframeSect v;
    v.SetName("V1");
    theVframeSects.Add(v);
    c.SetSection(1, 2);
    CFrameLoad l;
    const float x[1] = {1}, val[1] = {4};
    l.m_Points[kSpanForce][0].SetPoints(1, x, val);
    c.m_Loads.Insert(1, FindOrAddFrameLoad(l));
    const Bytes before = Block();
    AppHelperLog log;
    EXPECT_EQ(CheckFrameOrientation(), 1);
    EXPECT_EQ(c.m_nNodeI, high);
    EXPECT_EQ(c.m_cRelease[1], 100);
    EXPECT_EQ(c.m_nSection, 2);
    EXPECT_STREQ(theVframeSects.GetAt(1)->m_pName, "V1new");
    EXPECT_FLOAT_EQ(theFrameLoads.GetAt(c.m_Loads[0].nValue - 1)->m_Points[kSpanForce][0].m_pX[0], 2);
    EXPECT_EQ(log.LastModified(), 1);
    theUndo.Undo();
    // The library keeps the new section; the frame is as it was.
    EXPECT_EQ(c.m_nNodeI, low);
    EXPECT_EQ(c.m_nSection, 1);
    EXPECT_EQ(c.m_Loads[0].nValue, 1);

    Reset();
    ResetNodeModel();
    theProjectOptions.bStoreyLookup = 0;
    for (int i = 0; i < 7; ++i) F(Frame(Node(0, i, 0), Node(3, i, 0))).SetAxisCode(0);
    AppHelperLog seven;
    CheckFrameOrientation();
    EXPECT_EQ(seven.Messages().size(), 5u);
    for (int i = 0; i < theFrames.GetSize(); ++i) EXPECT_EQ(theFrames.GetAt(i)->GetAxisCode(), 2);
}

// Sections and materials: a steel frame needs no material; a variable
// section loses its tension-only mark.
TEST_F(FrameTest, SectionsAndMaterialsAreChecked)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0), c = Node(12, 0, 0);
    const int steel = Frame(a, b), general = Frame(b, c);
    theSframeSects.Add(CSframeSect());
    F(steel).SetSection(1, 1);
    theVframeSects.Add(CVframeSect());
    F(general).SetSection(1, 2);
    F(general).SetAxialType(1);
    AppHelperLog log;
    EXPECT_EQ(CheckFrameSections(), 0);
    EXPECT_FALSE(F(steel).IsSelected());
    EXPECT_TRUE(F(general).IsSelected());
    EXPECT_EQ(F(general).GetAxialType(), 0);
    ASSERT_GE(log.Messages().size(), 2u);
    EXPECT_EQ(log.Messages()[0].text, "2号梁柱单元材料或截面数据不全，它被设置成选中状态！");
    theSframeSects.SetSize(0);
}

}  // namespace
}  // namespace vektest

namespace vektest {
namespace {

TEST_F(FrameTest, InformationText)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0);
    CFrame& f = F(Frame(a, b));
    f.m_cRelease[1] = 100;
    f.m_fRigid[0] = 0.25f;
    CFrameLoad l;
    l.m_fPrestress = 12;
    f.m_Loads.Insert(2, FindOrAddFrameLoad(l));
    EXPECT_EQ(GetFrameInfoText(f, 3),
              "1号梁柱 I,J端节点=1 2\r\n楼层号=-1 图层=固定图层\r\n内力输出截面数:3\r\n没给截面!\r\n没给材料!"
              "\r\nI端刚域长:0.25\r\n放松J端1-2面内弯矩:100%\r\n荷载种类2下的荷载:\r\n  轴向预应力:12.000");
    EXPECT_EQ(GetFrameInfoText(f, 2), "1号梁柱 I,J端节点=1 2");
}

}  // namespace
}  // namespace vektest
