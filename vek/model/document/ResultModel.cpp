#include "vek/model/document/ResultModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/GFunc.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/document/ModelReset.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/model/project/ResultOffsets.h"

namespace {

constexpr int kMaxElementNodes = 21;
// Springs one "G=" line may generate: far beyond any model, and a bound on
// what a damaged data file can ask for.
constexpr int kMaxGenerated = 1000000;

// A result file opened whole: its length known, reads checked.
class CResultFile {
public:
    explicit CResultFile(const std::string& path) : m_file(std::fopen(path.c_str(), "rb"))
    {
        if (m_file && std::fseek(m_file, 0, SEEK_END) == 0) {
            m_size = std::ftell(m_file);
            std::fseek(m_file, 0, SEEK_SET);
        }
    }
    ~CResultFile()
    {
        if (m_file) std::fclose(m_file);
    }
    CResultFile(const CResultFile&) = delete;
    CResultFile& operator=(const CResultFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    long Size() const { return m_size; }
    bool ReadAt(long at, void* p, size_t n)
    {
        return at >= 0 && at + long(n) <= m_size && std::fseek(m_file, at, SEEK_SET) == 0 &&
               std::fread(p, 1, n, m_file) == n;
    }
    // The next n bytes; false at the end of the file or when fewer are left.
    bool Read(void* p, size_t n) { return std::fread(p, 1, n, m_file) == n; }
    bool AtEnd()
    {
        const int c = std::fgetc(m_file);
        if (c == EOF) return true;
        std::ungetc(c, m_file);
        return false;
    }

private:
    FILE* m_file;
    long m_size = -1;
};

void DamagedFile(const std::string& path)
{
    CString text;
    text.Format("KORVA分析结果文件%s已损坏或与其它结果文件不一致, 无法读取!", path.c_str());
    AppMessageBox(text, MB_OK | MB_ICONSTOP);
}

// The solid record of the result files in the model's slot order.
void ShapeSolid(int code, CResultElement& e)
{
    int* s = e.nodes;
    int& n = e.nodeCount;
    if (code == 12)
        for (int i = 0; i < 4; ++i) std::swap(s[i], s[i + 4]);
    if (n < kMaxElementNodes) s[n] = 0;
    if (s[4] < 1) {
        e.kind = 2;
        if (n > 8) {
            for (int i = 8; i < n; ++i) s[i - 4] = s[i];
            for (int i = n - 4; i < n; ++i) s[i] = 0;
            n -= 4;
        }
    } else if (s[6] < 1) {
        e.kind = 3;
        for (int i = 8; i < n; ++i) s[i - 2] = s[i];
        if (n > 8) {
            for (int i = n - 2; i < n; ++i) s[i] = 0;
            n -= 2;
        }
    } else {
        e.kind = 1;
    }
    while (n > 0 && s[n - 1] < 1) --n;
}

int SolidType(int code)
{
    switch (code) {
        case 11: return 0;
        case 12: return 2;
        case 17: return 1;
        default: return 3;
    }
}

struct CBeamGroup {
    std::vector<CResultElement> beams;
    int First() const
    {
        int f = beams.front().id;
        for (const CResultElement& b : beams) f = std::min(f, b.id);
        return f;
    }
    int Last() const
    {
        int l = 0;
        for (const CResultElement& b : beams) l = std::max(l, b.id);
        return l;
    }
};

// Reads the element records of base.PL into the model.
bool ReadElements(const std::string& path, CResultModel& m)
{
    CResultFile pl(path);
    if (!pl.IsOpen()) return false;
    const int M = int(m.nodes.size());
    CBeamGroup ordinary, steel, varying;
    int code = 0;
    while (!pl.AtEnd()) {
        int32_t head[3];
        if (!pl.Read(head, sizeof head) || head[1] < 0 || head[1] > kMaxElementNodes || head[0] != 8 + 4 * head[1]) {
            DamagedFile(path);
            return false;
        }
        const int n = head[1], k = head[2];
        int32_t nodes[kMaxElementNodes] = {};
        int32_t tail = 0;
        if (!pl.Read(nodes, size_t(n) * 4) || !pl.Read(&tail, 4) || tail != head[0]) {
            DamagedFile(path);
            return false;
        }
        for (int i = 0; i < n; ++i)
            if (nodes[i] > M) {
                DamagedFile(path);
                return false;
            }
        if (n == 0) {
            code = k;
            continue;
        }
        CResultElement e;
        e.id = k;
        e.nodeCount = n;
        std::copy(nodes, nodes + n, e.nodes);
        EFamily family;
        switch (code) {
            case 2: {
                family = EFamily::Planes;
                int* s = e.nodes - 1;  // slots counted from 1
                if (s[9] <= 0) {
                    s[6] = s[4];
                    s[4] = s[2];
                    s[2] = s[3];
                    s[3] = s[7];
                    s[7] = 0;
                }
                e.nodeCount = 9;
                break;
            }
            case 3:
            case 7:
            case 30:
                e.nodeCount = 2;
                std::fill(e.nodes + 2, e.nodes + kMaxElementNodes, 0);
                e.kind = code == 30 ? 1 : code == 7 ? 2 : 0;
                (code == 30 ? steel : code == 7 ? varying : ordinary).beams.push_back(e);
                continue;
            case 5:
                family = EFamily::Walls;
                e.nodeCount = 4;
                std::fill(e.nodes + 4, e.nodes + kMaxElementNodes, 0);
                break;
            case 6:
            case 10: {
                family = code == 6 ? EFamily::Cframes : EFamily::Pipes;
                e.nodeCount = 2;
                double a[3] = {0, 0, 0}, b[3] = {0, 0, 0};
                if (e.nodes[0] >= 1)
                    std::copy(m.nodes[size_t(e.nodes[0] - 1)].xyz, m.nodes[size_t(e.nodes[0] - 1)].xyz + 3, a);
                if (e.nodes[1] >= 1)
                    std::copy(m.nodes[size_t(e.nodes[1] - 1)].xyz, m.nodes[size_t(e.nodes[1] - 1)].xyz + 3, b);
                MemberReferenceDirection(a, b, e.direction);
                e.hasDirection = true;
                break;
            }
            case 8:
                family = EFamily::Trusses;
                e.nodeCount = 2;
                break;
            case 14:
                family = EFamily::Shells;
                if (n == 3 || e.nodes[2] == e.nodes[3]) e.nodes[3] = 0;
                if (e.nodes[3] > 0) std::swap(e.nodes[2], e.nodes[3]);
                e.nodeCount = 4;
                break;
            case 11:
            case 12:
            case 17:
            case 18:
                family = EFamily::Solids;
                m.solidType = SolidType(code);
                ShapeSolid(code, e);
                break;
            case 31: m.hasSprings = true; continue;
            default: continue;
        }
        std::fill(e.nodes + e.nodeCount, e.nodes + kMaxElementNodes, 0);
        m.elements.push_back({family, e});
    }

    // The three beam groups share one numbering: a group whose numbers start
    // within those before it moves behind them.
    const int used = int(!ordinary.beams.empty()) + int(!steel.beams.empty()) + int(!varying.beams.empty());
    if (used >= 2) {
        const int F = ordinary.beams.empty() ? 0 : ordinary.Last();
        m.sframeOffset = steel.beams.empty() || steel.First() > F ? 0 : F;
        const int before = steel.beams.empty() ? F : steel.Last() + m.sframeOffset;
        m.vframeOffset = varying.beams.empty() || varying.First() > before ? 0 : before;
    }
    for (CResultElement e : ordinary.beams) m.elements.push_back({EFamily::Frames, e});
    for (CResultElement e : steel.beams) {
        e.id += m.sframeOffset;
        m.elements.push_back({EFamily::Frames, e});
    }
    for (CResultElement e : varying.beams) {
        e.id += m.vframeOffset;
        m.elements.push_back({EFamily::Frames, e});
    }
    return true;
}

// The springs of the data file's LSPRING section.
void ReadSprings(const std::string& path, CResultModel& m)
{
    DKorvaDataFile f;
    if (!f.Open(path.c_str(), 1) || !f.GotoSection("LSPRING")) return;
    const int M = int(m.nodes.size());
    auto inRange = [M](int node) { return node <= M; };
    while (f.ReadOneLine() && !f.IsBlankLine()) {
        int number = 0, nodes[2] = {0, 0}, type = 0;
        double k = 0;
        if (f.ExtractInts(nullptr, 1, &number) < 1 || number < 1) continue;
        if (f.ExtractInts("N", 2, nodes) < 2 || f.ExtractDoubles("K", 1, &k) < 1) continue;
        if (nodes[0] < 1) std::swap(nodes[0], nodes[1]);
        if (nodes[0] < 1 || !inRange(nodes[0]) || !inRange(nodes[1])) continue;
        CResultElement s;
        s.id = number;
        s.nodeCount = 2;
        s.nodes[0] = nodes[0];
        s.nodes[1] = nodes[1] > 0 ? nodes[1] : 0;
        s.stiffness = k;
        if (f.ExtractInts("T", 1, &type) >= 1) s.kind = type & 0xFF;
        double dir[3];
        if (f.ExtractDoubles("DIR1", 3, dir) >= 3) {
            for (int i = 0; i < 3; ++i) s.direction[i] = float(dir[i]);
            s.hasDirection = true;
        }
        m.elements.push_back({EFamily::Springs, s});
        int g[4] = {0, 0, 0, 0};
        if (f.ExtractInts("G", 4, g) < 4) continue;
        const int count = std::min(g[0], kMaxGenerated);
        for (int i = 0; i < count; ++i) {
            s.id += g[1];
            s.nodes[0] += g[2];
            if (s.nodes[1] > 0) s.nodes[1] += g[3];
            if (s.nodes[0] < 1 || !inRange(s.nodes[0]) || s.nodes[1] < 0 || !inRange(s.nodes[1])) break;
            m.elements.push_back({EFamily::Springs, s});
        }
    }
}

const char* FamilyContent(EFamily f)
{
    switch (f) {
        case EFamily::Nodes: return "节点";
        case EFamily::Frames: return "梁柱单元";
        case EFamily::Walls: return "墙单元";
        case EFamily::Shells: return "板壳单元";
        case EFamily::Solids: return "三维实体单元";
        case EFamily::Planes: return "平面单元";
        case EFamily::Trusses: return "桁架单元";
        case EFamily::Cframes: return "曲梁单元";
        case EFamily::Pipes: return "管道单元";
        case EFamily::Springs: return "弹簧";
        default: return "单元";
    }
}

}  // namespace

void MemberReferenceDirection(const double a[3], const double b[3], float out[3])
{
    if (std::fabs(a[2] - b[2]) < 0.001) {
        out[0] = 0, out[1] = 0, out[2] = 1;
        return;
    }
    if (std::fabs(a[0] - b[0]) < 0.001 && std::fabs(a[1] - b[1]) < 0.001) {
        out[0] = 1, out[1] = 0, out[2] = 0;
        return;
    }
    const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    // (d x Z) x d
    const double c[3] = {d[1], -d[0], 0.0};
    double r[3] = {c[1] * d[2] - c[2] * d[1], c[2] * d[0] - c[0] * d[2], c[0] * d[1] - c[1] * d[0]};
    const double len = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
    for (int i = 0; i < 3; ++i) out[i] = float(len > 0 ? r[i] / len : 0.0);
}

int ReadResultFiles(const char* base, CResultModel& m)
try {
    m = CResultModel();
    const std::string b(base ? base : "");
    int32_t N = 0, M = 0;
    {
        CResultFile sys(b + ".SYS");
        if (!sys.IsOpen()) {
            AppMessageBox("无法打开KORVA分析结果系统文件!", MB_OK | MB_ICONSTOP);
            return 0;
        }
        if (!sys.ReadAt(684, &N, 4) || !sys.ReadAt(924, &M, 4) || N < 0 || M < 0 || M > N) {
            DamagedFile(b + ".SYS");
            return 0;
        }
    }
    CResultFile id(b + ".ID"), xyz(b + ".XYZ");
    if (!id.IsOpen() || !xyz.IsOpen()) return 0;
    const long need = 24 + 24L * N;
    if (id.Size() < need) {
        DamagedFile(b + ".ID");
        return 0;
    }
    if (xyz.Size() < need) {
        DamagedFile(b + ".XYZ");
        return 0;
    }
    m.nodes.resize(size_t(M));
    for (int i = 0; i < M; ++i) m.nodes[size_t(i)].id = i + 1;
    std::vector<int32_t> codes(static_cast<size_t>(M));
    std::vector<double> values(static_cast<size_t>(M));
    for (int dof = 0; dof < 6; ++dof) {
        if (M > 0 && !id.ReadAt(24 + 4L * N * dof, codes.data(), codes.size() * 4)) return 0;
        for (int i = 0; i < M; ++i)
            if (codes[size_t(i)] <= 0) m.nodes[size_t(i)].restraints |= 1 << dof;
    }
    for (int axis = 0; axis < 3; ++axis) {
        if (M > 0 && !xyz.ReadAt(24 + 8L * N * axis, values.data(), values.size() * 8)) return 0;
        for (int i = 0; i < M; ++i) m.nodes[size_t(i)].xyz[axis] = values[size_t(i)];
    }

    if (!ReadElements(b + ".PL", m)) return 0;
    if (m.hasSprings) ReadSprings(b, m);

    for (const CResultModelElement& e : m.elements)
        for (int i = 0; i < e.element.nodeCount; ++i)
            if (e.element.nodes[i] >= 1) ++m.nodes[size_t(e.element.nodes[i] - 1)].useCount;
    // Nodes no element uses are dropped from the end, up to the last used one.
    while (!m.nodes.empty() && m.nodes.back().useCount == 0) m.nodes.pop_back();
    return 1;
} catch (const std::bad_alloc&) {
    AppMessageBox("内存不够, 无法继续!", MB_OK | MB_ICONSTOP);
    return 0;
}

int ApplyResultModel(const CResultModel& m)
{
    // Elements of a family this build does not hold are refused whole, not
    // left out of the model.
    auto refuse = [](EFamily f) {
        CString text;
        text.Format("此版本的VEK还不能读取分析结果中的%s数据, 无法形成模型!", FamilyContent(f));
        AppMessageBox(text, MB_OK | MB_ICONSTOP);
        return 0;
    };
    if (!m.nodes.empty() && !IsModelFamilyRegistered(EFamily::Nodes)) return refuse(EFamily::Nodes);
    for (const CResultModelElement& e : m.elements)
        if (!IsModelFamilyRegistered(e.family)) return refuse(e.family);
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    bool ok = nodes.Reserve(int(m.nodes.size()));
    for (const CResultNode& n : m.nodes)
        if (ok) ok = nodes.AddResultNode(n.id, n.xyz, n.restraints, n.useCount);
    for (const CResultModelElement& e : m.elements)
        if (ok) ok = ModelFamily(e.family).AddFromResults(e.element);
    if (!ok) {
        AppMessageBox("内存不够, 无法继续!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    theSframeIdOffset = m.sframeOffset;
    theVframeIdOffset = m.vframeOffset;
    if (m.solidType >= 0) theProjectOptions.n3DElementType = uint8_t(m.solidType);
    return 1;
}

int ReadResultModel(const char* base)
{
    CResultModel m;
    if (!ReadResultFiles(base, m)) return 0;
    if (theDocumentHooks.flashPrompt)
        theDocumentHooks.flashPrompt("由于打开的不是VEK项目文件,杆件局部坐标系、内力方向可能不对", 3000);
    if (!ApplyResultModel(m)) return 0;
    theProjectOptions.ReadBackDataFile(base);
    return 1;
}

int OpenModelFromResults(const char* path)
{
    char folder[260] = {}, name[260] = {}, ext[260] = {};
    GFunc::ExtractFilePathName(path ? path : "", folder, name, ext);
    const std::string base = std::string(folder) + name;
    auto exists = [](const std::string& p) {
        FILE* f = std::fopen(p.c_str(), "rb");
        if (f) std::fclose(f);
        return f != nullptr;
    };
    if (!exists(base + ".SYS")) {
        AppMessageBox("分析结果系统文件不存在！", MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (!exists(base + ".PL") || !exists(base + ".XYZ")) {
        AppMessageBox("无法找到分析结果产生的单元信息文件(扩展名为PL)或节点信息文件(扩展名为XYZ)！",
                      MB_OK | MB_ICONSTOP);
        return 0;
    }
    ModelHooks().ShowPrompt("正在读取几何信息和分析结果...");
    if (theDocumentHooks.saveIfModified) theDocumentHooks.saveIfModified();

    const CModelImage image;
    if (!image.IsTaken()) {
        AppMessageBox("无法保存当前模型的备份(临时文件夹无法写入), 分析结果没有装载!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    ClearModelData();
    ResetModelParameters();
    if (!ReadResultModel(base.c_str())) {
        image.Restore();
        return 0;
    }

    const DocumentHooks& h = theDocumentHooks;
    if (h.setProjectionMode) h.setProjectionMode(3);
    theDisplayRange.ShowAll();
    if (h.zoomExtents) h.zoomExtents(1, 0, 0);

    // A model in one plane opens on that plane.
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    if (nodes.GetCount() > 0) {
        double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300}, first[3] = {0, 0, 0};
        nodes.GetCoordinates(nodes.GetID(0), first);
        for (int pos = 0; pos < nodes.GetCount(); ++pos) {
            double p[3];
            if (!nodes.GetCoordinates(nodes.GetID(pos), p)) continue;
            for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], p[i]), hi[i] = std::max(hi[i], p[i]);
        }
        auto onPlane = [&](double a, double b, double c, double d) {
            if (h.setProjectionMode) h.setProjectionMode(2);
            theElevationPlane.m_equation.Set(a, b, c, d);
            theElevationPlane.SetOrigin();
        };
        if (hi[0] - lo[0] < 1e-10) {
            if (ModelFamily(EFamily::Planes).GetCount() > 0)
                theProjectOptions.EnterPlaneModelMode();
            else
                onPlane(1, 0, 0, -first[0]);
        } else if (hi[1] - lo[1] < 1e-10) {
            onPlane(0, 1, 0, -first[1]);
        } else if (hi[2] - lo[2] < 1e-10) {
            onPlane(0, 0, 1, -first[2]);
        }
    }
    if (h.zoomExtents) h.zoomExtents(0, 0, 1);
    DeleteAutosaveCopy();
    bModelFromResults = 1;
    return 1;
}
