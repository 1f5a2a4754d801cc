#pragma once
// Steel frame members and steel sections. A steel section is a section
// string of the steel catalogue (pattern 1..58) or a user-defined block of
// section properties (pattern 0).
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

class KORVA_API DSframeBase {
public:
    DSframeBase() = default;
    DSframeBase(int nodeI, int nodeJ) : m_nNodeI(nodeI), m_nNodeJ(nodeJ) {}
    DSframeBase(const DSframeBase&) = default;
    DSframeBase& operator=(const DSframeBase& o);
    DSframeBase(DSframeBase&&) = default;
    DSframeBase& operator=(DSframeBase&&) = default;
    virtual ~DSframeBase();
    virtual int Serialize(bofstream& out);
    virtual int Serialize(bifstream& in);
    // Joins the same two nodes, in either order.
    int operator==(const DSframeBase& o) const;

    int32_t m_nID = 0;
    int16_t m_sAttr1 = 1;
    int16_t m_sAttr2 = 1;
    int32_t m_nNodeI = 0;
    int32_t m_nNodeJ = 0;
    float m_fVector[3] = {0, 0, 0};
    int16_t m_sAttr3 = 0;
    int16_t m_sAttr4 = 0;
    float m_fAttr[6] = {0, 0, 0, 0, 0, 0};
    char m_cFlags[6] = {0, 0, 0, 0, 0, 0};
    char m_cFlag7 = 1;
    char m_cFlag8 = 1;
    DElementLoad m_Loads;
    int16_t m_sLastAttr = 1;
};

// Size of a steel section's section data: a zero-terminated section string
// or the user-defined block (176 bytes of properties and three shorts).
constexpr int SteelSectDataSize = 182;

class KORVA_API DSframeSect {
public:
    DSframeSect();
    DSframeSect(const DSframeSect& o);
    DSframeSect& operator=(const DSframeSect& o);
    DSframeSect(DSframeSect&& o) noexcept;
    DSframeSect& operator=(DSframeSect&& o) noexcept;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    ~DSframeSect();
    // Names equal, ignoring case.
    int operator==(const DSframeSect& o) const;

    // Without memory for the new name the old one stays.
    void SetName(const char* name);
    // Area in the unit system (catalogue sections); the block's own area,
    // unscaled, for a user-defined section.
    double GetSectArea(int unit) const;

    int16_t m_sNumber = 0;
    unsigned char m_cPattern = 10;
    char* m_pName = nullptr;
    char m_SectData[SteelSectDataSize];
    char m_cFlagA = 3;
    char m_cFlagB = 0;
    float m_fReal[3] = {0, 0, 0};

private:
    // Everything but the name.
    void CopyFields(const DSframeSect& o);
};
