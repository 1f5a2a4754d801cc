#pragma once
// The model's records reach the program's windows through their seams: the
// value dialogs of the storey and display commands on the edit dialog, the
// prompt bar and the left panel for their texts, and the options' unit
// change on the whole-model conversion.
#include "vek/model/ModelHooks.h"

// The general edit dialog as the model's value dialogs: integer and number
// rows, the values changed only on OK.
class CEditValueDialogs : public CValueDialogs {
public:
    bool EditInts(const char* title, int n, const char* const* labels, int* values) override;
    bool EditDouble(const char* title, const char* label, double& value) override;
};

// The prompt bar, the main frame's selectors and the left panel as the
// model's hooks.
class CWindowModelHooks : public CModelHooks {
public:
    void ShowPrompt(const char* text) override;
    void RefreshLayerSelector() override;
    void RefreshStoreyTexts() override;
    void RefreshResultSelectors() override;
    int CurrentArcMethod() override;
};

// Binds the seams above; the application calls it once at start-up.
void BindModelWindows();
