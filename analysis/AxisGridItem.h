#pragma once
// One line of an axis grid, and one row of a two-column value table: a left
// value (an integer, or a single-precision real) and a right value (a double),
// with active and selected flags.
//
// Stored in 14 bytes, little-endian: the left value's 32 bits as they are,
// the right value, then the active and the selected flag (one byte each). The
// integer-mode flag is not stored: a reader keeps its own, and its own active
// and selected flags.
//
// Order (of a sorted array of items), by the left operand's mode: integers by
// value; reals by magnitude, equal within 0.00001, so that -2 sorts between 1
// and 3 and -3 and 3 are neither equal nor in order.
#include <cstdint>
#include <cstdio>

#include "analysis/AnalysisApi.h"

class bofstream;
class bifstream;

class ANALYSIS_API CAxisGridItem {
public:
    static constexpr int kRecordSize = 14;

    CAxisGridItem() { m_left.i = 0; }
    CAxisGridItem(int left, double right);
    CAxisGridItem(double left, double right);
    CAxisGridItem(const CAxisGridItem& other) = default;
    CAxisGridItem& operator=(const CAxisGridItem& other) = default;

    void SetLeft(int value);
    // Stored as a float (a value beyond the float range as the largest float).
    void SetLeft(double value);
    void GetLeft(int& value) const { value = m_left.i; }
    void GetLeft(double& value) const { value = m_left.f; }
    void SetRight(double value) { m_right = value; }
    void GetRight(double& value) const { value = m_right; }

    int LeftIsInt() const { return m_bLeftInt; }
    void SetLeftInt(int isInt) { m_bLeftInt = isInt ? 1 : 0; }
    int isActive() const { return m_bActive; }
    void activeIt() { m_bActive = 1; }
    void unActiveIt() { m_bActive = 0; }
    int isslcted() const { return m_bSelected; }
    void slctit() { m_bSelected = 1; }
    void unslctit() { m_bSelected = 0; }

    bool operator==(const CAxisGridItem& other) const;
    bool operator<(const CAxisGridItem& other) const;

    // The 14 bytes through the stream; the stream's state tells success. A
    // short read leaves the item as it was.
    void Serialize(bofstream& out) const;
    void Serialize(bifstream& in);
    // The same 14 bytes on a C file: 1 when all were written or read; a short
    // read leaves the item as it was.
    int Write(FILE* f) const;
    int Read(FILE* f);

private:
    union {
        int32_t i;
        float f;
    } m_left;
    double m_right = 0;
    int8_t m_bLeftInt = 1;
    int8_t m_bActive = 1;
    int8_t m_bSelected = 0;
};
