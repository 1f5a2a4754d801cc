// Reads the project-file blocks of the model's records from fuzzed bytes.
// The first byte picks the block, the second the project version, the third
// the storey count the storey lists are read against; the rest is the
// stream. A block read whole is written again, read back and written once
// more: both writes must give the same bytes. A block refused must leave
// its record as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "korvalib/base/biostream.h"
#include "korvalib/model/KeyedLists.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/support/FuzzStreams.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/records/FrameBase.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

using vekfuzz::Block;

void Exercise(const Block& b, const uint8_t* data, size_t size, int16_t version)
{
    vekfuzz::Exercise(b, data, size, version, nPrjVersion, kProjectVersion);
}

void ResetModel()
{
    theLayers.Reset();
    theLevels.Reset();
    theLevelRange.Reset();
    theDisplayRange.Reset();
    theDisplayOptions.Reset();
    theStoreyLists.Clear();
    theLoadCombinations[0].SetSize(0);
    theLoadCombinations[1].SetSize(0);
    theMaterials.SetSize(0);
    theEigenPara.Reset();
    theReinforcePara.Reset();
    theCurrentProps.Reset();
    theSpectrumSettings.SetDefaults();
    theSpectrumSettings.curve.SetSize(0);
    theConstructionStages.Reset();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3) return 0;
    vektest::AppHelperLog log;
    ResetModel();
    const int kind = data[0];
    const int16_t version = vekfuzz::PickVersion(data[1]);
    theLevels.count = data[2] % (kMaxStoreys + 1);
    data += 3;
    size -= 3;
    static LoadCombination comb;
    static DElementLoad loads;
    static CMaterial material;
    static DFrameBase<DSframeBase> frame;
    const int materialType[4] = {1, 5, 6, 7};
    const Block blocks[] = {
        {[](bofstream& o) { theLayers.Write(o); }, [](bifstream& i) { return theLayers.Read(i); }},
        {[](bofstream& o) { theLevels.Write(o); }, [](bifstream& i) { return theLevels.Read(i); }},
        {[](bofstream& o) { theLevelRange.Write(o); }, [](bifstream& i) { return theLevelRange.Read(i); }},
        {[](bofstream& o) { theDisplayRange.Write(o); }, [](bifstream& i) { return theDisplayRange.Read(i); }},
        {[](bofstream& o) { theDisplayOptions.Write(o); }, [](bifstream& i) { return theDisplayOptions.Read(i); }},
        {[](bofstream& o) { WriteStoreyLists(o); }, [](bifstream& i) { return ReadStoreyLists(i); }},
        {[](bofstream& o) { WriteLoadCombinations(o); }, [](bifstream& i) { return ReadLoadCombinations(i); }},
        {[](bofstream& o) { comb.Write(o); }, [](bifstream& i) { return comb.Read(i); }},
        {[](bofstream& o) { SaveElementLoad(o, loads); }, [](bifstream& i) { return LoadElementLoad(i, loads); }},
        {[](bofstream& o) { material.Serialize(o); },
         [&](bifstream& i) { return material.Load(i, materialType[kind / 17 % 4]); }},
        {[](bofstream& o) { WriteMaterials(o); }, [](bifstream& i) { return ReadMaterials(i); }},
        {[](bofstream& o) { WriteEigenBlock(o); }, [](bifstream& i) { return ReadEigenBlock(i); }},
        {[](bofstream& o) { WriteReinforceBlock(o); }, [](bifstream& i) { return ReadReinforceBlock(i); }},
        {[](bofstream& o) { WriteCurrentSelection(o); }, [](bifstream& i) { return ReadCurrentSelection(i); }},
        {[](bofstream& o) { theSpectrumSettings.Write(o); }, [](bifstream& i) { return theSpectrumSettings.Read(i); }},
        {[](bofstream& o) { theConstructionStages.Write(o); },
         [](bifstream& i) { return theConstructionStages.Read(i); }},
        {[](bofstream& o) { frame.Serialize(o); }, [](bifstream& i) { return frame.Serialize(i) != 0; }},
    };
    comb = LoadCombination();
    loads.Clear();
    material = CMaterial();
    frame = DFrameBase<DSframeBase>();
    const int which = kind % 17;
    if (which == 5 && theLevels.count > 0) theStoreyLists.Recreate(theLevels.count);
    Exercise(blocks[which], data, size, version);
    return 0;
}
