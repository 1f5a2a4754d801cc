#pragma once
// What the view's mouse, wheel and keyboard messages mean for the running
// operations: which point or pixel a click stands for (snap, screen point,
// nearest node, grid node, work plane), rubber bands and snapping on mouse
// moves, the middle-button pan, the wheel zoom, the cursor, the context
// menus and the edge auto-pan. The view window calls these with client
// pixels; the capture and the cursor go back through the operation host.
#include <string>
#include <vector>

#include "framework/WinTypes.h"

namespace ViewInput {

// Cursor resources.
enum : int {
    kCursorPan = 209,
    kCursorZoomWindow = 149,
    kCursorLiveZoom = 354,
    kCursorRotateInner = 355,
    kCursorRotateOuter = 356,
    kCursorEdgeRight = 138,
    kCursorEdgeLeft = 139,
    kCursorEdgeTop = 140,
    kCursorEdgeBottom = 141,
    kCursorEdgeTopRight = 142,
    kCursorEdgeTopLeft = 143,
    kCursorEdgeBottomLeft = 144,
    kCursorEdgeBottomRight = 145,
    kCursorSelectAdd = 318,
    kCursorNormal = 146,
};

// Commands of the context menus.
enum : int {
    kCmdEndDefinition = 32799,
    kCmdApplySelection = 32803,
    kCmdEscape = 295,
};
constexpr int kMenuNoOperation = 293;
constexpr int kMenuOperation = 210;

void OnLButtonDown(int x, int y);
void OnLButtonUp(int x, int y);
void OnMouseMove(int x, int y);
void OnMButtonDown(int x, int y);
void OnMButtonUp(int x, int y);
// The wheel's delta and the cursor in client pixels.
void OnMouseWheel(int delta, int x, int y);
// The Delete key deletes the selection.
void OnKeyDown(unsigned virtualKey);

// The cursors for this moment, best first: the view takes the first one it
// can load. client is the view's client rectangle.
std::vector<int> ChooseCursors(int x, int y, const RECT& client, bool shiftOrCtrl);

// The context menu: which menu resource, whether only its first item stays,
// and the item put on top of it (command 0 for none).
struct CContextMenuPlan {
    int menu = 0;
    bool onlyFirstItem = false;
    int insertCommand = 0;
    std::string insertText;
};
CContextMenuPlan PlanContextMenu();
// The context menu's commands 32799, 32803 and 295.
void OnContextCommand(int id);

// The idle step of the edge auto-pan with the cursor in client pixels and
// the clock in milliseconds; true while it wants more idle time.
bool AutoPanOnIdle(int x, int y, long now);
// Back to the state of a run's start (tests).
void ResetAutoPan();

// The point a click at a pixel gives a point-gathering operation; false
// when there is none (the free 3-D view with nothing under the cursor).
bool ClickPoint(int x, int y, double out[3]);

}  // namespace ViewInput
