#include "vek/dialogs/logic/RestraintRules.h"

namespace restraints {

void SetAll(int32_t r[6], int32_t value)
{
    for (int i = 0; i < 6; ++i) r[i] = value;
}

void Invert(int32_t r[6])
{
    for (int i = 0; i < 6; ++i)
        if (r[i] == kFree || r[i] == kFixed) r[i] = r[i] == kFree ? kFixed : kFree;
}

void ClearOutOfPlane(int32_t r[6])
{
    r[0] = r[4] = r[5] = kFree;
}

bool ApplyPlanePreset(int index, int32_t r[6])
{
    static const int32_t kPresets[7][3] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 0}, {1, 0, 0}, {1, 0, 1}, {0, 1, 1}, {0, 0, 0}};
    if (index < 0 || index > 6) return false;
    for (int k = 0; k < 3; ++k) r[1 + k] = kPresets[index][k];
    return true;
}

}  // namespace restraints
