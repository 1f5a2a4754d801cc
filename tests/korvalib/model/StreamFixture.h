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
#include "tests/support/LeBytes.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VersionGuard.h"

using vektest::Bytes;
// Short name of the byte builder in the record layouts.
using B = vektest::LeBytes;

// Bytes that a record writes at the given version.
template <class T>
Bytes Written(T& rec, int16_t version = 129)
{
    vektest::TempFile file("km_w");
    vektest::VersionGuard guard(version);
    {
        bofstream out(file.c_str());
        EXPECT_EQ(1, rec.Serialize(out));
        out.Close();
    }
    return file.ReadAll();
}

// Reads a record from bytes at a version; the result of Serialize, and
// whether every byte was consumed.
template <class T>
int ReadBytes(const Bytes& bytes, T& rec, int16_t version, bool* all = nullptr)
{
    vektest::TempFile file("km_r");
    file.WriteAll(bytes);
    vektest::VersionGuard guard(version);
    bifstream in(file.c_str());
    const int ok = rec.Serialize(in);
    if (all) *all = in.TellPos() == long(bytes.size());
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
