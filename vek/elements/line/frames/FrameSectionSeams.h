#pragma once
// What frames need of the section classes, by number: the name shown for a
// frame's section and its outline for the true-shape picture.
class TrueShapeReg;

// The section's name by kind (0 general, 1 steel, 2 variable) and number;
// "" when there is none.
const char* FrameSectionName(int kind, int number);
// The section outline by kind and number in the section's own plane (local
// 2 up, local 3 across), and its width across at end I and end J. False
// when the section has no outline (the member is then drawn as a line).
bool FrameSectionOutline(int kind, int number, bool endJ, TrueShapeReg& outline, double& width);
