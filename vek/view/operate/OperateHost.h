#pragma once
// What the interactive operations ask of the windows around them (the prompt
// bar's controls, the flashing prompt, the modeless panels, the left panel)
// and of the element families that are not built into this machinery (the
// boundaries, the axis grid, the editing commands). The windows bind a host
// when they are made; tests bind a recording one. Unbound, every request does
// nothing and every question has the answer of an empty program.
#include <cstdint>
#include <string>

class CSingleOperate;

class COperateHost {
public:
    virtual ~COperateHost() = default;

    // ---- the prompt bar's controls ----
    // Shows the prompt line; the edit becomes editable or read-only and is cleared.
    virtual void ShowPromptText(const char* text, bool editable) {}
    virtual void SetInputText(const char* text) {}
    virtual void GetInputText(char* text, int size)
    {
        if (size > 0) text[0] = '\0';
    }
    virtual bool IsInputEditable() { return false; }
    // While coordinates are typed the bar holds the mouse.
    virtual void CaptureForTyping(bool on) {}
    // A passing message in its own small window for ms milliseconds.
    virtual void FlashPrompt(const char* text, int ms) {}
    // The work-platform list is filled again (its fixed entries and the named elevations).
    virtual void RefillPlatformList() {}
    // The dialog that edits the named elevations; true on OK.
    virtual bool RunElevationDialog() { return false; }
    // The cursor read-out of the bar (control 1080).
    virtual void ShowCoordinates(const char* text) {}
    // Messages posted to the bar: cancel (0x401) and finish (0x402).
    virtual void PostCancel() {}
    virtual void PostFinish() {}
    // A character posted to the bar's input edit.
    virtual void PostInputChar(char ch) {}
    virtual int MessageBox(const char* text, unsigned type) { return 1; }
    // A small modal edit: the prompt, the text shown first and, after OK,
    // the text typed; false on Cancel.
    virtual bool EditText(const char* title, const char* prompt, std::string& text) { return false; }
    // The snap options dialog over the seven switches after the master
    // ('Y' or 'N' each); false on Cancel.
    virtual bool SnapOptionsDialog(char switches[7]) { return false; }
    // Sends a message with a pointer to a window of the program (a dialog
    // that started an operation).
    virtual void SendToOwner(void* owner, unsigned message, const void* data) {}

    // ---- the modeless panels (the dialog manager) ----
    virtual bool AnyModelessDialogOpen() { return false; }
    virtual void HideModelessDialogs() {}
    virtual void ShowModelessDialogs() {}
    virtual void SaveAndCloseModelessDialogs() {}

    // ---- the left panel ----
    // The arc method 1..6 chosen for the running operation, 0 when none applies.
    virtual int GetArcMethod() { return 0; }
    virtual void SetArcMethod(int method) {}
    // Fills the generation methods for the current command; empties them.
    virtual void FillGenerateMethods() {}
    virtual void ClearGenerateMethods() {}
    // Selects an entry of the generation-method list (0-based).
    virtual void SelectGenerateEntry(int index) {}
    virtual void RefreshSnapText() {}
    virtual void ShowSelectMethod() {}
    virtual void RefreshStoreyTexts() {}

    // ---- the view ----
    // The view rebuilds its picture (through the view's hook when unbound).
    virtual void InvalidateModel();
    // A command posted to the view, carried out after the current one (at
    // once when unbound).
    virtual void PostViewCommand(int id);
    // The open-file dialog; false on Cancel.
    virtual bool ChooseOpenFile(const char* defaultExt, const char* filter, std::string& path) { return false; }
    // Stops a running result animation (command 32959 of the view).
    virtual void StopAnimation() {}
    // The view holds (or lets go of) the mouse.
    virtual void CaptureView(bool on) {}
    // The view's cursor now (a cursor resource of the program).
    virtual void SetViewCursor(int id) {}
    // The screen's pixels per inch (for the marker labels).
    virtual int ScreenDpi() { return 96; }
};

COperateHost& OperateHost();
// nullptr: back to the host that does nothing; returns the previous binding.
COperateHost* SetOperateHost(COperateHost* host);

// Work of other parts that the operations call; each owner binds its own.
struct COperateLinks {
    // The editing family: deletes every selected object as one undo step.
    void (*deleteSelectedObjects)() = nullptr;
    // The boundary store: a click near a control point of a selected
    // boundary starts its point edit; true when the click was taken.
    bool (*boundaryClick)(int x, int y) = nullptr;
    // The boundary store offers its end points (type 2) and centres (type 9)
    // to the snap: offer(point, type) returns nothing.
    void (*boundarySnapPoints)(void (*offer)(const double* point, int type, void* context), void* context) = nullptr;
    // The axis grid: the nearest grid node to a pixel (true when found).
    bool (*snapToGridNode)(int x, int y, double out[3]) = nullptr;
    // The run's clock in milliseconds (the C library's clock when unbound).
    long (*clockMs)() = nullptr;
    // The element type the generation of a command makes: the solid type
    // (200; 2 and 4 are prisms) or the plane element type (670; 1 and 3 are
    // triangles). 0 when unbound.
    int (*generationType)(int command) = nullptr;
    // The corner count of the shell generation's single method (3 or 4).
    int (*shellCornerCount)() = nullptr;
    // The undo stack: whether there is a step to undo or redo.
    bool (*canUndo)() = nullptr;
    bool (*canRedo)() = nullptr;
    // The library-file import into the model; true on success.
    bool (*importLibrary)(const char* path) = nullptr;
    // The modifier keys at this moment: Shift or Ctrl held.
    bool (*shiftOrCtrlHeld)() = nullptr;
};
extern COperateLinks theOperateLinks;

long OperateClockMs();
bool ShiftOrCtrlHeld();
