// CMyImage: the in-memory picture, its pixels, palette and depth conversion,
// and the dispatch to the file codecs. Free of window code.
#include "analysis/MyImage.h"

#include "analysis/MyImageBMP.h"
#include "analysis/MyImageGIF.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#if !defined(_WIN32)
#include <cstdio>
#endif

namespace {

DWORD PixelsPerMetre(int32_t dpi)
{
    return (DWORD)std::floor(dpi * 10000.0 / 254.0 + 0.5);
}

int RoundDepth(int bpp)
{
    if (bpp <= 1) return 1;
    if (bpp <= 4) return 4;
    if (bpp <= 8) return 8;
    return 24;
}

int Luminance(const RGBQUAD& c)
{
    return (int)(0.299 * c.rgbRed) + (int)(0.587 * c.rgbGreen) + (int)(0.114 * c.rgbBlue);
}

inline DWORD Key(const RGBQUAD& c)
{
    return (DWORD)c.rgbRed | ((DWORD)c.rgbGreen << 8) | ((DWORD)c.rgbBlue << 16);
}

// The block of a picture: depth as stored, palette entries, row length and sizes.
struct BlockLayout {
    int depth;
    DWORD colors;
    uint64_t eff, imageSize, total;
};

BlockLayout LayoutOf(DWORD width, DWORD height, int bpp)
{
    BlockLayout l;
    l.depth = RoundDepth(bpp);
    l.colors = l.depth == 1 ? 2 : l.depth == 4 ? 16 : l.depth == 8 ? 256 : 0;
    l.eff = (((uint64_t)width * l.depth + 31) / 32) * 4;
    l.imageSize = l.eff * height;
    l.total = sizeof(BITMAPINFOHEADER) + l.colors * sizeof(RGBQUAD) + l.imageSize;
    return l;
}

}  // namespace

// ---------------------------------------------------------------- ownership

void CMyImage::Startup(DWORD type)
{
    m_pDib = nullptr;
    std::memset(&m_head, 0, sizeof(m_head));
    m_head.biSize = sizeof(BITMAPINFOHEADER);
    std::memset(&m_info, 0, sizeof(m_info));
    m_info.nBkgndIndex = -1;
    m_info.dwType = type;
    m_info.bEnabled = true;
    m_info.dwEncodeOption = 2;
    SetXDPI(96);
    SetYDPI(96);
}

CMyImage::CMyImage(DWORD type)
{
    Startup(type);
}

CMyImage::CMyImage(DWORD width, DWORD height, int bpp, int type)
{
    Startup((DWORD)type);
    Create(width, height, bpp, (DWORD)type);
}

CMyImage::CMyImage(const CMyImage& src, bool copyPixels)
{
    Startup(src.GetType());
    Copy(src, copyPixels);
}

CMyImage::CMyImage(FILE* file, DWORD type)
{
    Startup(type);
    Decode(file, type);
}

CMyImage::CMyImage(const char* name, DWORD type)
{
    Startup(type);
    Load(name, type);
}

CMyImage& CMyImage::operator=(const CMyImage& src)
{
    if (this != &src) Copy(src, true);
    return *this;
}

CMyImage::~CMyImage()
{
    Destroy();
}

bool CMyImage::CanCreate(DWORD width, DWORD height, int bpp)
{
    return width <= 0x7FFFFFFFu && height <= 0x7FFFFFFFu && LayoutOf(width, height, bpp).total <= kMaxBlockSize;
}

void* CMyImage::Create(DWORD width, DWORD height, int bpp, DWORD type)
{
    Destroy();
    if (!CanCreate(width, height, bpp)) return nullptr;
    const BlockLayout l = LayoutOf(width, height, bpp);

    m_head.biSize = sizeof(BITMAPINFOHEADER);
    m_head.biWidth = (LONG)width;
    m_head.biHeight = (LONG)height;
    m_head.biPlanes = 1;
    m_head.biBitCount = (WORD)l.depth;
    m_head.biCompression = BI_RGB;
    m_head.biSizeImage = (DWORD)l.imageSize;
    m_head.biClrUsed = l.colors;
    m_head.biClrImportant = 0;
    m_info.dwEffWidth = (DWORD)l.eff;
    m_info.dwType = type;
    m_info.pGhost = nullptr;
    m_info.last_c_isvalid = false;

    m_pDib = std::malloc((size_t)l.total);
    if (!m_pDib) {
        m_info.pImage = nullptr;
        return nullptr;
    }
    // Palette and rows start zeroed, so row padding never carries stray bytes into files.
    std::memset((BYTE*)m_pDib + sizeof(BITMAPINFOHEADER), 0, (size_t)(l.total - sizeof(BITMAPINFOHEADER)));
    UpdateHeaderInBlock();
    m_info.pImage = (BYTE*)m_pDib + sizeof(BITMAPINFOHEADER) + l.colors * sizeof(RGBQUAD);
    return m_pDib;
}

void CMyImage::UpdateHeaderInBlock()
{
    if (m_pDib) std::memcpy(m_pDib, &m_head, sizeof(m_head));
}

bool CMyImage::Destroy()
{
    if (m_pDib && !m_info.pGhost) std::free(m_pDib);
    m_pDib = nullptr;
    m_info.pImage = nullptr;
    m_info.pGhost = nullptr;
    return true;
}

void CMyImage::Copy(const CMyImage& src, bool copyPixels)
{
    if (&src == this) return;
    if (!src.m_pDib) {
        Destroy();
        CMyImageInfo keep = src.m_info;
        keep.pImage = nullptr;
        keep.pGhost = nullptr;
        m_info = keep;
        m_head = src.m_head;
        return;
    }
    m_info = src.m_info;
    m_info.pGhost = nullptr;
    m_info.pImage = nullptr;
    if (!Create(src.GetWidth(), src.GetHeight(), src.GetBpp(), src.GetType())) return;
    m_head.biXPelsPerMeter = src.m_head.biXPelsPerMeter;
    m_head.biYPelsPerMeter = src.m_head.biYPelsPerMeter;
    if (copyPixels) {
        std::memcpy(m_pDib, src.m_pDib, GetSize());
        m_head = src.m_head;
    } else if (src.GetPaletteSize()) {
        std::memcpy(GetPalette(), src.GetPalette(), src.GetPaletteSize());
    }
    UpdateHeaderInBlock();
}

void CMyImage::Transfer(CMyImage& src)
{
    if (&src == this) return;
    Destroy();
    m_head = src.m_head;
    m_info = src.m_info;
    m_pDib = src.m_pDib;
    src.m_pDib = nullptr;
    std::memset(&src.m_head, 0, sizeof(src.m_head));
    std::memset(&src.m_info, 0, sizeof(src.m_info));
}

void CMyImage::TransferBlock(CMyImage& src, DWORD type)
{
    CMyImageInfo info = m_info;
    Transfer(src);
    info.pImage = m_info.pImage;
    info.dwEffWidth = m_info.dwEffWidth;
    info.pGhost = nullptr;
    info.dwType = type;
    info.last_c_isvalid = false;
    m_info = info;
}

void CMyImage::Ghost(CMyImage* src)
{
    if (!src || src == this) return;
    Destroy();
    m_head = src->m_head;
    m_info = src->m_info;
    m_pDib = src->m_pDib;
    m_info.pGhost = src;
}

void CMyImage::CopyInfo(const CMyImage& src)
{
    if (m_pDib) return;
    m_info = src.m_info;
    m_info.pImage = nullptr;
    m_info.pGhost = nullptr;
}

// ------------------------------------------------------------------ values

DWORD CMyImage::GetSize() const
{
    return m_head.biSize + m_head.biSizeImage + GetPaletteSize();
}

SIZE CMyImage::GetDimension() const
{
    SIZE s;
    s.cx = m_head.biWidth;
    s.cy = m_head.biHeight;
    return s;
}

void CMyImage::GetOffset(int32_t* x, int32_t* y) const
{
    if (x) *x = m_info.xOffset;
    if (y) *y = m_info.yOffset;
}

void CMyImage::SetOffset(int32_t x, int32_t y)
{
    m_info.xOffset = x;
    m_info.yOffset = y;
}

void CMyImage::SetXDPI(int32_t dpi)
{
    if (dpi <= 0) dpi = 96;
    m_info.xDPI = dpi;
    m_head.biXPelsPerMeter = (LONG)PixelsPerMetre(dpi);
    UpdateHeaderInBlock();
}

void CMyImage::SetYDPI(int32_t dpi)
{
    if (dpi <= 0) dpi = 96;
    m_info.yDPI = dpi;
    m_head.biYPelsPerMeter = (LONG)PixelsPerMetre(dpi);
    UpdateHeaderInBlock();
}

RGBQUAD CMyImage::GetTransColor() const
{
    if (m_head.biBitCount < 24 && m_info.nBkgndIndex >= 0) return GetPaletteColor((BYTE)m_info.nBkgndIndex);
    return m_info.nBkgndColor;
}

// ------------------------------------------------------------------ pixels

bool CMyImage::IsInside(int32_t x, int32_t y) const
{
    return x >= 0 && y >= 0 && x < m_head.biWidth && y < m_head.biHeight;
}

void CMyImage::Clear(BYTE value)
{
    if (m_pDib) std::memset(m_info.pImage, value, m_head.biSizeImage);
}

BYTE CMyImage::BlindGetPixelIndex(int32_t x, int32_t y) const
{
    const BYTE* row = m_info.pImage + (size_t)y * m_info.dwEffWidth;
    switch (m_head.biBitCount) {
        case 8: return row[x];
        case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
        case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
        default: return 0;
    }
}

void CMyImage::BlindSetPixelIndex(int32_t x, int32_t y, BYTE index)
{
    BYTE* row = m_info.pImage + (size_t)y * m_info.dwEffWidth;
    switch (m_head.biBitCount) {
        case 8: row[x] = index; break;
        case 4: {
            BYTE& b = row[x >> 1];
            if (x & 1)
                b = (BYTE)((b & 0xF0) | (index & 0x0F));
            else
                b = (BYTE)((b & 0x0F) | ((index & 0x0F) << 4));
            break;
        }
        case 1: {
            BYTE& b = row[x >> 3];
            const BYTE mask = (BYTE)(0x80 >> (x & 7));
            b = (index & 1) ? (BYTE)(b | mask) : (BYTE)(b & ~mask);
            break;
        }
        default: break;
    }
}

RGBQUAD CMyImage::BlindGetPixelColor(int32_t x, int32_t y) const
{
    RGBQUAD c = {0, 0, 0, 0};
    if (IsIndexed()) return GetPaletteColor(BlindGetPixelIndex(x, y));
    const BYTE* p = m_info.pImage + (size_t)y * m_info.dwEffWidth + (size_t)x * 3;
    c.rgbBlue = p[0];
    c.rgbGreen = p[1];
    c.rgbRed = p[2];
    return c;
}

BYTE CMyImage::GetPixelIndex(int32_t x, int32_t y) const
{
    if (!m_pDib || !IsIndexed()) return 0;
    if (!IsInside(x, y)) return m_info.nBkgndIndex >= 0 ? (BYTE)m_info.nBkgndIndex : 0;
    return BlindGetPixelIndex(x, y);
}

void CMyImage::SetPixelIndex(int32_t x, int32_t y, BYTE index)
{
    if (!m_pDib || !IsIndexed() || !IsInside(x, y)) return;
    BlindSetPixelIndex(x, y, index);
}

RGBQUAD CMyImage::GetPixelColor(int32_t x, int32_t y) const
{
    if (!m_pDib) return m_info.nBkgndColor;
    if (!IsInside(x, y)) {
        if (m_info.nBkgndIndex >= 0) {
            if (m_head.biBitCount < 24) return GetPaletteColor((BYTE)m_info.nBkgndIndex);
            return m_info.nBkgndColor;
        }
        if (m_head.biWidth <= 0 || m_head.biHeight <= 0) return RGBQUAD{0, 0, 0, 0};
        return BlindGetPixelColor(0, 0);
    }
    return BlindGetPixelColor(x, y);
}

void CMyImage::SetPixelColor(int32_t x, int32_t y, RGBQUAD c, bool)
{
    if (!m_pDib || !IsInside(x, y)) return;
    if (IsIndexed()) {
        BlindSetPixelIndex(x, y, GetNearestIndex(c));
        return;
    }
    BYTE* p = m_info.pImage + (size_t)y * m_info.dwEffWidth + (size_t)x * 3;
    p[0] = c.rgbBlue;
    p[1] = c.rgbGreen;
    p[2] = c.rgbRed;
}

void CMyImage::SetPixelColor(int32_t x, int32_t y, COLORREF c)
{
    SetPixelColor(x, y, RGBtoRGBQUAD(c));
}

BYTE CMyImage::GetPixelGray(int32_t x, int32_t y) const
{
    const RGBQUAD c = GetPixelColor(x, y);
    return (BYTE)(0.299 * c.rgbRed + 0.587 * c.rgbGreen + 0.114 * c.rgbBlue);
}

BYTE CMyImage::GetNearestIndex(RGBQUAD c)
{
    if (!m_pDib || !IsIndexed()) return 0;
    if (m_info.last_c_isvalid && Key(m_info.last_c) == Key(c)) return m_info.last_c_index;
    const RGBQUAD* pal = GetPalette();
    long best = 200000;
    BYTE index = 0;
    for (DWORD i = 0; i < m_head.biClrUsed; i++) {
        const long dr = (long)pal[i].rgbRed - c.rgbRed;
        const long dg = (long)pal[i].rgbGreen - c.rgbGreen;
        const long db = (long)pal[i].rgbBlue - c.rgbBlue;
        const long d = dr * dr + dg * dg + db * db;
        if (d == 0) {
            index = (BYTE)i;
            break;
        }
        if (d < best) {
            best = d;
            index = (BYTE)i;
        }
    }
    m_info.last_c = c;
    m_info.last_c_index = index;
    m_info.last_c_isvalid = true;
    return index;
}

// ----------------------------------------------------------------- palette

RGBQUAD* CMyImage::GetPalette() const
{
    if (!m_pDib || !m_head.biClrUsed) return nullptr;
    return (RGBQUAD*)((BYTE*)m_pDib + sizeof(BITMAPINFOHEADER));
}

RGBQUAD CMyImage::GetPaletteColor(BYTE index) const
{
    RGBQUAD c = {0, 0, 0, 0};
    const RGBQUAD* pal = GetPalette();
    if (pal && index < m_head.biClrUsed) c = pal[index];
    return c;
}

bool CMyImage::GetPaletteColor(BYTE index, BYTE* r, BYTE* g, BYTE* b) const
{
    const RGBQUAD* pal = GetPalette();
    if (!pal || index >= m_head.biClrUsed) return false;
    if (r) *r = pal[index].rgbRed;
    if (g) *g = pal[index].rgbGreen;
    if (b) *b = pal[index].rgbBlue;
    return true;
}

void CMyImage::SetPaletteColor(BYTE index, BYTE r, BYTE g, BYTE b, BYTE alpha)
{
    RGBQUAD* pal = GetPalette();
    if (!pal || index >= m_head.biClrUsed) return;
    pal[index].rgbRed = r;
    pal[index].rgbGreen = g;
    pal[index].rgbBlue = b;
    pal[index].rgbReserved = alpha;
    m_info.last_c_isvalid = false;
}

void CMyImage::SetPaletteColor(BYTE index, RGBQUAD c)
{
    RGBQUAD* pal = GetPalette();
    if (!pal || index >= m_head.biClrUsed) return;
    pal[index] = c;
    m_info.last_c_isvalid = false;
}

void CMyImage::SetPaletteColor(BYTE index, COLORREF c)
{
    SetPaletteColor(index, GetRValue(c), GetGValue(c), GetBValue(c), 0);
}

void CMyImage::SetPalette(DWORD n, const BYTE* r, const BYTE* g, const BYTE* b)
{
    RGBQUAD* pal = GetPalette();
    if (!pal || !r) return;
    if (!g) g = r;
    if (!b) b = g;
    if (n > m_head.biClrUsed) n = m_head.biClrUsed;
    for (DWORD i = 0; i < n; i++) {
        pal[i].rgbRed = r[i];
        pal[i].rgbGreen = g[i];
        pal[i].rgbBlue = b[i];
    }
    m_info.last_c_isvalid = false;
}

void CMyImage::SetPalette(const rgb_color* rgb, DWORD n)
{
    RGBQUAD* pal = GetPalette();
    if (!pal || !rgb) return;
    if (n > m_head.biClrUsed) n = m_head.biClrUsed;
    for (DWORD i = 0; i < n; i++) {
        pal[i].rgbRed = rgb[i].r;
        pal[i].rgbGreen = rgb[i].g;
        pal[i].rgbBlue = rgb[i].b;
    }
    m_info.last_c_isvalid = false;
}

void CMyImage::SetPalette(const RGBQUAD* src, DWORD n)
{
    RGBQUAD* pal = GetPalette();
    if (!pal || !src) return;
    if (n > m_head.biClrUsed) n = m_head.biClrUsed;
    std::memcpy(pal, src, n * sizeof(RGBQUAD));
    m_info.last_c_isvalid = false;
}

void CMyImage::SetGrayPalette()
{
    RGBQUAD* pal = GetPalette();
    if (!pal || m_head.biClrUsed < 2) return;
    const DWORD step = 255 / (m_head.biClrUsed - 1);
    for (DWORD i = 0; i < m_head.biClrUsed; i++) {
        const BYTE v = (BYTE)(step * i);
        pal[i].rgbRed = pal[i].rgbGreen = pal[i].rgbBlue = v;
        pal[i].rgbReserved = 0;
    }
    m_info.last_c_isvalid = false;
}

void CMyImage::BlendPalette(COLORREF c, DWORD percent)
{
    RGBQUAD* pal = GetPalette();
    if (!pal) return;
    if (percent > 100) percent = 100;
    const DWORD keep = 100 - percent;
    for (DWORD i = 0; i < m_head.biClrUsed; i++) {
        pal[i].rgbRed = (BYTE)((pal[i].rgbRed * keep + GetRValue(c) * percent) / 100);
        pal[i].rgbGreen = (BYTE)((pal[i].rgbGreen * keep + GetGValue(c) * percent) / 100);
        pal[i].rgbBlue = (BYTE)((pal[i].rgbBlue * keep + GetBValue(c) * percent) / 100);
    }
    m_info.last_c_isvalid = false;
}

bool CMyImage::IsGrayScale() const
{
    const RGBQUAD* pal = GetPalette();
    if (!pal) return false;
    for (DWORD i = 0; i < m_head.biClrUsed; i++)
        if (pal[i].rgbRed != i || pal[i].rgbGreen != i || pal[i].rgbBlue != i) return false;
    return true;
}

void CMyImage::SwapIndex(BYTE i, BYTE j)
{
    RGBQUAD* pal = GetPalette();
    if (!pal || i >= m_head.biClrUsed || j >= m_head.biClrUsed || i == j) return;
    const RGBQUAD t = pal[i];
    pal[i] = pal[j];
    pal[j] = t;
    for (int32_t y = 0; y < m_head.biHeight; y++)
        for (int32_t x = 0; x < m_head.biWidth; x++) {
            const BYTE k = BlindGetPixelIndex(x, y);
            if (k == i)
                BlindSetPixelIndex(x, y, j);
            else if (k == j)
                BlindSetPixelIndex(x, y, i);
        }
    m_info.last_c_isvalid = false;
}

void CMyImage::SetStdPalette()
{
    if (!m_pDib) return;
    static const BYTE pal16[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                      {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                      {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                      {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    if (m_head.biBitCount == 4) {
        for (BYTE i = 0; i < 16; i++) SetPaletteColor(i, pal16[i][0], pal16[i][1], pal16[i][2]);
    } else if (m_head.biBitCount == 8) {
        // The first ten and last ten entries are the fixed system colours; between
        // them a 6x6x6 colour cube and a grey ramp.
        static const BYTE head[10][3] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                                         {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                                         {192, 220, 192}, {166, 202, 240}};
        static const BYTE tail[10][3] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                         {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                         {0, 255, 255},   {255, 255, 255}};
        int k = 0;
        for (int i = 0; i < 10; i++, k++) SetPaletteColor((BYTE)k, head[i][0], head[i][1], head[i][2]);
        for (int r = 0; r < 6; r++)
            for (int g = 0; g < 6; g++)
                for (int b = 0; b < 6; b++, k++)
                    SetPaletteColor((BYTE)k, (BYTE)(r * 51), (BYTE)(g * 51), (BYTE)(b * 51));
        for (int i = 1; i <= 20; i++, k++) {
            const BYTE v = (BYTE)(i * 12);
            SetPaletteColor((BYTE)k, v, v, v);
        }
        for (int i = 0; i < 10; i++, k++) SetPaletteColor((BYTE)k, tail[i][0], tail[i][1], tail[i][2]);
    }
}

void CMyImage::RGBtoBGR(BYTE* buffer, int length) const
{
    if (!buffer || IsIndexed() || length <= 0) return;
    DWORD n = (DWORD)length;
    if (n > m_info.dwEffWidth) n = m_info.dwEffWidth;
    for (DWORD i = 0; i + 2 < n; i += 3) {
        const BYTE t = buffer[i];
        buffer[i] = buffer[i + 2];
        buffer[i + 2] = t;
    }
}

RGBQUAD CMyImage::RGBtoRGBQUAD(COLORREF c)
{
    RGBQUAD q;
    q.rgbRed = GetRValue(c);
    q.rgbGreen = GetGValue(c);
    q.rgbBlue = GetBValue(c);
    q.rgbReserved = 0;
    return q;
}

COLORREF CMyImage::RGBQUADtoRGB(RGBQUAD c)
{
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

int CMyImage::CompareColors(const RGBQUAD* a, const RGBQUAD* b)
{
    return Luminance(*a) - Luminance(*b);
}

// -------------------------------------------------------------- conversion

int CMyImage::ChangeColorDepth(int bpp)
{
    if (!m_pDib || m_head.biCompression != BI_RGB) return 0;
    const int depth = RoundDepth(bpp);
    if (depth == m_head.biBitCount) return 0;

    CMyImage tmp;
    if (!tmp.Create(GetWidth(), GetHeight(), depth, CMYIMAGE_FORMAT_BMP)) return 0;
    const int32_t w = m_head.biWidth, h = m_head.biHeight;
    const RGBQUAD oldTrans = GetTransColor();
    if (depth == 24) {
        for (int32_t y = 0; y < h; y++)
            for (int32_t x = 0; x < w; x++) tmp.SetPixelColor(x, y, BlindGetPixelColor(x, y));
    } else {
        RGBQUAD* pal = tmp.GetPalette();
        const DWORD capacity = tmp.m_head.biClrUsed;
        DWORD used = 0;
        std::unordered_map<DWORD, BYTE> known;  // exact colours and answers already given
        for (int32_t y = 0; y < h; y++)
            for (int32_t x = 0; x < w; x++) {
                const RGBQUAD c = BlindGetPixelColor(x, y);
                const DWORD key = Key(c);
                auto it = known.find(key);
                BYTE index;
                if (it != known.end()) {
                    index = it->second;
                } else if (used < capacity) {
                    index = (BYTE)used;
                    pal[used] = c;
                    pal[used].rgbReserved = 0;
                    used++;
                    known.emplace(key, index);
                } else {
                    int best = 1 << 30;
                    index = 0;
                    for (DWORD i = 0; i < capacity; i++) {
                        const int d = std::abs((int)pal[i].rgbRed - c.rgbRed) +
                                      std::abs((int)pal[i].rgbGreen - c.rgbGreen) +
                                      std::abs((int)pal[i].rgbBlue - c.rgbBlue);
                        if (d < best) {
                            best = d;
                            index = (BYTE)i;
                        }
                    }
                    known.emplace(key, index);
                }
                tmp.BlindSetPixelIndex(x, y, index);
            }
    }
    // Keep the record; the transparent colour follows the pixels when it survives.
    const bool wasTransparent = m_info.nBkgndIndex >= 0;
    const LONG xppm = m_head.biXPelsPerMeter, yppm = m_head.biYPelsPerMeter;
    TransferBlock(tmp, CMYIMAGE_FORMAT_BMP);
    m_head.biXPelsPerMeter = xppm;
    m_head.biYPelsPerMeter = yppm;
    if (wasTransparent) {
        m_info.nBkgndColor = oldTrans;
        if (IsIndexed()) {
            m_info.nBkgndIndex = -1;
            const RGBQUAD* pal = GetPalette();
            for (DWORD i = 0; i < m_head.biClrUsed; i++)
                if (Key(pal[i]) == Key(oldTrans)) {
                    m_info.nBkgndIndex = (int32_t)i;
                    break;
                }
        }
    }
    UpdateHeaderInBlock();
    return 1;
}

namespace {

struct Channel {
    DWORD mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(DWORD m) : mask(m)
    {
        if (!m) return;
        while (!((m >> shift) & 1)) shift++;
        DWORD v = m >> shift;
        while (v & 1) {
            bits++;
            v >>= 1;
        }
    }
    BYTE Get(DWORD p) const
    {
        if (!bits) return 0;
        const DWORD v = (p & mask) >> shift;
        if (bits >= 8) return (BYTE)(v >> (bits - 8));
        const DWORD max = (1u << bits) - 1;
        return (BYTE)((v * 255 + max / 2) / max);
    }
};

}  // namespace

void CMyImage::Bitfield2RGB(const BYTE* src, DWORD redMask, DWORD greenMask, DWORD blueMask, BYTE bpp)
{
    if (!m_pDib || !src || m_head.biBitCount != 24) return;
    const int32_t w = m_head.biWidth, h = m_head.biHeight;
    const DWORD eff = m_info.dwEffWidth;
    if (bpp == 16) {
        if (!redMask && !greenMask && !blueMask) {
            redMask = 0x7C00;
            greenMask = 0x03E0;
            blueMask = 0x001F;
        }
        const Channel r(redMask & 0xFFFF), g(greenMask & 0xFFFF), b(blueMask & 0xFFFF);
        const size_t srow = (size_t)((w + 1) / 2) * 4;
        // Last row and pixel first: the source may be this image's own rows.
        for (int32_t y = h - 1; y >= 0; y--) {
            const BYTE* s = src + (size_t)y * srow;
            BYTE* d = m_info.pImage + (size_t)y * eff;
            for (int32_t x = w - 1; x >= 0; x--) {
                const DWORD p = (DWORD)s[2 * x] | ((DWORD)s[2 * x + 1] << 8);
                d[3 * x] = b.Get(p);
                d[3 * x + 1] = g.Get(p);
                d[3 * x + 2] = r.Get(p);
            }
        }
    } else if (bpp == 32) {
        const bool masks = redMask || greenMask || blueMask;
        const Channel r(redMask), g(greenMask), b(blueMask);
        const size_t srow = (size_t)w * 4;
        for (int32_t y = h - 1; y >= 0; y--) {
            const BYTE* s = src + (size_t)y * srow;
            BYTE* d = m_info.pImage + (size_t)y * eff;
            for (int32_t x = w - 1; x >= 0; x--) {
                const BYTE* q = s + 4 * (size_t)x;
                if (masks) {
                    const DWORD p = (DWORD)q[0] | ((DWORD)q[1] << 8) | ((DWORD)q[2] << 16) | ((DWORD)q[3] << 24);
                    d[3 * x] = b.Get(p);
                    d[3 * x + 1] = g.Get(p);
                    d[3 * x + 2] = r.Get(p);
                } else {
                    d[3 * x] = q[0];
                    d[3 * x + 1] = q[1];
                    d[3 * x + 2] = q[2];
                }
            }
        }
    }
}

bool CMyImage::CreateFromARGB(DWORD width, DWORD height, const BYTE* buffer)
{
    if (!buffer) return false;
    if (!Create(width, height, 24, CMYIMAGE_FORMAT_BMP)) return false;
    for (DWORD y = 0; y < height; y++) {
        const BYTE* s = buffer + (size_t)(height - 1 - y) * width * 4;
        BYTE* d = m_info.pImage + (size_t)y * m_info.dwEffWidth;
        for (DWORD x = 0; x < width; x++) {
            d[3 * x] = s[4 * x];
            d[3 * x + 1] = s[4 * x + 1];
            d[3 * x + 2] = s[4 * x + 2];
        }
    }
    return true;
}

// ------------------------------------------------------------------- files

bool CMyImage::Decode(FILE* file, DWORD type)
{
    if (!file) return false;
    if (type == CMYIMAGE_FORMAT_BMP) {
        CMyImageBMP bmp;
        bmp.SetEscape(GetEscape());
        if (!bmp.Decode(file)) return false;
        Transfer(bmp);
        return true;
    }
    if (type == CMYIMAGE_FORMAT_GIF) {
        CMyImageGIF gif;
        gif.SetEscape(GetEscape());
        gif.SetFrame(m_info.nFrame);
        if (!gif.Decode(file)) {
            m_info.nNumFrames = gif.GetNumFrames();
            return false;
        }
        Transfer(gif);
        return true;
    }
    if (type == CMYIMAGE_FORMAT_UNKNOWN) {
        const long pos = std::ftell(file);
        if (pos < 0) return false;
        if (Decode(file, CMYIMAGE_FORMAT_BMP)) return true;
        std::fseek(file, pos, SEEK_SET);
        if (Decode(file, CMYIMAGE_FORMAT_GIF)) return true;
        std::fseek(file, pos, SEEK_SET);
        return false;
    }
    return false;
}

bool CMyImage::Load(const char* name, DWORD type)
{
    if (!name || !*name) return false;
    if (type == CMYIMAGE_FORMAT_BMP || type == CMYIMAGE_FORMAT_GIF) {
        FILE* f = std::fopen(name, "rb");
        if (!f) return false;
        const bool ok = Decode(f, type);
        std::fclose(f);
        if (ok) return true;
    }
    FILE* f = std::fopen(name, "rb");
    if (!f) return false;
    const bool ok = Decode(f, CMYIMAGE_FORMAT_UNKNOWN);
    std::fclose(f);
    return ok;
}

bool CMyImage::Encode(FILE* file, DWORD type)
{
    if (!file) return false;
    if (type == CMYIMAGE_FORMAT_BMP) {
        CMyImageBMP bmp;
        bmp.Ghost(this);
        return bmp.Encode(file);
    }
    if (type == CMYIMAGE_FORMAT_GIF) {
        CMyImageGIF gif;
        gif.Ghost(this);
        gif.SetEncodeOption(2);
        return gif.Encode(file);
    }
    return false;
}

bool CMyImage::Encode(FILE* file, CMyImage** frames, int count, DWORD type)
{
    if (type != CMYIMAGE_FORMAT_GIF) return false;
    CMyImageGIF gif;
    return gif.Encode(file, frames, count, true);
}

bool CMyImage::WriteToFile(const char* name, DWORD type)
{
    if (type != CMYIMAGE_FORMAT_BMP && type != CMYIMAGE_FORMAT_GIF) return false;
    CMyImageFileWriter out(name);
    if (!out.File()) return false;
    if (!Encode(out.File(), type)) return false;  // the old file stays as it was
    return out.Commit();
}

bool CMyImage::WriteGifFile(const char* name, int reduce)
{
    if (reduce && m_pDib && m_head.biBitCount > 8) ChangeColorDepth(8);
    return WriteToFile(name, CMYIMAGE_FORMAT_GIF);
}

bool CMyImage::WriteGifFile(const char* name, const char* const* frameFiles, int count)
{
    if (!frameFiles || count <= 0) return false;
    CMyImageFileWriter out(name);
    if (!out.File()) return false;
    CMyImageGIF gif;
    gif.Ghost(this);
    if (!gif.Encode(out.File(), frameFiles, count, true)) return false;
    return out.Commit();
}

// -------------------------------------------------------------- file writer

CMyImageFileWriter::CMyImageFileWriter(const char* name) : m_file(nullptr)
{
    m_name[0] = m_temp[0] = 0;
    if (!name || !*name || std::strlen(name) >= sizeof(m_name)) return;
    std::snprintf(m_name, sizeof(m_name), "%s", name);
    std::snprintf(m_temp, sizeof(m_temp), "%s.~tmp", name);
    m_file = std::fopen(m_temp, "wb");
}

CMyImageFileWriter::~CMyImageFileWriter()
{
    if (m_file) {
        std::fclose(m_file);
        std::remove(m_temp);
    }
}

bool CMyImageFileWriter::Commit()
{
    if (!m_file) return false;
    bool ok = std::fflush(m_file) == 0 && !std::ferror(m_file);
    ok = (std::fclose(m_file) == 0) && ok;
    m_file = nullptr;
    if (ok) {
#if defined(_WIN32)
        ok = MoveFileExA(m_temp, m_name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
        ok = std::rename(m_temp, m_name) == 0;
#endif
    }
    if (!ok) std::remove(m_temp);
    return ok;
}
