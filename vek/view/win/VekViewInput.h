#pragma once
// The model view's mouse, wheel, keyboard, cursor, context-menu and command
// messages, as the view window hands them over: its message map routes each
// one here with the view and the message's own arguments.
#include "framework/Afx.h"

namespace VekViewInput {

// The view the interaction works with (its capture, cursor, menus and the
// commands the prompt bar posts); bound when the view is created.
void BindView(CWnd* view);
CWnd* BoundView();

void OnLButtonDown(CWnd* view, UINT flags, CPoint point);
void OnLButtonUp(CWnd* view, UINT flags, CPoint point);
void OnMouseMove(CWnd* view, UINT flags, CPoint point);
void OnMButtonDown(CWnd* view, UINT flags, CPoint point);
void OnMButtonUp(CWnd* view, UINT flags, CPoint point);
// The point of a wheel message is on the screen.
BOOL OnMouseWheel(CWnd* view, UINT flags, short delta, CPoint screenPoint);
void OnNcMouseMove(CWnd* view);
// TRUE when the cursor was set (in the client area).
BOOL OnSetCursor(CWnd* view, UINT hitTest);
void OnContextMenu(CWnd* view, CPoint screenPoint);
void OnKeyDown(UINT virtualKey);
// A character typed over the view goes to the prompt bar's input edit.
void OnChar(UINT ch, UINT repeat, UINT flags);
// The idle step of the edge auto-pan; true while it wants more idle time.
bool AutoPanOnIdle(CWnd* view);

// The view's commands of the command table and of its context menus: true
// when the id is one of them (carried out or not).
bool OnCommand(UINT id);
// The state of a command's item: true when the id is one of them.
bool OnUpdateCommand(CCmdUI* ui);

// One message of the view window: true when it was taken, with the window
// procedure's result in `result`; false leaves it to the view's own handling.
bool HandleViewMessage(CWnd* view, UINT message, WPARAM wp, LPARAM lp, LRESULT& result);

// A picture was built anew on the back buffer: the rubber band and a shown
// snap marker, both drawn by exclusive or, go on it again.
void OnPictureRebuilt();
// For the model drawing pass: the candidates of the last picture are
// dropped; an axis-grid node is offered.
void SnapReset();
void AddGridSnapPoint(const double point[3]);
// 1 while a view drag (kind 18) holds a point.
int ViewDragging();

// The commands of the view's table whose work is bound, and its context
// menus' commands, as a command target to put in a command route: it
// carries them out (a greyed one does nothing) and gives their items' state.
CCmdTarget& CommandTarget();

}  // namespace VekViewInput
