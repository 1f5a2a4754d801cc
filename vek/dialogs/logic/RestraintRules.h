#pragma once
// The restraint panels' buttons on the restraint template (per freedom Ux ..
// Rz: 1 fix, 0 free, 2 leave as the node has it).
#include <cstdint>

namespace restraints {

constexpr int32_t kFree = 0, kFixed = 1, kUnchanged = 2;

void SetAll(int32_t r[6], int32_t value);
// Fixed and free swap; "leave" stays.
void Invert(int32_t r[6]);
// A plane model in the Y-Z plane: translation x and rotations y and z are free.
void ClearOutOfPlane(int32_t r[6]);
// The plane panel's presets by index: fixed, hinged, hold Z, hold Y, hold Y
// and Rx, hold Z and Rx, free; they set translation y, translation z and
// rotation x. False for an index outside 0..6.
bool ApplyPlanePreset(int index, int32_t r[6]);

}  // namespace restraints
