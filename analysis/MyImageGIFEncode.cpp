// CMyImageGIF: the writer (single pictures, true-colour mosaics, animations)
// and its three coders: uncompressed, LZW and run-length.
#include "analysis/MyImageGIF.h"
#include "analysis/MyImageGIFInternal.h"

#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

const int kHashSize = 5003;
const int kMaxCodes = 4096;

// The rows of an indexed picture from the top, one index per byte.
class RowSource {
public:
    explicit RowSource(CMyImage& image)
        : m_image(image),
          m_width((int32_t)image.GetWidth()),
          m_height((int32_t)image.GetHeight()),
          m_line((size_t)m_width)
    {
    }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    const BYTE* Row(int32_t fromTop)
    {
        const BYTE* src = m_image.GetBits() + (size_t)(m_height - 1 - fromTop) * m_image.GetEffWidth();
        switch (m_image.GetBpp()) {
            case 8: return src;
            case 4:
                for (int32_t x = 0; x < m_width; x++) m_line[x] = (x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4);
                return m_line.data();
            default:
                for (int32_t x = 0; x < m_width; x++) m_line[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
                return m_line.data();
        }
    }

private:
    CMyImage& m_image;
    int32_t m_width, m_height;
    std::vector<BYTE> m_line;
};

// Codes of growing width, least significant bit first, in sub-blocks of 254
// bytes; shared by the uncompressed and the LZW coder.
struct CodeOutput {
    CodeOutput(CMyImageGIFOut& o, int initBits) : out(o), initBits(initBits)
    {
        width = initBits;
        maxcode = (1 << width) - 1;
        clearCode = 1 << (initBits - 1);
        eofCode = clearCode + 1;
        freeEnt = clearCode + 2;
    }
    void Put(int code)
    {
        acc |= (uint32_t)code << nbits;
        nbits += width;
        while (nbits >= 8) {
            packet[count++] = (BYTE)(acc & 0xFF);
            acc >>= 8;
            nbits -= 8;
            if (count == 254) FlushPacket();
        }
        if (clearFlag) {
            width = initBits;
            maxcode = (1 << width) - 1;
            clearFlag = false;
        } else if (freeEnt > maxcode) {
            width++;
            maxcode = width == 12 ? kMaxCodes : (1 << width) - 1;
        }
    }
    void End()
    {
        Put(eofCode);
        if (nbits > 0) {
            packet[count++] = (BYTE)(acc & 0xFF);
            acc = 0;
            nbits = 0;
            if (count == 254) FlushPacket();
        }
        FlushPacket();
    }
    void FlushPacket()
    {
        if (!count) return;
        out.Byte(count);
        out.Bytes(packet, (size_t)count);
        count = 0;
    }
    CMyImageGIFOut& out;
    int initBits, width, maxcode, clearCode, eofCode, freeEnt;
    bool clearFlag = false;
    uint32_t acc = 0;
    int nbits = 0;
    int count = 0;
    BYTE packet[256];
};

// The run-length coder: sends only codes a decoder has already built from
// earlier repetitions of the same pixel, so no string table is kept.
struct RunCoder {
    RunCoder(CMyImageGIFOut& o, int initBits) : out(o)
    {
        codeClear = 1 << (initBits - 1);
        codeEof = codeClear + 1;
        runBase = codeEof + 1;
        bumpStart = codeClear - 1;
        clearStart = initBits <= 3 ? 9 : codeClear - 2;
        widthStart = initBits;
        maxCodes = kMaxCodes - (codeClear + 3);
    }
    void Add(int code)
    {
        acc |= (uint32_t)code << nbits;
        nbits += width;
        while (nbits >= 8) {
            block[blen++] = (BYTE)(acc & 0xFF);
            acc >>= 8;
            nbits -= 8;
            if (blen == 255) FlushBlock();
        }
    }
    void FlushBlock()
    {
        if (!blen) return;
        out.Byte(blen);
        out.Bytes(block, (size_t)blen);
        blen = 0;
    }
    void Reset()
    {
        width = widthStart;
        bump = bumpStart;
        clearPoint = clearStart;
        codes = 0;
        tableMax = 0;
        justCleared = true;
    }
    void Plain(int code)
    {
        justCleared = false;
        Add(code);
        codes++;
        if (codes >= bump) {
            width++;
            bump += 1 << (width - 1);
        }
        if (codes >= clearPoint) {
            Add(codeClear);
            Reset();
        }
    }
    static unsigned Triangle(unsigned count, unsigned reps)
    {
        const unsigned per = reps * (reps + 1) / 2;
        unsigned cost = 0;
        if (per) {
            cost += (count / per) * reps;
            count %= per;
        }
        if (count > 0) {
            unsigned k = 0;
            while (k * (k + 1) < 2 * count) k++;
            cost += k;
        }
        return cost;
    }
    void ResetClearPoint()
    {
        clearPoint = clearStart;
        if (codes >= clearPoint) {
            Add(codeClear);
            Reset();
        }
    }
    void FromClear(int count)
    {
        clearPoint = maxCodes;
        tablePixel = pixel;
        int k = 1;
        while (count > 0) {
            if (k == 1) {
                tableMax = 1;
                Plain(pixel);
                count--;
            } else if (count >= k) {
                tableMax = k;
                Plain(runBase + k - 2);
                count -= k;
            } else if (count == 1) {
                tableMax++;
                Plain(pixel);
                count = 0;
            } else {
                tableMax++;
                Plain(runBase + count - 2);
                count = 0;
            }
            k = codes == 0 ? 1 : k + 1;
        }
        ResetClearPoint();
    }
    void ClearOrRepeat(int count)
    {
        const int withClear = 1 + (int)Triangle((unsigned)count, (unsigned)maxCodes);
        if (withClear < count) {
            Add(codeClear);
            Reset();
            FromClear(count);
        } else {
            for (; count > 0; count--) Plain(pixel);
        }
    }
    void WithTable(int count)
    {
        int reps = count / tableMax;
        int leftover = count % tableMax;
        int leftCost = leftover ? 1 : 0;
        if (codes + reps + leftCost > maxCodes) {
            reps = maxCodes - codes;
            leftover = count - reps * tableMax;
            leftCost = 1 + (int)Triangle((unsigned)leftover, (unsigned)maxCodes);
        }
        if (1 + (int)Triangle((unsigned)count, (unsigned)maxCodes) < reps + leftCost) {
            Add(codeClear);
            Reset();
            FromClear(count);
            return;
        }
        clearPoint = maxCodes;
        for (; reps > 0; reps--) Plain(runBase + tableMax - 2);
        if (leftover) {
            if (justCleared)
                FromClear(leftover);
            else if (leftover == 1)
                Plain(pixel);
            else
                Plain(runBase + leftover - 2);
        }
        ResetClearPoint();
    }
    void FlushRun()
    {
        if (runCount == 1)
            Plain(pixel);
        else if (justCleared)
            FromClear(runCount);
        else if (tableMax < 2 || tablePixel != pixel)
            ClearOrRepeat(runCount);
        else
            WithTable(runCount);
        runCount = 0;
    }
    void Start()
    {
        Reset();
        Add(codeClear);
    }
    void Pixel(int c)
    {
        if (runCount > 0 && c != pixel) FlushRun();
        if (runCount > 0) {
            runCount++;
        } else {
            pixel = c;
            runCount = 1;
        }
    }
    void End()
    {
        if (runCount > 0) FlushRun();
        Add(codeEof);
        if (nbits > 0) {
            block[blen++] = (BYTE)(acc & 0xFF);
            acc = 0;
            nbits = 0;
            if (blen == 255) FlushBlock();
        }
        FlushBlock();
    }

    CMyImageGIFOut& out;
    int codeClear, codeEof, runBase, bumpStart, clearStart, widthStart, maxCodes;
    int width = 0, bump = 0, clearPoint = 0, codes = 0;
    int pixel = -1, runCount = 0, tablePixel = -1, tableMax = 0;
    bool justCleared = true;
    uint32_t acc = 0;
    int nbits = 0;
    int blen = 0;
    BYTE block[256];
};

int CodeSize(const CMyImage& image)
{
    return image.GetBpp() < 2 ? 2 : image.GetBpp();
}

}  // namespace

// ------------------------------------------------------------------- state

CMyImageGIF::CMyImageGIF() : CMyImage(CMYIMAGE_FORMAT_GIF) {}

CMyImageGIF::CMyImageGIF(const CMyImageGIF& src) : CMyImage(src, true)
{
    m_loops = src.m_loops;
    m_disposal = src.m_disposal;
    std::memcpy(m_comment, src.m_comment, sizeof(m_comment));
    m_gceFlags = src.m_gceFlags;
    m_gceDelay = src.m_gceDelay;
    m_gceTrans = src.m_gceTrans;
}

CMyImageGIF& CMyImageGIF::operator=(const CMyImageGIF& src)
{
    if (this == &src) return *this;
    CMyImage::operator=(src);
    m_loops = src.m_loops;
    m_disposal = src.m_disposal;
    std::memcpy(m_comment, src.m_comment, sizeof(m_comment));
    m_gceFlags = src.m_gceFlags;
    m_gceDelay = src.m_gceDelay;
    m_gceTrans = src.m_gceTrans;
    return *this;
}

void CMyImageGIF::SetComment(const char* text)
{
    if (!text) return;
    std::strncpy(m_comment, text, 254);
    m_comment[254] = 0;
}

void CMyImageGIF::GetComment(char* buffer) const
{
    if (!buffer) return;
    std::memcpy(buffer, m_comment, 254);
    buffer[254] = 0;
}

// ------------------------------------------------------------------ blocks

void CMyImageGIF::EncodeHeader(CMyImageGIFOut& out, CMyImage& image)
{
    out.Bytes("GIF89a", 6);
    out.Word((int)image.GetWidth());
    out.Word((int)image.GetHeight());
    const WORD bpp = image.GetBpp();
    const RGBQUAD* pal = image.GetPalette();
    if (!pal) {
        out.Byte(0x11);
    } else {
        out.Byte(bpp == 1 ? 0x80 : bpp == 4 ? 0xE3 : 0xE7);
    }
    out.Byte(0);  // background
    out.Byte(0);  // aspect ratio
    if (pal)
        for (DWORD i = 0; i < image.GetNumColors(); i++) {
            out.Byte(pal[i].rgbRed);
            out.Byte(pal[i].rgbGreen);
            out.Byte(pal[i].rgbBlue);
        }
}

void CMyImageGIF::EncodeLoopExtension(CMyImageGIFOut& out)
{
    out.Byte(0x21);
    out.Byte(0xFF);
    out.Byte(0x0B);
    out.Bytes("NETSCAPE2.0", 11);
    out.Byte(0x03);
    out.Byte(0x01);
    const int32_t repeat = m_loops - 1 < 0 ? 0 : m_loops - 1;
    out.Word(repeat > 0xFFFF ? 0xFFFF : repeat);
    out.Byte(0x00);
}

void CMyImageGIF::EncodeExtension(CMyImageGIFOut& out, CMyImage& image)
{
    m_gceFlags = (BYTE)((m_disposal & 7) << 2);
    if (image.GetTransIndex() >= 0) m_gceFlags |= 1;
    m_gceDelay = (WORD)image.GetFrameDelay();
    m_gceTrans = (BYTE)image.GetTransIndex();
    out.Byte(0x21);
    out.Byte(0xF9);
    out.Byte(0x04);
    out.Byte(m_gceFlags);
    out.Word(m_gceDelay);
    out.Byte(m_gceTrans);
    out.Byte(0x00);
}

void CMyImageGIF::EncodeBody(CMyImageGIFOut& out, CMyImage& image, bool localColorMap)
{
    int32_t left = 0, top = 0;
    image.GetOffset(&left, &top);
    out.Byte(0x2C);
    out.Word(left);
    out.Word(top);
    out.Word((int)image.GetWidth());
    out.Word((int)image.GetHeight());
    const RGBQUAD* pal = image.GetPalette();
    if (localColorMap && pal) {
        out.Byte((image.GetBpp() - 1) | 0x80);
        for (DWORD i = 0; i < image.GetNumColors(); i++) {
            out.Byte(pal[i].rgbRed);
            out.Byte(pal[i].rgbGreen);
            out.Byte(pal[i].rgbBlue);
        }
    } else {
        out.Byte(0);
    }
    const int codeSize = CodeSize(image);
    out.Byte(codeSize);
    switch (image.GetEncodeOption()) {
        case 1: compressNONE(out, image, codeSize + 1); break;
        case 2: compressLZW(out, image, codeSize + 1); break;
        default: compressRLE(out, image, codeSize + 1); break;
    }
    out.Byte(0x00);
}

void CMyImageGIF::EncodeComment(CMyImageGIFOut& out)
{
    const size_t n = std::strlen(m_comment);
    if (!n) return;
    out.Byte(0x21);
    out.Byte(0xFE);
    out.Byte((int)n);
    out.Bytes(m_comment, n);
    out.Byte(0x00);
}

// ------------------------------------------------------------------ coders

void CMyImageGIF::compressNONE(CMyImageGIFOut& out, CMyImage& image, int initBits)
{
    CodeOutput co(out, initBits);
    RowSource rows(image);
    co.Put(co.clearCode);
    for (int32_t y = 0; y < rows.Height(); y++) {
        const BYTE* row = rows.Row(y);
        for (int32_t x = 0; x < rows.Width(); x++) {
            co.Put(row[x]);
            if (co.freeEnt >= kMaxCodes) {
                co.freeEnt = co.clearCode + 2;
                co.clearFlag = true;
                co.Put(co.clearCode);
            } else {
                co.freeEnt++;
            }
        }
    }
    co.End();
}

void CMyImageGIF::compressLZW(CMyImageGIFOut& out, CMyImage& image, int initBits)
{
    CodeOutput co(out, initBits);
    RowSource rows(image);
    std::unique_ptr<int32_t[]> htab(new int32_t[kHashSize]);
    std::unique_ptr<uint16_t[]> codetab(new uint16_t[kHashSize]);
    for (int i = 0; i < kHashSize; i++) htab[i] = -1;
    const int hshift = 4;

    co.Put(co.clearCode);
    if (rows.Width() <= 0 || rows.Height() <= 0) {
        co.End();
        return;
    }
    int ent = -1;
    for (int32_t y = 0; y < rows.Height(); y++) {
        const BYTE* row = rows.Row(y);
        int32_t x = 0;
        if (ent < 0) ent = row[x++];
        for (; x < rows.Width(); x++) {
            const int c = row[x];
            const int32_t fcode = (c << 12) + ent;
            int i = (c << hshift) ^ ent;
            if (htab[i] == fcode) {
                ent = codetab[i];
                continue;
            }
            if (htab[i] >= 0) {
                const int disp = i == 0 ? 1 : kHashSize - i;
                bool found = false;
                do {
                    i -= disp;
                    if (i < 0) i += kHashSize;
                    if (htab[i] == fcode) {
                        ent = codetab[i];
                        found = true;
                        break;
                    }
                } while (htab[i] >= 0);
                if (found) continue;
            }
            co.Put(ent);
            ent = c;
            if (co.freeEnt < kMaxCodes) {
                codetab[i] = (uint16_t)co.freeEnt++;
                htab[i] = fcode;
            } else {
                for (int k = 0; k < kHashSize; k++) htab[k] = -1;
                co.freeEnt = co.clearCode + 2;
                co.clearFlag = true;
                co.Put(co.clearCode);
            }
        }
    }
    co.Put(ent);
    co.End();
}

void CMyImageGIF::compressRLE(CMyImageGIFOut& out, CMyImage& image, int initBits)
{
    RunCoder rc(out, initBits);
    RowSource rows(image);
    rc.Start();
    for (int32_t y = 0; y < rows.Height(); y++) {
        const BYTE* row = rows.Row(y);
        for (int32_t x = 0; x < rows.Width(); x++) rc.Pixel(row[x]);
    }
    rc.End();
}

// ------------------------------------------------------------------ writers

bool CMyImageGIF::Encode(FILE* file)
{
    if (!file || !m_pDib) return false;
    CMyImageGIFOut out(file);
    if (GetBpp() > 8) {
        if (!EncodeRGB(out)) return false;
        return out.Finish();
    }
    EncodeHeader(out, *this);
    EncodeExtension(out, *this);
    EncodeBody(out, *this, false);
    EncodeComment(out);
    out.Byte(0x3B);
    return out.Finish();
}

bool CMyImageGIF::EncodeRGB(CMyImageGIFOut& out)
{
    EncodeHeader(out, *this);
    const int32_t w = (int32_t)GetWidth(), h = (int32_t)GetHeight();
    const bool transparent = IsTransparent();
    const RGBQUAD trans = GetTransColor();
    CMyImageGIF tile;
    for (int32_t top = 0; top < h; top += 15) {
        const int32_t th = h - top < 15 ? h - top : 15;
        for (int32_t left = 0; left < w; left += 17) {
            const int32_t tw = w - left < 17 ? w - left : 17;
            if (!tile.Create((DWORD)tw, (DWORD)th, 8, CMYIMAGE_FORMAT_GIF)) return false;
            if (transparent) tile.SetPaletteColor(0, trans);
            tile.SetTransIndex(transparent ? 0 : -1);
            tile.SetFrameDelay(0);
            tile.SetOffset(left, top);
            tile.SetEncodeOption(2);
            // Tile row r counts from the tile's bottom row, which is picture row
            // (from the top) top + th - 1 - r, i.e. DIB row h - top - th + r.
            for (int32_t r = 0; r < th; r++) {
                const int32_t y = h - top - th + r;
                for (int32_t c = 0; c < tw; c++) {
                    const RGBQUAD color = BlindGetPixelColor(left + c, y);
                    tile.SetPaletteColor((BYTE)(1 + 17 * r + c), color);
                    tile.BlindSetPixelIndex(c, r, tile.GetNearestIndex(color));
                }
            }
            const int32_t keepDisposal = m_disposal;
            m_disposal = 0;
            EncodeExtension(out, tile);
            m_disposal = keepDisposal;
            EncodeBody(out, tile, true);
        }
    }
    EncodeComment(out);
    out.Byte(0x3B);
    return true;
}

bool CMyImageGIF::Encode(FILE* file, CMyImage** frames, int count, bool localColorMap)
{
    if (!file) throw std::runtime_error("invalid file pointer");
    if (!frames || count <= 0 || !frames[0]) throw std::runtime_error("multipage GIF, no images!");

    // Frames deeper than 8 bits are written from a reduced copy.
    auto indexed = [](CMyImage* image, std::unique_ptr<CMyImage>& keep) -> CMyImage* {
        if (image->IsEmpty()) throw std::runtime_error("Bad image pointer");
        if (image->GetBpp() <= 8) return image;
        keep.reset(new CMyImage(*image, true));
        keep->ChangeColorDepth(8);
        return keep.get();
    };

    CMyImageGIFOut out(file);
    std::unique_ptr<CMyImage> reduced;
    CMyImageGIF writer;
    writer.Ghost(indexed(frames[0], reduced));
    EncodeHeader(out, writer);
    if (m_loops != 1) EncodeLoopExtension(out);
    EncodeExtension(out, writer);
    EncodeBody(out, writer, false);
    for (int i = 1; i < count; i++) {
        if (!frames[i]) throw std::runtime_error("Bad image pointer");
        writer.Ghost(indexed(frames[i], reduced));
        EncodeExtension(out, writer);
        EncodeBody(out, writer, localColorMap);
    }
    EncodeComment(out);
    out.Byte(0x3B);
    return out.Finish();
}

bool CMyImageGIF::Encode(FILE* file, const char* const* names, int count, bool localColorMap)
{
    if (!file || !names || count <= 0 || !names[0] || !names[0][0]) return false;
    auto load = [this](const char* name, CMyImage& image) {
        if (!name || !*name || !image.Load(name, CMYIMAGE_FORMAT_UNKNOWN)) return false;
        if (image.GetBpp() > 8) image.ChangeColorDepth(8);
        image.SetTransIndex(-1);
        image.SetOffset(0, 0);
        image.SetEncodeOption(GetEncodeOption());
        return true;
    };
    CMyImage frame;
    if (!load(names[0], frame)) return false;
    // Every frame carries this object's delay and disposal method.
    frame.SetFrameDelay(GetFrameDelay());
    CMyImageGIFOut out(file);
    EncodeHeader(out, frame);
    if (m_loops != 1) EncodeLoopExtension(out);
    EncodeExtension(out, frame);
    EncodeBody(out, frame, false);
    for (int i = 1; i < count; i++) {
        CMyImage next;
        if (!load(names[i], next)) continue;
        next.SetFrameDelay(GetFrameDelay());
        EncodeExtension(out, next);
        EncodeBody(out, next, localColorMap);
    }
    EncodeComment(out);
    out.Byte(0x3B);
    return out.Finish();
}
