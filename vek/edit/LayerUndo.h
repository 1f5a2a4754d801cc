#pragma once
// The layer of any element, kept for undo: a kind code (1 frame, 5 shell,
// 6 wall, 7 solid, 8 plane, 9 node; any other does nothing), the element's
// number and its layer before the change. Reaches the element through the
// model's family table.
#include <cstdint>

#include "vek/edit/Undo.h"

class CUndoLayerChange : public CUndoClass {
public:
    CUndoLayerChange(int kind, int id, int oldLayer) : m_nKind(uint8_t(kind)), m_nID(id), m_nLayer(int16_t(oldLayer)) {}
    int Undo() override { return Apply(); }
    int Redo() override { return Apply(); }

    int GetLayer() const { return m_nLayer; }

private:
    int Apply();

    uint8_t m_nKind;
    int32_t m_nID;
    int16_t m_nLayer;
};
