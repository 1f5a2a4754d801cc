// Reads the node block and the wind-face block from fuzzed bytes. The first
// byte picks the block, the second the project version; the rest is the
// stream. A block read whole is written, read back and written again: both
// writes must give the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "korvalib/base/biostream.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/FuzzStreams.h"
#include "vek/elements/line/nodes/NodeBlock.h"
#include "vek/elements/line/nodes/WindElementPar.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"

namespace {

using vekfuzz::Bytes;
using vekfuzz::ReadFrom;
using vekfuzz::Written;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vektest::AppHelperLog log;
    if (size < 3) return 0;
    theProjectOptions.SetDefaults();
    const bool nodes = (data[0] & 1) == 0;
    const int16_t version = vekfuzz::PickVersion(data[1]);
    std::function<int(bofstream&)> write = nodes ? WriteNodeBlock : WriteWindParameters;
    std::function<int(bifstream&)> read = nodes ? ReadNodeBlock : ReadWindParameters;
    nPrjVersion = version;
    const bool ok = ReadFrom(data + 2, size - 2, read);
    nPrjVersion = kProjectVersion;
    if (!ok) return 0;
    const Bytes once = Written(write);
    if (!ReadFrom(once.data(), once.size(), read)) std::abort();
    if (Written(write) != once) std::abort();
    return 0;
}
