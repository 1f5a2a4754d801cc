// Opening and saving a large project against one fread and one fwrite of the
// same bytes. The project holds what the block owners of this build hold:
// 199 storeys whose element lists carry a million numbers, 200,000 layers,
// 50,000 materials, and 400,000 beams between 200,000 nodes (with sections,
// materials and a load on every tenth). Each family that joins adds its
// stores here.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/document/ModelReset.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

std::string TempPath(const char* tag)
{
    return (std::filesystem::temp_directory_path() / (std::string("vek_projectbench_") + tag + ".prj")).string();
}

// About 400,000 beams: on each of 4 floors a 224 x 224 grid of nodes joined
// along x and y (4 x 2 x 224 x 223 = 399,616 beams, 200,704 nodes).
void BuildBeams()
{
    constexpr int kSide = 224, kFloors = 4;
    theFrameSects.Add(CFrameSect());
    CFrameLoad q;
    const float x[2] = {0, 1}, v[2] = {-10, -10};
    q.m_Points[kDistributed][2].SetPoints(2, x, v);
    const int load = FindOrAddFrameLoad(q);
    std::vector<int> ids(size_t(kSide) * kSide);
    for (int f = 0; f < kFloors; ++f) {
        for (int j = 0; j < kSide; ++j)
            for (int i = 0; i < kSide; ++i) {
                const double p[3] = {double(i), double(j), 3.0 * (f + 1)};
                ids[size_t(j) * kSide + i] = FindOrAddNode(p);
            }
        for (int j = 0; j < kSide; ++j)
            for (int i = 0; i < kSide; ++i) {
                const size_t at = size_t(j) * kSide + i;
                for (const size_t other : {at + 1, at + kSide}) {
                    if ((other == at + 1 && i + 1 == kSide) || (other == at + kSide && j + 1 == kSide)) continue;
                    const int id = AddOneFrame(ids[at], ids[other]);
                    CFrame* frame = id ? theFrames.GetByID(id) : nullptr;
                    if (!frame) continue;
                    frame->SetSection(1, 0);
                    frame->m_nMaterial = 1 + id % 40;
                    if (id % 10 == 0) frame->m_Loads.Insert(1, load);
                }
            }
    }
}

void BuildModel()
{
    theLevels.count = kMaxStoreys;
    for (int s = 0; s < kMaxStoreys; ++s) theLevels.heights[s] = 3.0 + s % 3;
    theLevels.RecomputeElevations();
    theStoreyLists.Recreate(kMaxStoreys);
    int id = 1;
    for (int s = 0; s <= kMaxStoreys; ++s) {
        StoreyElementLists& l = *theStoreyLists.Get(s);
        for (int i = 0; i < 1250; ++i) {
            l.frames.Add(id++);
            l.walls.Add(id++);
            l.nodes.Add(id++);
            l.shells.Add(id++);
        }
    }
    for (int i = 0; i < 200000; ++i) theLayers.Add(LayerInfo("图层", 'Y', 0x102030u + i));
    for (int i = 0; i < 50000; ++i) {
        CMaterial m;
        m.SetConcreteGrade(20 + i % 40);
        theMaterials.Add(m);
    }
    BuildBeams();
}

struct Fixture {
    std::string path = TempPath("model");
    std::vector<char> bytes;
    Fixture()
    {
        BuildModel();
        SaveProjectFile(path.c_str());
        bytes.resize(std::filesystem::file_size(path));
        FILE* f = std::fopen(path.c_str(), "rb");
        if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
        std::fclose(f);
    }
    ~Fixture() { std::filesystem::remove(path); }
};

Fixture& Model()
{
    static Fixture f;
    return f;
}

void BM_SaveProject(benchmark::State& state)
{
    Fixture& m = Model();
    const std::string path = TempPath("save");
    for (auto _ : state)
        if (!SaveProjectFile(path.c_str())) state.SkipWithError("save failed");
    state.counters["frames"] = theFrames.GetSize();
    state.counters["nodes"] = theNodes.GetSize();
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(m.bytes.size()));
    std::filesystem::remove(path);
}

void BM_RawWrite(benchmark::State& state)
{
    Fixture& m = Model();
    const std::string path = TempPath("raw");
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(m.bytes.data(), 1, m.bytes.size(), f) != m.bytes.size()) state.SkipWithError("write");
        if (f) std::fclose(f);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(m.bytes.size()));
    std::filesystem::remove(path);
}

// The open that replaces a model of the same size: its image is kept first.
void BM_LoadProject(benchmark::State& state)
{
    Fixture& m = Model();
    vektest::AppHelperLog log;
    for (auto _ : state)
        if (!LoadProject(m.path.c_str())) state.SkipWithError("load failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(m.bytes.size()));
}

// The open at start-up: nothing to keep but an empty model.
void BM_LoadProjectIntoNew(benchmark::State& state)
{
    Fixture& m = Model();
    vektest::AppHelperLog log;
    for (auto _ : state) {
        state.PauseTiming();
        ClearModelData();
        ResetModelParameters();
        state.ResumeTiming();
        if (!LoadProject(m.path.c_str())) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(m.bytes.size()));
}

void BM_RawRead(benchmark::State& state)
{
    Fixture& m = Model();
    std::vector<char> into(m.bytes.size());
    for (auto _ : state) {
        FILE* f = std::fopen(m.path.c_str(), "rb");
        if (!f || std::fread(into.data(), 1, into.size(), f) != into.size()) state.SkipWithError("read");
        if (f) std::fclose(f);
        benchmark::DoNotOptimize(into.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(m.bytes.size()));
}

}  // namespace

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProjectIntoNew)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);
