#pragma once
// Helpers of the model's project records: the name at the head of a
// section's record, and old files' doubles as floats.
#include <cfloat>
#include <cstdint>
#include <vector>

#include "korvalib/base/biostream.h"

// Longest name a project record may carry.
constexpr int32_t kMaxSectionNameBytes = 4096;

// Reads the 32-bit length and the bytes into the record's name; false (the
// stream failed, the name as it was) for a length no file can hold.
template <class T>
bool ReadSectionName(bifstream& in, T& record)
{
    int32_t n = 0;
    in >> n;
    if (!in.IsGood() || n < 0 || n > kMaxSectionNameBytes || !in.CheckAvailable(n)) {
        in.SetFailed();
        return false;
    }
    std::vector<char> name(static_cast<size_t>(n) + 1, '\0');
    if (n > 0 && !in.Read(name.data(), n)) return false;
    record.SetName(name.data());
    return true;
}

// An old file's double as a float: out of range it is the largest float
// (a plain conversion would be undefined).
inline float NarrowToFloat(double v)
{
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return float(v);
}
