#pragma once
// Elevation planes: the current elevation work plane with its tolerance and
// origin, the user's named elevations, and the plane arithmetic that tests
// points against a plane and cuts solid elements into section polygons.
#include <cstdint>
#include <vector>

class bofstream;
class bifstream;
class DNodeBase;

// The plane A x + B y + C z + D = 0.
class CPlaneEquation {
public:
    CPlaneEquation() = default;
    CPlaneEquation(double a, double b, double c, double d) : m_d{a, b, c, d} {}
    void Set(double a, double b, double c, double d);
    void Clear() { Set(0, 0, 0, 0); }
    double& GetAt(int i) { return m_d[i & 3]; }
    double GetAt(int i) const { return m_d[i & 3]; }
    const double* Coefficients() const { return m_d; }
    // The plane through three points with a unit normal; 0 (unchanged) when
    // the points are collinear.
    int SetFromThreePoints(const double* p0, const double* p1, const double* p2);
    // |A x + B y + C z + D| < 0.0001.
    int IsPointOnPlane(const double* p) const;
    int ContainsNode(int nodeId) const;
    // The same plane within the current elevation's tolerance / 10 (a
    // negative factor included).
    int IsSamePlane(const CPlaneEquation& other) const;

    // Cuts a solid element (kind 1 hexahedron, 2 tetrahedron, else wedge; at
    // most kMaxCutNodes node IDs, an ID below 1 absent) into its section
    // polygon. nodeValues: `sets` sets of 9 doubles per node with room for
    // kMaxCutNodes + 1 nodes per set, or null; outValues: `sets` sets of 9
    // per vertex with room for kMaxCutVertices, or null. Returns the vertex
    // count, below 3 for no section (also when the section would have more
    // than kMaxCutVertices vertices).
    int CutElement(int kind, int nodeCount, const int32_t* ids, int sets, const double* nodeValues,
                   double outVertices[][3], double* outValues, int oneSided) const;
    // The section for display: one value per node (or none) and one per
    // vertex; vertices in screen coordinates unless `global`; `centre` gets
    // the screen position of the vertices' mean.
    int SectionPolygon(int kind, int nodeCount, const int32_t* ids, const double* nodeValues, int global,
                       double outVertices[][3], double* outValues, double centre[2]) const;

    static constexpr int kMaxCutNodes = 20;
    static constexpr int kMaxCutVertices = 10;

protected:
    double m_d[4] = {0, 0, 0, 0};
};

// A plane with the origin of its local 2-D coordinates.
class CPlaneWithOrigin {
public:
    // Projects the point (the global origin when null) onto the plane.
    void SetOrigin(const double* point = nullptr);
    void GetNormal(double out[3]) const;

    double m_origin[3] = {0, 0, 0};
    CPlaneEquation m_equation;
};

// A named elevation.
class CPlaneDescription : public CPlaneWithOrigin {
public:
    CPlaneDescription();
    // The name keeps at most kMaxName bytes, cut before a split character.
    void SetName(const char* text);
    const char* GetName() const { return m_name; }
    int Write(bofstream& out) const;
    // Reads into this only when the whole entry is sound; 0 (stream failed) otherwise.
    int Read(bifstream& in);

    static constexpr int kNameSize = 29;
    static constexpr int kMaxName = kNameSize - 1;

protected:
    char m_name[kNameSize];
};

class CElevationPlane : public CPlaneWithOrigin {
public:
    CElevationPlane();
    int IsPointOnPlane(const double* p) const;  // strictly within the tolerance
    int ArePointsOnPlane(const double* p1, const double* p2) const;
    int IsNodeOnPlane(const DNodeBase& node) const;
    int IsLineOnPlane(const DNodeBase& a, const DNodeBase& b) const;
    // Three node IDs, and the fourth when it is at least 1.
    int AreElementNodesOnPlane(const int32_t ids[4]) const;
    int AreWallNodesOnPlane(const int32_t ids[4]) const;
    // D, the tolerance, the origin and the named elevations' D and origins.
    void ScaleLengths(double factor);
    void Reverse();
    int Write(bofstream& out) const;
    // The block of the project file, by the project version; on damage
    // nothing changes and the stream is failed.
    int Read(bifstream& in);

    double m_tolerance = 0.001;
    std::vector<CPlaneDescription> m_named;
};

extern CElevationPlane theElevationPlane;
