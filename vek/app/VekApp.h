#pragma once
// The application object of Vek.
#include "framework/Afx.h"

class CVekApp : public CWinApp {
public:
    CVekApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

extern CVekApp theApp;
