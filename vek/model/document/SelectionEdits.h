#pragma once
// Two edits of every selected object at once, undone as one step: the
// selection moved onto the current layer, and the load change of the
// load-direction panel.
// Each moved object's old layer goes to the undo history through the
// document hooks (kind 1 beam, 5 shell, 6 wall, 7 solid, 8 plane element,
// 9 node).
void ChangeSelectionToCurrentLayer();
// The layer selector's edit: the change above when a node or element is
// selected (true); with nothing selected, nothing at all (false).
bool MoveSelectionToCurrentLayer();
// The operation callback of the load-change command (612).
void ApplyLoadChangeToSelection();
