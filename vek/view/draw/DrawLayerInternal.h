#pragma once
// Helpers the drawing layer's files share.
#include <cstdint>

class CGlApi;

namespace drawing {

// One line into the open batch of GL_LINES (opened for this width when needed).
void GlLine(const double* a, const double* b, const uint8_t* ca, const uint8_t* cb, int width);
// The bound GL, with the line batch ended; null when none is bound.
CGlApi* Gl();
// How far outlines of this width move towards the viewer.
double OutlineOffset(int width);
// Hands the viewing direction to the DXF writer before an entity with a normal.
void DxfViewDir();
const char* Layer(const char* layer);

}  // namespace drawing
