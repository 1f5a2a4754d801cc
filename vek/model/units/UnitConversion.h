#pragma once
// The whole model in another unit system: every stored length, force and
// mass quantity multiplied by the ratio of the two systems, part by part in
// a fixed order. Each part scales its own fields; a part owned by another
// module of the program is reached through its family or its hook.
#include "vek/model/ModelFamily.h"

// The ratios of the new unit system over the old one.
CUnitFactors UnitFactorsBetween(int oldCode, int newCode);
// Scales every part of the model; the stored unit code is not changed.
void ConvertModelUnits(int oldCode, int newCode);
inline void ConvertUnits(int oldCode, int newCode)
{
    ConvertModelUnits(oldCode, newCode);
}

// A part of the model outside the element families (the axis grids, the
// view, the working plane, the snap state, the boundaries, ...) registers
// its scaling here; unregistered parts are not scaled.
using UnitScaleHook = void (*)(const CUnitFactors& f);
UnitScaleHook SetUnitScaleHook(EUnitStep step, UnitScaleHook hook);
// The family that owns a step, or EFamily::Count when the step is not a
// family's.
EFamily OwnerOfStep(EUnitStep step);
