#include "vek/results/ResultPictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"

ResultPictureHooks theResultPictureHooks;

namespace {

constexpr unsigned kUnreadResults = 160;
const char* const kNodeCountsDiffer =
    "模型的节点数多于结果文件中的节点数，模型在计算之后已被修改，无法显示结果图形！请重新计算。";
const char* const kFramesUnwritten = "动画帧文件写入失败（临时文件夹可能已满或不可写），动画只含已写入的%d帧。";

using Rows = std::vector<double>;

double (*AsRows(Rows& r))[6]
{
    return reinterpret_cast<double(*)[6]>(r.data());
}

// Reads the node displacements of a still kind (1-9) into rows; the
// period, time or factor goes to extra.
bool FetchDisplacements(int kind, Rows& rows, double& extra)
{
    CResult& r = theResult;
    double(*out)[6] = AsRows(rows);
    extra = 0;
    switch (kind) {
        case 1: return r.GetOneCondDisp(CurrentSelection(kSelLoadCase), out) != 0;
        case 2: return r.GetOneCombDisp(ResultSelectorValue(kSelDisplacementCombination), out) != 0;
        case 3: return r.GetEigenDisp(ResultSelectorValue(kSelMode), out, extra) != 0;
        case 4: return r.GetOneSpecDirDisp(ResultSelectorValue(kSelEarthquakeDirection), out) != 0;
        case 5: return r.GetOneHistResDisp(ResultSelectorValue(kSelResponsePoint), out, extra) != 0;
        case 6: return r.GetOneHistResVel(ResultSelectorValue(kSelResponsePoint), out, extra) != 0;
        case 7: return r.GetOneHistResAcc(ResultSelectorValue(kSelResponsePoint), out, extra) != 0;
        case 8: return r.GetOneBuckleDisp(ResultSelectorValue(kSelBucklingMode), out, extra) != 0;
        case 9: return r.GetOneConstrDisp(ResultSelectorValue(kSelConstructionStep), out) != 0;
        default: return false;
    }
}

// The translations of result node i go to the model's i-th node.
void StoreNodeDisplacements(const Rows& rows, int n)
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    const int count = std::min(nodes.GetCount(), n);
    for (int i = 0; i < count; ++i) nodes.SetDisplacement(i, &rows[size_t(i) * 6]);
}

// Writes frames 1..F, frame k drawn with its share of the pixel setting;
// stops at the first frame that is not written. Returns the frames written.
int CaptureFrames(int kind)
{
    CProjectOptions& o = theProjectOptions;
    if (o.nAnimationFrames < 2) o.nAnimationFrames = 2;
    const int frames = o.nAnimationFrames;
    const int16_t pixels = o.nMaxDisplacementPixels;
    int written = 0;
    for (int i = 0; i < frames; ++i) {
        int px = (pixels * i) / (frames - 1);
        // A mode shape swings from -3/4 to +3/4 of the setting.
        if (kind == 13) px = ((px - pixels / 2) * 3) / 2;
        o.nMaxDisplacementPixels = int16_t(px);
        theResultDisp.disp.currentFrame = int16_t(i + 1);
        const std::string path = AnimationFrameFile(i + 1);
        if (!theResultPictureHooks.captureFrame || !theResultPictureHooks.captureFrame(path.c_str())) break;
        ++written;
    }
    o.nMaxDisplacementPixels = pixels;
    return written;
}

}  // namespace

int CurrentSelection(int selector)
{
    const int count = theResult.GetSelectorCount(selector);
    int v = ResultSelectorValue(selector);
    if (v < 1 || v > count) {
        v = count >= 1 ? 1 : 0;
        SetResultSelectorValue(selector, v);
    }
    return v;
}

std::string AnimationFrameFile(int k)
{
    CString dir;
    GetTempDir(dir);
    char name[64];
    std::snprintf(name, sizeof name, "%s.%d", theResultDisp.FrameStem(), k);
    return std::string(static_cast<const char*>(dir)) + name;
}

double ModelSpan()
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    bool any = false;
    for (int pos : Positions(nodes)) {
        double p[3];
        if (!nodes.GetCoordinates(nodes.GetID(pos), p)) continue;
        any = true;
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], p[k]);
            hi[k] = std::max(hi[k], p[k]);
        }
    }
    if (!any) return 1;
    const double span = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    return span > 0 ? span : 1;
}

double LargestDisplacement(const double (*d)[6], int n, double span)
{
    double largest = 1e-20;
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < 3; ++k) largest = std::max(largest, std::fabs(d[i][k]));
    if (largest < 1e-10) {
        double rotation = largest;
        for (int i = 0; i < n; ++i)
            for (int k = 3; k < 6; ++k) rotation = std::max(rotation, std::fabs(d[i][k]));
        largest = std::max(1e-20, span * 0.25 * rotation);
    }
    return largest;
}

void ClearNodeDisplacements()
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    const double zero[3] = {0, 0, 0};
    for (int pos : Positions(nodes)) nodes.SetDisplacement(pos, zero);
}

bool ShowDispPicture(int kind)
{
    CResultDisp& rd = theResultDisp;
    DispPicture& p = rd.disp;
    const bool animated = kind >= 11 && kind <= 19;
    const int still = animated ? kind - 10 : kind;
    if (still < 1 || still > 9 || (animated && still >= 5 && still <= 7)) return false;
    if (p.kind != 0) ClearNodeDisplacements();
    p.Reset();
    const int n = std::max(theResult.m_nResultNode, 0);
    if (ModelFamily(EFamily::Nodes).GetCount() > n) {
        AppMessageBox(kNodeCountsDiffer, MB_ICONEXCLAMATION);
        return false;
    }
    Rows rows(size_t(std::max(n, std::max(theResult.m_nNode, 1))) * 6, 0.0);
    double extra = 0;
    if (!FetchDisplacements(still, rows, extra)) {
        AppMessageBoxID(kUnreadResults);
        return false;
    }
    p.kind = int16_t(kind);
    rd.forceText.Clear();
    rd.frameDiagram.Clear();
    p.largest = LargestDisplacement(AsRows(rows), n, ModelSpan());
    StoreNodeDisplacements(rows, n);
    if (!animated) {
        ModelHooks().InvalidateModel();
        return true;
    }
    const int written = CaptureFrames(kind);
    p.frameCount = int16_t(written);
    p.currentFrame = 0;
    if (written < theProjectOptions.nAnimationFrames) {
        char text[256];
        std::snprintf(text, sizeof text, kFramesUnwritten, written);
        AppMessageBox(text, MB_ICONEXCLAMATION);
    }
    if (written > 0 && theResultPictureHooks.play) theResultPictureHooks.play();
    ModelHooks().InvalidateModel();
    return true;
}

// ---- force diagram of beams

namespace {

// Reads every combination of one frame and folds it into the envelope:
// mode 1 the largest and the smallest value, mode 2 the value of the largest
// absolute size. A later combination wins only when strictly larger.
bool EnvelopeOf(int frame, int component, int mode, DiagramMember& out)
{
    MArrayID<DFrameForce> store(0, 16);
    if (!theResult.GetFrameAllCombForce(frame, store) || store.GetCount() == 0) return false;
    out.m_nID = frame;
    out.sect.clear();
    for (int c = 0; c < store.GetCount(); ++c) {
        const DFrameForce* f = store.GetAt(c);
        for (int s = 0; s < f->nSect; ++s) {
            const double v = f->pSect[s][component + 1];
            if (size_t(s) >= out.sect.size()) {
                out.sect.push_back({f->pSect[s][0], v, v});
                continue;
            }
            std::array<double, 3>& e = out.sect[size_t(s)];
            if (mode == 1) {
                if (v > e[1]) e[1] = v;
                if (v < e[2]) e[2] = v;
            } else if (std::fabs(v) > std::fabs(e[1])) {
                e[1] = v;
            }
        }
    }
    return true;
}

}  // namespace

bool UpdateFrameDiagram()
{
    CResultDisp& rd = theResultDisp;
    rd.forceText.Clear();
    rd.disp.Reset();
    rd.nodeValues.Clear();
    rd.steelCheck.kind = 0;
    rd.steelCheck.store.RemoveAll();
    FrameForceDiagram& d = rd.frameDiagram;
    d.members.clear();
    // Trusses, curved beams and pipes come with their families' force records.
    if (d.elementKind != 1) {
        d.Clear();
        return false;
    }
    const int component = std::clamp<int>(d.component, 0, 5);
    MArrayID<DFrameForce> store(0, 128);
    const int comb = d.envelope == 0 ? CurrentSelection(kSelForceCombination) : 1;
    if (!theResult.GetCombAllFrameForce(comb, store)) {
        d.Clear();
        AppMessageBoxID(kUnreadResults);
        return false;
    }
    for (int i = 0; i < store.GetCount(); ++i) {
        const DFrameForce* f = store.GetAt(i);
        DiagramMember m;
        m.m_nID = f->m_nID;
        if (d.envelope == 0) {
            for (int s = 0; s < f->nSect; ++s)
                m.sect.push_back({f->pSect[s][0], f->pSect[s][component + 1], f->pSect[s][component + 1]});
        } else if (!EnvelopeOf(f->m_nID, component, d.envelope, m)) {
            continue;
        }
        d.members.push_back(std::move(m));
    }
    CalcFrameDiagramRange();
    return true;
}

void CalcFrameDiagramRange()
{
    FrameForceDiagram& d = theResultDisp.frameDiagram;
    double largest = -1e50, smallest = 1e50;
    for (const DiagramMember& m : d.members)
        for (const auto& s : m.sect) {
            largest = std::max(largest, s[1]);
            smallest = std::min(smallest, s[1]);
            if (d.envelope == 1) {
                largest = std::max(largest, s[2]);
                smallest = std::min(smallest, s[2]);
            }
        }
    if (smallest > largest) largest = smallest = 0;
    d.largest = largest;
    d.smallest = smallest;
    const double size = std::max(ModelSpan() * theProjectOptions.nForceDiagramSize / 100.0, 1e-10);
    double m = std::max(std::fabs(largest), std::fabs(smallest));
    if (m < 1e-10) m = 1e-8;
    d.scale = float(size / m);
}

int NextAnimationFrame(int f, int n, int kind)
{
    if (n < 1) return 0;
    ++f;
    if (kind == 15) return f > n ? 1 : f;
    if (f > n) f = -n;
    if (f == 0) f = 2;
    // One frame alone shows itself on every tick.
    if (n == 1) f = 1;
    return f;
}

// ---- node values

bool FillNodeValues()
{
    CResultDisp& rd = theResultDisp;
    rd.frameDiagram.Clear();
    rd.forceText.Clear();
    NodeDispValues& nv = rd.nodeValues;
    nv.values.clear();
    if (nv.kind == 0) return false;
    const int n = std::max(theResult.m_nResultNode, 0);
    Rows rows(size_t(std::max(n, std::max(theResult.m_nNode, 1))) * 6, 0.0);
    double(*out)[6] = AsRows(rows);
    CResult& r = theResult;
    bool read = false;
    switch (nv.kind) {
        case 1: read = r.GetOneCondDisp(CurrentSelection(kSelLoadCase), out) != 0; break;
        case 2: read = r.GetOneCombDisp(ResultSelectorValue(kSelDisplacementCombination), out) != 0; break;
        case 3: read = r.GetOneSpecDirDisp(ResultSelectorValue(kSelEarthquakeDirection), out) != 0; break;
        case 4: read = r.GetOneConstrDisp(ResultSelectorValue(kSelConstructionStep), out) != 0; break;
        default: break;
    }
    if (!read) {
        nv.Clear();
        AppMessageBoxID(kUnreadResults);
        return false;
    }
    for (int i = 0; i < n; ++i) {
        const double* d = out[i];
        nv.values.push_back(nv.component < 6 ? d[nv.component] : std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]));
    }
    CalcNodeValuesLargest();
    return true;
}

void CalcNodeValuesLargest()
{
    NodeDispValues& nv = theResultDisp.nodeValues;
    nv.largest = 0;
    for (double v : nv.values)
        if (std::fabs(v) > std::fabs(nv.largest)) nv.largest = v;
}

bool NodeResultValue(int nodeId, double& value)
{
    const NodeDispValues& nv = theResultDisp.nodeValues;
    if (nv.kind == 0) return false;
    const int pos = ModelFamily(EFamily::Nodes).IndexOfID(nodeId);
    // A node the result does not have shows nothing.
    if (pos < 0 || size_t(pos) >= nv.values.size()) return false;
    value = nv.values[size_t(pos)];
    return theResultDisp.PassFilter(value, nv.largest);
}
