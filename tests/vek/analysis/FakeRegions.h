#pragma once
// A region family for the data-file tests: floors given by their nodes, load
// centre, area and loads, placing masters and lumping masses as the real
// family does; the loads they hand on are named load records, given to the
// beam between two nodes.
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "vek/analysis/FamilyDataFile.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/document/RegionLoads.h"

namespace vektest {

struct FakeRegion {
    bool rigid = true;
    int storey = -1;
    std::array<double, 3> centre = {0, 0, 0};
    std::vector<int> nodes;
    // The nodes are those of the storey when the masters are placed, the
    // centre theirs.
    bool wholeStorey = false;
    double area = 0;
    std::vector<std::pair<int, double>> loads;  // (load case, value per area)
    // A load handed on: the beam between nodes i and j takes load record
    // index (0-based in its family's list) in the load case.
    struct Share {
        int i, j, loadCase, index;
    };
    std::vector<Share> shares;
    struct WallShare {
        int wall, loadCase, index;
    };
    std::vector<WallShare> wallShares;
    int master = 0;
};

class FakeRegions : public CRegionDataFamily {
public:
    FakeRegions() { m_previous = RegisterRegionDataFamily(this); }
    ~FakeRegions() override { RegisterRegionDataFamily(m_previous); }
    FakeRegions(const FakeRegions&) = delete;
    FakeRegions& operator=(const FakeRegions&) = delete;

    void PrepareMasters(std::vector<CRegionMaster>& extra) override
    {
        extra.clear();
        for (int i = 0; i < theNodes.GetSize(); ++i) theNodes.GetAt(i)->m_nMaster = 0;
        for (FakeRegion& r : regions) {
            r.master = 0;
            if (r.wholeStorey) TakeStorey(r);
            if (!r.rigid || r.nodes.empty()) continue;
            for (int i = 0; i < theNodes.GetSize() && !r.master; ++i) {
                const CNode& n = *theNodes.GetAt(i);
                if (n.m_dCoord[0] == r.centre[0] && n.m_dCoord[1] == r.centre[1] && n.m_dCoord[2] == r.centre[2])
                    r.master = n.m_nID;
            }
            if (!r.master) {
                CRegionMaster m;
                for (int d = 0; d < 3; ++d) m.xyz[d] = r.centre[size_t(d)];
                m.storey = r.storey;
                extra.push_back(m);
                r.master = theNodes.GetSize() + int(extra.size());
            }
            for (int id : r.nodes)
                if (CNode* n = FindNode(id)) n->m_nMaster = r.master;
        }
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            CNode& n = *theNodes.GetAt(i);
            if (n.m_nMaster >= 1 && n.m_nMaster != n.m_nID) n.m_cRestraint |= 1 | 2 | 32;
        }
    }
    int LargestLoadCase() const override
    {
        int lc = 0;
        for (const FakeRegion& r : regions)
            for (const auto& l : r.loads) lc = std::max(lc, l.first);
        return lc;
    }
    void TransferLoads() override
    {
        for (const FakeRegion& r : regions)
            for (const FakeRegion::WallShare& s : r.wallShares)
                thePanelTransferTables.walls[size_t(s.loadCase - 1)][size_t(s.wall - 1)] = s.index + 1;
        CFrameDataFamily* frames = FrameDataFamily();
        if (!frames) return;
        CFrameDataRow row;
        for (const FakeRegion& r : regions)
            for (const FakeRegion::Share& s : r.shares)
                for (int pos = 0; pos < frames->Count(); ++pos) {
                    frames->Row(pos, row);
                    if ((row.nodes[0] == s.i && row.nodes[1] == s.j) || (row.nodes[0] == s.j && row.nodes[1] == s.i))
                        thePanelTransferTables.frames[size_t(s.loadCase - 1)][size_t(row.id - 1)] = s.index + 1;
                }
    }
    // The weight of the floor in the modal analysis' cases shared among its
    // nodes in Z (in X and Y too where it hands its loads on); a rigid floor's
    // master takes its whole mass sideways and its rotational inertia.
    void AddMasses(std::vector<std::array<double, 4>>& sums) const override
    {
        for (const FakeRegion& r : regions) {
            double w = 0;
            for (const auto& [lc, value] : r.loads)
                for (int i = 0; i < theEigenPara.massFactors.GetSize(); ++i)
                    if (theEigenPara.massFactors.GetAt(i)->loadCase == lc)
                        w += r.area * value * theEigenPara.massFactors.GetAt(i)->factor;
            w /= theProjectOptions.fGravity;
            const double share = r.nodes.empty() ? 0 : w / double(r.nodes.size());
            for (int id : r.nodes) {
                const CNode* n = FindNode(id);
                std::array<double, 4>& s = sums[size_t(id)];
                s[2] += share;
                if (!r.rigid) s[0] += share, s[1] += share;
                if (r.master && n && n->m_nMaster == r.master) {
                    const double dx = n->m_dCoord[0] - r.centre[0], dy = n->m_dCoord[1] - r.centre[1];
                    sums[size_t(r.master)][3] += (dx * dx + dy * dy) * share;
                }
            }
            if (r.master) sums[size_t(r.master)][0] = sums[size_t(r.master)][1] = w;
        }
    }

    std::vector<FakeRegion> regions;

private:
    static void TakeStorey(FakeRegion& r)
    {
        r.nodes.clear();
        r.centre = {0, 0, 0};
        for (int i = 0; i < theNodes.GetSize(); ++i) {
            const CNode& n = *theNodes.GetAt(i);
            if (n.m_nStorey != r.storey) continue;
            r.nodes.push_back(n.m_nID);
            for (int d = 0; d < 3; ++d) r.centre[size_t(d)] += n.m_dCoord[d];
        }
        for (double& c : r.centre) c /= r.nodes.empty() ? 1 : double(r.nodes.size());
    }

    CRegionDataFamily* m_previous = nullptr;
};

}  // namespace vektest
