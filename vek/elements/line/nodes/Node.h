#pragma once
// The node: a point of the model with the attributes the solver needs
// (restraints, lumped mass, loads per load case, temperature, tower number),
// and the one store of all nodes, theNodes, keyed by node number.
#include <cstdint>

#include "containers/MArrayID.h"
#include "korvalib/model/KeyedLists.h"
#include "vek/model/ObjectBase.h"

class bofstream;
class bifstream;

// Node flag bits besides those of every object.
enum : uint32_t {
    kNodeLabels = 1u << 4,  // number, tower and value labels drawn
};

class CNode : public CObjectBase {
public:
    CNode();
    // At a point, on the current layer, its storey worked out from z.
    explicit CNode(const double point[3]);
    CNode(const CNode&) = default;
    // Copies every field but the display displacement and the construction stage.
    CNode& operator=(const CNode& o);
    ~CNode() = default;

    int GetDisplayState() override;

    // The storey from z, and whether the node lies on that storey's floor.
    void UpdateLevel();
    // Within the plan tolerance in x and y and the elevation tolerance in z
    // (bounds inclusive).
    int IsSamePosition(const CNode& other) const;
    int IsSamePosition(const double p[3]) const;
    // On the current plan work-plane height.
    int IsOnWorkPlane() const;
    // The coordinates, displaced while the deformed shape is shown.
    void GetDrawCoord(double out[3]) const;
    // The window position through the view projection; displaced when asked.
    void GetScreenPoint(int& x, int& y, int displaced) const;
    void GetScreenPointF(double& x, double& y, int displaced) const;
    // The model point, displaced as drawn when asked.
    void GetPlacedCoord(double out[3], int displaced) const;
    void Scale(double factor);
    // The attributes the copy options ask for (layer, mass, temperature,
    // tower; loads, recorded for undo) from the source; force copies the
    // loads whatever the options say.
    void CopyProperties(const CNode& source, int force);
    // Draws the marker, the restraint and load symbols and the labels in
    // the colour of the flag word.
    void Draw();

    // The record of the node block for the project version in force.
    int Serialize(bofstream& out);
    int Serialize(bifstream& in);

    const double* Coord() const { return m_dCoord; }
    double* Coord() { return m_dCoord; }
    bool IsRestrained(int dof) const { return (m_cRestraint >> dof & 1) != 0; }

    // The least bytes one record takes in any accepted version.
    static constexpr int kMinStreamBytes = 43;

    int32_t m_nID = 0;
    int32_t m_nMaster = 0;  // rigid-region master number (above the node count), 0 none
    double m_dCoord[3] = {0, 0, 0};
    uint16_t m_nElements = 0;  // elements using the node
    uint8_t m_cRestraint = 0;  // bit 0 Ux .. bit 5 Rz: fixed
    int16_t m_nStorey = -1;
    uint8_t m_bOnStorey = 0;  // on its storey's floor elevation
    int16_t m_nLayer = 0;
    int32_t m_nMass = 0;  // 1-based index into the mass pool, 0 none
    double m_dTemperature = 0;
    uint8_t m_nTower = 1;
    DElementLoad m_Loads;           // load case -> 1-based index into the load pool
    double m_dDisp[3] = {0, 0, 0};  // result displacement for the deformed shape
    int16_t m_nStage = 1;
};

// Nodes are kept in blocks of 1024.
using CNodeStore = MArrayID<CNode>;
extern CNodeStore theNodes;

// The node with that number, or null.
inline CNode* FindNode(int id)
{
    return theNodes.IsValidID(id) ? theNodes.GetByID(id) : nullptr;
}

// Stores a copy of the node under its number (a new number when below 1),
// whole (stage and displacement too), into the coincidence index as well.
// The stored node, or null when the store cannot take it.
CNode* StoreNode(CNode& node);
// Takes a node out of the store and the coincidence index (nothing else).
void UnstoreNode(int id);
// Empties the store and the index.
void RemoveAllNodes();
// Empties every node, pool, spring and prescribed displacement (the
// document's reset of the model).
void ClearNodeFamily();

// The tolerance of the plan work-plane height.
extern double theWorkPlaneTolerance;
// The magnification of the displacements while the deformed shape is shown
// (the result display sets it).
extern double theNodeDisplayScale;
// -t < z - h < t with t the work-plane tolerance.
int IsAtElevation(const double point[3], double h);
int IsPointOnWorkPlane(const double point[3]);

// References to deleted nodes are dropped everywhere: flags[id - 1] non-zero
// marks a deleted node, ids 1..maxID. With nodesOnly, only the storey lists
// and the tube joints; else also the history loads, prescribed displacements
// and springs on such nodes (or beyond maxID) and the node of the node
// information.
void RemoveNodeReferences(const uint8_t* flags, int maxID, int nodesOnly);

// Holders of node numbers owned elsewhere; each binds its own. Unbound,
// there is nothing to drop or renumber.
struct CNodeReferenceHooks {
    // Steel-tube joints at deleted nodes.
    void (*removeJoints)(const uint8_t* flags, int maxID) = nullptr;
    // Time-history loads at deleted nodes (number -1: every node).
    void (*removeHistoryLoads)(const uint8_t* flags, int maxID) = nullptr;
    // Renumbering through table[old - 1] (0: gone), old numbers 1..maxID.
    void (*renumberJoints)(const int* table, int maxID) = nullptr;
    void (*renumberHistoryLoads)(const int* table, int maxID) = nullptr;
};
extern CNodeReferenceHooks theNodeReferenceHooks;

// The node the node-information command shows (0 none).
extern int nNodeInfoCurrent;
