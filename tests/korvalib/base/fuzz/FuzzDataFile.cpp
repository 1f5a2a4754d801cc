// Fuzz target: the solver data file reader over arbitrary text (logical
// lines, comments, sections, KEY=value lists), and the list parser and
// number shortening on their own.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/GFunc.h"
#include "tests/support/TestFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const vektest::TempFile file("fuzz_datafile", ".txt", vektest::MemoryFolder());
    std::string text(reinterpret_cast<const char*>(data), size);

    // The parsers on the raw text.
    int ints[8];
    double doubles[8];
    GFunc::ExtractInts(text.c_str(), 8, nullptr, ints);
    GFunc::ExtractDoubles(text.c_str(), 8, "N", doubles);
    if (text.size() < 64) {
        char number[64];
        memcpy(number, text.c_str(), text.size() + 1);
        GFunc::CompressFloatString(number, size & 1);
    }

    if (!file.WriteAll(data, size)) return 0;
    DKorvaDataFile d;
    if (!d.Open(file.c_str(), 1)) return 0;
    d.IsANSIFile();
    std::vector<float> floats(40);
    for (int lines = 0; lines < 200 && d.ReadOneLine(); ++lines) {
        if (d.IsBlankLine() || d.IsSection("FRAME")) continue;
        d.ExtractInts("N", 8, ints);
        d.ExtractDoubles("E", 8, doubles);
        d.ExtractFloats(nullptr, 40, floats.data());
    }
    d.GotoSection("JOINT");
    d.ReadOneLine();
    d.Close();
    return 0;
}
