#pragma once
// A result set of a portal frame as the solver would leave it beside the
// project: its nodes, one load case, the members' moments.
#include <algorithm>
#include <vector>

#include "tests/korvalib/results/ResultGen.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ObjectBase.h"

namespace apptest {

// The portal in the plan: columns 1-2 and 4-3, beam 2-3 (4 long), the
// bases fixed. Load case 1 sways it 10 mm along x; the beam's moment is a
// parabola with its peak at mid-span.
const resgen::Xyz kPortal[4] = {{{0, 0, 0}}, {{0, 3, 0}}, {{4, 3, 0}}, {{4, 0, 0}}};
constexpr double kSway = 0.01;

inline resgen::Model PortalResults()
{
    resgen::Model m;
    m.N = m.n = m.sysResultNodes = 4;
    m.xyz.assign(kPortal, kPortal + 4);
    m.eq.assign(4, {{0, 0, 0, 0, 0, 0}});
    m.master.assign(4, 0);
    int e = 0;
    for (int j : {1, 2})
        for (auto& d : m.eq[size_t(j)]) d = ++e;
    m.neq = e;
    m.cases = 1;
    m.sets = 1;
    std::vector<resgen::Row6> sway(4, resgen::Row6{});
    sway[1] = {kSway, -0.001, 0, 0, 0, 0.002};
    sway[2] = {kSway, 0.001, 0, 0, 0, 0.002};
    m.dis.push_back(sway);
    auto member = [](int id, std::vector<double> pos, auto moment) {
        resgen::FrameRec r{id, pos, {}};
        std::vector<resgen::Row6> sect;
        for (double x : pos) sect.push_back({0, 0, moment(x), 0, 0, 0});
        r.force.push_back(sect);
        return r;
    };
    const double length = 4;
    m.u3 = {member(1, {0, 3}, [](double x) { return 10 - 4 * x; }),
            member(2, {0, 1, 2, 3, 4}, [&](double x) { return -8 * x * (length - x); }),
            member(3, {0, 3}, [](double x) { return -10 + 4 * x; })};
    return m;
}

// The portal's four nodes stored in the model (no beams); false when one is refused.
inline bool StorePortalNodes()
{
    for (int i = 0; i < 4; ++i) {
        CNode n;
        n.m_nID = i + 1;
        n.m_nFlags = kObjLive | kObjStateShown;
        std::copy(kPortal[i].begin(), kPortal[i].end(), n.m_dCoord);
        if (!StoreNode(n)) return false;
    }
    return true;
}

}  // namespace apptest
