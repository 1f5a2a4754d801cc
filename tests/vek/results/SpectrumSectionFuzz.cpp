// Reads the spectrum section of a fuzzed data file into a result set. A
// section refused must leave the spectrum settings and directions as they
// were; one read must hold as many directions as it declared, each read once.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/TestFiles.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/results/Result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path =
        (vektest::MemoryFolder() / ("spectrum_fuzz_" + std::to_string(vektest::ProcessId()))).string();
    if (!vektest::WriteFileBytes(path, data, size)) return 0;
    CResult result;
    std::snprintf(result.m_szBasePath, sizeof result.m_szBasePath, "%s", path.c_str());
    result.m_nMode = 4;
    DSpectrumDir marker(7, 1, 2, 3, 4);
    result.m_SpectrumDirs.Add(marker);
    theSpectrumParameters.SetDefaults();
    const CSpectrumSettings before(theSpectrumParameters);
    if (!result.ReadSpectrumSection()) {
        if (result.m_SpectrumDirs.GetCount() != 1 || result.m_SpectrumDirs.GetAt(0)->m_sCode != 7) std::abort();
        if (theSpectrumParameters.modes.GetSize() != before.modes.GetSize() ||
            theSpectrumParameters.periodFactor != before.periodFactor)
            std::abort();
    } else if (result.m_SpectrumDirs.GetCount() < 1 ||
               theSpectrumParameters.modes.GetSize() != theSpectrumParameters.dampings.GetSize()) {
        std::abort();
    }
    return 0;
}
