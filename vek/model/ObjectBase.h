#pragma once
// The base of every node, element, region, boundary and axis grid: a flag word
// and the display test. Drawing and picking read only the display state that
// UpdateRangeFlags stored, never the test itself.
#include <cstdint>

class bifstream;

// Flag bits shared by every model object; the other bits belong to the families.
enum : uint32_t {
    kObjSelected = 1u << 0,   // selected
    kObjLive = 1u << 1,       // drawn in its state colour, else in the background colour
    kObjStateMask = 3u << 2,  // display state last computed
    kObjStateShown = 1u << 2,
    kObjStateOtherStorey = 2u << 2,
};

class CObjectBase {
public:
    // 0 not shown, 1 shown, 2 shown as part of another storey of the storey range.
    virtual int GetDisplayState() = 0;

    // Runs the display test and stores its answer in bits 2-3; returns the
    // bits that changed (masked to bits 2-3).
    uint32_t UpdateRangeFlags();
    // Project files of version 700 and later carry the low 8 bits of the flags.
    void ReadFlags(bifstream& in);

    int GetDisplayBits() const { return static_cast<int>((m_nFlags & kObjStateMask) >> 2); }
    bool IsSelected() const { return (m_nFlags & kObjSelected) != 0; }

    uint32_t m_nFlags = 0;

protected:
    CObjectBase() = default;
    CObjectBase(const CObjectBase&) = default;
    CObjectBase& operator=(const CObjectBase&) = default;
    // Objects are destroyed through their own stores, never through this base.
    ~CObjectBase() = default;
};
