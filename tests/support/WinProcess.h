#pragma once
// Other programs run from the tests under Wine: Windows programs with their
// output and exit code, and Linux programs (Python, through Wine's start of
// Unix programs) for reading back what ours wrote.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace vektest {

struct ProcessResult {
    bool ran = false;    // started and ended within the safety time
    DWORD exitCode = 0;  // its exit code when it ran
    std::string output;  // what it wrote to standard output and standard error
};

// Runs a command line to its end with standard output and standard error in
// one pipe; environment: extra "NAME=value" is added to this process's own
// for that run (empty: none). whileRunning, when given, is called with the
// process id between reads until the process ends.
ProcessResult RunProcess(const std::string& commandLine, DWORD safetyMs = 60000,
                         const std::string& extraVariable = std::string(),
                         const std::function<void(DWORD pid)>& whileRunning = nullptr);
// The visible top-level window of a process without an owner, or null.
HWND MainWindowOf(DWORD pid);

// The Linux name of a Windows path, empty when this Wine has no mapping.
std::string UnixPath(const std::string& windowsPath);

// The entries of one section of an INI file as Python's configparser reads it
// (GBK); empty when no Linux Python could be run.
std::map<std::string, std::string> ReadIniWithConfigParser(const std::string& iniPath, const std::string& section);

}  // namespace vektest
