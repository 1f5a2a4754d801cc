#include "vek/results/win/ResultSettings.h"

#include <array>
#include <cstdio>

#include "vek/results/Result.h"

HistoryOutput theHistoryOutput;
ForceFileSwitches theForceFileSwitches;
SteelSelectRequest theSteelSelectRequest;
PipeJointSettings thePipeJointSettings;
ShellForceOutput theShellForceOutput;
ResultCommandSlots theResultCommandSlots;

std::string NodeAboveForceSum(const std::vector<int>& nodes)
{
    const int combs = theResult.Good() ? theResult.m_nForceComb : 0;
    if (combs < 1) return {};
    std::vector<std::array<double, 6>> sum(size_t(combs), std::array<double, 6>{});
    std::vector<double> rows(size_t(combs) * 6);
    for (int node : nodes) {
        auto* out = reinterpret_cast<double(*)[6]>(rows.data());
        if (!theResult.GetOneNodeAboveForce(node, out)) return {};
        for (int c = 0; c < combs; ++c)
            for (int k = 0; k < 6; ++k) sum[size_t(c)][size_t(k)] -= out[c][k];
    }
    std::string text = "所选节点上部构件在下端引起的反力之和:Fx Fy Fz Mx My Mz";
    for (int c = 0; c < combs; ++c) {
        const auto& f = sum[size_t(c)];
        char line[256];
        std::snprintf(line, sizeof line, "\r\n   内力组合%d:%7.4f %7.4f %7.4f %7.4f %7.4f %7.4f", c + 1, f[0], f[1],
                      f[2], f[3], f[4], f[5]);
        text += line;
    }
    return text;
}
