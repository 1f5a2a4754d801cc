// Frames drawn with their sections' outlines (widths of the band across the
// view, the section names shown, the layers of a DXF export read by ezdxf)
// and the duplicate test by end nodes kept right through splits, undo, node
// changes and renumbering.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TestFiles.h"
#include "tests/vek/elements/FrameTestSupport.h"
#include "tests/vek/view/DxfHead.h"
#include "tests/vek/view/Peers.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameInfo.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameSort.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/materials/Sections.h"
#include "vek/view/DxfOutput.h"
#include "vek/view/ViewProjection.h"

namespace vektest {
namespace {

class FrameOutline : public FrameModelTest {
protected:
    void SetUp() override
    {
        FrameModelTest::SetUp();
        theViewProjection.SetScreenRect(0, 0, 200, 100);
        theViewProjection.SetDefaultView();
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
    }
    // An ordinary rectangle h x b (kind 1: height first) named name.
    static int Rectangle(const char* name, float h, float b)
    {
        CFrameSect s;
        s.m_cKind = 1;
        s.m_fPara[0] = h;
        s.m_fPara[1] = b;
        s.SetName(name);
        theFrameSects.Add(s);
        return theFrameSects.GetSize();
    }
    static void Widths(const CFrame& f, double& wi, double& wj)
    {
        double a[3], b[3];
        FindNode(f.m_nNodeI)->GetDrawCoord(a);
        FindNode(f.m_nNodeJ)->GetDrawCoord(b);
        f.BuildOutline(a, b, wi, wj);
    }
};

// Seen from above, a beam's band is as wide as its section across (local 3),
// whichever way the beam runs; a variable section tapers, others do not.
TEST_F(FrameOutline, BandWidthsAreTheSectionsWidthAcross)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0), c = Node(0, 6, 0);
    const int alongX = Frame(a, b), alongY = Frame(a, c);
    double wi = 0, wj = 0;
    Widths(F(alongX), wi, wj);
    EXPECT_DOUBLE_EQ(wi, 0.3);  // no section
    EXPECT_DOUBLE_EQ(wj, 0.3);

    const int rect = Rectangle("B300", 0.6f, 0.3f);
    for (int id : {alongX, alongY}) {
        F(id).SetSection(rect, 0);
        Widths(F(id), wi, wj);
        EXPECT_NEAR(wi, 0.3, 1e-6) << id;
        EXPECT_NEAR(wj, 0.3, 1e-6) << id;
    }
    CVframeSect v;
    v.m_cKind = 1;
    const float start[6] = {0.6f, 0.3f, 0, 0, 0, 0}, end[6] = {0.6f, 0.5f, 0, 0, 0, 0};
    std::memcpy(v.m_fStart, start, sizeof start);
    std::memcpy(v.m_fEnd, end, sizeof end);
    v.SetName("VB");
    theVframeSects.Add(v);
    F(alongX).SetSection(1, 2);
    Widths(F(alongX), wi, wj);
    EXPECT_NEAR(wi, 0.3, 1e-6);
    EXPECT_NEAR(wj, 0.5, 1e-6);
}

// A portal exported through the view's DXF writer in 3-D: the beam on the
// layer "梁", the columns on "柱", as lines and, in true shape, as faces;
// ezdxf reads both files without a fault.
TEST_F(FrameOutline, DxfExportPutsBeamsAndColumnsOnTheirLayers)
{
    const int a = Node(0, 0, 0), b = Node(0, 0, 3), c = Node(6, 0, 3), d = Node(6, 0, 0);
    const int column = Rectangle("柱400", 0.4f, 0.4f), girder = Rectangle("梁300x600", 0.6f, 0.3f);
    theFrames.GetByID(Frame(a, b))->SetSection(column, kOrdinarySect);
    theFrames.GetByID(Frame(b, c))->SetSection(girder, kOrdinarySect);
    theFrames.GetByID(Frame(c, d))->SetSection(column, kOrdinarySect);
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    const double hi[3] = {6, 0, 3}, lo[3] = {0, 0, 0};
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 1, 1);
    const uint32_t word = theDisplayOptions.m_word;
    for (bool trueShape : {false, true}) {
        SCOPED_TRACE(trueShape ? "true shape" : "lines");
        theDisplayOptions.SetWordBit(9, trueShape);
        const TempFile file("frames", ".dxf", PeerFolder());
        ASSERT_TRUE(theDxfWriter.Open(file.c_str()));
        WriteDxfHead(theDxfWriter, {"0", "梁", "柱"});
        for (int i = 0; i < theFrames.GetSize(); ++i) theFrames.GetAt(i)->Draw();
        ASSERT_EQ(EndDxfOutput(), 1);

        const std::string out = file.path() + ".audit";
        ASSERT_TRUE(RunPeers("audit " + PeerArg(file.path()) + " " + PeerArg(out), out));
        std::ifstream f(out);
        std::stringstream text;
        text << f.rdbuf();
        f.close();
        std::remove(out.c_str());
        const std::string report = text.str();
        EXPECT_EQ(report.substr(0, 17), "errors 0\nfixes 0\n") << report;
        int beam = 0, columns = 0, other = 0;
        std::istringstream lines(report.substr(std::min<size_t>(17, report.size())));
        for (std::string line; std::getline(lines, line);) {
            const std::string layer = line.substr(line.find(' ') + 1);
            (layer == "梁" ? beam : layer == "柱" ? columns : other) += 1;
            EXPECT_EQ(line.compare(0, line.find(' '), trueShape ? "3DFACE" : "LINE"), 0) << line;
        }
        EXPECT_EQ(other, 0) << report;
        // A line each, or the six faces of each rectangular box.
        EXPECT_EQ(beam, trueShape ? 6 : 1) << report;
        EXPECT_EQ(columns, trueShape ? 12 : 2) << report;
    }
    theDisplayOptions.m_word = word;
    theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
}

// Labels and the information text name the section of the frame's own kind.
TEST_F(FrameOutline, SectionNamesOfEachKind)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0);
    const int f = Frame(a, b);
    Rectangle("B300", 0.6f, 0.3f);
    Rectangle("B400", 0.8f, 0.4f);
    CVframeSect v;
    v.SetName("VB1");
    theVframeSects.Add(v);
    theDisplayOptions.SetWordBit(2, true);
    struct Case {
        int number, kind;
        const char* name;
    } cases[] = {{2, 0, "B400"}, {1, 2, "VB1"}, {0, 0, nullptr}, {7, 0, nullptr}};
    for (const Case& c : cases) {
        F(f).SetSection(c.number, c.kind);
        char lines[8][64];
        const int n = F(f).BuildLabels(lines, 8);
        bool shown = false;
        for (int k = 0; k < n; ++k) shown = shown || (c.name && std::string(lines[k]) == c.name);
        EXPECT_EQ(shown, c.name != nullptr) << c.number;
        if (c.name) {
            EXPECT_NE(GetFrameInfoText(F(f), 0).find(c.name), std::string::npos) << c.number;
        }
    }
}

// The duplicate test by end nodes after the ways frames' ends change.
TEST_F(FrameOutline, SameEndsAreFoundAfterEveryChange)
{
    const int a = Node(0, 0, 0), b = Node(6, 0, 0), m = Node(2, 0, 0), c = Node(0, 6, 0);
    const int ab = Frame(a, b);
    auto same = [](int i, int j) {
        CFrame probe;
        probe.m_nNodeI = i;
        probe.m_nNodeJ = j;
        int free = 0;
        return FindFrameWithSameEnds(probe, free);
    };
    EXPECT_EQ(same(b, a), ab);
    theUndo.BeginRecord();
    const int mb = BreakFrameAtNode(ab, m);
    theUndo.EndRecord();
    ASSERT_GT(mb, 0);
    EXPECT_EQ(same(a, b), 0);
    EXPECT_EQ(same(m, a), ab);
    EXPECT_EQ(same(b, m), mb);
    EXPECT_EQ(Frame(a, m), ab);  // no second frame while the model is merged
    theUndo.Undo();
    EXPECT_EQ(same(a, b), ab);
    EXPECT_EQ(same(a, m), 0);
    EXPECT_EQ(same(m, b), 0);
    theUndo.Redo();
    EXPECT_EQ(same(a, m), ab);

    // A node changed through the family table.
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    frames.SetNode(frames.IndexOfID(mb), 0, c);
    EXPECT_EQ(same(m, b), 0);
    EXPECT_EQ(same(b, c), mb);
    // Renumbered: the numbers found are the new ones.
    const int ca = Frame(c, a);
    ASSERT_GT(ca, 0);
    SortFrames(3);  // by x
    for (const auto& e : {std::make_pair(a, m), std::make_pair(b, c), std::make_pair(c, a)}) {
        const int id = same(e.first, e.second);
        ASSERT_GT(id, 0);
        EXPECT_TRUE(HasSameEnds(F(id), [&] {
            CFrame p;
            p.m_nNodeI = e.first;
            p.m_nNodeJ = e.second;
            return p;
        }()));
    }
}

// The frames a new beam crosses are found by place: frames made long
// before, split on the way, or whose nodes moved since.
TEST_F(FrameOutline, CrossingsAreFoundAfterSplitsAndMoves)
{
    const int a = Node(0, 0, 0), b = Node(12, 0, 0);
    const int c = Node(3, -3, 0), d = Node(3, 3, 0), e = Node(9, -3, 0), g = Node(9, -1, 0);
    // Many short frames far away set small cells.
    for (int k = 0; k < 20; ++k) Frame(Node(100 + k, 50, 0), Node(100.5 + k, 50, 0));
    const int cd = Frame(c, d), eg = Frame(e, g);
    ASSERT_GT(eg, 0);
    // eg ends short of the line; moved through the family table, it crosses it.
    const double up[3] = {9, 3, 0};
    ModelFamily(EFamily::Nodes).SetCoordinates(g, up);
    theUndo.BeginRecord();
    EXPECT_EQ(AddFramesBetweenNodes(a, b), 3);
    theUndo.EndRecord();
    for (const double x : {3.0, 9.0}) {
        const double on[3] = {x, 0, 0};
        const int node = FindNodeAt(on);
        ASSERT_GT(node, 0) << x;
        EXPECT_EQ(N(node).m_nElements, 4) << x;
    }
    // A second line over the split halves finds them by their new ends.
    const int p = Node(0, 1, 0), q = Node(12, 1, 0);
    theUndo.BeginRecord();
    EXPECT_EQ(AddFramesBetweenNodes(p, q), 3);
    theUndo.EndRecord();
    for (const double x : {3.0, 9.0}) {
        const double on[3] = {x, 1, 0};
        const int node = FindNodeAt(on);
        ASSERT_GT(node, 0) << x;
        EXPECT_EQ(N(node).m_nElements, 4) << x;
    }
    EXPECT_EQ(F(cd).m_nNodeI, c);  // the part at node I keeps the number
}

}  // namespace
}  // namespace vektest
