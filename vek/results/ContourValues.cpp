#include "vek/results/ContourValues.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultPictures.h"

namespace {

constexpr unsigned kUnreadResults = 160;

// The selector a displacement kind (5-10) follows.
int SelectorOf(int kind)
{
    switch (kind) {
        case 5: return kSelLoadCase;
        case 6: return kSelDisplacementCombination;
        case 7: return kSelEarthquakeDirection;
        case 8: return kSelConstructionStep;
        case 9: return kSelMode;
        default: return kSelBucklingMode;
    }
}

bool FetchNodeRows(int kind, int k, double (*out)[6])
{
    CResult& r = theResult;
    double extra = 0;
    switch (kind) {
        case 5: return r.GetOneCondDisp(k, out) != 0;
        case 6: return r.GetOneCombDisp(k, out) != 0;
        case 7: return r.GetOneSpecDirDisp(k, out) != 0;
        case 8: return r.GetOneConstrDisp(k, out) != 0;
        case 9: return r.GetEigenDisp(k, out, extra) != 0;
        case 10: return r.GetOneBuckleDisp(k, out, extra) != 0;
        default: return false;
    }
}

double Component(const double* row, int c)
{
    return c < 6 ? row[c] : std::sqrt(row[0] * row[0] + row[1] * row[1] + row[2] * row[2]);
}

// A later value replaces the kept one only when strictly larger (in
// absolute size for mode 2), so the earliest wins a tie.
void Fold(double& kept, double v, int mode)
{
    if (mode == 2 ? std::fabs(v) > std::fabs(kept) : v > kept) kept = v;
}

bool FillNodes(ContourState& c)
{
    const int n = std::max(theResult.m_nResultNode, 0);
    std::vector<double> rows(size_t(std::max(n, std::max(theResult.m_nNode, 1))) * 6);
    auto* out = reinterpret_cast<double(*)[6]>(rows.data());
    if (c.component > 6) c.component = 0;
    const int selector = SelectorOf(c.kind);
    int first = ResultSelectorValue(selector), last = first;
    if (c.kind == 5 && (first < 1 || first > theResult.GetSelectorCount(selector))) {
        SetResultSelectorValue(selector, 1);
        first = last = 1;
    }
    if (c.envelope != 0) {
        first = 1;
        last = theResult.GetSelectorCount(selector);
    }
    if (last < first) return false;
    for (int k = first; k <= last; ++k) {
        if (!FetchNodeRows(c.kind, k, out)) return false;
        if (k == first) c.nodeValues.assign(size_t(n), 0.0);
        for (int i = 0; i < n; ++i) {
            const double v = Component(out[i], c.component);
            if (k == first)
                c.nodeValues[size_t(i)] = v;
            else
                Fold(c.nodeValues[size_t(i)], v, c.envelope);
        }
    }
    return true;
}

bool FillBeams(ContourState& c)
{
    if (c.component > 5) c.component = 0;
    const int column = c.component + 1;
    MArrayID<DFrameForce> store(0, 128);
    const int comb = c.envelope == 0 ? std::max(ResultSelectorValue(kSelForceCombination), 1) : 1;
    if (!theResult.GetCombAllFrameForce(comb, store)) return false;
    for (int i = 0; i < store.GetCount(); ++i) {
        const DFrameForce* f = store.GetAt(i);
        DiagramMember m;
        m.m_nID = f->m_nID;
        for (int s = 0; s < f->nSect; ++s) m.sect.push_back({f->pSect[s][0], f->pSect[s][column], 0});
        if (c.envelope != 0) {
            MArrayID<DFrameForce> all(0, 16);
            if (!theResult.GetFrameAllCombForce(f->m_nID, all)) return false;
            for (int k = 1; k < all.GetCount(); ++k) {
                const DFrameForce* g = all.GetAt(k);
                for (int s = 0; s < g->nSect && size_t(s) < m.sect.size(); ++s)
                    Fold(m.sect[size_t(s)][1], g->pSect[s][column], c.envelope);
            }
        }
        c.members.push_back(std::move(m));
    }
    return true;
}

}  // namespace

bool FillContour()
{
    CResultDisp& rd = theResultDisp;
    ContourState& c = rd.contour;
    c.nodeValues.clear();
    c.members.clear();
    bool ok = false;
    if (c.kind >= 5 && c.kind <= 10)
        ok = FillNodes(c);
    else if (c.kind == 11)
        ok = FillBeams(c);
    if (!ok) {
        c.Clear();
        AppMessageBoxID(kUnreadResults);
        return false;
    }
    CalcContourRange();
    return true;
}

void CalcContourRange()
{
    ContourState& c = theResultDisp.contour;
    double largest = -1e50, smallest = 1e50;
    for (double v : c.nodeValues) {
        largest = std::max(largest, v);
        smallest = std::min(smallest, v);
    }
    for (const DiagramMember& m : c.members)
        for (const auto& s : m.sect) {
            largest = std::max(largest, s[1]);
            smallest = std::min(smallest, s[1]);
        }
    if (smallest > 1e40) {
        smallest = 0;
        largest = 1e-20;
    }
    if (largest - smallest < 1e-20) largest = smallest + 1e-20;
    if (theResultDisp.disp.kind == 13) {
        const double lo = std::min(smallest, -largest), hi = std::max(largest, -smallest);
        smallest = lo;
        largest = hi;
    }
    c.largest = largest;
    c.smallest = smallest;
}

void UpdateContour()
{
    CResultDisp& rd = theResultDisp;
    rd.steelCheck.kind = 0;
    rd.steelCheck.store.RemoveAll();
    FillContour();
    const int kind = rd.disp.kind;
    const bool grows = kind == 11 || kind == 12 || kind == 13 || kind == 14 || kind == 18 || kind == 19;
    if (theProjectOptions.bContourFades && grows)
        ShowDispPicture(kind);
    else
        ModelHooks().InvalidateModel();
}
