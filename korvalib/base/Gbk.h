#pragma once
// GBK double-byte characters: a lead byte 0x81..0xFE, then a trail byte
// 0x40..0xFE other than 0x7F. Trail bytes take in '\\', '|' and the letters,
// so a text is walked from its start a character at a time; a byte that
// looks like a separator may be the second half of a character.
#include <cstddef>
#include <string>

namespace gbk {

inline bool IsLead(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}
inline bool IsTrail(unsigned char c)
{
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// Bytes (1 or 2) of the character at text[i], within len bytes.
inline size_t CharLength(const char* text, size_t i, size_t len)
{
    return i + 1 < len && IsLead(static_cast<unsigned char>(text[i])) &&
                   IsTrail(static_cast<unsigned char>(text[i + 1]))
               ? 2
               : 1;
}

// Whether byte idx of text (idx < len) is the second byte of a character.
inline bool IsTrailByteAt(const char* text, size_t idx, size_t len)
{
    for (size_t i = 0; i < idx;) {
        const size_t n = CharLength(text, i, len);
        if (n == 2 && i + 1 == idx) return true;
        i += n;
    }
    return false;
}

inline bool IsPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Position of the last path separator that is a character of its own;
// npos when there is none.
inline size_t LastPathSeparator(const char* path, size_t len)
{
    size_t sep = static_cast<size_t>(-1);
    for (size_t i = 0; i < len;) {
        const size_t n = CharLength(path, i, len);
        if (n == 1 && IsPathSeparator(path[i])) sep = i;
        i += n;
    }
    return sep;
}

// Whether the text's last character is a path separator.
inline bool EndsWithPathSeparator(const char* text, size_t len)
{
    return len > 0 && IsPathSeparator(text[len - 1]) && !IsTrailByteAt(text, len - 1, len);
}

// Whether text begins with key, ASCII letters folded and double-byte
// characters compared exactly (the key ends on a character of the text).
inline bool StartsWithIgnoringAsciiCase(const char* text, const char* key)
{
    const size_t lt = std::char_traits<char>::length(text), lk = std::char_traits<char>::length(key);
    if (lk > lt) return false;
    for (size_t i = 0; i < lk;) {
        const size_t n = CharLength(key, i, lk);
        if (n != CharLength(text, i, lt)) return false;
        if (n == 2) {
            if (text[i] != key[i] || text[i + 1] != key[i + 1]) return false;
        } else {
            unsigned char x = static_cast<unsigned char>(text[i]), y = static_cast<unsigned char>(key[i]);
            if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
            if (x != y) return false;
        }
        i += n;
    }
    return true;
}

// Two texts equal when ASCII letters are folded; the bytes of double-byte
// characters (whose trail bytes may look like letters) compare exactly.
inline bool EqualIgnoringAsciiCase(const char* a, const char* b)
{
    return std::char_traits<char>::length(a) == std::char_traits<char>::length(b) &&
           StartsWithIgnoringAsciiCase(a, b);
}

// ASCII letters to upper case; the trail bytes of double-byte characters
// stay as they are.
inline void ToUpperAscii(std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharLength(text.data(), i, text.size());
        if (n == 1 && text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
        i += n;
    }
}

// The longest start of text of at most maxBytes bytes that ends on a
// character boundary.
inline std::string CutToBytes(const std::string& text, size_t maxBytes)
{
    size_t end = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharLength(text.data(), i, text.size());
        if (i + n > maxBytes) break;
        i += n;
        end = i;
    }
    return text.substr(0, end);
}

}  // namespace gbk
