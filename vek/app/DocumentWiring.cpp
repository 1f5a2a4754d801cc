#include "vek/app/DocumentWiring.h"

#include "analysis/ProcessManager.h"
#include "vek/app/AppWindows.h"
#include "vek/app/FlashDialogs.h"
#include "vek/app/FrameHooks.h"
#include "vek/app/ModelBindings.h"
#include "vek/app/VekDoc.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/AutoSave.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/project/ProjectFile.h"
#include "vek/view/DocumentBinding.h"

void BindDocumentServices()
{
    static bool bound = false;
    if (bound) return;
    bound = true;
    BindModelWindows();
    BindViewToDocument();
    DocumentHooks& h = theDocumentHooks;
    h.runQueue = &theProcessManager;
    h.flashPrompt = [](const char* text, int ms) { ShowFlashPrompt(text, ms); };
    h.endAllOperations = [] { EndAllOperations(); };
    h.refreshPanels = [] {
        if (!theLeftDlg) return;
        theLeftDlg->ShowLayerAndPlatform();
        theLeftDlg->ShowCurrentLoadCase();
    };
    h.saveIfModified = [] {
        CVekDoc* doc = GetVekDoc();
        if (!doc || !doc->IsModified()) return;
        if (AppMessageBox("是否将改动进行保存？", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    };
    pfnSaveProject = SaveProject;
}
