#include "vek/analysis/DataFileWriter.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/File.h"
#include "korvalib/base/DataFile.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/analysis/NodeDataBlocks.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodeLoads.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/document/ModelCheck.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/storeys/LevelTable.h"

CDataFileHooks theDataFileHooks;
int (*theCheckUnsupportedElements)() = nullptr;

namespace {

constexpr int kVersion = 706;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool HasFolder(const char* name)
{
    for (const char* p = name; *p; ++p)
        if (IsSeparator(*p) || *p == ':') return true;
    return false;
}

// Restraint bytes as they were before the write, put back on every exit.
class CRestraintGuard {
public:
    CRestraintGuard()
    {
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const CNode* n = theNodes.GetAt(i);
            m_saved.emplace_back(n->m_nID, n->m_cRestraint);
        }
    }
    ~CRestraintGuard()
    {
        for (const auto& [id, bits] : m_saved)
            if (CNode* n = FindNode(id)) n->m_cRestraint = bits;
    }
    CRestraintGuard(const CRestraintGuard&) = delete;
    CRestraintGuard& operator=(const CRestraintGuard&) = delete;

private:
    std::vector<std::pair<int, uint8_t>> m_saved;
};

// The nodes' masters as they were: a write that fails gives them back, so
// that they still match the data file and the results left on the disk.
class CMasterGuard {
public:
    CMasterGuard()
    {
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const CNode* n = theNodes.GetAt(i);
            m_saved.emplace_back(n->m_nID, n->m_nMaster);
        }
    }
    ~CMasterGuard()
    {
        if (!m_keep)
            for (const auto& [id, master] : m_saved)
                if (CNode* n = FindNode(id)) n->m_nMaster = master;
    }
    void Keep() { m_keep = true; }
    CMasterGuard(const CMasterGuard&) = delete;
    CMasterGuard& operator=(const CMasterGuard&) = delete;

private:
    std::vector<std::pair<int, int32_t>> m_saved;
    bool m_keep = false;
};

// The restraints the solver needs that the model leaves to the elements.
void PrepareRestraints()
{
    const int last = theNodes.GetLastID();
    std::vector<int> count = CountNodeUses();
    count.resize(size_t(last) + 1, 0);
    for (const CNodeDisplacement& d : theNodeDisplacements)
        if (d.m_nNode >= 1 && d.m_nNode <= last) ++count[size_t(d.m_nNode)];
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (count[size_t(n->m_nID)] == 0) n->m_cRestraint = 63;
    }
    if (CFrameDataFamily* frames = FrameDataFamily()) {
        CFrameDataRow row;
        for (int pos = 0; pos < frames->Count(); ++pos) {
            frames->Row(pos, row);
            if (!(row.tensionOnly || row.compressionOnly || row.momentsReleased)) continue;
            for (int id : row.nodes)
                if (id >= 1 && id <= last) --count[size_t(id)];
        }
    }
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        const CSpring* s = theSprings.GetAt(i);
        if (s->m_cKind == 1 && s->m_nNodeI >= 1 && s->m_nNodeI <= last) ++count[size_t(s->m_nNodeI)];
    }
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (count[size_t(n->m_nID)] <= 0) n->m_cRestraint |= 8 | 16 | 32;
        if (theProjectOptions.bPlaneModel) {
            n->m_cRestraint |= 16 | 32;
            if (theProjectOptions.nPlaneElementType != 4) n->m_cRestraint |= 1;
        }
    }
}

bool HasOneWayMembers()
{
    if (CFrameDataFamily* frames = FrameDataFamily()) {
        CFrameDataRow row;
        for (int pos = 0; pos < frames->Count(); ++pos) {
            frames->Row(pos, row);
            if (row.tensionOnly || row.compressionOnly) return true;
        }
    }
    for (int i = 0; i < theSprings.GetSize(); ++i)
        if (theSprings.GetAt(i)->m_cMode > 0) return true;
    return false;
}

std::vector<int> NodeNumbers()
{
    std::vector<int> ids;
    for (int i = 0; i < theNodes.GetSize(); ++i) ids.push_back(theNodes.GetAt(i)->m_nID);
    return ids;
}

std::vector<int> FrameNumbers()
{
    std::vector<int> ids;
    if (CFrameDataFamily* frames = FrameDataFamily()) {
        CFrameDataRow row;
        for (int pos = 0; pos < frames->Count(); ++pos) {
            frames->Row(pos, row);
            ids.push_back(row.id);
        }
    }
    return ids;
}

void WriteHeader(DKorvaDataFile& file, int nodes, int cases)
{
    file.InsertBlkAfterNumber(false);
    file << "C\nC This data file is generated by VEK V" << kVersion / 100 << "." << kVersion / 10 % 10 << "."
         << kVersion % 10;
    file.InsertBlkAfterNumber(true);
    file << "\nC\nSYSTEM:\n" << nodes << (cases < 1 ? 1 : cases);
    if (theConstructionStages.on && theConstructionStages.stageCount > 1)
        file << "ACT=" << int(theConstructionStages.stageCount) << 1;
    file << "U= 1 0 "
         << "UNIT=" << unsigned(theProjectOptions.GetUnitCode()) << wrap;
}

void AddCombinations(std::vector<DCombFactor>& out, int list)
{
    MLArray<LoadCombination>& combs = theLoadCombinations[list];
    for (int i = 0; i < combs.GetSize(); ++i) {
        const LoadCombination& c = *combs.GetAt(i);
        DCombFactor r;
        auto& factors = const_cast<LoadFactorList&>(c.factors);
        for (int k = 0; k < factors.GetSize(); ++k)
            r.m_FactorsA.Insert(int16_t(factors.GetAt(k)->loadCase), factors.GetAt(k)->factor, 1);
        r.m_cCodeA = char(c.CoefficientKind() + 1);
        for (int k = 0; k < 3; ++k) r.m_FactorsB.Insert(int16_t(k + 1), c.c[k], 1);
        r.m_cCodeB = char(c.kinds < 16 ? 1 : 2);
        r.m_nSwitch = c.dynamicStep;
        r.m_fFactor1 = c.constructionFactor;
        r.m_fFactor2 = c.dynamicFactor;
        out.push_back(r);
    }
}

// The master nodes of one write, for the loads the floors' nodes hand to
// them; a plain function is what the loads block asks for.
const std::vector<CRegionMaster>* theWriteMasters = nullptr;

class CMasterPositions {
public:
    explicit CMasterPositions(const std::vector<CRegionMaster>& masters) : m_saved(theNodeLoadHooks.masterPosition)
    {
        if (masters.empty()) return;
        theWriteMasters = &masters;
        theNodeLoadHooks.masterPosition = [](int master, double xyz[3]) {
            const int k = master - theNodes.GetSize() - 1;
            if (!theWriteMasters || k < 0 || k >= int(theWriteMasters->size())) return false;
            for (int d = 0; d < 3; ++d) xyz[d] = (*theWriteMasters)[size_t(k)].xyz[d];
            return true;
        };
    }
    ~CMasterPositions()
    {
        theNodeLoadHooks.masterPosition = m_saved;
        theWriteMasters = nullptr;
    }
    CMasterPositions(const CMasterPositions&) = delete;
    CMasterPositions& operator=(const CMasterPositions&) = delete;

private:
    bool (*m_saved)(int, double*);
};

}  // namespace

std::string FolderOf(const std::string& path)
{
    size_t k = path.size();
    while (k > 0 && !IsSeparator(path[k - 1])) --k;
    return path.substr(0, k);
}

std::string DataFilePath(const char* fileName)
{
    if (fileName && *fileName && HasFolder(fileName)) return fileName;
    const std::string doc = theDataFileHooks.documentPath ? theDataFileHooks.documentPath() : std::string();
    const std::string name = fileName && *fileName ? fileName : theProjectOptions.szProjectName;
    return FolderOf(doc) + name;
}

int CountLoadCases()
{
    int n = 1;
    auto take = [&n](int lc) { n = std::max(n, lc); };
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        const CNode* node = theNodes.GetAt(i);
        for (int k = 0; k < node->m_Loads.Entries(); ++k) take(node->m_Loads[k].nKey);
    }
    if (CFrameDataFamily* frames = FrameDataFamily()) {
        CFrameDataRow row;
        for (int pos = 0; pos < frames->Count(); ++pos) {
            frames->Row(pos, row);
            for (const auto& l : row.loads) take(l.first);
        }
    }
    for (const CNodeDisplacement& d : theNodeDisplacements) take(int(d.m_values.size()));
    const CProjectOptions& o = theProjectOptions;
    if (o.nPlaneElementType == 0 || o.nPlaneElementType == 4) {
        if (std::fabs(o.fAngVelocity) > 1e-5) take(o.nAngVelocityLoadCase);
        if (std::fabs(o.fAngAcceleration) > 1e-5) take(o.nAngAccelerationLoadCase);
    }
    take(o.nTemperatureLoadCase);
    take(o.nPrestressLoadCase);
    if (CWallDataFamily* walls = WallDataFamily()) {
        CWallDataRow row;
        for (int pos = 0; pos < walls->Count(); ++pos) {
            walls->Row(pos, row);
            for (const auto& l : row.loads) take(l.first);
        }
    }
    if (CRegionDataFamily* regions = RegionDataFamily()) take(regions->LargestLoadCase());
    // Shell, solid and plane loads: their families' seams.
    return n;
}

void WriteCombinationBlocks(DKorvaDataFile& file, CKvdDataSet* set)
{
    if (!theProjectOptions.bFormCombinations) return;
    static const char* const kKeys[2] = {"\nFORCE\n", "\nCOMBINE\n"};
    for (int list = 0; list < 2; ++list) {
        MLArray<LoadCombination>& combs = theLoadCombinations[list];
        if (combs.GetSize() == 0) continue;
        file << kKeys[list];
        for (int i = 0; i < combs.GetSize(); ++i) {
            file << i + 1;
            combs.GetAt(i)->WriteDataFile(file);
        }
        if (set) AddCombinations(list == 0 ? set->forceCombinations : set->displacementCombinations, list);
    }
}

int WriteKorvaDataFile(int noOneWayPrompt, int mergeNodes, int writeLibrary, int renumberElements, int writeDPrint,
                       int writeResolve, int historyFlag, const char* fileName)
{
    CDataFileSwitches s;
    s.noOneWayPrompt = noOneWayPrompt;
    s.mergeNodes = mergeNodes;
    s.writeLibrary = writeLibrary;
    s.renumberElements = renumberElements;
    s.writeDPrint = writeDPrint;
    s.writeResolve = writeResolve;
    s.historyFlag = historyFlag;
    return WriteKorvaDataFile(s, fileName);
}

int WriteKorvaDataFile(const CDataFileSwitches& sw, const char* fileName)
{
    if (theCheckUnsupportedElements && !theCheckUnsupportedElements()) return 0;
    if (!theProjectOptions.szProjectName[0]) {
        AppMessageBox("当前项目没有保存，请先保存项目！", MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (!sw.noOneWayPrompt && HasOneWayMembers()) {
        const std::string q =
            std::string("结构包含只能承受拉力(或压力)的梁柱和弹簧，采用常规的分析模块只能把这些梁柱或弹簧处理成") +
            "既能受压也能受拉的铰接杆或弹簧，若要合理地处理这些单向受力单元，请调用菜单中专用的计算模块" +
            "对这种结构进行迭代分析！\n是否继续？";
        if (AppMessageBox(q.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
    }

    const std::string target = DataFilePath(fileName);
    const std::string folder = FolderOf(target);
    const std::string temp = target + ".$$$";
    DKorvaDataFile file;
    file.SetPrecision(4);
    if (!file.Open(temp.c_str(), 0)) {
        AppMessageBoxID(125, MB_OK | MB_ICONSTOP);
        return 0;
    }
    std::unique_ptr<CKvdDataSet> set(sw.writeLibrary ? new CKvdDataSet : nullptr);

    if (sw.mergeNodes) {
        const std::vector<int> nodesBefore = NodeNumbers(), framesBefore = FrameNumbers();
        MergeCoincidentNodes(nullptr, 0, 0);
        if (CFrameDataFamily* frames = FrameDataFamily()) {
            const uint8_t order = theProjectOptions.nSortOrder;
            theProjectOptions.nSortOrder = 20;
            frames->Sort();
            theProjectOptions.nSortOrder = order;
        }
        RenumberNodes();
        if (NodeNumbers() != nodesBefore || FrameNumbers() != framesBefore) SetDocumentModified();
    }
    if (sw.renumberElements) {
        const std::vector<int> before = FrameNumbers();
        RenumberElements();
        if (FrameNumbers() != before) SetDocumentModified();
    }

    int ok = 1;
    CMasterGuard nodeMasters;
    {
        CRestraintGuard restraints;
        PrepareRestraints();
        // Penalty links: their family's seam.
        std::vector<CRegionMaster> masters;
        if (CRegionDataFamily* regions = RegionDataFamily())
            if (!theProjectOptions.bPlaneModel) {
                ModelHooks().ShowPrompt("正在形成刚性区域的重心...");
                regions->PrepareMasters(masters);
            }
        const int extra = int(masters.size());
        const int nodes = theNodes.GetSize() + extra;
        const int cases = CountLoadCases();

        ModelHooks().ShowPrompt("正在形成单元荷载...");
        CElementLoadTables tables;
        int lastFrame = 0;
        for (int id : FrameNumbers()) lastFrame = std::max(lastFrame, id);
        int lastWall = 0;
        if (CWallDataFamily* walls = WallDataFamily()) {
            CWallDataRow row;
            for (int pos = 0; pos < walls->Count(); ++pos) {
                walls->Row(pos, row);
                lastWall = std::max(lastWall, row.id);
            }
        }
        tables.Build(cases, lastFrame, lastWall);
        BuildElementLoadTables(tables);

        ModelHooks().ShowPrompt("正在生成系统信息...");
        WriteHeader(file, nodes, cases);
        WriteEigenDataFile(file, set.get());
        theSpectrumSettings.WriteDataFile(file, set.get());
        WriteReinforceDataFile(file, set.get());
        if (theProjectOptions.bStabilityAnalysis) file << "\nSTABILITY\nE=0.0001\n";
        if (sw.writeDPrint) file << "\nDPRINT\n1 " << nodes << "\n";
        if (sw.writeResolve) file << "\nRESOLVE\n1 F=1\n";
        WriteCombinationBlocks(file, set.get());
        WriteTemperatureBlock(file);
        WriteRestraintBlock(file, extra);
        WriteDisplacementBlock(file, set.get());
        std::vector<int> massNumbers;
        ok = WriteMassBlock(file, masters, massNumbers, set.get());
        if (ok) {
            WriteLspringBlock(file, set.get());
            ExportLevelsAndLayers(set.get());
            {
                CMasterPositions positions(masters);
                WriteLoadsBlock(file, set.get(), massNumbers.data(), extra);
            }
            WriteJointBlock(file, masters);
            bool kinds[3] = {false, false, false};
            if (CFrameDataFamily* frames = FrameDataFamily()) {
                CFrameDataRow row;
                for (int pos = 0; pos < frames->Count(); ++pos) {
                    frames->Row(pos, row);
                    kinds[std::clamp(row.kind, 0, 2)] = true;
                }
            }
            for (int kind = 0; kind < 3 && ok; ++kind)
                if (kinds[kind]) ok = WriteFrameBlock(file, cases, set.get(), kind, tables);
            if (CFrameDataFamily* frames = FrameDataFamily()) frames->ClearBlockLoads();
        }
        if (ok) {
            WriteWallBlock(file, cases, set.get(), tables);
            if (CWallDataFamily* walls = WallDataFamily()) walls->ClearBlockLoads();
            // SHELL, SOL8R/SOL21, PLANE, PENALTY, DYNAMIC and the time
            // history: their families' seams (none of them is built yet).
            WriteMasterBlock(file);
            WriteTowerBlock(file);
            WriteNdlevelBlock(file, masters);
            // SOIL: the pile family's seam.
        }
    }
    const int closed = file.Close();
    if (!ok || !closed || !CFile::Replace(temp.c_str(), target.c_str())) {
        std::remove(temp.c_str());
        if (ok) {
            const std::string text = "不能写入数据文件" + target + "，原有文件未被改变！";
            AppMessageBox(text.c_str(), MB_OK | MB_ICONSTOP);
        }
        return 0;
    }
    nodeMasters.Keep();
    const char* name = theProjectOptions.szProjectName;
    std::string prompt;
    if (set && theDataFileHooks.writeLibraryFile) {
        const std::string kvd = folder + name + ".KVD";
        theDataFileHooks.writeLibraryFile(*set, kvd.c_str());
        char text[600];
        std::snprintf(text, sizeof text, "在%s下生成数据文件%s和%s.KVD", folder.c_str(), name, name);
        prompt = text;
    } else {
        char text[600];
        std::snprintf(text, sizeof text, "在%s下生成数据文件%s", folder.c_str(), name);
        prompt = text;
    }
    ModelHooks().ShowPrompt(prompt.c_str());
    return 1;
}
