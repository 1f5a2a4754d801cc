#pragma once
// What frames need of the section classes, by number: the project records
// of the general and variable sections in the frames' block, the name shown
// for a frame's section and its outline for the true-shape picture. The
// section classes' own operations are not part of this folder; these are
// the small functions frames call.
class bofstream;
class bifstream;
class CFrameSect;
class CVframeSect;
class TrueShapeReg;

// The project records (name, kind, parameters), read by the project version
// in force; before version 600 the general section carries no name.
int WriteFrameSectRecord(bofstream& out, CFrameSect& s);
int ReadFrameSectRecord(bifstream& in, CFrameSect& s);
int WriteVframeSectRecord(bofstream& out, CVframeSect& s);
int ReadVframeSectRecord(bifstream& in, CVframeSect& s);

// The section's name by kind (0 general, 1 steel, 2 variable) and number;
// "" when there is none.
const char* FrameSectionName(int kind, int number);
// The section outline by kind and number in the section's own plane (local
// 2 up, local 3 across), and its width across at end I and end J. False
// when the section has no outline (the member is then drawn as a line).
bool FrameSectionOutline(int kind, int number, bool endJ, TrueShapeReg& outline, double& width);
