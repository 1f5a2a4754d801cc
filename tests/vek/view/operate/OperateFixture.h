#pragma once
// A clean interaction machinery for each test: an empty operation stack and
// filter, default snap switches and project options, a plan view of the box
// (0,0)-(10,10) in a 200 x 100 window, families of our own, and a host that
// records what the windows would be asked.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/AppHelpersStandIn.h"
#include "tests/vek/view/operate/SnapProbe.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/model/LayerList.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/Picking.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"
#include "vek/view/operate/ViewInput.h"

namespace optest {

// A family of the model table with layers and use counts.
class Family : public vektest::FakeFamily {
public:
    explicit Family(EFamily kind) : FakeFamily(kind) {}
    int GetLayer(int pos) const override
    {
        auto it = layers.find(GetID(pos));
        return it == layers.end() ? 0 : it->second;
    }
    void SetLayer(int pos, int layer) override { layers[GetID(pos)] = layer; }
    int GetUseCount(int pos) const override { return 0; }
    void SetThickness(int pos, const float* t, int n) override { thickness[GetID(pos)] = n > 0 ? t[0] : 0; }
    bool Selected(int id)
    {
        vektest::FakeItem* item = ByID(id);
        return item && item->obj.IsSelected();
    }
    std::vector<int> SelectedIDs()
    {
        std::vector<int> ids;
        for (vektest::FakeItem& item : items)
            if (item.obj.IsSelected()) ids.push_back(item.id);
        return ids;
    }
    // Deletes the selected objects (the editing family's work in the tests).
    int DeleteSelected()
    {
        const size_t before = items.size();
        std::erase_if(items, [](const vektest::FakeItem& i) { return (i.obj.m_nFlags & kObjSelected) != 0; });
        return int(before - items.size());
    }
    std::map<int, int> layers;
    std::map<int, float> thickness;
};

// The windows' side as a record.
class Host : public COperateHost {
public:
    Host() { m_previous = SetOperateHost(this); }
    ~Host() override { SetOperateHost(m_previous); }
    void ShowPromptText(const char* text, bool editable) override
    {
        prompt = text;
        this->editable = editable;
        input.clear();
    }
    void SetInputText(const char* text) override { input = text; }
    void GetInputText(char* text, int size) override { std::snprintf(text, size_t(size), "%s", input.c_str()); }
    bool IsInputEditable() override { return editable; }
    void CaptureForTyping(bool on) override { typingCapture = on; }
    void FlashPrompt(const char* text, int ms) override
    {
        flashes.push_back(std::string(text) + "/" + std::to_string(ms));
    }
    void ShowCoordinates(const char* text) override { coordinates = text; }
    void PostCancel() override { posted.push_back("cancel"); }
    void PostFinish() override { posted.push_back("finish"); }
    void PostInputChar(char ch) override { posted.push_back(std::string("char:") + ch); }
    int MessageBox(const char* text, unsigned type) override
    {
        boxes.push_back(text);
        return boxAnswer;
    }
    void SendToOwner(void* owner, unsigned message, const void* data) override
    {
        const double* d = static_cast<const double*>(data);
        sent.push_back({message, {d[0], d[1], d[2]}});
    }
    bool EditText(const char* title, const char* prompt, std::string& text) override
    {
        edits.push_back(prompt);
        if (editAnswers.empty()) return false;
        text = editAnswers.front();
        editAnswers.erase(editAnswers.begin());
        return true;
    }
    bool SnapOptionsDialog(char switches[7]) override
    {
        if (!snapOptions) return false;
        for (int i = 0; i < 7; ++i) switches[i] = (*snapOptions)[size_t(i)];
        return true;
    }
    void RefillPlatformList() override { ++platformRefills; }
    bool AnyModelessDialogOpen() override { return modelessOpen; }
    void HideModelessDialogs() override { ++hidden; }
    void ShowModelessDialogs() override { ++shownAgain; }
    void SaveAndCloseModelessDialogs() override { ++closed; }
    int GetArcMethod() override { return arcMethod; }
    void SetArcMethod(int m) override
    {
        arcMethod = m;
        arcMethodsSeen.push_back(m);
    }
    void FillGenerateMethods() override { ++methodFills; }
    void ClearGenerateMethods() override { ++methodClears; }
    void SelectGenerateEntry(int index) override { generateEntry = index; }
    void RefreshSnapText() override { ++snapTexts; }
    void ShowSelectMethod() override { ++selectMethodShown; }
    void InvalidateModel() override { ++redraws; }
    void PostViewCommand(int id) override { postedCommands.push_back(id); }
    bool ChooseOpenFile(const char*, const char*, std::string& path) override
    {
        if (openFile.empty()) return false;
        path = openFile;
        return true;
    }
    void CaptureView(bool on) override { viewCapture = on; }
    void SetViewCursor(int id) override { cursor = id; }
    void StopAnimation() override { ++animationStops; }

    std::string prompt, input, coordinates;
    bool editable = false, typingCapture = false, viewCapture = false, modelessOpen = false;
    std::vector<std::string> flashes, posted, boxes, edits, editAnswers;
    struct Sent {
        unsigned message;
        std::vector<double> v;
    };
    std::vector<Sent> sent;
    const std::string* snapOptions = nullptr;
    int boxAnswer = 1, platformRefills = 0, hidden = 0, shownAgain = 0, closed = 0, arcMethod = 0, methodFills = 0,
        methodClears = 0, generateEntry = -1, snapTexts = 0, selectMethodShown = 0, redraws = 0, cursor = 0,
        animationStops = 0;
    std::vector<int> arcMethodsSeen, postedCommands;
    std::string openFile;

private:
    COperateHost* m_previous;
};

// Callbacks that record the records they were called with.
struct CallLog {
    struct Call {
        int code, kind;
        std::vector<Point3> points;
        std::vector<POINT> screen;
        std::string values[3];
        int typed;
    };
    std::vector<Call> calls;
};
inline CallLog& Calls()
{
    static CallLog log;
    return log;
}
inline void Record(CSingleOperate* op)
{
    CallLog::Call c;
    c.code = op->m_nCode;
    c.kind = op->m_nKind;
    c.points = op->m_points;
    c.screen = op->m_screen;
    for (int k = 0; k < 3; ++k) c.values[k] = op->m_values[k].GetExpression();
    c.typed = op->m_bTypedValue;
    Calls().calls.push_back(c);
}

inline bool& ModifierHeld()
{
    static bool held = false;
    return held;
}

class OperateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        theOperationStack.EndAllOperations();
        theProjectOptions = CProjectOptions();
        theSelectFilter.Clear();
        theOsnapState = COsnapState();
        theLevels.Reset();
        theLevelRange.Reset();
        theLayers.Reset();
        theViewSettings = CViewSettings();
        theViewHooks = CViewHooks();
        theViewLink.invalidateModel = nullptr;
        theOperateLinks = COperateLinks();
        theOperateLinks.clockMs = [] { return FakeClock(); };
        theOperateLinks.shiftOrCtrlHeld = [] { return ModifierHeld(); };
        FakeClock() = 1000000;
        ModifierHeld() = false;
        ClearCommandSlots();
        for (int k = 0; k < kPickKindCount; ++k) RegisterPickRoutines(static_cast<EPickKind>(k), nullptr);
        Calls().calls.clear();
        ViewInput::ResetAutoPan();
        bModellerMode = 1;
        theViewProjection.SetScreenRect(0, 0, 200, 100);
        theViewProjection.SetDefaultView();
        PlanOfTenByTen();
        host.prompt.clear();
    }
    void TearDown() override
    {
        theOperationStack.EndAllOperations();
        theOperateLinks = COperateLinks();
        ClearCommandSlots();
        for (int k = 0; k < kPickKindCount; ++k) RegisterPickRoutines(static_cast<EPickKind>(k), nullptr);
    }
    static void PlanOfTenByTen()
    {
        const double hi[3] = {10, 10, 0}, lo[3] = {0, 0, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
    }
    static CSingleOperate* Top() { return theOperationStack.GetCurrentOperation(); }
    static void Feed(double x, double y, double z = 0)
    {
        const double p[3] = {x, y, z};
        theOperationStack.ProcessOperationInput(p, nullptr);
    }
    static void FeedScreen(int x, int y)
    {
        CSingleOperate* op = Top();
        if (op) {
            op->m_cursorX = x;
            op->m_cursorY = y;
        }
        const POINT p{x, y};
        theOperationStack.ProcessOperationInput(nullptr, &p);
    }
    static int Begin(CSingleOperate* op, int replace = 0, int endAll = 1)
    {
        return theOperationStack.BeginOperation(op, replace, endAll, 0);
    }

    Host host;
    vektest::AppHelperLog appLog;
};

}  // namespace optest
