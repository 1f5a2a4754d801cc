#pragma once
// One interactive operation: what a command gathers (world points, screen
// points, typed values), how it is drawn while it is gathered (the rubber
// band, in exclusive-or) and the callback that does the command's work once
// enough is gathered. The command handler configures a record with one
// setter and hands it to the operation stack, which owns it from then on.
#include <array>
#include <cstdint>
#include <vector>

#include "framework/String.h"
#include "framework/WinTypes.h"
#include "vek/model/expr/Expression.h"

class CSingleOperate;
using OperateCallback = void (*)(CSingleOperate* operation);
using Point3 = std::array<double, 3>;

class CSingleOperate {
public:
    // Operation kinds.
    enum Kind : uint8_t {
        kNone = 0,
        kPoints = 1,         // world points, one cycle per limit points
        kCurve = 2,          // a polyline ended by Enter or by its first point
        kAxis = 3,           // a distance: two points or one typed value
        kVector = 4,         // two points or typed dx dy dz
        kPickOne = 11,       // one object at a click
        kSelect = 12,        // objects by click or window
        kArea = 14,          // objects inside a polygon of screen points
        kCrossLine = 15,     // objects crossed by a screen segment
        kScreenLine = 16,    // a screen segment
        kScreenWindow = 17,  // a screen rectangle
        kDrag = 18,          // successive cursor positions of a drag
        kPanelPrompt = 19,   // no input of its own, only a prompt
    };
    static constexpr int kCurveLimit = 2000;
    // The message that hands a picked direction to the dialog that asked for it.
    static constexpr unsigned kDirectionMessage = 0x403;

    CSingleOperate();
    virtual ~CSingleOperate() = default;
    CSingleOperate(const CSingleOperate&) = default;
    CSingleOperate& operator=(const CSingleOperate&) = default;

    // The setters; each takes the command code and the callback first.
    void SetPickPoints(int code, OperateCallback callback, int limit, int keep);
    void SetPickCurve(int code, OperateCallback callback, int keep);
    void SetPickAxis(int code, OperateCallback callback, int keep);
    void SetPickVector(int code, OperateCallback callback);
    void SetPickOne(int code, OperateCallback callback, int keep);
    void SetSelect(int code, OperateCallback callback, int keep, int immediate);
    void SetWindowMode(int code, OperateCallback callback, int keep);
    void SetScreenLine(int code, OperateCallback callback, int keep);
    void SetScreenWindow(int code, OperateCallback callback, int keep);
    void SetDrag(int code, OperateCallback callback, int keep);
    // The meshing-region panel's record: a prompt only.
    void SetPanelPrompt(int code);

    // Copies at most n gathered points out; returns how many.
    int SetInputPoints(double (*points)[3], int n) const;
    int SetInputScreenPoints(POINT* points, int n) const;
    // The same operation: code, callback and point limit agree.
    bool IsSame(const CSingleOperate& other) const;

    // Draws the feedback of what was gathered in exclusive-or: a second call
    // with the same state erases it.
    void DrawRubberBand() const;

    bool HasInput() const { return !m_points.empty() || !m_screen.empty(); }
    bool IsSelection() const { return m_nKind == kSelect || m_nKind == kArea || m_nKind == kCrossLine; }
    int PointCount() const { return static_cast<int>(m_points.size()); }
    int ScreenCount() const { return static_cast<int>(m_screen.size()); }
    const double* Point(int i) const { return m_points[static_cast<size_t>(i)].data(); }

    int32_t m_nCode;
    OperateCallback m_pCallback;
    uint8_t m_nKind;
    // Typed values; the vector kind passes dx, dy, dz in them as texts.
    CExpression m_values[3];
    int16_t m_nLimit;
    std::vector<Point3> m_points;
    std::vector<POINT> m_screen;
    uint8_t m_bWindowOnly;
    uint8_t m_bImmediate;
    uint8_t m_bTypedValue;
    uint8_t m_bKeep;
    int32_t m_cursorX, m_cursorY;
    CString m_strPrompt;
    // The dialog that started the operation (a window of the program), for
    // callbacks that report back to it.
    void* m_pOwner;
    // The left panel changed the generation method while the operation ran.
    uint8_t m_bMethodChanged;

private:
    void Configure(int code, OperateCallback callback, uint8_t kind, int limit);
};

// The shared callback of direction picks started by dialogs: sends the unit
// vector from the first to the second point (the first point itself when
// fewer exist) to the owner window.
void PickDirectionCallback(CSingleOperate* operation);
// The vector the last direction pick sent; it stays valid until the next one.
const double* LastPickedDirection();
