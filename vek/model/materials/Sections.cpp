#include "vek/model/materials/Sections.h"

MLArray<CFrameSect> theFrameSects;
MLArray<CVframeSect> theVframeSects;
MLArray<CSframeSect> theSframeSects;
MLArray<CPipeSect> thePipeSects;
