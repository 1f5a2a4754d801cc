#include "vek/model/display/DisplayFilter.h"

#include <algorithm>
#include <cstdlib>

#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"

bool PassesDisplayFilters(int range, int id, int layer, int storey, int stage)
{
    if (theLayers[layer].visible != 'Y') return false;
    if (storey < -1 || storey > theLevels.count || !theLevels.Shown(storey)) return false;
    const CDisplayRange::Range& r = theDisplayRange.ranges[range];
    const int step = std::max(r.step, 1);
    if (id < r.from || id > r.to || (id - r.from) % step != 0) return false;
    return std::abs(stage) <= theProjectOptions.nHighestStage;
}

int StoreyPlanDisplayState(bool onFloor, int storey)
{
    if (!onFloor) return 0;
    if (storey == theLevels.current) return 1;
    return theLevelRange.Contains(storey) ? 2 : 0;
}
