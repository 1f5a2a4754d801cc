#pragma once
// Prescribed displacements and rotations of nodes in any direction, one value
// per load case, kept in one list saved with the node block, and the record
// last entered in the displacement panel.
#include <cstdint>
#include <vector>

class bofstream;
class bifstream;

class CNodeDisplacement {
public:
    CNodeDisplacement() : m_values(1, 0.0) {}
    virtual ~CNodeDisplacement() = default;
    CNodeDisplacement(const CNodeDisplacement&) = default;
    CNodeDisplacement& operator=(const CNodeDisplacement&) = default;

    // Same node and kind, and parallel directions (or one of them zero).
    bool operator==(const CNodeDisplacement& o) const;
    // Has values and, unless the direction is free, a direction.
    bool IsValid() const;
    void Scale(double factor);

    // node, kind, count (int32 each), the values, three floats.
    int Write(bofstream& out) const;
    // A count beyond the bytes left fails the stream; the record is then unchanged.
    int Read(bifstream& in);

    // The least bytes of one record.
    static constexpr int kMinStreamBytes = 24;

    int32_t m_nNode = 0;
    int32_t m_nKind = 1;           // 1 translation, 0 rotation
    std::vector<double> m_values;  // entry i: load case i + 1
    float m_fDir[3] = {0, 0, 0};
};

extern std::vector<CNodeDisplacement> theNodeDisplacements;
extern CNodeDisplacement theCurrentDisplacement;
// The displacement panel's switch: the direction does not matter.
extern int bDisplacementDirectionFree;
