#pragma once
// Picking frames by click, window, polygon and crossing segment, for every
// frame ('F'), beams only ('B') or columns only ('C'). Each returns 1 when
// a frame changed.
#include "framework/WinTypes.h"

int PickFrameAtPoint(int x, int y, int toggle, int stacked, char kind);
int SelectFramesInWindow(POINT a, POINT b, int toggle, int allStates, char kind);
int SelectFramesCrossingLine(POINT a, POINT b, int toggle, int allStates, char kind);
int SelectFramesInPolygon(const POINT* points, int n, int toggle, int allStates, char kind);

// The pick rows of the three kinds, bound into the view's picking table.
void RegisterFramePickRows();
