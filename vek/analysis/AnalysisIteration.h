#pragma once
// One analysis as the analysis control runs it: the data file written, the
// solver started, and for tension- and compression-only members the
// iteration: after each run the members whose force has the wrong sign are
// switched off (or on again) and the case is run again until nothing
// changes; each finished case keeps its records in the "~" copies of the
// result files, which go back over the result files at the end.
#include <map>
#include <string>
#include <vector>

// What a run asks of the program; the window side binds it to the data-file
// writer, the run manager and the result set, the tests to fakes.
class CAnalysisRunLinks {
public:
    virtual ~CAnalysisRunLinks() = default;
    // fresh: the analysis start's data file; else the iteration's rewrite.
    virtual int WriteDataFile(int fresh) = 0;
    virtual int DataFileExists() = 0;
    virtual void RunSolver(int chooseModules, int freeModal) = 0;
    virtual int LoadResults() = 0;
    virtual void ClearResults() = 0;
    // The result set's converted copies deleted.
    virtual void DeleteConvertedFiles() = 0;
    virtual void ResultCounts(int& cases, int& dispCombs, int& forceCombs, int& equations) = 0;
    // The mean axial force of every beam (by number) in a force combination.
    virtual bool BeamAxialForces(int comb, std::map<int, double>& out) = 0;
    // The force of every spring (by number) in a force combination.
    virtual bool SpringForces(int comb, std::map<int, double>& out) = 0;
    virtual void Prompt(const char* text) = 0;
    virtual void Message(const char* text) = 0;
    // A message of the string table.
    virtual void MessageID(int id) = 0;
    // A modal analysis or a time history is configured.
    virtual bool DynamicAnalysis() { return false; }
};

class CAnalysisIteration {
public:
    enum Target { kForceCombs = 1, kDispCombs = 2, kCases = 3 };
    enum Step { kEnded = 0, kRunning = 1 };

    explicit CAnalysisIteration(CAnalysisRunLinks& links) : m_links(links) {}
    // Members switched off by the iteration are switched on again, on every exit.
    ~CAnalysisIteration();
    CAnalysisIteration(const CAnalysisIteration&) = delete;
    CAnalysisIteration& operator=(const CAnalysisIteration&) = delete;

    // Prepares and starts the first run on the project path (its data file
    // is the path without extension). kEnded when nothing runs.
    int Start(const std::string& dataFile);
    // The run manager's end of a run (1: a normal end). kRunning when another
    // run was started, kEnded when the analysis is over.
    int OnRunEnded(int normal);
    // One convergence test of the current force combination: 1 nothing
    // changed, 0 a member changed, -1 the forces could not be read.
    int ConvergenceTest();

    bool Iterating() const { return m_iterate; }
    int GetTarget() const { return m_target; }
    int GetIndex() const { return m_index; }
    int GetStep() const { return m_step; }
    bool MaximumReached() const { return m_maxReached; }
    // The closing prompt: "计算完成！" or "计算过程非正常结束！".
    const std::string& EndText() const { return m_endText; }
    std::string IterationPrompt() const;

    struct OneWay {
        int id = 0;
        bool tension = true;  // else compression
    };
    const std::vector<OneWay>& Beams() const { return m_beams; }
    const std::vector<OneWay>& Springs() const { return m_springs; }

private:
    void FindOneWayMembers();
    void SwitchAllOn();
    int WriteWithTargetLists(int fresh);
    int TargetCount() const;
    int KeepCase();
    void End(int normal);

    CAnalysisRunLinks& m_links;
    std::string m_base;  // folder and name of the data file
    std::vector<OneWay> m_beams, m_springs;
    bool m_combsAlike = false;  // the lists are equal or one is empty
    bool m_combsNone = false;
    int m_target = kCases;
    int m_index = 1;
    int m_step = 1;
    bool m_maxReached = false;
    bool m_iterate = false;
    bool m_chosenSteps = false;  // the user picks the solver's steps
    std::string m_endText;
};

// The files beside the data file (base: its path), by extension.
std::string ResultFile(const std::string& base, const char* ext);
// The "~" copies moved back over the result files; 0 when one could not be.
int MoveBackCopies(const std::string& base);
// The result files of an earlier run deleted (after the copies went back).
void ClearOldResults(const std::string& base);
// The record of a finished case into the "~" copies (a copy is made whole
// when missing). 0 when a file is short or a write failed.
int KeepDisplacementRecord(const std::string& base, int position, int equations);
int KeepForceCombination(const std::string& base, int comb, int combs);
