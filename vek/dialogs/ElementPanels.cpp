// The panels over the element families and the texts they show; apart from
// the other bindings, so that programs without the families link.
#include "vek/dialogs/EditPromptDlg.h"
#include "vek/dialogs/FreedomDlg.h"
#include "vek/dialogs/InputDialogs.h"
#include "vek/dialogs/NdLoadParaDlg.h"
#include "vek/dialogs/ParaDispDlg.h"
#include "vek/elements/line/nodes/NodeAttributes.h"
#include "vek/elements/line/nodes/NodeInfo.h"
#include "vek/elements/line/nodes/NodeInput.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

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

void BindElementPanels()
{
    theInfoHooks.showText = ShowInfoText;
    RegisterPanel("restraints", OpenRestraintPanel);
    RegisterPanel("nodeForces", OpenNodeLoadPanel);
    RegisterPanel("mass", OpenMassPanel);
    RegisterPanel("nodeTemperature", OpenTemperaturePanel);
    RegisterPanel("tower", OpenTowerPanel);
}
