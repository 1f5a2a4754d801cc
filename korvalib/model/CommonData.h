#pragma once
// Comparison tolerances of the model records, unit factors, and the common
// control record of a model.
//
// Record conventions: members stream in declaration order with fixed widths;
// Serialize returns the stream's IsGood(); a reader fills a temporary and
// assigns it only when the whole record was read, so a damaged record leaves
// the target as it was and the stream failed. Fields added in later versions
// are read only when nVersion is above the version that added them.
//
// Running out of memory throws nothing. A member that allocates reports 0
// and leaves the record as it was; a reader reports 0 with the stream
// failed. A copy assignment that cannot get its memory leaves the target as
// it was (compare the two records, or their counts, to tell). A record
// copy-constructed without memory lacks the owned parts that could not be
// copied, each missing whole: an empty list, a curve without points, no name.
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

// |a - b| <= tolerance counts as equal.
extern KORVA_API const double NodeMinDist;      // node coordinates, tight-wire geometry
extern KORVA_API const double LoadError;        // load values and positions
extern KORVA_API const double MassSpringError;  // node masses
extern KORVA_API const double MaterialError;
extern KORVA_API const double SectionError;      // least thickness, hole size
extern KORVA_API const double CombinationError;  // factors of keyed lists

class KORVA_API DCommonData {
public:
    DCommonData();
    DCommonData(const DCommonData&) = default;
    DCommonData& operator=(const DCommonData& o);
    DCommonData(DCommonData&&) = default;
    DCommonData& operator=(DCommonData&&) = default;
    virtual ~DCommonData();
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    int operator==(const DCommonData& o) const;

    // Restores the defaults and empties the lists.
    void Initialize();

    // Unit factors by unit code; code 0 is kN and m, unknown codes give 1.
    static double ForceFactor(int unit);
    static double DimensionFactor(int unit);
    static double MassFactor(int unit);

    char m_cControl[6];
    DWeightFactor m_WeightFactors;
    DNumFactors m_FactorsA;
    DNumFactors m_FactorsB;
    DNumFactors m_FactorsC;
    DNumFactors m_FactorsD;
    char m_cFlag;
    int16_t m_sAttr;
};
