#include "vek/results/MemberChecks.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "korvalib/base/biostream.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultPictures.h"

void GetSframeCheckMaxima(const MArrayID<DSframeCheck>& records, double ratios[7], double values[7])
{
    std::fill(ratios, ratios + 7, 0.0);
    std::fill(values, values + 7, 0.0);
    auto raise = [](double& kept, double v) { kept = std::max(kept, std::fabs(v)); };
    for (int k = 0; k < records.GetCount(); ++k) {
        const DSframeCheck* r = records.GetAt(k);
        for (int s = 0; s < r->nSect; ++s) {
            const double* v = r->pSect[s];
            // The shown items F1..F15 sit at these places of a section's row.
            const double F1 = v[1], F2 = v[2], F3 = v[4], F4 = v[5], F5 = v[6], F6 = v[7], F9 = v[11], F10 = v[13],
                         F11 = v[14], F12 = v[15], F13 = v[16], F14 = v[17], F15 = v[18];
            const double items[7] = {F1, F3, F5, F9, F10, F12, F14};
            for (int i = 0; i < 7; ++i) raise(values[i], items[i]);
            raise(ratios[0], F2);
            raise(ratios[1], F4);
            raise(ratios[2], F6);
            if (std::fabs(F11) > 1e-8) {
                raise(ratios[3], F9 / F11);
                raise(ratios[4], F10 / F11);
            }
            if (std::fabs(F13) > 1e-8) raise(ratios[5], F12 / F13);
            if (std::fabs(F15) > 1e-8) raise(ratios[6], F14 / F15);
        }
    }
}

bool ReadSteelCheck()
{
    CResultDisp& rd = theResultDisp;
    rd.contour.Clear();
    rd.frameDiagram.Clear();
    rd.forceText.Clear();
    SteelCheckDisp& sc = rd.steelCheck;
    sc.store.RemoveAll();
    sc.largest = 0;
    if (sc.kind != 0 && sc.item <= 6) {
        ModelHooks().ShowPrompt("正在读取校核结果文件……");
        bifstream in;
        int element = 0;
        MArrayID<DSframeCheck> records(0, 16);
        while (theResult.RecycleGetOneFrameCheck(in, element, records)) {
            if (element < 1) continue;
            double ratios[7], values[7];
            GetSframeCheckMaxima(records, ratios, values);
            CMemberValue v;
            v.m_nID = element;
            v.value = sc.kind == 1 ? values[sc.item] : ratios[sc.item];
            sc.store.Add(v);
        }
        CalcSteelCheckLargest();
    }
    if (sc.store.GetCount() == 0) sc.kind = 0;
    return sc.kind != 0;
}

void CalcSteelCheckLargest()
{
    SteelCheckDisp& sc = theResultDisp.steelCheck;
    sc.largest = 0;
    for (int i = 0; i < sc.store.GetCount(); ++i) sc.largest = std::max(sc.largest, sc.store.GetAt(i)->value);
}

namespace {

// fc A of every concrete column of the model by its number: plain section,
// not lying flat, a material of grade 7 or more and a section with an area.
std::unordered_map<int, double> ColumnCapacities()
{
    std::unordered_map<int, double> capacity;
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    const ResultModelLinks& links = theResultModelLinks;
    for (int pos : Positions(frames)) {
        const int kind = links.frameKind ? (links.frameKind(pos) & 3) : 0;
        const int material = frames.GetMaterial(pos);
        const int section = links.frameSection ? links.frameSection(pos) : 0;
        if (kind != 0 || frames.IsHorizontal(pos) || material < 1 || material > theMaterials.GetSize() || section < 1 ||
            section > theFrameSects.GetSize())
            continue;
        const double grade = theMaterials.GetAt(material - 1)->m_fGrade;
        if (!(grade >= 7.0)) continue;
        double E = 0, fc = 0;
        DMaterial::GetEFcFromConcret(grade, theProjectOptions.GetUnitCode(), E, fc);
        const double fcA = fc * theFrameSects.GetAt(section - 1)->GetSectArea();
        // A member without capacity has no ratio, not an infinite one.
        if (!(std::fabs(fcA) > 1e-10)) continue;
        capacity[frames.GetID(pos)] = fcA;
    }
    return capacity;
}

void FailAxialRatio(AxialRatioDisp& ar)
{
    ar.kind = 0;
    ar.store.RemoveAll();
}

}  // namespace

bool FillAxialRatio()
{
    AxialRatioDisp& ar = theResultDisp.axialRatio;
    ar.store.RemoveAll();
    ar.largest = -1e20;
    int first = 1, last = theResult.GetSelectorCount(kSelForceCombination);
    if (ar.kind == 1)
        first = last = CurrentSelection(kSelForceCombination);
    else if (ar.kind != 2)
        last = 0;
    if (first < 1 || last < first) {
        FailAxialRatio(ar);
        return false;
    }
    const std::unordered_map<int, double> capacity = ColumnCapacities();
    MArrayID<DFrameForce> forces(0, 128);
    for (int comb = first; comb <= last; ++comb) {
        forces.RemoveAll();
        if (!theResult.GetCombAllFrameForce(comb, forces)) {
            FailAxialRatio(ar);
            return false;
        }
        for (const auto& [id, fcA] : capacity) {
            if (!forces.IsValidID(id)) continue;
            const DFrameForce* f = forces.GetByID(id);
            double ratio = -1e20;
            for (int s = 0; s < f->nSect; ++s) ratio = std::max(ratio, -f->pSect[s][1] / fcA);
            if (ar.store.IsValidID(id)) {
                CMemberValue* kept = ar.store.GetByID(id);
                if (ratio > kept->value) kept->value = ratio;
            } else {
                CMemberValue v;
                v.m_nID = id;
                v.value = ratio;
                ar.store.Add(v);
            }
        }
    }
    CalcAxialRatioLargest();
    return true;
}

void CalcAxialRatioLargest()
{
    AxialRatioDisp& ar = theResultDisp.axialRatio;
    ar.largest = -1e20;
    for (int i = 0; i < ar.store.GetCount(); ++i) ar.largest = std::max(ar.largest, ar.store.GetAt(i)->value);
}
