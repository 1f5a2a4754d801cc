// The data file of models of real beams: the frame family in the writer's
// slot, hand-worked text of a portal frame, the prestress turned into an
// axial temperature, and the switch the one-way iteration sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/analysis/DataFileTestSupport.h"
#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDataFamily.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "korvalib/base/biostream.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"

using namespace vektest;

namespace {

std::string g_documentPath;

class FrameDataFileTest : public NodeModelTest {
protected:
    void SetUp() override
    {
        NodeModelTest::SetUp();
        Reset();
        m_previous = RegisterFrameDataFamily(&FrameDataFamilyOfFrames());
        std::snprintf(theProjectOptions.szProjectName, sizeof theProjectOptions.szProjectName, "PORTAL");
        g_documentPath = dir.File("PORTAL.PRJ");
        theDataFileHooks.documentPath = [] { return g_documentPath; };
    }
    void TearDown() override
    {
        RegisterFrameDataFamily(m_previous);
        theDataFileHooks = CDataFileHooks();
        Reset();
        NodeModelTest::TearDown();
    }
    static void Reset()
    {
        ClearFrameFamily();
        ResetDataFileRecords();
        theCurrentProps.Reset();
    }
    static CFrame& F(int id) { return *theFrames.GetByID(id); }
    static int Rectangle(float b, float h)
    {
        CFrameSect s;
        s.m_cKind = 1;
        s.m_fPara[0] = b;
        s.m_fPara[1] = h;
        theFrameSects.Add(s);
        return theFrameSects.GetSize();
    }
    // A concrete of round values: grade 30, E 3e7, Poisson 0.2, 25, 2.5, 1e-5.
    static int Concrete()
    {
        CMaterial m;
        m.m_fGrade = 30;
        m.m_fModulus = 3e7f;
        m.m_fConst1 = 0.2f;
        m.m_fVolWeight = 25;
        m.m_fVolMass = 2.5f;
        m.m_fConst2 = 1e-5f;
        theMaterials.Add(m);
        return theMaterials.GetSize();
    }
    static int Frame(int a, int b, int section, int material)
    {
        const int id = AddOneFrame(a, b);
        F(id).SetSection(section, kOrdinarySect);
        F(id).m_nMaterial = uint16_t(material);
        return id;
    }
    static int UniformLoad(double q, double length)
    {
        CFrameLoad load;
        const float x[2] = {0, float(length)}, v[2] = {float(q), float(q)};
        load.m_Points[kDistributed][2].SetPoints(2, x, v);
        return FindOrAddFrameLoad(load);
    }
    static int Prestress(float p)
    {
        CFrameLoad load;
        load.m_fPrestress = p;
        return FindOrAddFrameLoad(load);
    }

    // Columns 0.4 x 0.4 and 3 high at x 0 and 6, a beam 0.3 x 0.6 on them
    // with 10 downwards in case 1; fixed bases; one force (1.2) and one
    // displacement (1.0) combination of case 1.
    void Portal()
    {
        const int n1 = Node(0, 0, 0), n2 = Node(0, 0, 3), n3 = Node(6, 0, 3), n4 = Node(6, 0, 0);
        N(n1).m_cRestraint = 63;
        N(n4).m_cRestraint = 63;
        const int column = Rectangle(0.4f, 0.4f), beam = Rectangle(0.3f, 0.6f), concrete = Concrete();
        Frame(n1, n2, column, concrete);
        const int b = Frame(n2, n3, beam, concrete);
        Frame(n4, n3, column, concrete);
        F(b).m_Loads.Insert(1, UniformLoad(-10, 6));
        theProjectOptions.bFormCombinations = 1;
        theProjectOptions.bSelfWeight = 1;
        theProjectOptions.fSelfWeightDir[0] = 0;
        theProjectOptions.fSelfWeightDir[1] = 0;
        theProjectOptions.fSelfWeightDir[2] = -1;
        theProjectOptions.nOptionWord &= ~CProjectOptions::kUnitMask;
        LoadCombination force, disp;
        force.AddFactor(1, 1.2);
        disp.AddFactor(1, 1.0);
        theLoadCombinations[0].Add(force);
        theLoadCombinations[1].Add(disp);
    }
    std::string DataFile() const { return dir.File("PORTAL"); }
    // The whole model in its project form.
    std::string ModelImage() const
    {
        const std::string path = dir.File("image.bin");
        bofstream out;
        if (!out.Open(path.c_str()) || !WriteProjectStream(out) || !out.Close()) return "not written";
        const std::string bytes = ReadBytes(path);
        std::filesystem::remove(path);
        return bytes;
    }

public:
    TempDir dir{"framedata"};

private:
    CFrameDataFamily* m_previous = nullptr;
};

// The analysis start's write of the portal frame, worked by hand: node I of
// a column is its top; a column's local 3-axis reference is X, a beam's
// 2-axis reference Z; two section-material combinations in order of first
// use; the beam load's last point 0.0005 inside the beam.
TEST_F(FrameDataFileTest, PortalFrameMatchesTheHandWorkedText)
{
    Portal();
    AppHelperLog log;
    ASSERT_EQ(WriteKorvaDataFile(1, 1, 1, 1, 1, 0, 0, nullptr), 1);
    const std::string expected =
        "C\n"
        "C This data file is generated by VEK V7.0.6\n"
        "C\n"
        "SYSTEM:\n"
        "4 1 U= 1 0 UNIT=0 \n"
        "\n"
        "DPRINT\n"
        "1 4 \n"
        "\n"
        "FORCE\n"
        "1 C=1.2  T=0 \n"
        "\n"
        "COMBINE\n"
        "1 C=1  T=0 \n"
        "\n"
        "RESTRAINT\n"
        "C 其它节点的约束\n"
        "1 R=1 1 1 1 1 1 \n"
        "4 R=1 1 1 1 1 1 \n"
        "\n"
        "JOINT\n"
        "1 C=0 0 0 \n"
        "2 C=0 0 3 \n"
        "3 C=6 0 3 \n"
        "4 C=6 0 0 \n"
        "\n"
        "\n"
        "FRAME\n"
        "2 1 2 X=0 Y=0 Z=-1 O=2 \n"
        "1 N=1 B=0.4 0.4 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "2 N=1 B=0.3 0.6 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "1 PZ=0 -10 5.9995 -10 \n"
        "C ----- Frame elements with no level or List by layer -------\n"
        "1 2 1 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "2 2 3 M=2 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=1 ACT=1 \n"
        "3 3 4 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "\n"
        "\n"
        "MASTER\n"
        "\n"
        "TOWER\n"
        "1 4 T=1 \n";
    EXPECT_EQ(ReadBytes(DataFile()), FileBytes(expected));
    EXPECT_TRUE(log.Messages().empty()) << log.Messages()[0].text;
    // The model keeps its frames and restraints.
    EXPECT_EQ(theFrames.GetSize(), 3);
    EXPECT_EQ(N(2).m_cRestraint, 0);
}

// A prestress of 100 on a column of 0.4 x 0.4 (A 0.16, E 3e7, alpha 1e-5)
// is the uniform temperature -100 / 48 in the block's load; the line keeps
// its "Axial=". On a variable section it cannot be: a message, no load.
TEST_F(FrameDataFileTest, PrestressBecomesAnAxialTemperature)
{
    Portal();
    F(1).m_Loads.Insert(1, Prestress(100));
    theVframeSects.Add(CVframeSect());
    F(3).SetSection(1, kVariableSect);
    F(3).m_Loads.Insert(1, Prestress(100));
    AppHelperLog log;
    ASSERT_EQ(WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr), 1);
    const std::string text = ReadText(DataFile());
    EXPECT_NE(text.find("\nFRAME\n2 2 2 X=0 Y=0 Z=-1 O=2 \n"), std::string::npos) << text;
    EXPECT_NE(text.find("1 T=-2.0833 0 0 \n2 PZ=0 -10 5.9995 -10 \nC -"), std::string::npos) << text;
    EXPECT_NE(text.find("1 2 1 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=1 Axial=100 ACT=1 \n"), std::string::npos)
        << text;
    // The variable-section column: no block load, its line "L=0".
    EXPECT_NE(text.find("\nVFRAME\n1 0 0 X=0 Y=0 Z=-1 O=2 \n"), std::string::npos) << text;
    EXPECT_NE(text.find("3 3 4 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=0 Axial=100 ACT=1 \n"), std::string::npos)
        << text;
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0].text, "3号梁柱单元的截面为变截面，无法把指定的预拉压力转换成轴向升降温");
    EXPECT_NE(text.find("2 2 3 M=2 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=2 ACT=1 \n"), std::string::npos) << text;
    // The model's load keeps its prestress.
    EXPECT_FLOAT_EQ(theFrameLoads.GetAt(1)->m_fPrestress, 100);
    EXPECT_FLOAT_EQ(theFrameLoads.GetAt(1)->m_fTemp[0], 0);
}

// The iteration's switch on a tension-only brace: its line carries the
// stiffness factor while it is off; the switch finds frames by number.
TEST_F(FrameDataFileTest, SwitchedOffBraceCarriesTheStiffnessFactor)
{
    Portal();
    const int brace = Frame(1, 3, 1, 1);
    F(brace).SetAxialType(1);
    CFrameDataFamily& family = FrameDataFamilyOfFrames();
    const int pos = family.IndexOfID(brace);
    ASSERT_GE(pos, 0);
    CFrameDataRow row;
    family.Row(pos, row);
    EXPECT_EQ(row.id, brace);
    EXPECT_TRUE(row.tensionOnly);
    EXPECT_FALSE(family.IsSwitchedOff(pos));
    family.SetSwitchedOff(pos, true);
    AppHelperLog log;
    ASSERT_EQ(WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr), 1);
    std::string text = ReadText(DataFile());
    EXPECT_NE(text.find("4 3 1 M=1 DIR3=0 1 0 T=0 E=0 0 R=1 1 0 1 1 0 EGRF=1E-10 L=0 ACT=1 \n"), std::string::npos)
        << text;
    family.SetSwitchedOff(pos, false);
    EXPECT_FALSE(family.IsSwitchedOff(pos));
    ASSERT_EQ(WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr), 1);
    text = ReadText(DataFile());
    EXPECT_EQ(text.find("EGRF"), std::string::npos) << text;
}

// Two storeys of 3 with base fixing and a modal analysis: columns at x 0
// and 6, a concrete beam with 10 downwards on the first floor, a steel beam
// I20A on the roof, a tension-only brace in the ground storey and 20 along X
// at a roof node. Masses of gravity loads with g 10 and case 1 at factor 1:
// the beam's 60 gives 3 to each of its nodes; the push along X none. Node I
// is the upper node, or the one of smaller x; the brace's 3-axis reference
// is -Y, its output sections 0 without a load. Rigid floors are not in the
// model yet: no master nodes.
TEST_F(FrameDataFileTest, TwoStoreysMatchTheHandWorkedText)
{
    Storeys({3, 3});
    theProjectOptions.bFixLevel0Nodes = 1;
    const int n1 = Node(0, 0, 0), n2 = Node(6, 0, 0), n3 = Node(0, 0, 3), n4 = Node(6, 0, 3), n5 = Node(0, 0, 6),
              n6 = Node(6, 0, 6);
    const int column = Rectangle(0.4f, 0.4f), beam = Rectangle(0.3f, 0.6f), concrete = Concrete();
    AddSteelI20A();
    Frame(n1, n3, column, concrete);
    Frame(n2, n4, column, concrete);
    Frame(n3, n5, column, concrete);
    Frame(n4, n6, column, concrete);
    const int floor = Frame(n3, n4, beam, concrete);
    F(floor).m_Loads.Insert(1, UniformLoad(-10, 6));
    const int roof = Frame(n5, n6, 1, 0);
    F(roof).SetSection(1, kSteelSect);
    const int brace = Frame(n2, n3, column, concrete);
    F(brace).SetAxialType(1);
    const double push[6] = {20, 0, 0, 0, 0, 0};
    N(n5).m_Loads.Insert(1, FindOrAddNodeLoad(CSixDoubles(push)));
    theEigenPara.on = 1;
    theProjectOptions.fGravity = 10;
    LoadFactor lf;
    theEigenPara.massFactors.Add(lf.Set(1, 1.0));
    theProjectOptions.bSelfWeight = 0;
    theProjectOptions.nOptionWord &= ~CProjectOptions::kUnitMask;

    AppHelperLog log;
    ASSERT_EQ(WriteKorvaDataFile(1, 1, 1, 1, 1, 0, 0, nullptr), 1);
    const std::string expected =
        "C\n"
        "C This data file is generated by VEK V7.0.6\n"
        "C\n"
        "SYSTEM:\n"
        "6 1 U= 1 0 UNIT=0 \n"
        "\n"
        "RITZ\n"
        "V=24 P=10  ITE=1 STURM=1 ERROR=0.0001\n"
        "\n"
        "DPRINT\n"
        "1 6 \n"
        "\n"
        "RESTRAINT\n"
        "C 其它节点的约束\n"
        "1 2 1 R=1 1 1 1 1 1 \n"
        "\n"
        "MASS\n"
        "3 M=3 3 3 0 0 0 \n"
        "4 M=3 3 3 0 0 0 \n"
        "\n"
        "LOADS\n"
        "5 L=1 F=20 0 0 0 0 0 \n"
        "\n"
        "JOINT\n"
        "C 第0层上的所有节点\n"
        "1 C=0 0 0 \n"
        "2 C=6 0 0 \n"
        "C 第1层上的所有节点\n"
        "3 C=0 0 3 \n"
        "4 C=6 0 3 \n"
        "C 第2层上的所有节点\n"
        "5 C=0 0 6 \n"
        "6 C=6 0 6 \n"
        "\n"
        "\n"
        "FRAME\n"
        "2 1 2 O=2 \n"
        "1 N=1 B=0.4 0.4 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "2 N=1 B=0.3 0.6 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "1 PZ=0 -10 5.9995 -10 \n"
        "C 1 --------------- Level 1 ---------------\n"
        "1 3 1 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "2 4 2 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "5 3 4 M=2 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=1 ACT=1 \n"
        "6 3 2 M=1 DIR3=0 -1 0 T=0 E=0 0 R=1 1 0 1 1 0 L=0 ACT=1 \n"
        "C 2 --------------- Level 2 ---------------\n"
        "3 5 3 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "4 6 4 M=1 DIR3=1 0 0 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "C ----- Frame elements with no level or List by layer -------\n"
        "\n"
        "\n"
        "SFRAME\n"
        "1 0 0 O=2 \n"
        "1 Z=I20A H=3 C=1.2E-5 L=0 0 0 0 \n"
        "C 1 --------------- Level 1 ---------------\n"
        "C 2 --------------- Level 2 ---------------\n"
        "7 5 6 M=1 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "C ----- Frame elements with no level or List by layer -------\n"
        "\n"
        "\n"
        "MASTER\n"
        "\n"
        "TOWER\n"
        "1 6 T=1 \n"
        "\n"
        "NDLEVEL\n"
        "1 2 L=0 \n"
        "3 4 L=1 \n"
        "5 6 L=2 \n"
        "\n";
    EXPECT_EQ(ReadBytes(DataFile()), FileBytes(expected));
    EXPECT_TRUE(log.Messages().empty()) << log.Messages()[0].text;
    // With every load counted, not only the downward ones, the push is a mass.
    theEigenPara.onlyMinusZ = 0;
    ASSERT_EQ(WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr), 1);
    EXPECT_NE(ReadText(DataFile()).find("\nMASS\n3 M=3 3 3 0 0 0 \n4 M=3 3 3 0 0 0 \n5 M=2 2 2 0 0 0 \n"),
              std::string::npos)
        << ReadText(DataFile());
}

// The section-material lines of every kind, worked by hand: general
// sections leave out the values not above 1e-14 (an I22 alone keeps I33 as
// its 0), a ring adds its wall, variable sections give both ends by their
// kind's fields, a user-defined steel section its lists of values, a hollow
// rectangle is written as the welded box in millimetres; steel takes no grade.
TEST_F(FrameDataFileTest, SectionMaterialLinesOfEveryKind)
{
    auto general = [](std::initializer_list<float> p) {
        CFrameSect s;
        s.m_cKind = 40;
        int i = 0;
        for (float v : p) s.m_fPara[i++] = v;
        theFrameSects.Add(s);
        return theFrameSects.GetSize();
    };
    const int g1 = general({0.5f, 1e-14f, 0.02f, 0, 0.001f, 0.002f}), g2 = general({0.3f, 0.004f, 0, 0.01f, 0, 0});
    CFrameSect ring;
    ring.m_cKind = 7;
    ring.m_fPara[0] = 0.2f;
    ring.m_fPara[1] = 0.25f;
    theFrameSects.Add(ring);
    const int r = theFrameSects.GetSize();
    auto variable = [](int kind, std::initializer_list<float> start, std::initializer_list<float> end) {
        CVframeSect s;
        s.m_cKind = char(kind);
        std::fill(s.m_fStart, s.m_fStart + 6, 0.0f);
        std::fill(s.m_fEnd, s.m_fEnd + 6, 0.0f);
        std::copy(start.begin(), start.end(), s.m_fStart);
        std::copy(end.begin(), end.end(), s.m_fEnd);
        theVframeSects.Add(s);
        return theVframeSects.GetSize();
    };
    const int v1 = variable(1, {0.8f, 0.3f}, {0.4f, 0.3f}),
              v2 = variable(2, {0.3f, 0.01f, 0.3f, 0.02f, 0.5f, 0.02f}, {0.2f, 0.01f, 0.4f, 0.02f, 0.6f, 0.02f});
    const int v7 = variable(7, {0.1f, 0.2f}, {0.15f, 0.25f});
    theSframeSects.Add(UserSteelSection());
    const int u = theSframeSects.GetSize();
    theSframeSects.Add(SteelOfString("HR200*100*6", 58, 1));
    const int h = theSframeSects.GetSize();
    const int concrete = Concrete();

    struct {
        int section, kind;
    } beams[] = {{g1, kOrdinarySect}, {g2, kOrdinarySect}, {r, kOrdinarySect}, {v1, kVariableSect},
                 {v2, kVariableSect}, {v7, kVariableSect}, {u, kSteelSect},    {h, kSteelSect}};
    // Beams 2 long along X, one after the other: node k at x = 2 (k - 1).
    int nodes[9];
    for (int k = 0; k < 9; ++k) nodes[k] = Node(2 * k, 0, 0);
    for (int k = 0; k < 8; ++k)
        F(Frame(nodes[k], nodes[k + 1], beams[k].section, concrete)).SetSection(beams[k].section, beams[k].kind);
    theProjectOptions.bSelfWeight = 0;
    theProjectOptions.nOptionWord &= ~CProjectOptions::kUnitMask;
    AppHelperLog log;
    ASSERT_EQ(WriteKorvaDataFile(1, 1, 1, 1, 1, 0, 0, nullptr), 1);
    const std::string text = ReadText(DataFile());
    const size_t from = text.find("\nFRAME\n"), to = text.find("\nMASTER\n");
    ASSERT_NE(from, std::string::npos) << text;
    ASSERT_NE(to, std::string::npos) << text;
    const std::string expected =
        "\nFRAME\n"
        "3 0 0 O=2 \n"
        "1 A=0.5 I=0.02 S=1E-3 2E-3 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "2 A=0.3 J=4E-3 I=0 1E-2 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "3 N=7 B=0.2 0.25 0.05 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "C ----- Frame elements with no level or List by layer -------\n"
        "1 1 2 M=1 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "2 2 3 M=2 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "3 3 4 M=3 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "\n"
        "\n"
        "SFRAME\n"
        "2 0 0 O=2 \n"
        "1 J=44 H=3 K=5 V=8 9 10 11 12 13 14 15 A=16 17 I=18 19 20 21 F=22 23 24 S=25 &\n"
        " 26 27 28 T=1 2 3 4 5 6 7 C=1.2E-5 L=0 0 0 0 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "2 Z=BB200*6*88*6*200 H=1 C=1.2E-5 L=0 0 0 0 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "C ----- Frame elements with no level or List by layer -------\n"
        "4 7 8 M=1 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "5 8 9 M=2 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "\n"
        "\n"
        "VFRAME\n"
        "3 0 0 O=2 \n"
        "1 BI=0.3 DI=0.8 BJ=0.3 DJ=0.4 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "2 BI=0.3 1E-2 0.3 DI=0.02 0.5 0.02 BJ=0.2 1E-2 0.4 DJ=0.02 0.6 0.02 U=30 &\n"
        " E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "3 BI=0.2 0.1 BJ=0.25 0.15 U=30 E=3E7 G=1.25E7 W=25 M=2.5 C=1E-5 \n"
        "C ----- Frame elements with no level or List by layer -------\n"
        "6 4 5 M=1 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "7 5 6 M=2 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "8 6 7 M=3 DIR2=0 0 1 T=1 E=0 0 R=0 0 0 0 0 0 L=0 ACT=1 \n"
        "\n";
    EXPECT_EQ(text.substr(from, to - from), expected);
    EXPECT_TRUE(log.Messages().empty()) << log.Messages()[0].text;
}

// A beam load at the beam's ends (the masses' share), on a beam 6 long
// along X whose 2-axis is Z: lever rule for points, triangles, relative
// positions and the local directions.
TEST_F(FrameDataFileTest, BeamLoadsReachTheEndsByTheLeverRule)
{
    const int beam = Frame(Node(0, 0, 0), Node(6, 0, 0), 0, 0);
    struct Case {
        const char* what;
        int group, direction;
        std::vector<float> x, v;
        double zI, zJ;
    } cases[] = {
        {"point force at 2", kSpanForce, 2, {2}, {-12}, -8, -4},
        {"triangle rising to 10", kDistributed, 2, {0, 6}, {0, 10}, 10, 20},
        {"relative, uniform over the middle third", kDistributed, 2, {-1.0f / 3, -2.0f / 3}, {6, 6}, 6, 6},
        {"local 2-axis, uniform", kDistributed, 4, {0, 6}, {-10, -10}, -30, -30},
        {"a moment is no force", kSpanMoment, 2, {3}, {100}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFrameLoad load;
        load.m_Points[c.group][c.direction].SetPoints(int(c.x.size()), c.x.data(), c.v.data());
        F(beam).m_Loads.Clear();
        F(beam).m_Loads.Insert(2, FindOrAddFrameLoad(load));
        std::vector<CFrameEndLoad> ends;
        FrameDataFamilyOfFrames().EndLoads(FrameDataFamilyOfFrames().IndexOfID(beam), ends);
        ASSERT_EQ(ends.size(), 1u);
        EXPECT_EQ(ends[0].loadCase, 2);
        EXPECT_NEAR(ends[0].atI[2], c.zI, 1e-5);
        EXPECT_NEAR(ends[0].atJ[2], c.zJ, 1e-5);
        EXPECT_NEAR(ends[0].atI[0], 0, 1e-9);
        EXPECT_NEAR(ends[0].atJ[1], 0, 1e-9);
    }
}

// Each failure gives its message and 0 and leaves the old data file, no
// temporary and the model's project form as they were; a write without
// merging leaves the model as it was too. The disk is full where the
// temporary's name leads to /dev/full; the folder takes no new file where a
// folder holds the temporary's name; the old file is read-only (Windows
// refuses to replace it, and so does the writer under Wine or for root).
TEST_F(FrameDataFileTest, FailedWritesKeepTheOldFileAndTheModel)
{
    struct Case {
        const char* name;
        bool (*arrange)(const std::string& dataFile);  // false: cannot be made here
        int answer;
        int merge;
        const char* message;  // the start of the last message; null: none, the file written
    };
    static const Case cases[] = {
        {"unsaved project",
         [](const std::string&) {
             theProjectOptions.szProjectName[0] = 0;
             return true;
         },
         IDOK, 1, "当前项目没有保存，请先保存项目！"},
        {"missing material",
         [](const std::string&) {
             F(2).m_nMaterial = 0;
             return true;
         },
         IDOK, 1, "第2号梁柱单元的材料数据不全!"},
        {"one-way brace answered No",
         [](const std::string&) {
             F(Frame(1, 3, 1, 1)).SetAxialType(1);
             return true;
         },
         IDNO, 1, "结构包含只能承受拉力"},
        {"full disk",
         [](const std::string& file) {
#ifdef _WIN32
             (void)file;
             return false;  // no link to a Unix device from here
#else
             std::error_code ec;
             std::filesystem::create_symlink("/dev/full", file + ".$$$", ec);
             return !ec;
#endif
         },
         IDOK, 1, "不能写入数据文件"},
        {"folder takes no new file",
         [](const std::string& file) { return std::filesystem::create_directory(file + ".$$$"); }, IDOK, 1, "#125"},
        {"read-only data file",
         [](const std::string& file) {
             namespace fs = std::filesystem;
             fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
             return true;
         },
         IDOK, 1, "不能写入数据文件"},
        {"merging off", [](const std::string&) { return true; }, IDOK, 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetNodeModel();
        Reset();
        std::snprintf(theProjectOptions.szProjectName, sizeof theProjectOptions.szProjectName, "PORTAL");
        Portal();
        const int free = Node(9, 9, 9);  // restrained for the write only
        N(3).m_nTower = 0;               // written as 1
        F(1).m_Loads.Insert(2, Prestress(100));
        std::ofstream(DataFile(), std::ios::binary) << "old";
        if (!c.arrange(DataFile())) {
            std::printf("%s: cannot be made in this build\n", c.name);
            continue;
        }
        const std::string before = ModelImage();
        AppHelperLog log(c.answer);
        const int ask = c.answer == IDNO;  // the question of one-way members, as from the menu
        const int written = WriteKorvaDataFile(!ask, c.merge, 0, c.merge, 1, 0, 0, nullptr);
        EXPECT_EQ(ModelImage(), before);
        EXPECT_EQ(N(free).m_cRestraint, 0);
        EXPECT_EQ(N(3).m_nTower, 0);
        EXPECT_FLOAT_EQ(theFrameLoads.GetAt(1)->m_fPrestress, 100);
        if (!c.message) {
            EXPECT_EQ(written, 1);
            EXPECT_TRUE(log.Messages().empty()) << log.Messages()[0].text;
            EXPECT_NE(ReadText(DataFile()).find("\nTOWER\n1 5 T=1 \n"), std::string::npos) << ReadText(DataFile());
            EXPECT_EQ(log.LastModified(), -1);
            continue;
        }
        EXPECT_EQ(written, 0);
        ASSERT_FALSE(log.Messages().empty());
        EXPECT_EQ(log.Messages().back().text.rfind(c.message, 0), 0u) << log.Messages().back().text;
        EXPECT_EQ(ReadText(DataFile()), "old");
        std::error_code ec;
        if (std::filesystem::is_directory(DataFile() + ".$$$", ec))
            std::filesystem::remove(DataFile() + ".$$$", ec);
        else
            EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(DataFile() + ".$$$", ec)));
        std::filesystem::permissions(DataFile(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
}

}  // namespace
