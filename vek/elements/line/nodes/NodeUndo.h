#pragma once
// The undo records of nodes: a node added or removed, and one record per
// node attribute (coordinates, loads, temperature, restraints, mass, tower).
#include <array>
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "vek/edit/UndoRecords.h"
#include "vek/elements/line/nodes/Node.h"

// Display options shown while a node attribute is redrawn.
constexpr int kShowNodes = 2;
constexpr int kShowRestraints = 7;  // restraints, masses, prescribed displacements
constexpr int kShowSprings = 8;
constexpr int kShowTowers = 5;
constexpr int kShowLoads = 26;  // loads and temperatures

struct CNodeAddTraits {
    using Object = CNode;
    static int Id(const CNode& n) { return n.m_nID; }
    static CNode* Find(int id) { return FindNode(id); }
    static bool CanInsert(const CNode&) { return true; }
    static bool Insert(const CNode& n);
    // Not while elements, springs or prescribed displacements use it.
    static bool CanRemove(const CNode& n);
    static void Remove(int id);
};
using CUndoAddNode = CUndoAddRemove<CNodeAddTraits>;

// A node taken out of the store as the removal records and the free-node
// removal do it: erased, out of the store and the index; the purge of the
// references to it follows once per undo group.
void RemoveNodeDeferred(int id);
// Runs the purge of the nodes removed so far (the removal commands call it
// when they are done).
void PurgeRemovedNodes();
// Whether a spring or a prescribed displacement names the node.
bool NodeHasSpringsOrDisplacements(int id);

template <class V, V CNode::*Field, int Option>
struct CNodeFieldTraits {
    using Object = CNode;
    using Value = V;
    static CNode* Find(int id) { return FindNode(id); }
    static V Get(const CNode& n) { return n.*Field; }
    static void Set(CNode& n, const V& v) { n.*Field = v; }
    static void Draw(CNode& n) { n.Draw(); }
    static constexpr int kShowOption = Option;
    static constexpr int kRebuild = 0;
};

using CUndoNodeLoad = CUndoSwap<CNodeFieldTraits<DElementLoad, &CNode::m_Loads, kShowLoads>>;
using CUndoNodeTemperature = CUndoSwap<CNodeFieldTraits<double, &CNode::m_dTemperature, kShowLoads>>;
using CUndoNodeRest = CUndoSwap<CNodeFieldTraits<uint8_t, &CNode::m_cRestraint, kShowRestraints>>;
using CUndoNodeMass = CUndoSwap<CNodeFieldTraits<int32_t, &CNode::m_nMass, kShowRestraints>>;
using CUndoNodeTower = CUndoSwap<CNodeFieldTraits<uint8_t, &CNode::m_nTower, kShowTowers>>;

// The coordinates: the node keeps its storey (and its place in the storey
// lists) in step; the whole picture is rebuilt, since elements move along.
struct CNodeCoordTraits {
    using Object = CNode;
    using Value = std::array<double, 3>;
    static CNode* Find(int id) { return FindNode(id); }
    static Value Get(const CNode& n) { return {n.m_dCoord[0], n.m_dCoord[1], n.m_dCoord[2]}; }
    static void Set(CNode& n, const Value& v);
    static void Draw(CNode& n) { n.Draw(); }
    static constexpr int kShowOption = -1;
    static constexpr int kRebuild = 1;
};
using CUndoNodeCoord = CUndoSwap<CNodeCoordTraits>;
