#pragma once
// Block streams over memory for the fuzz targets: what a writer puts out,
// and a reader run over fuzzed bytes. The project versions a target picks
// its stream version from.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "korvalib/base/biostream.h"

namespace vekfuzz {

const int16_t kVersions[] = {330, 340, 350, 360, 370, 371, 372, 400, 460, 470, 480, 490, 500,
                             520, 600, 610, 650, 660, 670, 671, 680, 685, 690, 700, 705, 706};

inline int16_t PickVersion(uint8_t b)
{
    return kVersions[b % (sizeof kVersions / sizeof kVersions[0])];
}

using Bytes = std::vector<uint8_t>;

template <class F>
Bytes Written(F&& write)
{
    char* buf = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&buf, &size);
    if (!f) return {};
    {
        bofstream out;
        out.Attach(f);
        write(out);
        out.Flush();
        out.Detach();
    }
    std::fclose(f);
    Bytes bytes(buf, buf + size);
    std::free(buf);
    return bytes;
}

// True when the reader accepted the bytes and the stream stayed good.
template <class F>
bool ReadFrom(const uint8_t* data, size_t size, F&& read)
{
    FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!f) return false;
    bifstream in;
    in.Attach(f);
    const bool ok = read(in) && in.IsGood();
    in.Detach();
    std::fclose(f);
    return ok;
}

// One block: its writer and its reader over the record's global state.
struct Block {
    std::function<void(bofstream&)> write;
    std::function<bool(bifstream&)> read;
};

// Reads the block from the bytes as a file of that version. Read whole, it
// is written, read back and written once more: both writes must give the
// same bytes. Refused, it must leave its record as it was.
inline void Exercise(const Block& b, const uint8_t* data, size_t size, int16_t version, int16_t& versionInForce,
                     int16_t current)
{
    const Bytes before = Written(b.write);
    versionInForce = version;
    const bool ok = size > 0 && ReadFrom(data, size, b.read);
    versionInForce = current;
    if (!ok) {
        if (Written(b.write) != before) std::abort();
        return;
    }
    const Bytes first = Written(b.write);
    if (!first.empty() && !ReadFrom(first.data(), first.size(), b.read)) std::abort();
    if (Written(b.write) != first) std::abort();
}

}  // namespace vekfuzz
