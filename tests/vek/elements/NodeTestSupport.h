#pragma once
// A clean node model for each test: empty stores and pools, default options,
// no storeys, every display switch at its default, the undo stack empty.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "framework/WinTypes.h"
#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/elements/line/nodes/WindElementPar.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"



namespace vektest {

inline void ResetNodeModel()
{
    ClearNodeFamily();
    theUndo.Clear();
    theLevels.Reset();
    theLevelRange.Reset();
    theStoreyLists.Clear();
    theDisplayRange.Reset();
    theDisplayOptions.Reset();
    theProjectOptions.SetDefaults();
    theLayers.Reset();
    nPrjVersion = kProjectVersion;
    theNodeInputs = CNodeInputs();
    theSpringInput = CSpringInput();
    theWindElementPars.clear();
    theWindElementDefault = CWindElementPar();
    nNodeInfoCurrent = 0;
    nRowNodeCount = nGridNodeCount12 = nGridNodeCount23 = 2;
}

class NodeModelTest : public ::testing::Test {
protected:
    void SetUp() override { ResetNodeModel(); }
    void TearDown() override { ResetNodeModel(); }

    // A node at a point through the store, outside any undo group.
    static int Node(double x, double y, double z)
    {
        const double p[3] = {x, y, z};
        return FindOrAddNode(p);
    }
    static CNode& N(int id) { return *theNodes.GetByID(id); }
    // Storeys of the given heights, with their element lists.
    static void Storeys(std::initializer_list<double> heights)
    {
        theLevels.Reset();
        int k = 0;
        for (double h : heights) theLevels.heights[k++] = h;
        theLevels.count = k;
        theLevels.RecomputeElevations();
        theStoreyLists.Recreate(k);
    }
    static std::vector<int> Ids()
    {
        std::vector<int> ids;
        for (int i = 0; i < theNodes.GetSize(); ++i) ids.push_back(theNodes.GetAt(i)->m_nID);
        return ids;
    }
};

}  // namespace vektest
