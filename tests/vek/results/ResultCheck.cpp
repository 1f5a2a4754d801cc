// Prints what result_check.py rebuilds on its own: "palette" the three
// contour palettes, one "colours p r g b" line per entry; "member seed" the
// largest displacement along members of a generated result set, one line per
// pair of nodes with their coordinates, the six displacements of both for
// every load case and combination as the reader gives them, and the results.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/korvalib/results/ResultGen.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/ContourColours.h"
#include "vek/results/Result.h"

namespace {

void PrintPalettes()
{
    for (int colours : {10, 20, 240}) {
        uint8_t pal[kPaletteSize][3];
        BuildContourPalette(colours, pal);
        for (int p = 0; p < kPaletteSize; ++p)
            std::printf("%d %d %d %d %d\n", colours, p, pal[p][0], pal[p][1], pal[p][2]);
    }
}

int PrintMembers(unsigned seed)
{
    std::mt19937 g(seed);
    std::uniform_real_distribution<double> coord(-20, 20), value(-0.05, 0.05);
    const int nodes = 10, cases = 3, combs = 2;
    resgen::Model m = resgen::MakeLargeModel(nodes, cases, 0);
    for (auto& p : m.xyz)
        for (double& c : p) c = coord(g);
    m.xyz[3] = m.xyz[2];  // a member of no length
    for (auto& rows : m.dis)
        for (auto& r : rows)
            for (double& v : r)
                if (v != 0) v = value(g);
    for (int k = 0; k < combs; ++k) {
        std::vector<resgen::Row6> rows = m.dis[size_t(k)];
        for (auto& r : rows)
            for (double& v : r) v *= -1.5 - k;
        m.dis.push_back(rows);
    }
    m.combs = combs;
    vektest::TempDir dir("membercheck");
    m.WriteAll(dir.File("model"));
    resgen::SetTime(dir.File("model") + ".PL", -100);
    vektest::FakeFamily family(EFamily::Nodes);
    for (int j = 0; j < nodes; ++j) family.Node(j + 1, m.xyz[size_t(j)][0], m.xyz[size_t(j)][1], m.xyz[size_t(j)][2]);
    CResult result;
    if (!result.SetFileName(dir.File("model").c_str(), 0, 1)) return 1;
    const int n = cases + combs;
    std::uniform_int_distribution<int> pick(1, nodes);
    for (int i = 0; i < 40; ++i) {
        const int a = i == 0 ? 3 : pick(g), b = i == 0 ? 4 : pick(g);
        std::vector<double> out(size_t(n), 0.0), da(size_t(n) * 6, 0.0), db(size_t(n) * 6, 0.0);
        auto rows = [](std::vector<double>& v, int at) { return reinterpret_cast<double(*)[6]>(v.data() + 6 * at); };
        if (!result.GetMaxFrameDisplacement(a, b, out.data()) || !result.GetOneNodeAllCondDisp(a, rows(da, 0)) ||
            !result.GetOneNodeAllCondDisp(b, rows(db, 0)) || !result.GetOneNodeAllCombDisp(a, rows(da, cases)) ||
            !result.GetOneNodeAllCombDisp(b, rows(db, cases)))
            return 1;
        std::printf("%d", n);
        for (int c = 0; c < 3; ++c) std::printf(" %.17g", m.xyz[size_t(a - 1)][size_t(c)]);
        for (int c = 0; c < 3; ++c) std::printf(" %.17g", m.xyz[size_t(b - 1)][size_t(c)]);
        for (double v : da) std::printf(" %.17g", v);
        for (double v : db) std::printf(" %.17g", v);
        for (double v : out) std::printf(" %.17g", v);
        std::printf("\n");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    vektest::AppHelperLog log;
    theProjectOptions.SetDefaults();
    if (argc > 1 && std::strcmp(argv[1], "palette") == 0) {
        PrintPalettes();
        return 0;
    }
    if (argc > 2 && std::strcmp(argv[1], "member") == 0) return PrintMembers(unsigned(std::atoi(argv[2])));
    std::fprintf(stderr, "usage: result_check palette | member seed\n");
    return 2;
}
