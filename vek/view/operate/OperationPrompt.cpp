// The prompt bar's texts built from the top operation, the typed
// coordinates of its input edit, and its other controls.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "korvalib/base/GFunc.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/view/ElevationView.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OperateHost.h"
#include "vek/view/operate/OperationStack.h"
#include "vek/view/operate/SelectFilter.h"
#include "vek/view/operate/SingleOperate.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

constexpr const char* kIdlePrompt = "通过菜单、热键和按钮等方式进行各种操作，操作过程中按ESC或右键快捷菜单可以退出";
constexpr const char* kAbsoluteHint = "按#可以输入绝对坐标:";
constexpr double kDegree = 0.017453292519943295;

std::string Format(const char* format, int value)
{
    char text[256];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Format(const char* format, const char* s, int value)
{
    char text[512];
    std::snprintf(text, sizeof text, format, s, value);
    return text;
}

int Mode()
{
    return theViewProjection.GetMode();
}

bool Planar()
{
    return theProjectOptions.bPlaneModel != 0;
}

}  // namespace

bool ParseTypedNumbers(const char* text, int count, double* out)
{
    if (!text || count < 1 || count > 3) return false;
    // One number per blank- or comma-separated text: the shared number
    // parser alone would join "5 -2" into 3.
    CString texts[3];
    if (SplitInputTexts(text, count, texts, 0) < count) return false;
    for (int k = 0; k < count; ++k) {
        if (GFunc::ExtractDoubles(texts[k], 1, nullptr, &out[k]) != 1 || !std::isfinite(out[k])) return false;
    }
    return true;
}

void COperationStack::ShowPromptText(const char* text, bool editable, bool remember)
{
    m_shown = text ? text : "";
    m_shownEditable = editable;
    OperateHost().ShowPromptText(m_shown.c_str(), editable);
    if (remember) {
        m_standing = CutText(m_shown.c_str(), kMaxPrompt);
        m_standingEditable = editable;
    }
}

void COperationStack::SetPrompt(const char* text)
{
    if (OperateHost().IsInputEditable()) {
        char edit[256];
        OperateHost().GetInputText(edit, sizeof edit);
        m_savedEdit = CutText(edit, kMaxPrompt);
    }
    ShowPromptText(text, false, false);
}

void COperationStack::RestorePrompt()
{
    ShowPromptText(m_standing.c_str(), m_standingEditable, false);
    OperateHost().SetInputText(m_savedEdit.c_str());
}

void COperationStack::SetProgress(double fraction)
{
    if (!std::isfinite(fraction)) return;
    const int percent = static_cast<int>(fraction * 100);
    if (percent == m_lastPercent) return;
    m_lastPercent = static_cast<int16_t>(percent);
    SetPrompt(Format("%d%%", percent).c_str());
}

void COperationStack::BuildPrompt(const CSingleOperate* op, std::string& text, bool& editable)
{
    const std::string own = op->m_strPrompt.GetString();
    const std::string filter = theSelectFilter.GetDescription();
    const bool levelNote = theLevels.GetCount() > 0 && Mode() == CViewProjection::kPlan;
    const int n = op->PointCount();
    const int screens = op->ScreenCount();
    std::string built;
    bool replaceOwn = false;
    editable = false;
    m_inputState = kNoInput;
    switch (op->m_nKind) {
        case CSingleOperate::kPoints: {
            editable = true;
            const int arc = OperateHost().GetArcMethod();
            m_inputState = kAbsoluteAllowed;
            if (n == 0) {
                if (arc > 0) {
                    built = std::string("请捕捉圆弧按逆时针顺序的起点(可选择圆弧定义方式)。") + kAbsoluteHint;
                    replaceOwn = true;
                } else {
                    built = std::string("请捕捉一个点。") + kAbsoluteHint;
                }
            } else if (arc >= 1 && arc <= 3 && n <= 2) {
                replaceOwn = true;
                if (n == 1) {
                    built = std::string("请捕捉圆弧的圆心。") + kAbsoluteHint;
                } else {
                    built = "请确定圆弧的终止位置，";
                    if (arc == 1) built += std::string("请捕捉圆弧的终点。") + kAbsoluteHint;
                    if (arc == 2) built += "也可输入圆弧的角度（逆时针为正，单位为度）:";
                    if (arc == 3) built += "也可输入圆弧的弦长（单位取长度单位）:";
                    if (arc != 1) m_inputState = kNoInput;
                }
            } else if (arc >= 4 && arc <= 6 && n <= 2) {
                replaceOwn = true;
                if (n == 1) {
                    built = std::string("请捕捉圆弧的终点。") + kAbsoluteHint;
                } else if (arc == 4) {
                    built = std::string("请捕捉圆弧弧线上一点。") + kAbsoluteHint;
                } else {
                    built = arc == 5 ? "请确定圆弧的大小，也可输入圆弧的角度（逆时针为正，单位为度）:"
                                     : "请确定圆弧的大小，也可输入圆弧的半径（单位取长度单位）:";
                    m_inputState = kNoInput;
                }
            } else {
                built = Format("请捕捉剩余的%d个点。按#、@可分别输入绝对和相对坐标:", op->m_nLimit - n);
                m_inputState = kBothAllowed;
            }
            break;
        }
        case CSingleOperate::kCurve:
            editable = true;
            if (n == 0) {
                built = std::string("请捕捉一个点。") + kAbsoluteHint;
                m_inputState = kAbsoluteAllowed;
            } else {
                built = Format("请捕捉第%d个点，若与第一点重合或按Enter则结束。按#、@可分别输入绝对和相对坐标:", n + 1);
                m_inputState = kBothAllowed;
            }
            break;
        case CSingleOperate::kAxis:
            if (n == 0) {
                built = "请输入距离值，或者捕捉两个点代替输入:";
                editable = true;
            } else {
                built = "请捕捉第二点。";
                if (theSelectFilter.Takes(CSelectFilter::kAxes)) built += "轴线间距将取两点之间某个方向的坐标差值";
            }
            break;
        case CSingleOperate::kVector:
            editable = true;
            if (Mode() == CViewProjection::kElevation)
                built = Planar() ? "输入Y和Z向距离值dy dz" : "输入局部坐标下的坐标差dx' dy' dz'";
            else
                built = "请输入坐标差值dx dy dz";
            built += "(可包含表达式),或捕捉两个点代替输入:";
            if (n > 0) built += " 继续捕捉第二点。";
            break;
        case CSingleOperate::kPickOne:
            built = "请选择" + filter + "，只能采用单个选方式。";
            if (levelNote) built += "选择层范围不起作用。";
            built += "可按Enter或应用按钮。";
            break;
        case CSingleOperate::kSelect:
            if (op->m_bWindowOnly) {
                built = "请用鼠标定义一个窗口或者区域。";
            } else if (!theSelectFilter.HasSinglePickKind()) {
                built = "选择" + filter + "，按鼠标左键之前可以改变选择方式";
                if (levelNote) built += "和选择层范围";
            } else {
                built = "选择" + filter + "，只能采用单个选方式";
                if (levelNote && theSelectFilter.Takes(CSelectFilter::kRegions)) built += "，可以改变选择层范围";
            }
            break;
        case CSingleOperate::kArea:
            if (op->m_bWindowOnly) {
                built = "请用鼠标定义一个窗口或者区域。";
            } else {
                built = Format("采用区域方式选择%s，请捕捉第%d点，可按Enter确认。", filter.c_str(), screens + 1);
                if (levelNote) built += "您可以改变选择层范围";
            }
            break;
        case CSingleOperate::kCrossLine:
            built = "采用交线方式选择" + filter + "，请捕捉线段的另一点。";
            if (levelNote) built += "您可以改变选择层范围";
            break;
        case CSingleOperate::kScreenLine:
        case CSingleOperate::kScreenWindow: built = Format("请捕捉第%d点。", screens + 1); break;
        case CSingleOperate::kDrag:
            if (op->m_nCode == 14) {
                built = "请按住鼠标左键拖动，圆圈外表示旋转轴垂直屏幕。";
                replaceOwn = true;
            } else {
                built = "请按住鼠标左键拖动图形，按ESC或鼠标右键快捷菜单结束操作。";
            }
            break;
        case CSingleOperate::kPanelPrompt: built = "请点击相关按钮添加删除剖分区域，然后剖分并生成单元。"; break;
        default: break;
    }
    if (replaceOwn || own.empty()) {
        text = built;
    } else {
        text = own;
        if (op->m_nKind == CSingleOperate::kArea && !op->m_bWindowOnly) text += " 按Enter确认区域。";
    }
}

void COperationStack::UpdateOperationPrompt()
{
    const CSingleOperate* op = GetCurrentOperation();
    if (!op) {
        m_inputState = kNoInput;
        ShowPromptText(kIdlePrompt, false, true);
        return;
    }
    std::string text;
    bool editable = false;
    BuildPrompt(op, text, editable);
    ShowPromptText(text.c_str(), editable, true);
}

void COperationStack::ShowTypingPrompt(bool relative)
{
    const int mode = Mode();
    const char* text;
    if (relative) {
        if (mode == CViewProjection::kElevation)
            text = Planar() ? "输入相对坐标(格式为[R=]Dy Dz 或 O=R A):"
                            : "输入立面坐标系下的相对坐标(格式为[R=]Dx' Dy' 或 O=R A):";
        else if (mode == CViewProjection::kFree3D)
            text = "输入相对坐标(格式为[R=]Dx Dy Dz 或 O=R A Z):";
        else
            text = "输入相对坐标(格式为[R=]Dx Dy 或 O=R A):";
    } else {
        if (mode == CViewProjection::kElevation)
            text = Planar() ? "输入绝对坐标(格式为[C=]Y Z 或 O=R A):"
                            : "输入立面坐标系下的绝对坐标(格式为[C=]X' Y' 或 O=R A):";
        else if (mode == CViewProjection::kFree3D)
            text = "输入绝对坐标(格式为[C=]X Y Z 或 O=R A Z):";
        else
            text = "输入绝对坐标(格式为[C=]X Y 或 O=R A):";
    }
    m_inputState = relative ? kTypingRelative : kTypingAbsolute;
    ShowPromptText(text, true, false);
    OperateHost().CaptureForTyping(true);
}

bool COperationStack::OnInputChar(char ch)
{
    const bool typing = m_inputState == kTypingAbsolute || m_inputState == kTypingRelative;
    if (ch == 27) {
        if (!typing) {
            OperateHost().PostCancel();
            return true;
        }
        OperateHost().CaptureForTyping(false);
        m_inputState = kNoInput;
        OperateHost().SetInputText("");
        CSingleOperate* op = GetCurrentOperation();
        if (op && op->m_nCode == 41) {
            OperateHost().PostCancel();
        } else if (op && op->m_nCode == 42) {
            op->DrawRubberBand();
            op->m_points.clear();
            op->m_screen.clear();
        }
        UpdateOperationPrompt();
        return true;
    }
    if (ch == 13) {
        if (!typing) {
            OperateHost().PostFinish();
            return true;
        }
        OperateHost().CaptureForTyping(false);
        char text[256];
        OperateHost().GetInputText(text, sizeof text);
        bool relative = m_inputState == kTypingRelative;
        if (std::strstr(text, "C=") || std::strstr(text, "c=")) relative = false;
        if (std::strstr(text, "R=") || std::strstr(text, "r=")) relative = true;
        double p[3];
        if (!ParseCoordinate(text, relative, p)) {
            OperateHost().FlashPrompt("存在非数字字符，输入无效", 1500);
            return true;
        }
        const CSingleOperate* op = GetCurrentOperation();
        if (relative && op && op->PointCount() > 0) {
            const double* last = op->Point(op->PointCount() - 1);
            for (int k = 0; k < 3; ++k) p[k] += last[k];
        }
        ProcessOperationInput(p, nullptr);
        return true;
    }
    if (ch == '@' && m_inputState == kBothAllowed) {
        ShowTypingPrompt(true);
        return true;
    }
    if (m_inputState == kAbsoluteAllowed || m_inputState == kBothAllowed) {
        ShowTypingPrompt(false);
        if (ch != '#') {
            const char typed[2] = {ch, 0};
            OperateHost().SetInputText(typed);
        }
        return true;
    }
    return false;
}

bool COperationStack::ParseCoordinate(const char* text, bool relative, double out[3])
{
    if (!text) return false;
    const int mode = Mode();
    const int count = mode == CViewProjection::kFree3D ? 3 : 2;
    const char* start = text;
    bool polar = false;
    if (const char* o = std::strstr(text, "O=")) {
        start = o + 2;
        polar = true;
    } else if (const char* o2 = std::strstr(text, "o=")) {
        start = o2 + 2;
        polar = true;
    } else if (const char* r = std::strstr(text, "R=")) {
        start = r + 2;
    } else if (const char* c = std::strstr(text, "C=")) {
        start = c + 2;
    } else if (const char* r2 = std::strstr(text, "r=")) {
        start = r2 + 2;
    } else if (const char* c2 = std::strstr(text, "c=")) {
        start = c2 + 2;
    }
    while (*start == ' ' || *start == '\t') ++start;
    const char first = *start;
    if (!((first >= '0' && first <= '9') || first == '-' || first == '+' || first == '.' || first == 'E')) return false;
    double v[3] = {0, 0, 0};
    // Too few numbers would leave coordinates made up: the input is refused.
    if (!ParseTypedNumbers(start, count, v)) return false;
    if (polar) {
        const double r = v[0], a = v[1] * kDegree;
        v[0] = r * std::cos(a);
        v[1] = r * std::sin(a);
    }
    switch (mode) {
        case CViewProjection::kElevation: {
            theViewProjection.PlaneToWorld(v[0], v[1], out);
            if (relative) {
                double origin[3];
                theViewProjection.PlaneToWorld(0, 0, origin);
                for (int k = 0; k < 3; ++k) out[k] -= origin[k];
            }
            break;
        }
        case CViewProjection::kFree3D:
            for (int k = 0; k < 3; ++k) out[k] = v[k];
            break;
        default:
            out[0] = v[0];
            out[1] = v[1];
            out[2] = relative ? 0 : theViewProjection.GetPlatformHeight();
            break;
    }
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(out[k])) return false;
    return true;
}

std::string COperationStack::CoordinateText(const double* p)
{
    char text[160];
    const int mode = Mode();
    if (mode == CViewProjection::kElevation) {
        if (!p) return std::string();
        double u, v;
        theViewProjection.WorldToPlane(p, u, v);
        if (Planar())
            std::snprintf(text, sizeof text, "X=0,Y=%5.4f,Z=%5.4f", u, v);
        else
            std::snprintf(text, sizeof text, "局部坐标:%5.4f,%5.4f", u, v);
        return text;
    }
    if (!p) return mode == CViewProjection::kFree3D ? std::string("立体工作平台") : std::string();
    std::snprintf(text, sizeof text, "%5.4f,%5.4f,%5.4f", p[0], p[1], p[2]);
    return text;
}

bool COperationStack::CanApply() const
{
    const CSingleOperate* op = GetCurrentOperation();
    return op && op->IsSelection() && !op->m_bWindowOnly && !op->m_bImmediate && op->m_pCallback;
}

bool COperationStack::ModeButtonEnabled(int mode)
{
    const bool planar = Planar();
    const int now = Mode();
    switch (mode) {
        case 1: return !planar && now != CViewProjection::kPlan;
        case 2: return !(!planar && now == CViewProjection::kElevation);
        case 3: return !planar && now != CViewProjection::kFree3D;
        default: return false;
    }
}

std::vector<std::string> COperationStack::PlatformEntries()
{
    std::vector<std::string> entries = {"两点定义立面  F2", "三点定义立面  F3", "为目前使用的立面命名",
                                        "管理有名称的立面", "有名称的立面如下-------"};
    for (const CPlaneDescription& d : theElevationPlane.m_named) entries.emplace_back(d.GetName());
    return entries;
}

void COperationStack::ChoosePlatformEntry(int index)
{
    switch (index) {
        case 0: RunViewCommand(kCmdElevationTwoPoints); break;
        case 1: RunViewCommand(kCmdElevationThreePoints); break;
        case 2: {
            std::string name;
            if (!OperateHost().EditText("为当前使用的立面命名,以后可通过此名转换到此立面",
                                        "输入立面(此立面将被保存起来)的名称:", name))
                break;
            // Cut as it is stored, before the names are compared.
            CPlaneDescription probe;
            probe.SetName(name.c_str());
            if (!probe.GetName()[0]) break;
            for (const CPlaneDescription& d : theElevationPlane.m_named) {
                if (std::strcmp(d.GetName(), probe.GetName()) == 0) {
                    OperateHost().MessageBox("已经存在相同名称的立面，请重新输入其它的名称", 0);
                    OperateHost().RefillPlatformList();
                    return;
                }
            }
            AddNamedElevation(probe.GetName());
            break;
        }
        case 3: OperateHost().RunElevationDialog(); break;
        case 4: break;
        default:
            if (index >= kPlatformFixedEntries) SelectNamedElevation(index - kPlatformFixedEntries);
            break;
    }
    OperateHost().RefillPlatformList();
}
