#pragma once
// A generated result set on disk: the PL file older than the raw files.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "ResultGen.h"
#include "korvalib/results/Result.h"
#include "tests/support/TestFiles.h"

namespace krtest {

inline const char* const kRawExts[] = {"SYS", "ID",  "XYZ", "DIS", "VEC", "RES", "VEL", "ACC", "EQU",
                                       "STA", "ACD", "MAS", "FSJ", "REF", "CQC", "DIR", "A2",  "A11",
                                       "A14", "A17", "A18", "DYN", "STP", "U3",  "U30", "U7",  "U8",
                                       "U6",  "U10", "U31", "U41", "A41", "U5",  "F88", "RC2"};

class ResultSet : public ::testing::Test {
protected:
    ResultSet() : dir("rs"), model(resgen::MakeSmallModel()) {}

    void Write()
    {
        model.WriteAll(Base());
        resgen::SetTime(Path("PL"), -100);
        for (const char* e : kRawExts) resgen::SetTime(Path(e), -50);
    }
    // The set's files: model.SYS, model.PL, ... in the scratch folder.
    std::string Base() const { return dir.File("model"); }
    std::string Path(const char* ext) const { return Base() + "." + ext; }
    std::string DataPath() const { return Base() + ".kor"; }
    int Open(DResult& r, int n = 0) { return r.SetFileName(DataPath().c_str(), n); }

    vektest::TempDir dir;
    resgen::Model model;
};

inline void ExpectRows(const std::vector<resgen::Row6>& want, const double (*got)[6], int n, const char* what)
{
    ASSERT_EQ(static_cast<int>(want.size()), n) << what;
    for (int j = 0; j < n; ++j)
        for (int c = 0; c < 6; ++c)
            ASSERT_DOUBLE_EQ(got[j][c], want[j][c]) << what << " node " << j + 1 << " component " << c;
}

}  // namespace krtest
