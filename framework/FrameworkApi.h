#pragma once
// Export macro of framework.dll.
#if defined(_WIN32)
#if defined(FRAMEWORK_BUILD)
#define FW_API __declspec(dllexport)
#else
#define FW_API __declspec(dllimport)
#endif
#else
#define FW_API __attribute__((visibility("default")))
#endif
