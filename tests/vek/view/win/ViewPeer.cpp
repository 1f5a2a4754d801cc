// A second program of ours for the export tests: it plays back an enhanced
// metafile, or takes a picture from the clipboard (enhanced metafile,
// metafile picture or bitmap), onto a white 32-bit bitmap of the given size
// and writes that as a BMP file.
//
//   view_peer emf <file> <width> <height> <out.bmp>
//   view_peer clipboard emf|wmf|dib <width> <height> <out.bmp>
// Exit code 0 when the picture was written; 2 on wrong arguments, 3 when
// there was no such picture.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Canvas {
    Canvas(int w, int h) : width(w), height(h)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        RECT r{0, 0, w, h};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    bool Save(const char* path) const
    {
        GdiFlush();
        const DWORD size = DWORD(width) * height * 4;
        BITMAPFILEHEADER fh{};
        BITMAPINFOHEADER ih{};
        ih.biSize = sizeof ih;
        ih.biWidth = width;
        ih.biHeight = height;
        ih.biPlanes = 1;
        ih.biBitCount = 32;
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof ih;
        fh.bfSize = fh.bfOffBits + size;
        FILE* f = std::fopen(path, "wb");
        if (!f) return false;
        bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1 &&
                  std::fwrite(bits, size, 1, f) == 1;
        return std::fclose(f) == 0 && ok;
    }
    int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    void* bits = nullptr;
};

// Played at its own pixels: the picture's frame (hundredths of a millimetre
// of the recording device) onto the pixels it covered there.
int PlayEnhanced(HENHMETAFILE emf, Canvas& c)
{
    ENHMETAHEADER header{};
    if (!emf || !GetEnhMetaFileHeader(emf, sizeof header, &header)) return 3;
    const RECTL& f = header.rclFrame;
    const double kx = double(header.szlDevice.cx) / (header.szlMillimeters.cx * 100.0);
    const double ky = double(header.szlDevice.cy) / (header.szlMillimeters.cy * 100.0);
    RECT r{LONG(std::lround(f.left * kx)), LONG(std::lround(f.top * ky)), LONG(std::lround(f.right * kx)),
           LONG(std::lround(f.bottom * ky))};
    return PlayEnhMetaFile(c.dc, emf, &r) ? 0 : 3;
}

int FromClipboard(const char* kind, Canvas& c)
{
    if (!OpenClipboard(nullptr)) return 3;
    int rc = 3;
    if (std::strcmp(kind, "emf") == 0) {
        rc = PlayEnhanced(static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE)), c);
    } else if (std::strcmp(kind, "wmf") == 0) {
        HGLOBAL h = GetClipboardData(CF_METAFILEPICT);
        const auto* pict = h ? static_cast<const METAFILEPICT*>(GlobalLock(h)) : nullptr;
        if (pict) {
            SetMapMode(c.dc, pict->mm);
            rc = PlayMetaFile(c.dc, pict->hMF) ? 0 : 3;
            GlobalUnlock(h);
        }
    } else if (std::strcmp(kind, "dib") == 0) {
        HGLOBAL h = GetClipboardData(CF_DIB);
        const auto* info = h ? static_cast<const BITMAPINFO*>(GlobalLock(h)) : nullptr;
        if (info) {
            const BITMAPINFOHEADER& ih = info->bmiHeader;
            const char* pixels = reinterpret_cast<const char*>(info) + ih.biSize + ih.biClrUsed * sizeof(RGBQUAD) +
                                 (ih.biCompression == BI_BITFIELDS ? 12 : 0);
            rc = SetDIBitsToDevice(c.dc, 0, 0, ih.biWidth, std::abs(ih.biHeight), 0, 0, 0, std::abs(ih.biHeight),
                                   pixels, info, DIB_RGB_COLORS)
                     ? 0
                     : 3;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return rc;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) return 2;
    Canvas canvas(std::atoi(argv[3]), std::atoi(argv[4]));
    int rc = 2;
    if (std::strcmp(argv[1], "emf") == 0) {
        HENHMETAFILE emf = GetEnhMetaFileA(argv[2]);
        rc = PlayEnhanced(emf, canvas);
        if (emf) DeleteEnhMetaFile(emf);
    } else if (std::strcmp(argv[1], "clipboard") == 0) {
        rc = FromClipboard(argv[2], canvas);
    }
    if (rc == 0 && !canvas.Save(argv[5])) rc = 3;
    return rc;
}
