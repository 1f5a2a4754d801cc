#include "vek/model/records/ParameterRecords.h"

CFrameAxisPara theFrameAxisPara;
CDivideCounts theDivideCounts;
