#pragma once
// The results part of a frame's information text.
#include <string>

// With results loaded: the member's largest deflections per load case and
// displacement combination (unless its four end moments are released to a
// sum of 100 % or more), then its forces: the largest and smallest of each
// of the six with their combinations, and every combination's sections.
// "" without results; a part that cannot be read is left out.
std::string GetFrameResultText(int frameId, int nodeI, int nodeJ, int momentReleaseSum);
