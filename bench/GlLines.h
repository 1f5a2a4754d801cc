#pragma once
// The drawing timers' common ground: an 800 x 600 OpenGL picture in the 3-D
// view fitted to a box, and the bare GL_LINES loop the view is measured
// against (segments as pairs of points, six numbers each).
#include <windows.h>

#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/win/GlBitmap.h"
#include "vek/view/win/WinGl.h"

inline void FitView(int mode, const double hi[3], const double lo[3])
{
    theViewProjection.SetScreenRect(0, 0, 800, 600);
    theViewProjection.SetMode(mode, 0, 0, 0);
    theViewProjection.SetExtent(hi, lo);
    theViewProjection.ZoomExtents(0, 1, 1);
}

// False, said on the output, when no OpenGL context can be had.
inline bool StartGl3D(CGlBitmap& picture, const double hi[3], const double lo[3])
{
    if (!picture.Create(800, 600)) {
        std::printf("OpenGL: no context\n");
        return false;
    }
    SetGlApi(&WinGlApi());
    theProjectOptions.bHiddenSurface = 1;
    theProjectOptions.dBorderDepthOffset = 0.0005;
    FitView(3, hi, lo);
    theViewProjection.SetupGL();
    return true;
}

inline void BareGlLines(const std::vector<double>& pts)
{
    glClear(GL_COLOR_BUFFER_BIT);
    const GLubyte c[3] = {255, 255, 0};
    glLineWidth(1);
    glBegin(GL_LINES);
    glColor3ubv(c);
    for (size_t i = 0; i + 6 <= pts.size(); i += 6) {
        glVertex3dv(&pts[i]);
        glVertex3dv(&pts[i + 3]);
    }
    glEnd();
    glFinish();
}
