#include "vek/elements/line/frames/FramePropertyCommands.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "korvalib/base/Vector.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameSelected.h"
#include "vek/elements/line/frames/FrameUndo.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/expr/Expression.h"
#include "vek/model/geometry/ModelGeometry.h"
#include "vek/model/records/ParameterRecords.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/ViewCommands.h"

CColumnWindowInput theColumnWindowInput;

namespace {

constexpr double kDegree = 0.017453292519943295;

bool Ends(const CFrame& f, double pi[3], double pj[3])
{
    const CNode* i = FindNode(f.m_nNodeI);
    const CNode* j = FindNode(f.m_nNodeJ);
    if (!i || !j) return false;
    std::copy(i->m_dCoord, i->m_dCoord + 3, pi);
    std::copy(j->m_dCoord, j->m_dCoord + 3, pj);
    return true;
}

// The frame's load on a case (a zero load when it has none).
CFrameLoad LoadOnCase(const CFrame& f, int loadCase)
{
    const int at = f.m_Loads.Index(int16_t(loadCase));
    if (at < 0) return CFrameLoad();
    const int number = f.m_Loads[at].nValue;
    if (number < 1 || number > theFrameLoads.GetSize()) return CFrameLoad();
    return *theFrameLoads.GetAt(number - 1);
}

void SetLoadOnCase(CFrame& f, int loadCase, const CFrameLoad& load)
{
    f.m_Loads.Insert(int16_t(loadCase), FindOrAddFrameLoad(load));
}

CUndoFrameLoad* LoadRecord(const CFrame& f)
{
    return new CUndoFrameLoad(f.m_nID, f.m_Loads);
}

}  // namespace

int ApplyColumnAngle()
{
    const float angle = float(theColumnAngleDegrees * kDegree);
    return ForSelectedFrames(
        -1, [](CFrame& f) { return new CUndoFrameAngle(f.m_nID, f.m_fAngle); },
        [angle](CFrame& f) {
            f.m_fAngle = angle;
            f.ComputeLocalAxes();
        });
}

int ApplyFrameEnds()
{
    const CFrameDefaults& in = theFrameDefaults;
    return ForSelectedFrames(
        kShowFrameEnds,
        [&in](CFrame& f) {
            if (f.CanHoldRigidEnds(in.m_fRigid[0], in.m_fRigid[1])) return true;
            AppMessageBox("刚域尺寸超出单元长度!");
            return false;
        },
        [](CFrame& f) { return new CUndoFrameEnd(f.m_nID, CFrameEndTraits::Get(f)); },
        [&in](CFrame& f) {
            CFrameEndTraits::Set(
                f, {in.m_fRigid[0], in.m_fRigid[1], in.m_fEcc[0], in.m_fEcc[1], in.m_fEcc[2], in.m_fEcc[3]});
        });
}

int ApplyLocalAxis()
{
    const CFrameAxisPara& in = theFrameAxisPara;
    double ref[3] = {0, 0, 0};
    return ForSelectedFrames(
        -1,
        [&in, &ref](CFrame& f) {
            double pi[3], pj[3], a[3], d[3];
            if (!Ends(f, pi, pj)) return false;
            CVector::Subtract(pj, pi, a);
            if (in.pointInPlane)
                CVector::Subtract(in.direction, pi, d);
            else
                std::copy(in.direction, in.direction + 3, d);
            // The component of d normal to the member; a direction within a
            // small angle of the member defines no plane.
            double c[3];
            bool ok = CVector::Normalize(a) && CVector::Normalize(d);
            if (ok) {
                double t[3];
                CVector::Cross(d, a, t);
                CVector::Cross(a, t, c);
                ok = CVector::Dot(c, c) > 1e-6 && CVector::Normalize(c);
            }
            if (!ok) {
                AppMessageBox("局部坐标定义错, 2或3轴的方向不能与单元轴向接近.");
                return false;
            }
            std::copy(c, c + 3, ref);
            return true;
        },
        [](CFrame& f) { return new CUndoFrameAxis(f.m_nID, CFrameAxisTraits::Get(f)); },
        [&in, &ref](CFrame& f) {
            CFrameAxisValue v;
            std::copy(ref, ref + 3, v.ref);
            v.code = uint8_t(in.axisChoice == 3 ? 3 : 2);
            CFrameAxisTraits::Set(f, v);
        });
}

int ApplyFrameReleases()
{
    CFrameReleaseTraits::Value v;
    for (int i = 0; i < 6; ++i) v[size_t(i)] = theFrameDefaults.m_cRelease[i];
    return ForSelectedFrames(
        kShowFrameReleases, [](CFrame& f) { return new CUndoFrameRelease(f.m_nID, CFrameReleaseTraits::Get(f)); },
        [&v](CFrame& f) { CFrameReleaseTraits::Set(f, v); });
}

int ToggleEndRelease(int cursorX, int cursorY)
{
    return ForSelectedFrames(
        kShowFrameReleases, [](CFrame& f) { return new CUndoFrameRelease(f.m_nID, CFrameReleaseTraits::Get(f)); },
        [cursorX, cursorY](CFrame& f) {
            double pi[3], pj[3];
            if (!Ends(f, pi, pj)) return;
            double xi, yi, xj, yj;
            theViewProjection.WorldToScreen(pi, xi, yi);
            theViewProjection.WorldToScreen(pj, xj, yj);
            const double di = std::hypot(xi - cursorX, yi - cursorY);
            const double dj = std::hypot(xj - cursorX, yj - cursorY);
            // Bending in the 1-2 plane, then in the 1-3 plane, of the nearer end.
            const int a = dj <= di ? 1 : 0, b = a + 3;
            const bool released = f.m_cRelease[a] != 0 || f.m_cRelease[b] != 0;
            f.m_cRelease[a] = f.m_cRelease[b] = released ? 0 : kFullRelease;
        });
}

void BuildFrameLoadPoints(const CFrameLoadPara& para, const CFrame& frame, int& n, double* x, double* v, int max)
{
    n = 0;
    double pi[3], pj[3];
    const bool built = para.m_nType == 1 && para.m_nOperation >= 1 && para.m_nOperation <= 3;
    if (built && (para.m_bInterpolate || !para.m_sExpression.empty()) && Ends(frame, pi, pj) && max >= 2) {
        const double length = frame.GetLength();
        if (para.m_bInterpolate) {
            const double a = para.m_fInterpValue[0], b = para.m_fInterpValue[1];
            const double* ends[2] = {pi, pj};
            for (int k = 0; k < 2; ++k) {
                double foot[3], t = 0;
                if (!IntersectLineWithPlane(para.m_dInterp[0], para.m_dInterp[1], ends[k], foot, 0, &t)) t = 0;
                x[k] = k == 0 ? 0 : length;
                v[k] = a + t * (b - a);
            }
            n = 2;
            return;
        }
        const int count = std::clamp(int(para.m_nExpressionPoints), 0, max - 2) + 2;
        for (int k = 0; k < count; ++k) {
            const double r = double(k) / (count - 1);
            CExpression e(pi[0] + r * (pj[0] - pi[0]), pi[1] + r * (pj[1] - pi[1]), pi[2] + r * (pj[2] - pi[2]));
            e.SetExpression(para.m_sExpression.c_str());
            x[k] = r * length;
            v[k] = e.Evaluate();
        }
        n = count;
        return;
    }
    const DLoadPoints& p = para.m_Points;
    n = std::min<int>(p.m_sCount, max);
    for (int k = 0; k < n; ++k) x[k] = p.m_pX[k], v[k] = p.m_pV[k];
}

int ApplyFrameLoadPara()
{
    const CFrameLoadPara& in = theFrameDefaults.m_Load;
    const int loadCase = theProjectOptions.nCurrentLoadCase;
    const int group = std::clamp(int(in.m_nType), 1, 3) - 1;
    const int dir = std::clamp(int(in.m_nDirection), 1, 6) - 1;
    const int op = in.m_nOperation;
    return ForSelectedFrames(kShowFrameLoads, LoadRecord, [&](CFrame& f) {
        CFrameLoad load = LoadOnCase(f, loadCase);
        DLoadPoints& target = load.m_Points[group][dir];
        double s = 1;
        double pi[3], pj[3];
        if (group == 0 && dir < 3 && in.m_nMeasure == 1 && op >= 1 && op <= 3 && Ends(f, pi, pj)) {
            double a[3];
            CVector::Subtract(pj, pi, a);
            if (CVector::Normalize(a)) {
                a[dir] = 0;
                s = std::sqrt(CVector::Dot(a, a));
            }
        }
        const int max = std::max<int>(in.m_Points.m_sCount, 2 + std::clamp(int(in.m_nExpressionPoints), 0, 1000));
        std::vector<double> x(size_t(max) + 2), v(size_t(max) + 2);
        int n = 0;
        if (op >= 1 && op <= 3) BuildFrameLoadPoints(in, f, n, x.data(), v.data(), int(x.size()));
        if (op == 1) {
            if (s < 0.99999999)
                for (int k = 0; k < n; ++k) v[size_t(k)] *= s;
            target.SetPoints(n, x.data(), v.data());
        } else if ((op == 2 || op == 3) && n > 0) {
            for (int k = 0; k < n; ++k) v[size_t(k)] *= op == 3 ? -s : s;
            if (group == 0) {
                char message[128] = {};
                if (!target.AppendLineLoad(n, x.data(), v.data(), f.GetLength(), message)) AppMessageBox(message);
            } else {
                target.AppendPointLoad(n, x.data(), v.data());
            }
        } else if (op == 4) {
            target.Clear();
        } else if (op == 5) {
            load.Clear();
        }
        SetLoadOnCase(f, loadCase, load);
    });
}

int ApplyFrameTemperature()
{
    const CFrameDefaults& in = theFrameDefaults;
    const int loadCase = theProjectOptions.nCurrentLoadCase;
    return ForSelectedFrames(kShowFrameLoads, LoadRecord, [&](CFrame& f) {
        CFrameLoad load = LoadOnCase(f, loadCase);
        load.m_fPrestress = in.m_fPrestress;
        std::copy(in.m_fTemp, in.m_fTemp + 3, load.m_fTemp);
        SetLoadOnCase(f, loadCase, load);
    });
}

void RegisterFramePropertyCommands()
{
    RegisterOperationCallback(87, [](CSingleOperate*) { ApplyColumnAngle(); });
    RegisterOperationCallback(91, [](CSingleOperate*) { ApplyLocalAxis(); });
    RegisterOperationCallback(92, [](CSingleOperate*) { ApplyFrameEnds(); });
    RegisterOperationCallback(95, [](CSingleOperate*) { ApplyFrameLoadPara(); });
    RegisterOperationCallback(96, [](CSingleOperate*) { ApplyFrameReleases(); });
    RegisterOperationCallback(97, [](CSingleOperate*) { ApplyFrameTemperature(); });
    RegisterOperationCallback(108, [](CSingleOperate* op) {
        if (op) ToggleEndRelease(op->m_cursorX, op->m_cursorY);
    });
    RegisterOperationCallback(82, [](CSingleOperate* op) {
        double pts[2][3];
        if (op && op->SetInputPoints(pts, 2) == 2) AssignPrestressCable(pts[0], pts[1]);
    });
    RegisterOperationCallback(603, [](CSingleOperate*) { CombineSelectedFrames(); });
    RegisterOperationCallback(615, [](CSingleOperate*) { CheckSelectedOverlap(); });
}

void SetOutputSectionsBySpacing(double spacing)
{
    if (!(spacing >= theProjectOptions.dHorzNodeSpacing) || spacing <= 0) spacing = 1.0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        const double n = std::trunc(f->GetLength() / spacing + 0.5) - 1;
        f->SetOutputSections(int(std::clamp(n, 0.0, 9.0)));
    }
    if (theFrames.GetSize()) SetDocumentModified(1);
}
