#include "HelpLinks.h"

#include <shellapi.h>

namespace {

constexpr UINT kDisplayTopic = 0;  // HTML Help's HH_DISPLAY_TOPIC

HMODULE helpLibrary = nullptr;
HtmlHelpProc helpEntry = nullptr;     // the library's
HtmlHelpProc helpOverride = nullptr;  // a test's
ShellExecuteProc shellOverride = nullptr;

HtmlHelpProc LoadHelpEntry()
{
    if (!helpLibrary) {
        helpLibrary = ::LoadLibraryA("hhctrl.ocx");
        if (helpLibrary)
            helpEntry = reinterpret_cast<HtmlHelpProc>(
                reinterpret_cast<void (*)()>(::GetProcAddress(helpLibrary, "HtmlHelpA")));
    }
    return helpEntry;
}

}  // namespace

bool ShowHelpFile(HWND owner, const char* path)
{
    HtmlHelpProc entry = LoadHelpEntry();
    if (helpOverride) entry = helpOverride;
    return entry && entry(owner, path, kDisplayTopic, 0) != nullptr;
}

HINSTANCE OpenWebPage(HWND owner, const char* address)
{
    ShellExecuteProc entry = shellOverride ? shellOverride : &::ShellExecuteA;
    return entry(owner, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

bool IsHtmlHelpLoaded()
{
    return helpLibrary != nullptr;
}

void SetHtmlHelpEntry(HtmlHelpProc entry)
{
    helpOverride = entry;
}

void SetShellExecuteEntry(ShellExecuteProc entry)
{
    shellOverride = entry;
}
