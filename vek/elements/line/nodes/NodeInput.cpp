#include "vek/elements/line/nodes/NodeInput.h"

#include "vek/elements/line/springs/Spring.h"
#include "vek/model/ModelFamily.h"

CNodeInputs theNodeInputs;

void ScaleNodeInputs(const CUnitFactors& f)
{
    CNodeInputs& in = theNodeInputs;
    in.loadValue *= in.loadType >= 4 ? f.F * f.L : f.F;
    in.mass.ConvertUnits(f.F, f.M, f.L, 3);
    theSpringInput.stiffness = theSpringInput.stiffness * f.F / f.L;
}
