#include "vek/view/operate/ViewInput.h"

#include <cmath>
#include <cstdlib>

#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/Picking.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"

namespace ViewInput {

namespace {

constexpr int kPanCommand = 12;
constexpr int kRotateCommand = 14;

struct AutoPanState {
    int x = 0, y = 0;
    long rest = 0, step = 0;
} autoPan;

bool In3D()
{
    return theViewProjection.GetMode() == CViewProjection::kFree3D;
}

bool IsWorldKind(const CSingleOperate* op)
{
    return op->m_nKind >= 1 && op->m_nKind <= 10;
}

void PanCallback(CSingleOperate* op)
{
    theViewProjection.PanDragCallback(op->ScreenCount(), op->m_screen.data());
}

// Moves the record's cursor to a pixel, keeping its rubber band on the screen.
void MoveCursor(CSingleOperate* op, int x, int y)
{
    if (op->m_cursorX == x && op->m_cursorY == y) return;
    op->DrawRubberBand();
    op->m_cursorX = x;
    op->m_cursorY = y;
    op->DrawRubberBand();
}

}  // namespace

bool ClickPoint(int x, int y, double out[3])
{
    const CProjectOptions& o = theProjectOptions;
    if ((o.nCurrentCommand == 81 && o.nGenerateMethod == 3) || (o.nCurrentCommand == 160 && o.nGenerateMethod == 8)) {
        theViewProjection.ScreenToWorldInt(x, y, out);
        return true;
    }
    if (theOsnapState.TakeSnapPoint(out)) return true;
    const bool in3D = In3D();
    if (!in3D && o.nPickOption) {
        theViewProjection.ScreenToWorldInt(x, y, out);
        return true;
    }
    if (NearestShownNode(x, y, o.nSnapTargetSize, out) > 0) return true;
    if (!in3D) {
        if (!(theOperateLinks.snapToGridNode && theOperateLinks.snapToGridNode(x, y, out)))
            theViewProjection.ScreenToWorldInt(x, y, out);
        return true;
    }
    OperateHost().FlashPrompt("没有捕捉到任何点!", 500);
    return false;
}

void OnLButtonDown(int x, int y)
{
    CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if ((!op || !op->HasInput()) && theOperateLinks.boundaryClick && theOperateLinks.boundaryClick(x, y)) return;
    if (!op) {
        auto* select = new CSingleOperate;
        select->SetSelect(kCodePickAnything, nullptr, 0, 0);
        if (!theOperationStack.BeginOperation(select, 0, 1, 0)) return;
        op = theOperationStack.GetCurrentOperation();
        op->m_cursorX = x;
        op->m_cursorY = y;
    } else {
        MoveCursor(op, x, y);
    }
    const POINT pixel{x, y};
    if (IsWorldKind(op)) {
        double p[3];
        if (!ClickPoint(x, y, p)) return;
        COperateHost& host = OperateHost();
        const int method = host.GetArcMethod();
        if (method != 0 && op->PointCount() == 2) {
            // The third pick of an arc: methods that take a typed number take a point here.
            const int now = method == 2 || method == 3 ? 1 : (method == 5 || method == 6 ? 4 : method);
            host.SetArcMethod(now);
            theOperationStack.ProcessOperationInput(p, nullptr);
            host.SetArcMethod(method);
        } else {
            theOperationStack.ProcessOperationInput(p, nullptr);
        }
        return;
    }
    if (op->m_nKind == CSingleOperate::kDrag) OperateHost().CaptureView(true);
    theOperationStack.ProcessOperationInput(nullptr, &pixel);
}

void OnLButtonUp(int x, int y)
{
    CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if (!op) return;
    if (op->m_nKind == CSingleOperate::kDrag) {
        if (!op->m_bKeep) {
            theOperationStack.EndOperation(false);
        } else {
            op->m_screen.clear();
            op->m_points.clear();
        }
        OperateHost().CaptureView(false);
        OperateHost().InvalidateModel();
        return;
    }
    if (op->m_nKind == CSingleOperate::kSelect && (op->ScreenCount() == 1 || op->ScreenCount() == 3)) {
        MoveCursor(op, x, y);
        const POINT pixel{x, y};
        theOperationStack.ProcessOperationInput(nullptr, &pixel);
    }
}

void OnMouseMove(int x, int y)
{
    CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if (op) {
        const bool drag = op->m_nKind == CSingleOperate::kDrag;
        if (!drag || op->PointCount() == 1 || op->ScreenCount() == 1) {
            const bool moved = op->m_cursorX != x || op->m_cursorY != y;
            const bool erase = moved && !drag;
            if (erase) op->DrawRubberBand();
            if (op->m_nKind < 5) {
                theOsnapState.Snap(op->PointCount() > 0 ? op->Point(op->PointCount() - 1) : nullptr, x, y);
            }
            if (drag) {
                const POINT pixel{x, y};
                theOperationStack.ProcessOperationInput(nullptr, &pixel);
                op = theOperationStack.GetCurrentOperation();
            }
            if (op) {
                op->m_cursorX = x;
                op->m_cursorY = y;
                if (erase) op->DrawRubberBand();
            }
        }
    }
    double p[3];
    const double* shown = nullptr;
    if (op && op->m_nKind < 10 && theOsnapState.GetSnapPoint(p)) {
        shown = p;
    } else if (!In3D()) {
        theViewProjection.ScreenToWorldInt(x, y, p);
        shown = p;
    }
    OperateHost().ShowCoordinates(COperationStack::CoordinateText(shown).c_str());
}

void OnMButtonDown(int x, int y)
{
    const CSingleOperate* top = theOperationStack.GetCurrentOperation();
    const bool replace = top && top->m_nCode == kPanCommand;
    auto* op = new CSingleOperate;
    op->SetDrag(kPanCommand, PanCallback, 1);
    op->m_cursorX = x;
    op->m_cursorY = y;
    if (!theOperationStack.BeginOperation(op, replace ? 1 : 0, 0, 0)) return;
    OperateHost().SetViewCursor(kCursorPan);
    OperateHost().CaptureView(true);
    const POINT pixel{x, y};
    theOperationStack.ProcessOperationInput(nullptr, &pixel);
}

void OnMButtonUp(int x, int y)
{
    const CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if (!op || op->m_nKind != CSingleOperate::kDrag || op->m_nCode != kPanCommand) return;
    OperateHost().CaptureView(false);
    theOperationStack.EndOperation(false);
    OperateHost().InvalidateModel();
}

void OnMouseWheel(int delta, int x, int y)
{
    theViewProjection.ZoomAtCursor(delta, POINT{x, y});
}

void OnKeyDown(unsigned virtualKey)
{
    constexpr unsigned kDelete = 46;
    if (virtualKey == kDelete && HasSelectedObjects(true) && theOperateLinks.deleteSelectedObjects)
        theOperateLinks.deleteSelectedObjects();
}

std::vector<int> ChooseCursors(int x, int y, const RECT& client, bool shiftOrCtrl)
{
    std::vector<int> order;
    const CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if (op) {
        switch (op->m_nCode) {
            case kPanCommand: order.push_back(kCursorPan); break;
            case 11: order.push_back(kCursorZoomWindow); break;
            case 15: order.push_back(kCursorLiveZoom); break;
            case kRotateCommand: {
                const RECT& r = theViewProjection.GetScreenRect();
                const double w = r.right - r.left, h = r.bottom - r.top;
                const double d = std::hypot(x - (r.left + r.right) / 2.0, y - (r.top + r.bottom) / 2.0);
                order.push_back(d < w / 3 && d < h / 3 ? kCursorRotateInner : kCursorRotateOuter);
                break;
            }
            default: break;
        }
    }
    if (theProjectOptions.HasOption(CProjectOptions::kAutoScroll)) {
        const int margin = static_cast<int>(0.02 * (client.bottom - client.top));
        const bool inside = x >= client.left && x < client.right && y >= client.top && y < client.bottom;
        const bool left = x < client.left + margin, right = x >= client.right - margin;
        const bool top = y < client.top + margin, bottom = y >= client.bottom - margin;
        if (inside && (left || right || top || bottom)) {
            if (top && right)
                order.push_back(kCursorEdgeTopRight);
            else if (top && left)
                order.push_back(kCursorEdgeTopLeft);
            else if (bottom && left)
                order.push_back(kCursorEdgeBottomLeft);
            else if (bottom && right)
                order.push_back(kCursorEdgeBottomRight);
            else if (right)
                order.push_back(kCursorEdgeRight);
            else if (left)
                order.push_back(kCursorEdgeLeft);
            else if (top)
                order.push_back(kCursorEdgeTop);
            else
                order.push_back(kCursorEdgeBottom);
        }
    }
    if ((!op || (op->m_nKind >= CSingleOperate::kSelect && op->m_nKind <= CSingleOperate::kCrossLine)) && shiftOrCtrl)
        order.push_back(kCursorSelectAdd);
    order.push_back(kCursorNormal);
    return order;
}

CContextMenuPlan PlanContextMenu()
{
    CContextMenuPlan plan;
    const CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if (!op) {
        plan.menu = kMenuNoOperation;
        plan.onlyFirstItem = !HasSelectedObjects(true);
        return plan;
    }
    plan.menu = kMenuOperation;
    if ((op->m_nKind == CSingleOperate::kCurve && op->PointCount() > 2) ||
        (op->m_nKind == CSingleOperate::kArea && op->ScreenCount() >= 3)) {
        plan.insertCommand = kCmdEndDefinition;
        plan.insertText = op->m_nCode == 809 ? "结束曲线定义" : "结束区域定义";
        plan.insertText += "(&E)\tEnter";
    } else if (op->IsSelection() && op->ScreenCount() == 0 && !op->m_bWindowOnly && !op->m_bImmediate &&
               op->m_pCallback) {
        plan.insertCommand = kCmdApplySelection;
        plan.insertText = "应用选择对象(&A)\tEnter";
    }
    return plan;
}

void OnContextCommand(int id)
{
    switch (id) {
        case kCmdEndDefinition:
            if (theOperationStack.GetCurrentOperation()) OperateHost().PostFinish();
            break;
        case kCmdApplySelection: OperateHost().PostFinish(); break;
        case kCmdEscape: OperateHost().PostInputChar(27); break;
        default: break;
    }
}

void ResetAutoPan()
{
    autoPan = AutoPanState();
}

bool AutoPanOnIdle(int x, int y, long now)
{
    const CSingleOperate* op = theOperationStack.GetCurrentOperation();
    if (!theProjectOptions.HasOption(CProjectOptions::kAutoScroll)) return false;
    if (op && op->m_nKind == CSingleOperate::kDrag) return false;
    const double delay = op && op->HasInput() ? 500 : 1000;
    const RECT& r = theViewProjection.GetScreenRect();
    const int margin = static_cast<int>(0.02 * (r.bottom - r.top));
    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    const bool left = x < r.left + margin, right = x >= r.right - margin;
    const bool top = y < r.top + margin, bottom = y >= r.bottom - margin;
    if (!inside || !(left || right || top || bottom)) return false;
    if (std::abs(x - autoPan.x) > 1 || std::abs(y - autoPan.y) > 1) {
        autoPan.rest = autoPan.step = now;
    } else {
        const double t = double(now - autoPan.rest) + 1e-10;
        const long interval = static_cast<long>(delay * 300 / t);
        if (now - autoPan.step > interval) {
            const double scale = theViewProjection.GetScale();
            double u = scale > 0 ? 1 / scale : 0;
            if (interval > 0 && t > interval) u *= std::min(1 + 0.2 * (t / interval - 1), 3.0);
            const double* box = theViewProjection.GetViewBox();
            double* c = theViewProjection.Centre();
            const double reach = 20 * u;
            int dx = 0, dy = 0;
            if (left && c[0] > box[1] - reach) dx = -20;
            if (right && c[0] < box[0] + reach) dx = 20;
            if (top && c[1] < box[2] + reach) dy = 20;
            if (bottom && c[1] > box[3] - reach) dy = -20;
            if (dx || dy) {
                theOsnapState.ClearMarker();
                c[0] += dx * u;
                c[1] += dy * u;
                OperateHost().InvalidateModel();
                autoPan.step = now;
            }
        }
    }
    autoPan.x = x;
    autoPan.y = y;
    return true;
}

}  // namespace ViewInput
