#pragma once
// The text a data-file writer leaves in a scratch file.
#include <string>

#include "korvalib/base/DataFile.h"
#include "tests/support/TestFiles.h"

namespace vektest {

template <class F>
std::string DataFileText(F&& write)
{
    TempFile file("data", ".txt");
    {
        DKorvaDataFile f;
        if (!f.Open(file.c_str(), 0)) return "";
        write(f);
        f.Close();
    }
    const Bytes b = file.ReadAll();
    return std::string(b.begin(), b.end());
}

}  // namespace vektest
