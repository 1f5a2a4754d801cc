// Fuzz target: force, check and reinforcement records read from a damaged
// stream. The first byte picks the record family; records are read until the
// stream fails, then each is written back.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "korvalib/results/Forces.h"
#include "korvalib/base/biostream.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static const std::string dir = std::filesystem::temp_directory_path().string();
    static const std::string path = dir + "/vek_fuzz_forces_" + std::to_string(::getpid());
    static const std::string back = path + ".out";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data + 1, 1, size - 1, f);
        std::fclose(f);
    }
    switch (data[0] % 9) {
    case 0: ReadAll<DFrameForce>(path.c_str(), back.c_str()); break;
    case 1: ReadAll<DTrussForce>(path.c_str(), back.c_str()); break;
    case 2: ReadAll<DCframeForce>(path.c_str(), back.c_str()); break;
    case 3: ReadAll<DPipeForce>(path.c_str(), back.c_str()); break;
    case 4: ReadAll<DSpringForce>(path.c_str(), back.c_str()); break;
    case 5: ReadAll<DShellForce>(path.c_str(), back.c_str()); break;
    case 6: ReadAll<DWallForce>(path.c_str(), back.c_str()); break;
    case 7: ReadAll<DSframeCheck>(path.c_str(), back.c_str()); break;
    case 8: ReadAll<DFrameRein>(path.c_str(), back.c_str()); break;
    }
    return 0;
}
