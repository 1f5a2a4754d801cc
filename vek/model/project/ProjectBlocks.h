#pragma once
// The blocks of the project file in their fixed order. Each slot names the
// model data it holds and the gate that says which files carry it; its owner
// writes and reads it. A slot whose owner is not part of this build yet
// writes the owner's layout of an empty model and reads only that back: a
// file whose block carries such data is refused rather than loaded without it.
#include "vek/model/project/BlockForm.h"

class bofstream;
class bifstream;

constexpr int kProjectBlockCount = 33;

struct CBlockOwner {
    // 1 when the block was written whole.
    int (*write)(bofstream& out) = nullptr;
    // 1 when read; 0 for a damaged block (stream failed) or one the owner
    // refused after saying why; -1 when it carries data this build cannot
    // hold (the slot's content names it).
    int (*read)(bifstream& in) = nullptr;
    bool IsBound() const { return write && read; }
};

struct CProjectBlock {
    int number;
    // The kind of model data, as the refusal message names it.
    const char* content;
    // Whether a file of version v carries the block (tesmar: a file of the
    // plan-input program).
    bool (*inFile)(int v, bool tesmar);
    // The owner's layout for an empty model, used while no owner is bound.
    void (*emptyForm)(int v, bool tesmar, CBlockForm& form);
    CBlockOwner owner;
};

// Slot 1..kProjectBlockCount.
CProjectBlock& ProjectBlock(int number);
// Binds an owner to its slot (an unbound owner: the slot waits again);
// returns the owner bound before.
CBlockOwner SetProjectBlockOwner(int number, CBlockOwner owner);

// The eigen settings that files older than version 700 keep just ahead of
// block 15; they belong to the owner of block 24.
extern CBlockOwner theLegacyEigenCountsOwner;
void LegacyEigenCountsForm(CBlockForm& form);

// Writes one block: its owner, or its empty layout. 1 when written.
int WriteProjectBlock(const CProjectBlock& block, bofstream& out);

// How reading one block went.
enum class EBlockRead {
    kRead,
    kDamaged,   // the stream failed: short or malformed
    kRefused,   // the owner refused it and said why
    kHoldsData  // a waiting slot found data this build cannot hold
};
// Reads one block of a file of the version in force (nPrjVersion).
EBlockRead ReadProjectBlock(const CProjectBlock& block, bifstream& in, bool tesmar);

// The empty layouts of the waiting slots (one per block; none for the
// blocks whose owner is always part of the model library).
void EmptyProjectionForm(int v, bool tesmar, CBlockForm& f);
void EmptyNodesForm(int v, bool tesmar, CBlockForm& f);
void EmptyFramesForm(int v, bool tesmar, CBlockForm& f);
void EmptyWallsForm(int v, bool tesmar, CBlockForm& f);
void EmptyRegionsForm(int v, bool tesmar, CBlockForm& f);
void EmptyShellsForm(int v, bool tesmar, CBlockForm& f);
void EmptySolidsForm(int v, bool tesmar, CBlockForm& f);
void EmptyPlanesForm(int v, bool tesmar, CBlockForm& f);
void EmptySpectrumForm(int v, bool tesmar, CBlockForm& f);
void EmptyWindForm(int v, bool tesmar, CBlockForm& f);
void EmptyAxisGridsForm(int v, bool tesmar, CBlockForm& f);
void EmptyElevationsForm(int v, bool tesmar, CBlockForm& f);
void EmptyHistoryForm(int v, bool tesmar, CBlockForm& f);
void EmptySteelForm(int v, bool tesmar, CBlockForm& f);
void EmptySnapForm(int v, bool tesmar, CBlockForm& f);
void EmptyCombinationsForm(int v, bool tesmar, CBlockForm& f);
void EmptyEigenForm(int v, bool tesmar, CBlockForm& f);
void EmptyWindFacesForm(int v, bool tesmar, CBlockForm& f);
void EmptyMaterialsForm(int v, bool tesmar, CBlockForm& f);
void EmptyBoundariesForm(int v, bool tesmar, CBlockForm& f);
void EmptyStagesForm(int v, bool tesmar, CBlockForm& f);
void EmptySelectionForm(int v, bool tesmar, CBlockForm& f);
void EmptyLineElementsForm(int v, bool tesmar, CBlockForm& f);
void EmptyIntegralsForm(int v, bool tesmar, CBlockForm& f);
void EmptyPilesForm(int v, bool tesmar, CBlockForm& f);
void EmptyTubeJointsForm(int v, bool tesmar, CBlockForm& f);
