#include "ModellerMode.h"

unsigned char bModellerMode = 1;
