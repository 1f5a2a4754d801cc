// CString: GBK-aware narrow string.
#include "framework/String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace fw {

int FloorBoundary(const char* s, int n, int pos)
{
    if (pos <= 0) return 0;
    if (pos >= n) return n;
    int i = 0;
    while (i < pos) {
        const int len = CharLen(s, i, n);
        if (i + len > pos) return i;
        i += len;
    }
    return i;
}

int CeilBoundary(const char* s, int n, int pos)
{
    if (pos <= 0) return 0;
    if (pos >= n) return n;
    int i = 0;
    while (i < pos) i += CharLen(s, i, n);
    return i;
}

}  // namespace fw

namespace {

FwStringLoader g_loader = nullptr;

bool InSet(const char* set, const char* s, int i, int len)
{
    // A character is in the set when the set holds the same character.
    const int n = static_cast<int>(std::strlen(set));
    for (int j = 0; j < n;) {
        const int l = fw::CharLen(set, j, n);
        if (l == len && std::memcmp(set + j, s + i, static_cast<size_t>(len)) == 0) return true;
        j += l;
    }
    return false;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

void FwSetStringLoader(FwStringLoader loader)
{
    g_loader = loader;
}

char CString::GetAt(int i) const
{
    if (i < 0 || i >= GetLength()) throw std::out_of_range("CString index out of range");
    return m_s[static_cast<size_t>(i)];
}

void CString::SetAt(int i, char ch)
{
    if (i < 0 || i >= GetLength()) throw std::out_of_range("CString index out of range");
    m_s[static_cast<size_t>(i)] = ch;
}

char* CString::GetBuffer(int minLen)
{
    if (minLen > GetLength()) m_s.resize(static_cast<size_t>(minLen), '\0');
    return m_s.data();
}

char* CString::GetBufferSetLength(int len)
{
    m_s.resize(static_cast<size_t>(std::max(len, 0)), '\0');
    return m_s.data();
}

void CString::ReleaseBuffer(int newLen)
{
    if (newLen < 0) newLen = static_cast<int>(std::strlen(m_s.c_str()));
    m_s.resize(static_cast<size_t>(std::min(newLen, GetLength())));
}

int CString::Compare(const char* s) const
{
    const int r = std::strcmp(m_s.c_str(), s ? s : "");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(const char* s) const
{
    CString a(*this), b(s);
    a.MakeLower();
    b.MakeLower();
    return a.Compare(b);
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const int n = GetLength();
    first = std::clamp(first, 0, n);
    count = std::clamp(count, 0, n - first);
    const int b = fw::CeilBoundary(m_s.data(), n, first);
    const int e = fw::FloorBoundary(m_s.data(), n, first + count);
    return e > b ? CString(m_s.data() + b, e - b) : CString();
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    const int n = GetLength();
    count = std::clamp(count, 0, n);
    return Mid(n - count, count);
}

CString CString::SpanIncluding(const char* set) const
{
    const int n = GetLength();
    int i = 0;
    while (i < n) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (!InSet(set ? set : "", m_s.data(), i, l)) break;
        i += l;
    }
    return CString(m_s.data(), i);
}

CString CString::SpanExcluding(const char* set) const
{
    const int n = GetLength();
    int i = 0;
    while (i < n) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (InSet(set ? set : "", m_s.data(), i, l)) break;
        i += l;
    }
    return CString(m_s.data(), i);
}

// Changes the case of single-byte letters from..from+25 only; the bytes of
// double-byte characters stay as they are.
static void ShiftAsciiCase(std::string& s, char from, char to)
{
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n;) {
        const int l = fw::CharLen(s.data(), i, n);
        if (l == 1 && s[i] >= from && s[i] <= from + 25) s[i] = static_cast<char>(s[i] - from + to);
        i += l;
    }
}

CString& CString::MakeUpper()
{
    ShiftAsciiCase(m_s, 'a', 'A');
    return *this;
}

CString& CString::MakeLower()
{
    ShiftAsciiCase(m_s, 'A', 'a');
    return *this;
}

CString& CString::MakeReverse()
{
    // Reverses characters, keeping each double-byte character in order.
    const int n = GetLength();
    std::string r(static_cast<size_t>(n), '\0');
    for (int i = 0; i < n;) {
        const int l = fw::CharLen(m_s.data(), i, n);
        std::memcpy(r.data() + (n - i - l), m_s.data() + i, static_cast<size_t>(l));
        i += l;
    }
    m_s.swap(r);
    return *this;
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && IsSpace(m_s[i])) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    const char set[2] = {ch, 0};
    return TrimLeft(set);
}

CString& CString::TrimLeft(const char* set)
{
    const int n = GetLength();
    int i = 0;
    while (i < n) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (!InSet(set ? set : "", m_s.data(), i, l)) break;
        i += l;
    }
    m_s.erase(0, static_cast<size_t>(i));
    return *this;
}

CString& CString::TrimRight()
{
    // White space is ASCII below 0x40, never a trail byte.
    size_t n = m_s.size();
    while (n > 0 && IsSpace(m_s[n - 1])) --n;
    m_s.resize(n);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    const char set[2] = {ch, 0};
    return TrimRight(set);
}

CString& CString::TrimRight(const char* set)
{
    // Walk forward so that a trail byte is never taken for a character.
    const int n = GetLength();
    int keep = 0;
    for (int i = 0; i < n;) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (!InSet(set ? set : "", m_s.data(), i, l)) keep = i + l;
        i += l;
    }
    m_s.resize(static_cast<size_t>(keep));
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}
CString& CString::Trim(char ch)
{
    return TrimRight(ch).TrimLeft(ch);
}
CString& CString::Trim(const char* set)
{
    return TrimRight(set).TrimLeft(set);
}

int CString::Find(char ch, int start) const
{
    const int n = GetLength();
    if (start < 0) start = 0;
    for (int i = fw::CeilBoundary(m_s.data(), n, start); i < n;) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (l == 1 && m_s[i] == ch) return i;
        i += l;
    }
    return -1;
}

int CString::Find(const char* sub, int start) const
{
    const int n = GetLength();
    const int m = sub ? static_cast<int>(std::strlen(sub)) : 0;
    if (start < 0) start = 0;
    if (start > n) return -1;
    int i = fw::CeilBoundary(m_s.data(), n, start);
    if (m == 0) return i;
    for (; i + m <= n;) {
        if (std::memcmp(m_s.data() + i, sub, static_cast<size_t>(m)) == 0 &&
            fw::CeilBoundary(m_s.data(), n, i + m) == i + m)
            return i;
        i += fw::CharLen(m_s.data(), i, n);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    const int n = GetLength();
    int found = -1;
    for (int i = 0; i < n;) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (l == 1 && m_s[i] == ch) found = i;
        i += l;
    }
    return found;
}

int CString::FindOneOf(const char* set) const
{
    const int n = GetLength();
    for (int i = 0; i < n;) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (InSet(set ? set : "", m_s.data(), i, l)) return i;
        i += l;
    }
    return -1;
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    const int n = GetLength();
    for (int i = 0; i < n;) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (l == 1 && m_s[i] == oldCh) {
            m_s[i] = newCh;
            ++count;
        }
        i += l;
    }
    return count;
}

int CString::Replace(const char* oldStr, const char* newStr)
{
    if (!oldStr || !*oldStr) return 0;
    const int m = static_cast<int>(std::strlen(oldStr));
    const CString rep(newStr);
    std::string out;
    int count = 0, i = 0;
    for (int at = Find(oldStr, 0); at >= 0; at = Find(oldStr, i)) {
        out.append(m_s, static_cast<size_t>(i), static_cast<size_t>(at - i));
        out += rep.m_s;
        i = at + m;
        ++count;
    }
    if (count) {
        out.append(m_s, static_cast<size_t>(i), std::string::npos);
        m_s.swap(out);
    }
    return count;
}

int CString::Remove(char ch)
{
    const int n = GetLength();
    std::string out;
    int count = 0;
    for (int i = 0; i < n;) {
        const int l = fw::CharLen(m_s.data(), i, n);
        if (l == 1 && m_s[i] == ch)
            ++count;
        else
            out.append(m_s, static_cast<size_t>(i), static_cast<size_t>(l));
        i += l;
    }
    m_s.swap(out);
    return count;
}

int CString::Insert(int index, char ch)
{
    const char s[2] = {ch, 0};
    return Insert(index, s);
}

int CString::Insert(int index, const char* s)
{
    index = std::clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), s ? s : "");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    const int n = GetLength();
    if (index < 0) index = 0;
    if (index < n && count > 0) m_s.erase(static_cast<size_t>(index), static_cast<size_t>(std::min(count, n - index)));
    return GetLength();
}

CString CString::Tokenize(const char* set, int& start) const
{
    const int n = GetLength();
    if (start < 0 || start >= n) {
        start = -1;
        return CString();
    }
    int i = fw::CeilBoundary(m_s.data(), n, start);
    while (i < n) {  // skip leading delimiters
        const int l = fw::CharLen(m_s.data(), i, n);
        if (!InSet(set ? set : "", m_s.data(), i, l)) break;
        i += l;
    }
    if (i >= n) {
        start = -1;
        return CString();
    }
    int j = i;
    while (j < n) {
        const int l = fw::CharLen(m_s.data(), j, n);
        if (InSet(set ? set : "", m_s.data(), j, l)) break;
        j += l;
    }
    start = j < n ? j + fw::CharLen(m_s.data(), j, n) : j;
    return CString(m_s.data() + i, j - i);
}

void CString::FormatV(const char* fmt, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int len = std::vsnprintf(small, sizeof small, fmt ? fmt : "", copy);
    va_end(copy);
    if (len < 0) {
        m_s.clear();
        return;
    }
    if (static_cast<size_t>(len) < sizeof small) {
        m_s.assign(small, static_cast<size_t>(len));
        return;
    }
    std::string big(static_cast<size_t>(len) + 1, '\0');
    std::vsnprintf(big.data(), big.size(), fmt, args);
    big.resize(static_cast<size_t>(len));
    m_s.swap(big);
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    CString part;
    va_list args;
    va_start(args, fmt);
    part.FormatV(fmt, args);
    va_end(args);
    m_s += part.m_s;
}

#if defined(_WIN32)
void CString::Format(UINT formatId, ...)
{
    CString fmt;
    if (!fmt.LoadString(formatId)) return;
    va_list args;
    va_start(args, formatId);
    FormatV(fmt, args);
    va_end(args);
}
#endif

BOOL CString::LoadString(UINT id)
{
    if (!g_loader) return FALSE;
    CString text;
    if (!g_loader(id, text)) return FALSE;
    m_s.swap(text.m_s);
    return TRUE;
}
