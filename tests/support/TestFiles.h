#pragma once
// Temporary files and byte helpers for the KorvaLib base tests.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace kbtest {

using Bytes = std::vector<uint8_t>;

// A unique file name in the temporary folder; the file is removed at the end.
class TempFile {
public:
    explicit TempFile(const char* tag = "kb") {
        static int serial = 0;
        auto dir = std::filesystem::temp_directory_path();
        m_path = (dir / (std::string("vek_") + tag + "_" + std::to_string(Pid()) + "_" +
                         std::to_string(++serial) + ".bin"))
                     .string();
        std::remove(m_path.c_str());
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    const char* c_str() const { return m_path.c_str(); }
    const std::string& path() const { return m_path; }

    Bytes ReadAll() const {
        Bytes out;
        if (FILE* f = std::fopen(m_path.c_str(), "rb")) {
            uint8_t buf[4096];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
            std::fclose(f);
        }
        return out;
    }
    void WriteAll(const Bytes& b) const { WriteAll(b.data(), b.size()); }
    void WriteAll(const void* p, size_t n) const {
        FILE* f = std::fopen(m_path.c_str(), "wb");
        if (!f) return;
        if (n) std::fwrite(p, 1, n, f);
        std::fclose(f);
    }
    void WriteText(const std::string& s) const { WriteAll(s.data(), s.size()); }

private:
    static long Pid();
    std::string m_path;
};

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}
inline Bytes Le16(int v) { return {uint8_t(v), uint8_t(v >> 8)}; }
inline Bytes Le32(int64_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}
inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

}  // namespace kbtest

#if defined(_WIN32)
#include <process.h>
inline long kbtest::TempFile::Pid() { return _getpid(); }
#else
#include <unistd.h>
inline long kbtest::TempFile::Pid() { return getpid(); }
#endif
