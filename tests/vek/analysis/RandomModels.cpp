// Writes the data files of seeded random models for the Python checker:
// random_models <folder> <count>. Each model "M<seed>" comes with
// "M<seed>.expect": node count, load cases, beams of each kind.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/analysis/DataFileTestSupport.h"
#include "tests/vek/analysis/FakeFrames.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {
std::string g_doc;
}

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    vektest::AppHelperLog log;
    theDataFileHooks.documentPath = [] { return g_doc; };
    for (int seed = 1; seed <= count; ++seed) {
        std::mt19937 rng{static_cast<unsigned>(seed)};
        auto uni = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
        ClearNodeFamily();
        theProjectOptions.SetDefaults();
        theLevels.Reset();
        theStoreyLists.Clear();
        vektest::ResetDataFileRecords();
        theMaterials.Add(CMaterial());
        theFrameSects.Add(CFrameSect());
        theSframeSects.Add(CSframeSect());
        theVframeSects.Add(CVframeSect());
        vektest::FakeFrames frames;
        const int storeys = uni(0, 3);
        if (storeys > 0) {
            theLevels.count = storeys;
            for (int s = 0; s < storeys; ++s) theLevels.heights[s] = 3;
            theLevels.RecomputeElevations();
            theStoreyLists.Recreate(storeys);
            theProjectOptions.bFixLevel0Nodes = uint8_t(uni(0, 1));
        }
        const int columns = uni(2, 12);
        for (int s = 0; s <= std::max(storeys, 1); ++s)
            for (int c = 0; c < columns; ++c) {
                const double p[3] = {double(c * 4), double(uni(0, 2) * 5), 3.0 * s};
                FindOrAddNode(p);
            }
        const int n = theNodes.GetSize();
        for (int i = 0; i < n; ++i) {
            CNode* node = theNodes.GetAt(i);
            if (uni(0, 4) == 0) node->m_cRestraint = uint8_t(uni(0, 63));
            node->m_nTower = uint8_t(uni(0, 2));
            if (uni(0, 6) == 0) node->m_dTemperature = uni(1, 3) * 10;
            if (storeys > 0) AddNodeToLevel(node->m_nID);
            if (uni(0, 5) == 0) {
                const double f[6] = {double(uni(-9, 9)), 0, double(uni(-9, 0)), 0, 0, 0};
                node->m_Loads.Insert(int16_t(uni(1, 4)), FindOrAddNodeLoad(CSixDoubles(f)));
            }
        }
        int kinds[3] = {0, 0, 0};
        const int beams = uni(1, 3 * n);
        for (int k = 0; k < 6; ++k) frames.Load(uni(0, 5) * 2.5);
        for (int id = 1; id <= beams; ++id) {
            int a = uni(1, n), b = uni(1, n);
            if (a == b) b = a % n + 1;
            const int kind = uni(0, 2);
            ++kinds[kind];
            vektest::FakeBeam& beam = frames.Beam(id, a, b, kind, 1, kind == 1 ? uni(0, 1) : 1);
            for (int k = uni(0, 3); k > 0; --k) beam.row.loads.push_back({uni(1, 5), uni(0, 5)});
            if (storeys > 0 && uni(0, 1)) AddFrameToLevel(id, uni(0, storeys));
        }
        theProjectOptions.bFormCombinations = 1;
        for (int list = 0; list < 2; ++list)
            for (int k = uni(0, 3); k > 0; --k) {
                LoadCombination c;
                c.AddFactor(uni(1, 4), uni(1, 14) / 10.0);
                theLoadCombinations[list].Add(c);
            }
        const std::string name = "M" + std::to_string(seed);
        g_doc = folder + "/" + name + ".PRJ";
        std::snprintf(theProjectOptions.szProjectName, sizeof theProjectOptions.szProjectName, "%s", name.c_str());
        const int nlc = CountLoadCases();
        if (WriteKorvaDataFile(1, 0, 0, 0, 1, 0, 0, nullptr) != 1) {
            std::fprintf(stderr, "model %d was not written\n", seed);
            return 1;
        }
        std::ofstream expect(folder + "/" + name + ".expect");
        expect << n << " " << nlc << " " << kinds[0] << " " << kinds[1] << " " << kinds[2] << "\n";
    }
    return 0;
}
