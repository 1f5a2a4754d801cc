#pragma once
// Area and solid element records: plane elements, solids, shells and walls.
// Every record starts with the element number and two attribute words and
// ends with its load references and an attribute word that files of version
// 100 and older lack. Node positions without a node hold 0.
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

#define KORVA_AREA_HEAD   \
    int32_t m_nID = 0;    \
    int16_t m_sAttr1 = 1; \
    int16_t m_sAttr2 = 1;

class KORVA_API DPlaneBase {
public:
    DPlaneBase() = default;
    DPlaneBase(const DPlaneBase&) = default;
    DPlaneBase& operator=(const DPlaneBase& o);
    DPlaneBase(DPlaneBase&&) = default;
    DPlaneBase& operator=(DPlaneBase&&) = default;
    virtual ~DPlaneBase();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    // The same nine node numbers, in any order.
    int operator==(const DPlaneBase& o) const;
    int32_t& operator[](int i) { return m_nNodes[i]; }

    void SetQuadNodes(const int* nodes);
    void SetTriangleNodes(const int* nodes);
    int IsTriangle() const;
    // Corner nodes: 3 for a triangle, else 4 (positions 1, 3, 9, 7).
    void GetVertex(int* nodes, int& count) const;

    KORVA_AREA_HEAD
    int32_t m_nNodes[9] = {0};
    int16_t m_sAttr3 = 0;
    float m_fAttr1 = 1.0f;
    float m_fAttr2 = 0;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

class KORVA_API DThreedBase {
public:
    DThreedBase() = default;
    DThreedBase(const DThreedBase&) = default;
    DThreedBase& operator=(const DThreedBase& o);
    DThreedBase(DThreedBase&&) = default;
    DThreedBase& operator=(DThreedBase&&) = default;
    virtual ~DThreedBase();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DThreedBase& o) const;
    int32_t& operator[](int i) { return m_nNodes[i]; }
    void SetNodes(const int* nodes);

    KORVA_AREA_HEAD
    int32_t m_nNodes[8] = {0};
    int16_t m_sAttr3 = 0;
    float m_fAttr = 0;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

class KORVA_API DS16Base {
public:
    DS16Base() = default;
    DS16Base(const DS16Base&) = default;
    DS16Base& operator=(const DS16Base& o);
    DS16Base(DS16Base&&) = default;
    DS16Base& operator=(DS16Base&&) = default;
    virtual ~DS16Base();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DS16Base& o) const;
    int32_t& operator[](int i) { return m_nNodes[i]; }
    void SetNodes(const int* nodes);

    KORVA_AREA_HEAD
    int32_t m_nNodes[16] = {0};
    int16_t m_sAttr3 = 0;
    float m_fAttr = 0;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

// Compatible solid of 4 to 21 nodes.
class KORVA_API DSol21Base {
public:
    DSol21Base() = default;
    DSol21Base(const DSol21Base&) = default;
    DSol21Base& operator=(const DSol21Base& o);
    DSol21Base(DSol21Base&&) = default;
    DSol21Base& operator=(DSol21Base&&) = default;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DSol21Base& o) const;
    int32_t& operator[](int i) { return m_nNodes[i]; }

    // Copies at most 21 nodes; the rest of the positions become 0.
    void SetNodes(const int* nodes, int count, int shape);
    void SetHexahedron(const int* nodes, int count) { SetNodes(nodes, count, 1); }
    void SetTetrahedron(const int* nodes, int count) { SetNodes(nodes, count, 2); }
    void SetPrism(const int* nodes, int count) { SetNodes(nodes, count, 3); }
    int IsHexahedron() const { return m_cShape == 1; }
    int IsTetrahedron() const { return m_cShape == 2; }
    int IsPrism() const { return m_cShape == 3; }

    KORVA_AREA_HEAD
    char m_cShape = 1;  // 1 hexahedron, 2 tetrahedron, 3 prism
    unsigned char m_cCount = 0;
    int32_t m_nNodes[21] = {0};
    int16_t m_sAttr3 = 0;
    float m_fAttr = 0;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

// Incompatible solid with rotations: 8-node hexahedron or 6-node prism.
class KORVA_API DSol8rBase {
public:
    DSol8rBase() = default;
    DSol8rBase(const DSol8rBase&) = default;
    DSol8rBase& operator=(const DSol8rBase& o);
    DSol8rBase(DSol8rBase&&) = default;
    DSol8rBase& operator=(DSol8rBase&&) = default;
    virtual ~DSol8rBase();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DSol8rBase& o) const;
    int32_t& operator[](int i) { return m_nNodes[i]; }

    // Nodes of a shape: 8, 6 or none.
    static int ShapeNodes(int shape) { return shape == 1 ? 8 : shape == 3 ? 6 : 0; }
    void SetNodes(const int* nodes, int shape);
    void SetHexahedron(const int* nodes) { SetNodes(nodes, 1); }
    void SetPrism(const int* nodes) { SetNodes(nodes, 3); }
    int IsPrism() const { return m_cShape == 3; }

    KORVA_AREA_HEAD
    char m_cShape = 1;  // 1 hexahedron, 3 prism
    int32_t m_nNodes[8] = {0};
    int16_t m_sAttr3 = 0;
    float m_fAttr = 0;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

class KORVA_API DShellBase {
public:
    DShellBase() = default;
    DShellBase(const DShellBase&) = default;
    DShellBase& operator=(const DShellBase& o);
    DShellBase(DShellBase&&) = default;
    DShellBase& operator=(DShellBase&&) = default;
    virtual ~DShellBase();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    // Same kind and the same four nodes in any order.
    int operator==(const DShellBase& o) const;
    int32_t& operator[](int i) { return m_nNodes[i]; }

    void SetNodes(const int* nodes, int kind);
    int IsShell() const { return m_cKind == 0; }
    int IsFilm() const { return m_cKind == 1; }
    int IsSlab() const { return m_cKind == 2; }
    int IsTriangle() const { return m_nNodes[3] == 0; }
    int GetNodeNum() const { return m_nNodes[3] != 0 ? 4 : 3; }
    void SetShell(const int* nodes, double inPlane, double bending);
    void SetFilm(const int* nodes, double inPlane);
    void SetSlab(const int* nodes, double bending);
    // Applies the thickness rule of the current kind at all four nodes.
    void SetThick(double inPlane, double bending);
    void GetAverageThick(double& inPlane, double& bending) const;

    KORVA_AREA_HEAD
    char m_cKind = 0;  // 0 shell, 1 film, 2 slab
    char m_cFlag = 0;
    int32_t m_nNodes[4] = {0};
    int16_t m_sAttr3 = 0;
    float m_fThick[4][2] = {{1, 1}, {1, 1}, {1, 1}, {1, 1}};  // (in-plane, bending) per node
    char m_cByte = 100;
    float m_fAttr = 0;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

class KORVA_API DWallBase {
public:
    DWallBase() = default;
    DWallBase(const DWallBase&) = default;
    DWallBase& operator=(const DWallBase& o);
    DWallBase(DWallBase&&) = default;
    DWallBase& operator=(DWallBase&&) = default;
    virtual ~DWallBase();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DWallBase& o) const;
    int32_t& operator[](int i) { return m_nNodes[i]; }

    void SetNodes(const int* nodes, int kind);
    int IsShellWall() const { return m_cKind == 0; }
    int IsFilmWall() const { return m_cKind == 1; }
    int IsSlabWall() const { return m_cKind == 2; }
    void SetShellWall(const int* nodes, double inPlane, double bending);
    void SetFilmWall(const int* nodes, double inPlane);
    void SetSlabWall(const int* nodes, double bending);
    void SetThick(double inPlane, double bending);
    // Hole flag 2 when any parameter exceeds SectionError, else 1.
    void SetHole(double a, double b, double c, double d);

    KORVA_AREA_HEAD
    char m_cKind = 0;  // 0 shell wall, 1 film wall, 2 slab wall
    char m_cFlag = 0;
    char m_cHole = 1;  // 1 no hole, 2 hole
    float m_fHole[4] = {0, 0, 0, 0};
    int32_t m_nNodes[4] = {0};
    int16_t m_sAttr3 = 0;
    float m_fThickIn = 0;
    float m_fThickBend = 0;
    float m_fAttr1 = 0;
    float m_fAttr2 = 0;
    char m_cFlag2 = 0;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

#undef KORVA_AREA_HEAD
