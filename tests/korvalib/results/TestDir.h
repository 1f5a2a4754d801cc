#pragma once
// A scratch folder per test, removed afterwards.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace krtest {

class TestDir {
public:
    explicit TestDir(const char* tag)
    {
        static int serial = 0;
        m_dir = std::filesystem::temp_directory_path()
            / (std::string("vek_kr_") + tag + "_" + std::to_string(++serial) + "_"
               + std::to_string(reinterpret_cast<uintptr_t>(this) & 0xffffff));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    ~TestDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    std::string Base() const { return File("model"); }

private:
    std::filesystem::path m_dir;
};

inline std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
    std::vector<unsigned char> out;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            out.insert(out.end(), buf, buf + n);
        std::fclose(f);
    }
    return out;
}

inline void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& b)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (!b.empty())
            std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
}

} // namespace krtest
