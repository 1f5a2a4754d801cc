#pragma once
// The library file in memory, as far as the data-file writers fill it:
// storey levels, layers, the eigen, reinforcement and spectrum records, the
// prescribed displacements, the node masses and the two combination lists.
// The library-file writer owns the rest.
#include <vector>

#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/model/NodeRecords.h"

struct CKvdDataSet {
    std::vector<DLevelBase> levels;
    std::vector<DLayerBase> layers;
    DEigen eigen;
    DReinforce reinforce;
    DSpectrum spectrum;
    std::vector<DSpectrumCurve> spectrumCurves;
    std::vector<DSpectrumDir> spectrumDirs;
    std::vector<DNodeDisplacement> displacements;
    std::vector<DNodeMass> masses;
    std::vector<DCombFactor> forceCombinations;
    std::vector<DCombFactor> displacementCombinations;
};
