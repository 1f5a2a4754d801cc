#pragma once
// The tight-wire parameters that new tight wires take.
#include <cstdint>

#include "korvalib/model/LineElements.h"

class CTightWireSettings {
public:
    CTightWireSettings() = default;
    // The wire's four lengths by L, its force by F.
    void ScaleUnits(double F, double L);

    int32_t m_nLead = 0;
    DTightWire m_Wire;
    uint8_t m_cFlag = 1;
};

extern CTightWireSettings theTightWireSettings;
