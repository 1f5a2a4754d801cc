#pragma once
// What the view and the drawing layer read of the project's settings, and
// what they ask of the parts of the program that own the model and the
// view window. The settings are kept here until the project options record
// holds them; the hooks are bound by the program at start-up (tests bind
// their own). An unbound hook answers "nothing there".
#include <cstdint>

class CViewProjection;

// The display font: what the drawing layer builds its text font from.
struct ViewFontDesc {
    int32_t height = 12;  // pixels; the drawing pass sets it per picture
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 1;
    char face[32] = "宋体";
};

// Bits of the display flag word.
constexpr uint32_t kDisplayLighting = 4;
// Bits of the display options' flag word.
constexpr uint32_t kOptionCables = 2;
constexpr uint32_t kOptionTurnLongLabels = 16;

struct CViewSettings {
    float zoomStep = 0.8f;          // zoom ratio of one zoom step
    uint8_t openGL = 1;             // draw through OpenGL (hidden-surface display)
    uint8_t edgesInGL = 1;          // true-shape members show their edges on OpenGL
    uint32_t displayFlags = 0;      // kDisplayLighting
    double outlineOffset = 0.0005;  // outline depth offset, a fraction of the view depth
    double dxfTextHeight = 0.5;     // model units
    double textHeight = 0.5;        // model units
    ViewFontDesc font;
    float loadSymbolFactor = 1.0f;
    int16_t loadCase = 1;        // current load case
    int16_t maxDispPixels = 50;  // pixels for the largest displacement
    uint8_t axisGridInElevation = 0;
    uint32_t optionFlags = 0;  // kOptionCables, kOptionTurnLongLabels
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
    // Asks the main view to rebuild and repaint its picture.
    void (*invalidateModel)() = nullptr;
    // Invalidates the main view's window (erase: also its background).
    void (*invalidateView)(int erase) = nullptr;
    // Shows a text in the prompt bar.
    void (*showPrompt)(const char* text) = nullptr;
};

extern CViewHooks theViewHooks;

// The hooks' calls, each doing nothing when unbound.
int ViewDeformedShown();
void ViewInvalidateModel();
void ViewInvalidateWindow(int erase);
void ViewShowPrompt(const char* text);
