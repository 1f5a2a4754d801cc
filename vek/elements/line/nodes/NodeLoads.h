#pragma once
// The LOADS block of the solver's data file (node loads, with the wind
// loads formed from the windward beams and walls and the loads of rigid
// region slaves carried to their masters) and the node's load line.
#include <array>
#include <vector>

#include "containers/MArrayID.h"
#include "korvalib/model/KeyedLists.h"
#include "korvalib/model/NodeRecords.h"
#include "vek/elements/line/nodes/NodePools.h"

class DKorvaDataFile;
struct CKvdDataSet;

// The six values of a load line; on a node in 1..the last node number the
// restrained components are written as 0.
void WriteNodeLoadLine(const CSixDoubles& values, DKorvaDataFile& file, int node);

// "\nLOADS\n" and one line per node, load case and non-zero load; nodes by
// their numbers, masters as N+1..N+M (N the node count). The library data
// set gets the pool records and the nodes when given. nodeValues holds one
// value per node in store order (may be null: 0).
void WriteLoadsBlock(DKorvaDataFile& file, CKvdDataSet* dataSet, const int* nodeValues, int masterCount);

// Adds the six load values of every entry of a load table (case >= 1, a
// record of the store) to out[(case - 1) * 6 ...]; cases above caseCount
// are left out.
void SumLoadsPerCase(const DElementLoad& loads, MArrayID<DNodeLoad>& store, double* out, int caseCount);

// A windward beam or wall as the wind forming sees it.
struct CWindMember {
    int storey = -1;
    int nodeI = 0, nodeJ = 0;  // a beam's end nodes, a wall's two base nodes
    int index[2] = {0, 0};     // 1-based wind-face record per direction, 0 none
};

// What the wind forming and the rigid-region transfer ask of other
// families; unbound, there is no wind and no master.
struct CNodeLoadHooks {
    // The windward beams, then walls, in store order.
    void (*windMembers)(std::vector<CWindMember>& out) = nullptr;
    // The wind angle of a direction (1, 2) in degrees.
    double (*windAngle)(int direction) = nullptr;
    // The wind pressure of a direction at a point with a body coefficient.
    double (*windPressure)(int direction, const double point[3], double coefficient) = nullptr;
    // The plan position of a master above the node count; false when none.
    bool (*masterPosition)(int master, double xyz[3]) = nullptr;
};
extern CNodeLoadHooks theNodeLoadHooks;

// The work of the LOADS block, open for the tests: one load table per node
// (store order) and per master, over a copy of the load pool.
struct CLoadWork {
    std::vector<DElementLoad> tables;
    std::vector<CSixDoubles> pool;
    std::vector<int> positionOf;                  // by node number: its position, -1 none
    std::vector<std::array<double, 3>> masterAt;  // noted positions of masters above the node count
    int nodes = 0;
    int masters = 0;
    // The table of a node number or a master number (above the node count); null when none.
    DElementLoad* TableOf(int number);
    const double* PositionXY(int number) const;
    // Appended to the pool copy without looking for an equal record.
    int Append(const CSixDoubles& v);
};
void MakeLoadWork(CLoadWork& work, int masterCount);
// The wind of both directions into load cases 3 and 4, then the slaves'
// loads carried to their masters and masked by their restraints.
void FormWindLoads(CLoadWork& work);
// The wind on one member of direction d added to the force array (three
// per node, positions: store order, then masters).
void DistributeMemberWindLoad(const CLoadWork& work, int direction, int nodeI, int nodeJ, double height,
                              double coefficient, std::vector<double>& forces);
