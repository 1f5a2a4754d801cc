// Result-set conversion and a one-case query, each beside the plain C file
// copy of the same number of bytes. Goals: conversion within 3x of the copy,
// the one-case query within 2x of reading its bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ResultGen.h"
#include "korvalib/results/Result.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNodes = 200000, kCases = 10, kModes = 20;

struct BenchSet {
    std::string base;
    int64_t rawBytes = 0;   // DIS and VEC
    int64_t copyBytes = 0;  // NDIS and NVEC
    BenchSet()
    {
        fs::path dir = fs::temp_directory_path() / "vek_result_bench";
        fs::remove_all(dir);
        fs::create_directories(dir);
        base = (dir / "big").string();
        resgen::Model m = resgen::MakeLargeModel(kNodes, kCases, kModes);
        m.WriteSys(base);
        m.WriteNodeFiles(base);
        resgen::SetTime(base + ".PL", -100);
        for (const char* e : {"SYS", "ID", "XYZ", "DIS", "VEC"}) resgen::SetTime(base + "." + e, -50);
        rawBytes = static_cast<int64_t>(fs::file_size(base + ".DIS") + fs::file_size(base + ".VEC"));
        copyBytes = int64_t(kCases) * kNodes * 48 + int64_t(kModes) * (kNodes * 48 + 8);
    }
    ~BenchSet() { fs::remove_all(fs::path(base).parent_path()); }
    void DropCopies() const
    {
        for (const char* e : {"NDIS", "NVEC", "NSYS"}) std::remove((base + "." + e).c_str());
    }
};

const BenchSet& Set()
{
    static BenchSet s;
    return s;
}

void BM_ConvertResultSet(benchmark::State& state)
{
    const BenchSet& s = Set();
    for (auto _ : state) {
        state.PauseTiming();
        s.DropCopies();
        state.ResumeTiming();
        DResult r;
        if (!r.SetFileName((s.base + ".kor").c_str(), 0)) state.SkipWithError("conversion failed");
    }
    state.SetBytesProcessed(state.iterations() * (s.rawBytes + s.copyBytes));
}

// The raw files read and the copies' number of bytes written, 1 MB at a time.
void BM_RawCopySameBytes(benchmark::State& state)
{
    const BenchSet& s = Set();
    std::vector<char> buf(1 << 20);
    const std::string out = s.base + ".COPY";
    for (auto _ : state) {
        FILE* o = std::fopen(out.c_str(), "wb");
        int64_t toWrite = s.copyBytes;
        for (const char* e : {".DIS", ".VEC"}) {
            FILE* f = std::fopen((s.base + e).c_str(), "rb");
            size_t k;
            while ((k = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
                const size_t w = static_cast<size_t>(std::min<int64_t>(toWrite, int64_t(k)));
                std::fwrite(buf.data(), 1, w, o);
                toWrite -= static_cast<int64_t>(w);
            }
            std::fclose(f);
        }
        std::fclose(o);
    }
    std::remove(out.c_str());
    state.SetBytesProcessed(state.iterations() * (s.rawBytes + s.copyBytes));
}

void BM_OneCaseAllNodes(benchmark::State& state)
{
    const BenchSet& s = Set();
    DResult r;
    if (!r.SetFileName((s.base + ".kor").c_str(), 0)) {
        state.SkipWithError("open failed");
        return;
    }
    std::vector<double[6]> out(kNodes);
    for (auto _ : state) {
        if (!r.GetOneCondDisp(5, out.data())) state.SkipWithError("query failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kNodes) * 48);
}

void BM_FreadOneCaseBytes(benchmark::State& state)
{
    const BenchSet& s = Set();
    {
        DResult r;  // make sure the copy exists
        r.SetFileName((s.base + ".kor").c_str(), 0);
    }
    std::vector<double[6]> out(kNodes);
    const std::string path = s.base + ".NDIS";
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        std::fseek(f, 4L * kNodes * 48, SEEK_SET);
        if (std::fread(out.data(), 48, kNodes, f) != size_t(kNodes)) state.SkipWithError("short read");
        std::fclose(f);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(kNodes) * 48);
}

}  // namespace

BENCHMARK(BM_ConvertResultSet)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawCopySameBytes)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OneCaseAllNodes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FreadOneCaseBytes)->Unit(benchmark::kMicrosecond);
