// The test program's application object is the program's own, with a
// profile file of the test's; its frame is made from the program's template.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "AppTestUtil.h"
#include "analysis/AppProfile.h"
#include "analysis/MenuXP.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"
#include "vek/app/VekDoc.h"
#include "vek/app/VekView.h"
#include "vek/model/Profile.h"

CVekApp theApp;

namespace apptest {

CMainFrame* Frame()
{
    if (!theApp.m_pMainWnd) {
        theApp.OnFileNew();
        if (!theApp.m_pMainWnd) return nullptr;
        theApp.m_pMainWnd->SetWindowPos(nullptr, 30, 30, 900, 640, SWP_NOZORDER);
        theApp.m_pMainWnd->ShowWindow(SW_SHOW);
        theApp.m_pMainWnd->UpdateWindow();
        vektest::PumpPending();
    }
    return static_cast<CMainFrame*>(theApp.m_pMainWnd);
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of('\\'));
}

BoxRecorder::BoxRecorder()
{
    AfxSetMessageBoxHook([this](const CString& text, const CString&, UINT type) {
        texts.emplace_back(text.GetString());
        types.push_back(type);
        if (onShow) onShow();
        return answer;
    });
}

BoxRecorder::~BoxRecorder()
{
    AfxSetMessageBoxHook(nullptr);
}

}  // namespace apptest

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOWNORMAL);
    static vektest::TempFile ini("apptest", ".ini");
    std::free(const_cast<char*>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _strdup(ini.c_str());
    static CAppProfile profile(&theApp);
    SetAppProfile(&profile);
    CMenuXP::InitializeHook();
    theApp.AddDocTemplate(new CSingleDocTemplate(IDR_VEKTYPE, RUNTIME_CLASS(CVekDoc), RUNTIME_CLASS(CMainFrame),
                                                 RUNTIME_CLASS(CVekView)));
    const int rc = RUN_ALL_TESTS();
    if (theApp.m_pMainWnd && theApp.m_pMainWnd->m_hWnd) theApp.m_pMainWnd->DestroyWindow();
    CMenuXP::UninitializeHook();
    SetAppProfile(nullptr);
    return rc;
}
