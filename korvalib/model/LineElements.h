#pragma once
// Line element records: trusses, curved beams and pipes, and tight wires.
// Every element record starts with the element head (number, two attribute
// words, I and J nodes) and ends with an attribute word that files of
// version 100 and older lack.
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

class KORVA_API DTrussBase {
public:
    DTrussBase() = default;
    DTrussBase(int nodeI, int nodeJ) : m_nNodeI(nodeI), m_nNodeJ(nodeJ) {}
    DTrussBase(const DTrussBase&) = default;
    DTrussBase& operator=(const DTrussBase&) = default;
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    // Joins the same two nodes, in either order.
    int operator==(const DTrussBase& o) const;

    int32_t m_nID = 0;
    int16_t m_sAttr1 = 1;
    int16_t m_sAttr2 = 1;
    int32_t m_nNodeI = 0;
    int32_t m_nNodeJ = 0;
    int16_t m_sAttr3 = 0;
    int16_t m_sAttr4 = 0;
    float m_fAttr = 0;
    int16_t m_sLastAttr = 1;
};

class KORVA_API DCframeBase {
public:
    DCframeBase() = default;
    DCframeBase(int nodeI, int nodeJ) : m_nNodeI(nodeI), m_nNodeJ(nodeJ) {}
    DCframeBase(const DCframeBase&) = default;
    DCframeBase& operator=(const DCframeBase& o);
    DCframeBase(DCframeBase&&) = default;
    DCframeBase& operator=(DCframeBase&&) = default;
    virtual ~DCframeBase();
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    int operator==(const DCframeBase& o) const;

    void SetCircle(double r);
    void SetParabola(double p);
    void SetHyperbola(double a, double b);
    void SetSpline(const double* x, const double* y);
    // Copy the stored values out; 1 when the curve is of that type.
    int GetCircle(double& r) const;
    int GetParabola(double& p) const;
    int GetHyperbola(double& a, double& b) const;
    int GetSpline(double* x, double* y) const;
    int IsCircle() const { return m_cCurve == 1; }
    int IsParabola() const { return m_cCurve == 2; }
    int IsHyperbola() const { return m_cCurve == 3; }
    int IsSpline() const { return m_cCurve == 4; }

    int32_t m_nID = 0;
    int16_t m_sAttr1 = 1;
    int16_t m_sAttr2 = 1;
    int32_t m_nNodeI = 0;
    int32_t m_nNodeJ = 0;
    int16_t m_sAttr3 = 0;
    int16_t m_sAttr4 = 0;
    char m_cCurve = 0;  // 1 circle, 2 parabola, 3 hyperbola, 4 spline
    float m_fCurve1 = 0;
    float m_fCurve2 = 0;
    float m_fSplineX[5] = {0, 0, 0, 0, 0};
    float m_fSplineY[5] = {0, 0, 0, 0, 0};
    float m_fVector[3] = {0, 0, 0};
    char m_cBytes[6] = {100, 100, 100, 100, 100, 100};
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

class KORVA_API DPipeBase {
public:
    DPipeBase() = default;
    DPipeBase(int nodeI, int nodeJ) : m_nNodeI(nodeI), m_nNodeJ(nodeJ) {}
    DPipeBase(const DPipeBase&) = default;
    DPipeBase& operator=(const DPipeBase&) = default;
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    int operator==(const DPipeBase& o) const;

    void SetLocal2(double x, double y, double z);
    void SetCurveData(double value, double x, double y, double z, int n);
    int GetLocal2(double& x, double& y, double& z) const;
    int GetCurveData(double& value, double& x, double& y, double& z, int& n) const;

    int32_t m_nID = 0;
    int16_t m_sAttr1 = 1;
    int16_t m_sAttr2 = 1;
    int32_t m_nNodeI = 0;
    int32_t m_nNodeJ = 0;
    char m_cMode = 0;  // 0 none, 1 second local axis, 2 curve data
    float m_fLocal2[3] = {0, 0, 0};
    int16_t m_sAttr3 = 0;
    int16_t m_sAttr4 = 0;
    float m_fAttr1 = 0;
    float m_fAttr2 = 0;
    float m_fCurveValue = 0;
    char m_cCurveInt = 0;
    float m_fCurveVector[3] = {0, 0, 0};
    int16_t m_sLastAttr = 1;
};

class KORVA_API DTightWire {
public:
    DTightWire() = default;
    DTightWire(const DTightWire&) = default;
    DTightWire& operator=(const DTightWire&) = default;
    virtual ~DTightWire();
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    int operator==(const DTightWire& o) const;

    int32_t m_nValue = 0;
    float m_fLength1 = 0;
    float m_fLength2 = 0;
    float m_fLength3 = 0;
    float m_fForce = 0;
    float m_fLength4 = 0;
};

struct DTightWireItem {
    int32_t nElement;
    float fValue1;
    float fValue2;
};
static_assert(sizeof(DTightWireItem) == 12, "tight-wire entries are streamed as 12 bytes");

class KORVA_API DTightWireIndex {
public:
    DTightWireIndex() = default;
    DTightWireIndex(const DTightWireIndex& o);
    DTightWireIndex& operator=(const DTightWireIndex& o);
    ~DTightWireIndex();
    int Serialize(bofstream& out);
    int Serialize(bifstream& in);
    int operator==(const DTightWireIndex& o) const;

    // Appends an entry; 0 when the count is full or memory is short.
    int Add(int element, float a, float b);
    void Clear();
    int Entries() const { return m_sCount; }
    const DTightWireItem& operator[](int i) const { return m_pItems[i]; }

    int16_t m_sCount = 0;
    DTightWireItem* m_pItems = nullptr;
};
