#include "vek/view/win/WinGl.h"

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

void CWinGlApi::Begin(unsigned mode)
{
    glBegin(mode);
}
void CWinGlApi::End()
{
    glEnd();
}
void CWinGlApi::Vertex3dv(const double* p)
{
    glVertex3dv(p);
}
void CWinGlApi::Color3ubv(const uint8_t* rgb)
{
    glColor3ubv(rgb);
}
void CWinGlApi::Normal3dv(const double* n)
{
    glNormal3dv(n);
}
void CWinGlApi::LineWidth(float width)
{
    glLineWidth(width);
}
void CWinGlApi::LineStipple(int factor, uint16_t pattern)
{
    glLineStipple(factor, pattern);
}
void CWinGlApi::Enable(unsigned cap)
{
    glEnable(cap);
}
void CWinGlApi::Disable(unsigned cap)
{
    glDisable(cap);
}
void CWinGlApi::PolygonStipple(const uint8_t mask[128])
{
    glPolygonStipple(mask);
}
void CWinGlApi::PolygonMode(unsigned face, unsigned mode)
{
    glPolygonMode(face, mode);
}
void CWinGlApi::GetPolygonMode(int modes[2])
{
    GLint m[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, m);
    modes[0] = m[0];
    modes[1] = m[1];
}
void CWinGlApi::Flush()
{
    glFlush();
}
void CWinGlApi::PushMatrix()
{
    glPushMatrix();
}
void CWinGlApi::PopMatrix()
{
    glPopMatrix();
}
void CWinGlApi::Translated(double x, double y, double z)
{
    glTranslated(x, y, z);
}
void CWinGlApi::MatrixMode(unsigned mode)
{
    glMatrixMode(mode);
}
void CWinGlApi::LoadIdentity()
{
    glLoadIdentity();
}
void CWinGlApi::LoadMatrixd(const double m[16])
{
    glLoadMatrixd(m);
}
void CWinGlApi::Ortho(double l, double r, double b, double t, double n, double f)
{
    glOrtho(l, r, b, t, n, f);
}
void CWinGlApi::Viewport(int x, int y, int w, int h)
{
    glViewport(x, y, w, h);
}
GlQuadric* CWinGlApi::NewQuadric()
{
    GLUquadric* q = gluNewQuadric();
    if (q) {
        gluQuadricDrawStyle(q, GLU_FILL);
        gluQuadricNormals(q, GLU_NONE);
        gluQuadricOrientation(q, GLU_OUTSIDE);
        gluQuadricTexture(q, GL_FALSE);
    }
    return reinterpret_cast<GlQuadric*>(q);
}
void CWinGlApi::DeleteQuadric(GlQuadric* q)
{
    if (q) gluDeleteQuadric(reinterpret_cast<GLUquadric*>(q));
}
void CWinGlApi::Sphere(GlQuadric* q, double radius, int slices, int stacks)
{
    if (q) gluSphere(reinterpret_cast<GLUquadric*>(q), radius, slices, stacks);
}

CWinGlApi& WinGlApi()
{
    static CWinGlApi api;
    return api;
}
