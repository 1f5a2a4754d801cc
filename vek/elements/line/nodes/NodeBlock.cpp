#include "vek/elements/line/nodes/NodeBlock.h"

#include <algorithm>
#include <vector>

#include "korvalib/base/biostream.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeDisplacement.h"
#include "vek/elements/line/nodes/NodeIndex.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/elements/line/springs/Spring.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/storeys/LevelTable.h"

// ---- one node ---------------------------------------------------------------------

int CNode::Serialize(bofstream& out)
{
    out << uint8_t(m_nFlags & 0xFF) << m_nID << m_nMaster;
    out.Write(m_dCoord, 24);
    out << int16_t(m_nElements) << m_nStorey << int8_t(m_bOnStorey) << m_nLayer << m_nMass << m_nTower
        << int8_t(m_cRestraint) << m_dTemperature;
    m_Loads.Serialize(out);
    return out.IsGood();
}

int CNode::Serialize(bifstream& in)
{
    const int v = nPrjVersion;
    ReadFlags(in);
    in >> m_nID >> m_nMaster;
    in.Read(m_dCoord, 24);
    if (v <= 600) in.Seek(2, 1);
    int16_t elements = 0;
    in >> elements >> m_nStorey;
    m_nElements = uint16_t(elements);
    if (v > 610) {
        int8_t on = 0;
        in >> on;
        m_bOnStorey = uint8_t(on);
    }
    if (v >= 460) in >> m_nLayer;
    if (v >= 600) {
        in >> m_nMass >> m_nTower;
    } else {
        int16_t mass = 0;
        in >> mass;
        m_nMass = mass;
        in.Seek(2, 1);
        m_nTower = 1;
    }
    int8_t rest = 0;
    in >> rest;
    m_cRestraint = uint8_t(rest);
    if (v >= 460) in >> m_dTemperature;
    if (v >= 600)
        m_Loads.Serialize(in);
    else
        m_Loads.Clear();
    return in.IsGood();
}

namespace {

// The bytes one node takes in a file of version v.
int NodeRecordBytes(int v)
{
    int n = 4 + 4 + 24 + 2 + 2 + 1;  // number, master, x y z, element count, storey, restraints
    if (v >= 700) n += 1;
    if (v <= 600) n += 2;
    if (v > 610) n += 1;
    if (v >= 460) n += 2 + 8;
    n += v >= 600 ? 5 + 2 : 4;
    return n;
}

int SpringRecordBytes(int v)
{
    return (v >= 700 ? 1 : 0) + (v > 610 ? 7 : 0) + 4 + 4 + 1 + 8 + 24;
}

// The highest pool index that a node refers to.
void HighestReferences(int& load, int& mass)
{
    load = mass = 0;
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        const CNode* n = theNodes.GetAt(i);
        mass = std::max(mass, int(n->m_nMass));
        for (int k = 0; k < n->m_Loads.Entries(); ++k) load = std::max(load, int(n->m_Loads[k].nValue));
    }
}

// The first n records of a pool.
void WritePoolHead(bofstream& out, const CSixDoublesPool& pool, int n)
{
    n = std::min(n, pool.GetSize());
    out << int32_t(n);
    for (int i = 1; i <= n; ++i) pool.Get(i)->Serialize(out);
}

// Every pool index of the nodes lies in its pool; storeys and towers in range.
bool CheckNodes()
{
    for (int i = 0; i < theNodes.GetSize(); ++i) {
        CNode* n = theNodes.GetAt(i);
        if (n->m_nMass < 0 || n->m_nMass > theNodeMassPool.GetSize()) return false;
        for (int k = 0; k < n->m_Loads.Entries(); ++k) {
            const int p = n->m_Loads[k].nValue;
            if (p < 1 || p > theNodeLoadPool.GetSize()) return false;
        }
        if (n->m_nStorey < -1 || n->m_nStorey > theLevels.count) n->UpdateLevel();
        if (n->m_nTower < 1) n->m_nTower = 1;
    }
    return true;
}

int ReadNodes(bifstream& in)
{
    const int v = nPrjVersion;
    int32_t count = 0;
    in >> count;
    if (!in.IsGood()) return 0;
    if (count < 0 || !in.CheckAvailable(int64_t(count) * NodeRecordBytes(v))) {
        in.SetFailed();
        return 0;
    }
    if (count > 0 && !theNodes.SetSize(count)) return 0;
    for (int i = 0; i < count; ++i) {
        CNode node;
        node.Serialize(in);
        if (!in.IsGood() || !theNodes.Add(node)) return 0;
    }
    return 1;
}

// Files before version 600 keep node loads as a list of (node, case, pool index).
int ReadOldNodeLoads(bifstream& in)
{
    const bool wide = nPrjVersion >= 490;
    int32_t count = 0;
    in >> count;
    if (!in.IsGood()) return 0;
    if (count < 0 || !in.CheckAvailable(int64_t(count) * (wide ? 4 : 2))) {
        in.SetFailed();
        return 0;
    }
    for (int i = 0; i < count && in.IsGood(); ++i) {
        int32_t node = 0, index = 0;
        int16_t lc = 0;
        if (wide) {
            in >> node;
        } else {
            int16_t n = 0;
            in >> n;
            node = n;
        }
        if (node < 1) continue;
        in >> lc;
        if (wide) {
            in >> index;
        } else {
            int16_t k = 0;
            in >> k;
            index = k;
        }
        if (CNode* n = FindNode(node)) n->m_Loads.Insert(lc, index);
    }
    return in.IsGood();
}

int ReadSprings(bifstream& in)
{
    const int v = nPrjVersion;
    int32_t count = 0;
    in >> count;
    if (!in.IsGood()) return 0;
    if (v < 600) {
        if (count < 0 || !in.CheckAvailable(int64_t(count) * 48)) {
            in.SetFailed();
            return 0;
        }
        in.Seek(long(count) * 48, 1);
        if (count > 0) AppMessageBox("由于兼容性原因，无法读取旧版本的弹簧信息，您需要重新施加弹簧数据！");
        return in.IsGood();
    }
    if (count < 0 || !in.CheckAvailable(int64_t(count) * SpringRecordBytes(v))) {
        in.SetFailed();
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        CSpring s;
        s.Serialize(in);
        if (v <= 610) s.m_nID = i + 1;
        if (!in.IsGood() || !theSprings.Add(s)) return 0;
    }
    int32_t n = 0;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n < 0 || !in.CheckAvailable(int64_t(n) * CNodeDisplacement::kMinStreamBytes)) {
        in.SetFailed();
        return 0;
    }
    theNodeDisplacements.clear();
    theNodeDisplacements.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        CNodeDisplacement d;
        if (!d.Read(in)) return 0;
        theNodeDisplacements.push_back(d);
    }
    return theCurrentDisplacement.Read(in);
}

}  // namespace

int WriteNodeBlock(bofstream& out)
{
    ModelHooks().ShowPrompt("正存入节点信息...");
    out << int32_t(theNodes.GetSize());
    for (int i = 0; i < theNodes.GetSize() && out.IsGood(); ++i) theNodes.GetAt(i)->Serialize(out);
    // Records no node refers to any more at the pools' ends are left out.
    int loads = 0, masses = 0;
    HighestReferences(loads, masses);
    WritePoolHead(out, theNodeLoadPool, loads);
    WritePoolHead(out, theNodeMassPool, masses);
    out << int32_t(theSprings.GetSize());
    for (int i = 0; i < theSprings.GetSize() && out.IsGood(); ++i) theSprings.GetAt(i)->Serialize(out);
    out << int32_t(theNodeDisplacements.size());
    for (const CNodeDisplacement& d : theNodeDisplacements) d.Write(out);
    theCurrentDisplacement.Write(out);
    return out.IsGood();
}

int ReadNodeBlock(bifstream& in)
{
    const int v = nPrjVersion;
    ModelHooks().ShowPrompt("正读入节点信息...");
    RemoveAllNodes();
    theNodeLoadPool.Clear();
    theNodeMassPool.Clear();
    theSprings.RemoveAll();
    theNodeDisplacements.clear();
    theCurrentDisplacement = CNodeDisplacement();
    int ok = ReadNodes(in) && theNodeLoadPool.Read(in);
    if (ok && v < 600) ok = ReadOldNodeLoads(in);
    ok = ok && theNodeMassPool.Read(in) && ReadSprings(in) && CheckNodes();
    theNodeIndex.Invalidate();
    if (!ok && in.IsGood()) in.SetFailed();
    return ok && in.IsGood() ? 1 : 0;
}
