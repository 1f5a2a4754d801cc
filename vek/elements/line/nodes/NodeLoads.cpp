#include "vek/elements/line/nodes/NodeLoads.h"

#include <cmath>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeLibrary.h"
#include "vek/elements/line/nodes/WindElementPar.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"

CNodeLoadHooks theNodeLoadHooks;
CKvdNodeHooks theKvdNodeHooks;

namespace {
constexpr double kDegree = 180.0 / 3.14159265358979323846;
}  // namespace

void WriteNodeLoadLine(const CSixDoubles& values, DKorvaDataFile& file, int node)
{
    const CNode* n = node >= 1 && node <= theNodes.GetLastID() ? FindNode(node) : nullptr;
    for (int i = 0; i < 6; ++i) file << (n && n->IsRestrained(i) ? 0.0 : values[i]);
}

void SumLoadsPerCase(const DElementLoad& loads, MArrayID<DNodeLoad>& store, double* out, int caseCount)
{
    for (int k = 0; k < loads.Entries(); ++k) {
        const int c = loads[k].nKey, n = loads[k].nValue;
        if (c < 1 || c > caseCount || !store.IsValidID(n)) continue;
        const DNodeLoad* r = store.GetByID(n);
        for (int i = 0; i < 6; ++i) out[(c - 1) * 6 + i] += r->m_fForce[i];
    }
}

DElementLoad* CLoadWork::TableOf(int number)
{
    if (number > nodes) {
        const int k = number - nodes - 1;
        return k < masters ? &tables[size_t(nodes + k)] : nullptr;
    }
    if (number < 1 || size_t(number) >= positionOf.size() || positionOf[size_t(number)] < 0) return nullptr;
    return &tables[size_t(positionOf[size_t(number)])];
}

const double* CLoadWork::PositionXY(int number) const
{
    if (number > nodes) {
        const int k = number - nodes - 1;
        return k < masters ? masterAt[size_t(k)].data() : nullptr;
    }
    const CNode* n = FindNode(number);
    return n ? n->m_dCoord : nullptr;
}

int CLoadWork::Append(const CSixDoubles& v)
{
    pool.push_back(v);
    return int(pool.size());
}

void MakeLoadWork(CLoadWork& work, int masterCount)
{
    const int n = theNodes.GetSize();
    work.nodes = n;
    work.masters = masterCount > 0 ? masterCount : 0;
    work.tables.assign(size_t(n + work.masters), DElementLoad());
    work.positionOf.assign(size_t(theNodes.GetLastID()) + 1, -1);
    for (int i = 0; i < n; ++i) {
        const CNode* node = theNodes.GetAt(i);
        work.tables[size_t(i)] = node->m_Loads;
        work.positionOf[size_t(node->m_nID)] = i;
    }
    work.pool.clear();
    for (int i = 1; i <= theNodeLoadPool.GetSize(); ++i) work.pool.push_back(*theNodeLoadPool.Get(i));
    work.masterAt.assign(size_t(work.masters), {0, 0, 0});
    for (int k = 0; k < work.masters; ++k) {
        double p[3] = {0, 0, 0};
        if (theNodeLoadHooks.masterPosition && theNodeLoadHooks.masterPosition(n + k + 1, p))
            work.masterAt[size_t(k)] = {p[0], p[1], p[2]};
    }
}

void DistributeMemberWindLoad(const CLoadWork& work, int direction, int nodeI, int nodeJ, double height,
                              double coefficient, std::vector<double>& forces)
{
    const CNode* a = FindNode(nodeI);
    const CNode* b = FindNode(nodeJ);
    if (!a || !b || a->m_nStorey != b->m_nStorey || !theNodeLoadHooks.windPressure) return;
    const double* pa = a->m_dCoord;
    const double* pb = b->m_dCoord;
    const double normal = GFunc::GlobalLineAngle(pa[1], pb[0], pb[1], pa[0]) * kDegree;
    const double wind = theNodeLoadHooks.windAngle ? theNodeLoadHooks.windAngle(direction) : 0.0;
    double d = std::fmod(wind - normal, 360.0);
    if (d < 0) d += 360.0;
    if (d > 180.0) d = 360.0 - d;
    double angle = normal;
    if (d >= 89.5 && d <= 90.5)
        angle = wind + 90.0;
    else if (d > 90.5)
        angle = normal - 180.0;
    const double h = std::fabs(height);
    double mid[3];
    for (int i = 0; i < 3; ++i) mid[i] = (pa[i] + pb[i]) / 2;
    mid[2] -= h / 2;
    const double p = theNodeLoadHooks.windPressure(direction, mid, coefficient);
    const double f = p * GFunc::GetDistance(pa, pb) * h * 0.5;
    const double fx = f * std::cos(angle / kDegree), fy = f * std::sin(angle / kDegree);
    for (int id : {nodeI, nodeJ}) {
        const int at = work.positionOf[size_t(id)];
        forces[size_t(at) * 3] += fx;
        forces[size_t(at) * 3 + 1] += fy;
    }
}

namespace {

// The wind forces of one direction into the load case of that direction.
void AddWindToCase(CLoadWork& work, const std::vector<double>& forces, int16_t lc)
{
    const int total = work.nodes + work.masters;
    for (int i = 0; i < total; ++i) {
        CSixDoubles f;
        f[0] = forces[size_t(i) * 3];
        f[1] = forces[size_t(i) * 3 + 1];
        f[2] = forces[size_t(i) * 3 + 2];
        if (f.IsZero()) continue;
        DElementLoad& t = work.tables[size_t(i)];
        const int at = t.Index(lc);
        if (at >= 0 && t[at].nValue >= 1 && size_t(t[at].nValue) <= work.pool.size())
            f.Add(work.pool[size_t(t[at].nValue - 1)]);
        t.Insert(lc, work.Append(f));
    }
}

// The slaves' in-plane loads carried to their masters, each slave's own
// record masked by its restraints.
void TransferToMasters(CLoadWork& work)
{
    for (int i = 0; i < work.nodes; ++i) {
        const CNode* node = theNodes.GetAt(i);
        const int m = node->m_nMaster;
        if (m < 1 || m == node->m_nID) continue;
        DElementLoad& own = work.tables[size_t(i)];
        const DElementLoad entries = own;
        for (int k = 0; k < entries.Entries(); ++k) {
            const int16_t c = entries[k].nKey;
            const int p = entries[k].nValue;
            if (c < 1 || p < 1 || size_t(p) > work.pool.size()) continue;
            const CSixDoubles r = work.pool[size_t(p - 1)];
            CSixDoubles t;
            t[0] = r[0];
            t[1] = r[1];
            t[5] = r[5];
            DElementLoad* masterTable = work.TableOf(m);
            const double* xm = work.PositionXY(m);
            if (!t.IsZero() && masterTable && xm) {
                CSixDoubles sum;
                const int at = masterTable->Index(c);
                if (at >= 0 && size_t(masterTable->operator[](at).nValue) <= work.pool.size())
                    sum = work.pool[size_t(masterTable->operator[](at).nValue - 1)];
                sum.Add(t);
                const double* xn = node->m_dCoord;
                sum[5] += (xm[1] - xn[1]) * t[0] + (xn[0] - xm[0]) * t[1];
                masterTable->Insert(c, sum.IsZero() ? 0 : work.Append(sum));
            }
            CSixDoubles masked = r;
            for (int d = 0; d < 6; ++d)
                if (node->IsRestrained(d)) masked[d] = 0;
            if (!masked.IsEqual(r)) own.Insert(c, masked.IsZero() ? 0 : work.Append(masked));
        }
    }
}

}  // namespace

void FormWindLoads(CLoadWork& work)
{
    const int total = work.nodes + work.masters;
    const bool on[2] = {theProjectOptions.bWindSwitchA != 0, theProjectOptions.bWindSwitchB != 0};
    if ((on[0] || on[1]) && theNodeLoadHooks.windMembers) {
        std::vector<double> forces[2] = {std::vector<double>(size_t(total) * 3, 0.0),
                                         std::vector<double>(size_t(total) * 3, 0.0)};
        std::vector<CWindMember> members;
        theNodeLoadHooks.windMembers(members);
        for (const CWindMember& m : members) {
            for (int d = 0; d < 2; ++d) {
                const int index = m.index[d];
                if (!on[d] || index < 1 || size_t(index) > theWindElementPars.size()) continue;
                double h = 0, c = 0;
                if (theWindElementPars[size_t(index - 1)].GetFaceSpan(m.storey, h, c))
                    DistributeMemberWindLoad(work, d + 1, m.nodeI, m.nodeJ, h, c, forces[d]);
            }
        }
        if (on[0]) AddWindToCase(work, forces[0], 3);
        if (on[1]) AddWindToCase(work, forces[1], 4);
    }
    TransferToMasters(work);
}

void WriteLoadsBlock(DKorvaDataFile& file, CKvdDataSet* dataSet, const int* nodeValues, int masterCount)
{
    ModelHooks().ShowPrompt("正在形成风载和节点荷载...");
    CLoadWork work;
    MakeLoadWork(work, masterCount);
    FormWindLoads(work);
    bool any = false;
    for (const DElementLoad& t : work.tables) any = any || t.Entries() > 0;
    if (any) {
        file << "\nLOADS\n";
        const int total = work.nodes + work.masters;
        for (int i = 0; i < total; ++i) {
            const CNode* node = i < work.nodes ? theNodes.GetAt(i) : nullptr;
            const int number = node ? node->m_nID : i + 1;
            const DElementLoad& t = work.tables[size_t(i)];
            for (int k = 0; k < t.Entries(); ++k) {
                const int p = t[k].nValue;
                if (p < 1 || size_t(p) > work.pool.size()) continue;
                CSixDoubles v = work.pool[size_t(p - 1)];
                if (node)
                    for (int d = 0; d < 6; ++d)
                        if (node->IsRestrained(d)) v[d] = 0;
                if (v.IsZero()) continue;
                file << number << "L=" << int(t[k].nKey) << "F=";
                for (int d = 0; d < 6; ++d) file << v[d];
                file << wrap;
            }
        }
    }
    if (dataSet) {
        if (theKvdNodeHooks.addNodeLoad)
            for (size_t i = 0; i < work.pool.size(); ++i) {
                DNodeLoad l;
                l.m_nID = int32_t(i + 1);
                for (int d = 0; d < 6; ++d) l.m_fForce[d] = float(work.pool[i][d]);
                theKvdNodeHooks.addNodeLoad(*dataSet, l);
            }
        if (theKvdNodeHooks.addNode)
            for (int i = 0; i < work.nodes; ++i) {
                const CNode* n = theNodes.GetAt(i);
                DNodeBase b;
                b.m_nID = n->m_nID;
                b.m_sAttr1 = int16_t(n->m_nStorey + 2);
                b.m_sAttr2 = int16_t(n->m_nLayer + 1);
                for (int d = 0; d < 3; ++d) b.m_dCoord[d] = n->m_dCoord[d];
                b.m_cFlag1 = char(n->m_nElements & 0xFF);
                b.m_cRestraint = char(n->m_cRestraint);
                b.m_nAttr1 = n->m_nMaster > 0 ? 1 : 0;
                b.m_nAttr2 = nodeValues ? nodeValues[i] : 0;
                b.m_fAttr = float(n->m_dTemperature);
                b.m_cFlag3 = char(n->m_nTower);
                b.m_Loads = work.tables[size_t(i)];
                theKvdNodeHooks.addNode(*dataSet, b);
            }
    }
}
