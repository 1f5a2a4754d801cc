#pragma once
// Shared by the tests of the model's records: blocks written to and read
// from scratch files, the project version in force, element families and
// hooks that record what they are asked.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "korvalib/base/biostream.h"
#include "tests/support/TestFiles.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ObjectBase.h"
#include "vek/model/ProjectGlobals.h"

namespace vektest {

// The bytes a block writer puts into a file.
template <class F>
Bytes WriteBlock(F&& write)
{
    TempFile file("block", ".bin");
    {
        bofstream out;
        if (!out.Open(file.c_str())) return {};
        write(out);
        if (!out.Close()) return {};
    }
    return file.ReadAll();
}

// Runs a block reader over the bytes; returns what it returned. When rest is
// given it receives the bytes the reader left.
template <class F>
bool ReadBlock(const Bytes& bytes, F&& read, long* rest = nullptr)
{
    TempFile file("block", ".bin");
    file.WriteAll(bytes);
    bifstream in;
    if (!in.Open(file.c_str())) return false;
    const bool ok = read(in);
    if (rest) *rest = long(bytes.size()) - in.TellPos();
    return ok;
}

// The project version in force for one test.
class ProjectVersion {
public:
    explicit ProjectVersion(int v) : m_saved(nPrjVersion) { nPrjVersion = int16_t(v); }
    ~ProjectVersion() { nPrjVersion = m_saved; }

private:
    int16_t m_saved;
};

struct FakeObject : CObjectBase {
    int state = 1;
    int GetDisplayState() override { return state; }
};

// One object of a fake family.
struct FakeItem {
    int id = 0;
    int storey = -1;
    int stage = 0;
    std::vector<int> nodes;
    double xyz[3] = {0, 0, 0};
    bool horizontal = false;
    FakeObject obj;
    std::vector<FakeObject> inner;
};

// A family held in a vector kept in number order; it records its scalings,
// reservations and redraws. Nodes work their storey out from their height.
class FakeFamily : public CModelFamily {
public:
    explicit FakeFamily(EFamily kind, bool withStages = false) : m_kind(kind), m_stages(withStages)
    {
        m_previous = RegisterModelFamily(kind, this);
    }
    ~FakeFamily() override { RegisterModelFamily(m_kind, m_previous); }
    FakeFamily(const FakeFamily&) = delete;
    FakeFamily& operator=(const FakeFamily&) = delete;

    FakeItem& Add(int id)
    {
        FakeItem item;
        item.id = id;
        auto at = std::lower_bound(items.begin(), items.end(), id, [](const FakeItem& a, int b) { return a.id < b; });
        return *items.insert(at, item);
    }
    FakeItem& Node(int id, double x, double y, double z, int storey = -1)
    {
        FakeItem& n = Add(id);
        n.xyz[0] = x;
        n.xyz[1] = y;
        n.xyz[2] = z;
        n.storey = storey;
        return n;
    }
    FakeItem& Element(int id, std::vector<int> nodes, int storey = -1)
    {
        FakeItem& e = Add(id);
        e.nodes = std::move(nodes);
        e.storey = storey;
        return e;
    }
    FakeItem* ByID(int id)
    {
        const int pos = IndexOfID(id);
        return pos < 0 ? nullptr : &items[size_t(pos)];
    }

    int GetCount() const override { return int(items.size()); }
    int GetLastID() const override { return items.empty() ? 0 : items.back().id; }
    CObjectBase* GetAt(int pos) override { return Valid(pos) ? &items[size_t(pos)].obj : nullptr; }
    int GetID(int pos) const override { return Valid(pos) ? items[size_t(pos)].id : 0; }
    int IndexOfID(int id) const override
    {
        // Kept in number order unless a derived fake renumbers in place.
        const auto at =
            std::lower_bound(items.begin(), items.end(), id, [](const FakeItem& a, int b) { return a.id < b; });
        if (at != items.end() && at->id == id) return int(at - items.begin());
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].id == id) return int(i);
        return -1;
    }
    int GetStorey(int pos) const override { return Valid(pos) ? items[size_t(pos)].storey : -1; }
    void SetStorey(int pos, int storey) override
    {
        if (Valid(pos)) items[size_t(pos)].storey = storey;
    }
    int RecomputeStorey(int pos) override
    {
        if (!Valid(pos) || !storeyRule) return GetStorey(pos);
        return items[size_t(pos)].storey = storeyRule(items[size_t(pos)]);
    }
    bool HasStages() const override { return m_stages; }
    int GetStage(int pos) const override { return Valid(pos) ? items[size_t(pos)].stage : 0; }
    void SetStage(int pos, int stage) override
    {
        if (Valid(pos)) items[size_t(pos)].stage = stage;
    }
    int GetNodes(int pos, int* out, int max) const override
    {
        if (!Valid(pos)) return 0;
        const std::vector<int>& n = items[size_t(pos)].nodes;
        for (size_t k = 0; k < n.size() && int(k) < max; ++k) out[k] = n[k];
        return int(n.size());
    }
    bool IsHorizontal(int pos) const override { return Valid(pos) && items[size_t(pos)].horizontal; }
    bool GetCoordinates(int id, double out[3]) const override
    {
        const int pos = IndexOfID(id);
        if (pos < 0) return false;
        std::copy(items[size_t(pos)].xyz, items[size_t(pos)].xyz + 3, out);
        return true;
    }
    void SetCoordinates(int id, const double p[3]) override
    {
        const int pos = IndexOfID(id);
        if (pos >= 0) std::copy(p, p + 3, items[size_t(pos)].xyz);
    }
    int GetInnerCount(int pos) const override { return Valid(pos) ? int(items[size_t(pos)].inner.size()) : 0; }
    CObjectBase* GetInnerAt(int pos, int k) override { return &items[size_t(pos)].inner[size_t(k)]; }
    void ScaleUnits(EUnitStep step, const CUnitFactors& f) override { scaled.push_back({step, f}); }
    bool Reserve(int n) override
    {
        reserved.push_back(n);
        return true;
    }
    void Redraw(int pos) override { redrawn.push_back(GetID(pos)); }

    std::vector<FakeItem> items;
    int (*storeyRule)(const FakeItem&) = nullptr;
    std::vector<std::pair<EUnitStep, CUnitFactors>> scaled;
    std::vector<int> reserved;
    std::vector<int> redrawn;

private:
    bool Valid(int pos) const { return pos >= 0 && pos < int(items.size()); }
    EFamily m_kind;
    bool m_stages;
    CModelFamily* m_previous;
};

// Hooks that count what they are asked, bound for the test's lifetime.
class RecordingHooks : public CModelHooks {
public:
    RecordingHooks() { m_previous = SetModelHooks(this); }
    ~RecordingHooks() override { SetModelHooks(m_previous); }
    void ShowPrompt(const char* text) override { prompts.push_back(text); }
    void RefreshLayerSelector() override { ++layerSelector; }
    void RefreshStoreyTexts() override { ++storeyTexts; }
    void RefreshResultSelectors() override { ++resultSelectors; }
    void InvalidateModel() override { ++invalidated; }
    void ClearUndo() override { ++undoCleared; }
    void RecomputeResultMaxima() override { ++maxima; }

    std::vector<std::string> prompts;
    int layerSelector = 0, storeyTexts = 0, resultSelectors = 0, invalidated = 0, undoCleared = 0, maxima = 0;

private:
    CModelHooks* m_previous;
};

// Value dialogs answered from a script: each call takes the next answer
// (values typed, or cancel).
class ScriptedDialogs : public CValueDialogs {
public:
    struct Answer {
        bool ok;
        std::vector<double> values;
    };
    ScriptedDialogs() { m_previous = SetValueDialogs(this); }
    ~ScriptedDialogs() override { SetValueDialogs(m_previous); }
    bool EditInts(const char* title, int n, const char* const* labels, int* values) override
    {
        titles.push_back(title);
        for (int i = 0; i < n; ++i) labelsSeen.push_back(labels[i]);
        shown.push_back(std::vector<double>(values, values + n));
        if (answers.empty()) return false;
        Answer a = answers.front();
        answers.erase(answers.begin());
        for (int i = 0; i < n && i < int(a.values.size()); ++i) values[i] = int(a.values[size_t(i)]);
        return a.ok;
    }
    bool EditDouble(const char* title, const char* label, double& value) override
    {
        titles.push_back(title);
        labelsSeen.push_back(label);
        shown.push_back({value});
        if (answers.empty()) return false;
        Answer a = answers.front();
        answers.erase(answers.begin());
        if (!a.values.empty()) value = a.values[0];
        return a.ok;
    }

    std::vector<Answer> answers;
    std::vector<std::string> titles, labelsSeen;
    std::vector<std::vector<double>> shown;

private:
    CValueDialogs* m_previous;
};

// A plan view at one pixel per unit (y down) whose mode, plan elevation and
// refits the test sets and reads, bound for the test's lifetime.
class TestProjection : public CModelProjection {
public:
    TestProjection() { m_previous = SetModelProjection(this); }
    ~TestProjection() override { SetModelProjection(m_previous); }
    int GetMode() const override { return mode; }
    double GetPlanElevation() const override { return plan; }
    void SetPlanElevation(double z) override { plan = z; }
    void ZoomExtents() override { ++zooms; }
    int mode = 1;
    double plan = 0;
    int zooms = 0;

private:
    CModelProjection* m_previous;
};

}  // namespace vektest
