#pragma once
// The frame information text of the view menu's query: the member, its
// section, material, ends, releases, loads and windward data, and its
// deflections and forces once results are loaded.
#include <string>

class CFrame;

// option 1 model only, 2 results only (after the first line), 3 both.
std::string GetFrameInfoText(const CFrame& frame, int option);
