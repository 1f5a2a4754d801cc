#pragma once
// Export macro of analysis.dll.
#if defined(_WIN32)
#if defined(ANALYSIS_BUILD)
#define ANALYSIS_API __declspec(dllexport)
#else
#define ANALYSIS_API __declspec(dllimport)
#endif
#else
#define ANALYSIS_API __attribute__((visibility("default")))
#endif
