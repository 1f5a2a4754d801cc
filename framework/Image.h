#pragma once
// A picture in memory (a 24- or 32-bit DIB section) that saves and loads
// BMP, JPG and PNG files through GDI+.
#include "framework/Object.h"
#include "framework/String.h"

#include <windows.h>

class FW_API CImage {
public:
    enum FileType { kByExtension, kBmp, kJpeg, kPng };

    CImage() = default;
    ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    // bpp 24 or 32; the picture is bottom-up, as a DIB with a positive height.
    BOOL Create(int width, int height, int bpp);
    void Destroy();
    // Takes ownership of a bitmap (a DIB section or a device-dependent bitmap).
    void Attach(HBITMAP bitmap);
    HBITMAP Detach();
    BOOL IsNull() const { return m_bitmap == nullptr; }
    operator HBITMAP() const { return m_bitmap; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBPP() const { return m_bpp; }

    // A memory DC with the picture selected, until ReleaseDC (calls nest).
    HDC GetDC() const;
    void ReleaseDC() const;
    COLORREF GetPixel(int x, int y) const;
    BOOL BitBlt(HDC dest, int x, int y, DWORD rop = SRCCOPY) const;

    // The file is written under a temporary name and then put in place of
    // the target; on failure the target is left as it was. S_OK or an error.
    HRESULT Save(LPCTSTR path, FileType type = kByExtension, int jpegQuality = 90) const;
    HRESULT Load(LPCTSTR path);

private:
    HBITMAP m_bitmap = nullptr;
    int m_width = 0, m_height = 0, m_bpp = 0;
    mutable HDC m_dc = nullptr;
    mutable HGDIOBJ m_old = nullptr;
    mutable int m_dcUses = 0;
};
