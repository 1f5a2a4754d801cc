#pragma once
// What the document's model operations ask of parts of the program that are
// not model records: the view projection, the result object, the run manager,
// the prompt bar's operations and panels, the new-project dialog and the
// analysis control. Each owner binds its own; unbound, a request does nothing.
class CRunQueue;

struct DocumentHooks {
    // The projection: its default view; a refit to the model (the three
    // switches of its ZoomExtents); the work platform (1 plan, 2 elevation,
    // 3 free 3-D).
    void (*resetView)() = nullptr;
    void (*zoomExtents)(int recompute, int resetDirection, int resetZoom) = nullptr;
    void (*setProjectionMode)(int mode) = nullptr;

    // The result object: emptied; or given the project path, the node count
    // and its keep flag (0 on failure).
    void (*resultSetZero)() = nullptr;
    int (*resultSetFileName)(const char* path, int nodes, int flag) = nullptr;
    // The result displays are switched off and their state emptied.
    void (*clearResultDisplay)() = nullptr;

    // Running interactive operations are ended.
    void (*endAllOperations)() = nullptr;
    // The left panel (storey and platform texts, selection method, current
    // load case, snap settings, layer list, generation methods) and the
    // prompt bar's work-platform list show the model again.
    void (*refreshPanels)() = nullptr;
    // Emptied with the model: the axis grids with their grid nodes, and the
    // snap state's candidates.
    void (*clearAxisGrids)() = nullptr;
    void (*clearSnapState)() = nullptr;

    // A prompt that flashes for the given milliseconds.
    void (*flashPrompt)(const char* text, int ms) = nullptr;
    // A modified document is offered to be saved first (the model from result
    // files replaces it).
    void (*saveIfModified)() = nullptr;

    // The undo history: a group of records undone as one step, and the
    // record of an object's changed layer (kind, number, layer before).
    void (*beginUndoGroup)() = nullptr;
    void (*endUndoGroup)() = nullptr;
    void (*addLayerChange)(int kind, int id, int oldLayer) = nullptr;

    // Whether results are loaded in the result object.
    int (*resultGood)() = nullptr;
    // The modal dialog of the analysis settings.
    void (*analysisSettingsDialog)() = nullptr;

    // The dialog that offers a new model or an existing one (modeller only).
    void (*fileNewDialog)() = nullptr;
    // The analysis control, started on the project path.
    void (*startAnalysis)(const char* path) = nullptr;
    // 1 while an analysis control lives (its start and the data-file export are greyed).
    int (*analysisRunning)() = nullptr;

    // The run manager: the project folder and name it holds.
    CRunQueue* runQueue = nullptr;
};
extern DocumentHooks theDocumentHooks;
