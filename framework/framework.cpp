// framework.dll: the application class library over Win32.
#include "framework/FrameworkApi.h"
