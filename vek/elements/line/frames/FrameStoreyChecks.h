#pragma once
// Beams against the storey floors: beam tops level with the floor through
// their eccentricities, and the wind-face data that only beams lying on a
// storey floor (and walls standing on one) may carry.
#include <cstdint>
#include <functional>

// Each horizontal beam of an ordinary section whose two ends lie on their
// storey floors (every such beam, or only the shown ones) gets the local-2
// eccentricity of both ends that puts its top at the floor: the distance
// to the section's bottom edge when its 2-axis points down, else minus the
// distance to its top edge. One undo group; returns how many changed.
int SetBeamTopEccentricity(int onlyShown);

// The walls' wind-face indices, as their family gives them: for each wall
// its number, its first node and its two indices (which may be changed).
// Unbound, the model has no walls; a wall family must bind it, or the
// records only its walls use are removed with the unused ones.
using WindwardWallVisit = std::function<void(int number, int firstNode, int16_t (&wind)[2])>;
extern std::function<void(const WindwardWallVisit&)> theWindwardWalls;

// Wind-face indices past the record list are cleared; elements that cannot
// face the wind lose theirs with a message each; the records nothing uses
// are removed and the indices renumbered. Returns how many records went.
int CheckWindwardElements();
