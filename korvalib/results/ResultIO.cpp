// File helpers and element-force indexes of the result reader.
#include "korvalib/results/ResultIO.h"
#include "korvalib/results/Result.h"
#include "korvalib/base/biostream.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace resultio {

namespace fs = std::filesystem;

// The library throws nothing: a name the file system cannot take (a path
// conversion error) counts as a missing file.
int64_t FileTime(const char* path)
try {
    std::error_code ec;
    const fs::path p(path);
    auto size = fs::file_size(p, ec);
    if (ec || size == 0)
        return std::numeric_limits<int64_t>::min();
    auto t = fs::last_write_time(p, ec);
    if (ec)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(t.time_since_epoch().count());
} catch (...) {
    return std::numeric_limits<int64_t>::min();
}

int FileExists(const char* path)
try {
    std::error_code ec;
    return fs::exists(fs::path(path), ec) ? 1 : 0;
} catch (...) {
    return 0;
}

int64_t FileLength(bifstream& in)
{
    const long here = in.TellPos();
    if (!in.Seek(0, 2))
        return 0;
    const long end = in.TellPos();
    in.Seek(here, 0);
    return end < 0 ? 0 : end;
}

int ReadBytes(bifstream& in, void* p, int64_t bytes)
{
    if (bytes < 0)
        return 0;
    char* q = static_cast<char*>(p);
    while (bytes > 0) {
        const int chunk = bytes > (1 << 30) ? (1 << 30) : static_cast<int>(bytes);
        if (!in.Read(q, chunk))
            return 0;
        q += chunk;
        bytes -= chunk;
    }
    return in.IsGood();
}

int ShellCount(bifstream& in, int64_t length, int& e)
{
    const long here = in.TellPos();
    int32_t v = 0;
    int ok = in.Seek(4, 0) && ReadArray(in, &v, 1) && v >= 0 && v * 16LL <= length;
    in.Seek(here, 0);
    e = v;
    return ok;
}

int SeekTo(bifstream& in, int64_t pos)
{
    if (pos < 0 || pos > std::numeric_limits<int32_t>::max())
        return 0;
    return in.Seek(static_cast<long>(pos), 0);
}

int BasePathOf(const char* path, char* out, int size)
try {
    std::string p(path);
    const size_t sep = p.find_last_of("\\/");
    std::string folder, name;
    if (sep == std::string::npos) {
        std::error_code ec;
        folder = fs::current_path(ec).string();
        if (ec)
            return 0;
#ifdef _WIN32
        folder += '\\';
#else
        folder += '/';
#endif
        name = p;
    } else {
        folder = p.substr(0, sep + 1);
        name = p.substr(sep + 1);
    }
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.resize(dot);
    const std::string base = folder + name;
    if (name.empty() || base.size() + 6 >= static_cast<size_t>(size))   // room for ".NACC"
        return 0;
    std::memcpy(out, base.c_str(), base.size() + 1);
    return 1;
} catch (...) {
    return 0;
}

int NeedsUpdate(int64_t rawTime, int64_t plTime, int64_t copyTime, int forced)
{
    if (rawTime < plTime)
        return 0;
    // only a copy strictly newer than its raw file is up to date
    return forced || copyTime <= rawTime;
}

int WallHoleKind(const RecordHeader& h)
{
    if (h.a == 1)
        return 0;
    if (h.c >= 1)
        return 1;
    if (h.d >= 1)
        return 3;
    return 2;
}

int WallFirstEnd(const RecordHeader& h) { return h.b == 0 || h.b == 1; }
int WallSecondEnd(const RecordHeader& h) { return h.b != 1; }

int ReadRecordHeader(bifstream& in, int64_t length, Family f, int sets, int maxNodes, RecordHeader& h)
{
    const int64_t start = in.TellPos();
    if (start >= length)
        return 0;
    h = RecordHeader();
    int32_t v[6];
    switch (f) {
    case kFrame:
    case kVframe:
    case kCheck: {
        // frame: skip, element, skip, s; U7: skip, element, unused, s; F88: skip, element, s
        const int words = f == kCheck ? 3 : 4;
        if (!ReadArray(in, v, words))
            return -1;
        h.element = v[1];
        h.s = v[words - 1];
        if (h.s < 0 || h.s > 20)
            return -1;
        if (!ReadArray(in, h.pos, h.s) || !in.Seek(4, 1))
            return -1;
        h.perSet = static_cast<int64_t>(h.s) * (f == kCheck ? 164 : 56);
        break;
    }
    case kTruss:
    case kCframe:
        if (!ReadArray(in, v, 3))
            return -1;
        h.element = v[1];
        h.perSet = f == kTruss ? 16 : 104;
        break;
    case kSpring:
        if (!ReadArray(in, v, 2) || !in.Seek(12, 1))
            return -1;
        h.element = v[1];
        h.perSet = 16;
        break;
    case kPipe:
        if (!ReadArray(in, v, 4))
            return -1;
        h.element = v[1];
        h.k = v[2];
        if (h.k < 12 || h.k > 18)
            return -1;
        h.perSet = 8 + 8LL * h.k;
        break;
    case kShell:
        if (!ReadArray(in, v, 4))
            return -1;
        h.element = v[1];
        h.m = v[2];
        if (h.m < 0 || h.m > maxNodes)
            return -1;
        h.perSet = 72LL * h.m;
        break;
    case kWall:
        if (!ReadArray(in, v, 6) || !in.Seek(4, 1))
            return -1;
        h.element = v[1];
        h.a = v[2];
        h.b = v[3];
        h.c = v[4];
        h.d = v[5];
        break;
    }
    if (h.element < 1 || h.element > kMaxElement)
        return -1;
    h.dataPos = in.TellPos();
    if (f == kWall) {
        static const int pieces[4] = {1, 3, 1, 5};
        h.perSet = 56;
        h.dataBytes = static_cast<int64_t>(sets) * pieces[WallHoleKind(h)] * 56
            * (WallFirstEnd(h) + WallSecondEnd(h));
    } else {
        h.dataBytes = h.perSet * sets;   // averaged shells: one set per record
    }
    if (h.End() > length)
        return -1;
    return 1;
}

// ------------------------------------------------------------------ indexes

namespace {

// An index: a count M, then M positions (for an element index, -1 for
// elements without a record).
int WriteIndex(const char* path, const std::vector<int32_t>& table, int count)
{
    bofstream out(path);
    if (!out.IsOpen())
        return 0;
    int32_t m = count;
    int ok = out.Write(&m, 4) && out.Write(table.data(), 4 * count);
    out.Close();
    return ok;
}

int AddPosition(std::vector<int32_t>& table, int& highest, int element, int64_t pos)
{
    if (pos > std::numeric_limits<int32_t>::max())
        return 0;
    if (element > static_cast<int>(table.size()))
        table.resize(static_cast<size_t>(element) + 1000, -1);
    table[element - 1] = static_cast<int32_t>(pos);
    if (element > highest)
        highest = element;
    return 1;
}

int BuildElementIndex(const char* raw, const char* index, Family f, int sets)
{
    bifstream in(raw);
    if (!in.IsOpen())
        return 0;
    const int64_t length = FileLength(in);
    std::vector<int32_t> table(1000, -1);
    int highest = 0;
    int64_t count = -1;   // records announced by the header (shells)
    if (f == kShell) {
        int e = 0;
        if (!ShellCount(in, length, e))
            return 0;
        count = e;
    }
    if (!in.Seek(16, 0))
        return 0;
    for (int64_t r = 0; count < 0 || r < count; ++r) {
        RecordHeader h;
        const int64_t pos = in.TellPos();
        const int got = ReadRecordHeader(in, length, f, sets, 10, h);
        if (got < 0 || (got == 0 && count >= 0))
            return 0;
        if (got == 0)
            break;
        if (!AddPosition(table, highest, h.element, pos) || !SeekTo(in, h.End()))
            return 0;
    }
    return WriteIndex(index, table, highest);
}

// NA41: the number of sets, then the position of each set's block.
int BuildBlockIndex(const char* raw, const char* index, int sets)
{
    bifstream in(raw);
    if (!in.IsOpen())
        return 0;
    const int64_t length = FileLength(in);
    int e = 0;
    if (!ShellCount(in, length, e) || !in.Seek(16, 0))
        return 0;
    std::vector<int32_t> pos(static_cast<size_t>(sets), -1);
    for (int s = 0; s < sets; ++s) {
        const int64_t p = in.TellPos();
        if (p > std::numeric_limits<int32_t>::max())
            return 0;
        for (int r = 0; r < e; ++r) {
            RecordHeader h;
            if (ReadRecordHeader(in, length, kShell, 1, 10, h) != 1 || !SeekTo(in, h.End()))
                return 0;
        }
        pos[s] = static_cast<int32_t>(p);
    }
    return WriteIndex(index, pos, sets);
}

} // namespace

void BuildIndexes(const DResult& r, int64_t plTime, int sets)
{
    struct Job {
        const char* raw;
        const char* index;
        Family f;
        int block;
    };
    static const Job jobs[] = {
        {"U3", "NU3", kFrame, 0},  {"U30", "NU30", kFrame, 0}, {"A41", "NA41", kShell, 1},
        {"U41", "NU41", kShell, 0}, {"U5", "NU5", kWall, 0},
    };
    for (const Job& j : jobs) {
        char raw[260], index[260];
        r.GetFileName(raw, j.raw);
        r.GetFileName(index, j.index);
        if (!NeedsUpdate(FileTime(raw), plTime, FileTime(index), 0) || !FileExists(raw))
            continue;
        const int ok = j.block ? BuildBlockIndex(raw, index, sets) : BuildElementIndex(raw, index, j.f, sets);
        if (!ok)   // a damaged file gets no index, so its queries fail
            std::remove(index);
    }
}

} // namespace resultio
