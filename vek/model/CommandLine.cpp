#include "vek/model/CommandLine.h"

#include <cstdlib>
#include <cstring>

bool IsViewerCommandLine(const char* commandLine)
{
    return commandLine && std::strstr(commandLine, "/ZUROZE") != nullptr;
}

CString NormaliseProjectName(const char* name)
{
    CString lower(name ? name : "");
    lower.MakeLower();
    if (lower.Find(".prj") < 0) lower += ".prj";
    return lower;
}

std::vector<CString> SplitCommandWords(const char* commandLine)
{
    std::vector<CString> words;
    const char* p = commandLine ? commandLine : "";
    for (;;) {
        while (*p == ' ') ++p;
        if (!*p) break;
        CString word;
        bool quoted = false;
        for (; *p && (quoted || *p != ' '); ++p) {
            if (*p == '"')
                quoted = !quoted;
            else
                word += *p;
        }
        words.push_back(word);
    }
    return words;
}

bool ParseBatchCommand(const char* commandLine, CBatchCommand& out)
{
    if (!commandLine || std::strchr(commandLine, '/')) return false;
    const std::vector<CString> words = SplitCommandWords(commandLine);
    if (words.size() != 4) return false;
    out.project = NormaliseProjectName(words[0]);
    out.windFile = words[1];
    out.dataFile = words[2];
    out.distance = std::atof(words[3]);
    return true;
}
