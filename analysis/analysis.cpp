// analysis.dll: dialog bases, controls, images and the run manager.
#include "analysis/AnalysisApi.h"
