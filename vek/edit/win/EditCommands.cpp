#include "vek/edit/win/EditCommands.h"

#include "vek/app/FlashDialogs.h"
#include "vek/app/MainFrm.h"
#include "vek/dialogs/CombNodeConfirmDlg.h"
#include "vek/edit/LayerUndo.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/FrameSort.h"
#include "vek/elements/line/nodes/NodeCommands.h"
#include "vek/elements/line/nodes/NodeMerge.h"
#include "vek/model/ViewLink.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/res/resource.h"

CEditCommands theEditCommands;
bool (*theSortChoosesNodes)() = nullptr;

// clang-format off
BEGIN_MESSAGE_MAP(CEditCommands, CCmdTarget)
    ON_COMMAND(ID_EDIT_UNDO, &CEditCommands::OnEditUndo)
    ON_COMMAND(ID_EDIT_REDO, &CEditCommands::OnEditRedo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CEditCommands::OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, &CEditCommands::OnUpdateEditRedo)
    ON_COMMAND(ID_EDIT_MERGE_NODES_AUTO, &CEditCommands::OnMergeAllNodes)
    ON_COMMAND(ID_EDIT_SORT, &CEditCommands::OnSort)
END_MESSAGE_MAP()
// clang-format on

namespace {
const bool joined = [] {
    CMainFrame::AddModelCommandTarget(&theEditCommands);
    theUndoLimitPrompt = [](const char* text, int ms) { ShowFlashPrompt(text, ms); };
    theCombNodeConfirm = AskCombNodeConfirm;
    // The document's edits of the selection go to the undo history too.
    theDocumentHooks.beginUndoGroup = [] { theUndo.BeginRecord(); };
    theDocumentHooks.endUndoGroup = [] { theUndo.EndRecord(); };
    theDocumentHooks.addLayerChange = [](int kind, int id, int layer) {
        theUndo.AddRecord(new CUndoLayerChange(kind, id, layer));
    };
    return true;
}();
}  // namespace

void CEditCommands::OnEditUndo()
{
    theUndo.Undo();
}

void CEditCommands::OnEditRedo()
{
    theUndo.Redo();
}

void CEditCommands::OnUpdateEditUndo(CCmdUI* ui)
{
    ui->Enable(theUndo.CanUndo());
}

void CEditCommands::OnUpdateEditRedo(CCmdUI* ui)
{
    ui->Enable(theUndo.CanRedo());
}

void CEditCommands::OnMergeAllNodes()
{
    if (MergeAllNodesCommand() > 0) InvalidateModelView();
}

void CEditCommands::OnSort()
{
    if (!theSortChoosesNodes || theSortChoosesNodes())
        SortNodesCommand();
    else
        SortElementsCommand();
}
