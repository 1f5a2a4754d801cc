#include "vek/results/ForceText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/biostream.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultPictures.h"

namespace {

constexpr unsigned kUnreadResults = 160;
constexpr int kWalls = 6;

using Forces = MArrayID<DFrameForce>;

// One combination of a kind whose records become beam force sections.
template <class R>
int ConvertComb(int (DResult::*get)(int, MArrayID<R>&), int comb, Forces& out)
{
    MArrayID<R> raw(0, 128);
    if (!(theResult.*get)(comb, raw)) return 0;
    for (int i = 0; i < raw.GetCount(); ++i) {
        DFrameForce f;
        // A wall whose pieces do not convert is left out.
        if (f.CopyFrom(*raw.GetAt(i), 0.0) && f.m_nID >= 1) out.Add(f);
    }
    return 1;
}

// The next member of a kind with all its combinations as beam force records
// (their IDs the combination numbers).
template <class R>
int ConvertNext(int (DResult::*walk)(bifstream&, int&, MArrayID<R>&), bifstream& in, int& element, Forces& out)
{
    MArrayID<R> raw(0, 16);
    out.RemoveAll();
    if (!(theResult.*walk)(in, element, raw)) return 0;
    for (int i = 0; i < raw.GetCount(); ++i) {
        DFrameForce f;
        if (f.CopyFrom(*raw.GetAt(i), 0.0) && f.m_nID >= 1) out.Add(f);
    }
    return 1;
}

int FetchComb(int kind, int comb, Forces& out)
{
    CResult& r = theResult;
    switch (kind) {
        case 1: return r.GetCombAllFrameForce(comb, out);
        case 2: return ConvertComb(&DResult::GetOneCombAllTrussForce, comb, out);
        case 3: return ConvertComb(&DResult::GetOneCombAllSpringForce, comb, out);
        case 4: return ConvertComb(&DResult::GetOneCombAllCframeForce, comb, out);
        case 5: return ConvertComb(&DResult::GetOneCombAllPipeForce, comb, out);
        case kWalls: return ConvertComb(&DResult::GetOneCombAllWallForce, comb, out);
        default: return 0;  // integration lines come with their own records
    }
}

int FetchNext(int kind, bifstream& in, int& element, Forces& out)
{
    switch (kind) {
        case 1: return theResult.RecycleGetOneFrameForce(in, element, out);
        case 2: return ConvertNext(&DResult::RecycleGetOneTrussForce, in, element, out);
        case 3: return ConvertNext(&DResult::RecycleGetOneSpringForce, in, element, out);
        case 4: return ConvertNext(&DResult::RecycleGetOneCframeForce, in, element, out);
        case 5: return ConvertNext(&DResult::RecycleGetOnePipeForce, in, element, out);
        case kWalls: return ConvertNext(&DResult::RecycleGetOneWallForce, in, element, out);
        default: return 0;
    }
}

// The distance between a wall's first two nodes; 0 when the wall or its
// nodes are not in the model.
double WallLength(int id)
{
    CModelFamily& walls = ModelFamily(EFamily::Walls);
    const int pos = walls.IndexOfID(id);
    int nodes[4] = {};
    double a[3], b[3];
    if (pos < 0 || walls.GetNodes(pos, nodes, 4) < 2 || !NodeCoordinates(nodes[0], a) || !NodeCoordinates(nodes[1], b))
        return 0;
    return std::sqrt((b[0] - a[0]) * (b[0] - a[0]) + (b[1] - a[1]) * (b[1] - a[1]) + (b[2] - a[2]) * (b[2] - a[2]));
}

// Divides a wall's forces by its length; false for a wall of no length,
// which then shows nothing rather than a division by zero.
bool PerLength(DFrameForce& f)
{
    const double length = WallLength(f.m_nID);
    if (!(length > 1e-10)) return false;
    for (int s = 0; s < f.nSect; ++s)
        for (int c = 1; c <= 6; ++c) f.pSect[s][c] /= length;
    return true;
}

int Component(int c)
{
    return std::clamp(c, 0, 5) + 1;
}

// Folds every section of every combination of one member into one row: the
// controlling combination's six forces (envelopes 1 and 2, its number in the
// position slot) or each component's largest (envelope 3, slot 1.0). A later
// section wins only when strictly larger, so the earliest keeps a tie.
bool FoldMember(const Forces& records, const ForceText& t, double out[7])
{
    const int a = Component(t.first), b = Component(t.second);
    bool started = false;
    for (int k = 0; k < records.GetCount(); ++k) {
        const DFrameForce* f = records.GetAt(k);
        for (int s = 0; s < f->nSect; ++s) {
            const double* v = f->pSect[s];
            if (!started) {
                std::copy(v, v + 7, out);
                out[0] = t.envelope == 3 ? 1.0 : double(f->m_nID);
                started = true;
                continue;
            }
            if (t.envelope == 3) {
                for (int c = 1; c <= 6; ++c)
                    if (std::fabs(v[c]) > std::fabs(out[c])) out[c] = v[c];
                continue;
            }
            const bool larger = t.envelope == 1
                                    ? std::fabs(v[a]) > std::fabs(out[a])
                                    : std::fabs(v[a]) + std::fabs(v[b]) > std::fabs(out[a]) + std::fabs(out[b]);
            if (larger) {
                std::copy(v + 1, v + 7, out + 1);
                out[0] = double(f->m_nID);
            }
        }
    }
    return started;
}

void FailForceText(ForceText& t)
{
    t.elementKind = 0;
    t.store.RemoveAll();
}

}  // namespace

int FillForceTextOfComb()
{
    ForceText& t = theResultDisp.forceText;
    t.store.RemoveAll();
    if (t.envelope != 0 || t.elementKind < 1 || t.elementKind > 7) return 0;
    Forces fetched(0, 128);
    if (!FetchComb(t.elementKind, CurrentSelection(kSelForceCombination), fetched)) {
        FailForceText(t);
        return 0;
    }
    for (int i = 0; i < fetched.GetCount(); ++i) {
        DFrameForce* f = fetched.GetAt(i);
        if (t.elementKind == kWalls && t.perWallLength && !PerLength(*f)) continue;
        t.store.Add(*f);
    }
    return 1;
}

int FillForceTextEnvelope()
{
    ForceText& t = theResultDisp.forceText;
    t.store.RemoveAll();
    if (t.envelope == 0 || t.elementKind < 1 || t.elementKind > 7) return 0;
    bifstream in;
    int element = 0;
    Forces records(0, 16);
    while (FetchNext(t.elementKind, in, element, records)) {
        double row[1][7];
        if (element < 1 || !FoldMember(records, t, row[0])) continue;
        DFrameForce f;
        if (!f.SetSectForce(1, row)) continue;
        f.m_nID = element;
        if (t.elementKind == kWalls && t.perWallLength && !PerLength(f)) continue;
        t.store.Add(f);
    }
    if (t.store.GetCount() == 0) {
        FailForceText(t);
        return 0;
    }
    if (t.envelope != 3) CalcForceTextReference();
    return 1;
}

void CalcForceTextReference()
{
    ForceText& t = theResultDisp.forceText;
    if ((t.envelope != 1 && t.envelope != 2) || t.store.GetCount() == 0) return;
    const int a = Component(t.first), b = Component(t.second);
    double reference = 0;
    for (int i = 0; i < t.store.GetCount(); ++i) {
        const DFrameForce* f = t.store.GetAt(i);
        for (int s = 0; s < f->nSect; ++s) {
            const double* v = f->pSect[s];
            reference = std::max(reference, std::fabs(v[a]) + (t.envelope == 2 ? std::fabs(v[b]) : 0.0));
        }
    }
    t.reference = reference;
}

int UpdateForceText()
{
    CResultDisp& rd = theResultDisp;
    rd.frameDiagram.Clear();
    rd.disp.Reset();
    rd.nodeValues.Clear();
    rd.steelCheck.kind = 0;
    rd.steelCheck.store.RemoveAll();
    const int filled = rd.forceText.envelope == 0 ? FillForceTextOfComb() : FillForceTextEnvelope();
    if (!filled) {
        FailForceText(rd.forceText);
        AppMessageBoxID(kUnreadResults);
    }
    return filled;
}

std::string FormatForceValue(double value)
{
    const double a = std::fabs(value);
    const char* format = a < 0.1 ? "%.3f" : a < 1 ? "%.2f" : a < 10 ? "%.1f" : "%.0f";
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    GFunc::CompressFloatString(text, 1);
    return text;
}

void FormatValueLabel(int id, std::vector<std::string>& out)
{
    const ForceText& t = theResultDisp.forceText;
    if (t.elementKind == 0 || !t.store.IsValidID(id)) return;
    const DFrameForce* f = t.store.GetByID(id);
    const int components = t.elementKind == 2 || t.elementKind == 3 ? 1 : 6;
    const int a = Component(t.first), b = Component(t.second);
    const ResultFilter& filter = theResultDisp.filter;
    for (int s = f->nSect - 1; s >= 0; --s) {
        const double* v = f->pSect[s];
        if (filter.on && t.envelope == 1 && !filter.Accepts(std::fabs(v[a]), t.reference)) continue;
        if (filter.on && t.envelope == 2 && !filter.Accepts(std::fabs(v[a]) + std::fabs(v[b]), t.reference)) continue;
        std::string label;
        if (t.envelope == 1 || t.envelope == 2) {
            char head[32];
            std::snprintf(head, sizeof head, "组%d:", int(v[0]));
            label = head;
        }
        bool first = true;
        for (int c = 0; c < components; ++c) {
            if (!t.columns[c]) continue;
            if (!first) label += ' ';
            label += FormatForceValue(v[c + 1]);
            first = false;
        }
        out.push_back(label);
    }
}
