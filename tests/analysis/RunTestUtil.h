#pragma once
// Helpers of the run manager's rule tests: a queue that records what it asks
// and queues, a profile and a process environment in memory, and a scratch
// folder for data files.
#include "analysis/RunQueue.h"
#include "tests/support/MapProfile.h"
#include "tests/support/TestFiles.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace runtest {

// A scratch folder of this test program, removed when it ends.
inline std::string ScratchDir()
{
    static const vektest::TempDir dir("run_rules");
    return dir.path().string();
}

struct Prompted {
    std::string text;
    int kind;
};

struct Queued {
    std::string program;
    std::string file;  // "<null>" when none was given
    std::string folder;
    int queue;
    int iteration;
};

// A run queue whose user answers from a script (Yes when the script is empty).
class FakeQueue : public CRunQueue {
public:
    explicit FakeQueue(int totalMemory = 2000) : CRunQueue(totalMemory) {}

    int Prompt(const char* text, int kind) override
    {
        prompts.push_back({text, kind});
        if (answers.empty()) return 1;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    int AddOneProcess(const char* program, const char* file, const char* folder, int queue, int iteration) override
    {
        calls.push_back(
            {program ? program : "<null>", file ? file : "<null>", folder ? folder : "<null>", queue, iteration});
        CRunCommand cmd;
        const int r = QueueProcess(program, file, folder, queue, iteration, cmd);
        if (r && cmd.m_nKind == CRunCommand::Direct) direct.push_back(cmd);
        return r;
    }
    BOOL FileExists(const char* path) override
    {
        if (useDisk) return CRunQueue::FileExists(path);
        return files.count(path) != 0;
    }

    // The lists as command lines.
    std::vector<std::string> Queue() const
    {
        std::vector<std::string> out;
        for (const auto& p : m_arrProcesses) out.push_back(p.GetCommandLine().GetString());
        return out;
    }
    std::vector<std::string> Recycle() const
    {
        std::vector<std::string> out;
        for (const auto& p : m_arrRecycle) out.push_back(p.GetCommandLine().GetString());
        return out;
    }
    // A program started and ended with code.
    void Started() { m_bRunning = 1; }
    void Ended(uint32_t code)
    {
        m_bRunning = 0;
        SetExitCode(code);
    }
    int RecyclePosition() const { return m_nRecyclePosition; }

    std::deque<int> answers;
    std::vector<Prompted> prompts;
    std::vector<Queued> calls;
    std::vector<CRunCommand> direct;
    std::set<std::string> files;
    bool useDisk = false;
};

// A process environment in memory.
class FakeEnvironment : public CRunEnvironment {
public:
    CString GetProgramPath() override { return program.c_str(); }
    BOOL FileExists(const char* path) override { return files.count(path) != 0; }
    BOOL GetVariable(const char* name, CString& value) override
    {
        auto it = vars.find(name);
        if (it == vars.end() || it->second.empty()) return FALSE;
        value = it->second.c_str();
        return TRUE;
    }
    BOOL SetVariable(const char* name, const char* value) override
    {
        vars[name] = value;
        ++sets[name];
        return TRUE;
    }
    std::string program;
    std::set<std::string> files;
    std::map<std::string, std::string> vars;
    std::map<std::string, int> sets;
};

}  // namespace runtest
