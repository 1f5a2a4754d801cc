#pragma once
// The application's profile in memory, for tests of code that keeps its
// settings there.
#include <map>
#include <string>
#include <vector>

#include "analysis/RunSettings.h"

// A profile section in memory.
class MapProfile : public CRunProfile {
public:
    int GetInt(const char* section, const char* entry, int def) override
    {
        auto it = ints.find(Key(section, entry));
        return it == ints.end() ? def : it->second;
    }
    CString GetString(const char* section, const char* entry, const char* def) override
    {
        auto it = strings.find(Key(section, entry));
        return it == strings.end() ? CString(def) : CString(it->second.c_str());
    }
    BOOL GetBinary(const char* section, const char* entry, CByteArray& data) override
    {
        auto it = binaries.find(Key(section, entry));
        if (it == binaries.end()) return FALSE;
        data.RemoveAll();
        for (BYTE b : it->second) data.Add(b);
        return TRUE;
    }
    BOOL WriteInt(const char* section, const char* entry, int value) override
    {
        ints[Key(section, entry)] = value;
        return TRUE;
    }
    BOOL WriteString(const char* section, const char* entry, const char* value) override
    {
        strings[Key(section, entry)] = value;
        return TRUE;
    }
    BOOL WriteBinary(const char* section, const char* entry, const BYTE* data, int bytes) override
    {
        binaries[Key(section, entry)].assign(data, data + bytes);
        return TRUE;
    }
    static std::string Key(const char* s, const char* e) { return std::string(s) + "/" + e; }

    std::map<std::string, int> ints;
    std::map<std::string, std::string> strings;
    std::map<std::string, std::vector<BYTE>> binaries;
};
