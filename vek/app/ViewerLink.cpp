#include "vek/app/ViewerLink.h"

#include <cstring>

#include "vek/app/AppWindows.h"
#include "vek/app/VekDoc.h"
#include "vek/app/VekView.h"
#include "vek/model/AppHelpers.h"

const UINT WM_VIEWER_IDENTIFY = ::RegisterWindowMessageA("ARE_YOU_MOLTERA");
const UINT WM_VIEWER_SHOW_NODE = ::RegisterWindowMessageA("VODIDEDAVIZUVURAZ");

ViewerLinkHooks theViewerLinkHooks;

namespace {

BOOL CALLBACK IdentifyViewer(HWND h, LPARAM found)
{
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutA(h, WM_VIEWER_IDENTIFY, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 200, &answer) &&
        answer == WM_VIEWER_IDENTIFY) {
        *reinterpret_cast<HWND*>(found) = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ActivateRunningModule()
{
    HWND viewer = nullptr;
    ::EnumWindows(&IdentifyViewer, reinterpret_cast<LPARAM>(&viewer));
    if (!viewer) return nullptr;
    ::SetForegroundWindow(viewer);
    if (::IsIconic(viewer))
        ::ShowWindow(viewer, SW_RESTORE);
    else if (!::IsWindowVisible(viewer))
        ::ShowWindow(viewer, SW_SHOW);
    return viewer;
}

INT_PTR StartViewer(CWnd* owner)
{
    if (ActivateRunningModule()) return 33;
    char dir[260];
    GetProgramDir(dir);
    const CString program = CString(dir) + "Moltera.exe";
    CVekDoc* doc = GetVekDoc();
    const CString parameters = "\"" + (doc ? doc->GetPathName() : CString()) + "\"";
    char folder[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, folder);
    const INT_PTR result = AppShellOpen(CWnd::GetSafeHwnd(owner), "open", program, parameters, folder, SW_SHOWNORMAL);
    if (result < 32) AppMessageBox("程序MOLTERA.EXE启动失败!\n可能在找不到相应的执行文件", MB_OK | MB_ICONERROR);
    return result;
}

void SendNodeToViewer()
{
    const ViewerLinkHooks& h = theViewerLinkHooks;
    const int node = h.takeSelectedNode ? h.takeSelectedNode() : -1;
    if (node < 0) return;
    PumpMessagesFor(500);
    if (h.redrawNode) h.redrawNode(node);
    if (node == 0) return;

    HWND viewer = ActivateRunningModule();
    if (!viewer && GetVekView()) {
        StartViewer(GetVekView());
        PumpMessagesFor(300);
        viewer = ActivateRunningModule();
    }
    if (!viewer) return;

    char path[260] = {};
    if (h.resultFilePath) h.resultFilePath(path);
    path[259] = '\0';
    COPYDATASTRUCT data{1, sizeof path, path};
    CWnd* main = AfxGetMainWnd();
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(viewer, WM_COPYDATA, reinterpret_cast<WPARAM>(CWnd::GetSafeHwnd(main)),
                          reinterpret_cast<LPARAM>(&data), SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &answer);
    int16_t item = 0, direction = 1;
    if (h.timeHistoryItem) h.timeHistoryItem(item, direction);
    ::PostMessageA(viewer, WM_VIEWER_SHOW_NODE, static_cast<WPARAM>(node),
                   MAKELPARAM(static_cast<WORD>(item), static_cast<WORD>(direction)));
}
