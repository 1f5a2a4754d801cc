#pragma once
// The frames' part of the data check: each returns 1 when it found nothing
// wrong; offenders are selected and the first of each kind is reported.

// Sections and materials, section areas, tension-only marks of variable
// sections (cleared).
int CheckFrameSections();
// End order (node I the upper end) and local axes, repaired in one undo
// group; always 1.
int CheckFrameOrientation();
// Load positions and cables; repeated points of the distributed loads go.
int CheckFrameLoads();
// Members shorter than a twentieth of the mean length (at least the plan tolerance).
int CheckShortFrames();
