#pragma once
// The project's path as the document keeps it: a folder, a name of at most
// eight characters (the project name of the options and of the solver's
// files) and the file the project is saved to.
#include <string>

struct CProjectPath {
    std::string folder;  // with its trailing separator; empty for a bare name
    std::string name;    // at most kMaxProjectName bytes, whole characters
    std::string ext;
    bool cut = false;  // the name given was longer
    // The file a save writes: the folder, the name and ".PRJ".
    std::string File() const { return folder + name + ".PRJ"; }
};
constexpr int kMaxProjectName = 8;

CProjectPath SplitProjectPath(const char* path);
// A name with a byte below 10 in signed comparison: a double-byte
// character, or a control character, which the solver may not take.
bool NameHasWideCharacters(const char* name);

// The text result file of a command of the "文本结果文件" menu (30999..31026):
// the project name and the extension of the command (none for the data
// file; the 3-D element type decides the file of 31004), after the folder
// and a separator when asked. False for any other command.
bool GetResultFileName(unsigned command, const char* folder, const char* name, int solidType, bool withFolder,
                       std::string& out);
