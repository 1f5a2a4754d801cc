#include "vek/results/ResultDisp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "korvalib/base/biostream.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ContourValues.h"
#include "vek/results/ForceText.h"
#include "vek/results/MemberChecks.h"
#include "vek/results/ResultPictures.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

ResultDispHooks theResultDispHooks;
ResultCaptionCanvas theResultCaptionCanvas;
CResultDisp theResultDisp;

namespace {

template <class... A>
std::string Format(const char* format, A... args)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, format, args...);
    return buf;
}

void Call(void (*hook)())
{
    if (hook) hook();
}

void UpdateContourPicture()
{
    if (theResultDispHooks.updateContour)
        theResultDispHooks.updateContour();
    else
        UpdateContour();
}

void Redraw()
{
    ModelHooks().InvalidateModel();
}

const char* const kMemberForceNames[6] = {
    "轴力", "1-2平面内的剪力", "1-2平面内的弯矩", "1-3平面内的剪力", "1-3平面内的弯矩", "扭矩"};
const char* const kWallForceNames[6] = {"轴力N22",     "面内剪力Q11", "面内弯矩M33",
                                        "面外剪力Q33", "面外弯矩M11", "扭矩M12"};

const char* Name(const char* const (&names)[6], int i)
{
    return i >= 0 && i < 6 ? names[i] : "";
}

}  // namespace

void CMemberValue::Serialize(bofstream& out)
{
    out << m_nID << value;
}

void CMemberValue::Serialize(bifstream& in)
{
    in >> m_nID >> value;
}

// ---- displacement picture

void DispPicture::Reset()
{
    if ((kind >= 1 && kind <= 9) || (kind >= 11 && kind <= 19)) {
        ClearNodeDisplacements();
        kind = 0;
    }
    kind = 0;
    playing = 0;
    currentFrame = 0;
    scale = 1.0;
    largest = 1e-20;
}

void DispPicture::CalcScale(int pixels, double modelToScreen)
{
    if (kind < 1 || !(std::fabs(largest) > 0) || !(std::fabs(modelToScreen) > 0)) {
        scale = 0;
        return;
    }
    scale = pixels / largest / modelToScreen;
}

void DispPicture::CalcScale()
{
    CalcScale(theProjectOptions.nMaxDisplacementPixels, ModelProjection().GetScale());
}

bool DispPicture::GetCaption(std::string& text) const
{
    const int k = kind > 10 ? kind - 10 : kind;
    const std::string suffix = Format("  最大绝对值=%.4g", largest);
    const CProjectOptions& o = theProjectOptions;
    CResult& r = theResult;
    switch (k) {
        case 1: text = Format("荷载种类%d的位移图%s", o.nCurrentLoadCase, suffix.c_str()); return true;
        case 2: text = Format("位移组合%d的位移图%s", o.nResultSelectors[1], suffix.c_str()); return true;
        case 3: {
            const int mode = o.nResultSelectors[2];
            std::vector<double> periods(size_t(std::max<int>(r.m_nMode, 1)), 0.0);
            double t = 0;
            if (mode >= 1 && mode <= r.m_nMode && r.GetEigenPeriod(periods.data())) t = periods[size_t(mode - 1)];
            text = Format("第%d阶振型: T=%.4g秒 f=%.4gHz", mode, t, std::fabs(t) > 0 ? 1.0 / t : 0.0);
            return true;
        }
        case 4: text = Format("第%d个地震方向的位移图%s", o.nResultSelectors[4], suffix.c_str()); return true;
        case 5:
        case 6:
        case 7: {
            static const char* const forms[3] = {"第%d个响应点(时间=%6.3f秒)的位移响应%s",
                                                 "第%d个响应点(时间=%6.3f秒)的速度响应%s",
                                                 "第%d个响应点(时间=%6.3f秒)的加速度响应%s"};
            const int step = o.nResultSelectors[3];
            double time = 0;
            if (step >= 1 && step <= r.m_nTimeStep && r.m_nResultNode >= 1) {
                std::vector<double> rows(size_t(r.m_nTimeStep) * 6), times(size_t(r.m_nTimeStep));
                auto* out = reinterpret_cast<double(*)[6]>(rows.data());
                const int read = k == 5   ? r.GetOneNodeAllHistResDisp(1, out, times.data())
                                 : k == 6 ? r.GetOneNodeAllHistResVel(1, out, times.data())
                                          : r.GetOneNodeAllHistResAcc(1, out, times.data());
                if (read) time = times[size_t(step - 1)];
            }
            text = Format(forms[k - 5], step, time, suffix.c_str());
            return true;
        }
        case 8: {
            // Two factors per force combination; the last one of an odd count
            // stands alone, its range from its own factor.
            const int m = o.nResultSelectors[5];
            const int count = std::max<int>(r.m_nBuckle, 0);
            std::vector<double> f(size_t(count) + 2, 0.0);
            if (m < 1 || m > count || !r.GetBuckleFactor(f.data())) return false;
            const int comb = (m + 1) / 2;
            const double a = f[size_t(2 * (comb - 1))];
            const double b = 2 * comb <= count ? f[size_t(2 * comb - 1)] : 0.0;
            std::string range;
            if (a >= 0 && b >= 0)
                range = Format("λ<%.3g", a);
            else if (a >= 0)
                range = Format("%.3g<λ<%.3g", b, a);
            else if (b > 0)
                range = Format("%.3g<λ<%.3g", a, b);
            else
                range = Format("λ>%.3g", a);
            text = Format("内力组合%d的第%d个荷载比例因子λ=%.3g，取值范围:%s", comb, ((m + 1) % 2) + 1,
                          f[size_t(m - 1)], range.c_str());
            return true;
        }
        case 9: text = Format("第%d步施工模拟的位移图%s", o.nHighestStage, suffix.c_str()); return true;
        default: return false;
    }
}

void DispPicture::DeleteFrames(const char* stem)
{
    CString dir;
    GetTempDir(dir);
    const std::string prefix = std::string(stem) + ".";
    std::error_code ec;
    std::vector<std::filesystem::path> doomed;
    for (std::filesystem::directory_iterator it(static_cast<const char*>(dir), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) doomed.push_back(it->path());
    }
    for (const auto& p : doomed) std::filesystem::remove(p, ec);
    frameCount = 0;
    currentFrame = 0;
}

// ---- node values

void NodeDispValues::Clear()
{
    kind = 0;
    component = 0;
    largest = 0;
    values.clear();
}

bool NodeDispValues::GetCaption(std::string& text) const
{
    static const char* const cases[4] = {"荷载种类", "位移组合", "地震方向", "模拟施工步号"};
    static const char* const components[7] = {"x向", "y向", "z向", "x向转角", "y向转角", "z向转角", "位移平方和开方"};
    if (kind < 1 || kind > 4) return false;
    const CProjectOptions& o = theProjectOptions;
    const int numbers[4] = {o.nCurrentLoadCase, o.nResultSelectors[1], o.nResultSelectors[4], o.nHighestStage};
    text = Format("%s%d%s的最大位移值=%.4g", cases[kind - 1], numbers[kind - 1],
                  components[std::min<int>(component, 6)], largest);
    return true;
}

// ---- member forces

void FrameForceDiagram::Clear()
{
    members.clear();
    elementKind = 0;
    component = 0;
    largest = 1e-20;
    smallest = 0;
    scale = 1.0f;
    envelope = 0;
}

bool FrameForceDiagram::GetCaption(std::string& text) const
{
    static const char* const kinds[4] = {"梁柱单元", "桁架单元", "曲梁单元", "管道单元"};
    if (elementKind < 1 || elementKind > 4) return false;
    const std::string env = envelope == 0   ? Format("内力组合%d下", theProjectOptions.nResultSelectors[0])
                            : envelope == 1 ? std::string("所有组合的最大、最小包络图：")
                                            : std::string("所有组合的最大绝对值包络图：");
    text = Format("%s%s%s，最大值:%.4g 最小值:%.4g", env.c_str(), kinds[elementKind - 1],
                  Name(kMemberForceNames, component), largest, smallest);
    return true;
}

void ForceText::Clear()
{
    elementKind = 0;
    envelope = 0;
    perWallLength = 0;
    first = second = 0;
    reference = 0;
    store.RemoveAll();
}

bool ForceText::GetCaption(std::string& text) const
{
    if (elementKind == 0) return false;
    const char* const(&names)[6] = elementKind == 6 ? kWallForceNames : kMemberForceNames;
    if (envelope == 0)
        text = Format("组合%d的内力", theProjectOptions.nResultSelectors[0]);
    else if (envelope == 1)
        text = Format("内力分量%s绝对值最大所对应的一组内力", Name(names, first));
    else if (envelope == 2)
        text = Format("内力分量%s和%s绝对值之和最大所对应的一组内力", Name(names, first), Name(names, second));
    else
        text = "所有组合所有截面各内力分量的绝对值最大值";
    if (elementKind == 6 && perWallLength) text += "(已除以墙长度)";
    return true;
}

bool SteelCheckDisp::GetCaption(std::string& text) const
{
    static const char* const items[7] = {"强度正应力",    "稳定正应力", "剪应力", "1-3平面长细比",
                                         "1-2平面长细比", "宽厚比",     "高厚比"};
    if (kind == 0) return false;
    text = Format("所有组合所有截面下的最大[%s]", items[std::min<int>(item, 6)]);
    if (kind == 2) text += "与允许限值的比值";
    return true;
}

void ReinDisp::Fill()
{
    if (items != 0)
        theResult.GetAllFrameReinData(store);
    else
        store.RemoveAll();
}

bool ReinDisp::GetCaption(std::string& text) const
{
    static const char* const words[7] = {"上筋+", "下筋+",     "2方向单边配筋+", "3方向单边配筋+",
                                         "箍筋+", "抗扭纵筋+", "抗剪扭箍筋+"};
    if ((items & 0x1F) == 0) return false;
    std::string list = "\"";
    for (int bit = 0; bit < 7; ++bit)
        if (items & (1 << bit)) list += words[bit];
    while (!list.empty() && list.back() == '+') list.pop_back();
    list += "\"";
    const bool longitudinal = (items & 0x2F) != 0, transverse = (items & 0x50) != 0;
    text = "显示" + list + (perSection ? "在各截面" : "在所有截面的");
    const char* lw = perSection ? "最大的配筋量和对应的配筋率" : ratio ? "配筋率" : "配筋面积";
    const char* tw = perSection ? "最小的箍距和对应的配箍率" : ratio ? "配箍率" : "箍筋间距";
    if (longitudinal) text += lw;
    if (transverse) {
        if (longitudinal) text += "或";
        text += tw;
    }
    return true;
}

bool AxialRatioDisp::GetCaption(std::string& text) const
{
    if (kind == 2)
        text = Format("所有内力组合的最大轴压比:%.2g", largest);
    else if (kind == 1)
        text = Format("内力组合%d的最大轴压比:%.2g", theProjectOptions.nResultSelectors[0], largest);
    else
        return false;
    return true;
}

// ---- filter

bool ResultFilter::Accepts(double v, double r) const
{
    if (!on) return true;
    if (mode == 0) {
        const double a = std::fabs(v), ref = std::fabs(r);
        return lowerPercent / 100.00001 * ref <= a && a <= upperPercent * ref / 99.99999;
    }
    if (mode == 1) return lower - 1e-5 <= v && v <= upper + 1e-5;
    return v <= lower + 1e-5 || v >= upper - 1e-5;
}

std::string ResultFilter::GetDescription(bool several) const
{
    if (!on) return "过滤功能无效";
    if (mode == 0)
        return Format(several ? "过滤功能有效: 只要某一截面的绝对值介于最大绝对值的%.1f%%和%.1f%%之间"
                              : "过滤功能有效: 绝对值介于最大绝对值的%.1f%%和%.1f%%之间",
                      double(lowerPercent), double(upperPercent));
    if (mode == 1)
        return Format(several ? "过滤功能有效: 所有截面处的数值都落在区间[%.3g,%.3g]内"
                              : "过滤功能有效: 数值落在区间[%.3g,%.3g]内",
                      double(lower), double(upper));
    return Format(several ? "过滤功能有效: 只要某一截面的数值落在区间(-∞,%.3g]和[%.3g,+∞)内"
                          : "过滤功能有效: 数值落在区间(-∞,%.3g]和[%.3g,+∞)内",
                  double(lower), double(upper));
}

bool ResultFilter::Edit()
{
    ResultFilter edited = *this;
    if (!theResultDispHooks.editFilter || !theResultDispHooks.editFilter(edited)) return false;
    if (edited.lowerPercent > edited.upperPercent) std::swap(edited.lowerPercent, edited.upperPercent);
    if (edited.lower > edited.upper) std::swap(edited.lower, edited.upper);
    *this = edited;
    return true;
}

// ---- the display object

CResultDisp::CResultDisp()
{
#if defined(_WIN32)
    const int pid = _getpid();
#else
    const int pid = int(getpid());
#endif
    // By process, so that two running programs never remove each other's frames.
    std::snprintf(m_szFrameStem, sizeof m_szFrameStem, "~ani_tmp%d", pid);
}

CResultDisp::~CResultDisp()
{
    CloseAll(1);
}

bool CResultDisp::AnyShown() const
{
    return nodeValues.kind != 0 || disp.kind >= 1 || frameDiagram.elementKind != 0 || forceText.elementKind != 0 ||
           contour.kind != 0 || steelCheck.kind != 0 || stress.on != 0 || disp.playing != 0 || rein.items != 0 ||
           axialRatio.kind != 0;
}

void CResultDisp::CloseAll(int deleteFrames)
{
    disp.playing = 0;
    disp.currentFrame = 0;
    if (deleteFrames) disp.DeleteFrames(m_szFrameStem);
    nodeValues.Clear();
    stress.Clear();
    disp.Reset();
    contour.Clear();
    frameDiagram.Clear();
    forceText.Clear();
    steelCheck.kind = 0;
    steelCheck.store.RemoveAll();
    rein.items = 0;
    rein.store.RemoveAll();
    axialRatio.kind = 0;
    axialRatio.store.RemoveAll();
}

bool CResultDisp::CloseAllPictures()
{
    const bool joints = theResultDispHooks.clearJointsShown && theResultDispHooks.clearJointsShown();
    if (!AnyShown() && !joints) return false;
    CloseAll(0);
    Redraw();
    return true;
}

void CResultDisp::RecalcRanges()
{
    if (!theResultDispHooks.calcRange) return;
    for (int member = 0; member < 6; ++member) theResultDispHooks.calcRange(member);
}

void CResultDisp::RefreshCase(int valuesKind, int contourKind, int pictureKind, bool redrawAnyway)
{
    if (nodeValues.kind == valuesKind) {
        if (theResultDispHooks.fillNodeValues)
            theResultDispHooks.fillNodeValues();
        else
            FillNodeValues();
    }
    if (contour.kind == contourKind)
        UpdateContourPicture();
    else if (disp.kind == pictureKind || disp.kind == pictureKind + 10)
        ShowPicture();
    else if (redrawAnyway || nodeValues.kind == valuesKind)
        Redraw();
}

void CResultDisp::ShowPicture()
{
    if (theResultDispHooks.showDispPicture)
        theResultDispHooks.showDispPicture(disp.kind);
    else
        ShowDispPicture(disp.kind);
}

void CResultDisp::OnLoadCaseChanged()
{
    RefreshCase(1, 5, 1, false);
}

void CResultDisp::OnDispCombChanged()
{
    RefreshCase(2, 6, 2, false);
}

void CResultDisp::OnModeChanged()
{
    if (disp.kind == 3 || disp.kind == 13) ShowPicture();
    if (contour.kind == 9) UpdateContourPicture();
}

void CResultDisp::OnTimeStepChanged()
{
    if (disp.kind >= 5 && disp.kind <= 7) ShowPicture();
}

void CResultDisp::OnSpectrumDirChanged()
{
    RefreshCase(3, 7, 4, false);
}

void CResultDisp::OnBuckleModeChanged()
{
    if (disp.kind == 8 || disp.kind == 18) ShowPicture();
    if (contour.kind == 10) UpdateContourPicture();
}

void CResultDisp::OnStageChanged()
{
    RefreshCase(4, 8, 9, true);
}

void CResultDisp::OnForceCombChanged()
{
    if (contour.FollowsForceCombination()) {
        UpdateContourPicture();
        return;
    }
    bool redraw = false;
    if (frameDiagram.elementKind != 0) {
        if (theResultDispHooks.updateFrameDiagram)
            theResultDispHooks.updateFrameDiagram();
        else
            UpdateFrameDiagram();
        redraw = true;
    } else if (forceText.elementKind != 0 && forceText.envelope == 0) {
        if (theResultDispHooks.updateForceText)
            theResultDispHooks.updateForceText();
        else
            UpdateForceText();
        redraw = true;
    }
    if (stress.on) {
        Call(theResultDispHooks.fillPrincipalStress);
        redraw = true;
    }
    if (axialRatio.kind == 1) {
        if (theResultDispHooks.fillAxialRatio)
            theResultDispHooks.fillAxialRatio();
        else
            FillAxialRatio();
        redraw = true;
    }
    if (redraw) Redraw();
}

void CResultDisp::OnSelectorChanged(int selector)
{
    switch (selector) {
        case kSelLoadCase: OnLoadCaseChanged(); break;
        case kSelForceCombination: OnForceCombChanged(); break;
        case kSelDisplacementCombination: OnDispCombChanged(); break;
        case kSelMode: OnModeChanged(); break;
        case kSelResponsePoint: OnTimeStepChanged(); break;
        case kSelEarthquakeDirection: OnSpectrumDirChanged(); break;
        case kSelBucklingMode: OnBuckleModeChanged(); break;
        case kSelConstructionStep: OnStageChanged(); break;
        default: break;
    }
}

int CResultDisp::GetSectForceFromRecord(const DWallForce& wall, DFrameForce& out) const
{
    const DWallForceElement* arrays[4] = {};
    int n = 0;
    const bool segments = (DWallForce::SlotMask(wall.nHoleKind) & 0x0E) != 0 && contour.kind != 15;
    if (!segments) {
        if (!wall.pPiece[0]) return 0;
        arrays[n++] = wall.pPiece[0];
    } else {
        for (int s = 1; s <= 3; ++s) {
            if (!wall.pPiece[s]) return 0;
            arrays[n++] = wall.pPiece[s];
        }
        if (wall.pPiece[4]) arrays[n++] = wall.pPiece[4];
    }
    double rows[8][7];
    for (int k = 0; k < n; ++k) {
        const double* a = arrays[k]->value;
        const double first[7] = {0, a[0], a[1], a[2], a[8], a[6], a[7]};
        const double second[7] = {0, a[3], a[4], a[5], a[11], a[9], a[10]};
        std::memcpy(rows[2 * k], first, sizeof first);
        std::memcpy(rows[2 * k + 1], second, sizeof second);
    }
    if (!out.SetSectForce(2 * n, rows)) return 0;
    out.m_nID = wall.m_nID;
    return 1;
}

std::string CResultDisp::GetCaptionLine() const
{
    std::string line, part;
    auto add = [&](bool has) {
        if (!has) return;
        if (!line.empty()) line += ' ';
        line += part;
    };
    add(disp.GetCaption(part));
    add(frameDiagram.GetCaption(part));
    add(forceText.GetCaption(part));
    add(nodeValues.GetCaption(part));
    add(steelCheck.GetCaption(part));
    add(rein.GetCaption(part));
    add(axialRatio.GetCaption(part));
    return line;
}

void CResultDisp::DrawCaption(int width, int height) const
{
    const std::string line = GetCaptionLine();
    if (line.empty() || !theResultCaptionCanvas.drawText) return;
    const int h = width / 60;
    theResultCaptionCanvas.drawText(width - 2 * h, height - h, h, line.c_str());
}
