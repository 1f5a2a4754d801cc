#pragma once
// Load factors and load combinations: a weighted sum of load cases with the
// earthquake or spectrum coefficients, the construction simulation's final
// result and a dynamic term. Kept in two lists, saved in the project file,
// written to the data file's COMBINE block, shown and typed as a short text.
#include <cstdint>
#include <string>

#include "containers/MLArraySort.h"

class bofstream;
class bifstream;
class DKorvaDataFile;

struct LoadFactor {
    uint16_t loadCase = 0;  // 0 none
    float factor = 0;

    LoadFactor() = default;
    LoadFactor& Set(int lc, double f)
    {
        loadCase = uint16_t(lc);
        factor = float(f);
        return *this;
    }
    // A case above 0 with a factor outside [-0.0001, 0.0001].
    bool IsValid() const { return loadCase > 0 && (factor < -0.0001 || factor > 0.0001); }
    void Write(bofstream& out) const;
    void Read(bifstream& in);
};

// One entry per load case, in load-case order.
template <>
struct MLArraySortOrder<LoadFactor> {
    static bool Equal(const LoadFactor& a, const LoadFactor& b) { return a.loadCase == b.loadCase; }
    static bool Less(const LoadFactor& a, const LoadFactor& b) { return a.loadCase < b.loadCase; }
};
using LoadFactorList = MLArraySortMutex<LoadFactor>;

class LoadCombination {
public:
    LoadCombination() = default;
    LoadCombination(const LoadCombination& o) { *this = o; }
    LoadCombination& operator=(const LoadCombination& o);

    // Valid factors replace or add their case; invalid ones remove it.
    void AddFactor(int lc, double f) { factors.Add(LoadFactor().Set(lc, f)); }
    double GetFactor(int lc) const;
    bool IsEqual(const LoadCombination& o) const;
    bool IsEmpty() const;

    // "C=1.2 0 1.4 E=0 0 1 CACT=1 ..." as the user sees it, or as the data
    // file takes it (the switched-off spectrum directions left out, the
    // factors with up to six significant digits).
    std::string GetText(bool forDataFile) const;
    // Reads a text of that form; false when nothing was recognised.
    bool SetFromText(const char* text);
    // One line of the COMBINE block.
    void WriteDataFile(DKorvaDataFile& f) const;
    // The project-file record.
    bool Write(bofstream& out) const;
    bool Read(bifstream& in);
    // The one-combination dialog; true when the user confirmed.
    bool Edit();

    int CoefficientKind() const { return kinds & 0x0F; }
    int DynamicKind() const { return kinds >> 4 & 0x0F; }

    LoadFactorList factors;
    float c[3] = {0, 0, 0};
    float constructionFactor = 0;  // "CACT"
    float dynamicFactor = 0;
    int32_t dynamicStep = 0;
    uint8_t kinds = 0;  // low 4 bits coefficient kind (E, A, Q), high 4 bits dynamic kind
};

template <>
struct MLArrayEqual<LoadCombination> {
    static bool Equal(const LoadCombination& a, const LoadCombination& b) { return a.IsEqual(b); }
};

// The two lists of combinations of the project.
extern MLArray<LoadCombination> theLoadCombinations[2];
// The project-file block: both lists, each a count and its records. A
// damaged block leaves the lists as they were.
bool WriteLoadCombinations(bofstream& out);
bool ReadLoadCombinations(bifstream& in);

// The one-combination dialog of the window side, filled from and read back
// into a combination; unbound it is cancelled.
class CLoadCombinationDialog {
public:
    virtual ~CLoadCombinationDialog() = default;
    virtual bool Edit(LoadCombination& comb) { return false; }
};
CLoadCombinationDialog* SetLoadCombinationDialog(CLoadCombinationDialog* dialog);

class DElementLoad;
// An element's load index in the project file, by the file's version.
void SaveElementLoad(bofstream& out, const DElementLoad& loads);
bool LoadElementLoad(bifstream& in, DElementLoad& loads);
// The target becomes a copy of the source, or takes only the source's entry
// of the current load case.
void CopyElementLoad(DElementLoad& target, bool currentCaseOnly, const DElementLoad& source);
