#pragma once
// True-shape members: section outlines, placed at both ends of a member (or
// as the two faces of a slab) and drawn as a solid through the drawing layer.
#include <cstdint>
#include <vector>

#include "korvalib/base/Vector.h"

// One planar section outline.
class TrueShapeReg {
public:
    struct Vertex {
        double x = 0, y = 0, z = 0;
        double value = 0;  // normalised result value of graded drawing
    };

    // An open thin-walled strip: not closed from the last vertex to the first.
    uint8_t open = 0;
    // A circle: no lengthwise edges on OpenGL.
    uint8_t smooth = 0;
    std::vector<Vertex> ring1;  // outer boundary, or one face of a plate
    std::vector<Vertex> ring2;  // inner boundary or the other face; empty, or as long as ring1

    void AddVertex(double x, double y, double z = 0, double value = 0);
    void AddVertex(const double* p, double value = 0) { AddVertex(p[0], p[1], p[2], value); }
    void AddInnerVertex(double x, double y, double z = 0, double value = 0);
    void AddInnerVertex(const double* p, double value = 0) { AddInnerVertex(p[0], p[1], p[2], value); }
    void AddVertex2(const double* p, double value = 0) { AddInnerVertex(p, value); }
    // A circle of 4n points (n follows the zoom), with a concentric inner
    // one when the inner radius exceeds 1e-6.
    void AddRoundOutline(double outerRadius, double innerRadius);
    void Translate(double dx, double dy, double dz);
    void Rotate90();   // (x, y) -> (-y, x)
    void Rotate180();  // (x, y) -> (-x, -y)
    void Rotate270();  // (x, y) -> (y, -x)
    // Reverse each ring and negate x (or y): the winding stays the same.
    void MirrorX();
    void MirrorY();
    void SetValue(double value);

    void Move(double dx, double dy, double dz) { Translate(dx, dy, dz); }
    void TurnLeft() { Rotate90(); }
    void TurnHalf() { Rotate180(); }
    void TurnRight() { Rotate270(); }

    // Outlines are the same only when they are the same record.
    bool operator==(const TrueShapeReg& other) const { return this == &other; }
};

class MemberTrueShape {
public:
    MemberTrueShape();
    // a, b, c: the section's local axes; the frame's x, y, z become c, b, -a.
    void SetPlacement(const double* start, const double* end, const double* a, const double* b, const double* c);
    // 0 for an outline of fewer than 2 points; toModel: from the member's
    // frame at that end into model coordinates.
    int AddStartOutline(const TrueShapeReg& outline, int toModel);
    int AddEndOutline(const TrueShapeReg& outline, int toModel);
    int PlaceAlongMember(const TrueShapeReg& outline, int toModel);
    // A shell or wall: the outline's two faces at +/- half the thickness at
    // each point along its normal.
    int BuildSlab(const TrueShapeReg& outline, const float* thicknesses);
    int BuildSlabUniform(const TrueShapeReg& outline, float thickness);
    void SetEndValues(double startValue, double endValue);
    // Widths across the screen at the two ends; either may be null.
    void GetApparentWidths(double* startWidth, double* endWidth);
    void Draw(uint32_t colour, uint32_t fillColour, int graded, int pattern, int width, const char* layer);
    void DrawSection(uint32_t colour, uint32_t fillColour, int width, const char* layer);
    // stations: count pairs (position along the member, value), ascending.
    void DrawGraded(uint32_t colour, int width, const char* layer, int count, const double* stations);

    CTransferMatrix m_frame;
    double m_start[3] = {0, 0, 0};
    double m_end[3] = {0, 0, 0};
    uint8_t m_capMode = 0;  // 0 both caps, 1 start only, 2 end only, 3 none
    std::vector<TrueShapeReg> m_starts;
    std::vector<TrueShapeReg> m_ends;

private:
    int Append(std::vector<TrueShapeReg>& set, const TrueShapeReg& outline, int toModel, const double* origin);
};

// Normalises a result value to 0..1 for graded drawing (the result
// display's scale); the identity until the result display binds its own.
double NormalizeContourValue(double value);
using NormalizeFunc = double (*)(double value);
NormalizeFunc SetNormalizeFunc(NormalizeFunc f);
