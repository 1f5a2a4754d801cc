// Reads nodes, one "x y z" line each (numbered 1, 2, ... in that order),
// merges the coincident ones at the default tolerances and prints the nodes
// left, in number order, "%.17g %.17g %.17g" a line.
#include <cstdio>
#include <iostream>
#include <string>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/model/ProjectOptions.h"

int main()
{
    vektest::AppHelperLog log;
    theProjectOptions.SetDefaults();
    double x = 0, y = 0, z = 0;
    int id = 0;
    while (std::cin >> x >> y >> z) {
        CNode n;
        n.m_nID = ++id;
        n.m_dCoord[0] = x;
        n.m_dCoord[1] = y;
        n.m_dCoord[2] = z;
        if (!StoreNode(n)) return 2;
    }
    MergeCoincidentNodes(nullptr, 0, 0);
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        const CNode* n = theNodes.GetAt(i);
        if (n->m_nID != i + 1) return 3;  // survivors are numbered 1..k
        std::printf("%.17g %.17g %.17g\n", n->m_dCoord[0], n->m_dCoord[1], n->m_dCoord[2]);
    }
    return 0;
}
