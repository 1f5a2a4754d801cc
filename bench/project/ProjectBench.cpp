// Opening and saving a large project against one fread and one fwrite of the
// same bytes. The project holds what the block owners of this build hold:
// 199 storeys whose element lists carry a million numbers, 200,000 layers
// and 50,000 materials. Each family that joins adds its stores here.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/document/ModelReset.h"
#include "vek/model/materials/Material.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

std::string TempPath(const char* tag)
{
    return (std::filesystem::temp_directory_path() / (std::string("vek_projectbench_") + tag + ".prj")).string();
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
