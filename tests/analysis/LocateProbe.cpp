// Prints what the library's start-up made of the solver's location:
//   korvaPath, then the variables KORVA and PATH, one per line.
#include "analysis/ProcessManager.h"

#include <cstdio>

int main()
{
    char value[32768];
    std::printf("%s\n", CProcessManager::korvaPath);
    for (const char* name : {"KORVA", "PATH"}) {
        const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
        std::printf("%s\n", n > 0 && n < sizeof value ? value : "<unset>");
    }
    return 0;
}
