#pragma once
// The inputs of the frame property panels, kept with the frames in the
// project file, and the settings of frame generation.
#include <cstdint>
#include <string>

#include "korvalib/model/LoadRecords.h"

class bofstream;
class bifstream;

// The load the frame-load panel describes.
class CFrameLoadPara {
public:
    int Write(bofstream& out);
    // By the project version in force.
    int Read(bifstream& in);
    void ScaleUnits(double forceFactor, double lengthFactor);
    // The panel's description of the load.
    std::string GetText() const;

    uint8_t m_nType = 1;       // 1 distributed, 2 span moment, 3 span force
    uint8_t m_nDirection = 3;  // 1 X, 2 Y, 3 Z, 4..6 local 1..3
    uint8_t m_nMeasure = 0;    // 0 per member length, 1 per projected length
    uint8_t m_nOperation = 2;  // 1 replace, 2 add, 3 subtract, 4 delete the type, 5 delete the case
    DLoadPoints m_Points;
    uint8_t m_bInterpolate = 0;
    double m_dInterp[2][3] = {{0, 0, 0}, {0, 0, 0}};
    float m_fInterpValue[2] = {0, 0};
    std::string m_sExpression;
    int32_t m_nExpressionPoints = 0;
};

class CFrameDefaults {
public:
    int Write(bofstream& out);
    int Read(bifstream& in);
    void ScaleUnits(double forceFactor, double lengthFactor);

    int32_t m_nAxialType = 1;
    float m_fPrestress = 0;
    float m_fTemp[3] = {0, 0, 0};  // uniform, gradient 2, gradient 3
    CFrameLoadPara m_Load;
    float m_fRigid[2] = {0, 0};
    float m_fEcc[4] = {0, 0, 0, 0};  // I-2, I-3, J-2, J-3
    uint8_t m_cRelease[6] = {0, 0, 0, 0, 0, 0};
    int16_t m_nKept[2] = {3, 1};  // held in memory only
};
extern CFrameDefaults theFrameDefaults;

// How beams and columns are generated.
struct CFrameGeneration {
    bool noSplitting = false;  // a new beam over nodes and beams stays one frame
    int beamCount = 2;
    int columnCount = 2;
    int beamGrid[2] = {1, 1};    // beams along edges 1-2 and 2-3
    int columnGrid[2] = {2, 2};  // columns along edges 1-2 and 2-3, ends included
    // Columns in a window: bit 0 at shown nodes, bit 1 at axis-grid crossings.
    uint8_t columnPlaces = 1;
    double columnHeight = 3.0;  // without storeys
};
extern CFrameGeneration theFrameGeneration;
