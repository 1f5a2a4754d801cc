// CMyImageBMP: Windows bitmap files. All numbers are little-endian and read
// byte by byte, so the layout does not depend on structure packing.
#include "analysis/MyImageBMP.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

inline DWORD Le32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}
inline WORD Le16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}
inline void Put32(BYTE* p, DWORD v)
{
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
    p[2] = (BYTE)(v >> 16);
    p[3] = (BYTE)(v >> 24);
}

// Bytes left in the file from the current position (-1 when unknown).
long long Remaining(FILE* f)
{
    const long pos = std::ftell(f);
    if (pos < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(f);
    std::fseek(f, pos, SEEK_SET);
    return end < pos ? 0 : (long long)(end - pos);
}

}  // namespace

CMyImageBMP::CMyImageBMP() : CMyImage(CMYIMAGE_FORMAT_BMP) {}

CMyImageBMP::CMyImageBMP(const CMyImageBMP& src) : CMyImage(src, true) {}

CMyImageBMP& CMyImageBMP::operator=(const CMyImageBMP& src)
{
    CMyImage::operator=(src);
    return *this;
}

bool CMyImageBMP::Encode(FILE* file)
{
    if (!file || !m_pDib) return false;
    m_head.biSize = sizeof(BITMAPINFOHEADER);
    UpdateHeaderInBlock();
    const DWORD offBits = 14 + sizeof(BITMAPINFOHEADER) + GetPaletteSize();
    BYTE fh[14] = {'B', 'M'};
    Put32(fh + 2, offBits + m_head.biSizeImage);
    Put32(fh + 6, 0);
    Put32(fh + 10, offBits);
    if (std::fwrite(fh, 1, sizeof(fh), file) != sizeof(fh)) return false;
    const size_t size = GetSize();
    if (std::fwrite(m_pDib, 1, size, file) != size) return false;
    return std::fflush(file) == 0;
}

bool CMyImageBMP::DibReadBitmapInfo(FILE* file, BITMAPINFOHEADER* head)
{
    if (!file || !head) return false;
    BYTE b[40];
    if (std::fread(b, 1, 40, file) != 40) return false;
    const DWORD size = Le32(b);
    m_coreHeader = false;
    m_headerMasks = false;
    std::memset(head, 0, sizeof(*head));
    if (size == 12) {
        head->biSize = 12;
        head->biWidth = Le16(b + 4);
        head->biHeight = Le16(b + 6);
        head->biPlanes = Le16(b + 8);
        head->biBitCount = Le16(b + 10);
        m_coreHeader = true;
        if (std::fseek(file, -28, SEEK_CUR) != 0) return false;
    } else if (size == 40 || size == 52 || size == 56 || size == 108 || size == 124) {
        // The longer forms start with the same 40 bytes; from byte 40 they hold
        // the bit-field masks, then values not used here.
        head->biSize = size;
        head->biWidth = (LONG)Le32(b + 4);
        head->biHeight = (LONG)Le32(b + 8);
        head->biPlanes = Le16(b + 12);
        head->biBitCount = Le16(b + 14);
        head->biCompression = Le32(b + 16);
        head->biSizeImage = Le32(b + 20);
        head->biXPelsPerMeter = (LONG)Le32(b + 24);
        head->biYPelsPerMeter = (LONG)Le32(b + 28);
        head->biClrUsed = Le32(b + 32);
        head->biClrImportant = Le32(b + 36);
        if (size > 40) {
            BYTE m[12];
            if (std::fread(m, 1, 12, file) != 12) return false;
            m_masks[0] = Le32(m);
            m_masks[1] = Le32(m + 4);
            m_masks[2] = Le32(m + 8);
            m_headerMasks = true;
            if (size > 52 && std::fseek(file, (long)(size - 52), SEEK_CUR) != 0) return false;
        }
    } else {
        return false;
    }
    if (head->biSizeImage == 0)
        head->biSizeImage =
            (DWORD)((((uint64_t)head->biBitCount * (uint32_t)std::abs((int64_t)head->biWidth) + 31) / 8 &
                     ~(uint64_t)3) *
                    (uint64_t)std::abs((int64_t)head->biHeight));
    if (head->biClrUsed == 0 && head->biBitCount <= 8) head->biClrUsed = 1u << head->biBitCount;
    return true;
}

bool CMyImageBMP::Decode(FILE* file)
{
    m_reason = "";
    if (!file) return false;
    const long start = std::ftell(file);
    if (start < 0) return Fail("Not a BMP");

    BYTE fh[14];
    if (std::fread(fh, 1, 14, file) != 14) return Fail("Not a BMP");
    DWORD offBits = 0;
    if (fh[0] == 'B' && fh[1] == 'M') {
        offBits = Le32(fh + 10);
    } else if (std::fseek(file, start, SEEK_SET) != 0) {
        return Fail("Not a BMP");
    }

    BITMAPINFOHEADER bih;
    if (!DibReadBitmapInfo(file, &bih)) return Fail("Error reading BMP info");
    const DWORD compression = bih.biCompression;
    const WORD bits = bih.biBitCount;
    const bool core = m_coreHeader;
    const bool topDown = bih.biHeight < 0;
    const int64_t width = bih.biWidth;
    const int64_t height = topDown ? -(int64_t)bih.biHeight : (int64_t)bih.biHeight;

    // Depths and compressions this reader handles; anything else is refused
    // before a picture is made.
    bool supported = false;
    switch (bits) {
        case 1: supported = compression == BI_RGB; break;
        case 4: supported = compression == BI_RGB || compression == BI_RLE4; break;
        case 8: supported = compression == BI_RGB || compression == BI_RLE8; break;
        case 16:
        case 32: supported = compression == BI_RGB || compression == BI_BITFIELDS; break;
        case 24: supported = compression == BI_RGB; break;
        default: return Fail("bit count not supported");
    }
    if (!supported) return Fail(bits == 24 || bits >= 16 ? "unknown compression" : "compression type not supported");
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return Fail("Error reading BMP info");

    // The rows as stored in the file, and what the file can hold.
    const uint64_t fileRow = (((uint64_t)width * bits + 31) / 32) * 4;
    const uint64_t fileRows = fileRow * (uint64_t)height;
    const long long left = Remaining(file);
    if (left < 0) return Fail("Not a BMP");
    const bool rle = compression == BI_RLE4 || compression == BI_RLE8;
    if (!rle && fileRows > (uint64_t)left) return Fail("image size larger than the data");
    // A run-length file expands at most to about 255 pixels per two bytes, except
    // for skipped areas; refuse pictures far larger than that.
    const uint64_t outRow = (((uint64_t)width * (bits > 8 ? 24 : bits) + 31) / 32) * 4;
    if (rle && outRow * (uint64_t)height > (uint64_t)left * 256 + 65536) return Fail("image size larger than the data");

    if (!Create((DWORD)width, (DWORD)height, bits, CMYIMAGE_FORMAT_BMP)) return Fail("Can't allocate memory");
    if (bih.biXPelsPerMeter > 0) SetXDPI((int32_t)(bih.biXPelsPerMeter * 254.0 / 10000 + 0.5));
    if (bih.biYPelsPerMeter > 0) SetYDPI((int32_t)(bih.biYPelsPerMeter * 254.0 / 10000 + 0.5));

    if (GetEscape()) return Fail("Cancelled");

    DWORD masks[3] = {0, 0, 0};
    if (compression == BI_BITFIELDS) {
        if (m_headerMasks) {
            std::memcpy(masks, m_masks, sizeof(masks));
        } else {
            BYTE m[12];
            if (std::fread(m, 1, 12, file) != 12) return Fail("Error reading BMP info");
            masks[0] = Le32(m);
            masks[1] = Le32(m + 4);
            masks[2] = Le32(m + 8);
        }
    }

    if (IsIndexed()) {
        DWORD entries = bih.biClrUsed ? bih.biClrUsed : (1u << bits);
        const DWORD entrySize = core ? 3 : 4;
        if ((uint64_t)entries * entrySize > (uint64_t)left) return Fail("Error reading BMP info");
        RGBQUAD* pal = GetPalette();
        const DWORD keep = entries < GetNumColors() ? entries : GetNumColors();
        for (DWORD i = 0; i < entries; i++) {
            BYTE e[4] = {0, 0, 0, 0};
            if (std::fread(e, 1, entrySize, file) != entrySize) return Fail("Error reading BMP info");
            if (i < keep) {
                pal[i].rgbBlue = e[0];
                pal[i].rgbGreen = e[1];
                pal[i].rgbRed = e[2];
                pal[i].rgbReserved = 0;
            }
        }
        m_info.last_c_isvalid = false;
    }

    if (GetEscape()) return Fail("Cancelled");

    if (offBits != 0) {
        const long long end = (long long)start + offBits;
        if (end > 0x7FFFFFFF || std::fseek(file, (long)end, SEEK_SET) != 0) return Fail("Not a BMP");
        const long long rest = Remaining(file);
        if (rest < 0 || (!rle && fileRows > (uint64_t)rest)) return Fail("image size larger than the data");
    }

    switch (bits) {
        case 1:
        case 4:
        case 8:
            if (compression == BI_RGB) {
                if (std::fread(m_info.pImage, 1, (size_t)fileRows, file) != fileRows)
                    return Fail("image size larger than the data");
            } else {
                Clear(0);
                if (!DecodeRLE(file, compression == BI_RLE4)) return false;
            }
            break;
        case 24:
            if (std::fread(m_info.pImage, 1, (size_t)fileRows, file) != fileRows)
                return Fail("image size larger than the data");
            break;
        case 16:
        case 32: {
            std::vector<BYTE> buf;
            try {
                buf.resize((size_t)fileRows);
            } catch (...) {
                return Fail("can't allocate memory");
            }
            if (std::fread(buf.data(), 1, buf.size(), file) != buf.size())
                return Fail("image size larger than the data");
            if (bits == 16 && compression != BI_BITFIELDS) {
                masks[0] = 0x7C00;
                masks[1] = 0x03E0;
                masks[2] = 0x001F;
            }
            Bitfield2RGB(buf.data(), masks[0], masks[1], masks[2], (BYTE)bits);
            break;
        }
        default: break;
    }

    if (topDown) {
        // Rows stored top row first: turn them over so row 0 is the bottom row.
        const size_t eff = GetEffWidth();
        std::vector<BYTE> tmp(eff);
        for (int64_t a = 0, b = height - 1; a < b; a++, b--) {
            BYTE* ra = m_info.pImage + (size_t)a * eff;
            BYTE* rb = m_info.pImage + (size_t)b * eff;
            std::memcpy(tmp.data(), ra, eff);
            std::memcpy(ra, rb, eff);
            std::memcpy(rb, tmp.data(), eff);
        }
    }
    return true;
}

bool CMyImageBMP::DecodeRLE(FILE* file, bool rle4)
{
    const int64_t w = m_head.biWidth, h = m_head.biHeight;
    int64_t x = 0, y = 0;
    auto put = [&](int64_t px, BYTE index) {
        if (px >= 0 && px < w && y < h) BlindSetPixelIndex((int32_t)px, (int32_t)y, index);
    };
    for (;;) {
        if (GetEscape()) return Fail("Cancelled");
        const int count = std::fgetc(file);
        const int value = std::fgetc(file);
        if (count == EOF || value == EOF) return true;  // a missing end mark ends the picture
        if (count > 0) {
            for (int i = 0; i < count; i++, x++) {
                const BYTE idx = rle4 ? (BYTE)((i & 1) ? (value & 0x0F) : (value >> 4)) : (BYTE)value;
                put(x, idx);
            }
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                y++;
                break;
            case 1:  // end of picture
                return true;
            case 2: {  // delta: right, up
                const int dx = std::fgetc(file);
                const int dy = std::fgetc(file);
                if (dx == EOF || dy == EOF) return true;
                x += dx;
                y += dy;
                break;
            }
            default: {  // absolute run of `value` pixels, padded to 16 bits
                const int n = value;
                const int bytes = rle4 ? (n + 1) / 2 : n;
                BYTE buf[256];
                if ((int)std::fread(buf, 1, (size_t)bytes, file) != bytes) return true;
                for (int i = 0; i < n; i++, x++) {
                    const BYTE idx = rle4 ? (BYTE)((i & 1) ? (buf[i / 2] & 0x0F) : (buf[i / 2] >> 4)) : buf[i];
                    put(x, idx);
                }
                if (bytes & 1) std::fgetc(file);
                break;
            }
        }
        if (y >= h) return true;
    }
}
