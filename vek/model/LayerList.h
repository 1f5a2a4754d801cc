#pragma once
// The model's layers: named groups with a colour and a visibility switch.
// Element 0 is the fixed layer; new nodes and elements go to the current one.
#include <cstddef>
#include <cstdint>
#include <vector>

struct LayerInfo {
    char name[21];    // at most 20 significant characters, NUL-terminated
    char visible;     // 'Y' shown, 'N' hidden
    uint32_t colour;  // 0x00BBGGRR

    LayerInfo();
    LayerInfo(const char* name, char visible, uint32_t colour);
    void SetName(const char* text);
    // Layers are the same layer when their names are, ignoring case.
    bool operator==(const LayerInfo& other) const;
};

class CLayerList {
public:
    CLayerList();
    // Current layer 0; only the fixed layer left.
    void Reset();

    int GetSize() const { return static_cast<int>(m_layers.size()); }
    const LayerInfo& operator[](int i) const { return m_layers[static_cast<size_t>(i)]; }
    LayerInfo& operator[](int i) { return m_layers[static_cast<size_t>(i)]; }

    int GetCurrent() const { return m_current; }
    void SetCurrent(int index) { m_current = index; }

protected:
    int m_current = 0;
    std::vector<LayerInfo> m_layers;
};

extern CLayerList theLayers;
