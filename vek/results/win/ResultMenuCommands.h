#pragma once
// The result menu's commands beyond the pictures: steel check, reinforcement,
// member forces as text, axial ratios, principal stresses, the report, the
// tube joints, shell force output, the check programs, the time-history
// viewer and the element information's content.
#include "framework/Afx.h"

class CResultMenuCommands : public CCmdTarget {
public:
    void OnSteelCheckMax();
    void OnSteelSelect();
    void OnReinPicture();
    void OnForceText();
    void OnShellForceFile();
    void OnReport();
    void OnJointDisplay();
    void OnJointSearch();
    void OnJointData();
    void OnAxialRatio();
    void OnStressField();
    void OnSteelCheckRun();
    void OnSupportForces();
    void OnHistoryViewer();
    void OnHistoryNode();
    void OnNodeAboveForce();
    void OnInfoContent(UINT id);

    void OnUpdateSteelCheckMax(CCmdUI* ui);
    void OnUpdateSteelSelect(CCmdUI* ui);
    void OnUpdateReinPicture(CCmdUI* ui);
    void OnUpdateForceText(CCmdUI* ui);
    void OnUpdateShellForceFile(CCmdUI* ui);
    void OnUpdateReport(CCmdUI* ui);
    void OnUpdateJointDisplay(CCmdUI* ui);
    void OnUpdateJointSearch(CCmdUI* ui);
    void OnUpdateJointData(CCmdUI* ui);
    void OnUpdateAxialRatio(CCmdUI* ui);
    void OnUpdateStressField(CCmdUI* ui);
    void OnUpdateSteelCheckRun(CCmdUI* ui);
    void OnUpdateSupportForces(CCmdUI* ui);
    void OnUpdateHistoryViewer(CCmdUI* ui);
    void OnUpdateHistoryNode(CCmdUI* ui);
    void OnUpdateNodeAboveForce(CCmdUI* ui);
    void OnUpdateInfoContent(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()
};

extern CResultMenuCommands theResultMenuCommands;

// Whether a check program ("DRAV.EXE", "DEVUR.EXE") can be started: a result,
// a run folder and the program in the solver's folder.
bool CheckProgramAvailable(const char* program);
