#pragma once
// Files of several GiB for the tests of 64-bit positions, written sparse: a
// few bytes planted at far offsets, the rest holes the file system does not
// store. Written with the C library alone, not with the streams under test.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace sparsetest {

struct Piece {
    int64_t offset;
    std::vector<unsigned char> bytes;
};

inline int SeekFile(FILE* f, int64_t offset)
{
#if defined(_WIN32)
    return _fseeki64(f, offset, SEEK_SET);
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET);
#endif
}

// Bytes the file system has given the file (holes not counted); -1 unknown.
inline int64_t AllocatedBytes(const std::string& path)
{
#if defined(_WIN32)
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    FILE_STANDARD_INFO info{};
    const BOOL ok = GetFileInformationByHandleEx(h, FileStandardInfo, &info, sizeof info);
    CloseHandle(h);
    return ok ? static_cast<int64_t>(info.AllocationSize.QuadPart) : -1;
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_blocks) * 512;
#endif
}

// Writes a file of size bytes holding the pieces; 0 on any failure.
inline int MakeSparseFile(const std::string& path, int64_t size, const std::vector<Piece>& pieces)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    int ok = 1;
    int64_t end = 0;
    for (const Piece& p : pieces) {
        ok = ok && SeekFile(f, p.offset) == 0 && std::fwrite(p.bytes.data(), 1, p.bytes.size(), f) == p.bytes.size();
        if (p.offset + static_cast<int64_t>(p.bytes.size()) > end)
            end = p.offset + static_cast<int64_t>(p.bytes.size());
    }
    if (end < size) ok = ok && SeekFile(f, size - 1) == 0 && std::fputc(0, f) != EOF;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

// Whether files beside probe (a scratch name of the caller's own) can be
// made sparse: a probe of 256 MiB with one byte at its end must take almost
// no room, else a file of several GiB would really be written.
inline int SparseFilesWork(const std::string& probe)
{
    const int64_t size = int64_t(256) << 20;
    int ok = MakeSparseFile(probe, size, {});
    if (ok) {
        const int64_t used = AllocatedBytes(probe);
        ok = used >= 0 && used < (int64_t(16) << 20);
    }
    std::remove(probe.c_str());
    return ok;
}

}  // namespace sparsetest
