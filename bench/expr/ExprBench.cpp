// "2*x^2+sin(y)*z-ln(r+1)" at a million points through the evaluator and as
// compiled code; a text without variables served from its cache against a
// read of a double field.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "vek/model/expr/Expression.h"

namespace {

constexpr int kPoints = 1000000;

const std::vector<double>& Points()
{
    static std::vector<double> p = [] {
        std::vector<double> v(3 * kPoints);
        unsigned s = 12345;
        for (double& d : v) {
            s = s * 1103515245u + 12345u;
            d = double(s >> 8) / double(1u << 24) * 10 - 5;
        }
        return v;
    }();
    return p;
}

void Evaluator(benchmark::State& state)
{
    const std::vector<double>& p = Points();
    CExpression e;
    e.SetExpression("2*x^2+sin(y)*z-ln(r+1)");
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kPoints; ++i) {
            e.x = p[3 * i];
            e.y = p[3 * i + 1];
            e.z = p[3 * i + 2];
            sum += e.Evaluate();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void Compiled(benchmark::State& state)
{
    const std::vector<double>& p = Points();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kPoints; ++i) {
            const double x = p[3 * i], y = p[3 * i + 1], z = p[3 * i + 2];
            const double r = std::sqrt(x * x + y * y);
            sum += 2 * std::pow(x, 2) + std::sin(y) * z - std::log(r + 1);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

struct Record {
    double value = 5;
};

// A load value per node, as the load routines take it: the constant's value
// stored for every node.
void CachedConstant(benchmark::State& state)
{
    std::vector<double> out(kPoints);
    CExpression e;
    e.SetExpression("2+3");
    e.Evaluate();
    for (auto _ : state) {
        for (int i = 0; i < kPoints; ++i) {
            benchmark::DoNotOptimize(&e);
            out[size_t(i)] = e.Evaluate();
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void FieldRead(benchmark::State& state)
{
    std::vector<double> out(kPoints);
    Record rec;
    for (auto _ : state) {
        for (int i = 0; i < kPoints; ++i) {
            benchmark::DoNotOptimize(&rec);
            out[size_t(i)] = rec.value;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

}  // namespace

BENCHMARK(Evaluator)->Unit(benchmark::kMillisecond);
BENCHMARK(Compiled)->Unit(benchmark::kMillisecond);
BENCHMARK(CachedConstant)->Unit(benchmark::kMillisecond);
BENCHMARK(FieldRead)->Unit(benchmark::kMillisecond);
