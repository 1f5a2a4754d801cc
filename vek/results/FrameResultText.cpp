#include "vek/results/FrameResultText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "vek/results/Result.h"

namespace {

template <class... A>
void Add(std::string& out, const char* format, A... args)
{
    char line[256];
    std::snprintf(line, sizeof line, format, args...);
    out += line;
}

void AddDeflections(std::string& out, int nodeI, int nodeJ)
{
    CResult& r = theResult;
    const int cases = std::max(0, int(r.m_nLoadCase)), combs = std::max(0, int(r.m_nLoadComb));
    std::vector<double> d(size_t(cases + combs) + 1, 0.0);
    if (!r.GetMaxFrameDisplacement(nodeI, nodeJ, d.data())) return;
    out += "\r\n单元最大挠度(含两端的位移):\r\n";
    for (int k = 0; k < cases; ++k) Add(out, " 荷载种类%d=%.2E", k + 1, d[size_t(k)]);
    out += "\r\n";
    for (int k = 0; k < combs; ++k) Add(out, " 组合%d=%.2E", k + 1, d[size_t(cases + k)]);
}

void AddForces(std::string& out, int frameId)
{
    MArrayID<DFrameForce> store(0, 16);
    if (!theResult.GetFrameAllCombForce(frameId, store) || store.GetCount() == 0) return;
    double largest[6], smallest[6];
    int largestComb[6] = {}, smallestComb[6] = {};
    std::fill(largest, largest + 6, -9e30);
    std::fill(smallest, smallest + 6, 9e30);
    for (int k = 0; k < store.GetCount(); ++k) {
        const DFrameForce* f = store.GetAt(k);
        for (int s = 0; s < f->nSect; ++s)
            for (int c = 0; c < 6; ++c) {
                const double v = f->pSect[s][c + 1];
                // The first combination to reach an extreme keeps it.
                if (v > largest[c]) {
                    largest[c] = v;
                    largestComb[c] = f->m_nID;
                }
                if (v < smallest[c]) {
                    smallest[c] = v;
                    smallestComb[c] = f->m_nID;
                }
            }
    }
    out += "\r\n\r\n内力：轴力 1-2平面内的剪力和弯矩 1-3平面内的剪力和弯矩 扭矩";
    Add(out, "\r\n  最大值: %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f", largest[0], largest[1], largest[2], largest[3],
        largest[4], largest[5]);
    Add(out, "\r\n对应组合: %5d    %5d    %5d    %5d    %5d    %5d", largestComb[0], largestComb[1], largestComb[2],
        largestComb[3], largestComb[4], largestComb[5]);
    Add(out, "\r\n  最小值: %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f", smallest[0], smallest[1], smallest[2], smallest[3],
        smallest[4], smallest[5]);
    Add(out, "\r\n对应组合: %5d    %5d    %5d    %5d    %5d    %5d", smallestComb[0], smallestComb[1], smallestComb[2],
        smallestComb[3], smallestComb[4], smallestComb[5]);
    for (int k = 0; k < store.GetCount(); ++k) {
        const DFrameForce* f = store.GetAt(k);
        Add(out, "\r\n组合%d各截面的内力：", f->m_nID);
        for (int s = 0; s < f->nSect; ++s) {
            out += "\r\n";
            for (int c = 1; c <= 6; ++c) Add(out, " %8.3f", f->pSect[s][c]);
        }
    }
}

}  // namespace

std::string GetFrameResultText(int frameId, int nodeI, int nodeJ, int momentReleaseSum)
{
    std::string out;
    if (!theResult.Good()) return out;
    if (momentReleaseSum < 100) AddDeflections(out, nodeI, nodeJ);
    AddForces(out, frameId);
    return out;
}
