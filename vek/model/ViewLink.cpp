#include "vek/model/ViewLink.h"

ViewLink theViewLink;

int ViewProjectionMode()
{
    return theViewLink.projectionMode ? theViewLink.projectionMode() : 1;
}

void ToViewFrame(const double world[3], double local[3])
{
    if (theViewLink.toViewFrame) {
        theViewLink.toViewFrame(world, local);
        return;
    }
    for (int i = 0; i < 3; ++i) local[i] = world[i];
}

void FromViewFrame(const double local[3], double world[3])
{
    if (theViewLink.fromViewFrame) {
        theViewLink.fromViewFrame(local, world);
        return;
    }
    for (int i = 0; i < 3; ++i) world[i] = local[i];
}

void InvalidateModelView()
{
    if (theViewLink.invalidateModel) theViewLink.invalidateModel();
}
