#include "vek/elements/line/frames/FrameGenerate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <vector>

#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameSort.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/draw/DrawLayer.h"

namespace {

const char* const kTooMany = "梁柱单元太多!";
constexpr unsigned kOutOfMemory = 102, kNotConvex = 113, kCountPositive = 133, kNodeFailed = 134;

void Lerp(const double* a, const double* b, double t, double out[3])
{
    for (int k = 0; k < 3; ++k) out[k] = a[k] + t * (b[k] - a[k]);
}

// Room in the stores for so many more nodes and frames; refused with a
// message when not (counts past the stores' number range included).
bool HasRoom(long long nodes, long long frames)
{
    if (nodes >= 0 && frames >= 0 && theNodes.GetSize() + nodes <= CNodeStore::kMaxID &&
        theFrames.GetSize() + frames <= CFrameStore::kMaxID)
        return true;
    AppMessageBox(kTooMany);
    return false;
}

// Room reserved for the batch. A batch too large for the coincidence check
// is made without it and merged afterwards; that clears the undo stack, so
// the group closes here and the batch is not undoable.
void ReserveBatch(long long nodes, long long frames)
{
    ReserveModelCapacity(int(nodes), int(frames), 0, 0, 0, 0);
    if (!theProjectOptions.bStoreyLookup && theUndo.IsRecording()) theUndo.EndRecord();
}

// Asks for n (1 or 2) counts, offering the remembered ones, until each is
// at least least (the refusal shown otherwise); false on cancel.
bool AskCounts(const char* prompt, const int* remembered, int n, int least, void (*refuse)(), long long out[2])
{
    for (;;) {
        CString value;
        if (n == 1)
            value.Format("%d", remembered[0]);
        else
            value.Format("%d %d", remembered[0], remembered[1]);
        if (AppPromptValue(prompt, value) != 1) return false;
        long long v[2] = {0, 0};
        bool ok = std::sscanf(value, "%lld%*[ ,]%lld", &v[0], &v[1]) >= n;
        for (int k = 0; k < n; ++k) ok = ok && v[k] >= least;
        if (ok) {
            out[0] = v[0];
            out[1] = v[1];
            return true;
        }
        refuse();
    }
}

void RefuseBeamCount()
{
    AppMessageBoxID(kCountPositive);
}

// The grid's node numbers, row by row; empty (and said) without memory.
bool GridOfNodes(std::vector<int>& grid, long long count)
{
    try {
        grid.assign(size_t(count), 0);
        return true;
    } catch (const std::bad_alloc&) {
        AppMessageBoxID(kOutOfMemory);
        return false;
    }
}

// The point of column i (of columns + 1 spaced by steps) in row j of the
// quadrilateral p1 p2 p3 p4, rows from edge 1-2 towards edge 4-3.
void QuadPoint(const double (*p)[3], long long i, long long steps12, long long j, long long steps23, double out[3])
{
    double l[3], r[3];
    Lerp(p[0], p[3], double(j) / double(steps23), l);
    Lerp(p[1], p[2], double(j) / double(steps23), r);
    Lerp(l, r, double(i) / double(steps12), out);
}

// One generation command: one undo group, the document marked modified,
// and a batch made without the coincidence check merged. The current
// command code tells the arc division what to make. Returns the frames added.
template <class Work>
int RunGeneration(int command, Work work)
{
    CDrawSession session;
    const int before = theFrames.GetSize();
    const int32_t running = theProjectOptions.nCurrentCommand;
    theProjectOptions.nCurrentCommand = command;
    theUndo.BeginRecord();
    work();
    if (theUndo.IsRecording()) theUndo.EndRecord();
    theProjectOptions.nCurrentCommand = running;
    SetDocumentModified(1);
    if (!theProjectOptions.bStoreyLookup) {
        MergeCoincidentNodes(nullptr, 0, 0);
        DeleteDuplicateFrames();
        theProjectOptions.bStoreyLookup = 1;
    }
    return theFrames.GetSize() - before;
}

bool IsQuadUsable(const CPickedPoints& picks)
{
    if (picks.count < 4) return false;
    const double(*p)[3] = picks.points;
    if (IsConvexQuad(p[0], p[1], p[2], p[3])) return true;
    AppMessageBoxID(kNotConvex);
    return false;
}

}  // namespace

int BeamsAlongSegment(const double p1[3], const double p2[3])
{
    const int first = FindOrAddNode(p1);
    if (!first || !FindOrAddNode(p2)) return 0;
    long long n[2];
    if (!AskCounts("请输入沿着捕捉的线段生成梁柱单元数目:", &theFrameGeneration.beamCount, 1, 1, RefuseBeamCount, n))
        return 0;
    if (!HasRoom(n[0], n[0])) return 0;
    theFrameGeneration.beamCount = int(n[0]);
    ReserveBatch(n[0], n[0]);
    int made = 0, previous = first;
    for (long long i = 1; i <= n[0]; ++i) {
        double p[3];
        Lerp(p1, p2, double(i) / double(n[0]), p);
        const int node = FindOrAddNode(p);
        if (!node) break;
        made += AddFramesBetweenNodes(previous, node);
        previous = node;
    }
    return made;
}

int BeamGridOnQuad(const double (*p)[3])
{
    long long c[2];
    if (!AskCounts("输入沿边1-2和2-3生成的单元数（数字表示捕捉时第几个点）:", theFrameGeneration.beamGrid, 2, 1,
                   RefuseBeamCount, c))
        return 0;
    const long long a = c[0], b = c[1];
    const bool numbered = a <= CFrameStore::kMaxID && b <= CFrameStore::kMaxID;
    if (!HasRoom(numbered ? (a + 1) * (b + 1) : -1, numbered ? a * (b + 1) + b * (a + 1) : -1)) return 0;
    std::vector<int> grid;
    if (!GridOfNodes(grid, (a + 1) * (b + 1))) return 0;
    theFrameGeneration.beamGrid[0] = int(a);
    theFrameGeneration.beamGrid[1] = int(b);
    ReserveBatch((a + 1) * (b + 1), a * (b + 1) + b * (a + 1));
    auto at = [&](long long i, long long j) -> int& { return grid[size_t(j * (a + 1) + i)]; };
    for (long long j = 0; j <= b; ++j)
        for (long long i = 0; i <= a; ++i) {
            double q[3];
            QuadPoint(p, i, a, j, b, q);
            if (!(at(i, j) = FindOrAddNode(q))) {
                AppMessageBoxID(kNodeFailed);
                return 0;
            }
        }
    int made = 0;
    for (long long j = 0; j <= b; ++j)
        for (long long i = 0; i <= a; ++i) {
            if (i < a) made += AddFramesBetweenNodes(at(i, j), at(i + 1, j));
            if (j < b) made += AddFramesBetweenNodes(at(i, j), at(i, j + 1));
        }
    return made;
}

int AddNodeBelow(int node)
{
    const CNode* n = FindNode(node);
    if (!n) return 0;
    double h = theFrameGeneration.columnHeight;
    if (theLevels.count > 0) {
        const int s = n->m_nStorey;
        h = s >= 1 ? theLevels.GetElevation(s) - theLevels.GetElevation(s - 1) : 0;
    }
    if (std::fabs(h) <= theProjectOptions.fVertNodeSpacing) return 0;
    const double p[3] = {n->m_dCoord[0], n->m_dCoord[1], n->m_dCoord[2] - h};
    const int lower = FindOrAddNode(p);
    if (!lower) return 0;
    if (!theFrameGeneration.noSplitting) {
        BreakFramesAtNode(node);
        BreakFramesAtNode(lower);
    }
    return lower;
}

void AddColumnBelowNode(int node)
{
    if (const int lower = AddNodeBelow(node)) AddFramesBetweenNodes(node, lower);
}

int ColumnsAlongSegment(const double p1[3], const double p2[3])
{
    long long n[2];
    if (!AskCounts(
            "请输入沿着捕捉的线段生成柱单元数目（含两端）：", &theFrameGeneration.columnCount, 1, 2,
            [] { AppMessageBox("生成的柱单元数目必须大于等于2！"); }, n))
        return 0;
    if (!HasRoom(2 * n[0], n[0])) return 0;
    theFrameGeneration.columnCount = int(n[0]);
    ReserveBatch(2 * n[0], n[0]);
    const int before = theFrames.GetSize();
    for (long long i = 0; i < n[0]; ++i) {
        double p[3];
        Lerp(p1, p2, double(i) / double(n[0] - 1), p);
        if (const int node = FindOrAddNode(p)) AddColumnBelowNode(node);
    }
    return theFrames.GetSize() - before;
}

int ColumnGridOnQuad(const double (*p)[3])
{
    long long c[2];
    if (!AskCounts(
            "输入沿边1-2和2-3生成的柱单元数（含端点，数字表示捕捉时第几个点）:", theFrameGeneration.columnGrid, 2, 2,
            [] { AppMessageBox("生成的柱单元数目必须都大于等于2！"); }, c))
        return 0;
    const long long a = c[0], b = c[1];
    const bool numbered = a <= CFrameStore::kMaxID && b <= CFrameStore::kMaxID;
    if (!HasRoom(numbered ? 2 * a * b : -1, numbered ? a * b : -1)) return 0;
    theFrameGeneration.columnGrid[0] = int(a);
    theFrameGeneration.columnGrid[1] = int(b);
    ReserveBatch(2 * a * b, a * b);
    const int before = theFrames.GetSize();
    for (long long j = 0; j < b; ++j)
        for (long long i = 0; i < a; ++i) {
            double q[3];
            QuadPoint(p, i, a - 1, j, b - 1, q);
            if (const int node = FindOrAddNode(q)) AddColumnBelowNode(node);
        }
    return theFrames.GetSize() - before;
}

int ColumnsInWindow(const double c1[2], const double c2[2])
{
    const double x0 = std::min(c1[0], c2[0]), x1 = std::max(c1[0], c2[0]);
    const double y0 = std::min(c1[1], c2[1]), y1 = std::max(c1[1], c2[1]);
    auto inside = [&](double x, double y) { return x > x0 && x < x1 && y > y0 && y < y1; };
    const int before = theFrames.GetSize();
    std::vector<int> tops;
    if (theFrameGeneration.columnPlaces & 1) {
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const CNode* n = theNodes.GetAt(i);
            double x = 0, y = 0;
            if (n->GetDisplayBits() != 1) continue;
            n->GetScreenPointF(x, y, 1);
            if (inside(x, y)) tops.push_back(n->m_nID);
        }
    }
    if (theFrameGeneration.columnPlaces & 2) {
        const double z =
            theLevels.count > 0 ? theLevels.GetElevation(theLevels.current) : ModelProjection().GetPlanElevation();
        for (int k = 0; k < theGridNodes.GetSize(); ++k) {
            const GridNode* g = theGridNodes.GetAt(k);
            const double p[3] = {g->x, g->y, z};
            double x = 0, y = 0;
            theViewProjection.WorldToScreen(p, x, y);
            if (!inside(x, y)) continue;
            if (const int node = FindOrAddNode(p)) tops.push_back(node);
        }
    }
    // The nodes are taken first: the columns add nodes of their own.
    for (int node : tops) AddColumnBelowNode(node);
    return theFrames.GetSize() - before;
}

int GenerateBeams(const CPickedPoints& picks)
{
    const int method = theProjectOptions.nGenerateMethod;
    const double(*p)[3] = picks.points;
    return RunGeneration(80, [&] {
        switch (method) {
            case 1:
            case 2:
                if (picks.count >= 2) {
                    const int a = FindOrAddNode(p[0]);
                    const int b = a ? FindOrAddNode(p[1]) : 0;
                    if (a && b) AddFramesBetweenNodes(a, b);
                }
                break;
            case 4:
                if (picks.count >= 2) BeamsAlongSegment(p[0], p[1]);
                break;
            case 5:
                if (IsQuadUsable(picks)) BeamGridOnQuad(p);
                break;
            case 6: DivideArcFromPicks(picks); break;
            default: break;
        }
    });
}

int GenerateColumns(const CPickedPoints& picks)
{
    if (theLevels.count > 0 && theLevels.current == 0) {
        AppMessageBox("0层已下不能有柱！");
        return 0;
    }
    if (theViewProjection.GetMode() != 1) {
        AppMessageBox("只能在平面工作平台下生成柱单元！");
        return 0;
    }
    const int method = theProjectOptions.nGenerateMethod;
    const double(*p)[3] = picks.points;
    return RunGeneration(81, [&] {
        switch (method) {
            case 1:
                if (picks.count >= 1)
                    if (const int node = FindOrAddNode(p[0])) AddColumnBelowNode(node);
                break;
            case 3:
                if (picks.count >= 2) {
                    double c1[2], c2[2];
                    theViewProjection.WorldToScreen(p[0], c1[0], c1[1]);
                    theViewProjection.WorldToScreen(p[1], c2[0], c2[1]);
                    ColumnsInWindow(c1, c2);
                }
                break;
            case 4:
                if (picks.count >= 2) ColumnsAlongSegment(p[0], p[1]);
                break;
            case 5:
                if (IsQuadUsable(picks)) ColumnGridOnQuad(p);
                break;
            case 6: DivideArcFromPicks(picks); break;
            default: break;
        }
    });
}
