#pragma once
// The variable section laid along a picked line: every frame lying on the
// segment gets the part of the current variable section that its ends cut
// from the segment.

// Joins the two-point command to its operation code; after each pair of
// points the command starts again for the next pair.
void RegisterVariableSectionCommand();

// Frames with both ends on P0-P1 get a variable section interpolated from
// the current one (its end I at P0, its end J at P1); equal sections are
// shared. One undo group, sections added to the list included. Returns how
// many frames changed.
int ApplyVariableSectionAlongLine(const double p0[3], const double p1[3]);
