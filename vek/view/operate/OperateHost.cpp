#include "vek/view/operate/OperateHost.h"

#include <ctime>

#include "vek/view/ViewSettings.h"
#include "vek/view/operate/ViewCommands.h"

namespace {
COperateHost nullHost;
COperateHost* boundHost = nullptr;
}  // namespace

COperateLinks theOperateLinks;

void COperateHost::InvalidateModel()
{
    ViewInvalidateModel();
}

void COperateHost::PostViewCommand(int id)
{
    RunViewCommand(id);
}

COperateHost& OperateHost()
{
    return boundHost ? *boundHost : nullHost;
}

COperateHost* SetOperateHost(COperateHost* host)
{
    COperateHost* before = boundHost;
    boundHost = host;
    return before;
}

long OperateClockMs()
{
    if (theOperateLinks.clockMs) return theOperateLinks.clockMs();
    return static_cast<long>(static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC);
}

bool ShiftOrCtrlHeld()
{
    return theOperateLinks.shiftOrCtrlHeld && theOperateLinks.shiftOrCtrlHeld();
}
