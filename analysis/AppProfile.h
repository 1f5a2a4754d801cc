#pragma once
// The application's profile functions as the run settings use them.
#include "analysis/RunSettings.h"
#include "framework/WinApp.h"

class CAppProfile : public CRunProfile {
public:
    explicit CAppProfile(CWinApp* app) : m_app(app) {}
    int GetInt(const char* section, const char* entry, int def) override
    {
        return static_cast<int>(m_app->GetProfileInt(section, entry, def));
    }
    CString GetString(const char* section, const char* entry, const char* def) override
    {
        return m_app->GetProfileString(section, entry, def);
    }
    BOOL GetBinary(const char* section, const char* entry, CByteArray& data) override
    {
        LPBYTE bytes = nullptr;
        UINT count = 0;
        if (!m_app->GetProfileBinary(section, entry, &bytes, &count)) return FALSE;
        data.RemoveAll();
        for (UINT i = 0; i < count; ++i) data.Add(bytes[i]);
        delete[] bytes;
        return TRUE;
    }
    BOOL WriteInt(const char* section, const char* entry, int value) override
    {
        return m_app->WriteProfileInt(section, entry, value);
    }
    BOOL WriteString(const char* section, const char* entry, const char* value) override
    {
        return m_app->WriteProfileString(section, entry, value);
    }
    BOOL WriteBinary(const char* section, const char* entry, const BYTE* data, int bytes) override
    {
        return m_app->WriteProfileBinary(section, entry, const_cast<LPBYTE>(data), static_cast<UINT>(bytes));
    }

private:
    CWinApp* m_app;
};
