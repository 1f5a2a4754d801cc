#include "vek/model/loads/LibTextFile.h"

#include <cstring>
#include <string>

#include "korvalib/base/Gbk.h"
#include "vek/model/AppHelpers.h"

CLibTextFile::CLibTextFile(const char* path)
{
    m_szLine[0] = 0;
    m_pFile = path ? OpenTextFileChecked(path, "rt", 1) : nullptr;
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
    // Letters of either case match; a double-byte character only itself.
    while (ReadLine())
        if (gbk::StartsWithIgnoringAsciiCase(m_szLine, name ? name : "")) return true;
    return false;
}

const char* CLibTextFile::NextDataLine()
{
    if (!ReadLine() || m_szLine[0] == 0 || m_szLine[0] == '[') return nullptr;
    return m_szLine;
}
