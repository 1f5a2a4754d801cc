#pragma once
// Basic types shared by the portable and the Win32 parts of the framework.
// On Windows they are the platform's own; elsewhere the few the portable
// classes need are declared here with the same widths.
// On Windows the whole <windows.h> comes first on purpose: its A/W name
// macros (LoadString, GetFileTitle, ...) then rename the framework's members
// the same way in every file, whatever the file includes later.
#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>
#else
typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef int INT;
typedef char CHAR;
typedef char TCHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef uint32_t COLORREF;
struct POINT { LONG x, y; };
struct SIZE { LONG cx, cy; };
struct RECT { LONG left, top, right, bottom; };
typedef POINT* LPPOINT;
typedef SIZE* LPSIZE;
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
#  ifndef TRUE
#    define TRUE 1
#    define FALSE 0
#  endif
#endif

// Iteration cookie of the collection classes.
struct FwPosition_;
typedef FwPosition_* POSITION;
