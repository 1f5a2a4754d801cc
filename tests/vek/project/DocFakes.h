#pragma once
// Element families for the tests of the document's model operations: the
// fake family of the model tests with what these operations ask of a family
// (emptying, renumbering, materials, layers, use counts, checks, loads and
// the elements of a model built from result files), all recorded.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/vek/model/ModelTestSupport.h"

namespace vektest {

struct DocExtra {
    int material = 0;
    int layer = 0;
    int restraints = 0;
    int useCount = 0;
    int kind = 0;
    bool opening = false;
    std::vector<float> thickness;
    CResultElement result;
};

class DocFamily : public FakeFamily {
public:
    explicit DocFamily(EFamily kind) : FakeFamily(kind) {}

    DocExtra& Extra(int id) { return extra[id]; }

    void Clear() override
    {
        ++cleared;
        items.clear();
        extra.clear();
    }
    bool ChangeID(int from, int to) override
    {
        if (IndexOfID(to) >= 0 || IndexOfID(from) < 0) return false;
        FakeItem item = items[size_t(IndexOfID(from))];
        items.erase(items.begin() + IndexOfID(from));
        item.id = to;
        FakeItem& moved = Add(to);
        moved = item;
        if (extra.count(from)) {
            extra[to] = extra[from];
            extra.erase(from);
        }
        changes.push_back({from, to});
        return true;
    }
    void RemapReferences(const int* map, int n) override
    {
        remaps.push_back(std::vector<int>(map, map + n));
        if (onRemap) onRemap(map, n);
    }
    void SetNode(int pos, int k, int node) override { items[size_t(pos)].nodes[size_t(k)] = node; }
    bool HasMaterials() const override { return true; }
    int GetMaterial(int pos) const override { return ExtraAt(pos).material; }
    void SetMaterial(int pos, int m) override { extra[GetID(pos)].material = m; }
    int GetLayer(int pos) const override { return ExtraAt(pos).layer; }
    void SetLayer(int pos, int layer) override { extra[GetID(pos)].layer = layer; }
    void SetUseCount(int pos, int count) override { extra[GetID(pos)].useCount = count; }
    int GetUseCount(int pos) const override { return ExtraAt(pos).useCount; }
    int GetRestraints(int pos) const override { return ExtraAt(pos).restraints; }
    unsigned GroundedTranslations() const override { return grounded; }
    bool HasPiles() const override { return piles; }
    bool HasOpenings() const override
    {
        for (const auto& [id, e] : extra)
            if (e.opening) return true;
        return false;
    }
    int RunCheck(ECheck step) override
    {
        checks.push_back(step);
        auto failing = failingChecks.find(step);
        return failing == failingChecks.end() ? 1 : 0;
    }
    void ChangeLoads(int pos) override { loadChanges.push_back(GetID(pos)); }
    void SetThickness(int pos, const float* t, int n) override { extra[GetID(pos)].thickness.assign(t, t + n); }
    bool AddFromResults(const CResultElement& e) override
    {
        if (full) return false;
        std::vector<int> nodes(e.nodes, e.nodes + e.nodeCount);
        Element(e.id, nodes);
        extra[e.id].result = e;
        extra[e.id].kind = e.kind;
        return true;
    }
    bool AddResultNode(int id, const double xyz[3], int restraints, int useCount) override
    {
        if (full) return false;
        Node(id, xyz[0], xyz[1], xyz[2]);
        extra[id].restraints = restraints;
        extra[id].useCount = useCount;
        return true;
    }

    std::map<int, DocExtra> extra;
    std::vector<std::pair<int, int>> changes;
    std::vector<std::vector<int>> remaps;
    std::function<void(const int*, int)> onRemap;
    std::vector<ECheck> checks;
    std::map<ECheck, int> failingChecks;
    std::vector<int> loadChanges;
    unsigned grounded = 0;
    bool piles = false;
    bool full = false;
    int cleared = 0;

private:
    DocExtra ExtraAt(int pos) const
    {
        auto it = extra.find(GetID(pos));
        return it == extra.end() ? DocExtra() : it->second;
    }
};

}  // namespace vektest
