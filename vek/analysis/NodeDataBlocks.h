#pragma once
// The node blocks of the solver's data file. They rely on what the writer
// prepared: node numbers 1..n in store order, the rigid regions' masters
// numbered above them, the restraints the solver needs set.
#include <vector>

class DKorvaDataFile;
struct CKvdDataSet;
struct CRegionMaster;

// masters: the rigid regions' master nodes numbered after the model's.
void WriteJointBlock(DKorvaDataFile& file, const std::vector<CRegionMaster>& masters);
// CONSTRAINT (shell meshes) first, then RESTRAINT; extra master nodes.
void WriteRestraintBlock(DKorvaDataFile& file, int extra);
void WriteDisplacementBlock(DKorvaDataFile& file, CKvdDataSet* set);
// massNumbers: per node number 1..N, its mass line's number (0 none). 0 when
// the modal analysis needs masses and g is not above 0 (message shown).
int WriteMassBlock(DKorvaDataFile& file, const std::vector<CRegionMaster>& masters, std::vector<int>& massNumbers,
                   CKvdDataSet* set);
void WriteTemperatureBlock(DKorvaDataFile& file);
void WriteMasterBlock(DKorvaDataFile& file);
void WriteTowerBlock(DKorvaDataFile& file);
void WriteNdlevelBlock(DKorvaDataFile& file, const std::vector<CRegionMaster>& masters);

// The shells' freedoms at their nodes for CONSTRAINT; the shell family binds
// it. Unbound there are no shells.
struct CShellFreedoms {
    // For each shell: its kind (0 all six, 1 membrane, 2 plate) and its nodes.
    int (*count)() = nullptr;
    int (*shell)(int pos, int nodes[4]) = nullptr;  // returns the kind
};
extern CShellFreedoms theShellFreedoms;

// The displacement panel's settings given to the selected nodes; 0 with a
// message when they are incomplete.
int AssignNodeDisplacements();
