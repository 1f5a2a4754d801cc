#pragma once
// Export macro of KorvaLib.dll.
#if defined(_WIN32)
#if defined(KORVALIB_BUILD)
#define KORVA_API __declspec(dllexport)
#else
#define KORVA_API __declspec(dllimport)
#endif
#else
#define KORVA_API __attribute__((visibility("default")))
#endif
