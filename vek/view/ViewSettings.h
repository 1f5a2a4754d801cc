#pragma once
// What the view and the drawing layer keep of their own settings, and what
// they ask of the parts of the program that own the model and the view
// window. The hooks are bound by the program at start-up (tests bind their
// own). An unbound hook answers "nothing there".
#include <cstdint>

#include "vek/model/ProjectOptions.h"

class CViewProjection;

// The display font is the project options' text font; the drawing pass
// sets its height for each picture.
using ViewFontDesc = ProjectFont;

// Bits of the display options' switch word that the drawing layer reads.
constexpr int kOptionCablesBit = 1;
constexpr int kOptionTurnLongLabelsBit = 4;

// What the view keeps beside the project options, which hold every other
// setting it draws with (OpenGL switch, lighting, font, text size, ...).
struct CViewSettings {
    int32_t axisBubbleRadius = 12;  // pixels; drawing holds it to the window's height / 30
};

extern CViewSettings theViewSettings;

struct CViewHooks {
    // Adds what is to fit the window to the extent box: the shown boundaries and nodes.
    void (*addModelExtent)(CViewProjection& projection) = nullptr;
    // Adds the axis-grid nodes (the frame is already that of the mode).
    void (*addGridExtent)(CViewProjection& projection) = nullptr;
    // 1 while the deformed shape is shown.
    int (*deformedShown)() = nullptr;
    // Recomputes the display-range bits of every object.
    void (*updateVisibleObjects)() = nullptr;
    // Invalidates the main view's window (erase: also its background).
    void (*invalidateView)(int erase) = nullptr;
    // Shows a text in the prompt bar.
    void (*showPrompt)(const char* text) = nullptr;
    // Puts back the prompt that was there before the last showPrompt.
    void (*restorePrompt)() = nullptr;
    // Snapping: the candidates of the last picture are dropped; a grid node
    // (a model point) is offered.
    void (*snapReset)() = nullptr;
    void (*addGridSnapPoint)(const double point[3]) = nullptr;
    // 1 while a view drag holds a point: the picture follows the mouse in
    // the fast form through GDI.
    int (*viewDragging)() = nullptr;
};

extern CViewHooks theViewHooks;

// The hooks' calls, each doing nothing when unbound.
int ViewDeformedShown();
void ViewInvalidateModel();
void ViewInvalidateWindow(int erase);
void ViewShowPrompt(const char* text);
void ViewRestorePrompt();
