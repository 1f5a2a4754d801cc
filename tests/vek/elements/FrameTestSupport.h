#pragma once
// A clean frame model for each test on top of the clean node model: no
// frames, loads or sections, the current properties and generation
// settings at their defaults.
#include "tests/vek/elements/NodeTestSupport.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameBlock.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/materials/Sections.h"

namespace vektest {

class FrameModelTest : public NodeModelTest {
protected:
    void SetUp() override
    {
        NodeModelTest::SetUp();
        ResetFrames();
    }
    void TearDown() override
    {
        ResetFrames();
        NodeModelTest::TearDown();
    }
    static void ResetFrames()
    {
        ClearFrameFamily();
        theFrameSects.SetSize(0);
        theVframeSects.SetSize(0);
        theSframeSects.SetSize(0);
        theCurrentProps.Reset();
        theFrameGeneration = CFrameGeneration();
    }
    static CFrame& F(int id) { return *theFrames.GetByID(id); }
    // The frames' block as the project file holds it, and read back.
    static Bytes Block()
    {
        return WriteBlock([](bofstream& out) { SaveFrameBlock(out); });
    }
    static bool Load(const Bytes& b)
    {
        return ReadBlock(b, [](bifstream& in) { return LoadFrameBlock(in) == 1; });
    }
    // One frame between two nodes, as one undo step.
    static int Frame(int a, int b)
    {
        theUndo.BeginRecord();
        const int id = AddOneFrame(a, b);
        theUndo.EndRecord();
        return id;
    }
};

}  // namespace vektest
