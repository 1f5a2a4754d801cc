#pragma once
// The mouse and the keyboard as a user's: through the system's input queue,
// so that windows get them as queued messages.
#include <windows.h>

namespace vektest {

void MouseTo(int x, int y);  // screen coordinates
void MouseToClient(HWND hwnd, int x, int y);
void MouseButton(bool down);  // the left button
void MouseRightButton(bool down);
void MouseMiddleButton(bool down);
void Key(WORD vk, bool down);
void Tap(WORD vk);
// Moves the mouse to the screen's far corner, away from test windows.
void MouseAway();

}  // namespace vektest
