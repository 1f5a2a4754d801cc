#include "vek/results/Result.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "korvalib/base/biostream.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/results/ResultCounts.h"

ResultModelLinks theResultModelLinks;
CResult theResult;
int32_t& theSframeIdOffset = theResult.m_nSframeIdOffset;
int32_t& theVframeIdOffset = theResult.m_nVframeIdOffset;

namespace {

// Offsets beyond this cannot come from a model (frame numbers are below it).
constexpr int32_t kMaxFrameIdOffset = 1 << 24;

int FrameKindAt(int pos)
{
    const int kind = theResultModelLinks.frameKind ? (theResultModelLinks.frameKind(pos) & 3) : 0;
    return kind >= 2 ? 2 : kind;
}

}  // namespace

CResult::CResult() : m_SpectrumDirs(0, 128) {}

CResult::~CResult() = default;

int CResult::SetFileName(const char* path, int nodeCount, int keepSpectrum)
{
    if (!DResult::SetFileName(path, nodeCount)) return 0;
    if (theResultModelLinks.recomputeIntegrals) theResultModelLinks.recomputeIntegrals();
    ComputeNodeStages();
    if (!keepSpectrum) {
        m_SpectrumDirs.RemoveAll();
        if (m_nSpecDir >= 1) {
            std::vector<DSpectrumDir> dirs;
            theSpectrumParameters.BuildDirections(dirs);
            for (DSpectrumDir& d : dirs) m_SpectrumDirs.Add(d);
        }
        if (m_SpectrumDirs.GetCount() != m_nSpecDir) ReadSpectrumSection();
    }
    ClampSelection();
    return 1;
}

void CResult::SetZero()
{
    DResult::SetZero();
    if (m_nSframeIdOffset != 0 || m_nVframeIdOffset != 0) SetDocumentModified(1);
    m_nSframeIdOffset = 0;
    m_nVframeIdOffset = 0;
}

bool CResult::WriteFrameIdOffsets(bofstream& out) const
{
    out << m_nSframeIdOffset << m_nVframeIdOffset;
    return out.IsGood() != 0;
}

bool CResult::ReadFrameIdOffsets(bifstream& in)
{
    if (nPrjVersion < 700) {
        m_nSframeIdOffset = 0;
        m_nVframeIdOffset = 0;
        return true;
    }
    int32_t s = 0, v = 0;
    in >> s >> v;
    if (!in.IsGood() || s < 0 || v < 0 || s > kMaxFrameIdOffset || v > kMaxFrameIdOffset) {
        in.SetFailed();
        return false;
    }
    m_nSframeIdOffset = s;
    m_nVframeIdOffset = v;
    return true;
}

int CResult::FrameKindOf(int frame) const
{
    const int pos = ModelFamily(EFamily::Frames).IndexOfID(frame);
    return pos < 0 ? -1 : FrameKindAt(pos);
}

int CResult::GetCombAllFrameForce(int comb, MArrayID<DFrameForce>& store)
{
    GetOneCombAllFrameForce(comb, store);
    MArrayID<DFrameForce> scratch(0, 128);
    const int32_t offsets[2] = {m_nSframeIdOffset, m_nVframeIdOffset};
    for (int kind = 0; kind < 2; ++kind) {
        const int read = kind == 0 ? GetOneCombAllSframeForce(comb, scratch) : GetOneCombAllVframeForce(comb, scratch);
        if (!read) continue;
        for (int i = 0; i < scratch.GetCount(); ++i) {
            DFrameForce* f = scratch.GetAt(i);
            const int id = f->m_nID;
            f->m_nID = id + offsets[kind];
            store.Add(*f);
            f->m_nID = id;
        }
    }
    return store.GetCount() > 0 ? 1 : 0;
}

int CResult::GetFrameAllCombForce(int frame, MArrayID<DFrameForce>& store)
{
    switch (FrameKindOf(frame)) {
        case 0: return GetOneFrameAllCombForce(frame, store);
        case 1: return GetOneSframeAllCombForce(frame - m_nSframeIdOffset, store);
        case 2: return GetOneVframeAllCombForce(frame - m_nVframeIdOffset, store);
        default: return 0;
    }
}

int CResult::RecycleGetOneFrameForce(bifstream& in, int& element, MArrayID<DFrameForce>& store)
{
    if (!in.IsOpen()) m_nRecycleStage = 1;
    switch (m_nRecycleStage) {
        case 1:
            if (DResult::RecycleGetOneFrameForce(in, element, store)) return 1;
            m_nRecycleStage = 2;
            [[fallthrough]];
        case 2:
            if (RecycleGetOneSframeForce(in, element, store)) {
                element += m_nSframeIdOffset;
                return 1;
            }
            m_nRecycleStage = 3;
            [[fallthrough]];
        case 3:
            if (RecycleGetOneVframeForce(in, element, store)) {
                element += m_nVframeIdOffset;
                return 1;
            }
            m_nRecycleStage = 0;
            return 0;
        default: return 0;
    }
}

int CResult::GetFrameAllCombCheck(int frame, MArrayID<DSframeCheck>& store)
{
    return GetOneSframeAllCombCheck(frame - m_nSframeIdOffset, store);
}

int CResult::RecycleGetOneFrameCheck(bifstream& in, int& element, MArrayID<DSframeCheck>& store)
{
    if (!RecycleGetOneSframeCheck(in, element, store)) return 0;
    element += m_nSframeIdOffset;
    return 1;
}

int CResult::GetSolidStress(int comb, double (*out)[9])
{
    switch (theProjectOptions.n3DElementType) {
        case 0: return GetOneCombSol21Stress(comb, out);
        case 1: return GetOneCombSol8rStress(comb, out);
        case 3: return GetOneCombS16Stress(comb, out);
        default: return 0;
    }
}

int CResult::GetOneNodeAllCombSolidStress(int node, double (*out)[9])
{
    switch (theProjectOptions.n3DElementType) {
        case 0: return GetOneNodeAllCombSol21Stress(node, out);
        case 1: return GetOneNodeAllCombSol8rStress(node, out);
        case 3: return GetOneNodeAllCombS16Stress(node, out);
        default: return 0;
    }
}

int CResult::GetSomeNodeSolidStress(int count, const int* nodes, double (*out)[21][9])
{
    switch (theProjectOptions.n3DElementType) {
        case 0: return GetSomeNodeSol21Stress(count, nodes, out);
        case 1: return GetSomeNodeSol8rStress(count, nodes, out);
        case 3: return GetSomeNodeS16Stress(count, nodes, out);
        default: return 0;
    }
}

int CResult::GetShellCombForce(int comb, MArrayID<DShellForce>& store)
{
    return theProjectOptions.bShellAveragedResults ? GetOneCombAllShellForce(comb, store)
                                                   : GetOneCombAllShellForceNoAve(comb, store);
}

int CResult::GetShellAllCombForce(int element, MArrayID<DShellForce>& store)
{
    return theProjectOptions.bShellAveragedResults ? GetOneShellAllCombForce(element, store)
                                                   : GetOneShellAllCombForceNoAve(element, store);
}

int CResult::RecycleGetAllShellForce(bifstream& in, int& comb, MArrayID<DShellForce>& store)
{
    return theProjectOptions.bShellAveragedResults ? DResult::RecycleGetAllShellForce(in, comb, store)
                                                   : RecycleGetAllShellForceNoAve(in, comb, store);
}

namespace {

void Cross(const double a[3], const double b[3], double out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

double Dot(const double a[3], const double b[3])
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The member's end tangent turned by the end rotation r about the axis
// normal to the member and to r.
void EndTangent(const double e[3], double len, const double r[3], double t[3])
{
    double n[3], m[3];
    Cross(r, e, n);
    const double nl = std::sqrt(Dot(n, n));
    if (nl > 1e-15)
        for (double& c : n) c /= nl;
    Cross(e, n, m);
    const double theta = Dot(m, r);
    for (int c = 0; c < 3; ++c) t[c] = len * (e[c] * std::cos(theta) + n[c] * std::sin(theta));
}

}  // namespace

int CResult::GetMaxFrameDisplacement(int a, int b, double* out)
{
    if (!out) return 0;
    const int cases = std::max(0, int(m_nLoadCase)), combs = std::max(0, int(m_nLoadComb));
    const int n = cases + combs;
    std::fill(out, out + n, 0.0);
    double p1[3], p2[3];
    if (n == 0 || !NodeCoordinates(a, p1) || !NodeCoordinates(b, p2)) return 0;
    std::vector<double> da(size_t(n) * 6), db(size_t(n) * 6);
    auto rows = [](std::vector<double>& v, int at) { return reinterpret_cast<double(*)[6]>(v.data() + 6 * at); };
    if (!GetOneNodeAllCondDisp(a, rows(da, 0)) || !GetOneNodeAllCondDisp(b, rows(db, 0)) ||
        !GetOneNodeAllCombDisp(a, rows(da, cases)) || !GetOneNodeAllCombDisp(b, rows(db, cases)))
        return 0;
    double L[3] = {p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
    const double len = std::sqrt(Dot(L, L));
    double e[3] = {L[0], L[1], L[2]};
    if (len > 1e-15)
        for (double& c : e) c /= len;
    for (int k = 0; k < n; ++k) {
        const double* ua = &da[size_t(k) * 6];
        const double* ub = &db[size_t(k) * 6];
        double q1[3], q2[3], t1[3], t2[3];
        for (int c = 0; c < 3; ++c) {
            q1[c] = p1[c] + ua[c];
            q2[c] = p2[c] + ub[c];
        }
        EndTangent(e, len, ua + 3, t1);
        EndTangent(e, len, ub + 3, t2);
        double largest = 0;
        for (int s = 0; s <= 50; ++s) {
            const double t = s * 0.02;
            double d2 = 0;
            for (int c = 0; c < 3; ++c) {
                const double h = q1[c] + t1[c] * t + (3 * q2[c] - 3 * q1[c] - 2 * t1[c] - t2[c]) * t * t +
                                 (2 * q1[c] - 2 * q2[c] + t1[c] + t2[c]) * t * t * t;
                const double d = h - (p1[c] + L[c] * t);
                d2 += d * d;
            }
            largest = std::max(largest, std::sqrt(d2));
        }
        out[k] = largest;
    }
    return 1;
}

void CResult::ComputeNodeStages()
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    for (int pos : Positions(nodes)) nodes.SetStage(pos, m_nConstr);
    m_bHasFrames = m_bHasSframes = m_bHasVframes = 0;

    auto lower = [&nodes](int node, int stage) {
        const int pos = nodes.IndexOfID(node);
        if (pos < 0 || stage >= nodes.GetStage(pos)) return;
        nodes.SetStage(pos, stage);
        const int link = theResultModelLinks.linkedNode ? theResultModelLinks.linkedNode(node) : 0;
        if (link >= 1) {
            const int linked = nodes.IndexOfID(link);
            if (linked >= 0) nodes.SetStage(linked, stage);
        }
    };
    struct Walk {
        EFamily family;
        int maxNodes;
    };
    // Line elements by their end nodes, planes up to 9 nodes, solids all of
    // theirs, shells and walls their 4 corners.
    static const Walk walks[] = {{EFamily::Frames, 2}, {EFamily::Trusses, 2}, {EFamily::Cframes, 2},
                                 {EFamily::Pipes, 2},  {EFamily::Planes, 9},  {EFamily::Solids, 64},
                                 {EFamily::Shells, 4}, {EFamily::Walls, 4}};
    for (const Walk& w : walks) {
        CModelFamily& f = ModelFamily(w.family);
        for (int pos : Positions(f)) {
            if (w.family == EFamily::Frames) {
                const int kind = FrameKindAt(pos);
                (kind == 0 ? m_bHasFrames : kind == 1 ? m_bHasSframes : m_bHasVframes) = 1;
            }
            const int stage = std::abs(int(int16_t(f.GetStage(pos))));
            int ids[64];
            const int count = std::min(f.GetNodes(pos, ids, w.maxNodes), w.maxNodes);
            for (int k = 0; k < count; ++k)
                if (ids[k] >= 1) lower(ids[k], stage);
        }
    }
}

int CResult::GetSelectorCount(int selector) const
{
    const CResult& r = *this;
    switch (selector) {
        case kSelLoadCase: return r.m_nLoadCase;
        case kSelForceCombination: return r.m_nForceComb;
        case kSelDisplacementCombination: return r.m_nLoadComb;
        case kSelMode: return r.m_nMode;
        case kSelResponsePoint: return r.m_nTimeStep;
        case kSelEarthquakeDirection: return r.m_nSpecDir;
        case kSelBucklingMode: return r.m_nBuckle;
        case kSelConstructionStep: return r.m_nConstr;
        default: return 0;
    }
}

void CResult::ClampSelection() const
{
    int counts[6];
    for (int i = 0; i < 6; ++i) counts[i] = std::max(0, GetSelectorCount(kSelForceCombination + i));
    ValidateCurrentLoadCase(GetSelectorCount(kSelLoadCase));
    ValidateResultSelectors(counts, GetSelectorCount(kSelConstructionStep));
}

int ResultCountOf(int selector)
{
    return theResult.GetSelectorCount(selector);
}
