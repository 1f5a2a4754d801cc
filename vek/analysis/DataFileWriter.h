#pragma once
// The solver's data file of the whole model: the model made ready for the
// solver (merged, numbered without gaps, restraints the solver needs added
// for the write only), then the header and the blocks in their fixed order.
// The file is written beside its target and put in place only when every
// write and the close succeeded.
#include <string>
#include <vector>

class DKorvaDataFile;
struct CKvdDataSet;

struct CDataFileSwitches {
    int noOneWayPrompt = 0;
    int mergeNodes = 0;
    int writeLibrary = 0;
    int renumberElements = 0;
    int writeDPrint = 0;
    int writeResolve = 0;
    int historyFlag = 0;
};

// 1 when the file was written; 0 after a refusal or a failure, each with its
// message. fileName: the file to write (a bare name goes into the project's
// folder); null: the project name in the project's folder.
int WriteKorvaDataFile(int noOneWayPrompt, int mergeNodes, int writeLibrary, int renumberElements, int writeDPrint,
                       int writeResolve, int historyFlag, const char* fileName);
int WriteKorvaDataFile(const CDataFileSwitches& s, const char* fileName);

// What the writer asks of the program. Unbound: no project folder (the
// current one), no library file, no time history.
struct CDataFileHooks {
    // The document's path (its project file), empty for an unsaved one.
    std::string (*documentPath)() = nullptr;
    // The library file of the data set; 1 on success.
    int (*writeLibraryFile)(CKvdDataSet& set, const char* path) = nullptr;
};
extern CDataFileHooks theDataFileHooks;

// The absolute path of the data file: fileName when it names a folder,
// else the document's folder and fileName (or the project name).
std::string DataFilePath(const char* fileName);
// The folder of a path: the text up to and with its last separator.
std::string FolderOf(const std::string& path);

// Element kinds the workbench shows but cannot hand to the solver; the
// families that hold them answer through this. 1 when none is there.
extern int (*theCheckUnsupportedElements)();

// The load case count of the model (at least 1).
int CountLoadCases();

// The beam and wall load tables of one write: per load case 1..cases, one
// entry per element number; 0 none, k the element's block load k.
struct CElementLoadTables {
    int cases = 0;
    std::vector<std::vector<int>> frames;  // [case - 1][id - 1]
    std::vector<std::vector<int>> walls;
    std::vector<const int*> frameRows;  // row pointers for the line writers
    std::vector<const int*> wallRows;
    void Build(int caseCount, int frameCount, int wallCount);
};
// The beams' block loads found and numbered, unused ones dropped.
void BuildElementLoadTables(CElementLoadTables& tables);
// FRAME, SFRAME or VFRAME (kind 0, 1, 2). 0 when a beam lacks its section
// or material or names one past its list (message shown).
int WriteFrameBlock(DKorvaDataFile& file, int caseCount, CKvdDataSet* set, int kind, CElementLoadTables& tables);
// WALL, when walls exist.
void WriteWallBlock(DKorvaDataFile& file, int caseCount, CKvdDataSet* set, CElementLoadTables& tables);
// FORCE and COMBINE.
void WriteCombinationBlocks(DKorvaDataFile& file, CKvdDataSet* set);
