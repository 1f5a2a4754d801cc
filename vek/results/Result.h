#pragma once
// The workbench's result set: the library's reader plus what only the model
// knows: where the solver's separately numbered steel and variable-section
// beams sit in the model's one frame numbering, which frame kinds the model
// holds, the stage in which each node first exists, and the spectrum
// directions.
#include <cstdint>

#include "containers/MArray.h"
#include "containers/MArrayID.h"
#include "korvalib/model/AnalysisRecords.h"
#include "korvalib/results/Result.h"

class bofstream;
class bifstream;

// What the result set asks of element data that the family table does not
// carry. The families bind their own; unbound, no node is linked, every frame
// is a plain frame and there are no integration lines to recompute.
struct ResultModelLinks {
    // The node linked to a node (by number), 0 for none.
    int (*linkedNode)(int nodeId) = nullptr;
    // The two low bits of a frame's type byte (by position in its store):
    // 0 plain, 1 steel, 2 or 3 variable section.
    int (*frameKind)(int framePos) = nullptr;
    // Every integration line and face recomputes its section forces.
    void (*recomputeIntegrals)() = nullptr;
    // The direction a beam's force diagram stands out in (by position in
    // its store, force component 0-5); false: across the member in the view.
    bool (*diagramDirection)(int framePos, int component, double out[3]) = nullptr;
    // A frame's 1-based section number in the list of its kind (0 none).
    int (*frameSection)(int framePos) = nullptr;
};
extern ResultModelLinks theResultModelLinks;

class CResult : public DResult {
public:
    CResult();
    ~CResult() override;

    // Opens the result set beside the data file; 0 leaves everything as it was.
    int SetFileName(const char* path, int nodeCount, int keepSpectrum);
    // Closes the set; offsets that were set mark the project modified.
    void SetZero();

    // The offsets at the head of the project's block of trusses, curved beams
    // and pipes: two 32-bit integers, the steel offset first. Files older than
    // version 700 carry none (both 0). A damaged block leaves them as they were.
    bool WriteFrameIdOffsets(bofstream& out) const;
    bool ReadFrameIdOffsets(bifstream& in);

    // Plain, steel and variable-section frames of one force combination, in
    // model numbering; 1 when the store holds any record afterwards.
    int GetCombAllFrameForce(int comb, MArrayID<DFrameForce>& store);
    // One model frame, every combination; 0 when no such frame is in use.
    int GetFrameAllCombForce(int frame, MArrayID<DFrameForce>& store);
    // Walks plain, then steel, then variable-section frames of the stream's
    // combinations; the member number comes back in model numbering.
    int RecycleGetOneFrameForce(bifstream& in, int& element, MArrayID<DFrameForce>& store);
    int GetFrameAllCombCheck(int frame, MArrayID<DSframeCheck>& store);
    int RecycleGetOneFrameCheck(bifstream& in, int& element, MArrayID<DSframeCheck>& store);

    // Solid stresses by the project's solid element type (0, 1, 3; else 0).
    int GetSolidStress(int comb, double (*out)[9]);
    int GetOneNodeAllCombSolidStress(int node, double (*out)[9]);
    int GetSomeNodeSolidStress(int count, const int* nodes, double (*out)[21][9]);
    // Shell forces, averaged at the nodes when the project says so.
    int GetShellCombForce(int comb, MArrayID<DShellForce>& store);
    int GetShellAllCombForce(int element, MArrayID<DShellForce>& store);
    int RecycleGetAllShellForce(bifstream& in, int& comb, MArrayID<DShellForce>& store);

    // For each load case, then each displacement combination, the largest
    // distance of the bent member between nodes a and b from its chord.
    // out holds load cases + displacement combinations values. 0 (and out
    // untouched) when a displacement cannot be read.
    int GetMaxFrameDisplacement(int a, int b, double* out);

    // Directions, modes and curve of the data file's SPECTRUM section into the
    // spectrum list and the project's spectrum settings. 0 when the file or
    // the section is missing or damaged (nothing changed then).
    int ReadSpectrumSection();

    // The construction stage in which each node first exists, and which frame
    // kinds the model holds.
    void ComputeNodeStages();

    // The count behind a result selector (ResultCounts.h order).
    int GetSelectorCount(int selector) const;
    // The project's current result selection kept within the counts.
    void ClampSelection() const;

    int32_t m_nSframeIdOffset = 0;
    int32_t m_nVframeIdOffset = 0;
    uint8_t m_nRecycleStage = 0;
    uint8_t m_bHasFrames = 0;
    uint8_t m_bHasSframes = 0;
    uint8_t m_bHasVframes = 0;
    MArray<DSpectrumDir> m_SpectrumDirs;

private:
    // The frame's kind (0, 1, 2) by model number, -1 when no such frame.
    int FrameKindOf(int frame) const;
};

extern CResult theResult;
// The model's copy of the offsets, which the project file stores, is
// theSframeIdOffset/theVframeIdOffset (vek/model/project/ResultOffsets.h).

// The count behind a result selector in theResult.
int ResultCountOf(int selector);
