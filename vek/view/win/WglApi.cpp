#include "vek/view/win/WglApi.h"

namespace {

class CSystemWgl : public CWglApi {
public:
    int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) override { return ::ChoosePixelFormat(dc, pfd); }
    BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* pfd) override
    {
        return ::SetPixelFormat(dc, format, pfd);
    }
    int DescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* pfd) override
    {
        return ::DescribePixelFormat(dc, format, size, pfd);
    }
    HGLRC CreateContext(HDC dc) override { return ::wglCreateContext(dc); }
    BOOL DeleteContext(HGLRC rc) override { return ::wglDeleteContext(rc); }
    BOOL MakeCurrent(HDC dc, HGLRC rc) override { return ::wglMakeCurrent(dc, rc); }
    HGLRC GetCurrentContext() override { return ::wglGetCurrentContext(); }
    HDC GetCurrentDC() override { return ::wglGetCurrentDC(); }
};

CWglApi* bound = nullptr;

}  // namespace

CWglApi& SystemWgl()
{
    static CSystemWgl wgl;
    return wgl;
}

CWglApi* SetWglApi(CWglApi* api)
{
    CWglApi* before = bound;
    bound = api;
    return before;
}

CWglApi& Wgl()
{
    return bound ? *bound : SystemWgl();
}
