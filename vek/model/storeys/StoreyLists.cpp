#include "vek/model/storeys/StoreyLists.h"

#include <algorithm>
#include <new>

#include "korvalib/base/biostream.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/storeys/LevelTable.h"

CStoreyLists theStoreyLists;

namespace {

enum EList { kFrames, kNodes, kWalls, kShells };

MLArray<int>* ListOf(int storey, EList which)
{
    StoreyElementLists* s = theStoreyLists.Get(storey);
    if (!s || storey > theLevels.count) return nullptr;
    switch (which) {
        case kFrames: return &s->frames;
        case kNodes: return &s->nodes;
        case kWalls: return &s->walls;
        case kShells: return &s->shells;
    }
    return nullptr;
}

int AddTo(int id, int storey, EList which)
{
    MLArray<int>* list = ListOf(storey, which);
    if (!list) return -1;
    return list->Add(id) ? storey : -1;
}

void RemoveFrom(int id, int storey, EList which)
{
    MLArray<int>* list = ListOf(storey, which);
    int at = 0;
    if (list && list->GetSize() > 0 && list->Find(id, 0, at)) list->RemoveAtIndex(at);
}

// Copies the lists of the old record into the new one.
bool CopyLists(StoreyElementLists& to, StoreyElementLists& from)
{
    MLArray<int>* src[4] = {&from.frames, &from.nodes, &from.walls, &from.shells};
    MLArray<int>* dst[4] = {&to.frames, &to.nodes, &to.walls, &to.shells};
    for (int k = 0; k < 4; ++k) {
        dst[k]->Copy(*src[k]);
        if (dst[k]->GetSize() != src[k]->GetSize()) return false;
    }
    return true;
}

int NodeStorey(int id)
{
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    const int pos = nodes.IndexOfID(id);
    return pos < 0 ? -1 : nodes.GetStorey(pos);
}

}  // namespace

bool CStoreyLists::Recreate(int storeys, int keep)
{
    const int size = storeys + 1;
    std::unique_ptr<StoreyElementLists[]> fresh(new (std::nothrow) StoreyElementLists[size]);
    if (!fresh) return false;
    for (int s = 0; s <= keep && s < size && s < m_size; ++s)
        if (!CopyLists(fresh[s], m_lists[s])) return false;
    m_lists = std::move(fresh);
    m_size = size;
    return true;
}

int AddFrameToLevel(int id, int storey)
{
    return AddTo(id, storey, kFrames);
}
int AddWallToLevel(int id, int storey)
{
    return AddTo(id, storey, kWalls);
}
int AddShellToLevel(int id, int storey)
{
    return AddTo(id, storey, kShells);
}

int AddNodeToLevel(int id)
{
    const int storey = NodeStorey(id);
    MLArray<int>* list = ListOf(storey, kNodes);
    if (!list) return -1;
    if (!list->Add(id)) {
        AppMessageBox("层内节点数太多!");
        return -1;
    }
    return storey;
}

void RemoveFrameFromLevel(int id, int storey)
{
    RemoveFrom(id, storey, kFrames);
}
void RemoveWallFromLevel(int id, int storey)
{
    RemoveFrom(id, storey, kWalls);
}
void RemoveShellFromLevel(int id, int storey)
{
    RemoveFrom(id, storey, kShells);
}
void RemoveNodeFromLevel(int id, int storey)
{
    RemoveFrom(id, storey, kNodes);
}

bool WriteStoreyLists(bofstream& out)
{
    const int n = theLevels.count;
    if (n < 1 || theStoreyLists.GetSize() < n + 1) return out.IsGood() != 0;
    ModelHooks().ShowPrompt("正在存入层的信息...");
    for (int s = 0; s <= n; ++s) {
        StoreyElementLists& l = *theStoreyLists.Get(s);
        const MLArray<int>* order[4] = {&l.frames, &l.walls, &l.nodes, &l.shells};
        for (const MLArray<int>* list : order) out << int32_t(list->GetSize());
        for (const MLArray<int>* list : order)
            for (int i = 0; i < list->GetSize(); ++i) out << *const_cast<MLArray<int>*>(list)->GetAt(i);
    }
    return out.IsGood() != 0;
}

namespace {

// Reads count numbers of the file's width into the list.
bool ReadIds(bifstream& in, MLArray<int>& list, int count, bool wide)
{
    if (count > 5 && list.GetCapacity() < list.GetSize() + count && !list.SetSize(list.GetSize() + count)) return false;
    for (int i = 0; i < count; ++i) {
        int32_t id = 0;
        if (wide) {
            in >> id;
        } else {
            int16_t s = 0;
            in >> s;
            id = s;
        }
        if (!in.IsGood() || !list.Add(id)) return false;
    }
    return true;
}

}  // namespace

bool ReadStoreyLists(bifstream& in)
{
    const int n = theLevels.count;
    if (n < 1) {
        theStoreyLists.Clear();
        return true;
    }
    ModelHooks().ShowPrompt("正装入层信息...");
    CStoreyLists read;
    if (!read.Recreate(n)) {
        AppMessageBox("内存不够, 无法继续!");
        return false;
    }
    const bool wide = nPrjVersion >= 490;
    const int counted = nPrjVersion >= 520 ? 4 : 5;
    const int idBytes = wide ? 4 : 2;
    for (int s = 0; s <= n; ++s) {
        int32_t c[5] = {};
        for (int k = 0; k < counted; ++k) {
            if (wide) {
                in >> c[k];
            } else {
                int16_t v = 0;
                in >> v;
                c[k] = v;
            }
        }
        if (!in.IsGood()) return false;
        int64_t total = 0;
        for (int k = 0; k < counted; ++k) {
            if (c[k] < 0) {
                in.SetFailed();
                return false;
            }
            total += c[k];
        }
        if (!in.CheckAvailable(total * idBytes)) return false;
        StoreyElementLists& l = *read.Get(s);
        // Files with two frame lists: frames, further frames, walls, nodes, shells.
        const bool ok = counted == 4 ? ReadIds(in, l.frames, c[0], wide) && ReadIds(in, l.walls, c[1], wide) &&
                                           ReadIds(in, l.nodes, c[2], wide) && ReadIds(in, l.shells, c[3], wide)
                                     : ReadIds(in, l.frames, c[0], wide) && ReadIds(in, l.frames, c[1], wide) &&
                                           ReadIds(in, l.walls, c[2], wide) && ReadIds(in, l.nodes, c[3], wide) &&
                                           ReadIds(in, l.shells, c[4], wide);
        if (!ok) {
            if (in.IsGood()) AppMessageBox("内存不够, 无法继续!");
            in.SetFailed();
            return false;
        }
    }
    theStoreyLists = std::move(read);
    return true;
}

namespace {

// Drops the numbers that name no object of the family, last to first.
void DropMissing(MLArray<int>& list, EFamily f)
{
    const CModelFamily& fam = ModelFamily(f);
    for (int i = list.GetSize() - 1; i >= 0; --i)
        if (!fam.IsValidID(*list.GetAt(i))) list.RemoveAtIndex(i);
}

// Moves an element to the storey its nodes give it.
void MoveElement(EFamily f, int pos, int storey, void (*remove)(int, int), int (*add)(int, int))
{
    CModelFamily& fam = ModelFamily(f);
    const int old = fam.GetStorey(pos);
    if (storey == old) return;
    const int id = fam.GetID(pos);
    remove(id, old);
    fam.SetStorey(pos, storey);
    add(id, storey);
}

int HighestNodeStorey(const int* nodes, int n)
{
    int storey = -1;
    for (int k = 0; k < n; ++k)
        if (nodes[k] > 0) storey = std::max(storey, NodeStorey(nodes[k]));
    return storey;
}

}  // namespace

void RebuildStoreyLists()
{
    const int n = theLevels.count;
    if (n >= 1) {
        for (int s = 0; s <= n && s < theStoreyLists.GetSize(); ++s) {
            StoreyElementLists& l = *theStoreyLists.Get(s);
            DropMissing(l.nodes, EFamily::Nodes);
            DropMissing(l.frames, EFamily::Frames);
            DropMissing(l.shells, EFamily::Shells);
            DropMissing(l.walls, EFamily::Walls);
        }
    }
    CModelFamily& nodes = ModelFamily(EFamily::Nodes);
    for (int pos : Positions(nodes)) {
        const int old = nodes.GetStorey(pos);
        const int now = nodes.RecomputeStorey(pos);
        if (now != old && n > 0) {
            RemoveNodeFromLevel(nodes.GetID(pos), old);
            AddNodeToLevel(nodes.GetID(pos));
        }
    }
    int ends[4];
    CModelFamily& frames = ModelFamily(EFamily::Frames);
    for (int pos : Positions(frames)) {
        const int k = std::min(frames.GetNodes(pos, ends, 2), 2);
        MoveElement(EFamily::Frames, pos, HighestNodeStorey(ends, k), RemoveFrameFromLevel, AddFrameToLevel);
    }
    CModelFamily& walls = ModelFamily(EFamily::Walls);
    for (int pos : Positions(walls)) {
        const int storey = walls.GetNodes(pos, ends, 1) >= 1 ? NodeStorey(ends[0]) : -1;
        MoveElement(EFamily::Walls, pos, storey, RemoveWallFromLevel, AddWallToLevel);
    }
    CModelFamily& shells = ModelFamily(EFamily::Shells);
    for (int pos : Positions(shells)) {
        const int k = std::min(shells.GetNodes(pos, ends, 4), 4);
        MoveElement(EFamily::Shells, pos, HighestNodeStorey(ends, k), RemoveShellFromLevel, AddShellToLevel);
    }
    for (EFamily f : {EFamily::Solids, EFamily::StiffRegions}) {
        CModelFamily& fam = ModelFamily(f);
        for (int pos : Positions(fam)) fam.RecomputeStorey(pos);
    }
}
