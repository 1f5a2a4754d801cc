#pragma once
// Steel section catalogue: the section patterns that a steel member's section
// string may follow ("L63*5", "I20A", "2E63*5@10", "D100*8", ...), the rolled
// and welded section designation tables with their areas and main dimensions,
// and the routines that recognise a string, split it into fields and compute
// its area.
#include "korvalib/base/KorvaApi.h"

// Field kinds reported by the split routines.
enum {
    SteelFieldLiteral = 1,
    SteelFieldE = 2,
    SteelFieldI = 3,
    SteelFieldC = 4,
    SteelFieldL = 5,
    SteelFieldReal = 6,
    SteelFieldHK = 7,
    SteelFieldHZ = 8,
    SteelFieldHA = 9,
    SteelFieldHAQ = 10,
    SteelFieldT = 11,
    SteelFieldHW = 12,
    SteelFieldHM = 13,
    SteelFieldHN = 14,
    SteelFieldIQ = 15,
    SteelFieldCQ = 16
};

// Capacity of the caller's field arrays: no pattern has more fields than this.
constexpr int SteelMaxFields = 24;
// Width of one field text (19 characters and the zero).
constexpr int SteelFieldText = 20;

class KORVA_API DSteelStrManager {
public:
    static const int PatternCount = 58;

    static const char* const SteelPattern[PatternCount];
    static const char* const SteelTypeStr[PatternCount];

    // Designation tables, each ended by a null entry; a designation's number
    // is its 1-based position.
    static const char* const SectE[83];
    static const char* const SectI[35];
    static const char* const SectC[31];
    static const char* const SectL[66];
    static const char* const SectHK[86];
    static const char* const SectHZ[19];
    static const char* const SectHA[130];
    static const char* const SectHAQ[18];
    static const char* const SectT[38];
    static const char* const SectHW[22];
    static const char* const SectHM[13];
    static const char* const SectHN[33];
    static const char* const SectIQ[28];
    static const char* const SectCQ[20];

    // Areas in cm2, one per designation. A zero area marks a designation
    // whose catalogue value is not held; such a section has no area.
    static const float AreaE[82];
    static const float AreaI[34];
    static const float AreaC[30];
    static const float AreaL[65];
    static const float AreaHK[85];
    static const float AreaHZ[18];
    static const float AreaHA[129];
    static const float AreaHAQ[17];
    static const float AreaT[37];
    static const float AreaHW[21];
    static const float AreaHM[12];
    static const float AreaHN[32];
    static const float AreaIQ[27];
    static const float AreaCQ[19];

    // Dimensions in m: h, b, d (web), t (flange) [, z0 for channels].
    static const float hbdtI[34][4];
    static const float hbdtHK[85][4];
    static const float hbdtHZ[18][4];
    static const float hbdtHA[129][4];
    static const float hbdtHAQ[17][4];
    static const float hbdtT[37][4];
    static const float hbdtHW[21][4];
    static const float hbdtHM[12][4];
    static const float hbdtHN[32][4];
    static const float hbdtIQ[27][4];
    static const float hbdtz0C[30][5];
    static const float hbdtz0CQ[19][5];
    static const float z0E[82];
    static const float x0y0L[65][2];

    static int GetPatternNum();
    static int GetSelfDefSectIndex();

    // Splits pattern index (from 0) into its fields; returns the field count
    // (0 for an index out of range).
    static int DetachInfoFromPatternIndex(int index, int& nFields, char texts[][SteelFieldText], int kinds[]);
    // Recognises a section string. index: in, the hint (pattern index from 0)
    // when useHint is non-zero; out, the pattern found or -1. Returns 1 or 0.
    static int DetachInfoFromString(const char* str, int& index, int& nFields, char texts[][SteelFieldText],
                                    int kinds[], int useHint);
    // As above with 1-based pattern numbers (0 when not recognised) and a
    // value per field: 0 for literals, the designation number for catalogue
    // fields, the number for real fields.
    static int DetachNumberFromString(const char* str, int& number, int& nFields, double values[], int kinds[],
                                      int useHint);
    // Area in the unit system's length unit squared; 0 when not recognised.
    static double GetSteelArea(const char* str, int unit, int hint);
    // 1: not recognised or a dimension is zero; -1: only spacings are zero; 0 otherwise.
    static int StringIncludeZero(const char* str);

private:
    static int StringInSect(const char* token, const char* const* table);
    static int StringInSectE(const char* token);
    static int StringInSectI(const char* token);
    static int StringInSectC(const char* token);
    static int StringInSectL(const char* token);
    static int AbstractSteelstr(const char*& cursor, const char* delimiter, int isLast, char* token, int tokenSize);
};
