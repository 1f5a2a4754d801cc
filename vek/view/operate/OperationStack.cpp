#include "vek/view/operate/OperationStack.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "korvalib/base/Gbk.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OsnapState.h"
#include "vek/view/operate/Picking.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/SingleOperate.h"

COperationStack theOperationStack;

namespace {

constexpr int kRotateCommand = 14;

bool SamePoint(const double* a, const double* b)
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// The value of a typed text; false when it is empty or does not evaluate.
bool TypedValue(double& value)
{
    char text[256];
    OperateHost().GetInputText(text, sizeof text);
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) return false;
    try {
        CExpression e;
        const double derived[5] = {0, 0, 0, 0, 0};
        value = e.EvaluateText(p, derived);
    } catch (const CExpressionError&) {
        return false;
    }
    return std::isfinite(value);
}

// Appends a point, first erasing the band that the points drew.
void AppendErasing(CSingleOperate* op, const double* world)
{
    if (!op->m_points.empty()) op->DrawRubberBand();
    op->m_points.push_back(Point3{world[0], world[1], world[2]});
}

}  // namespace

std::string CutText(const char* text, size_t max)
{
    if (!text) return std::string();
    const size_t len = std::strlen(text);
    size_t keep = 0;
    while (keep < len) {
        const size_t n = gbk::CharLength(text, keep, len);
        if (keep + n > max) break;
        keep += n;
    }
    return std::string(text, keep);
}

COperationStack::~COperationStack() = default;

bool COperationStack::Alive(uint64_t serial) const
{
    for (const Entry& e : m_stack)
        if (e.serial == serial) return true;
    return false;
}

CSingleOperate* COperationStack::GetCurrentOperation() const
{
    return m_stack.empty() ? nullptr : m_stack.back().op.get();
}

void COperationStack::DrawCurrentRubberBand() const
{
    if (const CSingleOperate* op = GetCurrentOperation()) op->DrawRubberBand();
}

bool COperationStack::Call(CSingleOperate* op, uint64_t serial)
{
    if (op->m_pCallback) op->m_pCallback(op);
    return Alive(serial);
}

int COperationStack::BeginOperation(CSingleOperate* op, int replace, int endAll, int hideDialogs)
{
    if (!op) return 0;
    std::unique_ptr<CSingleOperate> record(op);
    bool replaced = false;
    if (!m_stack.empty()) {
        if (hideDialogs) OperateHost().HideModelessDialogs();
        CSingleOperate* top = m_stack.back().op.get();
        if (op->m_nCode == top->m_nCode && !replace) {
            // Starting a repeating command again switches it off.
            if (top->m_bKeep) EndOperation(true);
            return 0;
        }
        if (endAll) {
            uint8_t filter[CSelectFilter::kCount];
            theSelectFilter.Snapshot(filter);
            EndAllOperations();
            theSelectFilter.Restore(filter);
        } else {
            top->DrawRubberBand();
            if (replace) {
                m_stack.back().op = std::move(record);
                m_stack.back().serial = ++m_serial;
                replaced = true;
            }
        }
    }
    if (!replaced) m_stack.push_back(Entry{std::move(record), ++m_serial});
    CSingleOperate* now = m_stack.back().op.get();
    theProjectOptions.nCurrentCommand = now->m_nCode;
    if (now->m_nKind == CSingleOperate::kDrag && now->m_nCode == kRotateCommand) now->DrawRubberBand();
    OperateHost().FillGenerateMethods();
    UpdateOperationPrompt();
    theOsnapState.ClearMarker();
    return 1;
}

void COperationStack::EndOperation(bool eraseFirst)
{
    if (m_stack.empty()) return;
    if (eraseFirst) m_stack.back().op->DrawRubberBand();
    m_stack.pop_back();
    theOsnapState.ClearMarker();
    m_inputState = kNoInput;
    if (!m_stack.empty()) {
        CSingleOperate* top = m_stack.back().op.get();
        theProjectOptions.nCurrentCommand = top->m_nCode;
        top->DrawRubberBand();
        OperateHost().ShowModelessDialogs();
    } else {
        theProjectOptions.nCurrentCommand = 0;
        OperateHost().SaveAndCloseModelessDialogs();
        OperateHost().ClearGenerateMethods();
    }
    UpdateOperationPrompt();
}

void COperationStack::EndAllOperations()
{
    theProjectOptions.nCurrentCommand = 0;
    if (!m_stack.empty()) {
        m_stack.back().op->DrawRubberBand();
        // Records are destroyed from the top down, each off the stack first.
        while (!m_stack.empty()) m_stack.pop_back();
        OperateHost().SaveAndCloseModelessDialogs();
        OperateHost().ClearGenerateMethods();
        theOsnapState.ClearMarker();
    }
    m_inputState = kNoInput;
    UpdateOperationPrompt();
}

// ---- input ------------------------------------------------------------------------------------

void COperationStack::SetFirstPointLimit(CSingleOperate* op)
{
    CProjectOptions& o = theProjectOptions;
    const int m = o.nGenerateMethod;
    auto asBeam = [&]() {
        if (m == 1 || m == 2 || m == 4) op->m_nLimit = 2;
        if (m == 5 || m == 7) op->m_nLimit = 4;
        if (m == 6) op->m_nLimit = 3;
    };
    switch (op->m_nCode) {
        case 40:
            if (m == 1) op->m_nLimit = 1;
            if (m == 4) op->m_nLimit = 2;
            if (m == 5 || m == 7) op->m_nLimit = 4;
            if (m == 6) op->m_nLimit = 3;
            break;
        case 42: m_switchToRelative = true; break;
        case 80:
        case 120: asBeam(); break;
        case 81:
            if (m == 1)
                op->m_nLimit = 1;
            else
                asBeam();
            break;
        case 160:
            if (m == 1) {
                const int corners = theOperateLinks.shellCornerCount ? theOperateLinks.shellCornerCount() : 4;
                op->m_nLimit = static_cast<int16_t>(corners == 3 ? 3 : 4);
            }
            if (m == 5) op->m_nLimit = 4;
            if (m == 8) {
                op->m_points.assign(1, Point3{double(op->m_cursorX), double(op->m_cursorY), 0});
                op->m_nLimit = 1;
            }
            break;
        case 200:
        case 670: {
            const int type = theOperateLinks.generationType ? theOperateLinks.generationType(op->m_nCode) : 0;
            const bool reduced = op->m_nCode == 200 ? (type == 2 || type == 4) : (type == 1 || type == 3);
            int method = m;
            if (method == 5 && reduced) {
                OperateHost().FlashPrompt(
                    op->m_nCode == 200 ? "三棱柱单元不能采用四边形生成方式!" : "三角形单元不能采用四边形生成方式!",
                    1500);
                o.nGenerateMethod = 1;
                method = 1;
                OperateHost().FillGenerateMethods();
            }
            if (method == 1) op->m_nLimit = static_cast<int16_t>(reduced ? 3 : 4);
            if (method == 5) op->m_nLimit = 4;
            break;
        }
        default: break;
    }
}

void COperationStack::ProcessPoints(CSingleOperate* op, uint64_t serial, const double* world)
{
    op->DrawRubberBand();
    // A direction needs two distinct points: an equal second one is not taken.
    if (op->m_pCallback == PickDirectionCallback && op->m_points.size() == 1 && SamePoint(op->Point(0), world)) {
        op->DrawRubberBand();
        return;
    }
    op->m_points.push_back(Point3{world[0], world[1], world[2]});
    if (op->m_points.size() == 1) {
        const CProjectOptions& o = theProjectOptions;
        if (op->m_nCode == 81 && o.nGenerateMethod == 3) {
            op->m_nKind = CSingleOperate::kScreenWindow;
            op->m_nLimit = 2;
            op->m_points.clear();
            op->m_screen.clear();
            op->m_screen.push_back(POINT{op->m_cursorX, op->m_cursorY});
            op->DrawRubberBand();
            return;
        }
        SetFirstPointLimit(op);
    }
    if (static_cast<int>(op->m_points.size()) >= op->m_nLimit) {
        if (!Call(op, serial)) return;
        if (!op->m_bKeep) {
            EndOperation(false);
            return;
        }
        const int m = theProjectOptions.nGenerateMethod;
        const bool chain = op->m_nCode == 800 || ((op->m_nCode == 80 || op->m_nCode == 120) && m == 2);
        if (chain && !op->m_points.empty()) {
            const Point3 last = op->m_points.back();
            op->m_points.assign(1, last);
        } else {
            op->m_points.clear();
        }
    }
    op->DrawRubberBand();
}

void COperationStack::AfterPick(CSingleOperate* op, uint64_t serial)
{
    op->m_screen.clear();
    if (op->m_bImmediate && op->m_pCallback) {
        if (!Call(op, serial)) return;
    }
    if (!op->m_bKeep && !op->m_pCallback) EndOperation(false);
}

void COperationStack::ProcessSelect(CSingleOperate* op, uint64_t serial, POINT p)
{
    op->m_screen.push_back(p);
    const int mode = theProjectOptions.nSelectMethod;
    if (mode == 1 || (mode == 2 && !op->m_bWindowOnly)) {
        op->m_nKind = mode == 1 ? CSingleOperate::kArea : CSingleOperate::kCrossLine;
        op->m_nLimit = static_cast<int16_t>(mode == 1 ? CSingleOperate::kCurveLimit : 2);
        op->DrawRubberBand();
        return;
    }
    const size_t n = op->m_screen.size();
    if (n == 1 && !op->m_bWindowOnly) {
        if (op->m_nCode != 750 && theSelectFilter.HasSinglePickKind()) {
            PickAtPoint(op->m_cursorX, op->m_cursorY, 1);
            AfterPick(op, serial);
        } else {
            op->DrawRubberBand();
        }
        return;
    }
    const POINT first = op->m_screen.front();
    const POINT last = op->m_screen.back();
    if (n == 2 && std::abs(last.x - first.x) < 4 && std::abs(last.y - first.y) < 4) {
        // A click: the object at the middle of the two points.
        op->DrawRubberBand();
        const POINT* s = op->m_screen.data();
        if (PickAtPoint((s[0].x + s[1].x) / 2, (s[0].y + s[1].y) / 2, 1)) {
            AfterPick(op, serial);
        } else {
            op->DrawRubberBand();
        }
        return;
    }
    if (n == 2 || n == 4) {
        // A drag, or two clicks: a window.
        op->DrawRubberBand();
        if (op->m_bWindowOnly && op->m_pCallback) {
            if (!Call(op, serial)) return;
        } else if (PickInWindow(last, first, 1) && op->m_bImmediate && op->m_pCallback) {
            if (!Call(op, serial)) return;
        }
        if (!op->m_bKeep && !op->m_pCallback)
            EndOperation(false);
        else
            op->m_screen.clear();
        return;
    }
    op->DrawRubberBand();
}

void COperationStack::ProcessOperationInput(const double* world, const POINT* screen)
{
    if (m_stack.empty()) return;
    CSingleOperate* op = m_stack.back().op.get();
    const uint64_t serial = m_stack.back().serial;
    const CProjectOptions& o = theProjectOptions;
    switch (op->m_nKind) {
        case CSingleOperate::kPoints:
            if (!world) return;
            ProcessPoints(op, serial, world);
            break;
        case CSingleOperate::kCurve:
            if (!world) return;
            if (op->m_points.empty()) {
                op->m_points.push_back(Point3{world[0], world[1], world[2]});
                op->DrawRubberBand();
            } else if (op->m_points.size() >= 2 && std::fabs(world[0] - op->Point(0)[0]) < o.dHorzNodeSpacing &&
                       std::fabs(world[1] - op->Point(0)[1]) < o.dHorzNodeSpacing &&
                       std::fabs(world[2] - op->Point(0)[2]) < o.fVertNodeSpacing) {
                // Back on the first point: the curve is closed.
                OperateHost().PostFinish();
            } else {
                op->DrawRubberBand();
                op->m_points.push_back(Point3{world[0], world[1], world[2]});
                op->DrawRubberBand();
            }
            break;
        case CSingleOperate::kAxis:
            if (!world) return;
            AppendErasing(op, world);
            if (op->m_points.size() >= 2) {
                if (!Call(op, serial)) return;
                if (op->m_bKeep)
                    op->m_points.clear();
                else {
                    EndOperation(false);
                    return;
                }
            } else {
                op->DrawRubberBand();
            }
            break;
        case CSingleOperate::kVector:
            if (!world) return;
            AppendErasing(op, world);
            if (op->m_points.size() >= 2) {
                double a[3], b[3];
                for (int k = 0; k < 3; ++k) {
                    a[k] = op->Point(0)[k];
                    b[k] = op->Point(1)[k];
                }
                if (theViewProjection.GetMode() == CViewProjection::kElevation) {
                    ToViewFrame(a, a);
                    ToViewFrame(b, b);
                }
                for (int k = 0; k < 3; ++k) {
                    char text[64];
                    // Every digit a double holds: typed values stay exact.
                    std::snprintf(text, sizeof text, "%.17g", b[k] - a[k]);
                    op->m_values[k].SetExpression(text);
                }
                if (!Call(op, serial)) return;
                EndOperation(false);
                return;
            }
            op->DrawRubberBand();
            break;
        case CSingleOperate::kPickOne:
            if (!screen) return;
            op->m_screen.push_back(*screen);
            PickAtPoint(op->m_cursorX, op->m_cursorY, 0);
            if (!Call(op, serial)) return;
            if (!op->m_bKeep) {
                EndOperation(false);
                return;
            }
            op->m_screen.clear();
            break;
        case CSingleOperate::kSelect:
            if (!screen) return;
            ProcessSelect(op, serial, *screen);
            if (!Alive(serial)) return;
            break;
        case CSingleOperate::kArea:
            if (!screen) return;
            if (!op->m_screen.empty()) op->DrawRubberBand();
            op->m_screen.push_back(*screen);
            op->DrawRubberBand();
            break;
        case CSingleOperate::kCrossLine:
            if (!screen) return;
            if (!op->m_screen.empty()) op->DrawRubberBand();
            op->m_screen.push_back(*screen);
            if (op->m_screen.size() >= 2) {
                const POINT a = op->m_screen[0], b = op->m_screen[1];
                if (op->m_bWindowOnly && op->m_pCallback) {
                    if (!Call(op, serial)) return;
                } else if (PickAcrossSegment(a, b, 1) && op->m_bImmediate && op->m_pCallback) {
                    if (!Call(op, serial)) return;
                }
                if (!op->m_bKeep && !op->m_pCallback) {
                    EndOperation(false);
                    return;
                }
                op->m_screen.clear();
                op->m_nKind = CSingleOperate::kSelect;
                op->m_nLimit = 4;
            } else {
                op->DrawRubberBand();
            }
            break;
        case CSingleOperate::kScreenLine:
        case CSingleOperate::kScreenWindow:
            if (!screen) return;
            if (!op->m_screen.empty()) op->DrawRubberBand();
            op->m_screen.push_back(*screen);
            if (op->m_screen.size() < 2) {
                op->DrawRubberBand();
                break;
            }
            if (!Call(op, serial)) return;
            if (!op->m_bKeep) {
                EndOperation(false);
                return;
            }
            op->m_screen.clear();
            if (theProjectOptions.nCurrentCommand == 81) {
                op->m_nKind = CSingleOperate::kPoints;
                op->m_nLimit = 1;
                op->m_points.clear();
            }
            break;
        case CSingleOperate::kDrag: {
            if (!screen) return;
            if (!op->m_screen.empty()) {
                const POINT f = op->m_screen.front();
                const int threshold = o.nMouseSensitivity;
                if (std::abs(screen->x - f.x) <= threshold && std::abs(screen->y - f.y) <= threshold) return;
            }
            op->m_screen.push_back(*screen);
            if (op->m_screen.size() >= 2) {
                if (!Call(op, serial)) return;
                const POINT newest = op->m_screen.back();
                op->m_screen.assign(1, newest);
            }
            break;
        }
        default: return;
    }
    if (!Alive(serial)) return;
    UpdateOperationPrompt();
    if (m_switchToRelative) {
        m_switchToRelative = false;
        if (m_inputState == kBothAllowed) OnInputChar('@');
    }
}

// ---- Enter and Esc ----------------------------------------------------------------------------

void COperationStack::FinishOperation()
{
    if (m_stack.empty()) return;
    CSingleOperate* op = m_stack.back().op.get();
    const uint64_t serial = m_stack.back().serial;
    const bool noCallback = !op->m_pCallback;
    switch (op->m_nKind) {
        case CSingleOperate::kPoints: {
            double v;
            if (OperateHost().GetArcMethod() > 0 && op->m_points.size() > 1 && TypedValue(v)) {
                const double p[3] = {v, 0, 0};
                ProcessOperationInput(p, nullptr);
            }
            return;
        }
        case CSingleOperate::kCurve:
            if (op->m_points.size() < 3) return;
            op->DrawRubberBand();
            if (!Call(op, serial)) return;
            if (op->m_bKeep)
                op->m_points.clear();
            else {
                EndOperation(false);
                return;
            }
            break;
        case CSingleOperate::kAxis: {
            double v;
            if (!TypedValue(v)) return;
            op->m_bTypedValue = 1;
            if (op->m_points.empty()) {
                op->m_points.push_back(Point3{v, 0, 0});
            } else {
                op->DrawRubberBand();
                op->m_points[0][0] = v;
            }
            if (!Call(op, serial)) return;
            if (op->m_bKeep) {
                op->m_points.clear();
                op->m_bTypedValue = 0;
            } else {
                EndOperation(false);
                return;
            }
            break;
        }
        case CSingleOperate::kVector: {
            if (!op->m_points.empty()) {
                op->DrawRubberBand();
                op->m_points.clear();
            }
            char text[256];
            OperateHost().GetInputText(text, sizeof text);
            SplitInputValues(text, 3, op->m_values, 0);
            if (theProjectOptions.bPlaneModel) op->m_values[2].SetExpression("0");
            if (!Call(op, serial)) return;
            EndOperation(false);
            return;
        }
        case CSingleOperate::kSelect:
        case CSingleOperate::kCrossLine:
        case CSingleOperate::kArea: {
            const bool pending = !op->m_screen.empty();
            if (op->m_nKind == CSingleOperate::kArea && pending) {
                if (op->m_screen.size() < 3) return;
                op->DrawRubberBand();
                const std::vector<POINT> polygon = op->m_screen;
                if (op->m_bWindowOnly && op->m_pCallback) {
                    if (!Call(op, serial)) return;
                } else {
                    PickInPolygon(polygon.data(), static_cast<int>(polygon.size()), 1);
                    if (op->m_bImmediate && op->m_pCallback && !Call(op, serial)) return;
                }
                if (!op->m_bKeep && noCallback) {
                    EndOperation(false);
                    return;
                }
                op->m_screen.clear();
                op->m_nKind = CSingleOperate::kSelect;
                op->m_nLimit = 4;
                break;
            }
            if (!pending && !op->m_bWindowOnly && !op->m_bImmediate && op->m_pCallback) {
                if (!Call(op, serial)) return;
            }
            if (!op->m_bKeep) {
                EndOperation(false);
                return;
            }
            break;
        }
        default: return;
    }
    if (Alive(serial)) UpdateOperationPrompt();
}

void COperationStack::CancelOperation()
{
    OperateHost().StopAnimation();
    if (m_stack.empty()) {
        OperateHost().FlashPrompt("所有处于选中状态的对象将被设置成非选中状态", 1000);
        UnselectAll();
        return;
    }
    CSingleOperate* op = m_stack.back().op.get();
    if ((!op->m_points.empty() || !op->m_screen.empty()) && op->m_bKeep) {
        op->DrawRubberBand();
        op->m_points.clear();
        op->m_screen.clear();
        if (op->m_nKind == CSingleOperate::kArea || op->m_nKind == CSingleOperate::kCrossLine) {
            op->m_nKind = CSingleOperate::kSelect;
            op->m_nLimit = 4;
        }
        m_inputState = kNoInput;
        UpdateOperationPrompt();
        return;
    }
    op->DrawRubberBand();
    if (m_stack.size() > 1 || !OperateHost().AnyModelessDialogOpen()) OperateHost().FlashPrompt("当前操作被取消", 700);
    EndOperation(false);
}
