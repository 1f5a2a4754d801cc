#include "vek/model/Profile.h"

namespace {

class CNoProfile : public CRunProfile {
public:
    int GetInt(const char*, const char*, int def) override { return def; }
    CString GetString(const char*, const char*, const char* def) override { return CString(def); }
    BOOL GetBinary(const char*, const char*, CByteArray&) override { return FALSE; }
    BOOL WriteInt(const char*, const char*, int) override { return FALSE; }
    BOOL WriteString(const char*, const char*, const char*) override { return FALSE; }
    BOOL WriteBinary(const char*, const char*, const BYTE*, int) override { return FALSE; }
};

CNoProfile noProfile;
CRunProfile* boundProfile = &noProfile;

}  // namespace

CRunProfile& AppProfile()
{
    return *boundProfile;
}

CRunProfile* SetAppProfile(CRunProfile* profile)
{
    CRunProfile* previous = boundProfile == &noProfile ? nullptr : boundProfile;
    boundProfile = profile ? profile : &noProfile;
    return previous;
}
