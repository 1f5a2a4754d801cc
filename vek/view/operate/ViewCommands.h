#pragma once
// The view's commands as one table: for each menu command the operation it
// starts (setter, code, limit, keep), when it replaces the running one, the
// selection filter, its prompt, the panels it opens, the code that checks
// its item and the rule that enables it. The work of a command lives with
// the family that owns its objects: the family fills the command's slot
// (the operation's callback by code, or the command's handler), and an
// empty slot greys its item.
#include <cstdint>
#include <string>

#include "vek/view/operate/SingleOperate.h"

// Commands named by code elsewhere.
constexpr int kCmdElevationTwoPoints = 32830;
constexpr int kCmdElevationThreePoints = 32831;
constexpr int kCmdStoreyHeights = 32841;
constexpr int kCodePickAnything = 750;

enum class ECmd : uint8_t {
    Points,          // SetPickPoints
    Curve,           // SetPickCurve
    Select,          // SetSelect
    PickOne,         // SetPickOne
    Drag,            // SetDrag
    ScreenLine,      // SetScreenLine
    ScreenWindow,    // SetScreenWindow
    SelectionFirst,  // the selection's objects at once, else a selection first
    Action,          // a handler of its own
    Dialog,          // a modal dialog; its after-OK work follows
    UpdateOnly,      // carried out elsewhere; only its item's state is here
};

// What a command needs to be enabled (all flags must hold).
enum : uint32_t {
    kNeedModeller = 1u << 0,
    kNeedStoreys = 1u << 1,
    kNeedPlan = 1u << 2,
    kNeedElevation = 1u << 3,
    kNeedFree3D = 1u << 4,
    kNeedNot3D = 1u << 5,
    kNeedPlaneModel = 1u << 6,
    kNeedNotPlaneModel = 1u << 7,
    kNeedNodes = 1u << 8,
    kNeedFrames = 1u << 9,
    kNeedWalls = 1u << 10,
    kNeedShells = 1u << 11,
    kNeedSolids = 1u << 12,
    kNeedPlanes = 1u << 13,
    kNeedRegions = 1u << 14,
    kNeedTrusses = 1u << 15,
    kNeedCframes = 1u << 16,
    kNeedPipes = 1u << 17,
    kNeedSprings = 1u << 18,
    kNeedIntegrals = 1u << 19,
    kNeedAxisGrids = 1u << 20,
    kNeedStages = 1u << 21,
    kNeedCurveBoundaries = 1u << 22,
    kNeedFramesOrWalls = 1u << 23,
    kNeedCanUndo = 1u << 24,
    kNeedCanRedo = 1u << 25,
};

// Selection filter of a row: bits of the filter's kinds, and extra steps.
constexpr uint32_t FilterBit(int kind)
{
    return 1u << kind;
}
enum : uint32_t {
    kFilterKinds = (1u << 17) - 1,
    kFilterClearSpecial = 1u << 20,  // flags 11..16 cleared, the others kept
    kFilterAdd = 1u << 21,           // the kinds are added to the filter as it is
    kFilterBeamsInPlan = 1u << 22,   // beams alone in a storey plan, beams and columns otherwise
    kFilterUnselect = 1u << 23,      // the selection is cleared first
};

// How a row begins its record.
enum : uint8_t {
    kBeginKeepOthers = 1,  // the running operations are not ended
    kBeginLastArg = 2,     // begun with the hide-dialogs argument set
    kBeginPostHash = 4,    // "#" is then posted to the input edit
    kPanelsWhenBegun = 8,  // panels only when the record was begun
    kNoOwnIn3D = 16,       // in the free 3-D view: string 117's message instead
};

// After a dialog's OK.
enum : uint8_t {
    kAfterModified = 1,
    kAfterVisible = 2,
    kAfterRedraw = 4,
};

struct CPanelRef {
    const char* name = nullptr;
    int arg = 0;
};

struct CViewCommandRow {
    int id = 0;
    const char* text = nullptr;  // the menu text
    const char* alt = nullptr;   // the text in a storey plan, or with a selection (selection-first rows)
    ECmd kind = ECmd::Action;
    int code = 0;  // the operation's command code
    int limit = 0;
    uint8_t keep = 0;
    uint8_t immediate = 0;
    int replaceWhen[4] = {0, 0, 0, 0};
    uint8_t begin = 0;
    uint32_t filter = 0;
    const char* prompt = nullptr;  // the record's own prompt
    CPanelRef panels[3] = {};
    int mark = 0;  // the item is checked while this is the current command
    int mark2 = 0;
    uint32_t enable = 0;
    uint8_t after = 0;
    OperateCallback callback = nullptr;  // built in; else the slot of the code
    bool (*handler)() = nullptr;         // built in; else the slot of the command
};

// The row of a command; null when the view does not carry it.
const CViewCommandRow* FindViewCommand(int id);
// Every row, for walks over the table.
int ViewCommandCount();
const CViewCommandRow& ViewCommandAt(int index);

// ---- the slots ----
// The callback that does the work of an operation code.
OperateCallback RegisterOperationCallback(int code, OperateCallback callback);
OperateCallback OperationCallback(int code);
// A command's own handler (actions and dialogs; a dialog's is true on OK).
using CommandHandler = bool (*)();
CommandHandler RegisterCommandHandler(int id, CommandHandler handler);
CommandHandler CommandHandlerOf(int id);
// A modeless panel opener by name; arg as the row gives it.
using PanelOpener = void (*)(int arg);
PanelOpener RegisterPanel(const char* name, PanelOpener opener);
// Empties every slot (tests).
void ClearCommandSlots();

// Carries out a command; false when the view does not carry it or its slot is empty.
bool RunViewCommand(int id);

struct CViewCommandState {
    bool known = false;
    bool enabled = false;
    bool checked = false;
    std::string text;  // the item's text when it changes with the model; empty otherwise
};
CViewCommandState QueryViewCommand(int id);
// Whether the row's work is there (its callback or handler slot is filled).
bool ViewCommandHasWork(const CViewCommandRow& row);
