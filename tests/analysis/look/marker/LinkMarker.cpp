// Started by a click on a link label: leaves a marker file and signals the
// test's event, both named in its environment.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    const char* file = std::getenv("VEK_LOOK_MARKER_FILE");
    const char* event = std::getenv("VEK_LOOK_MARKER_EVENT");
    if (!file || !event) return 2;
    FILE* f = std::fopen(file, "wb");
    if (!f) return 3;
    const bool written = std::fputs("clicked", f) >= 0;
    if (std::fclose(f) != 0 || !written) return 3;
    HANDLE h = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, event);
    if (!h) return 4;
    ::SetEvent(h);
    ::CloseHandle(h);
    return 0;
}
