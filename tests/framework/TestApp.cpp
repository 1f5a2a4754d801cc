// The test program's application object and shared helpers.
#include "TestApp.h"
#include "fwtest_res.h"

#include <gtest/gtest.h>

#include "tests/support/TestFiles.h"

CTestApp theTestApp;

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_TEST_APPCMD, &CTestApp::OnAppCommand)
ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
END_MESSAGE_MAP()

CTestApp::CTestApp() : CWinApp("FwTest") {}

BOOL CTestApp::OnIdle(LONG count)
{
    if (m_bRecord) {
        m_idleCounts.push_back(count);
        if (count == m_quitAtIdle) ::PostQuitMessage(7);
    }
    return CWinApp::OnIdle(count) || (m_bRecord && count < 3);
}

BOOL CTestApp::PreTranslateMessage(MSG* msg)
{
    if (m_bRecord) m_preTranslated.push_back(msg->message);
    return CWinApp::PreTranslateMessage(msg);
}

MessageBoxRecorder::MessageBoxRecorder()
{
    AfxSetMessageBoxHook([this](const CString& text, const CString&, UINT) {
        texts.emplace_back(text.GetString());
        if (onShow) onShow();
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    AfxSetMessageBoxHook(nullptr);
}

HandlerExceptionRecorder::HandlerExceptionRecorder()
{
    FwSetHandlerExceptionHook([this](const char* what) { whats.emplace_back(what); });
}

HandlerExceptionRecorder::~HandlerExceptionRecorder()
{
    FailOnHandlerExceptions();
}

void FailOnHandlerExceptions()
{
    FwSetHandlerExceptionHook([](const char* what) { ADD_FAILURE() << "exception in a message handler: " << what; });
}

std::string TempPath(const char* name)
{
    static const vektest::TempDir dir("fw");
    return dir.File(name);
}

namespace {
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW));
        const std::string ini = TempPath("fwtest_profile.ini");
        ::DeleteFileA(ini.c_str());
        free(const_cast<char*>(theTestApp.m_pszProfileName));
        theTestApp.m_pszProfileName = _strdup(ini.c_str());
        FailOnHandlerExceptions();
    }
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new AppEnvironment);
}  // namespace
