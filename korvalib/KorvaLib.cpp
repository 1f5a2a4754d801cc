// KorvaLib.dll: the data-model and file library.
#include "korvalib/KorvaApi.h"
