#pragma once
// Two edits of every selected object at once, undone as one step: the
// selection moved onto the current layer, and the load change of the
// load-direction panel.
#include <cstdint>

// The undo record of one object's layer: undo and redo both exchange the
// object's layer with the stored one.
struct CUndoLayerChange {
    // 1 beam, 5 shell, 6 wall, 7 solid, 8 plane element, 9 node.
    int8_t kind = 0;
    int16_t layer = 0;
    int32_t id = 0;

    void Exchange();
};

void ChangeSelectionToCurrentLayer();
// The operation callback of the load-change command (612).
void ApplyLoadChangeToSelection();
