#pragma once
// A wind-face record: how many storeys a windward face reaches down and its
// body coefficient. Beams and walls refer to them by 1-based index per wind
// direction; the list and the record last entered are saved by the node
// family's wind block.
#include <cstdint>
#include <vector>

class bofstream;
class bifstream;

class CWindElementPar {
public:
    // Same storey count and coefficients within 0.001.
    bool operator==(const CWindElementPar& o) const;
    // No storeys or a coefficient below 0.001 in size.
    bool IsEmpty() const;
    // For a face in storey s: the height down to the storey it reaches and
    // the coefficient; true when the face reaches below s.
    bool GetFaceSpan(int storey, double& height, double& coefficient) const;

    // The byte, then the float.
    int Write(bofstream& out) const;
    int Read(bifstream& in);

    uint8_t m_nDownStoreys = 1;
    float m_fCoefficient = 0.6f;
};

extern std::vector<CWindElementPar> theWindElementPars;
extern CWindElementPar theWindElementDefault;

// The project-file block: count, the records, the record last entered.
// Files older than version 520 have none.
int WriteWindParameters(bofstream& out);
int ReadWindParameters(bifstream& in);
