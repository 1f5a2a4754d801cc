#pragma once
// Rules of the program's command line: the result-viewer switch, the project
// name, and the four words of a batch job.
#include <vector>

#include "framework/String.h"

// "/ZUROZE" anywhere in the text (case-sensitive) starts the result viewer.
bool IsViewerCommandLine(const char* commandLine);
// The name lower-cased, with ".prj" appended when it occurs nowhere in it.
CString NormaliseProjectName(const char* name);
// Words separated by blanks; double quotes group a word with blanks in it
// (the quotes are not part of the word). Tabs belong to words.
std::vector<CString> SplitCommandWords(const char* commandLine);

// A batch job: the project (already opened as the command line's file), the
// wind-tunnel record file, the solver data file to write, and the largest
// distance of a pressure point to a shell.
struct CBatchCommand {
    CString project;
    CString windFile;
    CString dataFile;
    double distance = 0.0;
};
// True when the text is a batch job: no "/" anywhere and exactly four words.
bool ParseBatchCommand(const char* commandLine, CBatchCommand& out);
