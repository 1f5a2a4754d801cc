// One million numbers written as a solver data file (number format,
// blanks, line wrapping, the file itself), against snprintf of the same
// numbers with the same printf format into a memory buffer.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "korvalib/base/DataFile.h"

namespace {

constexpr int kNumbers = 1000000;
constexpr int kPerLine = 8;

// Coordinates, loads and small factors, as a model's data file holds them.
const std::vector<double>& Numbers()
{
    static const std::vector<double> v = [] {
        std::vector<double> out(kNumbers);
        uint64_t s = 88172645463325252ull;
        for (double& x : out) {
            s ^= s << 13;
            s ^= s >> 7;
            s ^= s << 17;
            const double mantissa = double(s % 1000000) / 1000.0;  // 0 .. 1000
            const int scale = int((s >> 32) % 6) - 3;              // 1e-3 .. 1e2
            x = ((s >> 40) & 1 ? -mantissa : mantissa) * std::pow(10.0, scale);
        }
        return out;
    }();
    return v;
}

std::string TempPath()
{
    return (std::filesystem::temp_directory_path() / "vek_bench_datafile.txt").string();
}

void DataFileWrite(benchmark::State& state)
{
    const auto& v = Numbers();
    const std::string path = TempPath();
    for (auto _ : state) {
        DKorvaDataFile f;
        f.Open(path.c_str(), 0);
        for (int i = 0; i < kNumbers; ++i) {
            f << v[i];
            if (i % kPerLine == kPerLine - 1) f << wrap;
        }
        f.Close();
    }
    state.SetItemsProcessed(state.iterations() * kNumbers);
    std::filesystem::remove(path);
}
BENCHMARK(DataFileWrite)->Unit(benchmark::kMillisecond);

// The writer's choice of form at precision 4, printed by snprintf.
void SnprintfBuffer(benchmark::State& state)
{
    const auto& v = Numbers();
    std::vector<char> buffer(size_t(kNumbers) * 24);
    for (auto _ : state) {
        char* p = buffer.data();
        for (int i = 0; i < kNumbers; ++i) {
            const double a = std::fabs(v[i]);
            const bool exponent = (a > 1e-10 && a < 0.01) || a > 10000;
            p += snprintf(p, 24, exponent ? "%.*E " : "%.*lf ", 4, v[i]);
            if (i % kPerLine == kPerLine - 1) *p++ = '\n';
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetItemsProcessed(state.iterations() * kNumbers);
}
BENCHMARK(SnprintfBuffer)->Unit(benchmark::kMillisecond);

}  // namespace
