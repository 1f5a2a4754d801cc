#include "korvalib/results/SetRecordCopy.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "korvalib/results/ResultIO.h"

using namespace resultio;

namespace {

int64_t LengthOf(const char* path)
{
    bifstream in(path);
    return in.IsOpen() ? FileLength(in) : -1;
}

constexpr int64_t kElementFileHead = 16;

struct Range {
    int64_t offset, size;
};

}  // namespace

int CopyFileRange(const char* from, const char* to, long long offset, long long size)
{
    if (offset < 0 || size < 0) return 0;
    if (LengthOf(from) < offset + size || LengthOf(to) < offset + size) return 0;
    std::vector<char> bytes(static_cast<size_t>(size));
    FILE* in = std::fopen(from, "rb");
    if (!in) return 0;
    const bool read = std::fseek(in, static_cast<long>(offset), SEEK_SET) == 0 &&
                      std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
    std::fclose(in);
    if (!read) return 0;
    FILE* out = std::fopen(to, "r+b");
    if (!out) return 0;
    bool ok = std::fseek(out, static_cast<long>(offset), SEEK_SET) == 0 &&
              std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    ok = std::fclose(out) == 0 && ok;
    return ok ? 1 : 0;
}

int CopyElementSetRecords(const char* from, const char* to, const char* ext, int set, int sets)
{
    struct Kind {
        const char* ext;
        Family family;
    };
    static const Kind kinds[] = {{"U3", kFrame}, {"U30", kFrame}, {"U7", kVframe}, {"U31", kSpring}, {"U41", kShell}};
    const Kind* kind = nullptr;
    for (const Kind& k : kinds)
        if (std::strcmp(k.ext, ext) == 0) kind = &k;
    if (!kind) return 1;
    if (set < 1 || set > sets) return 0;
    std::vector<Range> ranges;
    {
        bifstream in(from);
        if (!in.IsOpen()) return 0;
        const int64_t length = FileLength(in);
        // The element records follow the file's 16-byte head.
        if (length < kElementFileHead || !in.Seek64(kElementFileHead, 0)) return 0;
        for (;;) {
            RecordHeader h;
            const int r = ReadRecordHeader(in, length, kind->family, sets, h);
            if (r == 0) break;
            if (r < 0 || h.perSet <= 0) return 0;
            ranges.push_back({h.dataPos + (set - 1) * h.perSet, h.perSet});
            if (!SeekTo(in, h.End())) return 0;
        }
    }
    for (const Range& r : ranges)
        if (!CopyFileRange(from, to, r.offset, r.size)) return 0;
    return 1;
}
