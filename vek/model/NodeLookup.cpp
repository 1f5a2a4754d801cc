#include "vek/model/NodeLookup.h"

#include "vek/model/ModelFamily.h"

namespace {
NodeCoordLookup boundLookup = nullptr;
}

double theMinNodeSpacing = 0.001;

int NodeCoord(int id, int drawn, double out[3])
{
    if (boundLookup) return boundLookup(id, drawn, out);
    // Unbound, the node family of the model's family table answers.
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    return (drawn ? nodes.GetDrawCoordinates(id, out) : nodes.GetCoordinates(id, out)) ? 1 : 0;
}

NodeCoordLookup SetNodeCoordLookup(NodeCoordLookup lookup)
{
    NodeCoordLookup previous = boundLookup;
    boundLookup = lookup;
    return previous;
}
