#include "tests/support/AppHelpersStandIn.h"

#include <cstring>
#include <deque>
#include <filesystem>

#include "vek/model/AppHelpers.h"

namespace {
struct State {
    std::vector<vektest::AppMessage> messages;
    std::vector<vektest::AppPrompt> prompts;
    std::deque<std::string> answers;
    std::vector<unsigned> waits;
    int answer = IDOK;
    int modified = -1;
};
State& Current()
{
    static State s;
    return s;
}
}  // namespace

int AppMessageBox(const char* text, UINT type, UINT)
{
    Current().messages.push_back({text ? text : "", type});
    return Current().answer;
}

int AppMessageBoxID(UINT stringId, UINT type, UINT)
{
    Current().messages.push_back({"#" + std::to_string(stringId), type});
    return Current().answer;
}

void SetDocumentModified(int modified)
{
    Current().modified = modified;
}

int GetTempDir(CString& dir)
{
#if defined(_WIN32)
    const char kSeparator = '\\';
#else
    const char kSeparator = '/';
#endif
    std::string t = std::filesystem::temp_directory_path().string();
    const int length = static_cast<int>(t.size());
    if (!t.empty() && t.back() != '\\' && t.back() != '/') t += kSeparator;
    dir = t.c_str();
    return length;
}

void GetProgramDir(char dir[260])
{
    std::strcpy(dir, "C:\\Vek\\");
}

char* GetResourcePath(const char* name, char path[260])
{
    char dir[260];
    GetProgramDir(dir);
    CString full = CString(dir) + "Resource\\" + name;
    if (full.GetLength() > 259) full = full.Left(259);
    std::memcpy(path, full.GetString(), static_cast<size_t>(full.GetLength()) + 1);
    return path;
}

void PumpMessagesFor(unsigned ms, unsigned char*)
{
    Current().waits.push_back(ms);
}

int AppPromptValue(const char* prompt, CString& value)
{
    State& s = Current();
    s.prompts.push_back({prompt ? prompt : "", value.GetString()});
    if (s.answers.empty()) return IDCANCEL;
    value = s.answers.front().c_str();
    s.answers.pop_front();
    return IDOK;
}

namespace vektest {

AppHelperLog::AppHelperLog(int answer)
{
    Current() = State{};
    Current().answer = answer;
}
AppHelperLog::~AppHelperLog()
{
    Current() = State{};
}
const std::vector<AppMessage>& AppHelperLog::Messages() const
{
    return Current().messages;
}
int AppHelperLog::LastModified() const
{
    return Current().modified;
}
void AppHelperLog::SetAnswer(int answer)
{
    Current().answer = answer;
}
void AppHelperLog::QueuePromptAnswer(const std::string& text)
{
    Current().answers.push_back(text);
}
const std::vector<AppPrompt>& AppHelperLog::Prompts() const
{
    return Current().prompts;
}
const std::vector<unsigned>& AppHelperLog::Waits() const
{
    return Current().waits;
}

}  // namespace vektest
