#pragma once
// CMyImage: one device-independent bitmap held in memory (a packed DIB:
// header, palette, rows bottom-up, each padded to 4 bytes), with pixel and
// palette access, depth conversion and the dispatch to the BMP and GIF codecs.
// The drawing, clipboard and GDI parts exist only in the Windows build.
#include "analysis/AnalysisApi.h"
#include "framework/WinTypes.h"

#include <cstdint>
#include <cstdio>
#include <vector>

class CMyImage;

// Image types as kept in the record and passed to Decode/Encode/Load.
enum : DWORD {
    CMYIMAGE_FORMAT_UNKNOWN = 0,
    CMYIMAGE_FORMAT_BMP = 1,
    CMYIMAGE_FORMAT_GIF = 2,
};

// The descriptive values that Copy, Ghost, Transfer and CopyInfo move as a whole.
struct CMyImageInfo {
    DWORD dwEffWidth;  // row length in bytes
    BYTE* pImage;      // first row inside the block
    CMyImage* pGhost;  // lender of a borrowed block (never freed here)
    DWORD dwType;
    DWORD nProgress;
    DWORD nEscape;        // non-zero asks a running decoder to stop
    int32_t nBkgndIndex;  // transparent index, -1 = none
    RGBQUAD nBkgndColor;  // transparent colour of 24-bit pictures
    int32_t nFrame;       // frame to read (0-based)
    int32_t nNumFrames;
    DWORD dwFrameDelay;  // hundredths of a second
    int32_t xDPI;
    int32_t yDPI;
    bool bEnabled;
    int32_t xOffset;  // frame position in a GIF's logical screen
    int32_t yOffset;
    DWORD dwEncodeOption;  // GIF data: 1 uncompressed, 2 LZW, other run-length
    RGBQUAD last_c;        // nearest-colour cache
    BYTE last_c_index;
    bool last_c_isvalid;
};

struct rgb_color {
    BYTE r, g, b;
};

class ANALYSIS_API CMyImage {
public:
    explicit CMyImage(DWORD type = 0);
    CMyImage(DWORD width, DWORD height, int bpp, int type = 0);
    CMyImage(const CMyImage& src, bool copyPixels = true);
    CMyImage(FILE* file, DWORD type);
    CMyImage(const char* name, DWORD type);
    CMyImage& operator=(const CMyImage& src);
    virtual ~CMyImage();

    // Block and ownership.
    void* Create(DWORD width, DWORD height, int bpp, DWORD type = 0);
    bool Destroy();
    void Copy(const CMyImage& src, bool copyPixels = true);
    void Transfer(CMyImage& src);
    void Ghost(CMyImage* src);
    void CopyInfo(const CMyImage& src);

    // Values.
    void* GetDIB() const { return m_pDib; }
    DWORD GetWidth() const { return (DWORD)m_head.biWidth; }
    DWORD GetHeight() const { return (DWORD)m_head.biHeight; }
    DWORD GetEffWidth() const { return m_info.dwEffWidth; }
    DWORD GetNumColors() const { return m_head.biClrUsed; }
    WORD GetBpp() const { return m_head.biBitCount; }
    DWORD GetType() const { return m_info.dwType; }
    BYTE* GetBits() const { return m_pDib ? m_info.pImage : nullptr; }
    DWORD GetSize() const;
    SIZE GetDimension() const;
    bool IsEmpty() const { return m_pDib == nullptr; }
    bool IsIndexed() const { return m_head.biClrUsed != 0; }
    BYTE GetColorType() const { return m_head.biBitCount <= 8 ? 1 : 2; }
    DWORD GetPaletteSize() const { return m_head.biClrUsed * sizeof(RGBQUAD); }
    const BITMAPINFOHEADER& GetHeader() const { return m_head; }
    void SetFrameDelay(DWORD d) { m_info.dwFrameDelay = d; }
    DWORD GetFrameDelay() const { return m_info.dwFrameDelay; }
    void GetOffset(int32_t* x, int32_t* y) const;
    void SetOffset(int32_t x, int32_t y);
    int32_t GetXDPI() const { return m_info.xDPI; }
    int32_t GetYDPI() const { return m_info.yDPI; }
    void SetXDPI(int32_t dpi);
    void SetYDPI(int32_t dpi);
    DWORD GetProgress() const { return m_info.nProgress; }
    void SetProgress(DWORD p) { m_info.nProgress = p; }
    DWORD GetEscape() const { return m_info.nEscape; }
    void SetEscape(DWORD e) { m_info.nEscape = e; }
    int32_t GetTransIndex() const { return m_info.nBkgndIndex; }
    void SetTransIndex(int32_t idx) { m_info.nBkgndIndex = idx; }
    bool IsTransparent() const { return m_info.nBkgndIndex >= 0; }
    RGBQUAD GetTransColor() const;
    void SetTransColor(RGBQUAD c) { m_info.nBkgndColor = c; }
    DWORD GetEncodeOption() const { return m_info.dwEncodeOption; }
    void SetEncodeOption(DWORD opt) { m_info.dwEncodeOption = opt; }
    bool IsEnabled() const { return m_info.bEnabled; }
    void Enable(bool enable = true) { m_info.bEnabled = enable; }
    int32_t GetNumFrames() const { return m_info.nNumFrames; }
    void SetFrame(int32_t frame) { m_info.nFrame = frame; }
    int32_t GetFrame() const { return m_info.nFrame; }

    // Pixels; row 0 is the bottom row.
    bool IsInside(int32_t x, int32_t y) const;
    void Clear(BYTE value = 0);
    BYTE GetPixelIndex(int32_t x, int32_t y) const;
    void SetPixelIndex(int32_t x, int32_t y, BYTE index);
    RGBQUAD GetPixelColor(int32_t x, int32_t y) const;
    void SetPixelColor(int32_t x, int32_t y, RGBQUAD c, bool setAlpha = false);
    void SetPixelColor(int32_t x, int32_t y, COLORREF c);
    BYTE GetPixelGray(int32_t x, int32_t y) const;
    BYTE GetNearestIndex(RGBQUAD c);

    // Palette.
    RGBQUAD* GetPalette() const;
    RGBQUAD GetPaletteColor(BYTE index) const;
    bool GetPaletteColor(BYTE index, BYTE* r, BYTE* g, BYTE* b) const;
    void SetPaletteColor(BYTE index, BYTE r, BYTE g, BYTE b, BYTE alpha = 0);
    void SetPaletteColor(BYTE index, RGBQUAD c);
    void SetPaletteColor(BYTE index, COLORREF c);
    void SetPalette(DWORD n, const BYTE* r, const BYTE* g = nullptr, const BYTE* b = nullptr);
    void SetPalette(const rgb_color* rgb, DWORD n);
    void SetPalette(const RGBQUAD* pal, DWORD n);
    void SetGrayPalette();
    void BlendPalette(COLORREF c, DWORD percent);
    bool IsGrayScale() const;
    void SwapIndex(BYTE i, BYTE j);
    void SetStdPalette();
    void RGBtoBGR(BYTE* buffer, int length) const;
    static RGBQUAD RGBtoRGBQUAD(COLORREF c);
    static COLORREF RGBQUADtoRGB(RGBQUAD c);
    static int CompareColors(const RGBQUAD* a, const RGBQUAD* b);

    // Conversion.
    int ChangeColorDepth(int bpp);
    void Bitfield2RGB(const BYTE* src, DWORD redMask, DWORD greenMask, DWORD blueMask, BYTE bpp);
    bool CreateFromARGB(DWORD width, DWORD height, const BYTE* buffer);

    // Files.
    bool Decode(FILE* file, DWORD type);
    bool Load(const char* name, DWORD type = 0);
    bool Encode(FILE* file, DWORD type);
    bool Encode(FILE* file, CMyImage** frames, int count, DWORD type);
    bool WriteToFile(const char* name, DWORD type);
    bool WriteBmpFile(const char* name) { return WriteToFile(name, CMYIMAGE_FORMAT_BMP); }
    bool WriteGifFile(const char* name, int reduce);
    bool WriteGifFile(const char* name, const char* const* frameFiles, int count);
    // The same for any string class that converts to const char* (CString).
    template <class S>
    bool WriteGifFile(const char* name, const S* frameFiles, int count);

#if defined(_WIN32)
    // Drawing onto a device context.
    long Draw(HDC hdc, long x, long y, long cx = -1, long cy = -1, const RECT* source = nullptr,
              const RECT* clip = nullptr);
    long Draw(HDC hdc, const RECT* dest, const RECT* source = nullptr, const RECT* clip = nullptr);
    long Draw2(HDC hdc, long x, long y, long cx = -1, long cy = -1, const RECT* source = nullptr);
    long Draw2(HDC hdc, const RECT* dest, const RECT* source = nullptr);
    long Stretch(HDC hdc, long x, long y, long cx, long cy);
    long Stretch(HDC hdc, const RECT* dest);
    long Tile(HDC hdc, const RECT* rect);
    long DrawAtDlgItem(HWND hwnd, int frame, int itemId, int stretch);
    long DrawTextA(HDC hdc, long x, long y, const char* text, RGBQUAD color, const char* face, long size = 0,
                   long weight = 400, BYTE italic = 0, BYTE underline = 0);
    HBITMAP CreateBitmap(HDC hdc = nullptr);
    long CopyToCBitmap(HDC hdc, HBITMAP* bitmap);

    // Clipboard. It is opened for the application's main window, which the
    // application names here once it has one; without it nothing happens.
    static void SetMainWindowSource(HWND (*source)());
    HANDLE CopyToHandle() const;
    bool CopyToClipboard();
    static bool CopyBitmapToClipboard(HBITMAP bitmap, HPALETTE palette);
    static bool CopyDCToClipboard(HDC hdc, const RECT& rect);
    bool CopyFromClipboard();

    // Creation from GDI objects.
    bool CreateFromHBITMAP(HBITMAP bitmap);
    bool CreateFromHICON(HICON icon);
    bool CreateFromHANDLE(HANDLE handle);
    bool LoadFromDC(HDC hdc, const RECT& rect);
    // Adapters for the framework's wrappers (CDC, CBitmap, CPalette).
    template <class B>
    bool CreateFromBitmap(B& bitmap)
    {
        return CreateFromHBITMAP((HBITMAP)bitmap.GetSafeHandle());
    }
    template <class DC>
    bool LoadFromDC(DC* dc, const RECT& rect)
    {
        return dc && LoadFromDC(dc->GetSafeHdc(), rect);
    }
    template <class B, class P>
    static bool CopyBitmapToClipboard(B& bitmap, P* palette);
    template <class DC>
    static bool CopyDCToClipboard(DC* dc, const RECT& rect)
    {
        return dc && CopyDCToClipboard(dc->GetSafeHdc(), rect);
    }
    // A packed DIB in memory (header, palette, rows) as CreateFromHANDLE takes it,
    // bounded by the block's size.
    bool CreateFromPackedDIB(const BYTE* dib, size_t size);
#endif

    // Largest block Create allocates; larger requests fail.
    static constexpr uint64_t kMaxBlockSize = 0x40000000u;
    // Whether Create can make a picture of this size and depth: its block
    // (header, palette, padded rows) stays within kMaxBlockSize. Readers ask
    // before they allocate anything for a picture.
    static bool CanCreate(DWORD width, DWORD height, int bpp);

protected:
    void Startup(DWORD type);
    // Takes over src's block (as Transfer) but keeps this image's record, apart
    // from what belongs to the block: row pointer, row length, lender, colour cache.
    void TransferBlock(CMyImage& src, DWORD type);
    void UpdateHeaderInBlock();
    BYTE* BlindGetPixelPointer(int32_t x, int32_t y) const
    {
        return m_info.pImage + y * m_info.dwEffWidth + x;
    }
    RGBQUAD BlindGetPixelColor(int32_t x, int32_t y) const;
    BYTE BlindGetPixelIndex(int32_t x, int32_t y) const;
    void BlindSetPixelIndex(int32_t x, int32_t y, BYTE index);

    void* m_pDib;
    BITMAPINFOHEADER m_head;
    CMyImageInfo m_info;

    friend class CMyImageBMP;
    friend class CMyImageGIF;
    friend class CMyImageIterator;
};

// Writes a file through a temporary name beside it: the old file is replaced
// only when every write and the close succeeded.
class ANALYSIS_API CMyImageFileWriter {
public:
    explicit CMyImageFileWriter(const char* name);
    ~CMyImageFileWriter();
    FILE* File() const { return m_file; }
    bool Commit();  // closes and replaces; false (old file intact) on any error
private:
    FILE* m_file;
    char m_name[300];
    char m_temp[310];
};

template <class S>
bool CMyImage::WriteGifFile(const char* name, const S* frameFiles, int count)
{
    if (!frameFiles || count <= 0) return false;
    std::vector<const char*> names((size_t)count);
    for (int i = 0; i < count; i++) names[(size_t)i] = (const char*)frameFiles[i];
    return WriteGifFile(name, names.data(), count);
}

#if defined(_WIN32)
template <class B, class P>
bool CMyImage::CopyBitmapToClipboard(B& bitmap, P* palette)
{
    if (!CopyBitmapToClipboard((HBITMAP)bitmap.GetSafeHandle(), palette ? (HPALETTE)palette->GetSafeHandle() : nullptr))
        return false;
    bitmap.Detach();  // the clipboard owns them now
    if (palette) palette->Detach();
    return true;
}
#endif
