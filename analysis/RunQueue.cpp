// The run manager's rules without windows.
#include "analysis/RunQueue.h"

#include <sys/stat.h>

CProcessInfo::CProcessInfo(const char* program, const char* arguments, const char* folder)
    : m_strProgram(program), m_strArguments(arguments), m_strFolder(folder)
{
}

// ---- CStepList ----------------------------------------------------------------------------

int CStepList::AddProgram(const char* name, int check)
{
    m_arrChecks.Add(check ? 1 : 0);
    return m_arrPrograms.Add(name);
}

void CStepList::RemoveAllPrograms()
{
    m_arrPrograms.RemoveAll();
    m_arrChecks.RemoveAll();
}

int CStepList::FindProgram(const char* name, int from) const
{
    for (int i = from < 0 ? 0 : from; i < m_arrPrograms.GetSize(); ++i)
        if (m_arrPrograms[i].CompareNoCase(name) == 0) return i;
    return -1;
}

// ---- exit codes ----------------------------------------------------------------------------

int RunRules::JudgeExitCode(uint32_t code, int iterationMode, const char** message)
{
    if (message) *message = nullptr;
    if (iterationMode && code == kLastRound) return EndIteration;
    const char* text = nullptr;
    switch (code) {
        case 1: return AskWarning;
        case 2: text = "发生错误!"; break;
        case 3: text = "发生致命性错误!"; break;
        case kStopCode: return Abort;
        default:
            // Minus two and minus one are the solver's own notices, not failures.
            if (code >= 6001 && code < 0xFFFFFFFEu) text = "发生意外错误!";
            break;
    }
    if (!text) return GoOn;
    if (message) *message = text;
    return Error;
}

// ---- CRunQueue -----------------------------------------------------------------------------

namespace {

// The texts that start a program through the shell instead of the queue.
const char* const kDirectPrograms[] = {"NOTEPAD", "VEK", "RUNDA", "SHOW", "ZUROZE", "TULMA", "MOLTERA"};

bool StartsWith(const CString& text, const char* prefix)
{
    const int n = static_cast<int>(std::char_traits<char>::length(prefix));
    return text.GetLength() >= n && text.Left(n) == prefix;
}

// A "\" at the end that is a character of its own, not the second byte of one.
bool EndsWithBackslash(const CString& text)
{
    return !text.IsEmpty() && text.ReverseFind('\\') == text.GetLength() - 1;
}

CString InFolder(const char* folder, const CString& name)
{
    CString path(folder);
    if (path.IsEmpty()) return name;
    if (!EndsWithBackslash(path)) path += '\\';
    return path + name;
}

}  // namespace

CRunQueue::CRunQueue(int totalMemory) : m_nTotalMemory(totalMemory)
{
    m_nUsedMemory = RunRules::DefaultUsedMemory(totalMemory);
}

CRunQueue::~CRunQueue() = default;

void CRunQueue::SetFullPathName(const char* path)
{
    CString folder, file;
    RunRules::SplitFullPathName(path, folder, file);
    m_strCurPath = folder;
    SetFileName(file);
}

void CRunQueue::SetFileName(const char* name)
{
    m_strFileName = RunRules::DataName(name);
}

void CRunQueue::SetMemoryAccordNodes(int nodes)
{
    m_nUsedMemory = RunRules::MemoryAccordNodes(m_nUsedMemory, nodes, m_nTotalMemory);
}

void CRunQueue::ReadSettings(CRunProfile& profile)
{
    const int memory = profile.GetInt("Settings", "Memory", m_nUsedMemory);
    if (RunRules::IsProfileMemoryAccepted(memory, m_nTotalMemory)) m_nUsedMemory = memory;
    m_strCurPath = profile.GetString("Settings", "CurPath", "C:");
    SetFileName(profile.GetString("Settings", "FileName", ""));
}

void CRunQueue::WriteSettings(CRunProfile& profile) const
{
    profile.WriteInt("Settings", "Memory", m_nUsedMemory);
    profile.WriteString("Settings", "CurPath", m_strCurPath);
    profile.WriteString("Settings", "FileName", m_strFileName);
}

BOOL CRunQueue::FileExists(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && (st.st_mode & S_IFMT) == S_IFREG;
}

int CRunQueue::RefuseLongDataName(const char* name)
{
    const CString text(name);
    if (text.GetLength() <= RunRules::kMaxDataName) return 0;
    CString message;
    message.Format("数据文件名%s超过%d个字符，KORVA求解程序无法使用，请改用不超过%d个字符的文件名！", name,
                   RunRules::kMaxDataName, RunRules::kMaxDataName);
    Prompt(message, Stop);
    return 1;
}

int CRunQueue::QueueProcess(const char* program, const char* file, const char* folder, int queue, int iteration,
                            CRunCommand& cmd)
{
    cmd = CRunCommand();
    CString text(program);
    if (file) {
        text += ' ';
        text += file;
    }
    text.TrimLeft(' ');
    text.MakeUpper();

    bool direct = queue == 0;
    for (const char* name : kDirectPrograms)
        if (!direct && StartsWith(text, name)) direct = true;

    CString command = text;
    CString arguments;
    const int prefix = StartsWith(text, "KOR.EXE") ? 7 : StartsWith(text, "KOR") ? 3 : 0;
    if (prefix && (text.GetLength() == prefix || text[prefix] == ' ')) {
        command = text.Left(prefix);
        CString rest = text.Mid(prefix);
        rest.TrimLeft(' ');
        const int m = rest.Find("/M:");
        if (m >= 0) {
            int end = rest.Find(' ', m);
            if (end < 0) end = rest.GetLength();
            arguments = rest.Mid(m, end - m);
            rest = rest.Left(m) + rest.Mid(end);
            rest.TrimLeft(' ');
        } else {
            arguments.Format("/M:%1d", m_nUsedMemory);
        }
        arguments += ' ';
        const int blank = rest.Find(' ');
        CString name = blank >= 0 ? rest.Left(blank) : rest;
        if (name.IsEmpty()) name = m_strFileName;
        arguments += name;
        if (blank >= 0) arguments += rest.Mid(blank);
        if (name.IsEmpty()) {
            Prompt("没有输入KORVA数据文件!", Stop);
            return 0;
        }
        if (RefuseLongDataName(name)) return 0;
        if (!FileExists(InFolder(folder, name))) {
            Prompt("当前目录下不存在需计算的数据文件!", Stop);
            return 0;
        }
    }

    if (direct) {
        // The program runs to the first blank after its folder; the rest are parameters.
        const int slash = command.ReverseFind('\\');
        const int blank = command.Find(' ', slash + 1);
        if (blank >= 0) {
            arguments += command.Mid(blank);
            command = command.Left(blank);
        }
        cmd.m_nKind = CRunCommand::Direct;
        cmd.m_strProgram = command;
        cmd.m_strArguments = arguments;
        return 1;
    }

    arguments += " /c";
    const CProcessInfo info(command, arguments, folder);
    if (info.GetCommandLine().GetLength() > RunRules::kMaxCommandLine) {
        CString message;
        message.Format("命令行超过%d个字符，无法执行：\n%s", RunRules::kMaxCommandLine,
                       info.GetCommandLine().GetString());
        Prompt(message, Stop);
        return 0;
    }
    if (GetTotalSize() == 0 && !m_bRunning) BeginRun();
    if (iteration)
        AddRecycleProcess(command, arguments, folder);
    else
        AddNoneRecycleProcess(command, arguments, folder);
    cmd.m_nKind = CRunCommand::Queued;
    cmd.m_strProgram = command;
    cmd.m_strArguments = arguments;
    return 1;
}

void CRunQueue::BeginRun()
{
    m_bStopRequested = 0;
    m_bExitCodeFresh = 0;
    m_bRecycleMode = 0;
    m_nRecyclePosition = 0;
}

int CRunQueue::AddNoneRecycleProcess(const char* program, const char* arguments, const char* folder)
{
    m_arrProcesses.Add(CProcessInfo(program, arguments, folder));
    return 1;
}

int CRunQueue::AddRecycleProcess(const char* program, const char* arguments, const char* folder)
{
    m_arrRecycle.Add(CProcessInfo(program, arguments, folder));
    return 1;
}

int CRunQueue::PullOneProgram(CProcessInfo& info)
{
    if (m_arrProcesses.IsEmpty()) return 0;
    info = m_arrProcesses[0];
    m_arrProcesses.RemoveAt(0);
    return 1;
}

int CRunQueue::GetRecycleProgram(int& position, CProcessInfo& info)
{
    if (m_arrRecycle.IsEmpty()) return 0;
    if (position < 0 || position >= m_arrRecycle.GetSize()) position = 0;
    info = m_arrRecycle[position++];
    return 1;
}

void CRunQueue::Clear()
{
    m_arrProcesses.RemoveAll();
    m_arrRecycle.RemoveAll();
}

void CRunQueue::SetExitCode(uint32_t code)
{
    m_dwExitCode = code;
    m_bExitCodeFresh = 1;
}

int CRunQueue::GetExitCode(uint32_t& code)
{
    if (!m_bExitCodeFresh || m_bRunning) return 0;
    code = m_dwExitCode;
    m_bExitCodeFresh = 0;
    return 1;
}

int CRunQueue::TakeNextProgram(CProcessInfo& info, int& status)
{
    bool abort = m_bStopRequested != 0;
    bool ended = false;
    uint32_t code = 0;
    status = 0;
    if (GetExitCode(code)) {
        ended = true;
        status = 1;
        if (abort) {
            // Stopped: the code of the program that was ended says nothing more.
        } else if (m_bRecycleMode && code == RunRules::kLastRound) {
            m_bRecycleMode = 0;
            ClearRecyclePrograms();
        } else {
            const char* message = nullptr;
            switch (RunRules::JudgeExitCode(code, m_bRecycleMode, &message)) {
                case RunRules::AskWarning: abort = !Prompt("有警告信息，是否继续?", Warning); break;
                case RunRules::Error:
                    Prompt(message, Stop);
                    abort = true;
                    break;
                case RunRules::Abort: abort = true; break;
                default: break;
            }
        }
    }
    if (abort) status = 0;
    if (abort || (ended && GetTotalSize() == 0)) return EndRun();

    if (!m_bRecycleMode) {
        if (!PullOneProgram(info)) {
            status = 0;
            return EndRun();
        }
        if (info.m_strProgram.Left(12) != "RECYCLEBRONK") return 1;
        m_bRecycleMode = 1;
        m_nRecyclePosition = 0;
    }
    if (!GetRecycleProgram(m_nRecyclePosition, info)) {
        status = 0;
        return EndRun();
    }
    return 1;
}

int CRunQueue::EndRun()
{
    Clear();
    m_bRecycleMode = 0;
    m_nRecyclePosition = 0;
    m_bStopRequested = 0;
    return 0;
}

// ---- the solver's steps --------------------------------------------------------------------

int CRunQueue::PrepareKorvaRun(CDataFile& data, CStepList& steps, int& freeStructure)
{
    if (RefuseLongDataName(m_strFileName)) return 0;
    const CString path = InFolder(m_strCurPath, m_strFileName);
    data.m_strFileName = path;
    if (!data.Scan(path, *this)) return 0;
    using D = CDataFile;
    if (data.HasAnySection({D::LEVE, D::SUPE, D::SUBS, D::TABS}) &&
        !Prompt("数据文件中包含集成环境不支持的数据段，\n如：子结构、TABS和LEVEL等。\n"
                "你可以在集成环境下采用命令行方式运行各相关程序段。",
                Question))
        return 0;
    if (data.HasAnySection({D::STAB, D::RESO}) &&
        data.HasAnySection({D::CFRA, D::VFRA, D::PIPE, D::PLAN, D::THRE, D::SOL2, D::SOL8, D::S16E}) &&
        !Prompt(data.HasSection(D::STAB) ? "稳定性分析目前只能支持框架单元、桁架单元和板壳单元!"
                                         : "考虑几何刚度影响(P-DELTA效应)的分析目前只能支持框架单元和桁架单元!",
                Question))
        return 0;
    if (freeStructure && !data.HasAnySection({D::RITZ, D::EIGE, D::LANC})) {
        if (!Prompt("选择了完全自由结构的振型分析，但是没有输入振型分析的相关数据，"
                    "是否继续进行普通的非完全自由结构的分析？",
                    Question))
            return 0;
        freeStructure = 0;
    }
    BuildSteps(steps, data, freeStructure);
    return 1;
}

namespace {

// The eigen steps: only the first that is listed starts checked.
void AddEigenSteps(CStepList& steps, const CDataFile& data, const char* suffix)
{
    static const struct {
        int section;
        const char* name;
    } kEigen[] = {{CDataFile::RITZ, "UKELP"}, {CDataFile::EIGE, "UMORAP"}, {CDataFile::LANC, "UQIRN"}};
    bool checked = false;
    for (const auto& e : kEigen) {
        if (!data.HasSection(e.section)) continue;
        steps.AddProgram(CString(e.name) + suffix, checked ? 0 : 1);
        checked = true;
    }
}

}  // namespace

void CRunQueue::AddElementSectionString(CStepList& steps, const CDataFile& data, int phase)
{
    using D = CDataFile;
    static const struct {
        int section;
        const char* step[3];
    } kRows[] = {
        {D::FRAM, {"FRAME", "FRAMF", "FRAMG"}},    {D::SFRA, {"SFRAME", "SFRAMF", "SFRAMG"}},
        {D::TRUS, {"TRUSSE", "TRUSSF", "TRUSSG"}}, {D::CFRA, {"CFRAME", "CFRAMF", nullptr}},
        {D::VFRA, {"VFRAME", "VFRAMF", nullptr}},  {D::PIPE, {"PIPE", "PIPF", nullptr}},
        {D::PLAN, {"PLANE", "PLANF", nullptr}},    {D::THRE, {"THREEDE", "THREEDF", nullptr}},
        {D::SOL2, {"SOL21", "SOL21F", nullptr}},   {D::SOL8, {"SOL8RE", "SOL8RF", nullptr}},
        {D::S16E, {"S16E", "S16F", nullptr}},      {D::SHEL, {"SHELLE", "SHELLF", "SHELLG"}},
        {D::WALL, {"WALL", "WALF", "WALLG"}},      {D::LSPR, {"SPRING", "SPRINGF", nullptr}},
    };
    if (phase < 1 || phase > 3) return;
    if (phase == 2) {
        steps.AddProgram("SALDER /D /F", 1);
        steps.AddProgram("NIBRAKO", 1);
    }
    for (const auto& row : kRows)
        if (row.step[phase - 1] && data.HasSection(row.section)) steps.AddProgram(row.step[phase - 1], 1);
    if (phase == 1 && data.HasAnySection({D::LINE, D::PE23, D::PENA, D::STIF, D::DISP})) steps.AddProgram("PSEUDO", 1);
}

void CRunQueue::BuildSteps(CStepList& steps, CDataFile& data, int freeStructure)
{
    using D = CDataFile;
    steps.RemoveAllPrograms();
    steps.AddProgram("KOR", 1);
    steps.AddProgram("KOR2", 1);
    AddElementSectionString(steps, data, 1);
    if (!freeStructure && data.HasSection(D::SOIL)) {
        steps.AddProgram("BRONK", 1);
        steps.AddProgram("SPRING", 1);
        data.SetSpringSection();
    }
    steps.AddProgram("UDEXOR", 1);
    if (data.HasSection(D::STEP)) steps.AddProgram("UFAMP", 1);
    if (!freeStructure) {
        steps.AddProgram("UDEXOR2", 1);
        if (data.HasSection(D::SOIL)) {
            steps.AddProgram("SALDER /D", 1);
            steps.AddProgram("BRONK", 1);
        }
        if (data.HasSection(D::FLUI)) {
            steps.AddProgram("WAMSE1", 1);
            steps.AddProgram("WAMSE2", 1);
        }
        if (data.IsConstructionStage()) steps.AddProgram("UJIRPAL", 1);
    }
    AddEigenSteps(steps, data, "");
    if (freeStructure) return;
    if (data.HasSection(D::DYNA)) steps.AddProgram("DYNAMIC", 1);
    if (data.HasSection(D::SPEC)) steps.AddProgram("SPEC", 1);
    if (data.HasSection(D::RVIB)) steps.AddProgram("TEBLO", 1);
    AddElementSectionString(steps, data, 2);
    if (data.HasSection(D::RESO)) {
        AddElementSectionString(steps, data, 3);
        steps.AddProgram("UDEXOR /R", 1);
        steps.AddProgram("UDEXOR2 /R", 1);
        AddEigenSteps(steps, data, " /R");
        if (data.HasSection(D::DYNA)) steps.AddProgram("DYNAMIC", 1);
        AddElementSectionString(steps, data, 2);
    }
    if (data.HasSection(D::STAB)) {
        AddElementSectionString(steps, data, 3);
        steps.AddProgram("UDEXOR /G", 1);
        steps.AddProgram("UDEXORG", 1);
    }
    if (data.HasSection(D::BRID)) steps.AddProgram("BRIDGE", 1);
    if (data.HasSection(D::REIN) && data.HasSection(D::FRAM)) steps.AddProgram("REIN", 1);
}

int CRunQueue::GetIterationRange(const CStepList& steps, const CDataFile& data, int freeStructure, int& first,
                                 int& second)
{
    first = second = steps.GetProgramCount() - 1;
    if (freeStructure || !data.HasSection(CDataFile::SOIL)) return 0;
    const int a = steps.FindProgram("BRONK");
    const int b = a >= 0 ? steps.FindProgram("BRONK", a + 1) : -1;
    if (b < 0) return 0;
    first = a;
    second = b;
    for (int i = a + 1; i <= b; ++i)
        if (!steps.m_arrChecks[i]) return 0;
    return 1;
}

int CRunQueue::QueueKorvaRun(const CStepList& steps, const CDataFile& data, int freeStructure)
{
    int first = 0, second = 0;
    const int iterate = GetIterationRange(steps, data, freeStructure, first, second);
    const int last = steps.GetProgramCount() - 1;
    CString file = m_strFileName;
    for (int i = 0; i <= first; ++i) {
        if (!steps.m_arrChecks[i]) continue;
        if (!AddOneProcess(steps.m_arrPrograms[i], file, m_strCurPath, 1, 0)) return 0;
        file.Empty();
    }
    if (iterate && !AddOneProcess("RECYCLEBRONK", nullptr, nullptr, 1, 0)) return 0;
    for (int i = first + 1; i <= last; ++i) {
        if (steps.m_arrChecks[i] &&
            !AddOneProcess(steps.m_arrPrograms[i], nullptr, m_strCurPath, 1, i <= second ? iterate : 0))
            return 0;
    }
    return 1;
}
