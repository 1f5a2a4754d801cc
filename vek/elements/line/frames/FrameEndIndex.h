#pragma once
// The frames by their pair of end nodes, so that the duplicate test of a new
// frame costs a probe, not a walk over the store.
//
// The store's own routines keep it up to date; code that changes the ends of
// stored frames or puts frames into the store by other ways calls
// InvalidateFrameEndIndex. A stale index is rebuilt on its next use, and a
// count that differs from the store's makes it stale too.
class CFrame;

void InvalidateFrameEndIndex();
// A frame just stored, or one whose end nodes changed from (oldI, oldJ).
void IndexFrameEnds(const CFrame& f);
void ReindexFrameEnds(const CFrame& f, int oldI, int oldJ);
// The number of a stored frame between the two nodes (either order), 0 when none.
int FindIndexedFrame(int nodeA, int nodeB);
