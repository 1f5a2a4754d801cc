#include "vek/model/document/ProjectPath.h"

#include <cstring>

#include "korvalib/base/Gbk.h"

CProjectPath SplitProjectPath(const char* path)
{
    CProjectPath p;
    const char* text = path ? path : "";
    const size_t len = std::strlen(text);
    const size_t sep = gbk::LastPathSeparator(text, len);
    const char* rest = text;
    if (sep != std::string::npos) {
        p.folder.assign(text, sep + 1);
        rest = text + sep + 1;
    }
    const char* dot = std::strrchr(rest, '.');
    std::string name = dot ? std::string(rest, size_t(dot - rest)) : std::string(rest);
    if (dot) p.ext = dot + 1;
    // Cut to whole characters.
    size_t keep = 0;
    while (keep < name.size()) {
        const size_t n = gbk::CharLength(name.data(), keep, name.size());
        if (keep + n > size_t(kMaxProjectName)) break;
        keep += n;
    }
    p.cut = keep < name.size();
    p.name = name.substr(0, keep);
    return p;
}

bool NameHasWideCharacters(const char* name)
{
    for (const char* c = name; c && *c; ++c)
        if (static_cast<signed char>(*c) < 10) return true;
    return false;
}

bool GetResultFileName(unsigned command, const char* folder, const char* name, int solidType, bool withFolder,
                       std::string& out)
{
    static const char* const kExtensions[] = {"",     ".SAL", ".F3",  ".F8",  ".F2",  nullptr, ".F6",
                                              ".F7",  ".F10", ".F14", ".F5",  ".EIG", ".RIZ",  ".LAN",
                                              ".STP", ".DYN", ".SPC", ".SA2", ".SGR", ".DYD",  ".DYS",
                                              ".RCD", ".RVI", ".F30", ".F31", ".DRV", ".RC",   ".RAC"};
    if (command < 30999 || command > 31026) return false;
    const char* ext = kExtensions[command - 30999];
    if (!ext) ext = solidType == 0 ? ".F11" : solidType == 1 ? ".F17" : solidType == 3 ? ".F18" : ".F12";
    out.clear();
    if (withFolder) {
        out = folder ? folder : "";
        if (out.empty() || (out.back() != '\\' && out.back() != '/')) out += '\\';
    }
    out += name ? name : "";
    out += ext;
    return true;
}
