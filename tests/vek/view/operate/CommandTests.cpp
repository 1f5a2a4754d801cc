// The view's command table: the record each command starts, its filter,
// its check mark, its enabling and its slots.
#include "tests/vek/view/operate/OperateFixture.h"
#include "vek/model/storeys/StoreyLists.h"

using namespace optest;

namespace {

class CommandTest : public OperateTest {
protected:
    void SetUp() override
    {
        OperateTest::SetUp();
        // Every operation code has its family's callback.
        for (int i = 0; i < ViewCommandCount(); ++i)
            if (ViewCommandAt(i).code) RegisterOperationCallback(ViewCommandAt(i).code, Record);
    }
    static bool Enabled(int id) { return QueryViewCommand(id).enabled; }
    static bool Checked(int id) { return QueryViewCommand(id).checked; }
    static std::vector<std::string>& Opened()
    {
        static std::vector<std::string> panels;
        return panels;
    }
};

int KindOf(ECmd kind)
{
    switch (kind) {
        case ECmd::Points: return CSingleOperate::kPoints;
        case ECmd::Curve: return CSingleOperate::kCurve;
        case ECmd::Select:
        case ECmd::SelectionFirst: return CSingleOperate::kSelect;
        case ECmd::PickOne: return CSingleOperate::kPickOne;
        case ECmd::Drag: return CSingleOperate::kDrag;
        case ECmd::ScreenLine: return CSingleOperate::kScreenLine;
        case ECmd::ScreenWindow: return CSingleOperate::kScreenWindow;
        default: return -1;
    }
}

}  // namespace

TEST_F(CommandTest, RecordsOfRepresentativeCommands)
{
    struct Case {
        int id, code, kind, limit, keep;
        const char* prompt;
    };
    const Case cases[] = {
        {32842, 40, 1, 1, 1, ""},
        {32844, 42, 1, 2, 1, "请捕捉一个参考点。按ESC或鼠标右键的快捷菜单可以退出"},
        {32846, 80, 1, 2, 1, ""},
        {32849, 160, 1, 4, 1, ""},
        {300, 670, 1, 1, 1, ""},
        {32774, 3, 2, 2000, 1, ""},
        {32853, 83, 12, 4, 1, ""},
        {33166, 84, 1, 2, 0, "请捕捉当前变截面I端和J端的对应点"},
        {331, 108, 11, 1, 1, "请在梁柱需要改变弯矩放松情况的一端按鼠标左键，使刚接变成铰接、铰接变成刚接"},
        {32918, 56, 1, 2, 1, "请捕捉连接弹簧的起始节点和终止节点"},
        {303, 672, 1, 2, 1, "请捕捉边界的起始点和终点，并输入边界荷载在这两点处的线荷载值"},
        {32906, 52, 11, 1, 1, ""},
        {32915, 53, 1, 2, 1, "请捕捉需测量距离的两点"},
        {32782, 10, 16, 2, 0, ""},
        {32785, 11, 17, 2, 0, ""},
        {32833, 12, 18, 2, 1, ""},
        {352, 15, 18, 2, 1, ""},
        {32950, 702, 1, 1, 0, "请捕捉当前立面局部坐标系的原点"},
        {32945, 615, 12, 4, 1, "请选择需要进行重叠检查的梁柱单元和墙单元，然后按Enter键检查"},
    };
    for (const Case& c : cases) {
        theOperationStack.EndAllOperations();
        ASSERT_TRUE(RunViewCommand(c.id)) << c.id;
        CSingleOperate* op = Top();
        ASSERT_NE(op, nullptr) << c.id;
        EXPECT_EQ(op->m_nCode, c.code) << c.id;
        EXPECT_EQ(op->m_nKind, c.kind) << c.id;
        EXPECT_EQ(op->m_nLimit, c.limit) << c.id;
        EXPECT_EQ(op->m_bKeep, c.keep) << c.id;
        EXPECT_EQ(std::string(op->m_strPrompt.GetString()), c.prompt) << c.id;
    }
}

TEST_F(CommandTest, EveryOperationRowStartsItsCodeAndChecksItsItem)
{
    for (int i = 0; i < ViewCommandCount(); ++i) {
        const CViewCommandRow& row = ViewCommandAt(i);
        if (KindOf(row.kind) < 0 || row.kind == ECmd::SelectionFirst) continue;
        theOperationStack.EndAllOperations();
        theViewProjection.SetMode(CViewProjection::kPlan, 0, 0, 0);
        ASSERT_TRUE(RunViewCommand(row.id)) << row.id;
        ASSERT_NE(Top(), nullptr) << row.id;
        EXPECT_EQ(Top()->m_nCode, row.code) << row.id;
        EXPECT_EQ(Top()->m_nKind, KindOf(row.kind)) << row.id;
        EXPECT_NE(Top()->m_pCallback, nullptr) << row.id;
        EXPECT_EQ(Checked(row.id), row.mark != 0) << row.id;
    }
}

TEST_F(CommandTest, FiltersOfTheRows)
{
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0).obj.m_nFlags |= kObjSelected;
    theSelectFilter.SelectAllKinds();
    RunViewCommand(32906);
    EXPECT_EQ(theSelectFilter.GetDescription(), "节点");
    EXPECT_FALSE(nodes.Selected(1)) << "one-object commands clear the selection";

    RunViewCommand(32907);
    EXPECT_EQ(theSelectFilter.GetDescription(), "梁柱单元");
    theLevels.count = 2;
    RunViewCommand(32908);
    EXPECT_EQ(theSelectFilter.GetDescription(), "梁单元");
    EXPECT_EQ(QueryViewCommand(32907).text, "梁信息");
    EXPECT_EQ(QueryViewCommand(32846).text, "@梁生成");
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    EXPECT_EQ(QueryViewCommand(32846).text, "@梁柱生成");

    RunViewCommand(32883);
    EXPECT_EQ(theSelectFilter.GetDescription(), "梁单元、墙单元");
    // Copies keep the kinds chosen but clear the special ones; the curve copy adds boundaries.
    theSelectFilter.Clear();
    theSelectFilter.SelectShells(0);
    theSelectFilter.SelectRegions(0);
    RunViewCommand(33164);
    EXPECT_EQ(theSelectFilter.GetDescription(), "板壳单元、剖分边界");
    theSelectFilter.SelectSprings(0);
    RunViewCommand(32903);
    EXPECT_EQ(theSelectFilter.GetDescription(), "节点、板壳单元、剖分边界、弹簧");
}

TEST_F(CommandTest, EnablingByPlatformStoreysPlaneModelAndProgramMode)
{
    Family frames(EFamily::Frames);
    EXPECT_TRUE(Enabled(32846));
    EXPECT_FALSE(Enabled(32847)) << "columns need storeys";
    theLevels.count = 2;
    EXPECT_TRUE(Enabled(32847));
    EXPECT_TRUE(Enabled(32852));
    EXPECT_FALSE(Enabled(300));
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    EXPECT_FALSE(Enabled(32847)) << "columns need the plan";
    EXPECT_FALSE(Enabled(32852)) << "solids not in 3-D";
    EXPECT_TRUE(Enabled(353));
    EXPECT_TRUE(Enabled(32787));
    theViewProjection.SetMode(CViewProjection::kElevation, 0, 0, 0);
    EXPECT_FALSE(Enabled(353));
    EXPECT_TRUE(Enabled(32950));
    EXPECT_TRUE(Enabled(32832));

    theProjectOptions.bPlaneModel = 1;
    EXPECT_TRUE(Enabled(300));
    EXPECT_FALSE(Enabled(32848));
    EXPECT_FALSE(Enabled(32950));
    theProjectOptions.bPlaneModel = 0;

    // Model contents.
    EXPECT_FALSE(Enabled(32858)) << "no walls";
    EXPECT_FALSE(Enabled(32853)) << "no frames";
    frames.Element(1, {1, 2});
    EXPECT_TRUE(Enabled(32853));
    EXPECT_FALSE(Enabled(32815)) << "no axis grids";
    theProjectOptions.nAxisGridCount = 1;
    EXPECT_TRUE(Enabled(32815));
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    EXPECT_FALSE(Enabled(32815));

    // The result viewer: no generation.
    bModellerMode = 0;
    EXPECT_FALSE(Enabled(32842));
    EXPECT_FALSE(Enabled(32846));
    EXPECT_TRUE(Enabled(32915));
}

TEST_F(CommandTest, AnEmptySlotGreysItsItem)
{
    ClearCommandSlots();
    EXPECT_FALSE(Enabled(32842));
    EXPECT_FALSE(RunViewCommand(32842));
    EXPECT_EQ(Top(), nullptr);
    EXPECT_FALSE(Enabled(32810)) << "a dialog of another family";
    // The view's own commands need no slot.
    for (int id : {32776, 32777, 32783, 32785, 32833, 32826, 32800, 32830}) EXPECT_TRUE(Enabled(id)) << id;
    RegisterOperationCallback(40, Record);
    EXPECT_TRUE(Enabled(32842));
    RegisterCommandHandler(32810, [] { return true; });
    EXPECT_TRUE(Enabled(32810));
}

TEST_F(CommandTest, RelatedCommandsReplaceEachOtherAndTheMarkMoves)
{
    RunViewCommand(32843);
    EXPECT_EQ(host.posted, std::vector<std::string>{"char:#"});
    EXPECT_TRUE(Checked(32843));
    RunViewCommand(32842);
    EXPECT_EQ(theOperationStack.Depth(), 1);
    EXPECT_TRUE(Checked(32842));
    EXPECT_FALSE(Checked(32843));

    // The window zoom stacks on the running command; the live zoom ends it.
    RunViewCommand(32785);
    EXPECT_EQ(theOperationStack.Depth(), 2);
    RunViewCommand(352);
    EXPECT_EQ(theOperationStack.Depth(), 1);
    EXPECT_TRUE(Checked(352));
    // The pan replaces the live zoom, and the mark moves.
    RunViewCommand(32833);
    EXPECT_EQ(theOperationStack.Depth(), 1);
    EXPECT_TRUE(Checked(32833));
    EXPECT_FALSE(Checked(352));
    // The same repeating command again switches it off.
    RunViewCommand(32833);
    EXPECT_EQ(theOperationStack.Depth(), 0);
}

TEST_F(CommandTest, PanelsOpenWhenTheRecordWasBegun)
{
    RegisterPanel("sectionDisplay", [](int arg) { Opened().push_back("sectionDisplay:" + std::to_string(arg)); });
    RegisterPanel("frameColumnChooser", [](int arg) { Opened().push_back("chooser:" + std::to_string(arg)); });
    RegisterPanel("section", [](int arg) { Opened().push_back("section:" + std::to_string(arg)); });
    Opened().clear();
    RunViewCommand(32853);
    EXPECT_EQ(Opened(), (std::vector<std::string>{"sectionDisplay:0", "chooser:0"}));
    // Again: the running record is switched off and no panel opens.
    RunViewCommand(32853);
    EXPECT_EQ(Top(), nullptr);
    EXPECT_EQ(Opened().size(), 2u);
    RunViewCommand(32846);
    EXPECT_EQ(Opened().back(), "section:3");
}

TEST_F(CommandTest, SelectionFirstCommandsActOnASelectionAtOnce)
{
    Family nodes(EFamily::Nodes);
    nodes.Node(1, 0, 0, 0);
    RegisterPanel("selectOptions", [](int arg) { Opened().push_back("selectOptions:" + std::to_string(arg)); });
    Opened().clear();
    EXPECT_EQ(QueryViewCommand(32891).text, "@平移移动");
    RunViewCommand(32891);
    ASSERT_NE(Top(), nullptr);
    EXPECT_EQ(Top()->m_nKind, CSingleOperate::kSelect);
    EXPECT_EQ(Top()->m_nCode, 609);
    EXPECT_EQ(Opened(), std::vector<std::string>{"selectOptions:0"});
    EXPECT_TRUE(Calls().calls.empty());

    theOperationStack.EndAllOperations();
    nodes.ByID(1)->obj.m_nFlags |= kObjSelected;
    EXPECT_EQ(QueryViewCommand(32891).text, "@平移移动所选对象");
    RunViewCommand(32891);
    EXPECT_EQ(Top(), nullptr);
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Calls().calls[0].code, 609);
    EXPECT_EQ(Opened().size(), 1u);

    // Deleting through the editing family's link.
    static int deletions = 0;
    theOperateLinks.deleteSelectedObjects = [] { ++deletions; };
    RegisterOperationCallback(300, nullptr);
    RunViewCommand(32904);
    EXPECT_EQ(deletions, 1);
}

TEST_F(CommandTest, ViewCommandsWorkNow)
{
    PlanOfTenByTen();
    const double zoom = theViewProjection.GetZoom();
    RunViewCommand(32785);
    FeedScreen(50, 25);
    FeedScreen(100, 50);
    EXPECT_GT(theViewProjection.GetZoom(), zoom);
    EXPECT_EQ(Top(), nullptr);

    const double before[2] = {theViewProjection.Centre()[0], theViewProjection.Centre()[1]};
    RunViewCommand(32780);
    EXPECT_NE(theViewProjection.Centre()[0], before[0]);

    theProjectOptions.nSelectMethod = 2;
    RunViewCommand(32826);
    EXPECT_EQ(theProjectOptions.nSelectMethod, 0);
    EXPECT_EQ(host.selectMethodShown, 1);

    RunViewCommand(32829);
    EXPECT_EQ(theViewProjection.GetMode(), CViewProjection::kFree3D);
    theProjectOptions.bPlaneModel = 1;
    RunViewCommand(32827);
    EXPECT_EQ(theViewProjection.GetMode(), CViewProjection::kFree3D) << "a plane model keeps its platform";
    theProjectOptions.bPlaneModel = 0;

    const double size = theProjectOptions.dTextSize;
    RunViewCommand(32850);
    EXPECT_NEAR(theProjectOptions.dTextSize, std::min(size * 1.2, 1000 / theViewProjection.GetScale()), 1e-12);

    RunViewCommand(32840);
    EXPECT_EQ(host.postedCommands, std::vector<int>{32841});

    // In the 3-D view the axis-line commands say why they do nothing.
    RunViewCommand(32815);
    EXPECT_EQ(host.boxes, std::vector<std::string>{"该功能在当前工作平台下无效！"});
}

TEST_F(CommandTest, DialogsMarkTheDocumentOnOkOnly)
{
    static bool answer = false;
    RegisterCommandHandler(32810, [] { return answer; });
    RunViewCommand(32810);
    EXPECT_EQ(appLog.LastModified(), -1);
    answer = true;
    RunViewCommand(32810);
    EXPECT_EQ(appLog.LastModified(), 1);
}

TEST_F(CommandTest, PlaneThicknessesChangeOnOkOnly)
{
    Family planes(EFamily::Planes);
    planes.Element(1, {1, 2, 3});
    planes.Element(2, {2, 3, 4});
    theProjectOptions.nPlaneElementType = 2;
    theProjectOptions.fPlaneThickness = 0.25f;
    RegisterCommandHandler(298, [] { return false; });
    RunViewCommand(298);
    EXPECT_TRUE(planes.thickness.empty()) << "Cancel changes nothing";
    RegisterCommandHandler(298, [] { return true; });
    RunViewCommand(298);
    EXPECT_EQ(planes.thickness, (std::map<int, float>{{1, 0.25f}, {2, 0.25f}}));
    planes.thickness.clear();
    theProjectOptions.nPlaneElementType = 1;
    RunViewCommand(298);
    EXPECT_TRUE(planes.thickness.empty()) << "plane strain keeps its thicknesses";
}

TEST_F(CommandTest, LibraryImportEmptiesTheUndoStackOnSuccessOnly)
{
    vektest::RecordingHooks hooks;
    static bool result = false;
    theOperateLinks.importLibrary = [](const char*) { return result; };
    RunViewCommand(32839);
    EXPECT_EQ(hooks.undoCleared, 0) << "no file chosen";
    host.openFile = "/tmp/x.kvd";
    RunViewCommand(32839);
    EXPECT_EQ(hooks.undoCleared, 0);
    result = true;
    RunViewCommand(32839);
    EXPECT_EQ(hooks.undoCleared, 1);
    EXPECT_EQ(appLog.LastModified(), 1);
}

TEST_F(CommandTest, WholeStoreyCopySelectsTheCurrentStoreysObjects)
{
    Family nodes(EFamily::Nodes), frames(EFamily::Frames), solids(EFamily::Solids);
    theLevels.count = 2;
    theLevels.current = 1;
    ASSERT_TRUE(theStoreyLists.Recreate(2));
    nodes.Node(1, 0, 0, 3, 1);
    nodes.Node(2, 0, 0, 6, 2);
    frames.Element(7, {1, 2}, 1);
    frames.Element(8, {1, 2}, 2);
    solids.Element(9, {1, 2, 3, 4}, 1);
    solids.Element(10, {1, 2, 3, 4}, 2);
    StoreyElementLists* lists = theStoreyLists.Get(1);
    lists->nodes.Add(1);
    lists->nodes.Add(2);  // listed but of another storey
    lists->frames.Add(7);
    RunViewCommand(32898);
    EXPECT_EQ(nodes.SelectedIDs(), std::vector<int>{1});
    EXPECT_EQ(frames.SelectedIDs(), std::vector<int>{7});
    EXPECT_EQ(solids.SelectedIDs(), std::vector<int>{9});
    ASSERT_EQ(Calls().calls.size(), 1u);
    EXPECT_EQ(Calls().calls[0].code, 605);
    theStoreyLists.Clear();
}
