#pragma once
// The library file in memory, as far as the model's parameter records fill
// it when the data file is written: storey levels, layers, the eigen,
// reinforcement and spectrum records. The library-file writer owns the rest.
#include <vector>

#include "korvalib/model/AnalysisRecords.h"

struct CKvdDataSet {
    std::vector<DLevelBase> levels;
    std::vector<DLayerBase> layers;
    DEigen eigen;
    DReinforce reinforce;
    DSpectrum spectrum;
    std::vector<DSpectrumCurve> spectrumCurves;
    std::vector<DSpectrumDir> spectrumDirs;
};
