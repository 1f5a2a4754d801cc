// Reads model records of every family from fuzzed stream bytes. The first
// byte picks the record kind, the second the file version; the rest is the
// stream. Every record read whole is written again at the current version,
// read back and written once more: both writes must give the same bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/model/AreaElements.h"
#include "korvalib/model/LineElements.h"
#include "korvalib/model/LoadRecords.h"
#include "korvalib/model/SectionRecords.h"
#include "korvalib/model/SteelFrame.h"
#include "korvalib/base/biostream.h"

namespace {

const int16_t kVersions[] = {100, 101, 110, 120, 121, 124, 125, 126, 127, 128, 129};

std::vector<uint8_t> WriteOut(auto& rec)
{
    char* buf = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&buf, &size);
    if (!f) return {};
    {
        bofstream out;
        out.Attach(f);
        rec.Serialize(out);
        out.Flush();
        out.Detach();
    }
    std::fclose(f);
    std::vector<uint8_t> bytes(buf, buf + size);
    std::free(buf);
    return bytes;
}

template <class T>
void ReadBack(const std::vector<uint8_t>& bytes, T& rec)
{
    if (bytes.empty()) return;
    FILE* f = fmemopen(const_cast<uint8_t*>(bytes.data()), bytes.size(), "rb");
    if (!f) return;
    bifstream in;
    in.Attach(f);
    int ok = rec.Serialize(in);
    in.Detach();
    std::fclose(f);
    if (!ok) std::abort();
}

template <class T>
void Exercise(const uint8_t* data, size_t size, int16_t version)
{
    FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!f) return;
    bifstream in;
    in.Attach(f);
    for (int k = 0; k < 4; ++k) {
        T rec;
        nVersion = version;
        if (!rec.Serialize(in)) break;
        T copy(rec);
        nVersion = 129;
        std::vector<uint8_t> first = WriteOut(copy);
        T again;
        ReadBack(first, again);
        std::vector<uint8_t> second = WriteOut(again);
        if (first != second) std::abort();
    }
    in.Detach();
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    int kind = data[0];
    int16_t version = kVersions[data[1] % (sizeof kVersions / sizeof kVersions[0])];
    data += 2;
    size -= 2;
    switch (kind % 35) {
        case 0: Exercise<DEigen>(data, size, version); break;
        case 1: Exercise<DSpectrumDir>(data, size, version); break;
        case 2: Exercise<DSpectrum>(data, size, version); break;
        case 3: Exercise<DSpectrumCurve>(data, size, version); break;
        case 4: Exercise<DHistory>(data, size, version); break;
        case 5: Exercise<DHistoryCurve>(data, size, version); break;
        case 6: Exercise<DCombFactor>(data, size, version); break;
        case 7: Exercise<DReinforce>(data, size, version); break;
        case 8: Exercise<DLevelBase>(data, size, version); break;
        case 9: Exercise<DLayerBase>(data, size, version); break;
        case 10: Exercise<DFrameSect>(data, size, version); break;
        case 11: Exercise<DVframeSect>(data, size, version); break;
        case 12: Exercise<DPipeSect>(data, size, version); break;
        case 13: Exercise<DMaterial>(data, size, version); break;
        case 14: Exercise<DTrussBase>(data, size, version); break;
        case 15: Exercise<DCframeBase>(data, size, version); break;
        case 16: Exercise<DPipeBase>(data, size, version); break;
        case 17: Exercise<DTightWire>(data, size, version); break;
        case 18: Exercise<DTightWireIndex>(data, size, version); break;
        case 19: Exercise<DPlaneBase>(data, size, version); break;
        case 20: Exercise<DThreedBase>(data, size, version); break;
        case 21: Exercise<DS16Base>(data, size, version); break;
        case 22: Exercise<DSol21Base>(data, size, version); break;
        case 23: Exercise<DSol8rBase>(data, size, version); break;
        case 24: Exercise<DShellBase>(data, size, version); break;
        case 25: Exercise<DWallBase>(data, size, version); break;
        case 26: Exercise<DFrameLoad>(data, size, version); break;
        case 27: Exercise<DCframeLoad>(data, size, version); break;
        case 28: Exercise<DShellLoad>(data, size, version); break;
        case 29: Exercise<DHistoryLoad>(data, size, version); break;
        case 30: Exercise<DSframeBase>(data, size, version); break;
        case 31: Exercise<DSframeSect>(data, size, version); break;
        case 32: Exercise<DPlaneLoad>(data, size, version); break;
        case 33: Exercise<DSol21Load>(data, size, version); break;
        case 34: Exercise<DWallLoad>(data, size, version); break;
    }
    return 0;
}
