#pragma once
// The analysis control: a hidden window that prepares one analysis, hands
// it to the run manager and answers the run manager's end of each run,
// running again while one-way members change. It deletes itself at the end.
#include <string>

#include "analysis/MyDialog.h"
#include "vek/analysis/AnalysisIteration.h"

class CAnalysisControl : public CModelessDialog, private CAnalysisRunLinks {
    DECLARE_DYNAMIC(CAnalysisControl)
public:
    // Starts an analysis of the project saved at path.
    static void StartOn(const char* path);
    // The control of the analysis under way, null when none.
    static CAnalysisControl* Running();

    const CAnalysisIteration& Iteration() const { return m_run; }

protected:
    CAnalysisControl();
    ~CAnalysisControl() override;
    LRESULT OnRunEnded(WPARAM normal, LPARAM);
    void PostNcDestroy() override;

private:
    int WriteDataFile(int fresh) override;
    int DataFileExists() override;
    void RunSolver(int chooseModules, int freeModal) override;
    int LoadResults() override;
    void ClearResults() override;
    void DeleteConvertedFiles() override;
    void ResultCounts(int& cases, int& dispCombs, int& forceCombs, int& equations) override;
    bool BeamAxialForces(int comb, std::map<int, double>& out) override;
    bool SpringForces(int comb, std::map<int, double>& out) override;
    void Prompt(const char* text) override;
    void Message(const char* text) override;
    void MessageID(int id) override;
    bool DynamicAnalysis() override;

    std::string m_path;  // the project file
    CAnalysisIteration m_run{*this};
    DECLARE_MESSAGE_MAP()
};
