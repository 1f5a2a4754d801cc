// The run manager's set-up: the solver's folder at library load, and the run
// settings in the application's profile.
#include "analysis/ProcessManager.h"

#include "analysis/AppProfile.h"

#include <cstring>
#include <vector>

char CProcessManager::korvaPath[260] = "";

namespace {

// The running process, as the solver set-up sees it.
class CProcessEnvironment : public CRunEnvironment {
public:
    CString GetProgramPath() override
    {
        char path[MAX_PATH + 1] = {};
        const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        return n > 0 && n < MAX_PATH ? CString(path, static_cast<int>(n)) : CString();
    }
    BOOL FileExists(const char* path) override
    {
        const DWORD attributes = ::GetFileAttributesA(path);
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    BOOL GetVariable(const char* name, CString& value) override
    {
        std::vector<char> buffer(RunRules::kMaxVariable + 1);
        const DWORD n = ::GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0 || n >= buffer.size()) return FALSE;
        value = CString(buffer.data(), static_cast<int>(n));
        return TRUE;
    }
    BOOL SetVariable(const char* name, const char* value) override { return ::SetEnvironmentVariableA(name, value); }
};

}  // namespace

void CProcessManager::LocateSolver()
{
    CProcessEnvironment env;
    const CString folder = RunRules::LocateSolver(env);
    // The folder fits: it is the program's own or a "KORVA" of at most 259 characters.
    const int n = folder.GetLength() < int(sizeof korvaPath) ? folder.GetLength() : 0;
    std::memcpy(korvaPath, folder.GetString(), static_cast<size_t>(n));
    korvaPath[n] = '\0';
}

void CProcessManager::ReadProfileSetting(CWinApp* app)
{
    if (!app) return;
    CAppProfile profile(app);
    ReadSettings(profile);
}

void CProcessManager::WriteProfileSetting(CWinApp* app)
{
    if (!app) return;
    CAppProfile profile(app);
    WriteSettings(profile);
}
