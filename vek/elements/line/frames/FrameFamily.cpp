// The frames in the model's family table, the drawing pass, the project
// file's block 8, the pick rows and the hooks other families call.
#include <algorithm>

#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameEndIndex.h"
#include "vek/elements/line/frames/FrameBlock.h"
#include "vek/elements/line/frames/FrameChecks.h"
#include "vek/elements/line/frames/FrameSort.h"
#include "vek/elements/line/frames/FrameCommands.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FramePick.h"
#include "vek/elements/line/frames/FrameSectionPurge.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/frames/FrameStoreyChecks.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/project/ProjectBlocks.h"
#include "vek/results/Result.h"
#include "vek/view/passes/DrawModel.h"

namespace {

int PositionOfFrame(int id)
{
    if (!theFrames.IsValidID(id)) return -1;
    if (theFrames.IsDense()) return id - 1;
    int pos = 0;
    for (int k = 1; k < id; ++k)
        if (theFrames.IsValidID(k)) ++pos;
    return pos;
}

class CFrameFamily : public CModelFamily {
public:
    int GetCount() const override { return theFrames.GetSize(); }
    int GetLastID() const override { return theFrames.GetLastID(); }
    CObjectBase* GetAt(int pos) override { return Valid(pos) ? At(pos) : nullptr; }
    int GetID(int pos) const override { return Valid(pos) ? At(pos)->m_nID : 0; }
    int IndexOfID(int id) const override { return PositionOfFrame(id); }
    void Clear() override { ClearFrameFamily(); }

    int GetStorey(int pos) const override { return Valid(pos) ? At(pos)->m_nStorey : -1; }
    void SetStorey(int pos, int storey) override
    {
        if (Valid(pos)) At(pos)->m_nStorey = int16_t(storey);
    }
    bool HasStages() const override { return true; }
    int GetStage(int pos) const override { return Valid(pos) ? At(pos)->m_nStage : 0; }
    void SetStage(int pos, int stage) override
    {
        if (Valid(pos)) At(pos)->m_nStage = int16_t(stage);
    }
    int GetNodes(int pos, int* out, int max) const override
    {
        if (!Valid(pos)) return 0;
        if (max > 0) out[0] = At(pos)->m_nNodeI;
        if (max > 1) out[1] = At(pos)->m_nNodeJ;
        return 2;
    }
    void SetNode(int pos, int k, int node) override
    {
        if (!Valid(pos)) return;
        (k == 0 ? At(pos)->m_nNodeI : At(pos)->m_nNodeJ) = node;
        InvalidateFrameEndIndex();
    }
    bool IsHorizontal(int pos) const override { return Valid(pos) && At(pos)->IsHorizontal(); }
    bool HasMaterials() const override { return true; }
    int GetMaterial(int pos) const override { return Valid(pos) ? At(pos)->m_nMaterial : 0; }
    void SetMaterial(int pos, int m) override
    {
        if (Valid(pos)) At(pos)->m_nMaterial = uint16_t(std::max(0, m));
    }
    int GetLayer(int pos) const override { return Valid(pos) ? At(pos)->m_nLayer : 0; }
    void SetLayer(int pos, int layer) override
    {
        if (Valid(pos)) At(pos)->m_nLayer = uint16_t(std::max(0, layer));
    }
    bool HasPiles() const override
    {
        for (int i = 0; i < theFrames.GetSize(); ++i)
            if (At(i)->IsPile()) return true;
        return false;
    }
    void ScaleUnits(EUnitStep step, const CUnitFactors& f) override
    {
        switch (step) {
            case EUnitStep::FrameLoads:
                for (int i = 0; i < theFrameLoads.GetSize(); ++i) theFrameLoads.GetAt(i)->ScaleUnits(f.F, f.L);
                break;
            case EUnitStep::FrameParameters: theFrameDefaults.ScaleUnits(f.F, f.L); break;
            case EUnitStep::Frames:
                for (int i = 0; i < theFrames.GetSize(); ++i) At(i)->ScaleUnits(f.L);
                break;
            default: break;
        }
    }
    bool Reserve(int n) override { return theFrames.SetSize(std::max(n, theFrames.GetSize())) != 0; }
    void Redraw(int pos) override
    {
        if (Valid(pos)) At(pos)->Draw();
    }
    bool ChangeID(int from, int to) override
    {
        CFrame* f = FindFrame(from);
        if (!f || theFrames.IsValidID(to) || to < 1 || to > CFrameStore::kMaxID) return false;
        CFrame copy = *f;
        copy.m_nID = to;
        theFrames.RemoveByID(from);
        InvalidateFrameEndIndex();
        return theFrames.Add(copy) != 0;
    }
    void RemapReferences(const int* map, int n) override { RemapFrameReferences(map, n); }
    int RunCheck(ECheck step) override
    {
        if (step == ECheck::Merge) {
            DeleteDuplicateFrames();
        } else if (step == ECheck::PurgeUnused) {
            PurgeUnusedFrameData();
        } else if (step == ECheck::WindExposure) {
            CheckWindwardElements();
        } else if (step == ECheck::Elements) {
            ModelHooks().ShowPrompt("正在检查梁柱单元数据...");
            const int sections = CheckFrameSections();
            const int orientation = CheckFrameOrientation();
            const int loads = CheckFrameLoads();
            const int lengths = CheckShortFrames();
            return sections & orientation & loads & lengths;
        }
        return 1;
    }
    bool AddFromResults(const CResultElement& e) override
    {
        if (e.nodeCount < 2) return false;
        CFrame f;
        f.m_nID = e.id;
        f.m_nNodeI = e.nodes[0];
        f.m_nNodeJ = e.nodes[1];
        f.SetSection(0, e.kind);
        f.ComputeLocalAxes();
        if (!theFrames.Add(f)) return false;
        InvalidateFrameEndIndex();
        AttachFrame(*theFrames.GetByID(e.id));
        return true;
    }

private:
    static bool Valid(int pos) { return pos >= 0 && pos < theFrames.GetSize(); }
    // Callers reach frames by number too: without holes a position is a
    // number, and the store's cursor is not walked for it.
    static CFrame* At(int pos) { return theFrames.IsDense() ? theFrames.GetByID(pos + 1) : theFrames.GetAt(pos); }
};

CFrameFamily theFrameFamily;

const bool registered = [] {
    RegisterModelFamily(EFamily::Frames, &theFrameFamily);
    CDrawStepSlot frames;
    frames.drawObject = [](CModelFamily&, int pos) {
        if (CFrame* f = theFrames.GetAt(pos)) f->Draw();
    };
    SetDrawStep(EDrawStep::Frames, frames);
    SetProjectBlockOwner(8, {SaveFrameBlock, LoadFrameBlock});
    RegisterFramePickRows();
    RegisterFrameCommands();
    theNodeSplitHooks.breakFramesAtNode = BreakFramesAtNode;
    theArcDivisionHooks.addFrame = [](int a, int b) { AddFramesBetweenNodes(a, b); };
    theArcDivisionHooks.addColumnBelowNode = AddColumnBelowNode;
    // Results read the right force file by the frame's kind; axial ratios need its section.
    theResultModelLinks.frameKind = [](int pos) {
        const auto* f = static_cast<const CFrame*>(theFrameFamily.GetAt(pos));
        return f ? f->GetSectionKind() : 0;
    };
    theResultModelLinks.frameSection = [](int pos) {
        const auto* f = static_cast<const CFrame*>(theFrameFamily.GetAt(pos));
        return f ? int(f->m_nSection) : 0;
    };
    return true;
}();

}  // namespace
