#pragma once
// The OpenGL 1.1 calls the view draws with, behind an interface: the
// program binds the real library, tests bind a recorder. The drawing code
// itself never includes the platform's GL headers.
#include <cstdint>

namespace gl {
// The values of the OpenGL enumerations used.
constexpr unsigned kLines = 0x0001;
constexpr unsigned kLineLoop = 0x0002;
constexpr unsigned kLineStrip = 0x0003;
constexpr unsigned kTriangles = 0x0004;
constexpr unsigned kQuads = 0x0007;
constexpr unsigned kPolygon = 0x0009;
constexpr unsigned kFront = 0x0404;
constexpr unsigned kBack = 0x0405;
constexpr unsigned kFrontAndBack = 0x0408;
constexpr unsigned kPoint = 0x1B00;
constexpr unsigned kLine = 0x1B01;
constexpr unsigned kFill = 0x1B02;
constexpr unsigned kLineStipple = 0x0B24;
constexpr unsigned kPolygonStipple = 0x0B42;
constexpr unsigned kModelView = 0x1700;
constexpr unsigned kProjection = 0x1701;
}  // namespace gl

// A GLU quadric, opaque.
struct GlQuadric;

class CGlApi {
public:
    virtual ~CGlApi() = default;
    virtual void Begin(unsigned mode) = 0;
    virtual void End() = 0;
    virtual void Vertex3dv(const double* p) = 0;
    virtual void Color3ubv(const uint8_t* rgb) = 0;
    virtual void Normal3dv(const double* n) = 0;
    virtual void LineWidth(float width) = 0;
    virtual void LineStipple(int factor, uint16_t pattern) = 0;
    virtual void Enable(unsigned cap) = 0;
    virtual void Disable(unsigned cap) = 0;
    virtual void PolygonStipple(const uint8_t mask[128]) = 0;
    virtual void PolygonMode(unsigned face, unsigned mode) = 0;
    // Front and back polygon modes.
    virtual void GetPolygonMode(int modes[2]) = 0;
    virtual void Flush() = 0;
    virtual void PushMatrix() = 0;
    virtual void PopMatrix() = 0;
    virtual void Translated(double x, double y, double z) = 0;
    virtual void MatrixMode(unsigned mode) = 0;
    virtual void LoadIdentity() = 0;
    virtual void LoadMatrixd(const double m[16]) = 0;
    virtual void Ortho(double l, double r, double b, double t, double n, double f) = 0;
    virtual void Viewport(int x, int y, int w, int h) = 0;
    // GLU quadrics: filled, no normals, outside orientation, no texture.
    virtual GlQuadric* NewQuadric() = 0;
    virtual void DeleteQuadric(GlQuadric* q) = 0;
    virtual void Sphere(GlQuadric* q, double radius, int slices, int stacks) = 0;
};

// The bound library; null when none is (OpenGL drawing then does nothing).
CGlApi* GetGlApi();
CGlApi* SetGlApi(CGlApi* api);
