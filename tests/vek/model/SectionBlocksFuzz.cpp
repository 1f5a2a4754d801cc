// Reads the section records and the steel-section block from fuzzed bytes.
// The first byte picks the record, the second the project version; the rest
// is the stream. What is read whole is written, read back and written once
// more: both writes must give the same bytes. A refused read leaves the
// record or the lists as they were.
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/FuzzStreams.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/SteelSectBlock.h"

namespace {

using vekfuzz::Block;

void Exercise(const Block& b, const uint8_t* data, size_t size, int16_t version)
{
    vekfuzz::Exercise(b, data, size, version, nPrjVersion, kProjectVersion);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    vektest::AppHelperLog log;
    ClearSectionLibraries();
    static CFrameSect frame;
    static CVframeSect tapered;
    static CSframeSect steel;
    frame = CFrameSect();
    tapered = CVframeSect();
    steel = CSframeSect();
    const Block blocks[] = {
        {[](bofstream& o) { frame.Serialize(o); }, [](bifstream& i) { return frame.Serialize(i) != 0; }},
        {[](bofstream& o) { tapered.Serialize(o); }, [](bifstream& i) { return tapered.Serialize(i) != 0; }},
        {[](bofstream& o) { steel.Serialize(o); }, [](bifstream& i) { return steel.Serialize(i) != 0; }},
        {[](bofstream& o) { SaveSteelSectBlock(o); }, [](bifstream& i) { return LoadSteelSectBlock(i) == 1; }},
    };
    Exercise(blocks[data[0] % 4], data + 2, size - 2, vekfuzz::PickVersion(data[1]));
    // What was read also converts, prints and draws its strings safely.
    for (int i = 0; i < theSframeSects.GetSize(); ++i) {
        CString text;
        theSframeSects.GetAt(i)->GetParaString(text);
        theSframeSects.GetAt(i)->Scale(1000);
    }
    frame.GetSectString();
    frame.GetEdgeDistance(0);
    tapered.GetSectString();
    return 0;
}
