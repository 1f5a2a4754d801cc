// Rules of the run settings.
#include "analysis/RunSettings.h"

namespace RunRules {

namespace {

CString WithoutTrailingBackslashes(const char* text)
{
    CString s(text);
    s.TrimRight('\\');
    return s;
}

BOOL SolverIn(CRunEnvironment& env, const CString& folder)
{
    return env.FileExists(folder + "\\kor.exe");
}

}  // namespace

CString LocateSolver(CRunEnvironment& env)
{
    CString path = env.GetProgramPath();
    const int cut = path.ReverseFind('\\');
    CString folder = cut >= 0 ? path.Left(cut) : CString();

    if (SolverIn(env, folder)) {
        env.SetVariable("KORVA", folder);
    } else {
        CString value;
        if (!env.GetVariable("KORVA", value) || value.IsEmpty() || value.GetLength() > kMaxSolverPath) {
            env.SetVariable("KORVA", folder);
        } else {
            folder = WithoutTrailingBackslashes(value);
            // A folder without the solver keeps the variable as the user set it.
            if (SolverIn(env, folder)) env.SetVariable("KORVA", folder);
        }
    }

    CString oldPath;
    CString newPath = folder;
    if (env.GetVariable("PATH", oldPath)) newPath += ";" + oldPath;
    // A search path that no longer fits stays as it was rather than losing entries.
    if (newPath.GetLength() <= kMaxVariable) env.SetVariable("PATH", newPath);
    return folder;
}

void SplitFullPathName(const char* path, CString& folder, CString& file)
{
    const CString all(path);
    const int cut = all.ReverseFind('\\');
    folder = cut > 0 ? all.Left(cut) : CString();
    file = cut >= 0 ? all.Mid(cut + 1) : all;
}

CString DataName(const char* file)
{
    const CString name(file);
    const int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}

int DefaultUsedMemory(int totalMemory)
{
    return totalMemory < 70 ? totalMemory / 3 : totalMemory / 2;
}

void MemoryLimits(int nodes, int& cap, int& minimum)
{
    static const struct {
        int below, cap, minimum;
    } kTable[] = {
        {500, 60, 5}, {1000, 80, 10}, {4000, 200, 15}, {8000, 500, 20}, {10000, 800, 30}, {20000, 1200, 60},
    };
    for (const auto& row : kTable) {
        if (nodes < row.below) {
            cap = row.cap;
            minimum = row.minimum;
            return;
        }
    }
    cap = 35000;
    minimum = 70;
}

int MemoryAccordNodes(int setting, int nodes, int totalMemory)
{
    int cap = 0, minimum = 0;
    MemoryLimits(nodes, cap, minimum);
    if (setting > cap) setting = cap;
    if (setting < minimum || static_cast<double>(setting) > 0.75 * static_cast<double>(totalMemory))
        setting = DefaultUsedMemory(totalMemory);
    return setting;
}

BOOL IsProfileMemoryAccepted(int value, int totalMemory)
{
    return !(value > totalMemory / 2.0 && value > totalMemory - 25);
}

}  // namespace RunRules
