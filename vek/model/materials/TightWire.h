#pragma once
// Prestressing cables: one shared list of cable descriptions that frames
// name by 1-based number, and the input of the cable panel.
#include "containers/MLArray.h"

class bofstream;
class bifstream;

class CTightWire {
public:
    CTightWire() = default;
    CTightWire(const CTightWire&) = default;
    CTightWire& operator=(const CTightWire& o);
    virtual ~CTightWire() = default;
    // The five floats in order; reading leaves the cable as it was on a short stream.
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);

    // Offsets and span within the plan tolerance, T within 1e-10.
    bool IsSame(const CTightWire& o) const;
    // No pretension or no span.
    int IsZero() const;
    void ScaleUnits(double forceFactor, double lengthFactor);

    float m_fDi = 0;    // offset at the start
    float m_fDc = 0;    // offset at the middle
    float m_fDj = 0;    // offset at the end
    float m_fT = 0;     // pretension
    float m_fSpan = 0;  // length between the two picked points
};

template <>
struct MLArrayEqual<CTightWire> {
    static bool Equal(const CTightWire& a, const CTightWire& b) { return a.IsSame(b); }
};

class CTightWireParameter {
public:
    virtual ~CTightWireParameter() = default;
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    bool RemovesCables() const { return m_cMode == 2; }

    CTightWire m_wire;
    char m_cMode = 1;  // 2 removes cables, any other value assigns them
};

extern MLArray<CTightWire> theTightWires;
extern CTightWireParameter theTightWireParameter;
