#include "vek/view/operate/ViewCommands.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/ConstructionStages.h"
#include "vek/model/display/DisplayCommands.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyCommands.h"
#include "vek/model/storeys/StoreyLists.h"
#include "vek/view/ElevationView.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/Picking.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/ViewCommandTable.h"

namespace {

std::map<int, OperateCallback>& Callbacks()
{
    static std::map<int, OperateCallback> slots;
    return slots;
}

std::map<int, CommandHandler>& Handlers()
{
    static std::map<int, CommandHandler> slots;
    return slots;
}

std::map<std::string, PanelOpener>& Panels()
{
    static std::map<std::string, PanelOpener> slots;
    return slots;
}

// A slot of a table: the value before comes back; null empties the slot.
template <class Map, class Key, class Value>
Value SetSlot(Map& map, const Key& key, Value value)
{
    auto it = map.find(key);
    const Value before = it == map.end() ? nullptr : it->second;
    if (value)
        map[key] = value;
    else if (it != map.end())
        map.erase(it);
    return before;
}

template <class Map, class Key>
typename Map::mapped_type GetSlot(const Map& map, const Key& key)
{
    auto it = map.find(key);
    return it == map.end() ? nullptr : it->second;
}

int Mode()
{
    return theViewProjection.GetMode();
}

bool StoreyPlan()
{
    return theLevels.GetCount() > 0 && Mode() == CViewProjection::kPlan;
}

int Count(EFamily f)
{
    return ModelFamily(f).GetCount();
}

void Redraw()
{
    OperateHost().InvalidateModel();
}

// ---- the callbacks of the view's own operations ----

void PanCallback(CSingleOperate* op)
{
    theViewProjection.PanDragCallback(op->ScreenCount(), op->m_screen.data());
}
void ZoomWindowCallback(CSingleOperate* op)
{
    theViewProjection.ZoomWindowCallback(op->ScreenCount(), op->m_screen.data());
}
void RotateCallback(CSingleOperate* op)
{
    theViewProjection.RotateDragCallback(op->ScreenCount(), op->m_screen.data());
}
void ZoomDragCallback(CSingleOperate* op)
{
    theViewProjection.ZoomDragCallback(op->ScreenCount(), op->m_screen.data());
}
void ElevationCallback(CSingleOperate* op)
{
    double p[3][3];
    const int n = op->SetInputPoints(p, 3);
    DefineElevationByPoints(n, p);
}
void OriginCallback(CSingleOperate* op)
{
    if (op->PointCount() > 0) SetElevationOrigin(op->Point(0));
}
void DeleteCallback(CSingleOperate*)
{
    if (theOperateLinks.deleteSelectedObjects) theOperateLinks.deleteSelectedObjects();
}

OperateCallback BuiltinCallback(int code)
{
    switch (code) {
        case 10:
        case 12: return PanCallback;
        case 11: return ZoomWindowCallback;
        case 14: return RotateCallback;
        case 15: return ZoomDragCallback;
        case 700:
        case 701: return ElevationCallback;
        case 702: return OriginCallback;
        case 300: return theOperateLinks.deleteSelectedObjects ? DeleteCallback : nullptr;
        default: return nullptr;
    }
}

OperateCallback RowCallback(const CViewCommandRow& row)
{
    if (row.callback) return row.callback;
    if (OperateCallback cb = BuiltinCallback(row.code)) return cb;
    return OperationCallback(row.code);
}

// ---- the view's own commands ----

// Runs a callback on the selection as it is, without an operation.
void RunOnSelection(int code, OperateCallback cb)
{
    if (!cb) return;
    CSingleOperate op;
    op.SetSelect(code, cb, 1, 0);
    cb(&op);
}

bool SlotDialog(int id)
{
    CommandHandler h = CommandHandlerOf(id);
    return h && h();
}

bool TextSize(bool larger)
{
    const double scale = theViewProjection.GetScale();
    if (!(scale > 0)) return true;
    double& size = theProjectOptions.dTextSize;
    size = larger ? std::min(size * 1.2, 1000 / scale) : std::max(size / 1.2, 1 / scale);
    Redraw();
    return true;
}

bool Platform(int mode)
{
    if (theProjectOptions.bPlaneModel) return true;
    if (!theViewProjection.SetMode(mode, 1, 1, 1)) return true;
    if (mode == CViewProjection::kPlan) theLevels.ShowCurrentStorey();
    Redraw();
    return true;
}

bool WholeStoreyCopy()
{
    const int current = theLevels.current;
    if (StoreyElementLists* lists = theStoreyLists.Get(current)) {
        auto mark = [current](EFamily f, MLArray<int>& ids) {
            CModelFamily& family = ModelFamily(f);
            for (int i = 0; i < ids.GetSize(); ++i) {
                const int pos = family.IndexOfID(*ids.GetAt(i));
                if (pos < 0 || family.GetStorey(pos) != current) continue;
                if (CObjectBase* o = family.GetAt(pos)) o->m_nFlags |= kObjSelected;
            }
        };
        mark(EFamily::Nodes, lists->nodes);
        mark(EFamily::Frames, lists->frames);
        mark(EFamily::Walls, lists->walls);
        mark(EFamily::Shells, lists->shells);
    }
    CModelFamily& solids = ModelFamily(EFamily::Solids);
    for (int pos : Positions(solids))
        if (solids.GetStorey(pos) == current)
            if (CObjectBase* o = solids.GetAt(pos)) o->m_nFlags |= kObjSelected;
    RunOnSelection(605, OperationCallback(605));
    return true;
}

bool MergeQuestion()
{
    CommandHandler merge = CommandHandlerOf(32824);
    if (!merge) return false;
    char text[512];
    std::snprintf(text, sizeof text,
                  "被合并节点的XY坐标误差小于%.4f，Z坐标误差小于%.4f，这两个数可以在参数中的选项设置对话框中输入。"
                  "是否以此误差进行合并？",
                  theProjectOptions.dHorzNodeSpacing, double(theProjectOptions.fVertNodeSpacing));
    if (OperateHost().MessageBox(text, MB_YESNO) == IDYES) merge();
    return true;
}

bool LibraryImport()
{
    std::string path;
    if (!OperateHost().ChooseOpenFile("KVD", "KORVA库文件(*.KVD)|*.KVD|所有文件(*.*)|*.*||", path)) return true;
    theOperationStack.EndAllOperations();
    // The import cannot be undone: the history goes with it.
    if (theOperateLinks.importLibrary(path.c_str())) {
        SetDocumentModified(1);
        ModelHooks().ClearUndo();
    }
    return true;
}

bool PlaneOptions()
{
    // Only OK changes the thicknesses.
    if (!SlotDialog(298)) return true;
    if (theProjectOptions.nPlaneElementType != 2) return true;
    CModelFamily& planes = ModelFamily(EFamily::Planes);
    const float t = theProjectOptions.fPlaneThickness;
    for (int pos : Positions(planes)) planes.SetThickness(pos, &t, 1);
    return true;
}

bool TowerDisplay()
{
    const int mode = Mode();
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    SlotDialog(32928);
    theViewProjection.SetMode(mode, 0, 0, 0);
    Redraw();
    return true;
}

// The built-in handler of a command, or null.
CommandHandler BuiltinHandler(int id)
{
    switch (id) {
        case 32845:
            return [] {
                theProjectOptions.nGenerateMethod = 7;
                if (theProjectOptions.nCurrentCommand == 40)
                    OperateHost().SelectGenerateEntry(4);
                else
                    RunViewCommand(32842);
                return true;
            };
        case 32776:
            return [] {
                CDisplayOptions::UpdateVisibleObjects();
                Redraw();
                return true;
            };
        case 32777: return [] { return theViewProjection.ZoomExtentsCommand(), true; };
        case 32778: return [] { return theViewProjection.PanStep(CViewProjection::kPanUp), true; };
        case 32779: return [] { return theViewProjection.PanStep(CViewProjection::kPanDown), true; };
        case 32780: return [] { return theViewProjection.PanStep(CViewProjection::kPanLeft), true; };
        case 32781: return [] { return theViewProjection.PanStep(CViewProjection::kPanRight), true; };
        case 32783: return [] { return theViewProjection.ZoomIn(), true; };
        case 32784: return [] { return theViewProjection.ZoomOut(), true; };
        case 32850: return [] { return TextSize(true); };
        case 32851: return [] { return TextSize(false); };
        case 32827: return [] { return Platform(CViewProjection::kPlan); };
        case 32828: return [] { return Platform(CViewProjection::kElevation); };
        case 32829: return [] { return Platform(CViewProjection::kFree3D); };
        case 32826:
            return [] {
                uint8_t& m = theProjectOptions.nSelectMethod;
                m = static_cast<uint8_t>(m >= 2 ? 0 : m + 1);
                OperateHost().ShowSelectMethod();
                return true;
            };
        case 32832: return [] { return ReverseElevation(), true; };
        case 32802: return [] { return ShowDisplayOptionsSheet(); };
        case 32773: return [] { return ChooseStoreyRange(); };
        case 32804: return [] { return SetWorkingStorey(); };
        case 32800: return [] { return theOsnapState.OptionsDialog(); };
        case 32801: return [] { return theProjectOptions.ChooseUnitSystem() != 0; };
        case 32840:
            return [] {
                InputStoreyCount();
                SetDocumentModified(1);
                OperateHost().PostViewCommand(kCmdStoreyHeights);
                return true;
            };
        case 32841:
            return [] {
                InputStoreyHeights();
                SetDocumentModified(1);
                return true;
            };
        case 32898: return OperationCallback(605) ? WholeStoreyCopy : nullptr;
        case 32824: return CommandHandlerOf(32824) ? MergeQuestion : nullptr;
        case 32839: return theOperateLinks.importLibrary ? LibraryImport : nullptr;
        case 298: return CommandHandlerOf(298) ? PlaneOptions : nullptr;
        case 32928: return CommandHandlerOf(32928) ? TowerDisplay : nullptr;
        default: break;
    }
    return nullptr;
}

bool StandardView(int id)
{
    static const CViewProjection::StandardView views[6] = {CViewProjection::kFront, CViewProjection::kBack,
                                                           CViewProjection::kLeft,  CViewProjection::kRight,
                                                           CViewProjection::kTop,   CViewProjection::kBottom};
    const int k = id - 32787;
    theViewProjection.SetStandardView(views[k % 6], k < 6 ? 1 : 0);
    return true;
}

bool Holds(uint32_t need)
{
    const int mode = Mode();
    const bool plane = theProjectOptions.bPlaneModel != 0;
    auto has = [](EFamily f) { return Count(f) > 0; };
    if ((need & kNeedModeller) && !bModellerMode) return false;
    if ((need & kNeedStoreys) && theLevels.GetCount() <= 0) return false;
    if ((need & kNeedPlan) && mode != CViewProjection::kPlan) return false;
    if ((need & kNeedElevation) && mode != CViewProjection::kElevation) return false;
    if ((need & kNeedFree3D) && mode != CViewProjection::kFree3D) return false;
    if ((need & kNeedNot3D) && mode == CViewProjection::kFree3D) return false;
    if ((need & kNeedPlaneModel) && !plane) return false;
    if ((need & kNeedNotPlaneModel) && plane) return false;
    if ((need & kNeedNodes) && !has(EFamily::Nodes)) return false;
    if ((need & kNeedFrames) && !has(EFamily::Frames)) return false;
    if ((need & kNeedWalls) && !has(EFamily::Walls)) return false;
    if ((need & kNeedShells) && !has(EFamily::Shells)) return false;
    if ((need & kNeedSolids) && !has(EFamily::Solids)) return false;
    if ((need & kNeedPlanes) && !has(EFamily::Planes)) return false;
    if ((need & kNeedRegions) && !has(EFamily::StiffRegions)) return false;
    if ((need & kNeedTrusses) && !has(EFamily::Trusses)) return false;
    if ((need & kNeedCframes) && !has(EFamily::Cframes)) return false;
    if ((need & kNeedPipes) && !has(EFamily::Pipes)) return false;
    if ((need & kNeedSprings) && !has(EFamily::Springs)) return false;
    if ((need & kNeedIntegrals) && !has(EFamily::Integrals)) return false;
    if ((need & kNeedAxisGrids) && (mode == CViewProjection::kFree3D || theProjectOptions.nAxisGridCount <= 0))
        return false;
    if ((need & kNeedStages) && !theConstructionStages.on) return false;
    if ((need & kNeedCurveBoundaries) && !has(EFamily::BoundArcs) && !has(EFamily::BoundCircles) &&
        !has(EFamily::BoundEllipses) && !has(EFamily::BoundSplines))
        return false;
    if ((need & kNeedFramesOrWalls) && !has(EFamily::Frames) && !has(EFamily::Walls)) return false;
    if ((need & kNeedCanUndo) && !(theOperateLinks.canUndo && theOperateLinks.canUndo())) return false;
    if ((need & kNeedCanRedo) && !(theOperateLinks.canRedo && theOperateLinks.canRedo())) return false;
    return true;
}

void ApplyFilter(uint32_t filter)
{
    if (filter & kFilterUnselect) UnselectAll();
    if (filter & kFilterClearSpecial) theSelectFilter.ClearSpecial();
    uint32_t kinds = filter & kFilterKinds;
    if (filter & kFilterBeamsInPlan) {
        kinds = FilterBit(CSelectFilter::kBeams);
        if (!StoreyPlan()) kinds |= FilterBit(CSelectFilter::kColumns);
    }
    if (!kinds) return;
    if (!(filter & (kFilterAdd | kFilterClearSpecial))) theSelectFilter.Clear();
    for (int k = 0; k < CSelectFilter::kCount; ++k)
        if (kinds & FilterBit(k)) theSelectFilter.SetFlag(k, true);
}

void OpenPanels(const CViewCommandRow& row, bool skipSelectOptions)
{
    for (const CPanelRef& p : row.panels) {
        if (!p.name) continue;
        const std::string name = p.name;
        if (skipSelectOptions && name == "selectOptions") continue;
        if (PanelOpener open = GetSlot(Panels(), name)) open(p.arg);
    }
}

bool RunOperationRow(const CViewCommandRow& row)
{
    if ((row.begin & kNoOwnIn3D) && Mode() == CViewProjection::kFree3D) {
        OperateHost().MessageBox("该功能在当前工作平台下无效！", 0);
        return true;
    }
    if ((row.id == kCmdElevationTwoPoints || row.id == kCmdElevationThreePoints) &&
        Mode() == CViewProjection::kElevation)
        OperateHost().FlashPrompt("立面工作平台下定义的立面与当前立面一样!", 1500);
    OperateCallback cb = RowCallback(row);
    auto* op = new CSingleOperate;
    switch (row.kind) {
        case ECmd::Points: op->SetPickPoints(row.code, cb, row.limit, row.keep); break;
        case ECmd::Curve: op->SetPickCurve(row.code, cb, row.keep); break;
        case ECmd::Select: op->SetSelect(row.code, cb, row.keep, row.immediate); break;
        case ECmd::PickOne: op->SetPickOne(row.code, cb, row.keep); break;
        case ECmd::Drag: op->SetDrag(row.code, cb, row.keep); break;
        case ECmd::ScreenLine: op->SetScreenLine(row.code, cb, row.keep); break;
        case ECmd::ScreenWindow: op->SetScreenWindow(row.code, cb, row.keep); break;
        default: break;
    }
    if (row.prompt) op->m_strPrompt = row.prompt;
    ApplyFilter(row.filter);
    const int current = theProjectOptions.nCurrentCommand;
    const bool replace = current != 0 && std::find(std::begin(row.replaceWhen), std::end(row.replaceWhen), current) !=
                                             std::end(row.replaceWhen);
    const int begun = theOperationStack.BeginOperation(op, replace ? 1 : 0, (row.begin & kBeginKeepOthers) ? 0 : 1,
                                                       (row.begin & kBeginLastArg) ? 1 : 0);
    if (begun || !(row.begin & kPanelsWhenBegun)) OpenPanels(row, false);
    if (begun && (row.begin & kBeginPostHash)) OperateHost().PostInputChar('#');
    return true;
}

bool RunSelectionFirst(const CViewCommandRow& row)
{
    OperateCallback cb = RowCallback(row);
    if (HasSelectedObjects(true) && theProjectOptions.nCurrentCommand != row.code) {
        RunOnSelection(row.code, cb);
        OpenPanels(row, true);
        return true;
    }
    theSelectFilter.SelectAllKinds();
    if (row.filter & kFilterClearSpecial) theSelectFilter.ClearSpecial();
    auto* op = new CSingleOperate;
    op->SetSelect(row.code, cb, row.keep, 0);
    theOperationStack.BeginOperation(op, 0, 1, 0);
    OpenPanels(row, false);
    return true;
}

void AfterDialog(const CViewCommandRow& row)
{
    if (row.after & kAfterVisible) CDisplayOptions::UpdateVisibleObjects();
    if (row.after & kAfterRedraw) Redraw();
    if (row.after & kAfterModified) SetDocumentModified(1);
}

}  // namespace

const CViewCommandRow* FindViewCommand(int id)
{
    int n = 0;
    const CViewCommandRow* rows = ViewCommandRows(n);
    for (int i = 0; i < n; ++i)
        if (rows[i].id == id) return &rows[i];
    return nullptr;
}

int ViewCommandCount()
{
    int n = 0;
    ViewCommandRows(n);
    return n;
}

const CViewCommandRow& ViewCommandAt(int index)
{
    int n = 0;
    return ViewCommandRows(n)[index];
}

OperateCallback RegisterOperationCallback(int code, OperateCallback callback)
{
    return SetSlot(Callbacks(), code, callback);
}

OperateCallback OperationCallback(int code)
{
    return GetSlot(Callbacks(), code);
}

CommandHandler RegisterCommandHandler(int id, CommandHandler handler)
{
    return SetSlot(Handlers(), id, handler);
}

CommandHandler CommandHandlerOf(int id)
{
    return GetSlot(Handlers(), id);
}

PanelOpener RegisterPanel(const char* name, PanelOpener opener)
{
    return name ? SetSlot(Panels(), std::string(name), opener) : nullptr;
}

void ClearCommandSlots()
{
    Callbacks().clear();
    Handlers().clear();
    Panels().clear();
}

bool ViewCommandHasWork(const CViewCommandRow& row)
{
    switch (row.kind) {
        case ECmd::UpdateOnly: return true;
        case ECmd::Action:
        case ECmd::Dialog:
            if (row.handler || CommandHandlerOf(row.id)) return true;
            if (row.id >= 32787 && row.id <= 32798) return true;
            return BuiltinHandler(row.id) != nullptr;
        default: return RowCallback(row) != nullptr;
    }
}

bool RunViewCommand(int id)
{
    const CViewCommandRow* row = FindViewCommand(id);
    if (!row || !ViewCommandHasWork(*row)) return false;
    switch (row->kind) {
        case ECmd::UpdateOnly: return false;
        case ECmd::SelectionFirst: return RunSelectionFirst(*row);
        case ECmd::Action:
        case ECmd::Dialog: {
            if (id >= 32787 && id <= 32798) return StandardView(id);
            CommandHandler h = row->handler ? row->handler : BuiltinHandler(id);
            if (!h) h = CommandHandlerOf(id);
            if (!h) return false;
            if (h() && row->kind == ECmd::Dialog) AfterDialog(*row);
            return true;
        }
        default: return RunOperationRow(*row);
    }
}

CViewCommandState QueryViewCommand(int id)
{
    CViewCommandState s;
    const CViewCommandRow* row = FindViewCommand(id);
    if (!row) return s;
    s.known = true;
    s.enabled = Holds(row->enable) && ViewCommandHasWork(*row);
    const int current = theProjectOptions.nCurrentCommand;
    s.checked = current != 0 && (current == row->mark || current == row->mark2);
    if (row->alt && (id == 32846 || id == 32907 || id == 32908)) {
        s.text = StoreyPlan() ? row->alt : row->text;
    } else if (row->alt && row->kind == ECmd::SelectionFirst) {
        s.text = HasSelectedObjects(true) ? row->alt : row->text;
    } else if (id == 32804) {
        s.text = theLevels.GetCount() > 0 ? "改变工作层\tF5" : "改变平面工作平台高度\tF5";
    }
    return s;
}
