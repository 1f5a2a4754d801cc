#pragma once
// The response-spectrum settings: which earthquake directions are computed,
// how the modes are combined and damped, and which spectrum is used.
#include <cstdint>
#include <vector>

#include "containers/MLArray.h"

class bofstream;
class bifstream;
class DKorvaDataFile;
class DSpectrumDir;
struct CKvdDataSet;

// A point of a curve: abscissa and value.
struct TimeLoadPoint {
    float x = 0;
    float value = 0;
    bool operator==(const TimeLoadPoint& o) const { return x == o.x && value == o.value; }
};

class CSpectrumSettings {
public:
    CSpectrumSettings() { SetDefaults(); }
    CSpectrumSettings(const CSpectrumSettings& o) { *this = o; }
    CSpectrumSettings& operator=(const CSpectrumSettings& o);
    // Every field to its default and the modes 1..10 undamped; the curve
    // points stay.
    void SetDefaults();
    void Reset() { SetDefaults(); }

    bool AnyDirection() const { return direction1On || direction2On || verticalOn; }
    // One record per direction switched on (1, 2, vertical), appended.
    void BuildDirections(std::vector<DSpectrumDir>& list) const;
    // The ground-acceleration curve (kind 11) in another length unit.
    void ScaleCurve(double factor);
    void ScaleUnits(double L) { ScaleCurve(L); }

    bool Write(bofstream& out) const;
    // By the project version; a damaged block leaves the settings as they were.
    bool Read(bifstream& in);
    // The SPEC block of the data file, and the spectrum records of the
    // library file when a data set is given. The settings themselves do not
    // change.
    void WriteDataFile(DKorvaDataFile& f, CKvdDataSet* set) const;

    float angle1;
    float angle2;
    uint8_t direction1On;
    uint8_t direction2On;
    uint8_t verticalOn;
    uint8_t seismicGrade;
    float periodFactor;
    uint8_t combination;  // 0 SRSS, 1 CQC
    float ck;
    float cm;
    MLArray<short> modes;
    MLArray<float> dampings;
    uint8_t kind;  // 1, 2 design codes; 10 response curve; 11 ground acceleration
    float intensity;
    uint8_t occurrence;
    uint8_t highAcceleration;
    float alphaMax;
    float siteClass;
    uint8_t designGroup;
    float tg;
    float betaMax;
    MLArray<TimeLoadPoint> curve;

private:
    // Called on a copy: the array accessors are not const.
    void WriteAsIs(DKorvaDataFile& f, CKvdDataSet* set);
};

extern CSpectrumSettings theSpectrumSettings;
using CSpectrumPara = CSpectrumSettings;
extern CSpectrumSettings& theSpectrumPara;
extern CSpectrumSettings& theSpectrumParameters;
