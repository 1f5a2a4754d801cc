#pragma once
// Buffered byte streams shared by the GIF writer and reader.
#include "framework/WinTypes.h"

#include <cstdio>
#include <cstring>

// Output: bytes gather in a buffer and go to the file in large writes; any
// failed write is remembered and reported at the end.
struct CMyImageGIFOut {
    explicit CMyImageGIFOut(FILE* f) : file(f) {}
    ~CMyImageGIFOut() { Flush(); }
    void Byte(int b)
    {
        if (fill == sizeof(buf)) Flush();
        buf[fill++] = (BYTE)b;
    }
    void Word(int w)
    {
        Byte(w & 0xFF);
        Byte((w >> 8) & 0xFF);
    }
    void Bytes(const void* p, size_t n)
    {
        const BYTE* s = (const BYTE*)p;
        while (n) {
            if (fill == sizeof(buf)) Flush();
            size_t k = sizeof(buf) - fill;
            if (k > n) k = n;
            std::memcpy(buf + fill, s, k);
            fill += k;
            s += k;
            n -= k;
        }
    }
    void Flush()
    {
        if (fill && file && !failed && std::fwrite(buf, 1, fill, file) != fill) failed = true;
        fill = 0;
    }
    bool Finish()
    {
        Flush();
        if (!file || std::fflush(file) != 0 || std::ferror(file)) failed = true;
        return !failed;
    }
    FILE* file;
    bool failed = false;
    size_t fill = 0;
    BYTE buf[65536];
};

// Input: a 16 KB read-ahead buffer over the file; Release puts the file back
// at the logical position so callers can go on from there.
struct CMyImageGIFIn {
    explicit CMyImageGIFIn(FILE* f) : file(f) { base = f ? std::ftell(f) : -1; }
    int Get()
    {
        if (pos == fill && !Refill()) return -1;
        return buf[pos++];
    }
    bool Read(void* p, size_t n)
    {
        BYTE* d = (BYTE*)p;
        while (n) {
            if (pos == fill && !Refill()) return false;
            size_t k = fill - pos;
            if (k > n) k = n;
            std::memcpy(d, buf + pos, k);
            pos += k;
            d += k;
            n -= k;
        }
        return true;
    }
    bool Skip(size_t n)
    {
        while (n) {
            if (pos == fill && !Refill()) return false;
            size_t k = fill - pos;
            if (k > n) k = n;
            pos += k;
            n -= k;
        }
        return true;
    }
    long Tell() const { return base + (long)pos; }
    bool Seek(long off)
    {
        if (std::fseek(file, off, SEEK_SET) != 0) return false;
        base = off;
        pos = fill = 0;
        eof = false;
        return true;
    }
    void Release()
    {
        if (file && base >= 0) std::fseek(file, Tell(), SEEK_SET);
    }
    // Bytes left in the file from the logical position.
    long long Remaining()
    {
        const long here = Tell();
        if (std::fseek(file, 0, SEEK_END) != 0) return 0;
        const long end = std::ftell(file);
        std::fseek(file, base + (long)fill, SEEK_SET);
        return end > here ? (long long)(end - here) : 0;
    }
    bool Refill()
    {
        if (eof || !file) return false;
        base += (long)fill;
        pos = 0;
        fill = std::fread(buf, 1, sizeof(buf), file);
        if (fill == 0) {
            eof = true;
            return false;
        }
        return true;
    }
    FILE* file;
    long base;
    size_t pos = 0, fill = 0;
    bool eof = false;
    BYTE buf[16384];
};
