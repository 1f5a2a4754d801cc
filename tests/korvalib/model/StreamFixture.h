#pragma once
// Helpers of the record tests: a byte builder for hand-worked layouts, and
// writing or reading one record through a real stream file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "korvalib/base/biostream.h"

using Bytes = std::vector<uint8_t>;

// Little-endian bytes, field by field.
struct B {
    Bytes b;
    B& i8(int v) { b.push_back(uint8_t(v)); return *this; }
    B& i16(int v) { return raw(&v, 2); }
    B& i32(int v) { return raw(&v, 4); }
    B& f32(float v) { return raw(&v, 4); }
    B& f64(double v) { return raw(&v, 8); }
    B& f32s(std::initializer_list<float> l) { for (float f : l) f32(f); return *this; }
    B& i32s(std::initializer_list<int> l) { for (int v : l) i32(v); return *this; }
    B& zeros(int n) { b.insert(b.end(), size_t(n), 0); return *this; }
    // Name field: 4-byte length (text + 1), the text and its zero.
    B& str(const char* s) { i32(int(std::strlen(s)) + 1); return raw(s, int(std::strlen(s)) + 1); }
    B& raw(const void* p, int n) {
        const uint8_t* q = static_cast<const uint8_t*>(p);
        b.insert(b.end(), q, q + n);
        return *this;
    }
    operator Bytes() const { return b; }
};

inline std::string TempPath(const char* tag)
{
    static int n = 0;
    char buf[256];
    std::snprintf(buf, sizeof buf, "%s/km_model_%s_%d.bin", ::testing::TempDir().c_str(), tag, ++n);
    return buf;
}

// Bytes that a record writes at the given version.
template <class T>
Bytes Written(T& rec, int16_t version = 129)
{
    std::string path = TempPath("w");
    nVersion = version;
    {
        bofstream out(path.c_str());
        EXPECT_EQ(1, rec.Serialize(out));
        out.Close();
    }
    Bytes bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(uint8_t(c));
        std::fclose(f);
    }
    std::remove(path.c_str());
    return bytes;
}

// Reads a record from bytes at a version; the result of Serialize, and
// whether every byte was consumed.
template <class T>
int ReadBytes(const Bytes& bytes, T& rec, int16_t version, bool* all = nullptr)
{
    std::string path = TempPath("r");
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    int ok;
    {
        bifstream in(path.c_str());
        nVersion = version;
        ok = rec.Serialize(in);
        if (all) *all = in.TellPos() == long(bytes.size());
    }
    std::remove(path.c_str());
    nVersion = 129;
    return ok;
}

// Reads bytes and expects success with every byte consumed.
template <class T>
void ExpectReads(const Bytes& bytes, T& rec, int16_t version)
{
    bool all = false;
    ASSERT_EQ(1, ReadBytes(bytes, rec, version, &all));
    EXPECT_TRUE(all) << "bytes left over";
}

// Every shortened copy of a record's bytes fails and leaves the target as it was.
template <class T, class Eq>
void ExpectTruncationRefused(const Bytes& bytes, int16_t version, Eq unchanged)
{
    for (size_t n = 0; n < bytes.size(); ++n) {
        Bytes cut(bytes.begin(), bytes.begin() + long(n));
        T rec;
        EXPECT_EQ(0, ReadBytes(cut, rec, version)) << "cut at " << n;
        EXPECT_TRUE(unchanged(rec)) << "cut at " << n;
    }
}
