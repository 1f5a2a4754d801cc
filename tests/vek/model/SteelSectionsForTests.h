#pragma once
// Steel sections the tests of several programs build the same way.
#include <cstring>

#include "vek/model/materials/Sections.h"

namespace vektest {

// A section of a steel string, its pattern (from 1) and grade flag given,
// not looked up.
inline CSframeSect SteelOfString(const char* text, int pattern, int flagA)
{
    CSframeSect s;
    s.SetSteelString(text);
    s.m_cPattern = static_cast<unsigned char>(pattern);
    s.m_cFlagA = static_cast<char>(flagA);
    return s;
}

// A user-defined section named "U": its 44 values 1 to 44, key 5.
inline CSframeSect UserSteelSection()
{
    CSframeSect user;
    user.SetName("U");
    user.m_cPattern = 0;
    std::memset(user.m_SectData, 0, sizeof user.m_SectData);
    for (int n = 0; n < 44; ++n) user.SetUserValue(n, float(n + 1));
    user.SetUserKey(0, 5);
    return user;
}

}  // namespace vektest
