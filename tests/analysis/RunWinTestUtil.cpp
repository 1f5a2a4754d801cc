#include "RunWinTestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <tlhelp32.h>

namespace runwin {

namespace {

CRunTestApp theApp;

std::string TempRoot()
{
    static const std::string root = [] {
        char dir[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, dir);
        std::string r = std::string(dir) + "vek_korva_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(r.c_str(), nullptr);
        return r;
    }();
    return root;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ReadBytes(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

// The solver folder is made before any test: the stand-in under each step name.
class RunEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOW));
        const std::string ini = TempRoot() + "\\profile.ini";
        ::DeleteFileA(ini.c_str());
        free(const_cast<char*>(theApp.m_pszProfileName));
        theApp.m_pszProfileName = _strdup(ini.c_str());

        ::CreateDirectoryA(SolverFolder().c_str(), nullptr);
        ::CreateDirectoryA(DataFolder().c_str(), nullptr);
        const std::string standIn = ProgramFolder() + "\\solver_standin.exe";
        for (const char* name :
             {"kor",     "KOR2",   "FRAME", "FRAMF", "BRONK",  "SPRING", "SPRINGF", "UDEXOR", "UDEXOR2", "SALDER",
              "NIBRAKO", "UMORAP", "UQIRN", "REIN",  "SHELLE", "SHELLF", "TULMA",   "A",      "B",       "C"}) {
            const std::string target = SolverFolder() + "\\" + name + ".exe";
            ASSERT_TRUE(::CopyFileA(standIn.c_str(), target.c_str(), FALSE)) << target;
        }
        // The set-up that ran when the library loaded, once more for this folder.
        ASSERT_TRUE(::SetEnvironmentVariableA("KORVA", SolverFolder().c_str()));
        CProcessManager::LocateSolver();
        ASSERT_STREQ(CProcessManager::korvaPath, SolverFolder().c_str());
    }
    void TearDown() override
    {
        // A child still holding a pipe is let go; the folder goes once no
        // program of it runs any more.
        TouchSolverFile("release-child");
        const bool removed = PumpUntil(
            [] {
                std::error_code ec;
                std::filesystem::remove_all(TempRoot(), ec);
                return !ec && !std::filesystem::exists(TempRoot(), ec);
            },
            10000);
        if (!removed) std::printf("scratch folder %s left behind\n", TempRoot().c_str());
    }
};
const auto* g_env = ::testing::AddGlobalTestEnvironment(new RunEnvironment);

}  // namespace

std::string ProgramFolder()
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string s = self;
    return s.substr(0, s.find_last_of('\\'));
}

std::string SolverFolder()
{
    return TempRoot() + "\\solver";
}
std::string DataFolder()
{
    return TempRoot() + "\\work";
}

void SetPlan(const std::string& plan)
{
    WriteBytes(SolverFolder() + "\\plan.txt", plan);
    ::DeleteFileA((SolverFolder() + "\\log.txt").c_str());
}

void SetDataFile(const std::string& text)
{
    WriteBytes(DataFolder() + "\\MODEL", text);
}

bool SolverFileExists(const char* name)
{
    return ::GetFileAttributesA((SolverFolder() + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void TouchSolverFile(const char* name)
{
    WriteBytes(SolverFolder() + "\\" + name, "");
}

void RemoveSolverFile(const char* name)
{
    ::DeleteFileA((SolverFolder() + "\\" + name).c_str());
}

std::vector<LogEntry> ReadLog()
{
    std::vector<LogEntry> entries;
    const std::string log = ReadBytes(SolverFolder() + "\\log.txt");
    size_t at = 0;
    while (at < log.size()) {
        size_t end = log.find("\r\n", at);
        if (end == std::string::npos) break;
        const std::string line = log.substr(at, end - at);
        at = end + 2;
        std::vector<std::string> fields;
        size_t from = 0;
        for (;;) {
            const size_t bar = line.find('|', from);
            fields.push_back(line.substr(from, bar == std::string::npos ? std::string::npos : bar - from));
            if (bar == std::string::npos) break;
            from = bar + 1;
        }
        LogEntry e;
        e.name = fields[0];
        if (e.name == "child") {
            e.pid = fields.size() > 1 ? std::strtoul(fields[1].c_str(), nullptr, 10) : 0;
        } else if (fields.size() >= 6) {
            e.commandLine = fields[1];
            e.folder = fields[2];
            e.korva = fields[3];
            e.path = fields[4];
            e.pid = std::strtoul(fields[5].c_str(), nullptr, 10);
        }
        entries.push_back(e);
    }
    return entries;
}

std::vector<std::string> LoggedCommands()
{
    std::vector<std::string> out;
    for (const auto& e : ReadLog())
        if (e.name != "child") out.push_back(e.commandLine);
    return out;
}

std::vector<DWORD> LoggedChildren()
{
    std::vector<DWORD> out;
    for (const auto& e : ReadLog())
        if (e.name == "child") out.push_back(e.pid);
    return out;
}

bool ProcessAlive(DWORD pid)
{
    HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!h) return false;
    const bool alive = ::WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    ::CloseHandle(h);
    return alive;
}

int CountProcesses(const char* exeName)
{
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return -1;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int n = 0;
    for (BOOL more = ::Process32First(snap, &entry); more; more = ::Process32Next(snap, &entry))
        if (::lstrcmpiA(entry.szExeFile, exeName) == 0) ++n;
    ::CloseHandle(snap);
    return n;
}

void PumpPending()
{
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
    }
}

HWND FindTopWindow(const char* title)
{
    HWND h = ::FindWindowA(nullptr, title);
    return h && ::IsWindowVisible(h) ? h : nullptr;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpPending();
        if (done()) return true;
        if (::GetTickCount() - start >= ms) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

Answers::Answers()
{
    AfxSetMessageBoxHook([this](const CString& text, const CString&, UINT type) {
        texts.emplace_back(text.GetString());
        types.push_back(type);
        const UINT buttons = type & MB_TYPEMASK;
        int a = 1;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        if (buttons == MB_YESNO) return a ? IDYES : IDNO;
        return IDOK;
    });
}

Answers::~Answers()
{
    AfxSetMessageBoxHook(nullptr);
}

BEGIN_MESSAGE_MAP(CRunHarness, CWnd)
ON_MESSAGE(WM_RUN_OUTPUT, &CRunHarness::OnOutput)
ON_MESSAGE(WM_RUN_NEXT, &CRunHarness::OnNext)
ON_MESSAGE(WM_RUN_STARTED, &CRunHarness::OnStarted)
ON_MESSAGE(WM_RUN_ENDED, &CRunHarness::OnEnded)
END_MESSAGE_MAP()

CRunHarness::CRunHarness(CProcessManager* manager) : m_pManager(manager)
{
    CreateEx(0, AfxRegisterWndClass(0), "run harness", WS_POPUP, 0, 0, 10, 10, HWND_MESSAGE, nullptr);
    manager->SetProcessManagerWnd(m_hWnd);
}

CRunHarness::~CRunHarness()
{
    if (m_pManager->GetProcessManagerWnd() == m_hWnd) m_pManager->SetProcessManagerWnd(nullptr);
    if (m_pManager->GetOutputWnd() == m_hWnd) m_pManager->SetOutputWnd(nullptr);
    DestroyWindow();
}

void CRunHarness::Serve()
{
    m_pManager->SetOutputWnd(m_hWnd);
    m_pManager->SetProcessManagerWnd(m_hWnd);
}

LRESULT CRunHarness::OnOutput(WPARAM start, LPARAM end)
{
    if (!m_bTakeText) {
        ++m_nUntaken;
        return 0;
    }
    m_lines.AddText(reinterpret_cast<const char*>(start), reinterpret_cast<const char*>(end));
    m_pManager->ReadStringFinished();
    return 0;
}

LRESULT CRunHarness::OnNext(WPARAM, LPARAM)
{
    ++m_nNext;
    if (m_onNext) m_onNext(m_nNext);
    m_pManager->StartAnotherProgram();
    return 0;
}

LRESULT CRunHarness::OnStarted(WPARAM text, LPARAM)
{
    m_started.emplace_back(reinterpret_cast<const char*>(text));
    return 0;
}

LRESULT CRunHarness::OnEnded(WPARAM status, LPARAM)
{
    m_ended.push_back(status);
    return 0;
}

bool WaitForEnd(CRunHarness& harness, CProcessManager& manager)
{
    const bool came = PumpUntil([&] { return !harness.m_ended.empty() && !manager.ProcessIsStillActive(); });
    PumpPending();
    return came;
}

}  // namespace runwin
