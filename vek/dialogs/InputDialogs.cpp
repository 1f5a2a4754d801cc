#include "vek/dialogs/InputDialogs.h"

#include "vek/dialogs/AxisEditDlg.h"
#include "vek/dialogs/EditPromptDlg.h"
#include "vek/dialogs/EigenDlg.h"
#include "vek/dialogs/FileNewDlg.h"
#include "vek/dialogs/FreedomDlg.h"
#include "vek/dialogs/LeftDlg.h"
#include "vek/dialogs/LoadCombDlg.h"
#include "vek/dialogs/NdLoadParaDlg.h"
#include "vek/dialogs/ParaDispDlg.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeInfo.h"
#include "vek/elements/line/nodes/NodeInput.h"
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

void ShowInfoText(const char* title, const char* text)
{
    ShowParameterText(title, text, true);
}

void OpenMassPanel(int)
{
    char heading[128], labels[6][32];
    int indices[6];
    const int n = MassPanelTexts(heading, labels, indices);
    int types[6];
    void* values[6];
    const char* texts[6];
    for (int i = 0; i < n; ++i) {
        types[i] = CEditPromptDlg::kDouble;
        values[i] = &theNodeInputs.mass.m_v[indices[i]];
        texts[i] = labels[i];
    }
    OpenEditPrompt(heading, n, types, values, texts, false);
}

void OpenTemperaturePanel(int)
{
    const int types[1] = {CEditPromptDlg::kDouble};
    void* const values[1] = {&theNodeInputs.temperature};
    const char* const labels[1] = {kTemperaturePrompt};
    OpenEditPrompt(kTemperatureHint, 1, types, values, labels, false);
}

void OpenTowerPanel(int)
{
    const int types[1] = {CEditPromptDlg::kShort};
    void* const values[1] = {&theNodeInputs.tower};
    const char* const labels[1] = {kTowerPrompt};
    OpenEditPrompt(kTowerHint, 1, types, values, labels, false);
}

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
    theInfoHooks.showText = ShowInfoText;
}

void BindElementPanels()
{
    RegisterPanel("restraints", OpenRestraintPanel);
    RegisterPanel("nodeForces", OpenNodeLoadPanel);
    RegisterPanel("mass", OpenMassPanel);
    RegisterPanel("nodeTemperature", OpenTemperaturePanel);
    RegisterPanel("tower", OpenTowerPanel);
}
