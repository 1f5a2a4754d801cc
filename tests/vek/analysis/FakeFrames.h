#pragma once
// A beam-column family for the data-file tests: beams on the node store,
// loads as single values, lines in a short form of its own.
#include <map>
#include <string>
#include <vector>

#include "korvalib/base/DataFile.h"
#include "tests/vek/model/ModelTestSupport.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/model/AppHelpers.h"

namespace vektest {

struct FakeBeamLoad {
    double q = 0;
    double prestress = 0;
    bool operator==(const FakeBeamLoad& o) const { return q == o.q && prestress == o.prestress; }
};

struct FakeBeam {
    CFrameDataRow row;
    bool off = false;
};

class FakeFrames : public CFrameDataFamily {
public:
    FakeFrames() : m_table(EFamily::Frames) { m_previous = RegisterFrameDataFamily(this); }
    ~FakeFrames() override { RegisterFrameDataFamily(m_previous); }
    FakeFrames(const FakeFrames&) = delete;
    FakeFrames& operator=(const FakeFrames&) = delete;

    FakeBeam& Beam(int id, int i, int j, int kind = 0, int section = 1, int material = 1)
    {
        FakeBeam b;
        b.row.id = id;
        b.row.nodes[0] = i;
        b.row.nodes[1] = j;
        b.row.kind = kind;
        b.row.section = section;
        b.row.material = material;
        beams.push_back(b);
        m_positions[id] = int(beams.size()) - 1;
        m_table.Element(id, {i, j});
        return beams.back();
    }
    void Clear()
    {
        beams.clear();
        loads.clear();
        m_positions.clear();
        m_table.items.clear();
    }
    // A load in the family's list; its index.
    int Load(double q, double prestress = 0)
    {
        loads.push_back({q, prestress});
        return int(loads.size()) - 1;
    }

    int Count() const override { return int(beams.size()); }
    void Row(int pos, CFrameDataRow& row) const override { row = beams[size_t(pos)].row; }
    int AddBlockLoad(int kind, int pos, int index) override
    {
        if (index >= int(loads.size())) return 0;
        FakeBeamLoad l = loads[size_t(index)];
        if (l.prestress != 0) {
            AppMessageBox("无法把指定的预拉压力转换成轴向升降温");
            l.prestress = 0;
        }
        if (l.q == 0) return 0;
        return block[kind].FindOrAdd(l);
    }
    int BlockLoadCount(int kind) const override { return block[kind].Count(); }
    int BlockLoadPoints(int kind) const override { return 1; }
    void KeepBlockLoads(int kind, const std::vector<char>& keep) override { block[kind].Keep(keep); }
    void ClearBlockLoads() override
    {
        for (auto& b : block) b.Clear();
    }
    void WriteBlockLoad(DKorvaDataFile& file, int kind, int place) const override
    {
        file << "Q=" << block[kind].At(place).q << wrap;
    }
    void WriteCombination(DKorvaDataFile& file, int kind, int section, int material) const override
    {
        file << "S=" << section << "M=" << material << wrap;
    }
    void WriteFrameLine(DKorvaDataFile& file, int pos, int combination, int cases, const int* const* rows) override
    {
        const CFrameDataRow& r = beams[size_t(pos)].row;
        file << r.id << r.nodes[0] << r.nodes[1] << "M=" << combination;
        if (beams[size_t(pos)].off) file << "OFF=1 ";
        WriteTrimmedIntList(file, rows, r.id, cases);
        file << wrap;
    }
    void Sort() override { ++sorted; }
    bool IsSwitchedOff(int pos) const override { return beams[size_t(pos)].off; }
    void SetSwitchedOff(int pos, bool off) override { beams[size_t(pos)].off = off; }
    int IndexOfID(int id) const override
    {
        const auto at = m_positions.find(id);
        return at == m_positions.end() ? -1 : at->second;
    }

    std::vector<FakeBeam> beams;
    std::vector<FakeBeamLoad> loads;
    CBlockLoads<FakeBeamLoad> block[3];
    int sorted = 0;

private:
    std::map<int, int> m_positions;
    FakeFamily m_table;
    CFrameDataFamily* m_previous = nullptr;
};

}  // namespace vektest

namespace vektest {

// A wall family for the WALL block: walls by number with a storey and loads.
class FakeWalls : public CWallDataFamily {
public:
    FakeWalls() { m_previous = RegisterWallDataFamily(this); }
    ~FakeWalls() override { RegisterWallDataFamily(m_previous); }
    FakeWalls(const FakeWalls&) = delete;
    FakeWalls& operator=(const FakeWalls&) = delete;

    int Count() const override { return int(rows.size()); }
    void Row(int pos, CWallDataRow& row) const override { row = rows[size_t(pos)]; }
    int IndexOfID(int id) const override
    {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].id == id) return int(i);
        return -1;
    }
    int AddBlockLoad(int pos, int index) override
    {
        return index < int(loads.size()) && loads[size_t(index)] != 0 ? block.FindOrAdd({loads[size_t(index)], 0}) : 0;
    }
    int BlockLoadCount() const override { return block.Count(); }
    void KeepBlockLoads(const std::vector<char>& keep) override { block.Keep(keep); }
    void ClearBlockLoads() override { block.Clear(); }
    void WriteBlockLoads(DKorvaDataFile& file, CKvdDataSet*) const override
    {
        for (int i = 1; i <= block.Count(); ++i) file << i << "W=" << block.At(i).q << wrap;
    }
    void WriteWallLine(DKorvaDataFile& file, int pos, int cases, const int* const* rows_) override
    {
        file << rows[size_t(pos)].id;
        WriteTrimmedIntList(file, rows_, rows[size_t(pos)].id, cases);
        file << wrap;
    }

    std::vector<CWallDataRow> rows;
    std::vector<double> loads;
    CBlockLoads<FakeBeamLoad> block;

private:
    CWallDataFamily* m_previous = nullptr;
};

}  // namespace vektest
