#pragma once
// CString: a narrow text string. Texts of the program are GBK, so every
// search, cut and case change here treats a lead byte and its trail byte as
// one character: a search never matches inside a character, a cut never
// leaves half of one, and case changes touch ASCII letters only.
#include "framework/FrameworkApi.h"
#include "framework/FwTypes.h"

#include <cstdarg>
#include <string>

#if defined(__MINGW32__)
#define FW_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#elif defined(__GNUC__)
#define FW_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define FW_PRINTF(f, a)
#endif

// GBK character helpers.
namespace fw {
inline bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}
inline bool IsTrailByte(unsigned char c)
{
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}
// Length in bytes (1 or 2) of the character starting at s[i] of a text of n bytes.
inline int CharLen(const char* s, int i, int n)
{
    return (i + 1 < n && IsLeadByte(static_cast<unsigned char>(s[i])) &&
            IsTrailByte(static_cast<unsigned char>(s[i + 1])))
               ? 2
               : 1;
}
// The largest character boundary not above pos.
FW_API int FloorBoundary(const char* s, int n, int pos);
// The smallest character boundary not below pos.
FW_API int CeilBoundary(const char* s, int n, int pos);
}  // namespace fw

class FW_API CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int n) : m_s(s ? s : "", s && n > 0 ? static_cast<size_t>(n) : 0) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}
    CString(const std::string& s) : m_s(s) {}
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* s)
    {
        m_s = s ? s : "";
        return *this;
    }
    CString& operator=(char ch)
    {
        m_s.assign(1, ch);
        return *this;
    }

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    const char* GetString() const { return m_s.c_str(); }
    operator const char*() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }

    char GetAt(int i) const;
    void SetAt(int i, char ch);
    char operator[](int i) const { return GetAt(i); }

    // Writable buffer of at least minLen bytes (plus the terminator); the
    // length is fixed again by ReleaseBuffer (-1: up to the first zero byte).
    char* GetBuffer(int minLen = 0);
    char* GetBufferSetLength(int len);
    void ReleaseBuffer(int newLen = -1);

    CString& operator+=(const CString& s)
    {
        m_s += s.m_s;
        return *this;
    }
    CString& operator+=(const char* s)
    {
        if (s) m_s += s;
        return *this;
    }
    CString& operator+=(char ch)
    {
        m_s += ch;
        return *this;
    }
    void Append(const char* s, int n)
    {
        if (s && n > 0) m_s.append(s, static_cast<size_t>(n));
    }
    void AppendChar(char ch) { m_s += ch; }

    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;
    int Collate(const char* s) const { return Compare(s); }

    // Cuts by byte counts; a cut inside a double-byte character moves so
    // that the character is left out whole.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* set) const;
    CString SpanExcluding(const char* set) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Trim without an argument removes ASCII white space.
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* set);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* set);

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    int Replace(char oldCh, char newCh);
    int Replace(const char* oldStr, const char* newStr);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);
    // Next token after start, separated by any of the characters in set;
    // start becomes -1 after the last one.
    CString Tokenize(const char* set, int& start) const;

    void Format(const char* fmt, ...) FW_PRINTF(2, 3);
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...) FW_PRINTF(2, 3);
#if defined(_WIN32)
    void Format(UINT formatId, ...);
#endif
    // Loads a string resource; FALSE (and the text unchanged) when it is missing.
    BOOL LoadString(UINT id);

    friend bool operator==(const CString& a, const CString& b)
    {
        return a.m_s == b.m_s;
    }
    friend bool operator==(const CString& a, const char* b)
    {
        return a.Compare(b) == 0;
    }
    friend bool operator==(const char* a, const CString& b)
    {
        return b.Compare(a) == 0;
    }
    friend bool operator!=(const CString& a, const CString& b)
    {
        return !(a == b);
    }
    friend bool operator!=(const CString& a, const char* b)
    {
        return !(a == b);
    }
    friend bool operator!=(const char* a, const CString& b)
    {
        return !(a == b);
    }
    friend bool operator<(const CString& a, const CString& b)
    {
        return a.Compare(b) < 0;
    }
    friend bool operator<(const CString& a, const char* b)
    {
        return a.Compare(b) < 0;
    }
    friend bool operator>(const CString& a, const CString& b)
    {
        return a.Compare(b) > 0;
    }
    friend bool operator>(const CString& a, const char* b)
    {
        return a.Compare(b) > 0;
    }
    friend bool operator<=(const CString& a, const CString& b)
    {
        return a.Compare(b) <= 0;
    }
    friend bool operator>=(const CString& a, const CString& b)
    {
        return a.Compare(b) >= 0;
    }

    friend CString operator+(const CString& a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, const char* b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const char* a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, char b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(char a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }

private:
    std::string m_s;
};

typedef CString CStringA;

namespace std {
template <>
struct hash<CString> {
    size_t operator()(const CString& s) const noexcept { return hash<std::string>()(s.str()); }
};
}  // namespace std

// Platform hook behind CString::LoadString; the Win32 part of the framework
// fills it from the module's string table.
typedef BOOL (*FwStringLoader)(UINT id, CString& out);
FW_API void FwSetStringLoader(FwStringLoader loader);
