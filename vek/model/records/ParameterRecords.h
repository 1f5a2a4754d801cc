#pragma once
// Small parameter records of the line-element commands: the local-axis
// definition of the local-axis dialog and the counts of equal divisions.
#include <cstdint>

class CFrameAxisPara {
public:
    CFrameAxisPara() = default;

    uint8_t axisChoice = 2;    // the dialog shows it minus 2
    uint8_t pointInPlane = 0;  // "输入此轴与梁柱形成的平面上的一点"
    double direction[3] = {0, 0, 1};
};

class CDivideCounts {
public:
    CDivideCounts()
    {
        for (int32_t& c : counts) c = 2;
    }
    int32_t counts[6];
};

extern CFrameAxisPara theFrameAxisPara;
extern CDivideCounts theDivideCounts;
