#pragma once
// The pixel-format and rendering-context calls the view makes, behind an
// interface: the program uses the system's, tests bind one that refuses
// formats or contexts or reports a low colour depth.
#include <windows.h>

class CWglApi {
public:
    virtual ~CWglApi() = default;
    virtual int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) = 0;
    virtual BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* pfd) = 0;
    // The number of formats; fills `pfd` with format `format`'s description.
    virtual int DescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* pfd) = 0;
    virtual HGLRC CreateContext(HDC dc) = 0;
    virtual BOOL DeleteContext(HGLRC rc) = 0;
    virtual BOOL MakeCurrent(HDC dc, HGLRC rc) = 0;
    virtual HGLRC GetCurrentContext() = 0;
    virtual HDC GetCurrentDC() = 0;
};

// The system's calls.
CWglApi& SystemWgl();
// The calls the view uses now; null puts the system's back. Returns the previous.
CWglApi* SetWglApi(CWglApi* api);
CWglApi& Wgl();
