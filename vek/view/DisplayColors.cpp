#include "vek/view/DisplayColors.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vek/model/LayerList.h"
#include "vek/model/Profile.h"

CDisplayColors theDisplayColors;

namespace {

const char* const kSection = "COLOR";

struct ListKey {
    const char* key;
    const char* def;
    int count;
    uint32_t CDisplayColors::*single;
    uint32_t* (*list)(CDisplayColors&);
};

#define VEK_LIST(field) [](CDisplayColors& c) -> uint32_t* { return c.field; }
const ListKey kLists[] = {
    {"ELE",
     "0xFFFF80,0xFFFF,0xFFFF00,0x80FF,0x80FF00,0xFF80,0xFF8000,0x8080,0x808000,0xFF00,0x6200C4,0xFFFF00,0xC0C0C0,"
     "0xFF0000,0x0080FF,0x808000,0xFFFF,0xFFFF00,0xFF00",
     19, nullptr, VEK_LIST(m_ele)},
    {"ELETEXT", "0xFFFF,0xFF00FF,0xFF00,0xFF0FFF,0xFFFFFF,0xFFFFFF,0xFF0000,0xFFFF00,0xFF00,0xFF0FFF", 10, nullptr,
     VEK_LIST(m_eleText)},
    {"ELELOAD", "0xFF8000,0xFF8000,0xFF8000,0xFF8000,0xFF00,0xFF00,0xFFFFFF", 7, nullptr, VEK_LIST(m_eleLoad)},
    {"AXIS", "0x80C8FF,0xFFFFFF", 2, nullptr, VEK_LIST(m_axis)},
    {"STIFFREG", "0x808000,0x6200C4", 2, nullptr, VEK_LIST(m_stiffReg)},
    {"DIRECT", "0xA000A0,0xFF0080,0xFF0080", 3, nullptr, VEK_LIST(m_direct)},
    {"POSTCOLOR", "0x7FFF,0xFF00C0,0x00FF00,0xFFFFFF,0x00FF,0x00FF,0x00FF,0xFF00,0xFF00FF", 9, nullptr,
     VEK_LIST(m_post)},
};
#undef VEK_LIST

struct SingleKey {
    const char* key;
    uint32_t def;
    uint32_t CDisplayColors::*field;
};

const SingleKey kSingles[] = {
    {"BACK", 0, &CDisplayColors::m_back},
    {"SELECT", 255, &CDisplayColors::m_select},
    {"STIFFEND", 6422724, &CDisplayColors::m_stiffEnd},
    {"TIGHTWIRE", 0xFFFFFF, &CDisplayColors::m_tightWire},
    {"REST", 0x8000FF, &CDisplayColors::m_rest},
    {"SPRING", 0x40FF00, &CDisplayColors::m_spring},
    {"WINDC", 0x8000FF, &CDisplayColors::m_wind},
    {"BOUNDC", 0xFF00FF, &CDisplayColors::m_boundC},
};

struct SwitchKey {
    const char* key;
    int32_t def;
    int32_t CDisplayColors::*field;
};

const SwitchKey kSwitches[] = {
    {"ToLayer", 0, &CDisplayColors::m_toLayer},
    {"PRINTBLACK", 1, &CDisplayColors::m_printBlack},
    {"EMFBBLACK", 1, &CDisplayColors::m_emfBlack},
};

const char* const kWidthKey = "LINEWIDTH";
const char* const kWidthDefault = "1,1,1,1,1,1,1,1,1,1";

}  // namespace

int ParseHexList(const char* text, uint32_t* out, int n)
{
    if (!text) return 0;
    const char* p = text;
    int i = 0;
    for (; i < n; ++i) {
        // sscanf's "%x": blanks, an optional sign, an optional "0x", hexadecimal digits.
        char* end = nullptr;
        const unsigned long long v = std::strtoull(p, &end, 16);
        if (end == p) break;
        out[i] = static_cast<uint32_t>(v);
        p = end;
        if (i + 1 < n) {
            if (*p != ',') {
                ++i;
                break;
            }
            ++p;
        }
    }
    return i;
}

CDisplayColors::CDisplayColors()
{
    SetDefaults();
}

void CDisplayColors::SetDefaults()
{
    for (const SwitchKey& s : kSwitches) this->*s.field = s.def;
    for (const SingleKey& s : kSingles) this->*s.field = s.def;
    for (const ListKey& l : kLists) ParseHexList(l.def, l.list(*this), l.count);
    std::memset(m_lineWidth, 1, sizeof m_lineWidth);
}

void CDisplayColors::ReadProfile()
{
    CRunProfile& profile = AppProfile();
    for (const SwitchKey& s : kSwitches) this->*s.field = profile.GetInt(kSection, s.key, s.def);
    for (const SingleKey& s : kSingles)
        this->*s.field = static_cast<uint32_t>(profile.GetInt(kSection, s.key, static_cast<int>(s.def)));
    for (const ListKey& l : kLists) {
        const CString text = profile.GetString(kSection, l.key, l.def);
        ParseHexList(text, l.list(*this), l.count);
    }
    // Widths are read as ints; one outside 1..255 keeps its previous value.
    const CString text = profile.GetString(kSection, kWidthKey, kWidthDefault);
    const char* p = text;
    for (int i = 0; i < 10; ++i) {
        char* end = nullptr;
        const long v = std::strtol(p, &end, 10);
        if (end == p) break;
        if (v >= 1 && v <= 255) m_lineWidth[i] = static_cast<uint8_t>(v);
        p = end;
        if (i < 9) {
            if (*p != ',') break;
            ++p;
        }
    }
}

void CDisplayColors::WriteProfile() const
{
    CRunProfile& profile = AppProfile();
    for (const SwitchKey& s : kSwitches) profile.WriteInt(kSection, s.key, this->*s.field);
    for (const SingleKey& s : kSingles) profile.WriteInt(kSection, s.key, static_cast<int>(this->*s.field));
    CDisplayColors& self = const_cast<CDisplayColors&>(*this);
    for (const ListKey& l : kLists) {
        const uint32_t* v = l.list(self);
        std::string text;
        for (int i = 0; i < l.count; ++i) {
            char buf[16];
            std::snprintf(buf, sizeof buf, i ? ",0x%x" : "0x%x", static_cast<unsigned>(v[i]));
            text += buf;
        }
        profile.WriteString(kSection, l.key, text.c_str());
    }
    std::string widths;
    for (int i = 0; i < 10; ++i) {
        char buf[8];
        std::snprintf(buf, sizeof buf, i ? ",%d" : "%d", m_lineWidth[i]);
        widths += buf;
    }
    profile.WriteString(kSection, kWidthKey, widths.c_str());
}

template <class F>
void CDisplayColors::ForBlackFields(F f)
{
    f(m_back);
    f(m_select);
    for (int k : {2, 4, 6, 8, 10, 12, 14, 15, 17, 18, 19}) f(m_ele[k - 1]);
    for (uint32_t& c : m_eleText) f(c);
    for (uint32_t& c : m_eleLoad) f(c);
    f(m_stiffEnd);
    f(m_tightWire);
    f(m_rest);
    f(m_spring);
    f(m_wind);
    f(m_axis[0]);
    f(m_axis[1]);
    f(m_stiffReg[1]);
    for (uint32_t& c : m_direct) f(c);
    f(m_boundC);
    for (uint32_t& c : m_post) f(c);
}

void CDisplayColors::UseBlack(std::vector<uint32_t>& save)
{
    save.clear();
    save.reserve(kBlackFields + 2 + static_cast<size_t>(theLayers.GetSize()));
    ForBlackFields([&](uint32_t& c) {
        save.push_back(c);
        c = 0;
    });
    m_back = 0xFFFFFF;
    if (m_toLayer)
        for (int i = 0; i < theLayers.GetSize(); ++i) {
            save.push_back(theLayers[i].colour);
            theLayers[i].colour = 0;
        }
}

void CDisplayColors::RestoreColors(const std::vector<uint32_t>& save)
{
    if (save.size() < static_cast<size_t>(kBlackFields)) return;
    size_t k = 0;
    ForBlackFields([&](uint32_t& c) { c = save[k++]; });
    if (m_toLayer)
        for (int i = 0; i < theLayers.GetSize() && k < save.size(); ++i) theLayers[i].colour = save[k++];
}
