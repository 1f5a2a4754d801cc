#include "vek/model/document/ModelReset.h"

#include <cstdio>

#include "analysis/RunQueue.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/LayerList.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/project/ResultOffsets.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

void DeleteAutosaveCopy()
{
    const CRunQueue* run = theDocumentHooks.runQueue;
    if (!run || !run->GetFileName() || !*run->GetFileName()) return;
    CString path = WithTrailingBackslash(run->GetCurPath());
    path += "~";
    path += run->GetFileName();
    path += ".PRJ";
    std::remove(path.GetString());
}

void ClearModelData()
{
    // The stores in the order their references allow: elements before the
    // nodes and sections they name.
    static const EFamily kOrder[] = {
        EFamily::Walls,        EFamily::StiffRegions,  EFamily::Solids,       EFamily::PenaltyLinks,
        EFamily::Planes,       EFamily::BoundLines,    EFamily::BoundRects,   EFamily::BoundArcs,
        EFamily::BoundCircles, EFamily::BoundEllipses, EFamily::BoundSplines, EFamily::Nodes,
        EFamily::Springs,      EFamily::Frames,        EFamily::Shells,       EFamily::HistoryCurves,
        EFamily::Trusses,      EFamily::Cframes,       EFamily::Pipes,        EFamily::Integrals,
    };
    for (EFamily f : kOrder) {
        ModelFamily(f).Clear();
        if (f == EFamily::Planes) theMaterials.SetSize(0);
    }
    ClearSectionLibraries();
    if (theLevels.count > 0) theStoreyLists.Clear();
    if (theDocumentHooks.clearAxisGrids) theDocumentHooks.clearAxisGrids();
    if (theDocumentHooks.clearSnapState) theDocumentHooks.clearSnapState();
    theLoadCombinations[0].SetSize(0);
    theLoadCombinations[1].SetSize(0);
    ModelHooks().ClearUndo();
    if (theDocumentHooks.resultSetZero) theDocumentHooks.resultSetZero();
    theSframeIdOffset = 0;
    theVframeIdOffset = 0;
    if (theDocumentHooks.clearResultDisplay) theDocumentHooks.clearResultDisplay();
    if (theDocumentHooks.endAllOperations) theDocumentHooks.endAllOperations();
}

void ClearModel()
{
    DeleteAutosaveCopy();
    ClearModelData();
}

void ResetModelParameters()
{
    theProjectOptions.SetDefaults();
    if (theDocumentHooks.resetView) theDocumentHooks.resetView();
    theLevels.Reset();
    theSpectrumSettings.SetDefaults();
    // The other parameter records of the analysis start from their defaults
    // too: a new project inherits nothing of the one before.
    theEigenPara.Reset();
    theReinforcePara.Reset();
    theConstructionStages.Reset();
    theLevelRange.Reset();
    theStoreyLists.Clear();
    theCurrentProps.Reset();
    theDisplayOptions.Reset();
    if (theDocumentHooks.zoomExtents) theDocumentHooks.zoomExtents(1, 1, 1);
    theLayers.Reset();
    theDisplayRange.Reset();
    theElevationPlane.m_tolerance = 0.001;
    if (theDocumentHooks.refreshPanels) theDocumentHooks.refreshPanels();
    ModelHooks().RefreshLayerSelector();
    ModelHooks().RefreshStoreyTexts();
}
