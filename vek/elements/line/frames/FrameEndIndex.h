#pragma once
// The frames by their pair of end nodes, so that the duplicate test of a new
// frame costs a probe, not a walk over the store; and by the grid cells
// their lines pass, so that the frames a new line may cross are found
// without one.
//
// The store's own routines keep it up to date; code that changes the ends of
// stored frames or puts frames into the store by other ways calls
// InvalidateFrameEndIndex. A stale index is rebuilt on its next use; a
// count that differs from the store's, or nodes reported moved, make it
// stale too.
#include <vector>

class CFrame;

void InvalidateFrameEndIndex();
// A frame just stored, or one whose end nodes changed from (oldI, oldJ).
void IndexFrameEnds(const CFrame& f);
void ReindexFrameEnds(const CFrame& f, int oldI, int oldJ);
// The number of a stored frame between the two nodes (either order), 0 when none.
int FindIndexedFrame(int nodeA, int nodeB);
// The numbers of the frames whose lines may come within the tolerance of
// the segment a-b (a superset), ascending; false when the segment spans so
// many cells that a walk over the store is cheaper.
bool FindFramesNearSegment(const double a[3], const double b[3], std::vector<int>& out);
