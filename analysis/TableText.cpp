#include "analysis/TableText.h"

#include <cstring>

#include "analysis/TableCells.h"

CTableTextFile::~CTableTextFile()
{
    TableFree(m_pData);
}

TableImport CTableTextFile::Load(const char* path)
{
    FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f) return TableImport::CannotOpen;
    TableImport result = TableImport::Done;
    // Room for the whole file at once when its size is known; more as it comes.
    size_t cap = 1 << 16, size = 0;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        const long end = std::ftell(f);
        if (end > 0 && uint64_t(end) < uint64_t(SIZE_MAX) / 2) cap = size_t(end) + 1;
    }
    std::rewind(f);
    char* data = static_cast<char*>(TableAlloc(cap + 1));
    while (data) {
        if (size == cap) {
            if (cap > (SIZE_MAX - 1) / 2) {
                result = TableImport::NoMemory;
                break;
            }
            char* more = static_cast<char*>(TableRealloc(data, cap * 2 + 1));
            if (!more) {
                result = TableImport::NoMemory;
                break;
            }
            data = more;
            cap *= 2;
        }
        const size_t n = std::fread(data + size, 1, cap - size, f);
        size += n;
        if (n == 0) {
            if (std::ferror(f)) result = TableImport::ReadError;
            break;
        }
    }
    if (!data) result = TableImport::NoMemory;
    std::fclose(f);
    if (result != TableImport::Done) {
        TableFree(data);
        return result;
    }
    if (size == 0) {
        TableFree(data);
        return TableImport::Empty;
    }
    data[size] = 0;
    int64_t lines = 0;
    for (const char* p = data; (p = static_cast<const char*>(std::memchr(p, '\n', size_t(data + size - p))));) {
        ++lines;
        ++p;
    }
    if (data[size - 1] != '\n') ++lines;
    TableFree(m_pData);
    m_pData = data;
    m_nSize = size;
    m_nPos = 0;
    m_nLines = lines;
    return TableImport::Done;
}

char* CTableTextFile::NextLine(size_t& len)
{
    if (!m_pData || m_nPos >= m_nSize) return nullptr;
    char* line = m_pData + m_nPos;
    char* end = static_cast<char*>(std::memchr(line, '\n', m_nSize - m_nPos));
    if (!end) end = m_pData + m_nSize;  // the buffer holds a NUL there
    m_nPos = size_t(end - m_pData) + 1;
    while (end > line && end[-1] == '\r') --end;
    *end = 0;
    len = size_t(end - line);
    return line;
}

int CTableTextFile::Tokens(char* line, size_t len, char** tokens, int max)
{
    auto separator = [](char c) { return c == ',' || c == ' ' || c == '\t' || c == 0; };
    int count = 0;
    size_t i = 0;
    while (count < max) {
        while (i < len && separator(line[i])) ++i;
        if (i >= len) break;
        tokens[count++] = line + i;
        while (i < len && !separator(line[i])) ++i;
        if (i < len) line[i++] = 0;
    }
    return count;
}

bool TableIsIntegerText(const char* text)
{
    if (!text || !*text) return false;
    for (const char* p = text; *p; ++p)
        if (!(*p >= '0' && *p <= '9') && *p != '+' && *p != '-') return false;
    return true;
}

bool TableIsNumericText(const char* text)
{
    if (!text) return true;
    for (const char* p = text; *p; ++p)
        if (!(*p >= '0' && *p <= '9') && !std::strchr(".eE+-", *p)) return false;
    return true;
}
