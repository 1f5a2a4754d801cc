#pragma once
// Scratch files and folders of the tests, and whole-file reads and writes.
// Scratch names carry the process id and a serial: ctest runs test programs
// side by side, and the native, fuzz and Windows builds share temporary
// folders, so no two processes may ever pick the same name.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vektest {

using Bytes = std::vector<uint8_t>;

inline long ProcessId()
{
#if defined(_WIN32)
    return _getpid();
#else
    return getpid();
#endif
}

// A folder in memory where the system has one, else the temporary folder:
// fuzz targets write a file on every run, several times slower on a disk.
inline std::filesystem::path MemoryFolder()
{
#if !defined(_WIN32)
    if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
#endif
    return std::filesystem::temp_directory_path();
}

// vek_<tag>_<pid>_<serial><ext> in the folder; nothing is created.
inline std::string ScratchPath(const std::string& tag, const std::string& ext = "",
                               const std::filesystem::path& folder = std::filesystem::temp_directory_path())
{
    static std::atomic<int> serial{0};
    const std::string name = "vek_" + tag + "_" + std::to_string(ProcessId()) + "_" + std::to_string(++serial) + ext;
    return (folder / name).string();
}

inline Bytes ReadFileBytes(const std::string& path)
{
    Bytes out;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
        std::fclose(f);
    }
    return out;
}

// Replaces the file's contents; false when any step fails.
inline bool WriteFileBytes(const std::string& path, const void* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}
inline bool WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    return WriteFileBytes(path, bytes.data(), bytes.size());
}

// A scratch file name, free when made; the file is removed at the end.
class TempFile {
public:
    explicit TempFile(const char* tag = "tmp", const char* ext = ".bin",
                      const std::filesystem::path& folder = std::filesystem::temp_directory_path())
        : m_path(ScratchPath(tag, ext, folder))
    {
        std::remove(m_path.c_str());
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return m_path; }
    const char* c_str() const { return m_path.c_str(); }

    Bytes ReadAll() const { return ReadFileBytes(m_path); }
    bool WriteAll(const Bytes& b) const { return WriteFileBytes(m_path, b); }
    bool WriteAll(const void* p, size_t n) const { return WriteFileBytes(m_path, p, n); }
    bool WriteText(const std::string& s) const { return WriteFileBytes(m_path, s.data(), s.size()); }

private:
    std::string m_path;
};

// An empty scratch folder, removed with all it holds at the end.
class TempDir {
public:
    explicit TempDir(const char* tag = "dir",
                     const std::filesystem::path& folder = std::filesystem::temp_directory_path())
        : m_dir(ScratchPath(tag, "", folder))
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
        std::filesystem::create_directories(m_dir, ec);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_dir; }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }

private:
    std::filesystem::path m_dir;
};

}  // namespace vektest
