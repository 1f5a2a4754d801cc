#pragma once
// The stack of running interactive operations and the prompt bar's logic
// without its window: beginning and ending operations, feeding them points
// and picks, finishing (Enter) and cancelling (Esc), the prompts built from
// the top operation, and the typed coordinates of the input edit. Only the
// operation on top takes input; the ones below wait. The prompt bar window
// forwards its messages here and shows what this asks it to show.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/WinTypes.h"

class CSingleOperate;

class COperationStack {
public:
    static constexpr unsigned kCancelMessage = 0x401;
    static constexpr unsigned kFinishMessage = 0x402;
    // Input states of the edit.
    enum InputState : uint8_t {
        kNoInput = 0,
        kAbsoluteAllowed = 1,
        kBothAllowed = 2,
        kTypingAbsolute = 11,
        kTypingRelative = 12,
    };
    static constexpr int kMaxPrompt = 100;

    COperationStack() = default;
    ~COperationStack();
    COperationStack(const COperationStack&) = delete;
    COperationStack& operator=(const COperationStack&) = delete;

    // Pushes (or with replace, puts in place of the top one) an operation the
    // stack then owns; 0 when refused (the same command already on top: the
    // record is deleted, and a repeating one on top is ended).
    int BeginOperation(CSingleOperate* operation, int replace, int endAll, int hideDialogs);
    // Feeds the top operation a world point (typed or snapped) or a screen point.
    void ProcessOperationInput(const double* world, const POINT* screen);
    void EndOperation(bool eraseFirst);
    void EndAllOperations();
    CSingleOperate* GetCurrentOperation() const;
    int Depth() const { return static_cast<int>(m_stack.size()); }
    // Draws (or, called again, erases) the top operation's rubber band.
    void DrawCurrentRubberBand() const;
    // Enter (0x402) and Esc (0x401) on the top operation.
    void FinishOperation();
    void CancelOperation();

    // ---- the prompt ----
    void UpdateOperationPrompt();
    void ShowPromptText(const char* text, bool editable, bool remember);
    // A passing message: the edit's text is saved first when it is editable.
    void SetPrompt(const char* text);
    // The standing prompt again, with the edit's saved text.
    void RestorePrompt();
    void SetProgress(double fraction);
    const std::string& GetPromptText() const { return m_shown; }
    bool IsPromptEditable() const { return m_shownEditable; }

    // ---- the input edit ----
    // A character typed into the edit; true when it was taken here (the
    // edit must not insert it).
    bool OnInputChar(char ch);
    int GetInputState() const { return m_inputState; }
    // The typed text as a point: absolute, or an offset when relative. The
    // count of numbers is 3 in the free 3-D view and 2 otherwise; too few
    // numbers, or numbers that are not finite, fail.
    static bool ParseCoordinate(const char* text, bool relative, double out[3]);

    // ---- the bar's other controls ----
    // The cursor read-out for a point, or none.
    static std::string CoordinateText(const double* point);
    // The apply button: a selection without window-only and immediate flags, with a callback.
    bool CanApply() const;
    // The view-mode buttons 1 (plan), 2 (elevation), 3 (free 3-D).
    static bool ModeButtonEnabled(int mode);
    // The work-platform list: the five fixed entries, then the named elevations.
    static std::vector<std::string> PlatformEntries();
    static constexpr int kPlatformFixedEntries = 5;
    // The user chose an entry of the list.
    void ChoosePlatformEntry(int index);

private:
    struct Entry {
        std::unique_ptr<CSingleOperate> op;
        uint64_t serial;
    };
    bool Alive(uint64_t serial) const;
    uint64_t TopSerial() const { return m_stack.empty() ? 0 : m_stack.back().serial; }
    // Calls the callback; false when the operation is gone afterwards.
    bool Call(CSingleOperate* op, uint64_t serial);
    void ProcessPoints(CSingleOperate* op, uint64_t serial, const double* world);
    void ProcessSelect(CSingleOperate* op, uint64_t serial, POINT p);
    void AfterPick(CSingleOperate* op, uint64_t serial);
    void SetFirstPointLimit(CSingleOperate* op);
    void ShowTypingPrompt(bool relative);
    void BuildPrompt(const CSingleOperate* op, std::string& text, bool& editable);

    std::vector<Entry> m_stack;
    uint64_t m_serial = 0;
    uint8_t m_inputState = kNoInput;
    std::string m_shown;
    bool m_shownEditable = false;
    std::string m_standing;
    bool m_standingEditable = false;
    std::string m_savedEdit;
    int16_t m_lastPercent = -1;
    bool m_switchToRelative = false;
};

extern COperationStack theOperationStack;

// count (1 to 3) numbers typed apart by blanks or commas, each of them
// finite; false when fewer are there.
bool ParseTypedNumbers(const char* text, int count, double* out);

// Cuts a text to at most max bytes, never inside a double-byte character.
std::string CutText(const char* text, size_t max);
