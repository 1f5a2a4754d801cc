#pragma once
// Text alignment flags (the window system's values), shared by the model's
// canvas and the view's drawing layer.
constexpr unsigned kAlignLeft = 0;
constexpr unsigned kAlignRight = 2;
constexpr unsigned kAlignCenter = 6;
constexpr unsigned kAlignBottom = 8;
constexpr unsigned kAlignBaseline = 24;
