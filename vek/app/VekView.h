#pragma once
// The model view lives with the view's window code.
#include "vek/view/win/VekView.h"
