#pragma once
// Which kinds of object the current selection may take, one byte flag each,
// and the words that describe them in the prompts.
#include <cstdint>
#include <string>

class CSelectFilter {
public:
    enum Kind : int {
        kNodes = 0,
        kBeams = 1,
        kColumns = 2,
        kWalls = 3,
        kShells = 4,
        kSolids = 5,
        kPlanes = 6,
        kBoundaries = 7,
        kTrusses = 8,
        kCurvedBeams = 9,
        kPipes = 10,
        kIntegralLines = 11,
        kSmallRegions = 12,
        kAxes = 13,
        kAxisGridLine = 14,
        kRegions = 15,
        kSprings = 16,
        kCount = 17
    };

    CSelectFilter() { Clear(); }

    // Each setter clears every flag first when asked, then sets its own.
    void SelectNodes(int clearFirst) { Set(kNodes, clearFirst); }
    void SelectBeams(int clearFirst) { Set(kBeams, clearFirst); }
    void SelectColumns(int clearFirst) { Set(kColumns, clearFirst); }
    void SelectFrames(int clearFirst)
    {
        Set(kBeams, clearFirst);
        m_flags[kColumns] = 1;
    }
    void SelectWalls(int clearFirst) { Set(kWalls, clearFirst); }
    void SelectShells(int clearFirst) { Set(kShells, clearFirst); }
    void SelectSolids(int clearFirst) { Set(kSolids, clearFirst); }
    void SelectPlanes(int clearFirst) { Set(kPlanes, clearFirst); }
    void SelectBoundaries(int clearFirst) { Set(kBoundaries, clearFirst); }
    void SelectTrusses(int clearFirst) { Set(kTrusses, clearFirst); }
    void SelectCurvedBeams(int clearFirst) { Set(kCurvedBeams, clearFirst); }
    void SelectPipes(int clearFirst) { Set(kPipes, clearFirst); }
    void SelectIntegralLines(int clearFirst) { Set(kIntegralLines, clearFirst); }
    void SelectSmallRegions(int clearFirst) { Set(kSmallRegions, clearFirst); }
    void SelectAxes(int clearFirst) { Set(kAxes, clearFirst); }
    void SelectAxisGridLine(int clearFirst) { Set(kAxisGridLine, clearFirst); }
    void SelectRegions(int clearFirst) { Set(kRegions, clearFirst); }
    void SelectSprings(int clearFirst) { Set(kSprings, clearFirst); }

    void Clear();
    // Clears flags 11 to 16 only.
    void ClearSpecial();
    // Nodes and every element kind (flags 0 to 6 and 8 to 10).
    void SelectAllKinds();
    // The whole filter out and back (kept across the end of all operations).
    void Snapshot(uint8_t out[kCount]) const;
    void Restore(const uint8_t in[kCount]);

    bool Takes(int kind) const { return kind >= 0 && kind < kCount && m_flags[kind] != 0; }
    void SetFlag(int kind, bool on)
    {
        if (kind >= 0 && kind < kCount) m_flags[kind] = on ? 1 : 0;
    }
    // Axis lines, the axis-grid line or the regions: the selection picks at
    // once on the first click and takes no windows.
    bool HasSinglePickKind() const { return m_flags[kAxes] || m_flags[kAxisGridLine] || m_flags[kRegions]; }
    // The prompt's words for what the filter takes.
    std::string GetDescription() const;

    uint8_t m_flags[kCount];

private:
    void Set(int kind, int clearFirst)
    {
        if (clearFirst) Clear();
        m_flags[kind] = 1;
    }
};

extern CSelectFilter theSelectFilter;
