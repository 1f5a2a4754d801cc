#pragma once
// What the data-file writer asks of the element families that write blocks
// of their own. A family fills its slot when it is built; an empty slot
// writes nothing (the model then has no such elements).
#include <array>
#include <utility>
#include <vector>

class DKorvaDataFile;
struct CKvdDataSet;

// One beam-column as the beam blocks see it.
struct CFrameDataRow {
    int id = 0;
    int nodes[2] = {0, 0};
    int kind = 0;      // 0 general section, 1 steel, 2 variable section
    int section = 0;   // 1-based in the kind's section list, 0 none
    int material = 0;  // 1-based in the material list, 0 none
    int storey = -1;
    bool tensionOnly = false;
    bool compressionOnly = false;
    bool momentsReleased = false;  // all four end moments released
    // (load case, 0-based index into the family's list of beam loads)
    std::vector<std::pair<int, int>> loads;
};

// A beam load at the beam's two ends as global forces, each end's share by
// the lever rule (the masses of a modal analysis).
struct CFrameEndLoad {
    int loadCase = 0;
    double atI[3] = {0, 0, 0};
    double atJ[3] = {0, 0, 0};
};

// The beam-column family's part of the data file. The block loads of a kind
// are the distinct loads its block lists; the family keeps them (its load
// records are its own) for one write.
class CFrameDataFamily {
public:
    virtual ~CFrameDataFamily() = default;

    virtual int Count() const = 0;
    virtual void Row(int pos, CFrameDataRow& row) const = 0;
    // Sorts and renumbers the beams in the project's order (the merge of the
    // analysis start).
    virtual void Sort() {}

    // The family's load index prepared for the beam at pos (a prestress turned
    // into an axial temperature, or dropped with a message when the beam's
    // data cannot give one), looked up among the kind's block loads and
    // appended when new. Its 1-based place; 0 for an empty load.
    virtual int AddBlockLoad(int kind, int pos, int index) = 0;
    virtual int BlockLoadCount(int kind) const = 0;
    // The largest point count of the kind's block loads.
    virtual int BlockLoadPoints(int kind) const = 0;
    // Keeps the block loads whose flag is set, in their order.
    virtual void KeepBlockLoads(int kind, const std::vector<char>& keep) = 0;
    virtual void ClearBlockLoads() = 0;
    // Load line i (1-based) after its number.
    virtual void WriteBlockLoad(DKorvaDataFile& file, int kind, int place) const = 0;

    // A section-material combination's line after its number.
    virtual void WriteCombination(DKorvaDataFile& file, int kind, int section, int material) const = 0;
    // The beam's line; loads[case - 1][id - 1] is its block load per case.
    virtual void WriteFrameLine(DKorvaDataFile& file, int pos, int combination, int caseCount,
                                const int* const* loads) = 0;

    // The loads of the beam at pos, one per load entry.
    virtual void EndLoads(int pos, std::vector<CFrameEndLoad>& out) const { out.clear(); }

    // Prestressed cables: five values each; the cable settings after "PRE=".
    virtual int CableCount() const { return 0; }
    virtual void Cable(int i, float values[5]) const {}
    virtual void WriteCableSettings(DKorvaDataFile& file) const {}

    // The beam's library record with its block loads; no library yet.
    virtual void AddToDataSet(CKvdDataSet& set, int pos, int combination, int caseCount, const int* const* loads) {}

    // Left out of the next run (one-way iteration).
    virtual bool IsSwitchedOff(int pos) const { return false; }
    virtual void SetSwitchedOff(int pos, bool off) {}
    virtual int IndexOfID(int id) const { return -1; }
};

// The slot; returns what it held.
CFrameDataFamily* RegisterFrameDataFamily(CFrameDataFamily* family);
// Null while no beam family is there.
CFrameDataFamily* FrameDataFamily();

// One wall as the WALL block sees it.
struct CWallDataRow {
    int id = 0;
    int storey = -1;
    std::vector<std::pair<int, int>> loads;  // (load case, 0-based index into the family's wall loads)
};

// The wall family's part of the data file; its block loads as the beams'.
class CWallDataFamily {
public:
    virtual ~CWallDataFamily() = default;
    virtual int Count() const = 0;
    virtual void Row(int pos, CWallDataRow& row) const = 0;
    virtual int IndexOfID(int id) const = 0;
    // Equal within 1e-6 in each value share one place; 0 for an empty load.
    virtual int AddBlockLoad(int pos, int index) = 0;
    virtual int BlockLoadCount() const = 0;
    virtual void KeepBlockLoads(const std::vector<char>& keep) = 0;
    virtual void ClearBlockLoads() = 0;
    // The wall-load lines (with their numbers) and their library records.
    virtual void WriteBlockLoads(DKorvaDataFile& file, CKvdDataSet* set) const = 0;
    // The wall's line; loads[case - 1][id - 1] is its block load per case.
    virtual void WriteWallLine(DKorvaDataFile& file, int pos, int caseCount, const int* const* loads) = 0;
    virtual void AddToDataSet(CKvdDataSet& set, int pos, int caseCount, const int* const* loads) {}
};
CWallDataFamily* RegisterWallDataFamily(CWallDataFamily* family);
CWallDataFamily* WallDataFamily();

// A rigid region's master node numbered above the model's nodes.
struct CRegionMaster {
    double xyz[3] = {0, 0, 0};
    int storey = -1;
};

// The region family's part of the data file: the nodes of a rigid region
// follow its master node, the regions' loads go to the beams and walls
// beneath them, and their masses to the nodes.
class CRegionDataFamily {
public:
    virtual ~CRegionDataFamily() = default;
    // Every rigid region gets its master (a node at its load centre, else a
    // new number above the node count, in region order) and every node its
    // master field (0 none); a node that follows another has its UX, UY and
    // RZ restrained (the writer puts the restraints back). The new master
    // nodes, in number order.
    virtual void PrepareMasters(std::vector<CRegionMaster>& extra) = 0;
    // The largest load case of the regions' loads; 0 none.
    virtual int LargestLoadCase() const = 0;
    // The regions' loads handed to the beams and walls beneath them through
    // the panel transfer tables, which hold the elements' own loads.
    virtual void TransferLoads() = 0;
    // The regions' masses added into the sums (X, Y, Z mass and rotational
    // mass about Z) per node number, masters included.
    virtual void AddMasses(std::vector<std::array<double, 4>>& sums) const = 0;
};
CRegionDataFamily* RegisterRegionDataFamily(CRegionDataFamily* family);
CRegionDataFamily* RegionDataFamily();

// A list of distinct records for a family's block loads: equal records share
// one place.
template <class T>
class CBlockLoads {
public:
    // The 1-based place of an equal record, appended when none.
    int FindOrAdd(const T& load)
    {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i] == load) return int(i + 1);
        m_items.push_back(load);
        return int(m_items.size());
    }
    void Keep(const std::vector<char>& keep)
    {
        std::vector<T> kept;
        for (size_t i = 0; i < m_items.size(); ++i)
            if (i < keep.size() && keep[i]) kept.push_back(m_items[i]);
        m_items.swap(kept);
    }
    int Count() const { return int(m_items.size()); }
    const T& At(int place) const { return m_items[size_t(place - 1)]; }
    void Clear() { m_items.clear(); }

private:
    std::vector<T> m_items;
};
