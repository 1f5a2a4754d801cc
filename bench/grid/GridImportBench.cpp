// The grid's text import of 100,000 lines of three columns (reading, lines,
// tokens, the rows and their cells), against fgets and strtok over the same
// file with the same separators:
//   GridImport        into a new grid of the header row alone, as a first import;
//   GridReimport      into a grid that held as many rows before (its own memory);
//   TouchTableMemory  the first touch of as many fresh bytes as the rows' cells,
//                     cell pointers and row positions take: the part of a first
//                     import that is the system's, not the grid's.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <sys/mman.h>

#include "analysis/TableCells.h"
#include "analysis/TableText.h"

namespace {

constexpr int kLines = 100000;

// Coordinates and loads as a table holds them, with the separators a file
// of them may use.
const std::string& File()
{
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "vek_bench_grid_import.txt").string();
        FILE* f = std::fopen(p.c_str(), "wb");
        uint64_t s = 88172645463325252ull;
        for (int i = 0; i < kLines && f; ++i) {
            s ^= s << 13;
            s ^= s >> 7;
            s ^= s << 17;
            std::fprintf(f, "%d,%.3f\t%.6g\r\n", i + 1, double(s % 1000000) / 1000.0,
                         double(int64_t(s >> 40) - 8388608) * 1e-3);
        }
        if (f) std::fclose(f);
        return p;
    }();
    return path;
}

void FgetsStrtok(benchmark::State& state)
{
    const std::string& path = File();
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rt");
        char line[500];
        size_t tokens = 0;
        while (std::fgets(line, sizeof line, f))
            for (char* t = std::strtok(line, ", \t"); t; t = std::strtok(nullptr, ", \t")) tokens += t[0] != 0;
        std::fclose(f);
        benchmark::DoNotOptimize(tokens);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(FgetsStrtok)->Unit(benchmark::kMillisecond);

void GridImport(benchmark::State& state)
{
    const std::string& path = File();
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<CTableModel>(1, 4);
        state.ResumeTiming();
        if (TableImportText(*table, path.c_str()) != TableImport::Done || table->GetRowCount() != kLines + 1)
            state.SkipWithError("the import failed");
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(GridImport)->Unit(benchmark::kMillisecond);

void GridReimport(benchmark::State& state)
{
    const std::string& path = File();
    CTableModel table(1, 4);
    TableImportText(table, path.c_str());
    for (auto _ : state) {
        state.PauseTiming();
        table.ResizeRows(1);
        state.ResumeTiming();
        if (TableImportText(table, path.c_str()) != TableImport::Done || table.GetRowCount() != kLines + 1)
            state.SkipWithError("the import failed");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(GridReimport)->Unit(benchmark::kMillisecond);

void TouchTableMemory(benchmark::State& state)
{
    const size_t bytes = size_t(kLines + 1) * 4 * (sizeof(CTableCell) + sizeof(CTableCell*)) + size_t(kLines + 2) * 8;
    for (auto _ : state) {
        // Pages of the system's, not of the C library's free lists.
        void* m = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED) {
            state.SkipWithError("no memory");
            break;
        }
        char* p = static_cast<char*>(m);
        for (size_t i = 0; i < bytes; i += 4096) p[i] = 1;
        benchmark::DoNotOptimize(p);
        munmap(m, bytes);
    }
}
BENCHMARK(TouchTableMemory)->Unit(benchmark::kMillisecond);

}  // namespace
