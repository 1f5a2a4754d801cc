// Steel frame members and steel sections.
#include "korvalib/model/SteelFrame.h"

#include <cstring>
#include <utility>

#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/model/SteelCatalog.h"
#include "korvalib/base/biostream.h"

using namespace korva_detail;

// ---- DSframeBase ----

DSframeBase::~DSframeBase() = default;
DSframeBase& DSframeBase::operator=(const DSframeBase& o)
{
    return AssignWhole(*this, o);
}

int DSframeBase::operator==(const DSframeBase& o) const
{
    return (m_nNodeI == o.m_nNodeI && m_nNodeJ == o.m_nNodeJ) || (m_nNodeI == o.m_nNodeJ && m_nNodeJ == o.m_nNodeI);
}

int DSframeBase::Serialize(bofstream& out)
{
    out << m_nID << m_sAttr1 << m_sAttr2 << m_nNodeI << m_nNodeJ;
    out.Write(m_fVector, 12);
    out << m_sAttr3 << m_sAttr4;
    for (float f : m_fAttr) out << f;
    for (char c : m_cFlags) out << c;
    out << m_cFlag7 << m_cFlag8;
    m_Loads.Serialize(out);
    out << m_sLastAttr;
    return out.IsGood();
}

int DSframeBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DSframeBase& t) {
        in >> t.m_nID >> t.m_sAttr1 >> t.m_sAttr2 >> t.m_nNodeI >> t.m_nNodeJ;
        in.Read(t.m_fVector, 12);
        in >> t.m_sAttr3 >> t.m_sAttr4;
        for (float& f : t.m_fAttr) in >> f;
        for (char& c : t.m_cFlags) in >> c;
        in >> t.m_cFlag7 >> t.m_cFlag8;
        t.m_Loads.Serialize(in);
        if (nVersion > 100) in >> t.m_sLastAttr;
    });
}

// ---- DSframeSect ----

namespace {
// Byte offsets of the values the library reads from a user-defined block.
constexpr int BlockArea = 60;
constexpr int BlockPartA = 116;
constexpr int BlockPartB = 144;
constexpr int BlockShape = 176;

float BlockFloat(const char* data, int at)
{
    float f;
    std::memcpy(&f, data + at, 4);
    return f;
}
}  // namespace

DSframeSect::DSframeSect() : m_pName(CopyText("sfrSect"))
{
    std::memset(m_SectData, 0, sizeof m_SectData);
    std::strcpy(m_SectData, "D100*8");
}

DSframeSect::DSframeSect(const DSframeSect& o)
{
    std::memset(m_SectData, 0, sizeof m_SectData);
    *this = o;
}

DSframeSect::DSframeSect(DSframeSect&& o) noexcept
{
    std::memset(m_SectData, 0, sizeof m_SectData);
    *this = std::move(o);
}

DSframeSect::~DSframeSect()
{
    delete[] m_pName;
}

DSframeSect& DSframeSect::operator=(const DSframeSect& o)
{
    return AssignNamed(*this, o, &DSframeSect::CopyFields);
}
DSframeSect& DSframeSect::operator=(DSframeSect&& o) noexcept
{
    return MoveNamed(*this, o, &DSframeSect::CopyFields);
}

void DSframeSect::CopyFields(const DSframeSect& o)
{
    m_sNumber = o.m_sNumber;
    m_cPattern = o.m_cPattern;
    std::memcpy(m_SectData, o.m_SectData, sizeof m_SectData);
    m_cFlagA = o.m_cFlagA;
    m_cFlagB = o.m_cFlagB;
    std::memcpy(m_fReal, o.m_fReal, sizeof m_fReal);
}

void DSframeSect::SetName(const char* name)
{
    SetText(m_pName, name ? name : "");
}
int DSframeSect::operator==(const DSframeSect& o) const
{
    return EqualNoCase(m_pName, o.m_pName);
}

double DSframeSect::GetSectArea(int unit) const
{
    if (m_cPattern >= 1) {
        char s[SteelSectDataSize];
        std::memcpy(s, m_SectData, sizeof s);
        s[SteelSectDataSize - 1] = 0;
        return DSteelStrManager::GetSteelArea(s, unit, m_cPattern);
    }
    int16_t shape;
    std::memcpy(&shape, m_SectData + BlockShape, 2);
    if (shape == 81 || shape == 82)
        return double(BlockFloat(m_SectData, BlockPartB)) + BlockFloat(m_SectData, BlockPartA);
    return BlockFloat(m_SectData, BlockArea);
}

int DSframeSect::Serialize(bofstream& out)
{
    out << m_sNumber << m_cPattern << (m_pName ? m_pName : "");
    if (m_cPattern >= 1) {
        // The string is cut to what the section data holds.
        size_t len = strnlen(m_SectData, SteelSectDataSize - 1);
        unsigned char m = (unsigned char)(len + 1);
        out << m;
        out.Write(m_SectData, int(len));
        out << char(0);
    } else {
        out.Write(m_SectData, SteelSectDataSize);
    }
    out << m_cFlagA << m_cFlagB << m_fReal[0] << m_fReal[1] << m_fReal[2];
    return out.IsGood();
}

int DSframeSect::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DSframeSect& t) {
        unsigned char code = 0;
        in >> t.m_sNumber >> code;
        in.ReadString(t.m_pName);
        if (!in.IsGood()) return;
        int form = nVersion >= 128 ? (code >= 1 ? 1 : 2) : code;
        if (form == 1) {
            unsigned char m = 0;
            in >> m;
            if (!in.IsGood()) return;
            // A string longer than the section data is refused.
            if (m < 1 || m > SteelSectDataSize) {
                in.SetFailed();
                return;
            }
            std::memset(t.m_SectData, 0, sizeof t.m_SectData);
            in.Read(t.m_SectData, m);
            t.m_SectData[m - 1] = 0;
        } else if (form == 2) {
            in.Read(t.m_SectData, SteelSectDataSize);
            if (nVersion < 128) Skip(in, 2);
        }
        in >> t.m_cFlagA >> t.m_cFlagB >> t.m_fReal[0] >> t.m_fReal[1] >> t.m_fReal[2];
        if (nVersion >= 128) {
            t.m_cPattern = code;
        } else if (form == 1) {
            char texts[SteelMaxFields][SteelFieldText];
            int kinds[SteelMaxFields];
            int index = -1, count = 0;
            DSteelStrManager::DetachInfoFromString(t.m_SectData, index, count, texts, kinds, 0);
            t.m_cPattern = (unsigned char)(index + 1);
        } else {
            t.m_cPattern = 0;
        }
    });
}
