// Writes the data files of the hand-worked models ("PORTAL", and "FLOORS":
// two storeys with rigid floors) and of seeded random models of real beams,
// some with rigid floors, for the Python checker: random_models <folder>
// <count>. Each model "M<seed>" (and each hand-worked one) comes with
// "M<seed>.expect" (node count with the master nodes, load cases, then per beam kind its beams and
// section-material pairs, as the model holds them after the write) and
// "M<seed>.sections" (the section keywords KorvaLib's reader found, then
// those the run manager's scan found; the program stops when they differ).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "analysis/DataFileScan.h"
#include "analysis/RunPrompt.h"
#include "korvalib/base/DataFile.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/analysis/DataFileTestSupport.h"
#include "tests/vek/analysis/FakeRegions.h"
#include "tests/vek/analysis/HandWorkedModels.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDataFamily.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

std::string g_doc;
std::mt19937 g_rng;

int Uni(int a, int b)
{
    return std::uniform_int_distribution<int>(a, b)(g_rng);
}

class SilentPrompt : public CRunPrompt {
public:
    int Prompt(const char* text, int) override
    {
        std::fprintf(stderr, "scan: %s\n", text);
        return 1;
    }
};

void FreshModel()
{
    ClearFrameFamily();
    ClearNodeFamily();
    theUndo.Clear();
    theProjectOptions.SetDefaults();
    theLevels.Reset();
    theStoreyLists.Clear();
    theCurrentProps.Reset();
    vektest::ResetDataFileRecords();
}

void Records()
{
    for (int k = Uni(1, 3); k > 0; --k) {
        CMaterial m;
        m.m_fGrade = float(Uni(20, 50));
        m.m_fModulus = float(Uni(20, 36)) * 1e6f;
        m.m_fConst1 = 0.2f;
        m.m_fVolWeight = 25;
        m.m_fVolMass = 2.5f;
        m.m_fConst2 = 1e-5f;
        theMaterials.Add(m);
    }
    for (int k = Uni(1, 3); k > 0; --k) {
        CFrameSect s;
        s.m_cKind = 1;
        s.m_fPara[0] = Uni(2, 6) / 10.0f;
        s.m_fPara[1] = Uni(3, 9) / 10.0f;
        theFrameSects.Add(s);
    }
    vektest::AddSteelI20A();
    for (int k = Uni(1, 2); k > 0; --k) {
        CVframeSect v;
        v.m_cKind = 1;
        v.m_fStart[0] = Uni(4, 9) / 10.0f;
        v.m_fStart[1] = 0.3f;
        v.m_fEnd[0] = 0.3f;
        v.m_fEnd[1] = 0.3f;
        theVframeSects.Add(v);
    }
}

int RandomLoad(double length)
{
    CFrameLoad load;
    switch (Uni(0, 3)) {
        case 0: {  // uniform along a global or a local direction
            const float x[2] = {0, float(length)}, v[2] = {float(-Uni(1, 20)), float(-Uni(1, 20))};
            load.m_Points[kDistributed][Uni(0, 5)].SetPoints(2, x, v);
            break;
        }
        case 1: {  // a force inside the span
            const float x[1] = {float(length * Uni(1, 9) / 10)}, v[1] = {float(Uni(-30, 30))};
            load.m_Points[kSpanForce][Uni(0, 2)].SetPoints(1, x, v);
            break;
        }
        case 2: load.m_fTemp[0] = float(Uni(-30, 30)); break;
        default: load.m_fPrestress = float(Uni(1, 50) * 10); break;
    }
    return FindOrAddFrameLoad(load);
}

// The beam kinds and the storeys' beams: columns on a grid per storey
// joined at random, some nodes doubled closely (the merge's work).
void Model()
{
    const int storeys = Uni(0, 3);
    if (storeys > 0) {
        theLevels.count = storeys;
        for (int s = 0; s < storeys; ++s) theLevels.heights[s] = 3;
        theLevels.RecomputeElevations();
        theStoreyLists.Recreate(storeys);
        theProjectOptions.bFixLevel0Nodes = uint8_t(Uni(0, 1));
    }
    const int columns = Uni(2, 12);
    for (int s = 0; s <= std::max(storeys, 1); ++s)
        for (int c = 0; c < columns; ++c) {
            const double p[3] = {double(c * 4), double(Uni(0, 2) * 5), 3.0 * s};
            FindOrAddNode(p);
        }
    for (int k = Uni(0, 2); k > 0; --k) {
        double p[3];
        for (int d = 0; d < 3; ++d) p[d] = theNodes.GetAt(Uni(0, theNodes.GetSize() - 1))->m_dCoord[d];
        p[2] += 0.001;
        CNode twin(p);
        StoreNode(twin);
    }
    const int n = theNodes.GetSize();
    for (int i = 0; i < n; ++i) {
        CNode* node = theNodes.GetAt(i);
        if (Uni(0, 4) == 0) node->m_cRestraint = uint8_t(Uni(0, 63));
        node->m_nTower = uint8_t(Uni(0, 2));
        if (Uni(0, 6) == 0) node->m_dTemperature = Uni(1, 3) * 10;
        if (Uni(0, 5) == 0) {
            const double f[6] = {double(Uni(-9, 9)), 0, double(Uni(-9, 0)), 0, 0, 0};
            node->m_Loads.Insert(int16_t(Uni(1, 4)), FindOrAddNodeLoad(CSixDoubles(f)));
        }
    }
    for (int k = Uni(1, 3 * n); k > 0; --k) {
        const int a = theNodes.GetAt(Uni(0, n - 1))->m_nID, b = theNodes.GetAt(Uni(0, n - 1))->m_nID;
        const int id = AddOneFrame(a, b, 1);
        if (id == 0) continue;
        CFrame& f = *theFrames.GetByID(id);
        switch (Uni(0, 2)) {
            case 0:
                f.SetSection(Uni(1, theFrameSects.GetSize()), kOrdinarySect);
                f.m_nMaterial = uint16_t(Uni(1, theMaterials.GetSize()));
                break;
            case 1:
                f.SetSection(1, kSteelSect);
                f.m_nMaterial = uint16_t(Uni(0, 1));
                break;
            default:
                f.SetSection(Uni(1, theVframeSects.GetSize()), kVariableSect);
                f.m_nMaterial = uint16_t(Uni(1, theMaterials.GetSize()));
                break;
        }
        if (Uni(0, 3) == 0)
            for (uint8_t& r : f.m_cRelease) r = Uni(0, 2) == 0 ? kFullRelease : 0;
        if (Uni(0, 7) == 0) f.SetAxialType(Uni(1, 2));
        if (Uni(0, 5) == 0) f.m_fAngle = float(Uni(1, 3)) * 0.5f;
        for (int l = Uni(0, 3); l > 0; --l) f.m_Loads.Insert(int16_t(Uni(1, 5)), RandomLoad(f.GetLength()));
    }
    if (Uni(0, 3) == 0) {
        theEigenPara.on = 1;
        theProjectOptions.fGravity = 10;
        LoadFactor lf;
        theEigenPara.massFactors.Add(lf.Set(1, 1.0));
    }
    theProjectOptions.bFormCombinations = 1;
    for (int list = 0; list < 2; ++list)
        for (int k = Uni(0, 3); k > 0; --k) {
            LoadCombination c;
            c.AddFactor(Uni(1, 4), Uni(1, 14) / 10.0);
            theLoadCombinations[list].Add(c);
        }
}

// A rigid floor on some storeys above the ground: all the storey's nodes
// with their centre as load centre (an existing node there is the master),
// some floors loaded; the floors' loads stay on the floors.
void RandomFloors(vektest::FakeRegions& floors)
{
    for (int s = 1; s <= theLevels.count; ++s) {
        if (Uni(0, 1) == 0) continue;
        vektest::FakeRegion floor;
        floor.storey = s;
        floor.wholeStorey = true;
        floor.area = Uni(10, 100);
        if (Uni(0, 1)) floor.loads = {{Uni(1, 3), double(Uni(1, 5))}};
        floors.regions.push_back(floor);
    }
}

// Beams and distinct section-material pairs per kind.
void CountBeams(int beams[3], int pairs[3])
{
    std::set<std::pair<int, int>> seen[3];
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        const CFrame& f = *theFrames.GetAt(i);
        const int kind = f.GetSectionKind();
        ++beams[kind];
        const int material = kind == 1 && f.m_nMaterial > theMaterials.GetSize() ? 0 : f.m_nMaterial;
        seen[kind].insert({f.m_nSection, material});
    }
    for (int k = 0; k < 3; ++k) pairs[k] = int(seen[k].size());
}

// The keywords as KorvaLib's reader of logical lines finds them and as the
// run manager's scan does; empty after a failure.
std::pair<std::string, std::string> Sections(const std::string& path)
{
    std::string reader, scan;
    DKorvaDataFile file;
    if (!file.Open(path.c_str(), 1)) return {};
    bool found[CDataFile::SectionCount] = {};
    while (file.ReadOneLine())
        for (int i = 0; i < CDataFile::SectionCount; ++i)
            if (file.IsSection(CDataFile::kKeywords[i])) found[i] = true;
    file.Close();
    CDataFile data;
    SilentPrompt prompt;
    if (!data.Scan(path.c_str(), prompt)) return {};
    for (int i = 0; i < CDataFile::SectionCount; ++i) {
        if (found[i]) reader += std::string(CDataFile::kKeywords[i]) + " ";
        if (data.HasSection(i)) scan += std::string(CDataFile::kKeywords[i]) + " ";
    }
    return {reader, scan};
}

// Writes the model as the analysis start does or with the switches given,
// then its ".expect" and ".sections"; false with the reason on stderr.
bool WriteModel(const std::string& folder, const std::string& name, const CDataFileSwitches& s,
                vektest::AppHelperLog& log)
{
    g_doc = folder + "/" + name + ".PRJ";
    std::snprintf(theProjectOptions.szProjectName, sizeof theProjectOptions.szProjectName, "%s", name.c_str());
    if (WriteKorvaDataFile(s, nullptr) != 1) {
        std::fprintf(stderr, "model %s was not written: %s\n", name.c_str(),
                     log.Messages().empty() ? "" : log.Messages().back().text.c_str());
        return false;
    }
    int beams[3] = {0, 0, 0}, pairs[3] = {0, 0, 0};
    CountBeams(beams, pairs);
    // The rigid floors' master nodes follow the model's.
    int nodes = theNodes.GetSize();
    for (int i = 0; i < theNodes.GetSize(); ++i) nodes = std::max(nodes, int(theNodes.GetAt(i)->m_nMaster));
    std::ofstream expect(folder + "/" + name + ".expect");
    expect << nodes << " " << CountLoadCases();
    for (int k = 0; k < 3; ++k) expect << " " << beams[k] << " " << pairs[k];
    expect << "\n";
    const auto [reader, scan] = Sections(folder + "/" + name);
    if (reader.empty() || reader != scan) {
        std::fprintf(stderr, "model %s: KorvaLib's reader found %s, the scan %s\n", name.c_str(), reader.c_str(),
                     scan.c_str());
        return false;
    }
    std::ofstream(folder + "/" + name + ".sections") << reader << "\n" << scan << "\n";
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    vektest::AppHelperLog log;
    theDataFileHooks.documentPath = [] { return g_doc; };
    RegisterFrameDataFamily(&FrameDataFamilyOfFrames());
    CDataFileSwitches start;
    start.noOneWayPrompt = start.mergeNodes = start.writeLibrary = start.renumberElements = start.writeDPrint = 1;
    FreshModel();
    vektest::PortalFrame();
    if (!WriteModel(folder, "PORTAL", start, log)) return 1;
    {
        FreshModel();
        vektest::TwoStoreyFrame();
        vektest::FakeRegions floors;
        vektest::RigidFloors(floors);
        if (!WriteModel(folder, "FLOORS", start, log)) return 1;
    }
    for (int seed = 1; seed <= count; ++seed) {
        g_rng.seed(static_cast<unsigned>(seed));
        FreshModel();
        Records();
        Model();
        vektest::FakeRegions floors;
        RandomFloors(floors);
        CDataFileSwitches s;
        s.noOneWayPrompt = 1;
        s.mergeNodes = Uni(0, 1);
        s.renumberElements = Uni(0, 1);
        s.writeLibrary = Uni(0, 1);
        s.writeDPrint = Uni(0, 1);
        s.writeResolve = Uni(0, 1);
        if (!WriteModel(folder, "M" + std::to_string(seed), s, log)) return 1;
    }
    return 0;
}
