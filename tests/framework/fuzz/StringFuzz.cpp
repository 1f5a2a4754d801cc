// Fuzz target: CString's GBK-aware searches, cuts, trims and case changes on
// arbitrary bytes. Checks that no result holds half a character and that
// case changes leave double-byte characters alone.
#include "framework/String.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// True when pos is a character boundary of s.
bool AtBoundary(const CString& s, int pos)
{
    return fw::FloorBoundary(s.GetString(), s.GetLength(), pos) == pos;
}

void Require(bool ok)
{
    if (!ok) std::abort();
}

// A cut of s, taken from [start, start + n), must lie on boundaries of s.
void CheckCut(const CString& s, const CString& cut)
{
    if (cut.IsEmpty()) return;
    const int at = s.Find(cut.GetString());
    Require(at >= 0);
    Require(AtBoundary(s, at) && AtBoundary(s, at + cut.GetLength()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    const int a = data[0], b = data[1];
    const char ch = static_cast<char>(data[2]);
    // Texts are C strings: no zero bytes inside.
    std::string bytes(reinterpret_cast<const char*>(data + 3), size - 3);
    for (char& c : bytes)
        if (c == 0) c = 1;
    const CString s(bytes);
    const int n = s.GetLength();

    CheckCut(s, s.Left(a));
    CheckCut(s, s.Mid(a, b));
    CheckCut(s, s.Right(b));
    Require(s.Left(a).GetLength() <= a);
    Require(s.Mid(a, b).GetLength() <= b);

    const int f = s.Find(ch, a);
    Require(f == -1 || (f >= a && s[f] == ch && AtBoundary(s, f)));
    const int r = s.ReverseFind(ch);
    Require(r == -1 || (s[r] == ch && AtBoundary(s, r)));

    CString upper(s);
    upper.MakeUpper();
    Require(upper.GetLength() == n);
    for (int i = 0; i < n;) {
        const int len = fw::CharLen(s.GetString(), i, n);
        if (len == 2) Require(upper[i] == s[i] && upper[i + 1] == s[i + 1]);
        i += len;
    }
    Require(upper.CompareNoCase(s) == 0);

    const char set[3] = {ch, ' ', 0};
    CString t(s);
    t.Trim(set);
    CheckCut(s, t);
    // Reversing twice gives the text back when it is valid GBK (a lone lead
    // byte may pair with its new neighbour after one reversal).
    bool valid = true;
    for (int i = 0; i < n;) {
        const int len = fw::CharLen(s.GetString(), i, n);
        if (len == 1 && fw::IsLeadByte(static_cast<unsigned char>(s[i]))) valid = false;
        i += len;
    }
    CString rev(s);
    rev.MakeReverse().MakeReverse();
    Require(!valid || rev == s);

    int pos = 0;
    int guard = 0;
    for (CString tok = s.Tokenize(set, pos); pos >= 0 && guard < n + 2; tok = s.Tokenize(set, pos), ++guard)
        CheckCut(s, tok);
    Require(guard <= n + 1);

    CString rep(s);
    const char from[2] = {ch, 0};
    rep.Replace(from, "\\\\");
    CString fmt;
    fmt.Format("%s|%d", s.GetString(), n);
    Require(fmt.GetLength() >= static_cast<int>(std::strlen(s.GetString())));
    return 0;
}
