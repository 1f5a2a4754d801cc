#pragma once
#include <cstdint>

#include "vek/model/TextAlign.h"

// What the model's records ask of the rest of the program: the prompt bar,
// the main frame's selectors, the left panel, the view, the undo stack and
// the result display. The application binds its own object at start-up;
// until then every request does nothing.
class CModelHooks {
public:
    virtual ~CModelHooks() = default;
    // A line in the prompt bar.
    virtual void ShowPrompt(const char* text) {}
    // The main frame's layer selector is filled again.
    virtual void RefreshLayerSelector() {}
    // The left panel's storey and work-platform texts.
    virtual void RefreshStoreyTexts() {}
    // The main frame's load-case and result selectors.
    virtual void RefreshResultSelectors() {}
    // The view draws the model again (through the view link when unbound).
    virtual void InvalidateModel();
    // The undo history is emptied (through the options' hook when unbound).
    virtual void ClearUndo();
    // The arc method (1-6) chosen in the left panel's generation-method box.
    virtual int CurrentArcMethod() { return 1; }
    // The analysis type of the time-history settings (1 time history).
    virtual int HistoryAnalysisType() { return 0; }
    // The result display takes its maxima over the displayed objects again.
    virtual void RecomputeResultMaxima() {}
};

CModelHooks& ModelHooks();
// nullptr: back to the hooks that do nothing; returns the previous binding.
CModelHooks* SetModelHooks(CModelHooks* hooks);

// What the model's records ask of the view projection: the work platform,
// the plan elevation and the conversions between model, view-plane and
// window coordinates. The view binds its projection; unbound, the model is
// seen in plan from above at one pixel per unit.
class CModelProjection {
public:
    virtual ~CModelProjection() = default;
    // 1 plan, 2 elevation work plane, 3 free 3-D (the view link's when unbound).
    virtual int GetMode() const;
    virtual void SetMode(int mode) {}
    virtual double GetPlanElevation() const { return 0; }
    virtual void SetPlanElevation(double z) {}
    // The top of the model, for the views' extents.
    virtual void SetModelTop(double z) {}
    // Refits the view to the model.
    virtual void ZoomExtents() {}
    // Model point to view-plane coordinates and back.
    virtual void WorldToPlane(const double* p, double& u, double& v) const
    {
        u = p[0];
        v = p[1];
    }
    virtual void PlaneToWorld(double u, double v, double out[3]) const
    {
        out[0] = u;
        out[1] = v;
        out[2] = GetPlanElevation();
    }
    // Model point to window pixels (y grows downwards), not rounded.
    virtual void WorldToScreen(const double* p, double& sx, double& sy) const
    {
        sx = p[0];
        sy = -p[1];
    }
    // Pixels per model unit.
    virtual double GetScale() const { return 1; }
};

CModelProjection& ModelProjection();
CModelProjection* SetModelProjection(CModelProjection* projection);

// Text alignment flags of the canvas: kAlignLeft ... (TextAlign.h).

// The drawing primitives the model's helpers draw with, in model points;
// the view binds its drawing layer. Unbound, nothing is drawn.
class CModelCanvas {
public:
    virtual ~CModelCanvas() = default;
    virtual void Line(const double* p1, const double* p2, uint32_t colour, int width) {}
    // An arrow from one point to another.
    virtual void Arrow(const double* from, const double* to, uint32_t colour) {}
    virtual void FilledTriangle(const double* a, const double* b, const double* c, uint32_t colour) {}
    // angle in radians; alignment of kAlign flags.
    virtual void Text(const double* at, const char* text, uint32_t colour, unsigned alignment, double angle) {}
};

CModelCanvas& ModelCanvas();
CModelCanvas* SetModelCanvas(CModelCanvas* canvas);

// The small value dialogs that commands of the model open (the general edit
// dialog on the window side). Unbound, every dialog is cancelled.
class CValueDialogs {
public:
    virtual ~CValueDialogs() = default;
    // n integer fields with their labels; false on Cancel. The values are
    // shown first and hold what was typed after OK.
    virtual bool EditInts(const char* title, int n, const char* const* labels, int* values) { return false; }
    // One number.
    virtual bool EditDouble(const char* title, const char* label, double& value) { return false; }
};

CValueDialogs& ValueDialogs();
CValueDialogs* SetValueDialogs(CValueDialogs* dialogs);
