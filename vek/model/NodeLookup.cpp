#include "vek/model/NodeLookup.h"

namespace {
NodeCoordLookup boundLookup = nullptr;
}

double theMinNodeSpacing = 0.001;

int NodeCoord(int id, int drawn, double out[3])
{
    return boundLookup ? boundLookup(id, drawn, out) : 0;
}

NodeCoordLookup SetNodeCoordLookup(NodeCoordLookup lookup)
{
    NodeCoordLookup previous = boundLookup;
    boundLookup = lookup;
    return previous;
}
