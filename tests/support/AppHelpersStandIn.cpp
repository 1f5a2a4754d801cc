#include "tests/support/AppHelpersStandIn.h"

#include "vek/model/AppHelpers.h"

namespace {
struct State {
    std::vector<vektest::AppMessage> messages;
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

namespace vektest {

AppHelperLog::AppHelperLog(int answer)
{
    Current() = State{{}, answer, -1};
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

}  // namespace vektest
