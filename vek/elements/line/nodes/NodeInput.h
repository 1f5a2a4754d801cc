#pragma once
// The values the node attribute commands apply, entered in their panels and
// kept for the whole run.
#include <cstdint>

#include "vek/elements/line/nodes/NodePools.h"

struct CUnitFactors;

struct CNodeInputs {
    // Per degree of freedom Ux .. Rz: 1 fix, 0 free, any other leaves it.
    int32_t restraints[6] = {2, 2, 2, 2, 2, 2};
    CSixDoubles mass;
    double temperature = 0;
    int16_t tower = 1;
    // The node-load panel: the component (1..6: Fx .. Mz), the operation
    // (1 set, 2 add, 3 subtract, 4 zero the component, 5 zero all six) and
    // the value.
    int loadType = 3;
    int loadAction = 1;
    double loadValue = 0;
};
extern CNodeInputs theNodeInputs;

// The unit change of the three input records (the node load, the mass and
// the spring stiffness).
void ScaleNodeInputs(const CUnitFactors& f);
