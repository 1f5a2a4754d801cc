// File helpers and element-force indexes of the result reader.
#include "korvalib/results/ResultIO.h"
#include "korvalib/results/Result.h"
#include "korvalib/base/biostream.h"

#include "korvalib/base/Gbk.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace resultio {

namespace {

// The C library's narrow calls take the names in the system's code page
// (GBK) as they stand.
int StatFile(const char* path, int64_t& size, int64_t& time)
{
    if (!path) return 0;
#if defined(_WIN32)
    struct _stat64 st;
    if (_stat64(path, &st) != 0) return 0;
    size = st.st_size;
    time = static_cast<int64_t>(st.st_mtime);
#else
    struct stat st;
    if (stat(path, &st) != 0) return 0;
    size = st.st_size;
    time = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#endif
    return 1;
}

}  // namespace

int64_t FileTime(const char* path)
{
    int64_t size = 0, time = 0;
    if (!StatFile(path, size, time) || size == 0) return std::numeric_limits<int64_t>::min();
    return time;
}

int FileExists(const char* path)
{
    int64_t size = 0, time = 0;
    return StatFile(path, size, time);
}

int64_t FileLength(bifstream& in)
{
    const int64_t end = in.Length64();
    return end < 0 ? 0 : end;
}

int ReadBytes(bifstream& in, void* p, int64_t bytes)
{
    if (bytes < 0) return 0;
    char* q = static_cast<char*>(p);
    while (bytes > 0) {
        const int chunk = bytes > (1 << 30) ? (1 << 30) : static_cast<int>(bytes);
        if (!in.Read(q, chunk)) return 0;
        q += chunk;
        bytes -= chunk;
    }
    return in.IsGood();
}

int WriteBytes(bofstream& out, const void* p, int64_t bytes)
{
    if (bytes < 0) return 0;
    const char* q = static_cast<const char*>(p);
    while (bytes > 0) {
        const int chunk = bytes > (1 << 30) ? (1 << 30) : static_cast<int>(bytes);
        if (!out.Write(q, chunk)) return 0;
        q += chunk;
        bytes -= chunk;
    }
    return out.IsGood();
}

int ShellCount(bifstream& in, int64_t length, int& e)
{
    const int64_t here = in.TellPos64();
    int32_t v = 0;
    int ok = in.Seek64(4, 0) && ReadArray(in, &v, 1) && v >= 0 && v * 16LL <= length;
    in.Seek64(here, 0);
    e = v;
    return ok;
}

int SeekTo(bifstream& in, int64_t pos)
{
    return pos >= 0 && in.Seek64(pos, 0);
}

FileReplacer::FileReplacer(const char* target) : m_target(target ? target : ""), m_temp(m_target + ".~tmp")
{
    if (!m_target.empty()) m_out.Open(m_temp.c_str());
}

FileReplacer::~FileReplacer()
{
    if (m_out.IsOpen()) {
        m_out.Close();
        std::remove(m_temp.c_str());
    }
}

int FileReplacer::IsOpen() const
{
    return m_out.IsOpen();
}

int FileReplacer::Commit()
{
    if (!m_out.IsOpen()) return 0;
    const int written = m_out.IsGood();
    int ok = m_out.Close() && written;
    if (ok && std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
#if defined(_WIN32)
        // rename does not replace a file here
        ok = std::remove(m_target.c_str()) == 0 && std::rename(m_temp.c_str(), m_target.c_str()) == 0;
#else
        ok = 0;
#endif
    }
    if (!ok) std::remove(m_temp.c_str());
    return ok;
}

int BasePathOf(const char* path, char* out, int size)
try {
    const size_t len = std::strlen(path);
    const size_t sep = gbk::LastPathSeparator(path, len);
    std::string folder, name;
    if (sep == std::string::npos) {
        char cwd[260] = {};
#if defined(_WIN32)
        if (!_getcwd(cwd, sizeof cwd - 1)) return 0;
#else
        if (!getcwd(cwd, sizeof cwd - 1)) return 0;
#endif
        folder = cwd;
        if (!gbk::EndsWithPathSeparator(folder.data(), folder.size()))
#if defined(_WIN32)
            folder += '\\';
#else
            folder += '/';
#endif
        name.assign(path, len);
    } else {
        folder.assign(path, sep + 1);
        name.assign(path + sep + 1, len - sep - 1);
    }
    // '.' is never the second byte of a character
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.resize(dot);
    const std::string base = folder + name;
    if (name.empty() || base.size() + 6 >= static_cast<size_t>(size))  // room for ".NACC"
        return 0;
    std::memcpy(out, base.c_str(), base.size() + 1);
    return 1;
} catch (...) {
    return 0;
}

int NeedsUpdate(int64_t rawTime, int64_t plTime, int64_t copyTime, int forced)
{
    if (rawTime < plTime) return 0;
    // only a copy strictly newer than its raw file is up to date
    return forced || copyTime <= rawTime;
}

int WallHoleKind(const RecordHeader& h)
{
    if (h.a == 1) return 0;
    if (h.c >= 1) return 1;
    if (h.d >= 1) return 3;
    return 2;
}

int WallFirstEnd(const RecordHeader& h)
{
    return h.b == 0 || h.b == 1;
}
int WallSecondEnd(const RecordHeader& h)
{
    return h.b != 1;
}

int ReadRecordHeader(bifstream& in, int64_t length, Family f, int sets, RecordHeader& h)
{
    const int64_t start = in.TellPos64();
    if (start >= length) return 0;
    h = RecordHeader();
    int32_t v[6];
    switch (f) {
        case kFrame:
        case kVframe:
        case kCheck: {
            // frame: skip, element, skip, s; U7: skip, element, unused, s; F88: skip, element, s
            const int words = f == kCheck ? 3 : 4;
            if (!ReadArray(in, v, words)) return -1;
            h.element = v[1];
            h.s = v[words - 1];
            if (h.s < 0 || h.s > 20) return -1;
            if (!ReadArray(in, h.pos, h.s) || !in.Seek64(4, 1)) return -1;
            h.perSet = static_cast<int64_t>(h.s) * (f == kCheck ? 164 : 56);
            break;
        }
        case kTruss:
        case kCframe:
            if (!ReadArray(in, v, 3)) return -1;
            h.element = v[1];
            h.perSet = f == kTruss ? 16 : 104;
            break;
        case kSpring:
            if (!ReadArray(in, v, 2) || !in.Seek64(12, 1)) return -1;
            h.element = v[1];
            h.perSet = 16;
            break;
        case kPipe:
            if (!ReadArray(in, v, 4)) return -1;
            h.element = v[1];
            h.k = v[2];
            if (h.k < 12 || h.k > 18) return -1;
            h.perSet = 8 + 8LL * h.k;
            break;
        case kShell:
            if (!ReadArray(in, v, 4)) return -1;
            h.element = v[1];
            h.m = v[2];
            if (h.m < 0 || h.m > kMaxShellNodes) return -1;
            h.perSet = 72LL * h.m;
            break;
        case kWall:
            if (!ReadArray(in, v, 6) || !in.Seek64(4, 1)) return -1;
            h.element = v[1];
            h.a = v[2];
            h.b = v[3];
            h.c = v[4];
            h.d = v[5];
            break;
    }
    if (h.element < 1 || h.element > kMaxElement) return -1;
    h.dataPos = in.TellPos64();
    if (f == kWall) {
        static const int pieces[4] = {1, 3, 1, 5};
        h.perSet = 56;
        h.dataBytes = static_cast<int64_t>(sets) * pieces[WallHoleKind(h)] * 56 * (WallFirstEnd(h) + WallSecondEnd(h));
    } else {
        h.dataBytes = h.perSet * sets;  // averaged shells: one set per record
    }
    if (h.End() > length) return -1;
    return 1;
}

// ------------------------------------------------------------------ indexes

namespace {

// An index: a count M, then M positions (for an element index, -1 for
// elements without a record).
int WriteIndex(const char* path, const std::vector<int32_t>& table, int count)
{
    FileReplacer file(path);
    const int32_t m = count;
    return file.IsOpen() && WriteBytes(file.Out(), &m, 4) && WriteBytes(file.Out(), table.data(), 4LL * count) &&
           file.Commit();
}

void AddPosition(std::vector<int32_t>& table, int& highest, int element, int64_t pos)
{
    if (element > static_cast<int>(table.size())) table.resize(static_cast<size_t>(element) + 1000, -1);
    table[element - 1] = static_cast<int32_t>(pos);
    if (element > highest) highest = element;
}

// The position table of an element file; 0 when the file is damaged.
// Positions fit 32 bits: longer files are not indexed.
int ScanElements(bifstream& in, int64_t length, Family f, int sets, std::vector<int32_t>& table, int& highest)
{
    table.assign(1000, -1);
    highest = 0;
    int64_t count = -1;  // records announced by the header (shells)
    if (f == kShell) {
        int e = 0;
        if (!ShellCount(in, length, e)) return 0;
        count = e;
    }
    if (!in.Seek64(16, 0)) return 0;
    for (int64_t r = 0; count < 0 || r < count; ++r) {
        RecordHeader h;
        const int64_t pos = in.TellPos64();
        const int got = ReadRecordHeader(in, length, f, sets, h);
        if (got < 0 || (got == 0 && count >= 0)) return 0;
        if (got == 0) break;
        AddPosition(table, highest, h.element, pos);
        if (!SeekTo(in, h.End())) return 0;
    }
    return 1;
}

// NA41: the position of each set's block.
int ScanBlocks(bifstream& in, int64_t length, int sets, std::vector<int32_t>& pos)
{
    int e = 0;
    if (!ShellCount(in, length, e) || !in.Seek64(16, 0)) return 0;
    pos.assign(static_cast<size_t>(sets), -1);
    for (int s = 0; s < sets; ++s) {
        pos[s] = static_cast<int32_t>(in.TellPos64());
        if (!SkipShellBlock(in, length, e)) return 0;
    }
    return 1;
}

}  // namespace

int SkipShellBlock(bifstream& in, int64_t length, int e)
{
    for (int r = 0; r < e; ++r) {
        RecordHeader h;
        if (ReadRecordHeader(in, length, kShell, 1, h) != 1 || !SeekTo(in, h.End())) return 0;
    }
    return 1;
}

int BuildIndexes(const DResult& r, int64_t plTime, int sets)
{
    struct Job {
        const char* raw;
        const char* index;
        Family f;
        int block;
    };
    static const Job jobs[] = {
        {"U3", "NU3", kFrame, 0},   {"U30", "NU30", kFrame, 0}, {"A41", "NA41", kShell, 1},
        {"U41", "NU41", kShell, 0}, {"U5", "NU5", kWall, 0},
    };
    int written = 1;
    for (const Job& j : jobs) {
        char raw[260], index[260];
        r.GetFileName(raw, j.raw);
        r.GetFileName(index, j.index);
        if (!NeedsUpdate(FileTime(raw), plTime, FileTime(index), 0) || !FileExists(raw)) continue;
        bifstream in(raw);
        const int64_t length = FileLength(in);
        std::vector<int32_t> table;
        int count = sets;
        int ok = in.IsOpen() && length <= kMaxIndexedLength;
        if (ok) ok = j.block ? ScanBlocks(in, length, sets, table) : ScanElements(in, length, j.f, sets, table, count);
        in.Close();
        if (!ok) {
            // a damaged file gets no index, so its queries fail; a long one
            // is read without
            std::remove(index);
        } else if (!WriteIndex(index, table, count)) {
            std::remove(index);
            written = 0;
        }
    }
    return written;
}

}  // namespace resultio
