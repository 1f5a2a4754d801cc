#pragma once
// Construction-stage settings and the stage numbers of the elements: a
// negative number is fixed by the user (its magnitude is the stage); 0 or
// more is given by the program from the element's storey.
#include <cstdint>
#include <string>

#include "containers/MLArray.h"

class bofstream;
class bifstream;

class CConstructionStages {
public:
    CConstructionStages() { Reset(); }
    CConstructionStages(const CConstructionStages& o) { *this = o; }
    CConstructionStages& operator=(const CConstructionStages& o);
    void Reset();

    bool Write(bofstream& out) const;
    // Files of version 610 and older carry nothing: the simulation is off.
    bool Read(bifstream& in);

    uint8_t on;
    uint8_t byStorey;
    uint8_t storeysPerStage;  // 0: the stage list gives the storeys of each stage
    MLArray<short> stages;    // entry j: the number of storeys of stage j + 1
    int16_t stageCount;       // the result of the last numbering
    int16_t typedStage;       // the value of the stage prompt
};

extern CConstructionStages theConstructionStages;
using CConstructPara = CConstructionStages;
extern CConstructionStages& theConstructPara;

// Numbers the elements by storey (nothing while the simulation is off) and
// counts the stages; the penalty links of the data-file writer are included.
void AssignConstructionStages(const int* penaltyLinks = nullptr, int linkCount = 0);

// The stage prompt and the other modeless openers of the window side; the
// texts they show are worked out here.
class CParameterPanels {
public:
    virtual ~CParameterPanels() = default;
    // A prompt with one integer field bound to value.
    virtual void OpenPrompt(const char* title, const char* note, int16_t* value, bool closeOthers) {}
    virtual void OpenLocalAxisDialog(bool closeOthers) {}
    virtual void ShowParameterText(const char* title, const char* text, bool closeOthers) {}
    virtual void OpenMaterialParameters(bool closeOthers, bool mode) {}
    virtual void OpenMaterialSection(bool secondMode, bool closeOthers) {}
};
CParameterPanels* SetParameterPanels(CParameterPanels* panels);

void OpenStagePrompt(bool closeOthers);
// The selected frames, shells, walls, solids and planes take the typed stage.
void ApplyStageToSelection();
// With the axis dialog, the local-axis dialog; else the axis as a text.
void ShowLocalAxisInfo(bool closeOthers, bool axisDialog, int axis, const double* direction);
void ShowDivideCountDialog(int16_t* count, bool closeOthers);
void ShowMaterialParamDialog(bool closeOthers, bool mode);
void ShowMaterialSectionDialog(bool flag, bool closeOthers);
