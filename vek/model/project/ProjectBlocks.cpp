#include "vek/model/project/ProjectBlocks.h"

#include "korvalib/base/biostream.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/project/ResultOffsets.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace {

// ---- gates --------------------------------------------------------------------------

bool Always(int, bool)
{
    return true;
}
bool OwnFilesOnly(int, bool tesmar)
{
    return !tesmar;
}
bool PlanesGate(int v, bool tesmar)
{
    return tesmar || v >= 700;
}
bool From321(int v, bool)
{
    return v > 320;
}
bool From600(int v, bool)
{
    return v >= 600;
}
bool From611(int v, bool)
{
    return v > 610;
}
bool From681(int v, bool)
{
    return v > 680;
}
bool From700(int v, bool)
{
    return v >= 700;
}

// ---- owners in the model library ----------------------------------------------------

int WriteOptions(bofstream& out)
{
    return theProjectOptions.Write(out);
}
int ReadOptions(bifstream& in)
{
    return theProjectOptions.Read(in) && theProjectOptions.ReadLegacyTail(in) && in.IsGood();
}
// The records whose block is their own Write and Read.
template <auto& record>
int WriteRecord(bofstream& out)
{
    return record.Write(out);
}
template <auto& record>
int ReadRecord(bifstream& in)
{
    return record.Read(in);
}
int WriteStoreys(bofstream& out)
{
    // A storey table without its lists would write a block its reader cannot
    // follow: every storey gets its (empty) list first.
    const int n = theLevels.count;
    if (n >= 1 && theStoreyLists.GetSize() < n + 1 && !theStoreyLists.Recreate(n, theStoreyLists.GetSize() - 1))
        return 0;
    return WriteStoreyLists(out);
}
int ReadStoreys(bifstream& in)
{
    return ReadStoreyLists(in);
}
// The blocks written and read by a pair of functions.
template <bool (*write)(bofstream&)>
int WriteBy(bofstream& out)
{
    return write(out) ? 1 : 0;
}
template <bool (*read)(bifstream&)>
int ReadBy(bifstream& in)
{
    return read(in) ? 1 : 0;
}

// ---- the table ----------------------------------------------------------------------

CProjectBlock theBlocks[kProjectBlockCount] = {
    {1, "项目选项", Always, nullptr, {WriteOptions, ReadOptions}},
    {2, "视图投影", Always, EmptyProjectionForm, {}},
    {3, "楼层", Always, nullptr, {WriteRecord<theLevels>, ReadRecord<theLevels>}},
    {4, "显示选项", Always, nullptr, {WriteRecord<theDisplayOptions>, ReadRecord<theDisplayOptions>}},
    {5, "楼层范围", Always, nullptr, {WriteRecord<theLevelRange>, ReadRecord<theLevelRange>}},
    {6, "显示范围", Always, nullptr, {WriteRecord<theDisplayRange>, ReadRecord<theDisplayRange>}},
    {7, "节点", Always, EmptyNodesForm, {}},
    {8, "梁柱单元", Always, EmptyFramesForm, {}},
    {9, "墙单元", OwnFilesOnly, EmptyWallsForm, {}},
    {10, "刚性区域和导载区域", OwnFilesOnly, EmptyRegionsForm, {}},
    {11, "板壳单元", Always, EmptyShellsForm, {}},
    {12, "三维实体单元", OwnFilesOnly, EmptySolidsForm, {}},
    {13, "楼层单元列表", OwnFilesOnly, nullptr, {WriteStoreys, ReadStoreys}},
    {14, "平面单元", PlanesGate, EmptyPlanesForm, {}},
    {15,
     "地震反应谱参数",
     Always,
     EmptySpectrumForm,
     {WriteRecord<theSpectrumSettings>, ReadRecord<theSpectrumSettings>}},
    {16, "风荷载参数", OwnFilesOnly, EmptyWindForm, {}},
    {17, "轴网", Always, EmptyAxisGridsForm, {}},
    {18, "立面", From321, EmptyElevationsForm, {WriteRecord<theElevationPlane>, ReadRecord<theElevationPlane>}},
    {19, "时程分析", Always, EmptyHistoryForm, {}},
    {20, "钢截面和预应力钢索", Always, EmptySteelForm, {}},
    {21, "捕捉设置", Always, EmptySnapForm, {}},
    {22, "荷载组合", Always, EmptyCombinationsForm, {WriteBy<WriteLoadCombinations>, ReadBy<ReadLoadCombinations>}},
    {23, "图层", Always, nullptr, {WriteRecord<theLayers>, ReadRecord<theLayers>}},
    {24, "振型计算参数", Always, EmptyEigenForm, {WriteBy<WriteEigenBlock>, ReadBy<ReadEigenBlock>}},
    {25, "迎风面参数", OwnFilesOnly, EmptyWindFacesForm, {}},
    {26, "材料", From600, EmptyMaterialsForm, {WriteBy<WriteMaterials>, ReadBy<ReadMaterials>}},
    {27, "二维剖分边界", PlanesGate, EmptyBoundariesForm, {}},
    {28,
     "施工模拟参数",
     From611,
     EmptyStagesForm,
     {WriteRecord<theConstructionStages>, ReadRecord<theConstructionStages>}},
    {29, "当前材料和截面", From681, EmptySelectionForm, {WriteBy<WriteCurrentSelection>, ReadBy<ReadCurrentSelection>}},
    {30, "桁架、曲梁和管道单元", Always, EmptyLineElementsForm, {WriteLineElementsHead, ReadLineElementsHead}},
    {31, "内力积分线", From700, EmptyIntegralsForm, {}},
    {32, "桩和土层", From700, EmptyPilesForm, {}},
    {33, "钢管节点", From700, EmptyTubeJointsForm, {}},
};

}  // namespace

CBlockOwner theLegacyEigenCountsOwner = {nullptr, ReadBy<ReadEigenLegacyCounts>};

void LegacyEigenCountsForm(CBlockForm& form)
{
    // The further setting and the number of modes, at their defaults.
    form.I32(20).I32(10);
}

CProjectBlock& ProjectBlock(int number)
{
    return theBlocks[number - 1];
}

CBlockOwner SetProjectBlockOwner(int number, CBlockOwner owner)
{
    CProjectBlock& b = ProjectBlock(number);
    const CBlockOwner before = b.owner;
    b.owner = owner;
    return before;
}

int WriteProjectBlock(const CProjectBlock& block, bofstream& out)
{
    if (block.owner.IsBound()) return block.owner.write(out) && out.IsGood();
    CBlockForm form;
    block.emptyForm(kProjectVersion, false, form);
    return form.Write(out);
}

EBlockRead ReadProjectBlock(const CProjectBlock& block, bifstream& in, bool tesmar)
{
    if (block.owner.IsBound()) {
        const int r = block.owner.read(in);
        if (r < 0) return EBlockRead::kHoldsData;
        if (!in.IsGood()) return EBlockRead::kDamaged;
        return r ? EBlockRead::kRead : EBlockRead::kRefused;
    }
    CBlockForm form;
    block.emptyForm(nPrjVersion, tesmar, form);
    switch (form.Match(in)) {
        case CBlockForm::kMatches: return EBlockRead::kRead;
        case CBlockForm::kHoldsData: return EBlockRead::kHoldsData;
        default: return EBlockRead::kDamaged;
    }
}
