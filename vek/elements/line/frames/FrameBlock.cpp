#include "vek/elements/line/frames/FrameBlock.h"

#include <cstdio>

#include "korvalib/base/biostream.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameEndIndex.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"

namespace {

// The least bytes of a section and of a frame load in any accepted version.
constexpr int kMinSectBytes = 4 + 1 + 24;
constexpr int kMinLoadBytes = 18 * 2;

// Reads a count and checks that the rest of the block can hold it.
bool ReadCount(bifstream& in, int32_t& n, int minBytes)
{
    in >> n;
    if (!in.IsGood()) return false;
    if (n < 0 || !in.CheckAvailable(int64_t(n) * minBytes)) {
        in.SetFailed();
        return false;
    }
    return true;
}

int Refuse(const char* message)
{
    AppMessageBox(message);
    return 0;
}

int ReadFrames(bifstream& in)
{
    const int v = nPrjVersion;
    int32_t n = 0;
    if (!ReadCount(in, n, CFrame::kMinStreamBytes)) return 0;
    if (n > CFrameStore::kMaxID || (n > 0 && !theFrames.SetSize(n))) return Refuse("梁柱单元太多!");
    for (int i = 0; i < n; ++i) {
        CFrame f;
        f.Serialize(in);
        if (!in.IsGood()) return 0;
        if (v < 600) {
            f.m_nID = i + 1;
            if (int16_t(f.m_nLayer) < 0) f.m_nLayer = 0;
            if (f.m_nStorey < -1) f.m_nStorey = -1;
        }
        if (f.m_nID < 1 || f.m_nID > CFrameStore::kMaxID || theFrames.IsValidID(f.m_nID)) {
            in.SetFailed();
            return 0;
        }
        if (!theFrames.Add(f)) return Refuse("梁柱单元太多!");
    }
    return 1;
}

// Files before version 600 keep the frames' own materials here.
int ReadOldMaterials(bifstream& in)
{
    int32_t n = 0;
    if (!ReadCount(in, n, 24)) return 0;
    if (n == 0) return 1;
    const int before = theMaterials.GetSize();
    if (n > 0x7FFF || !theMaterials.SetSize(before + n)) return Refuse("梁柱单元材料数太多!");
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (f->m_nMaterial > 0) f->m_nMaterial = uint16_t(f->m_nMaterial + before);
    }
    for (int i = 0; i < n; ++i) {
        CMaterial m;
        if (!m.Load(in, 1)) {
            in.SetFailed();
            return 0;
        }
        char name[32];
        std::snprintf(name, sizeof name, "材料%d", before + i + 1);
        m.SetName(name);
        theMaterials.Add(m);
    }
    return 1;
}

int ReadSections(bifstream& in)
{
    const int v = nPrjVersion;
    int32_t n = 0;
    if (!ReadCount(in, n, v >= 600 ? kMinSectBytes : 4 + 48)) return 0;
    if (n > 0x7FFF || !theFrameSects.SetSize(n)) return Refuse("梁柱单元截面数太多!");
    for (int i = 0; i < n; ++i) {
        CFrameSect s;
        if (!s.Serialize(in)) return 0;
        if (v < 600) {
            char name[32];
            std::snprintf(name, sizeof name, "截面%d", i + 1);
            s.SetName(name);
        }
        theFrameSects.Add(s);
    }
    if (v <= 610) return 1;
    if (!ReadCount(in, n, kMinSectBytes + 24)) return 0;
    if (n > 0x7FFF || !theVframeSects.SetSize(n)) return Refuse("梁柱单元变截面数太多!");
    for (int i = 0; i < n; ++i) {
        CVframeSect s;
        if (!s.Serialize(in)) return 0;
        theVframeSects.Add(s);
    }
    return 1;
}

int ReadLoads(bifstream& in)
{
    int32_t n = 0;
    if (nPrjVersion < 520) {
        // The old value and index records: kept only when there are none.
        int32_t index = 0;
        if (!ReadCount(in, n, 52)) return 0;
        if (n == 0 && !ReadCount(in, index, 26)) return 0;
        if (n > 0 || index > 0)
            return Refuse(
                "这个项目文件的梁柱荷载是很旧的格式, 本程序不能读取。请用旧版程序把它另存为新版本的项目文件。");
        return 1;
    }
    if (!ReadCount(in, n, kMinLoadBytes)) return 0;
    if (n > 0 && !theFrameLoads.SetSize(n)) return Refuse("梁柱单元荷载太多!");
    for (int i = 0; i < n; ++i) {
        CFrameLoad l;
        if (!l.Read(in)) return 0;
        theFrameLoads.Add(l);
    }
    return 1;
}

// Every number a frame holds lies in its list; a storey out of the table is
// worked out again.
bool CheckFrames()
{
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (f->m_nNodeI < 0 || f->m_nNodeJ < 0) return false;
        for (int k = 0; k < f->m_Loads.Entries(); ++k) {
            const int p = f->m_Loads[k].nValue;
            if (p < 1 || p > theFrameLoads.GetSize()) return false;
        }
        const int kind = f->GetSectionKind();
        if (kind == 0 && f->m_nSection > theFrameSects.GetSize()) return false;
        if (kind == 2 && f->m_nSection > theVframeSects.GetSize()) return false;
        if (f->m_nStorey < -1 || f->m_nStorey > theLevels.count) f->m_nStorey = -1;
    }
    return true;
}

}  // namespace

int SaveFrameBlock(bofstream& out)
{
    ModelHooks().ShowPrompt("正存入梁柱单元信息...");
    theFrameDefaults.Write(out);
    theFrames.Write(out);
    out << int32_t(theFrameSects.GetSize());
    for (int i = 0; i < theFrameSects.GetSize(); ++i) theFrameSects.GetAt(i)->Serialize(out);
    out << int32_t(theVframeSects.GetSize());
    for (int i = 0; i < theVframeSects.GetSize(); ++i) theVframeSects.GetAt(i)->Serialize(out);
    out << int32_t(theFrameLoads.GetSize());
    for (int i = 0; i < theFrameLoads.GetSize(); ++i) theFrameLoads.GetAt(i)->Write(out);
    return out.IsGood();
}

int LoadFrameBlock(bifstream& in)
{
    const int v = nPrjVersion;
    ModelHooks().ShowPrompt("正装入梁柱单元信息...");
    theFrames.RemoveAll();
    InvalidateFrameEndIndex();
    theFrameLoads.SetSize(0);
    theFrameSects.SetSize(0);
    theVframeSects.SetSize(0);
    theFrameDefaults = CFrameDefaults();
    if (!theFrameDefaults.Read(in)) return 0;
    if (v >= 460 && v <= 599) {
        CFrameDefaults dropped;
        if (!dropped.Read(in)) return 0;
    }
    int ok = ReadFrames(in);
    if (ok && v < 600) ok = ReadOldMaterials(in);
    ok = ok && ReadSections(in) && ReadLoads(in);
    if (ok && !CheckFrames()) {
        in.SetFailed();
        ok = 0;
    }
    return ok && in.IsGood() ? 1 : 0;
}
