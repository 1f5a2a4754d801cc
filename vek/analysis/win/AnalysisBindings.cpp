// The data file and the analysis control joined to the program: the
// document's start and settings commands, the export command, the batch
// job, the document's path, and the options in the profile.
#include "vek/analysis/AnalysisOptions.h"
#include "vek/analysis/DataFileWriter.h"
#include "vek/analysis/FamilyDataFile.h"
#include "vek/analysis/win/AnalysisControl.h"
#include "vek/analysis/win/AnalysisOptionDlg.h"
#include "vek/app/AppWindows.h"
#include "vek/app/ProgramSettings.h"
#include "vek/app/VekDoc.h"
#include "vek/elements/line/frames/FrameDataFamily.h"
#include "vek/model/BatchJob.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/view/operate/ViewCommands.h"

namespace {

const bool bound = [] {
    RegisterFrameDataFamily(&FrameDataFamilyOfFrames());
    theDocumentHooks.startAnalysis = [](const char* path) { CAnalysisControl::StartOn(path); };
    theDocumentHooks.analysisSettingsDialog = [] { EditAnalysisOptions(); };
    theDocumentHooks.analysisRunning = [] { return CAnalysisControl::Running() ? 1 : 0; };
    theBatchJobHooks.writeDataFile = [](const char* path) { return WriteKorvaDataFile(0, 1, 0, 1, 0, 1, 1, path); };
    theDataFileHooks.documentPath = [] {
        CVekDoc* doc = GetVekDoc();
        return doc ? std::string(doc->GetPathName()) : std::string();
    };
    theAnalysisOptionsProfile.read = ReadAnalysisOptionsProfile;
    theAnalysisOptionsProfile.write = WriteAnalysisOptionsProfile;
    RegisterCommandHandler(32838, [] {
        if (CAnalysisControl::Running()) return false;
        return WriteKorvaDataFile(0, 1, 1, theAnalysisOptions.contiguousNumbers, 1, 0, 0, nullptr) == 1;
    });
    return true;
}();

}  // namespace
