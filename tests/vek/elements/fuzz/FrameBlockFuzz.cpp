// Reads the frames' block from fuzzed bytes: the second byte picks the
// project version, the rest is the stream. A block read whole is written,
// read back and written again: both writes must give the same bytes.
#include <cstdint>
#include <cstdlib>

#include "korvalib/base/biostream.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/FuzzStreams.h"
#include "vek/elements/line/frames/FrameBlock.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vektest::AppHelperLog log;
    if (size < 3) return 0;
    theProjectOptions.SetDefaults();
    nPrjVersion = vekfuzz::PickVersion(data[1]);
    const bool ok = vekfuzz::ReadFrom(data + 2, size - 2, LoadFrameBlock);
    nPrjVersion = kProjectVersion;
    if (!ok) return 0;
    const vekfuzz::Bytes once = vekfuzz::Written(SaveFrameBlock);
    if (!vekfuzz::ReadFrom(once.data(), once.size(), LoadFrameBlock)) std::abort();
    if (vekfuzz::Written(SaveFrameBlock) != once) std::abort();
    return 0;
}
