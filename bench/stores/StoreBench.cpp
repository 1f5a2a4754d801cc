// One million node records: the store written and read back through the
// binary streams, against one fwrite and one fread of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "containers/MArrayID.h"
#include "korvalib/model/NodeRecords.h"
#include "korvalib/base/biostream.h"

namespace {

constexpr int kNodes = 1000000;

std::string TempPath(const char* tag)
{
    return (std::filesystem::temp_directory_path() / (std::string("vek_storebench_") + tag + ".bin")).string();
}

MArrayID<DNodeBase>& Nodes()
{
    static std::unique_ptr<MArrayID<DNodeBase>> store = [] {
        auto s = std::make_unique<MArrayID<DNodeBase>>(0, 1024);
        for (int i = 1; i <= kNodes; ++i) {
            DNodeBase n(i * 0.25, (i % 1000) * 0.5, (i / 1000) * 3.0);
            n.m_nID = i;
            if (i % 5 == 0) n.m_Loads.Insert(int16_t(1 + i % 8), i);
            s->Add(n);
        }
        return s;
    }();
    return *store;
}

// The bytes the store writes, for the raw copy.
const std::vector<char>& StoreBytes()
{
    static std::vector<char> bytes = [] {
        const std::string path = TempPath("bytes");
        {
            bofstream out(path.c_str());
            Nodes().Write(out);
        }
        std::vector<char> b(std::filesystem::file_size(path));
        FILE* f = std::fopen(path.c_str(), "rb");
        if (std::fread(b.data(), 1, b.size(), f) != b.size()) b.clear();
        std::fclose(f);
        std::filesystem::remove(path);
        return b;
    }();
    return bytes;
}

void BM_StoreStreams(benchmark::State& state)
{
    MArrayID<DNodeBase>& nodes = Nodes();
    const std::string path = TempPath("store");
    MArrayID<DNodeBase> back(0, 1024);
    for (auto _ : state) {
        {
            bofstream out(path.c_str());
            if (!nodes.Write(out)) state.SkipWithError("write failed");
        }
        bifstream in(path.c_str());
        if (!back.Read(in) || back.GetSize() != kNodes) state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 2 * int64_t(StoreBytes().size()));
    std::filesystem::remove(path);
}

void BM_RawCopy(benchmark::State& state)
{
    const std::vector<char>& bytes = StoreBytes();
    std::vector<char> back(bytes.size());
    const std::string path = TempPath("raw");
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) state.SkipWithError("fwrite failed");
        std::fclose(f);
        f = std::fopen(path.c_str(), "rb");
        if (std::fread(back.data(), 1, back.size(), f) != back.size()) state.SkipWithError("fread failed");
        std::fclose(f);
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 2 * int64_t(bytes.size()));
    std::filesystem::remove(path);
}

// The same records streamed from and into a plain vector: what the streams
// and the record code cost without the store.
void BM_VectorStreams(benchmark::State& state)
{
    static std::vector<DNodeBase> nodes = [] {
        std::vector<DNodeBase> v;
        v.reserve(kNodes);
        for (int i = 0; i < Nodes().GetSize(); ++i) v.push_back(*Nodes().GetAt(i));
        return v;
    }();
    const std::string path = TempPath("vector");
    std::vector<DNodeBase> back;
    for (auto _ : state) {
        {
            bofstream out(path.c_str());
            out << int(nodes.size());
            for (DNodeBase& n : nodes) n.Serialize(out);
        }
        bifstream in(path.c_str());
        int count = 0;
        in >> count;
        back.clear();
        back.resize(count);
        for (DNodeBase& n : back) n.Serialize(in);
        if (!in.IsGood()) state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 2 * int64_t(StoreBytes().size()));
    std::filesystem::remove(path);
}

void BM_StoreWrite(benchmark::State& state)
{
    const std::string path = TempPath("write");
    for (auto _ : state) {
        bofstream out(path.c_str());
        if (!Nodes().Write(out)) state.SkipWithError("write failed");
    }
    std::filesystem::remove(path);
}

void BM_StoreRead(benchmark::State& state)
{
    const std::string path = TempPath("read");
    {
        bofstream out(path.c_str());
        Nodes().Write(out);
    }
    MArrayID<DNodeBase> back(0, 1024);
    for (auto _ : state) {
        bifstream in(path.c_str());
        if (!back.Read(in)) state.SkipWithError("read failed");
    }
    std::filesystem::remove(path);
}

// Reading into a new store each time: the pool blocks are made as well.
void BM_StoreReadFresh(benchmark::State& state)
{
    const std::string path = TempPath("fresh");
    {
        bofstream out(path.c_str());
        Nodes().Write(out);
    }
    for (auto _ : state) {
        MArrayID<DNodeBase> back(0, 1024);
        bifstream in(path.c_str());
        if (!back.Read(in)) state.SkipWithError("read failed");
    }
    std::filesystem::remove(path);
}

}  // namespace

BENCHMARK(BM_RawCopy)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StoreStreams)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_VectorStreams)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StoreWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StoreReadFresh)->Unit(benchmark::kMillisecond);
