#pragma once
// Element load records and the piecewise-linear distribution of a load
// along a member (DLoadPoints).
#include <cstdint>

#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

// Points (position, value) of a load along a member. A position below
// -LoadError is relative (the fraction of the member length, negated); one
// above LoadError is absolute. A step is two points at one position, the
// left value first.
class KORVA_API DLoadPoints {
public:
    DLoadPoints() = default;
    DLoadPoints(const DLoadPoints& o);
    DLoadPoints& operator=(const DLoadPoints& o);
    DLoadPoints(DLoadPoints&& o) noexcept;
    DLoadPoints& operator=(DLoadPoints&& o) noexcept;
    ~DLoadPoints();
    int operator==(const DLoadPoints& o) const;

    int Entries() const { return m_sCount; }
    void Clear();
    // 0 (the list as it was) for more than 32767 points or without memory.
    int SetPoints(int n, const float* x, const float* v);
    int SetPoints(int n, const double* x, const double* v);
    int IsZero() const;
    // Superposes point loads; 0 (the list as it was) without memory.
    int AppendPointLoad(int n, const double* x, const double* v);
    // Superposes a polyline load. The caller's positions are changed in
    // place (made positive, converted to the list's kind). 0 with a message
    // (at most 110 bytes) when the kinds of positions cannot be combined or
    // memory is short; the list is then as it was.
    int AppendLineLoad(int n, double* x, const double* v, double length, char* message);
    void RemoveSamePointOfLineLoad();

    int Serialize(bofstream& out);
    int Serialize(bifstream& in);

    int16_t m_sCount = 0;
    float* m_pX = nullptr;
    float* m_pV = nullptr;

protected:
    int AppendOneLineLoad(double xa, double fa, double xb, double fb);
    int AppendPoint(double x, double v);
    int InsertPointAt(int index, double x, double v);
    void RemovePointAt(int index);

private:
    int Reserve(int n);
    // Frees the points and takes x and v (n points) in their place.
    void Take(float* x, float* v, int n);
    int m_nAlloc = 0;
};

class KORVA_API DFrameLoad {
public:
    DFrameLoad() = default;
    DFrameLoad(const DFrameLoad&) = default;
    DFrameLoad& operator=(const DFrameLoad& o);
    DFrameLoad(DFrameLoad&&) = default;
    DFrameLoad& operator=(DFrameLoad&&) = default;
    virtual ~DFrameLoad();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DFrameLoad& o) const;

    int32_t m_nNumber = 0;
    float m_fValue[3] = {0, 0, 0};
    DLoadPoints m_Points[3][6];  // three groups, one list per direction
};

class KORVA_API DCframeLoad {
public:
    DCframeLoad() = default;
    DCframeLoad(const DCframeLoad&) = default;
    DCframeLoad& operator=(const DCframeLoad& o);
    DCframeLoad(DCframeLoad&&) = default;
    DCframeLoad& operator=(DCframeLoad&&) = default;
    virtual ~DCframeLoad();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DCframeLoad& o) const;

    int32_t m_nNumber = 0;
    float m_fValue1 = 0;
    float m_fValue2 = 0;
    float m_fBlock[3] = {0, 0, 0};
    DLoadPoints m_Points[2][3];
};

class KORVA_API DPlaneLoad {
public:
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    int operator==(const DPlaneLoad& o) const;

    int32_t m_nNumber = 0;
    float m_fLoad[8] = {0};
    char m_cSwitch[4] = {0};
    float m_fReal = 0;
    float m_fVector1[3] = {0, 0, 0};
    float m_fVector2[3] = {0, 0, 0};
};

class KORVA_API DSol21Load {
public:
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    int operator==(const DSol21Load& o) const;

    int32_t m_nNumber = 0;
    float m_fLoad[24] = {0};
    char m_cSwitch[6] = {0};
    float m_fReal = 0;
    float m_fVector1[3] = {0, 0, 0};
    float m_fVector2[3] = {0, 0, 0};
};

class KORVA_API DShellLoad {
public:
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DShellLoad& o) const;

    int32_t m_nNumber = 0;
    float m_fBlock1[4] = {0, 0, 0, 0};
    float m_fBlock2[4] = {0, 0, 0, 0};
    float m_fDirection[3] = {0, 0, -1};
    float m_fValues[4][8] = {{0}};
    float m_fVector1[3] = {0, 0, 0};
    float m_fVector2[3] = {0, 0, 0};
    float m_fReal = 0;
};

class KORVA_API DWallLoad {
public:
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    int operator==(const DWallLoad& o) const;
    // Sides 2, 3 and 4 hold pairs 1, 2 and 3; other sides are ignored.
    void SetSideLoad(int side, double a, double b);

    int32_t m_nNumber = 0;
    float m_fValue = 0;
    float m_fSide[6] = {0, 0, 0, 0, 0, 0};
};

class KORVA_API DHistoryLoad {
public:
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DHistoryLoad& o) const;

    int32_t m_nNumber1 = 0;
    int32_t m_nNumber2 = 0;
    float m_fValues[4][6] = {{0}};
    char m_cMode = 3;  // 1..4
    float m_fModeVector[3] = {1, 0, 0};
    float m_fVector[3] = {0, 0, 0};
};
