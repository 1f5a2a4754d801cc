#pragma once
// Where a spring is drawn.
#include <cstdint>

class CSpring;

// A grounded spring's length on the screen: w / 60 + (w / 73) x s pixels,
// at most w / 11 (w the view's width, s the symbol size factor).
double GroundSpringPixels();
// The drawn ends: the two nodes' drawing positions, or the node's and the
// point along the direction at the grounded length. False when a node is missing.
bool SpringEnds(const CSpring& s, double a[3], double b[3]);
uint32_t SpringColour(const CSpring& s);
