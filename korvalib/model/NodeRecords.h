#pragma once
// Node records: the node, its masses, loads, constraints, springs and
// prescribed displacements. m_nID is the number a store keys the record by.
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

class KORVA_API DNodeBase {
public:
    DNodeBase() = default;
    DNodeBase(double x, double y, double z);
    DNodeBase(const DNodeBase&) = default;
    DNodeBase& operator=(const DNodeBase& o);
    DNodeBase(DNodeBase&&) = default;
    DNodeBase& operator=(DNodeBase&&) = default;
    virtual ~DNodeBase();
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    // Coordinates each within NodeMinDist.
    int operator==(const DNodeBase& o) const;

    double& operator[](int i) { return m_dCoord[i]; }
    const double& operator[](int i) const { return m_dCoord[i]; }
    // Degree of freedom d is 1..6; others are never restrained.
    int IsRest(int d) const;
    void Rest(int d);
    void UnRest(int d);

    // Fixed part (48 bytes) and an empty load list: what a store's count is
    // bounded by.
    static constexpr int kMinStreamBytes = 50;

    int32_t m_nID = 0;
    int16_t m_sAttr1 = 1;
    int16_t m_sAttr2 = 1;
    double m_dCoord[3] = {0, 0, 0};
    char m_cFlag1 = 0;
    char m_cRestraint = 0;  // bit d-1: degree of freedom d restrained
    int32_t m_nAttr1 = 0;
    char m_cFlag2 = 1;
    int32_t m_nAttr2 = 0;
    float m_fAttr = 0;
    char m_cFlag3 = 1;
    DElementLoad m_Loads;
};

class KORVA_API DNodeMass {
public:
    DNodeMass() = default;
    DNodeMass(int node, const double* masses);  // null: zeros
    DNodeMass(const DNodeMass&) = default;
    DNodeMass& operator=(const DNodeMass&) = default;
    DNodeMass(DNodeMass&&) = default;
    DNodeMass& operator=(DNodeMass&&) = default;
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    virtual ~DNodeMass();
    // Masses each within MassSpringError; the node is not compared.
    int operator==(const DNodeMass& o) const;

    void SetMass(const double* m);
    void IncreaseMass(const double* m);
    void DecreaseMass(const double* m);

    // Fixed size: ID and six masses.
    static constexpr int kMinStreamBytes = 28;

    int32_t m_nID = 0;
    float m_fMass[6] = {0, 0, 0, 0, 0, 0};
};

class KORVA_API DNodeLoad {
public:
    DNodeLoad() = default;
    DNodeLoad(int node, const double* forces, const double* displacements);  // null: zeros
    DNodeLoad(const DNodeLoad&) = default;
    DNodeLoad& operator=(const DNodeLoad&) = default;
    DNodeLoad(DNodeLoad&&) = default;
    DNodeLoad& operator=(DNodeLoad&&) = default;
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    virtual ~DNodeLoad();
    // Forces and displacements each within LoadError; the node is not compared.
    int operator==(const DNodeLoad& o) const;

    void SetForce(const double* f);
    void IncreaseForce(const double* f);
    void DecreaseForce(const double* f);
    void SetDisplace(const double* d);
    void IncreaseDisplace(const double* d);
    void DecreaseDisplace(const double* d);

    // Fixed size: ID, six forces and six displacements.
    static constexpr int kMinStreamBytes = 52;

    int32_t m_nID = 0;
    float m_fForce[6] = {0, 0, 0, 0, 0, 0};
    float m_fDisplace[6] = {0, 0, 0, 0, 0, 0};
};

class KORVA_API DNodeConstraint {
public:
    DNodeConstraint() = default;
    DNodeConstraint(int node, const int* codes);  // null: zeros
    DNodeConstraint(const DNodeConstraint&) = default;
    DNodeConstraint& operator=(const DNodeConstraint&) = default;
    DNodeConstraint(DNodeConstraint&&) = default;
    DNodeConstraint& operator=(DNodeConstraint&&) = default;
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    virtual ~DNodeConstraint();
    int operator==(const DNodeConstraint& o) const;

    // Fixed size: ID and six codes.
    static constexpr int kMinStreamBytes = 28;

    int32_t m_nID = 0;
    int32_t m_nCode[6] = {0, 0, 0, 0, 0, 0};  // constraint code per degree of freedom
};

class KORVA_API DNodeSpring {
public:
    DNodeSpring() = default;
    DNodeSpring(const DNodeSpring&) = default;
    DNodeSpring& operator=(const DNodeSpring&) = default;
    DNodeSpring(DNodeSpring&&) = default;
    DNodeSpring& operator=(DNodeSpring&&) = default;
    virtual int Serialize(bofstream& out);
    // Files of version 100 or less hold no spring number: springs are
    // numbered 1, 2, ... in reading order from the last header read.
    virtual int Serialize(bifstream& in);
    virtual ~DNodeSpring();
    // Same kind; a two-node spring the same pair in either order, a
    // one-node spring the same node and a parallel direction.
    int operator==(const DNodeSpring& o) const;

    int32_t m_nID = 0;
    int32_t m_nNode1 = 0;
    int32_t m_nNode2 = 0;  // <= 0: one-node spring
    char m_cKind = 0;
    double m_dValue = 0;
    double m_dDir[3] = {0, 0, 0};
    int16_t m_sAttr = 1;  // stored from version 111
};

// A prescribed displacement in an arbitrary direction.
class KORVA_API DNodeDisplacement {
public:
    DNodeDisplacement() = default;
    DNodeDisplacement(const DNodeDisplacement&) = default;
    DNodeDisplacement& operator=(const DNodeDisplacement& o);
    DNodeDisplacement(DNodeDisplacement&&) = default;
    DNodeDisplacement& operator=(DNodeDisplacement&&) = default;
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    virtual ~DNodeDisplacement();
    // Both ints equal and parallel directions; the factors are not compared.
    int operator==(const DNodeDisplacement& o) const;

    int32_t m_nNode = 0;
    int32_t m_nCode = 1;
    DNumFactors m_Factors;  // a factor per load case
    float m_fDir[3] = {0, 0, 0};
};
