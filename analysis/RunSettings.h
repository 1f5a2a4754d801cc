#pragma once
// Rules of the run settings: where the solver lies, the data file's folder and
// name, the memory handed to the main solver program, and the profile keys.
#include "analysis/AnalysisApi.h"
#include "framework/Collections.h"
#include "framework/String.h"

// What the solver set-up needs of the running process.
class ANALYSIS_API CRunEnvironment {
public:
    virtual ~CRunEnvironment() = default;
    // Full path of the running program.
    virtual CString GetProgramPath() = 0;
    virtual BOOL FileExists(const char* path) = 0;
    // FALSE when the variable is not set (or set to nothing).
    virtual BOOL GetVariable(const char* name, CString& value) = 0;
    virtual BOOL SetVariable(const char* name, const char* value) = 0;
};

// The application's profile functions.
class ANALYSIS_API CRunProfile {
public:
    virtual ~CRunProfile() = default;
    virtual int GetInt(const char* section, const char* entry, int def) = 0;
    virtual CString GetString(const char* section, const char* entry, const char* def) = 0;
    // FALSE when the entry is missing.
    virtual BOOL GetBinary(const char* section, const char* entry, CByteArray& data) = 0;
    virtual BOOL WriteInt(const char* section, const char* entry, int value) = 0;
    virtual BOOL WriteString(const char* section, const char* entry, const char* value) = 0;
    virtual BOOL WriteBinary(const char* section, const char* entry, const BYTE* data, int bytes) = 0;
};

namespace RunRules {

// The solver reads data names of at most this many bytes.
constexpr int kMaxDataName = 8;
// "KORVA" longer than this counts as unset: the solver's own buffers hold 260.
constexpr int kMaxSolverPath = 259;
// The longest value of an environment variable, without the terminating zero.
constexpr int kMaxVariable = 32766;

// Finds the solver's folder (returned without a trailing "\"), writes it into
// "KORVA" where the search order asks for it, and puts it in front of "PATH".
ANALYSIS_API CString LocateSolver(CRunEnvironment& env);

// The part of path before its last "\" (empty when that is the first
// character or there is none), and the part after it.
ANALYSIS_API void SplitFullPathName(const char* path, CString& folder, CString& file);
// A file name without its extension: cut at its last ".".
ANALYSIS_API CString DataName(const char* file);

// Memory figures are in MB.
ANALYSIS_API int DefaultUsedMemory(int totalMemory);
ANALYSIS_API void MemoryLimits(int nodes, int& cap, int& minimum);
ANALYSIS_API int MemoryAccordNodes(int setting, int nodes, int totalMemory);
// A profile value is refused when it is both above half the physical memory
// and above the physical memory less 25.
ANALYSIS_API BOOL IsProfileMemoryAccepted(int value, int totalMemory);

}  // namespace RunRules
