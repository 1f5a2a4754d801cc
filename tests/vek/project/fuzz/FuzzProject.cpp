// Fuzz target: any bytes as a project file. The reader must refuse what it
// cannot read without touching memory it does not own, and leave the
// project version in force at the current one.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/TestFiles.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/view/DocumentBinding.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The reader keeps an image of the model in the temporary folder.
    setenv("TMPDIR", vektest::MemoryFolder().c_str(), 1);
    BindViewToDocument();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = vektest::ScratchPath("fuzzprj", ".prj", vektest::MemoryFolder());
    if (!vektest::WriteFileBytes(path, data, size)) return 0;
    vektest::AppHelperLog log;
    LoadProject(path.c_str());
    if (nPrjVersion != kProjectVersion) std::abort();
    return 0;
}
