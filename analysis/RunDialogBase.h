#pragma once
// The base of the run manager's dialogs, and the scope in which their
// resources are looked up in this library.
#include "analysis/AnalysisApi.h"
#include "framework/Afx.h"

// The module handle of analysis.dll.
ANALYSIS_API HINSTANCE AnalysisInstance();

typedef CDialog CRunDialogBase;

// Looks resources up in analysis.dll while it lives.
class CRunResources {
public:
    CRunResources() : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(AnalysisInstance()); }
    ~CRunResources() { AfxSetResourceHandle(m_previous); }
    CRunResources(const CRunResources&) = delete;
    CRunResources& operator=(const CRunResources&) = delete;

private:
    HINSTANCE m_previous;
};
