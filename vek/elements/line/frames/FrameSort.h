#pragma once
// Renumbering frames in a geometric or grouped order and removing frames
// that join the same two nodes. Both number the frames 1..n without holes,
// keep every reference right and empty the undo stack.

// Mode: 1..6 by coordinates (1 Z X Y, 2 Z Y X, 3 X Y Z, 4 X Z Y, 5 Y X Z,
// other Y Z X; values within the plan tolerance equal), 7 and 8 by storey
// or layer, 20 by section kind; ties by number. Returns 1 when the numbers
// changed.
int SortFrames(int mode);
// Frames between the same two nodes (either order): the one of the lowest
// number stays and takes the others' loads. Returns how many were removed.
int DeleteDuplicateFrames();
// Command 32930 with the elements chosen: the frames renumbered in the
// project's sort order, then the prompt "排序完毕.". Returns 1 when the
// numbers changed.
int SortElementsCommand();
