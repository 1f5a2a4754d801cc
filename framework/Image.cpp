#include "framework/Image.h"

#include <cstring>
#include <string>
#include <vector>

#include <gdiplus.h>

namespace gp = Gdiplus::DllExports;

namespace {

// GDI+ started once for the process, on first use.
bool StartGdiPlus()
{
    static ULONG_PTR token = 0;
    static bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

bool EncoderFor(const wchar_t* mime, CLSID& out)
{
    UINT count = 0, size = 0;
    if (gp::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<unsigned char> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (gp::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i)
        if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, mime) == 0) {
            out = codecs[i].Clsid;
            return true;
        }
    return false;
}

std::wstring Wide(const char* text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring w(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), n);
    w.resize(std::wcslen(w.c_str()));
    return w;
}

CImage::FileType TypeOf(const char* path)
{
    const char* dot = std::strrchr(path, '.');
    if (!dot) return CImage::kBmp;
    if (!_stricmp(dot, ".png")) return CImage::kPng;
    if (!_stricmp(dot, ".jpg") || !_stricmp(dot, ".jpeg") || !_stricmp(dot, ".jpe")) return CImage::kJpeg;
    return CImage::kBmp;
}

}  // namespace

CImage::~CImage()
{
    Destroy();
}

BOOL CImage::Create(int width, int height, int bpp)
{
    Destroy();
    if (width <= 0 || height <= 0 || (bpp != 24 && bpp != 32)) return FALSE;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bpp);
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return FALSE;
    Attach(bitmap);
    return TRUE;
}

void CImage::Destroy()
{
    while (m_dcUses > 0) ReleaseDC();
    if (m_bitmap) DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_width = m_height = m_bpp = 0;
}

void CImage::Attach(HBITMAP bitmap)
{
    Destroy();
    m_bitmap = bitmap;
    BITMAP bm{};
    if (bitmap && GetObjectA(bitmap, sizeof bm, &bm)) {
        m_width = bm.bmWidth;
        m_height = bm.bmHeight;
        m_bpp = bm.bmBitsPixel;
    }
}

HBITMAP CImage::Detach()
{
    while (m_dcUses > 0) ReleaseDC();
    HBITMAP b = m_bitmap;
    m_bitmap = nullptr;
    m_width = m_height = m_bpp = 0;
    return b;
}

HDC CImage::GetDC() const
{
    if (!m_bitmap) return nullptr;
    if (m_dcUses++ == 0) {
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    return m_dc;
}

void CImage::ReleaseDC() const
{
    if (m_dcUses <= 0) return;
    if (--m_dcUses == 0) {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        m_dc = nullptr;
        m_old = nullptr;
    }
}

COLORREF CImage::GetPixel(int x, int y) const
{
    HDC dc = GetDC();
    if (!dc) return CLR_INVALID;
    const COLORREF c = ::GetPixel(dc, x, y);
    ReleaseDC();
    return c;
}

BOOL CImage::BitBlt(HDC dest, int x, int y, DWORD rop) const
{
    HDC dc = GetDC();
    if (!dc) return FALSE;
    const BOOL ok = ::BitBlt(dest, x, y, m_width, m_height, dc, 0, 0, rop);
    ReleaseDC();
    return ok;
}

HRESULT CImage::Save(LPCTSTR path, FileType type, int jpegQuality) const
{
    if (!m_bitmap || !path || !*path) return E_INVALIDARG;
    if (!StartGdiPlus()) return E_FAIL;
    if (type == kByExtension) type = TypeOf(path);
    const wchar_t* mime = type == kPng ? L"image/png" : type == kJpeg ? L"image/jpeg" : L"image/bmp";
    CLSID encoder;
    if (!EncoderFor(mime, encoder)) return E_FAIL;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromHBITMAP(m_bitmap, nullptr, &bitmap) != Gdiplus::Ok) return E_FAIL;
    const std::string target(path);
    const std::string temp = target + ".~tmp";
    const std::wstring wideTemp = Wide(temp.c_str());
    Gdiplus::GpStatus status;
    if (type == kJpeg) {
        ULONG quality = static_cast<ULONG>(jpegQuality < 0 ? 0 : jpegQuality > 100 ? 100 : jpegQuality);
        Gdiplus::EncoderParameters params;
        params.Count = 1;
        params.Parameter[0].Guid = Gdiplus::EncoderQuality;
        params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
        params.Parameter[0].NumberOfValues = 1;
        params.Parameter[0].Value = &quality;
        status = gp::GdipSaveImageToFile(bitmap, wideTemp.c_str(), &encoder, &params);
    } else {
        status = gp::GdipSaveImageToFile(bitmap, wideTemp.c_str(), &encoder, nullptr);
    }
    gp::GdipDisposeImage(bitmap);
    if (status != Gdiplus::Ok) {
        DeleteFileA(temp.c_str());
        return E_FAIL;
    }
    if (!MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CImage::Load(LPCTSTR path)
{
    if (!path || !*path) return E_INVALIDARG;
    if (!StartGdiPlus()) return E_FAIL;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromFile(Wide(path).c_str(), &bitmap) != Gdiplus::Ok || !bitmap) return E_FAIL;
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(bitmap, &width);
    gp::GdipGetImageHeight(bitmap, &height);
    HBITMAP hbm = nullptr;
    const Gdiplus::GpStatus status = gp::GdipCreateHBITMAPFromBitmap(bitmap, &hbm, 0xFFFFFFFF);
    gp::GdipDisposeImage(bitmap);
    if (status != Gdiplus::Ok || !hbm || !width || !height) {
        if (hbm) DeleteObject(hbm);
        return E_FAIL;
    }
    Attach(hbm);
    return S_OK;
}
