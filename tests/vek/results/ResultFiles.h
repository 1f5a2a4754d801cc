#pragma once
// A result set written by KorvaLib's test writer beside a data file "model"
// (no extension) in a scratch folder, the model file older than the raw files.
#include <fstream>
#include <string>

#include "tests/korvalib/results/ResultGen.h"
#include "tests/support/TestFiles.h"

namespace restest {

const char* const kRawExts[] = {"SYS", "ID",  "XYZ", "DIS", "VEC", "RES", "VEL", "ACC", "EQU", "STA", "ACD", "MAS",
                                "FSJ", "REF", "CQC", "DIR", "A2",  "A11", "A14", "A17", "A18", "DYN", "STP", "U3",
                                "U30", "U7",  "U8",  "U6",  "U10", "U31", "U41", "A41", "U5",  "F88", "RC2"};

class ResultFiles {
public:
    explicit ResultFiles(const resgen::Model& m) : dir("res")
    {
        m.WriteAll(Base());
        resgen::SetTime(Base() + ".PL", -100);
        for (const char* e : kRawExts) resgen::SetTime(Base() + "." + e, -50);
    }
    std::string Base() const { return dir.File("model"); }
    void WriteDataFile(const std::string& text) const { std::ofstream(Base(), std::ios::binary) << text; }

    vektest::TempDir dir;
};

}  // namespace restest
