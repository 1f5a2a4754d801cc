// Prints what the windows of one program show as text, as a screen reader
// would find it:  window_texts <title part>
// The program is the one with a visible top-level window whose title holds
// the text; each of its visible top-level windows and all their descendants
// give one line each in UTF-8:
//   <tabs for the depth><class>|<text>
// A combo box adds a line per item: <tabs>item|<text>. Texts drawn by a
// program into a control are read with the control's own messages, so the
// prompt bar, a message box and the tool bar's selectors can be checked from
// outside the program, apart from other programs on the same Wine server.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A window that does not answer within this time is shown without its text.
constexpr UINT kAnswerMs = 5000;

std::string Utf8(const std::wstring& w)
{
    if (w.empty()) return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), &out[0], n, nullptr, nullptr);
    // One line per window: line breaks of a text become spaces.
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

bool Ask(HWND w, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result)
{
    return ::SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, kAnswerMs, &result) != 0;
}

std::wstring TextOf(HWND w)
{
    DWORD_PTR length = 0;
    if (!Ask(w, WM_GETTEXTLENGTH, 0, 0, length) || length == 0 || length > 1 << 20) return std::wstring();
    std::vector<wchar_t> buffer(length + 1);
    DWORD_PTR got = 0;
    if (!Ask(w, WM_GETTEXT, buffer.size(), LPARAM(buffer.data()), got)) return std::wstring();
    return std::wstring(buffer.data(), got < length ? got : length);
}

std::wstring ClassOf(HWND w)
{
    wchar_t name[256] = {};
    ::GetClassNameW(w, name, 256);
    return name;
}

struct Children {
    HWND parent;
    std::vector<HWND> list;
};

BOOL CALLBACK CollectChild(HWND w, LPARAM data)
{
    auto* c = reinterpret_cast<Children*>(data);
    if (::GetAncestor(w, GA_PARENT) == c->parent) c->list.push_back(w);
    return TRUE;
}

void Print(HWND w, int depth)
{
    const std::string tabs(size_t(depth), '\t');
    const std::wstring cls = ClassOf(w);
    std::printf("%s%s|%s\n", tabs.c_str(), Utf8(cls).c_str(), Utf8(TextOf(w)).c_str());
    if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
        DWORD_PTR count = 0;
        if (Ask(w, CB_GETCOUNT, 0, 0, count) && LONG_PTR(count) > 0)
            for (DWORD_PTR i = 0; i < count && i < 1000; ++i) {
                DWORD_PTR length = 0;
                if (!Ask(w, CB_GETLBTEXTLEN, i, 0, length) || LONG_PTR(length) < 0 || length > 4096) continue;
                std::vector<wchar_t> item(length + 1);
                DWORD_PTR got = 0;
                if (Ask(w, CB_GETLBTEXT, i, LPARAM(item.data()), got) && LONG_PTR(got) >= 0)
                    std::printf("%s\titem|%s\n", tabs.c_str(), Utf8(std::wstring(item.data(), got)).c_str());
            }
    }
    Children c{w, {}};
    ::EnumChildWindows(w, CollectChild, LPARAM(&c));
    for (HWND child : c.list)
        if (::IsWindowVisible(child)) Print(child, depth + 1);
}

struct TopLevels {
    std::wstring title;
    DWORD process = 0;
    std::vector<HWND> found;
};

BOOL CALLBACK FindByTitle(HWND w, LPARAM data)
{
    auto* t = reinterpret_cast<TopLevels*>(data);
    if (!::IsWindowVisible(w) || TextOf(w).find(t->title) == std::wstring::npos) return TRUE;
    ::GetWindowThreadProcessId(w, &t->process);
    return FALSE;
}

BOOL CALLBACK SameProcess(HWND w, LPARAM data)
{
    auto* t = reinterpret_cast<TopLevels*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(w, &process);
    if (process == t->process && ::IsWindowVisible(w)) t->found.push_back(w);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 || !*argv[1]) {
        std::fprintf(stderr, "usage: window_texts <title part>\n");
        return 2;
    }
    TopLevels t;
    t.title = argv[1];
    ::EnumWindows(FindByTitle, LPARAM(&t));
    if (!t.process) {
        std::fprintf(stderr, "window_texts: no window's title holds %ls\n", argv[1]);
        return 1;
    }
    ::EnumWindows(SameProcess, LPARAM(&t));
    for (HWND w : t.found) Print(w, 0);
    std::fflush(stdout);
    return 0;
}
