#pragma once
// The model's layers: named groups with a colour and a visibility switch.
// Element 0 is the fixed layer; new nodes and elements go to the current one.
#include <cstddef>
#include <cstdint>
#include <vector>

class bofstream;
class bifstream;
struct CKvdDataSet;

struct LayerInfo {
    char name[21];    // at most 20 significant bytes, NUL-terminated
    char visible;     // 'Y' shown, 'N' hidden
    uint32_t colour;  // 0x00BBGGRR

    LayerInfo();
    LayerInfo(const char* name, char visible, uint32_t colour);
    // Longer names are cut to 20 bytes, never inside a double-byte character.
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
    // Indices out of range are clamped (nodes and elements hold 16-bit indices).
    const LayerInfo& operator[](int i) const { return m_layers[Clamp(i)]; }
    LayerInfo& operator[](int i) { return m_layers[Clamp(i)]; }

    int GetCurrent() const { return m_current; }
    void SetCurrent(int index) { m_current = index; }

    // "0" (the default layer of drawings) is the fixed layer; otherwise the
    // first layer of that name, or a new layer appended under it.
    int FindOrAdd(const char* name);
    // The layer of automatically meshed elements; appended when missing unless
    // it must exist (then -1).
    int GetDefaultLayer(bool mustExist);
    // Appends a layer; its index, or -1 when there is no memory for it.
    int Add(const LayerInfo& layer);

    // The project-file block. Reading leaves the list as it was when the block
    // is damaged (result false, stream failed).
    bool Write(bofstream& out) const;
    bool Read(bifstream& in);

    // The layer records of the library file, with the master nodes' layer last.
    void Export(CKvdDataSet& set) const;

protected:
    size_t Clamp(int i) const
    {
        return i <= 0 ? 0 : (static_cast<size_t>(i) >= m_layers.size() ? m_layers.size() - 1 : static_cast<size_t>(i));
    }

    int m_current = 0;
    std::vector<LayerInfo> m_layers;
};

extern CLayerList theLayers;

// The name of the layer that automatic meshing puts its elements on.
extern const char* const kMeshLayerName;
