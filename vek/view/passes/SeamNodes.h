#pragma once
// A stand-in node family for the drawing pass until the program's own node
// family takes the nodes' place in the family table: a plain store of
// numbered points, drawn as node markers with their numbers.
#include <cstddef>
#include <vector>

#include "vek/model/ModelFamily.h"
#include "vek/model/ObjectBase.h"

class CSeamNodes : public CModelFamily {
public:
    struct Node : CObjectBase {
        int id = 0;
        double p[3] = {0, 0, 0};
        int GetDisplayState() override { return 1; }
    };

    // Adds a node shown and live; returns its position.
    int Add(int id, double x, double y, double z);
    void Clear() { m_nodes.clear(); }
    Node& At(int pos) { return m_nodes[static_cast<size_t>(pos)]; }

    int GetCount() const override { return static_cast<int>(m_nodes.size()); }
    int GetLastID() const override;
    CObjectBase* GetAt(int pos) override;
    int GetID(int pos) const override;
    int IndexOfID(int id) const override;
    bool GetCoordinates(int id, double out[3]) const override;

private:
    std::vector<Node> m_nodes;
};

// Puts the stand-in into the family table (null takes it out again) and
// binds its drawing to the pass's node step.
void InstallSeamNodes(CSeamNodes* nodes);
// The marker and number of one node, as the node step draws them.
void DrawSeamNode(CModelFamily& family, int pos);
