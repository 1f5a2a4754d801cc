#pragma once
// For every storey, the numbers of the frames, nodes, walls and shells that
// lie in it, so that per-storey work does not walk the whole model. The lists
// exist only while the model has storeys (one per storey 0..n).
#include <memory>

#include "containers/MLArray.h"

class bofstream;
class bifstream;

struct StoreyElementLists {
    StoreyElementLists() : frames(20), nodes(20), walls(20), shells(20) {}
    MLArray<int> frames;
    MLArray<int> nodes;
    MLArray<int> walls;
    MLArray<int> shells;
};

class CStoreyLists {
public:
    // Number of storey records (storey count + 1), 0 when there are none.
    int GetSize() const { return m_size; }
    StoreyElementLists* Get(int storey) { return storey >= 0 && storey < m_size ? &m_lists[storey] : nullptr; }
    void Clear()
    {
        m_lists.reset();
        m_size = 0;
    }
    // Fresh empty records for storeys 0..storeys; those of storeys 0..keep
    // that exist take over their old lists. False (lists unchanged) when
    // memory is short.
    bool Recreate(int storeys, int keep = -1);

private:
    std::unique_ptr<StoreyElementLists[]> m_lists;
    int m_size = 0;
};

extern CStoreyLists theStoreyLists;

// Each returns the storey the number went to, or -1 when the storey lies
// outside 0..n (nothing done).
int AddFrameToLevel(int id, int storey);
int AddWallToLevel(int id, int storey);
int AddShellToLevel(int id, int storey);
// The node's storey is looked up in the node store.
int AddNodeToLevel(int id);
// Removes the first occurrence of the number from its storey's list.
void RemoveFrameFromLevel(int id, int storey);
void RemoveWallFromLevel(int id, int storey);
void RemoveShellFromLevel(int id, int storey);
void RemoveNodeFromLevel(int id, int storey);

// The project-file block (written only with storeys). The storey count must
// have been read before. A damaged block leaves the lists as they were.
bool WriteStoreyLists(bofstream& out);
bool ReadStoreyLists(bifstream& in);

// Drops numbers of objects that no longer exist and moves every node,
// frame, wall and shell to the storey its nodes give it.
void RebuildStoreyLists();
