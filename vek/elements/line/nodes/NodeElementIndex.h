#pragma once
// For every node number, the elements that use it, taken from the element
// families of the model's family table.
#include <cstdint>
#include <vector>

class CNodeElementIndex {
public:
    struct ElementID {
        uint8_t kind;  // 1 frames, 5 shells, 6 walls, 7 solids, 8 planes, 11 trusses, 12 curved beams, 13 pipes
        int32_t id;
    };

    // Fills the index from every element family.
    void Build();
    bool IsBuilt() const { return m_built; }
    // One element more, the index built first when it is not.
    void AddFrame(int frame);
    void AddShell(int shell);

    const std::vector<ElementID>& ElementsAt(int node) const;
    // The frame or wall at node i that also uses node j (a wall: in its third
    // or fourth slot); kind 0 when none.
    ElementID FindElementOnEdge(int i, int j) const;
    // 1 and the first element at node a that also uses node b.
    int FindSharedElement(int a, int b, ElementID& found) const;
    // Every other node of every element at node n.
    void GetNeighbourNodes(int n, std::vector<int>& list) const;
    // Empties the lists of the nodes connected to n, depth first; the nodes
    // visited go to visited when given.
    void RemoveConnectedPart(int n, std::vector<int>* visited = nullptr);

    // The node numbers of an element of a kind; how many.
    static int NodesOf(int kind, int id, int out[21]);
    // The word of a kind in messages.
    static const char* KindWord(int kind);

private:
    void Add(int kind, int id);
    std::vector<std::vector<ElementID>> m_lists;  // by node number
    bool m_built = false;
};
