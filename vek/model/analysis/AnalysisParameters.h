#pragma once
// The analysis parameter records kept with the project: the eigen (modal)
// settings, the reinforcement design parameters and the numbers of the
// material and sections that new elements take.
#include <cstdint>

#include "vek/model/loads/LoadCombination.h"

class bofstream;
class bifstream;
class DKorvaDataFile;
struct CKvdDataSet;

class CEigenPara {
public:
    CEigenPara() { Reset(); }
    CEigenPara(const CEigenPara& o) { *this = o; }
    CEigenPara& operator=(const CEigenPara& o);
    void Reset();

    uint8_t on;
    int32_t modes;
    int32_t oldCount;  // the further setting kept with the block
    uint8_t method;    // 1 Ritz vectors, 2 subspace iteration, else Lanczos
    LoadFactorList massFactors;
    uint8_t onlyMinusZ;
    uint8_t sturm;
};

class CReinforcePara {
public:
    CReinforcePara() { Reset(); }
    void Reset();
    // Strengths by F / L^2, the stirrup diameters by L.
    void ScaleUnits(double F, double L);
    bool Write(bofstream& out) const;
    bool Read(bifstream& in);

    int32_t on;        // form reinforcement information
    float F1, F2;      // tensile and compressive design strength of bars
    float K1, K2, K3;  // relative compression depth limits
    float Z;           // least longitudinal ratio of columns
    float P;           // axial compression ratio limit
    float H1, H2;      // stirrup diameters of beams and columns
    uint8_t N1, N2;    // stirrup legs of beams and columns
    float V1, V2;      // stirrup strength; longitudinal to stirrup strength ratio
    float T;           // torsion reduction factor of beams
};

class CCurrentProps {
public:
    CCurrentProps() { Reset(); }
    void Reset() { material = frameSect = steelSect = vframeSect = 0, kind = 0; }
    // Each number kept within its list; a kind above 2 becomes 0.
    void Clamp();
    void ValidateCurrentSelection() { Clamp(); }
    bool Write(bofstream& out) const;
    bool Read(bifstream& in);

    int16_t material;
    uint8_t kind;
    int16_t frameSect;
    int16_t steelSect;
    int16_t vframeSect;
};

extern CEigenPara theEigenPara;
extern CReinforcePara theReinforcePara;
extern CCurrentProps theCurrentProps;

// The eigen block of the project file: "EIGEN" and its zero, then the record.
bool WriteEigenBlock(bofstream& out);
// Without the marker the stream goes back and nothing is read.
bool ReadEigenBlock(bifstream& in);
// Files before version 700 keep the two counts ahead of the spectrum block.
bool ReadEigenLegacyCounts(bifstream& in);
// The RITZ / EIGEN / LANCZOS block of the data file; a data set receives the
// eigen record whether or not the analysis is on.
void WriteEigenDataFile(DKorvaDataFile& f, CKvdDataSet* set);

bool WriteReinforceBlock(bofstream& out);
bool ReadReinforceBlock(bifstream& in);
// The REIN block (with frame sections only); a data set receives all fields.
void WriteReinforceDataFile(DKorvaDataFile& f, CKvdDataSet* set);

bool WriteCurrentSelection(bofstream& out);
bool ReadCurrentSelection(bifstream& in);
void ValidateCurrentSelection();

// After results are loaded: the current load case and the result selectors
// of the project options kept within what the results hold.
void ValidateCurrentLoadCase(int loadCases);
void ValidateResultSelectors(const int counts[6], int stages);
