// Fuzz target: force, check and reinforcement records read from a damaged
// stream. The first byte picks the record family; records are read until the
// stream fails, then each is written back.
#include <cstdint>

#include "korvalib/results/Forces.h"
#include "korvalib/base/biostream.h"
#include "tests/support/TestFiles.h"

namespace {

template <class T>
void ReadAll(const char* path, const char* back)
{
    bifstream in(path);
    bofstream out(back);
    for (int i = 0; i < 1000 && in.IsGood() && !in.Eof(); ++i) {
        T rec;
        rec.Serialize(in);
        T copy(rec);
        copy.Serialize(out);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    static const vektest::TempFile input("fuzz_forces", ".bin", vektest::MemoryFolder());
    static const vektest::TempFile output("fuzz_forces", ".bin", vektest::MemoryFolder());
    if (!input.WriteAll(data + 1, size - 1)) return 0;
    const char* path = input.c_str();
    const char* back = output.c_str();
    switch (data[0] % 9) {
        case 0: ReadAll<DFrameForce>(path, back); break;
        case 1: ReadAll<DTrussForce>(path, back); break;
        case 2: ReadAll<DCframeForce>(path, back); break;
        case 3: ReadAll<DPipeForce>(path, back); break;
        case 4: ReadAll<DSpringForce>(path, back); break;
        case 5: ReadAll<DShellForce>(path, back); break;
        case 6: ReadAll<DWallForce>(path, back); break;
        case 7: ReadAll<DSframeCheck>(path, back); break;
        case 8: ReadAll<DFrameRein>(path, back); break;
    }
    return 0;
}
