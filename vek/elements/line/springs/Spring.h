#pragma once
// Springs: a link spring joins two nodes, a grounded spring ties one node
// to the ground along a direction. All live in theSprings, keyed by number,
// and are saved inside the node block of the project file.
#include <cstdint>

#include "containers/MArrayID.h"
#include "vek/model/ObjectBase.h"

class bofstream;
class bifstream;
class DKorvaDataFile;
struct CKvdDataSet;

class CSpring : public CObjectBase {
public:
    CSpring();
    CSpring(const CSpring&) = default;
    CSpring& operator=(const CSpring&) = default;
    ~CSpring() = default;

    int GetDisplayState() override;

    bool IsGrounded() const { return m_nNodeJ < 1; }
    // K below 1e-5, no node I, or a grounded spring without a direction.
    int IsInvalid() const;
    // Same kind and the same two nodes in either order; grounded: the same
    // node and parallel directions.
    int IsSame(const CSpring& other) const;
    void ScaleStiffness(double a, double b) { m_dK = m_dK * a / b; }
    void Draw();
    // The LSPRING line of the solver's data file.
    void WriteSpringLine(DKorvaDataFile& file) const;

    // The record of the node block for the project version in force.
    int Serialize(bofstream& out);
    int Serialize(bifstream& in);

    static constexpr int kMinStreamBytes = 41;

    int32_t m_nID = 0;
    int8_t m_cMode = 0;    // 0 tension and compression, 1 tension only, 2 compression only
    uint8_t m_bSlack = 0;  // out of action in the iteration of one-way members; not saved
    int32_t m_nNodeI = 0;
    int32_t m_nNodeJ = 0;  // 0 for a grounded spring
    uint8_t m_cKind = 0;   // 0 straight (force), 1 torsional (moment)
    double m_dK = 0;
    double m_dDir[3] = {0, 0, 0};  // a grounded spring's direction
    int16_t m_nStage = 1;
};

extern MArrayID<CSpring> theSprings;

// The spring input of the link and grounded spring panels.
struct CSpringInput {
    int type = 0;         // 0 straight, 1 torsional
    int towardPoint = 0;  // the direction runs from the node to the point Dx, Dy, Dz
    int8_t mode = 0;      // 0 both, 1 tension only, 2 compression only
    double dir[3] = {0, 0, 1};
    double stiffness = 0;
    int replace = 0;  // 0 add to the existing grounded springs, 1 replace them
};
extern CSpringInput theSpringInput;
// The stiffness of the input made non-negative.
void MakeSpringParaNonNegative();

// Adds or combines a spring (its stiffness made non-negative first); see the
// rules of link and grounded springs. 1 when the store changed.
int AddSpring(CSpring spring, int replace);
// Removes invalid springs silently, and springs on missing nodes after a message.
void RemoveBadSprings();
// Removes a spring, erasing its picture first.
void RemoveSpring(int id);

// The spring commands over the selected nodes (with the spring input) and
// the picked points; each marks the document modified.
int AddGroundSpringsAtSelected();
int ReverseGroundSpringsAtSelected();
// A link spring between the nodes at the two points; "没有捕捉到节点！" when
// either has none.
int AddSpringBetweenPickedNodes(const double a[3], const double b[3]);
// The panels' delete buttons: the grounded springs of the selected nodes;
// the link springs with an end at a selected node.
int DeleteGroundSpringsAtSelected();
int DeleteLinkSpringsAtSelected();

// "\nLSPRING\n" and a line per spring; each also a library record when a
// data set is given.
void WriteLspringBlock(DKorvaDataFile& file, CKvdDataSet* dataSet);

// Pick routines over the springs shown (display state 4): the nearest one
// to a window point, those inside a window or a polygon of window points.
// single: a hit on a selected spring deselects it. 1 when any was hit.
int PickNearestSpring(double x, double y, int single);
int SelectSpringsInWindow(const double corner1[2], const double corner2[2], int single);
int SelectSpringsInRegion(int n, const double (*polygon)[2], int single);
