#pragma once
// The drawing layer's OpenGL: the system's opengl32 and glu32.
#include "vek/view/draw/GlApi.h"

class CWinGlApi : public CGlApi {
public:
    void Begin(unsigned mode) override;
    void End() override;
    void Vertex3dv(const double* p) override;
    void Color3ubv(const uint8_t* rgb) override;
    void Normal3dv(const double* n) override;
    void LineWidth(float width) override;
    void LineStipple(int factor, uint16_t pattern) override;
    void Enable(unsigned cap) override;
    void Disable(unsigned cap) override;
    void PolygonStipple(const uint8_t mask[128]) override;
    void PolygonMode(unsigned face, unsigned mode) override;
    void GetPolygonMode(int modes[2]) override;
    void Flush() override;
    void PushMatrix() override;
    void PopMatrix() override;
    void Translated(double x, double y, double z) override;
    void MatrixMode(unsigned mode) override;
    void LoadIdentity() override;
    void LoadMatrixd(const double m[16]) override;
    void Ortho(double l, double r, double b, double t, double n, double f) override;
    void Viewport(int x, int y, int w, int h) override;
    GlQuadric* NewQuadric() override;
    void DeleteQuadric(GlQuadric* q) override;
    void Sphere(GlQuadric* q, double radius, int slices, int stacks) override;
};

// The one instance the program binds with SetGlApi.
CWinGlApi& WinGlApi();
