#pragma once
// What a writer puts into a solver data file, as text.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "korvalib/base/DataFile.h"
#include "tests/support/TestFiles.h"

// The file's text with the final line end taken off; line ends as "\n" in
// every build (the Windows runtime writes text files with CR LF).
inline std::string DataFileText(const std::function<void(DKorvaDataFile&)>& write)
{
    vektest::TempFile f("datafile", ".dat");
    DKorvaDataFile file;
    EXPECT_TRUE(file.Open(f.c_str(), 0));
    write(file);
    EXPECT_EQ(file.Close(), 1);
    const vektest::Bytes b = f.ReadAll();
    std::string s;
    for (uint8_t c : b)
        if (c != '\r') s += char(c);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}
