#include "vek/elements/line/frames/FrameSectionPurge.h"

#include <cstdio>
#include <vector>

#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/TightWire.h"
#include "vek/view/operate/OperateHost.h"

namespace {

// map[k] is the new number of old number k + 1, 0 when it goes.
std::vector<int> DenseNumbers(const std::vector<char>& used)
{
    std::vector<int> map(used.size(), 0);
    int next = 0;
    for (size_t k = 0; k < used.size(); ++k)
        if (used[k]) map[k] = ++next;
    return map;
}

template <class List>
int RemoveUnmapped(List& list, const std::vector<int>& map)
{
    int removed = 0;
    for (int k = int(map.size()) - 1; k >= 0; --k)
        if (!map[size_t(k)]) {
            list.RemoveAt(k);
            ++removed;
        }
    return removed;
}

// A current number through the map; a removed section leaves the current
// number to the validation.
void Follow(int16_t& current, const std::vector<int>& map)
{
    if (current >= 1 && current <= int(map.size())) current = int16_t(map[size_t(current - 1)]);
}

// The sections of one kind: frames past the end lose theirs, the rest are
// renumbered; returns how many records went.
template <class List>
int PurgeKind(List& list, int kind, int16_t& current)
{
    const int n = list.GetSize();
    std::vector<char> used(size_t(n), 0);
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (f->GetSectionKind() != kind || f->m_nSection < 1) continue;
        if (f->m_nSection > n)
            f->SetSection(0, 0);
        else
            used[size_t(f->m_nSection - 1)] = 1;
    }
    const std::vector<int> map = DenseNumbers(used);
    const int removed = RemoveUnmapped(list, map);
    if (!removed) return 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (f->GetSectionKind() == kind && f->m_nSection >= 1) f->SetSection(map[size_t(f->m_nSection - 1)], kind);
    }
    Follow(current, map);
    return removed;
}

int PurgeCables()
{
    const int n = theTightWires.GetSize();
    std::vector<char> used(size_t(n), 0);
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        DTightWireIndex& w = theFrames.GetAt(i)->m_Wires;
        for (int k = 0; k < w.Entries(); ++k) {
            int32_t& number = w.m_pItems[k].nElement;
            if (number < 1 || number > n)
                number = 0;
            else
                used[size_t(number - 1)] = 1;
        }
    }
    const std::vector<int> map = DenseNumbers(used);
    const int removed = RemoveUnmapped(theTightWires, map);
    if (!removed) return 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        DTightWireIndex& w = theFrames.GetAt(i)->m_Wires;
        for (int k = 0; k < w.Entries(); ++k) {
            int32_t& number = w.m_pItems[k].nElement;
            if (number >= 1) number = map[size_t(number - 1)];
        }
    }
    return removed;
}

void Finish(const CFramePurgeCounts& c)
{
    theCurrentProps.Clamp();
    if (!c.Total()) return;
    theUndo.Clear();
    SetDocumentModified(1);
}

}  // namespace

CFramePurgeCounts PurgeUnusedSections()
{
    CFramePurgeCounts c;
    c.sections = PurgeKind(theFrameSects, kOrdinarySect, theCurrentProps.frameSect);
    c.variable = PurgeKind(theVframeSects, kVariableSect, theCurrentProps.vframeSect);
    Finish(c);
    return c;
}

CFramePurgeCounts PurgeUnusedSteelSectionsAndCables()
{
    CFramePurgeCounts c;
    c.steel = PurgeKind(theSframeSects, kSteelSect, theCurrentProps.steelSect);
    c.cables = PurgeCables();
    Finish(c);
    return c;
}

CFramePurgeCounts PurgeUnusedFrameData()
{
    CFramePurgeCounts c = PurgeUnusedSections();
    const CFramePurgeCounts s = PurgeUnusedSteelSectionsAndCables();
    c.steel = s.steel;
    c.cables = s.cables;
    if (c.Total()) {
        char text[200];
        std::snprintf(text, sizeof text, "删除了没有梁柱使用的截面%d个、变截面%d个、钢截面%d个、预应力钢索%d根",
                      c.sections, c.variable, c.steel, c.cables);
        OperateHost().FlashPrompt(text, 2000);
    }
    return c;
}
