#include "vek/model/loads/LibTextFile.h"

#include <cstring>
#include <strings.h>
#include <string>

#include "vek/model/AppHelpers.h"

namespace {

// Library files must be in the system's code page: one with a byte-order
// mark of UTF-16 or UTF-8 is refused.
FILE* OpenAnsiText(const char* path)
{
    FILE* f = path ? std::fopen(path, "rt") : nullptr;
    if (!f) return nullptr;
    unsigned char head[3] = {0, 0, 0};
    const size_t n = std::fread(head, 1, 3, f);
    std::rewind(f);
    const bool unicode = (n >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF))) ||
                         (n == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF);
    if (!unicode) return f;
    AppMessageBox("文件为非ANSI编码，请使用记事本或其它工具转换成ANSI编码！");
    std::fclose(f);
    return nullptr;
}

}  // namespace

CLibTextFile::CLibTextFile(const char* path)
{
    m_szLine[0] = 0;
    m_pFile = OpenAnsiText(path);
    if (!m_pFile) {
        const std::string text = std::string("无法打开相应库文件") + (path ? path : "");
        AppMessageBox(text.c_str(), MB_ICONINFORMATION);
    }
}

CLibTextFile::~CLibTextFile()
{
    if (m_pFile) std::fclose(m_pFile);
}

void CLibTextFile::Rewind()
{
    if (m_pFile) std::rewind(m_pFile);
}

bool CLibTextFile::ReadLine()
{
    if (!m_pFile || !std::fgets(m_szLine, sizeof m_szLine, m_pFile)) return false;
    size_t n = std::strlen(m_szLine);
    if (n > 0 && m_szLine[n - 1] != '\n' && !std::feof(m_pFile)) {
        // A line longer than the buffer: the rest of it is passed over.
        int c;
        while ((c = std::fgetc(m_pFile)) != EOF && c != '\n') {
        }
    }
    while (n > 0 && (m_szLine[n - 1] == '\n' || m_szLine[n - 1] == '\r')) m_szLine[--n] = 0;
    return true;
}

const char* CLibTextFile::NextSection()
{
    while (ReadLine())
        if (m_szLine[0] == '[') return m_szLine;
    return nullptr;
}

const char* CLibTextFile::FirstSection()
{
    Rewind();
    return NextSection();
}

bool CLibTextFile::FindSection(const char* name)
{
    Rewind();
    const size_t n = name ? std::strlen(name) : 0;
    while (ReadLine())
        if (strncasecmp(m_szLine, name ? name : "", n) == 0) return true;
    return false;
}

const char* CLibTextFile::NextDataLine()
{
    if (!ReadLine() || m_szLine[0] == 0 || m_szLine[0] == '[') return nullptr;
    return m_szLine;
}
