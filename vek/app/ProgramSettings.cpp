#include "vek/app/ProgramSettings.h"

#include "vek/app/VekApp.h"

AnalysisOptionsProfile theAnalysisOptionsProfile;

BOOL IsBatchRun()
{
    auto* app = DYNAMIC_DOWNCAST(CVekApp, AfxGetApp());
    return app && app->IsBatchRun();
}
