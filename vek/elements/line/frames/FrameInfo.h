#pragma once
// The frame information text of the view menu's query: the member, its
// section, material, ends, releases, loads and windward data.
#include <string>

class CFrame;

// The model part of the text (the results part follows once the result
// texts are built); option 1 model only, 2 results only, 3 both.
std::string GetFrameInfoText(const CFrame& frame, int option);
