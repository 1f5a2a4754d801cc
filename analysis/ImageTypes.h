#pragma once
// Windows value types used by the picture classes. On Windows they come from
// <windows.h>; elsewhere (the native and fuzz builds of the codecs) the same
// names are declared here with the same widths and member names.
#include <cstdint>

#if defined(_WIN32)
#  include <windows.h>
#else

typedef uint8_t  BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t  LONG;
typedef uint32_t COLORREF;
typedef int      BOOL;

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG  biWidth;
  LONG  biHeight;
  WORD  biPlanes;
  WORD  biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG  biXPelsPerMeter;
  LONG  biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct SIZE {
  LONG cx;
  LONG cy;
};

#  ifndef BI_RGB
#    define BI_RGB       0
#    define BI_RLE8      1
#    define BI_RLE4      2
#    define BI_BITFIELDS 3
#  endif

#  ifndef RGB
#    define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#    define GetRValue(c) ((BYTE)((c) & 0xFF))
#    define GetGValue(c) ((BYTE)(((c) >> 8) & 0xFF))
#    define GetBValue(c) ((BYTE)(((c) >> 16) & 0xFF))
#  endif

#endif

static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD is 4 bytes");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");
