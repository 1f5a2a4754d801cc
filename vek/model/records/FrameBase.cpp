#include "vek/model/records/FrameBase.h"

template class DFrameBase<DSframeBase>;
