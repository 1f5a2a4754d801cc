// Whole analyses under Wine through the real run manager: the solver's steps
// are stand-ins whose plan copies result sets, written here by KorvaLib's
// test writer, beside the data file, one set per round. The portal frame of
// real beams: a plain run, reuse of the data file, a failing step, steps
// that leave no results, the iteration switched off, a tension-only brace
// that flips twice, and one that never settles.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AppTestUtil.h"
#include "analysis/ProcessManager.h"
#include "tests/korvalib/results/ResultGen.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/analysis/AnalysisOptions.h"
#include "vek/analysis/win/AnalysisControl.h"
#include "vek/app/AppWindows.h"
#include "vek/app/MainFrm.h"
#include "vek/app/VekDoc.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/results/Result.h"
#include "vek/res/resource.h"
#include "vek/view/win/BottomDlg.h"

using apptest::BoxRecorder;
using vektest::PumpUntil;

namespace {

// A whole analysis is a program start per step and round: on two loaded
// cores one round takes more than ten seconds, the brace's four more than
// thirty. Only a run that hangs waits this long.
constexpr DWORD kWholeRun = 300000;

const char* const kSteps[] = {"kor",    "KOR2",    "FRAME",  "FRAMF", "BRONK", "SPRING", "SPRINGF", "UDEXOR", "UDEXOR2",
                              "SALDER", "NIBRAKO", "UMORAP", "UQIRN", "REIN",  "SHELLE", "SHELLF",  "TULMA"};

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Columns 1 (nodes 1-2) and 3 (nodes 4-3) 3 high and beam 2 (2-3) 6 long,
// of one section and material, the bases fixed.
void PortalFrames()
{
    const double p[4][3] = {{0, 0, 0}, {0, 0, 3}, {6, 0, 3}, {6, 0, 0}};
    for (const auto& q : p) FindOrAddNode(q);
    theNodes.GetByID(1)->m_cRestraint = 63;
    theNodes.GetByID(4)->m_cRestraint = 63;
    theMaterials.Add(CMaterial());
    theFrameSects.Add(CFrameSect());
    for (auto [a, b] : {std::pair{1, 2}, {2, 3}, {4, 3}}) {
        const int id = AddOneFrame(a, b);
        theFrames.GetByID(id)->SetSection(1, 0);
        theFrames.GetByID(id)->m_nMaterial = 1;
    }
}

// Columns 1 (nodes 1-2) and 3 (nodes 4-3) 3 high, beam 2 (2-3) 6 long with
// 10 downwards; two force combinations and one displacement combination.
class AnalysisRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(apptest::Frame(), nullptr);
        for (const char* name : kSteps)
            ASSERT_TRUE(::CopyFileA((apptest::ProgramFolder() + "\\solver_standin.exe").c_str(),
                                    solver.File(std::string(name) + ".exe").c_str(), FALSE));
        ASSERT_TRUE(::SetEnvironmentVariableA("KORVA", solver.File("").substr(0, solver.File("").size() - 1).c_str()));
        CProcessManager::LocateSolver();
        ASSERT_TRUE(std::filesystem::exists(std::string(CProcessManager::korvaPath) + "\\kor.exe"));

        project = work.File("PORTAL.PRJ");
        GetVekDoc()->SetPathName(project.c_str(), FALSE);
        std::snprintf(theProjectOptions.szProjectName, sizeof theProjectOptions.szProjectName, "PORTAL");
        theProjectOptions.bFormCombinations = 1;
        PortalFrames();
        CFrameLoad q;
        const float x[2] = {0, 6}, v[2] = {-10, -10};
        q.m_Points[kDistributed][2].SetPoints(2, x, v);
        theFrames.GetByID(2)->m_Loads.Insert(1, FindOrAddFrameLoad(q));
        LoadCombination f1, f2, d1;
        f1.AddFactor(1, 1.2);
        f2.AddFactor(1, 0.9);
        d1.AddFactor(1, 1.0);
        theLoadCombinations[0].Add(f1);
        theLoadCombinations[0].Add(f2);
        theLoadCombinations[1].Add(d1);
        theAnalysisOptions = CAnalysisOptions();
        theAnalysisOptions.showDialog = 0;
    }
    void TearDown() override
    {
        // A run left going would start its next step in this test's folders
        // once they are gone ("启动失败") and answer for the next test.
        if (CAnalysisControl::Running()) {
            ADD_FAILURE() << "the analysis still runs";
            BoxRecorder boxes;
            theProcessManager.TerminateProcessAndWaiting(apptest::kSafety);
            EXPECT_TRUE(PumpUntil([] { return CAnalysisControl::Running() == nullptr; }));
        }
        theResult.SetZero();
        ClearFrameFamily();
        ClearNodeFamily();
        theMaterials.SetSize(0);
        theFrameSects.SetSize(0);
        theLoadCombinations[0].SetSize(0);
        theLoadCombinations[1].SetSize(0);
        theAnalysisOptions = CAnalysisOptions();
        ::SetEnvironmentVariableA("KORVA", nullptr);
        CProcessManager::LocateSolver();
    }

    // A brace from node 1 to node 3 that takes tension only: frame 4.
    static int Brace()
    {
        const int id = AddOneFrame(1, 3);
        theFrames.GetByID(id)->SetSection(1, 0);
        theFrames.GetByID(id)->m_nMaterial = 1;
        theFrames.GetByID(id)->SetAxialType(1);
        return id;
    }

    // The result set of round r ("R<r>.*" in the solver folder): frame k
    // (1..frames) carries the axial force 100 r + 10 k + c in force
    // combination c at both of its sections; the brace (frame 4) what brace
    // gives for c.
    void Results(int round, int frames, const std::function<double(int comb)>& brace = nullptr)
    {
        resgen::Model m;
        m.N = m.n = m.sysResultNodes = 4;
        m.xyz = {{{0, 0, 0}}, {{0, 0, 3}}, {{6, 0, 3}}, {{6, 0, 0}}};
        m.eq.assign(4, {{0, 0, 0, 0, 0, 0}});
        m.master.assign(4, 0);
        int e = 0;
        for (int j : {1, 2})
            for (auto& d : m.eq[size_t(j)]) d = ++e;
        m.neq = e;
        m.cases = 1;
        m.combs = 1;
        m.sets = 2;
        for (int r = 0; r < 2; ++r) {
            std::vector<resgen::Row6> d(4, resgen::Row6{});
            d[1] = {0.001 * round, 0, 0, 0, 0, 0};
            d[2] = {0.001 * round, 0, 0, 0, 0, 0};
            m.dis.push_back(d);
        }
        for (int k = 1; k <= frames; ++k) {
            resgen::FrameRec rec{k, {0, 1}, {}};
            for (int c = 1; c <= 2; ++c) {
                const double axial = (k == 4 && brace) ? brace(c) : 100.0 * round + 10 * k + c;
                rec.force.push_back({resgen::Row6{axial, 0, 0, 0, 0, 0}, resgen::Row6{axial, 0, 0, 0, 0, 0}});
            }
            m.u3.push_back(rec);
        }
        const std::string base = solver.File("R" + std::to_string(round));
        m.WriteAll(base);
        resgen::SetTime(base + ".PL", -100);
    }
    // Each round of the first step puts its set beside the data file.
    void Plan(int rounds, const std::string& more = "")
    {
        std::string plan;
        for (int r = 1; r <= rounds; ++r)
            plan += "KOR@" + std::to_string(r) + " copyset R" + std::to_string(r) + " PORTAL\n";
        std::ofstream(solver.File("plan.txt"), std::ios::binary) << plan << more;
        std::filesystem::remove(solver.File("log.txt"));
    }
    int Rounds() const
    {
        const std::string log = ReadBytes(solver.File("log.txt"));
        int n = 0;
        for (size_t at = log.find("KOR|"); at != std::string::npos; at = log.find("KOR|", at + 1))
            if (at == 0 || log[at - 1] == '\n') ++n;
        return n;
    }
    // Starts the analysis as the document's command does and waits for its end.
    std::string Run()
    {
        theDocumentHooks.startAnalysis(project.c_str());
        EXPECT_TRUE(PumpUntil([] { return CAnalysisControl::Running() == nullptr; }, kWholeRun));
        return std::string(theBottomDlg ? theBottomDlg->GetPromptText().GetString() : "");
    }
    std::string DataFile() const { return work.File("PORTAL"); }
    double Axial(int comb, int frame)
    {
        MArrayID<DFrameForce> store(64, 64);
        if (!theResult.GetCombAllFrameForce(comb, store) || !store.IsValidID(frame)) return -1e9;
        return store.GetByID(frame)->pSect[0][1];
    }

    vektest::TempDir solver{"korva"};
    vektest::TempDir work{"run"};
    std::string project;
};

TEST_F(AnalysisRun, OneRunEndsDoneWithTheResultsLoaded)
{
    Results(1, 3);
    Plan(1);
    BoxRecorder boxes;
    EXPECT_EQ(Run(), "计算完成！");
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
    EXPECT_EQ(Rounds(), 1);
    ASSERT_TRUE(theResult.Good());
    EXPECT_EQ(theResult.m_nForceComb, 2);
    EXPECT_DOUBLE_EQ(Axial(2, 3), 132);
    const std::string text = ReadBytes(DataFile());
    EXPECT_NE(text.find("\r\nFRAME\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("2 2 3 M=1 DIR2=0 0 1 "), std::string::npos) << text;
}

// With reuse on, a data file on the disk is run as it is.
TEST_F(AnalysisRun, ReuseRunsTheDataFileOnTheDisk)
{
    Results(1, 3);
    Plan(1);
    theAnalysisOptions.reuseDataFile = 1;
    const std::string mine = "C mine\r\nSYSTEM:\r\n4 1 \r\n\r\nFRAME\r\n";
    std::ofstream(DataFile(), std::ios::binary) << mine;
    BoxRecorder boxes;
    EXPECT_EQ(Run(), "计算完成！");
    EXPECT_EQ(ReadBytes(DataFile()), mine);
    EXPECT_EQ(Rounds(), 1);
}

TEST_F(AnalysisRun, AFailingStepEndsAbnormally)
{
    Results(1, 3);
    Plan(1, "FRAME exit 2\n");
    BoxRecorder boxes;
    EXPECT_EQ(Run(), "计算过程非正常结束！");
    EXPECT_FALSE(boxes.texts.empty());
}

// Steps that all end well but leave no result set: no success, nothing loaded.
TEST_F(AnalysisRun, ARunLeavingNoResultSetEndsAbnormally)
{
    Plan(0);
    BoxRecorder boxes;
    EXPECT_EQ(Run(), "计算过程非正常结束！");
    EXPECT_EQ(Rounds(), 1);
    EXPECT_FALSE(theResult.Good());
}

// With the three iteration switches off the brace runs once, never off.
TEST_F(AnalysisRun, IterationOffRunsOnce)
{
    Brace();
    Results(1, 4, [](int) { return -5.0; });
    Plan(1);
    theAnalysisOptions.iterateCases = theAnalysisOptions.iterateDispCombs = theAnalysisOptions.iterateForceCombs = 0;
    BoxRecorder boxes;
    EXPECT_EQ(Run(), "计算完成！");
    EXPECT_EQ(Rounds(), 1);
    EXPECT_EQ(ReadBytes(DataFile()).find("EGRF"), std::string::npos);
}

// Force combination 1: the brace pulls -5 (off), then 5 while off (on
// again), then 5 while on: settled after three rounds. Combination 2
// settles at once in round 4. The files hold round 3's records for
// combination 1 and round 4's for combination 2.
TEST_F(AnalysisRun, ABraceFlipsTwiceAndEachCombinationKeepsItsRound)
{
    const int brace = Brace();
    Results(1, 4, [](int) { return -5.0; });
    Results(2, 4, [](int) { return 5.0; });
    Results(3, 4, [](int) { return 5.0; });
    Results(4, 4, [](int c) { return c == 2 ? 7.0 : -9.0; });
    Plan(4);
    theAnalysisOptions.iterateCases = theAnalysisOptions.iterateDispCombs = 0;
    BoxRecorder boxes;
    EXPECT_EQ(Run(), "计算完成！");
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
    EXPECT_EQ(Rounds(), 4);
    EXPECT_FALSE(std::filesystem::exists(DataFile() + ".U3~"));
    EXPECT_EQ(theFrames.GetByID(brace)->m_nAttr & kFrameEgrf, 0u);
    // U3: 16 bytes of head; per frame 36 bytes (marks, number, count, two
    // positions) and 2 combinations x 2 sections x 56 bytes: 260 bytes.
    const std::string u3 = ReadBytes(DataFile() + ".U3"), r3 = ReadBytes(solver.File("R3.U3")),
                      r4 = ReadBytes(solver.File("R4.U3"));
    ASSERT_EQ(u3.size(), 16u + 4 * 260);
    ASSERT_EQ(r3.size(), u3.size());
    for (size_t k = 0; k < 4; ++k) {
        const size_t block = 16 + 260 * k, second = block + 36 + 112;
        EXPECT_EQ(u3.substr(block, 148), r3.substr(block, 148)) << "frame " << k + 1;
        EXPECT_EQ(u3.substr(second, 112), r4.substr(second, 112)) << "frame " << k + 1;
    }
    EXPECT_DOUBLE_EQ(Axial(1, 1), 311);
    EXPECT_DOUBLE_EQ(Axial(2, 1), 412);
    EXPECT_DOUBLE_EQ(Axial(1, brace), 5);
    EXPECT_DOUBLE_EQ(Axial(2, brace), 7);
}

// A brace that flips every round stops at the maximum of 2 steps, with the
// warning, and comes back on.
TEST_F(AnalysisRun, NoConvergenceStopsAtTheMaximumAndWarns)
{
    const int brace = Brace();
    Results(1, 4, [](int) { return -5.0; });
    Results(2, 4, [](int) { return 5.0; });
    Results(3, 4, [](int) { return 5.0; });
    Plan(3);
    theAnalysisOptions.iterateCases = theAnalysisOptions.iterateDispCombs = 0;
    theAnalysisOptions.maxSteps = 2;
    BoxRecorder boxes;
    // Round 2 switches it on again and is the last step of combination 1.
    EXPECT_EQ(Run(), "计算完成！");
    EXPECT_EQ(Rounds(), 3);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "计算过程中迭代步数曾经达到最大的迭代步数:2，可能并非因为收敛而结束！");
    EXPECT_EQ(theFrames.GetByID(brace)->m_nAttr & kFrameEgrf, 0u);
}

}  // namespace

namespace {

// The program's own way: the portal saved as a project and opened again,
// then the menu's "开始计算与分析" without a solver: the data file is written
// beside the project and the run manager says where it looked for the solver.
TEST(AnalysisMenu, ASavedPortalWritesItsDataFileThenMissesTheSolver)
{
    CMainFrame* frame = apptest::Frame();
    ASSERT_NE(frame, nullptr);
    ::SetEnvironmentVariableA("KORVA", nullptr);
    CProcessManager::LocateSolver();
    ASSERT_FALSE(std::filesystem::exists(std::string(CProcessManager::korvaPath) + "\\kor.exe"));
    vektest::TempDir dir("menu");
    const std::string project = dir.File("PORTAL.PRJ");
    PortalFrames();
    CVekDoc* doc = GetVekDoc();
    ASSERT_TRUE(doc->OnSaveDocument(project.c_str()));
    ClearFrameFamily();
    ClearNodeFamily();
    ASSERT_TRUE(doc->OnOpenDocument(project.c_str()));
    doc->SetPathName(project.c_str(), FALSE);
    ASSERT_EQ(theFrames.GetSize(), 3);
    theAnalysisOptions = CAnalysisOptions();
    theAnalysisOptions.showDialog = 0;

    BoxRecorder boxes;
    frame->SendMessage(WM_COMMAND, ID_ANALYSIS_START);
    ASSERT_TRUE(PumpUntil([] { return CAnalysisControl::Running() == nullptr; }));
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    vektest::SaveScreenShot(frame->m_hWnd, "analysis_without_solver");
    ASSERT_FALSE(boxes.texts.empty());
    EXPECT_EQ(boxes.texts[0], "找不到KORVA求解程序kor.exe（已查找程序目录和环境变量KORVA所指目录）。");
    const std::string text = ReadBytes(dir.File("PORTAL"));
    EXPECT_NE(text.find("\r\nFRAME\r\n1 0 0 X=0 Y=0 Z=-1 O=2 \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("2 2 3 M=1 DIR2=0 0 1 "), std::string::npos) << text;
    ClearFrameFamily();
    ClearNodeFamily();
    theMaterials.SetSize(0);
    theFrameSects.SetSize(0);
    theAnalysisOptions = CAnalysisOptions();
}

}  // namespace
