// CMyImageGIF: the reader. One chosen frame is read; frames after the first
// are composed on the logical screen the way a viewer shows them, and mosaic
// files (tiles without a global colour table) become one true-colour picture.
#include "analysis/MyImageGIF.h"
#include "analysis/MyImageGIFInternal.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace {

const int kMaxCodes = 4096;
// A GIF code of at most 12 bits stands for at most about 4000 pixels, so a
// picture cannot hold much more than this many pixels per byte of data.
const uint64_t kPixelsPerByte = 2800;

struct Table {
    RGBQUAD entries[256];
    int count = 0;
    bool Read(CMyImageGIFIn& in, int flags)
    {
        count = 2 << (flags & 7);
        BYTE raw[768];
        if (!in.Read(raw, (size_t)count * 3)) return false;
        for (int i = 0; i < count; i++) {
            entries[i].rgbRed = raw[3 * i];
            entries[i].rgbGreen = raw[3 * i + 1];
            entries[i].rgbBlue = raw[3 * i + 2];
            entries[i].rgbReserved = 0;
        }
        return true;
    }
    bool Same(const Table& o) const
    {
        return count == o.count && std::memcmp(entries, o.entries, sizeof(RGBQUAD) * (size_t)count) == 0;
    }
};

bool SkipSubBlocks(CMyImageGIFIn& in)
{
    for (;;) {
        const int n = in.Get();
        if (n < 0) return false;
        if (n == 0) return true;
        if (!in.Skip((size_t)n)) return false;
    }
}

// LZW data of one image into pix (width x height, rows from the top). Rows
// the data do not reach keep their value. Returns false when the data give
// no pixel (bad code size, no data).
class LzwReader {
public:
    bool Decode(CMyImageGIFIn& in, int32_t w, int32_t h, bool interlaced, BYTE* pix)
    {
        const int codeSize = in.Get();
        if (codeSize < 2 || codeSize > 9) {
            if (codeSize >= 0) SkipSubBlocks(in);
            return false;
        }
        m_in = &in;
        m_blockLeft = 0;
        m_acc = 0;
        m_nbits = 0;
        m_ended = false;

        // Row order from the top: plain, or the four interlace passes.
        std::unique_ptr<int32_t[]> order(new int32_t[(size_t)h + 1]);
        int32_t k = 0;
        if (interlaced) {
            static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
            for (int p = 0; p < 4; p++)
                for (int32_t y = start[p]; y < h; y += step[p]) order[k++] = y;
        } else {
            for (int32_t y = 0; y < h; y++) order[k++] = y;
        }
        int32_t row = 0, col = 0;
        BYTE* line = h > 0 ? pix + (size_t)order[0] * w : nullptr;
        auto emit = [&](const BYTE* s, int n) -> bool {  // s holds n pixels in reverse
            while (n > 0) {
                if (row >= h) return false;
                int take = w - col;
                if (take > n) take = n;
                for (int i = 0; i < take; i++) line[col + i] = s[n - 1 - i];
                n -= take;
                col += take;
                if (col == w) {
                    col = 0;
                    if (++row < h) line = pix + (size_t)order[row] * w;
                }
            }
            return row < h;
        };

        const int clear = 1 << codeSize, eoi = clear + 1;
        int width = codeSize + 1, avail = clear + 2, old = -1, first = 0;
        for (int i = 0; i < clear; i++) {
            m_prefix[i] = 0;
            m_suffix[i] = (BYTE)i;
        }
        if (w > 0 && h > 0) {
            for (;;) {
                const int code = NextCode(width);
                if (code < 0 || code == eoi) break;
                if (code == clear) {
                    width = codeSize + 1;
                    avail = clear + 2;
                    old = -1;
                    continue;
                }
                if (old < 0) {
                    // First code after a clear: a literal (anything else counts as 0).
                    const int lit = code < clear ? code : 0;
                    BYTE px = (BYTE)lit;
                    first = lit;
                    old = lit;
                    if (!emit(&px, 1)) break;
                    continue;
                }
                int cur = code;
                int sp = 0;
                if (code == avail) {
                    m_stack[sp++] = (BYTE)first;
                    cur = old;
                } else if (code > avail) {
                    break;  // a code the table cannot have yet: broken data
                }
                // Each entry's prefix is lower than the entry, so this ends within
                // the table's size; the stack holds 4097 pixels.
                while (cur >= clear) {
                    m_stack[sp++] = m_suffix[cur];
                    cur = m_prefix[cur];
                }
                first = cur;
                m_stack[sp++] = (BYTE)cur;
                if (avail < kMaxCodes) {
                    m_prefix[avail] = (uint16_t)old;
                    m_suffix[avail] = (BYTE)first;
                    avail++;
                    if (avail >= (1 << width) && width < 12) width++;
                }
                old = code;
                if (!emit(m_stack, sp)) break;
            }
        }
        // Go on right after the image data, whatever was left unread.
        if (!m_ended) {
            in.Skip((size_t)m_blockLeft);
            SkipSubBlocks(in);
        }
        return row > 0 || col > 0;  // data that give no pixel at all do not make a picture
    }

private:
    int NextCode(int width)
    {
        while (m_nbits < width) {
            if (m_blockLeft == 0) {
                if (m_ended) return -1;
                const int n = m_in->Get();
                if (n <= 0) {
                    m_ended = true;  // the empty sub-block (or the end of the file) was read
                    return -1;
                }
                m_blockLeft = n;
            }
            const int b = m_in->Get();
            if (b < 0) {
                m_ended = true;
                return -1;
            }
            m_blockLeft--;
            m_acc |= (uint32_t)b << m_nbits;
            m_nbits += 8;
        }
        const int code = (int)(m_acc & ((1u << width) - 1));
        m_acc >>= width;
        m_nbits -= width;
        return code;
    }

    CMyImageGIFIn* m_in = nullptr;
    int m_blockLeft = 0;
    uint32_t m_acc = 0;
    int m_nbits = 0;
    bool m_ended = false;
    uint16_t m_prefix[kMaxCodes];
    BYTE m_suffix[kMaxCodes];
    BYTE m_stack[kMaxCodes + 1];
};

// The logical screen while frames are laid on it.
struct Canvas {
    std::vector<BYTE> index;     // frame indices, while one colour table serves all
    std::vector<RGBQUAD> color;  // rgbReserved 1 = painted, 0 = transparent
    std::vector<BYTE> savedIndex;
    std::vector<RGBQUAD> savedColor;
    Table base;
    int32_t baseTrans = -1;
    bool single = true;
    bool started = false;
    // The frame laid last, whose disposal comes before the next one.
    int prevDisposal = 0;
    int32_t prevLeft = 0, prevTop = 0, prevW = 0, prevH = 0;
    bool prevTransparent = false;
};
// Bytes a screen pixel takes in the canvas: index and colour, and both again
// for a frame that restores the screen before it.
const uint64_t kCanvasBytesPerPixel = 2 * (sizeof(BYTE) + sizeof(RGBQUAD));

}  // namespace

// What Decode carries from one image to the next.
struct CMyImageGIFReading {
    explicit CMyImageGIFReading(CMyImageGIFIn& i) : in(i) {}
    CMyImageGIFIn& in;
    int32_t screenW = 0, screenH = 0;
    int background = 0;
    bool hasGlobal = false;
    Table global;
    int32_t frames = 0;
    int32_t target = 0;  // the image whose reading ends the decoding
    bool mosaic = false;
    bool composing = false;  // the chosen picture is the composed screen
    uint64_t pixelCap = 0;   // most pixels the file's data can fill
    // Graphic control values waiting for the next image.
    int32_t trans = -1;
    int disposal = 0;
    DWORD delay = 0;
    LzwReader lzw;
    Canvas canvas;
};

// One image as read: where it lies, what its graphic control block said, its
// colour table and its pixels (indices from the top, and as a picture).
struct CMyImageGIFImage {
    int32_t left = 0, top = 0, w = 0, h = 0;
    int flags = 0;
    int32_t trans = -1;
    int disposal = 0;
    DWORD delay = 0;
    Table local;
    const Table* table = nullptr;
    int entries = 0;
    bool decoded = false;
    std::vector<BYTE> pix;
    CMyImage picture{CMYIMAGE_FORMAT_GIF};
};

int CMyImageGIF::get_num_frames(CMyImageGIFIn& in)
{
    int count = 0;
    for (;;) {
        const int b = in.Get();
        if (b < 0 || b == 0x3B) break;
        if (b == 0x21) {
            if (in.Get() < 0 || !SkipSubBlocks(in)) break;
        } else if (b == 0x2C) {
            BYTE d[9];
            if (!in.Read(d, 9)) break;
            if ((d[8] & 0x80) && !in.Skip((size_t)(2 << (d[8] & 7)) * 3)) break;
            if (in.Get() < 0 || !SkipSubBlocks(in)) {
                count++;  // an image whose data are cut short still counts
                break;
            }
            count++;
        }
    }
    return count;
}

bool CMyImageGIF::DecodeExtension(CMyImageGIFIn& in)
{
    const int label = in.Get();
    if (label < 0) return false;
    if (label == 0xF9) {
        const int n = in.Get();
        if (n < 0) return false;
        BYTE b[255];
        if (!in.Read(b, (size_t)n)) return false;
        if (n >= 4) {
            m_gceFlags = b[0];
            m_gceDelay = (WORD)(b[1] | (b[2] << 8));
            m_gceTrans = b[3];
            m_info.nBkgndIndex = (m_gceFlags & 1) ? m_gceTrans : -1;
            m_info.dwFrameDelay = m_gceDelay;
            m_disposal = (m_gceFlags >> 2) & 7;
        }
    } else if (label == 0xFE) {
        const int n = in.Get();
        if (n < 0) return false;
        BYTE b[255];
        if (!in.Read(b, (size_t)n)) return false;
        const int keep = n < 254 ? n : 254;  // the comment holds 254 characters
        std::memcpy(m_comment, b, (size_t)keep);
        m_comment[keep] = 0;
    } else if (label == 0xFF) {
        if (in.Get() != 11) return false;
        char id[11];
        if (!in.Read(id, 11)) return false;
        if (std::memcmp(id, "NETSCAPE2.0", 11) == 0 || std::memcmp(id, "ANIMEXTS1.0", 11) == 0) {
            const int n = in.Get();
            if (n < 3) return false;
            BYTE b[255];
            if (!in.Read(b, (size_t)n)) return false;
            m_loops = b[1] | (b[2] << 8);
        }
    }
    return SkipSubBlocks(in);
}

bool CMyImageGIF::Decode(FILE* file)
{
    m_reason = "";
    if (!file) return Fail("invalid file pointer");
    CMyImageGIFIn in(file);
    if (in.base < 0) return Fail("Not a GIF");
    struct Release {
        CMyImageGIFIn& in;
        ~Release() { in.Release(); }
    } release{in};

    try {
        auto r = std::make_unique<CMyImageGIFReading>(in);
        BYTE head[13];
        if (!in.Read(head, 13) || std::memcmp(head, "GIF8", 4) != 0) return Fail("Not a GIF");
        r->screenW = head[6] | (head[7] << 8);
        r->screenH = head[8] | (head[9] << 8);
        r->background = head[11];
        r->hasGlobal = (head[10] & 0x80) != 0;
        if (r->hasGlobal && !r->global.Read(in, head[10])) return Fail("Not a GIF");

        const long dataStart = in.Tell();
        r->pixelCap = (uint64_t)in.Remaining() * kPixelsPerByte + 65536;
        r->frames = get_num_frames(in);
        m_info.nNumFrames = r->frames;
        if (!in.Seek(dataStart)) return Fail("Not a GIF");
        if (m_info.nFrame < 0 || m_info.nFrame >= r->frames) return Fail("frame out of range");
        r->target = m_info.nFrame;

        auto image = std::make_unique<CMyImageGIFImage>();
        for (int32_t imageIndex = 0;; imageIndex++) {
            // Blocks up to the next image descriptor.
            for (;;) {
                if (GetEscape()) return Fail("Cancelled");
                const int b = in.Get();
                if (b < 0 || b == 0x3B) return Fail("frame not found");
                if (b == 0x2C) break;
                if (b == 0x21) {
                    m_info.nBkgndIndex = r->trans;
                    m_info.dwFrameDelay = r->delay;
                    m_disposal = r->disposal;
                    if (!DecodeExtension(in)) return Fail("bad extension block");
                    r->trans = m_info.nBkgndIndex;
                    r->disposal = m_disposal;
                    r->delay = m_info.dwFrameDelay;
                }
            }
            if (!ReadImage(*r, *image, imageIndex)) return false;
            if (!image->decoded) continue;
            if (!r->composing) return FinishDecode(image->picture, *image, image->left, image->top);
            ComposeImage(*r, *image);
            // In a mosaic the chosen image is the last, once ReadImage has seen the first.
            if (imageIndex == r->target) {
                CMyImage result(CMYIMAGE_FORMAT_GIF);
                if (!ComposedPicture(*r, *image, result)) return false;
                return FinishDecode(result, *image, 0, 0);
            }
        }
    } catch (const std::bad_alloc&) {
        return Fail("Can't allocate memory");
    }
}

bool CMyImageGIF::ReadImage(CMyImageGIFReading& r, CMyImageGIFImage& image, int32_t imageIndex)
{
    CMyImageGIFIn& in = r.in;
    image.decoded = false;
    BYTE d[9];
    if (!in.Read(d, 9)) return Fail("GIF data cut short");
    image.left = d[0] | (d[1] << 8);
    image.top = d[2] | (d[3] << 8);
    image.w = d[4] | (d[5] << 8);
    image.h = d[6] | (d[7] << 8);
    image.flags = d[8];
    image.trans = r.trans;
    image.disposal = r.disposal;
    image.delay = r.delay;
    r.trans = -1;  // a graphic control block speaks for one image only
    r.disposal = 0;
    r.delay = 0;
    const int32_t w = image.w, h = image.h;
    const bool hasLocal = (image.flags & 0x80) != 0;
    if (hasLocal && !image.local.Read(in, image.flags)) return Fail("GIF data cut short");
    image.table = hasLocal ? &image.local : &r.global;
    image.entries = hasLocal ? image.local.count : r.hasGlobal ? r.global.count : 0;

    if (imageIndex == 0) {
        r.mosaic = !r.hasGlobal && w != r.screenW && h != r.screenH;
        if (r.mosaic) r.target = r.frames - 1;
        r.composing = r.mosaic || r.target > 0;
        // The composed screen may become a true-colour picture: it must be one
        // the image can hold, with a canvas within the same limit, and one the
        // data can plausibly fill, before anything is allocated for it.
        if (r.composing) {
            const uint64_t pixels = (uint64_t)r.screenW * (uint64_t)r.screenH;
            if (!CanCreate((DWORD)r.screenW, (DWORD)r.screenH, 24) || pixels * kCanvasBytesPerPixel > kMaxBlockSize)
                return Fail("logical screen larger than the picture limit");
            if (pixels > r.pixelCap) return Fail("image size larger than the data");
        }
    }
    const bool chosen = imageIndex == r.target;
    if (image.left + w > r.screenW || image.top + h > r.screenH) {
        if (chosen) return Fail("image outside the logical screen");
        if (in.Get() < 0 || !SkipSubBlocks(in)) return Fail("GIF data cut short");
        return true;
    }
    // Indices are decoded a byte per pixel, into a picture of at most 8 bits.
    if (!CanCreate((DWORD)w, (DWORD)h, 8)) return Fail("image larger than the picture limit");
    if ((uint64_t)w * (uint64_t)h > r.pixelCap) return Fail("image size larger than the data");

    image.pix.assign((size_t)w * (size_t)h, (BYTE)(image.trans >= 0 ? image.trans : 0));
    if (!r.lzw.Decode(in, w, h, (image.flags & 0x40) != 0, image.pix.data()))
        return chosen ? Fail("bad image data") : true;

    const int bpp = image.entries == 0 ? 8 : image.entries <= 2 ? 1 : image.entries <= 16 ? 4 : 8;
    CMyImage& frame = image.picture;
    if (!frame.Create((DWORD)w, (DWORD)h, bpp, CMYIMAGE_FORMAT_GIF)) return Fail("Can't allocate memory");
    RGBQUAD* pal = frame.GetPalette();
    const int palCount = (int)frame.GetNumColors();
    for (int i = 0; i < palCount; i++) {
        if (i < image.entries)
            pal[i] = image.table->entries[i];
        else if (image.trans >= 0)
            pal[i] = RGBQUAD{255, 255, 255, 0};  // only up to the picture's own table
    }
    for (int32_t y = 0; y < h; y++) {
        const BYTE* src = image.pix.data() + (size_t)y * w;
        const int32_t dy = h - 1 - y;
        if (bpp == 8) {
            std::memcpy(frame.GetBits() + (size_t)dy * frame.GetEffWidth(), src, (size_t)w);
        } else {
            for (int32_t x = 0; x < w; x++) frame.BlindSetPixelIndex(x, dy, src[x]);
        }
    }
    frame.SetTransIndex(image.trans);
    image.decoded = true;
    return true;
}

void CMyImageGIF::ComposeImage(CMyImageGIFReading& r, const CMyImageGIFImage& image)
{
    Canvas& canvas = r.canvas;
    const int32_t screenW = r.screenW;
    if (!canvas.started) {
        canvas.started = true;
        canvas.base = *image.table;
        canvas.base.count = image.entries;
        canvas.baseTrans = image.trans;
        const size_t n = (size_t)screenW * (size_t)r.screenH;
        const BYTE fill = (BYTE)(image.trans >= 0 ? image.trans : r.background);
        canvas.index.assign(n, fill);
        canvas.color.assign(n, RGBQUAD{0, 0, 0, 0});
        canvas.single = !r.mosaic;
    } else {
        // What the previous frame asked to happen once it had been shown.
        if (canvas.prevDisposal == 2) {
            const BYTE fill = (BYTE)(canvas.baseTrans >= 0 ? canvas.baseTrans : r.background);
            RGBQUAD bg = {0, 0, 0, 0};
            if (!canvas.prevTransparent && r.hasGlobal && r.background < r.global.count) {
                bg = r.global.entries[r.background];
                bg.rgbReserved = 1;
            }
            for (int32_t y = canvas.prevTop; y < canvas.prevTop + canvas.prevH; y++)
                for (int32_t x = canvas.prevLeft; x < canvas.prevLeft + canvas.prevW; x++) {
                    canvas.index[(size_t)y * screenW + x] = fill;
                    canvas.color[(size_t)y * screenW + x] = bg;
                }
        } else if (canvas.prevDisposal == 3 && !canvas.savedColor.empty()) {
            canvas.index = canvas.savedIndex;
            canvas.color = canvas.savedColor;
        }
        Table mine = *image.table;
        mine.count = image.entries;
        if (!mine.Same(canvas.base)) canvas.single = false;
    }
    if (image.disposal == 3) {
        canvas.savedIndex = canvas.index;
        canvas.savedColor = canvas.color;
    }
    for (int32_t y = 0; y < image.h; y++) {
        const BYTE* src = image.pix.data() + (size_t)y * image.w;
        const size_t at = (size_t)(image.top + y) * screenW + image.left;
        for (int32_t x = 0; x < image.w; x++) {
            const BYTE p = src[x];
            if (!r.mosaic && p == image.trans) continue;
            canvas.index[at + x] = p;
            RGBQUAD c = image.picture.GetPaletteColor(p);
            c.rgbReserved = 1;
            canvas.color[at + x] = c;
        }
    }
    canvas.prevDisposal = image.disposal;
    canvas.prevLeft = image.left;
    canvas.prevTop = image.top;
    canvas.prevW = image.w;
    canvas.prevH = image.h;
    canvas.prevTransparent = image.trans >= 0;
}

bool CMyImageGIF::ComposedPicture(CMyImageGIFReading& r, const CMyImageGIFImage& image, CMyImage& out)
{
    const Canvas& canvas = r.canvas;
    const int32_t screenW = r.screenW, screenH = r.screenH;
    const bool indexed = canvas.single && canvas.base.count > 0;
    const int bpp = !indexed ? 24 : canvas.base.count <= 2 ? 1 : canvas.base.count <= 16 ? 4 : 8;
    if (!out.Create((DWORD)screenW, (DWORD)screenH, bpp, CMYIMAGE_FORMAT_GIF)) return Fail("Can't allocate memory");
    if (indexed) {
        RGBQUAD* pal = out.GetPalette();
        for (DWORD i = 0; i < out.GetNumColors(); i++) {
            if ((int)i < canvas.base.count)
                pal[i] = canvas.base.entries[i];
            else if (canvas.baseTrans >= 0)
                pal[i] = RGBQUAD{255, 255, 255, 0};
        }
        for (int32_t y = 0; y < screenH; y++)
            for (int32_t x = 0; x < screenW; x++)
                out.BlindSetPixelIndex(x, screenH - 1 - y, canvas.index[(size_t)y * screenW + x]);
        out.SetTransIndex(canvas.baseTrans);
        return true;
    }
    RGBQUAD transColor = {0, 0, 0, 0};
    if (r.mosaic && image.trans >= 0)
        transColor = image.picture.GetPaletteColor((BYTE)image.trans);
    else if (canvas.baseTrans >= 0)
        transColor = canvas.base.entries[canvas.baseTrans & 0xFF];
    for (int32_t y = 0; y < screenH; y++) {
        BYTE* row = out.GetBits() + (size_t)(screenH - 1 - y) * out.GetEffWidth();
        for (int32_t x = 0; x < screenW; x++) {
            RGBQUAD c = canvas.color[(size_t)y * screenW + x];
            if (!c.rgbReserved) c = transColor;
            row[3 * x] = c.rgbBlue;
            row[3 * x + 1] = c.rgbGreen;
            row[3 * x + 2] = c.rgbRed;
        }
    }
    // A true-colour picture keeps its transparent colour, index 0 marking it.
    const bool transparent = r.mosaic ? image.trans >= 0 : canvas.baseTrans >= 0;
    out.SetTransIndex(transparent ? 0 : -1);
    out.SetTransColor(transColor);
    return true;
}

bool CMyImageGIF::FinishDecode(CMyImage& picture, const CMyImageGIFImage& image, int32_t x, int32_t y)
{
    // The picture brings its block and transparency; the other values read
    // (frame count, loops, comment, resolution) stay this image's.
    const int32_t transIndex = picture.GetTransIndex();
    const bool byColor = transIndex >= 0 && picture.GetBpp() > 8;
    const RGBQUAD color = picture.m_info.nBkgndColor;
    TransferBlock(picture, CMYIMAGE_FORMAT_GIF);
    m_info.nBkgndIndex = transIndex;
    if (byColor) m_info.nBkgndColor = color;
    m_info.dwFrameDelay = image.delay;
    m_info.xOffset = x;
    m_info.yOffset = y;
    m_disposal = image.disposal;
    return true;
}
