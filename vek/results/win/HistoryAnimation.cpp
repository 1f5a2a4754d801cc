#include "vek/results/win/HistoryAnimation.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/results/Result.h"
#include "vek/results/ResultCounts.h"
#include "vek/results/ResultDisp.h"
#include "vek/results/ResultPictures.h"

namespace {

constexpr unsigned kUnreadResults = 160;
const char* const kNodeCountsDiffer =
    "模型的节点数多于结果文件中的节点数，模型在计算之后已被修改，无法显示结果图形！请重新计算。";
const char* const kFramesUnwritten = "动画帧文件写入失败（临时文件夹可能已满或不可写），动画只含已写入的%d帧。";

bool FetchStep(int kind, int step, std::vector<double>& rows)
{
    auto* out = reinterpret_cast<double(*)[6]>(rows.data());
    double time = 0;
    switch (kind) {
        case 15: return theResult.GetOneHistResDisp(step, out, time) != 0;
        case 16: return theResult.GetOneHistResVel(step, out, time) != 0;
        default: return theResult.GetOneHistResAcc(step, out, time) != 0;
    }
}

void StoreTranslations(const std::vector<double>& rows, int n)
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    const int count = std::min(nodes.GetCount(), n);
    for (int i = 0; i < count; ++i) nodes.SetDisplacement(i, &rows[size_t(i) * 6]);
}

}  // namespace

bool ShowHistoryAnimation(int kind)
{
    if (kind < 15 || kind > 17) return false;
    CResultDisp& rd = theResultDisp;
    DispPicture& p = rd.disp;
    rd.forceText.Clear();
    rd.frameDiagram.Clear();
    if (p.kind != 0) ClearNodeDisplacements();
    p.Reset();
    const int n = std::max(theResult.m_nResultNode, 0);
    // A frame count is 16 bits: longer histories show their first steps.
    const int steps = std::min(theResult.m_nTimeStep, 32767);
    if (ModelFamily(EFamily::Nodes).GetCount() > n) {
        AppMessageBox(kNodeCountsDiffer, MB_ICONEXCLAMATION);
        return false;
    }
    std::vector<double> rows(size_t(std::max({n, theResult.m_nNode, 1})) * 6, 0.0);
    std::vector<double> largest(size_t(std::max(steps, 0)) + 1, 0.0);
    const double span = ModelSpan();
    double overall = 1e-20;
    for (int s = 1; s <= steps; ++s) {
        if (!FetchStep(kind, s, rows)) {
            AppMessageBoxID(kUnreadResults);
            return false;
        }
        largest[size_t(s)] = LargestDisplacement(reinterpret_cast<const double(*)[6]>(rows.data()), n, span);
        overall = std::max(overall, largest[size_t(s)]);
    }
    if (steps < 1) {
        AppMessageBoxID(kUnreadResults);
        return false;
    }

    CProjectOptions& o = theProjectOptions;
    const int16_t pixels = o.nMaxDisplacementPixels;
    const int step = ResultSelectorValue(kSelResponsePoint);
    p.kind = int16_t(kind);
    p.largest = overall;
    int written = 0;
    for (int s = 1; s <= steps; ++s) {
        if (!FetchStep(kind, s, rows)) break;
        StoreTranslations(rows, n);
        // Each step is drawn by its own largest against the whole history's.
        o.nMaxDisplacementPixels = int16_t(int(largest[size_t(s)] / overall * pixels));
        SetResultSelectorValue(kSelResponsePoint, s);
        p.currentFrame = int16_t(s);
        const std::string path = AnimationFrameFile(s);
        if (!theResultPictureHooks.captureFrame || !theResultPictureHooks.captureFrame(path.c_str())) break;
        ++written;
    }
    o.nMaxDisplacementPixels = pixels;
    SetResultSelectorValue(kSelResponsePoint, step);
    p.frameCount = int16_t(written);
    p.currentFrame = 0;
    if (written < steps) {
        char text[256];
        std::snprintf(text, sizeof text, kFramesUnwritten, written);
        AppMessageBox(text, MB_ICONEXCLAMATION);
    }
    if (written > 0 && theResultPictureHooks.play) theResultPictureHooks.play();
    ModelHooks().InvalidateModel();
    return true;
}

bool ShowAnyDispPicture(int kind)
{
    return kind >= 15 && kind <= 17 ? ShowHistoryAnimation(kind) : ShowDispPicture(kind);
}
