#pragma once
// What is shown: the display options (kinds and attributes drawn), the ID
// ranges per element kind, and the pass that stores every object's display
// test in its flags so that drawing and picking read only those bits.
#include <cstdint>

class bofstream;
class bifstream;

// Nine ID ranges (from, to, step): nodes, frames, walls, shells, solids,
// planes, trusses, curved beams, pipes.
class CDisplayRange {
public:
    static constexpr int kKinds = 9;
    struct Range {
        int32_t from, to, step;
        bool Contains(int id) const { return id >= from && id <= to && (step < 2 || (id - from) % step == 0); }
    };

    CDisplayRange() { Reset(); }
    // Every range (1, 0, 1): nothing in range until validated.
    void Reset();
    // Ranges brought within 1..the last number of their store.
    void Validate();
    void ShowAll();

    bool Write(bofstream& out) const;
    bool Read(bifstream& in);

    Range ranges[kKinds];
};

class CDisplayOptions {
public:
    CDisplayOptions() { Reset(); }
    void Reset();

    // Switch bytes 0..31 and 36..39 (32..35 are the switch word).
    uint8_t& Switch(int i) { return i < 32 ? m_switch[i] : m_more[i - 36]; }
    uint8_t Switch(int i) const { return i < 32 ? m_switch[i] : m_more[i - 36]; }
    bool WordBit(int bit) const { return (m_word >> bit & 1u) != 0; }
    void SetWordBit(int bit, bool on) { m_word = on ? m_word | 1u << bit : m_word & ~(1u << bit); }
    // The element shrink selection 0..15 (word bits 5-8).
    int ShrinkFactor() const { return int(m_word >> 5 & 15u); }

    bool Write(bofstream& out) const;
    bool Read(bifstream& in);

    // Runs every object's display test and stores the answers.
    static void UpdateVisibleObjects();

    uint8_t m_switch[32];
    uint32_t m_word;
    uint8_t m_more[4];
};

extern CDisplayRange theDisplayRange;
extern CDisplayOptions theDisplayOptions;

// Before bulk edits: grows the stores ahead and turns the storey lookup off
// when adding that many objects would take too long.
void ReserveModelCapacity(int nodes, int frames, int walls, int shells, int solids, int planes);
// The same for copies of the selected objects of the kinds switched on.
void CountSelectedAndReserve(int copies, const int switches[6]);
