#include "vek/model/ProjectGlobals.h"

int16_t nPrjVersion = kProjectVersion;
int bModelFromResults = 0;
uint8_t bModellerMode = 1;
