#include "vek/dialogs/InputDialogs.h"

#include "vek/dialogs/AxisEditDlg.h"
#include "vek/dialogs/EditPromptDlg.h"
#include "vek/dialogs/EigenDlg.h"
#include "vek/dialogs/FileNewDlg.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/dialogs/LoadCombDlg.h"
#include "vek/dialogs/ParaDispDlg.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

// The panels and texts the model's commands open.
class CWindowParameterPanels : public CParameterPanels {
public:
    void OpenPrompt(const char* title, const char* note, int16_t* value, bool closeOthers) override
    {
        const int types[1] = {CEditPromptDlg::kShort};
        void* const values[1] = {value};
        const char* const labels[1] = {title};
        OpenEditPrompt(note, 1, types, values, labels, closeOthers);
    }
    void ShowParameterText(const char* title, const char* text, bool closeOthers) override
    {
        ::ShowParameterText(title, text, closeOthers);
    }
};

}  // namespace

void BindInputDialogs()
{
    BindLeftPanelLinks();
    theDocumentHooks.fileNewDialog = RunFileNewDialog;
    RegisterCommandHandler(32812, RunAxisEditDialog);
    RegisterCommandHandler(32817, RunEigenDialog);
    RegisterCommandHandler(32818, RunForceCombinationDialog);
    RegisterCommandHandler(32931, RunDisplacementCombinationDialog);
    BindCombinationDialog();
    static CWindowParameterPanels panels;
    SetParameterPanels(&panels);
}
