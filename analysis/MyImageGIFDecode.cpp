// CMyImageGIF: the reader. One chosen frame is read; frames after the first
// are composed on the logical screen the way a viewer shows them, and mosaic
// files (tiles without a global colour table) become one true-colour picture.
#include "analysis/MyImageGIF.h"
#include "analysis/MyImageGIFInternal.h"

#include <cstring>
#include <memory>

namespace {

const int kMaxCodes = 4096;
// A GIF code of at most 12 bits stands for at most about 4000 pixels, so a
// picture cannot hold much more than this many pixels per byte of data.
const uint64_t kPixelsPerByte = 2800;

struct Table {
  RGBQUAD entries[256];
  int count = 0;
  bool Read(CMyImageGIFIn& in, int flags) {
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
  bool Same(const Table& o) const {
    return count == o.count && std::memcmp(entries, o.entries, sizeof(RGBQUAD) * (size_t)count) == 0;
  }
};

bool SkipSubBlocks(CMyImageGIFIn& in) {
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
  bool Decode(CMyImageGIFIn& in, int32_t w, int32_t h, bool interlaced, BYTE* pix) {
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
  int NextCode(int width) {
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
  int32_t w = 0, h = 0;
  std::vector<BYTE> index;      // frame indices, while one colour table serves all
  std::vector<RGBQUAD> color;   // rgbReserved 1 = painted, 0 = transparent
  std::vector<BYTE> savedIndex;
  std::vector<RGBQUAD> savedColor;
  Table base;
  int32_t baseTrans = -1;
  bool single = true;
  bool started = false;
};

}  // namespace

int CMyImageGIF::get_num_frames(CMyImageGIFIn& in) {
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

bool CMyImageGIF::DecodeExtension(CMyImageGIFIn& in) {
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

bool CMyImageGIF::Decode(FILE* file) {
  if (!file) return false;
  CMyImageGIFIn in(file);
  if (in.base < 0) return false;
  struct Release {
    CMyImageGIFIn& in;
    ~Release() { in.Release(); }
  } release{in};

  BYTE head[13];
  if (!in.Read(head, 13) || std::memcmp(head, "GIF8", 4) != 0) return false;
  const int32_t screenW = head[6] | (head[7] << 8);
  const int32_t screenH = head[8] | (head[9] << 8);
  const int screenFlags = head[10];
  const int background = head[11];
  Table global;
  const bool hasGlobal = (screenFlags & 0x80) != 0;
  if (hasGlobal && !global.Read(in, screenFlags)) return false;

  const long dataStart = in.Tell();
  const long long dataLeft = in.Remaining();
  const int32_t frames = get_num_frames(in);
  m_info.nNumFrames = frames;
  if (!in.Seek(dataStart)) return false;
  if (m_info.nFrame < 0 || m_info.nFrame >= frames) return false;
  const uint64_t pixelCap = (uint64_t)dataLeft * kPixelsPerByte + 65536;

  int32_t target = m_info.nFrame;
  bool mosaic = false;
  bool done = false;
  int32_t imageIndex = 0;
  int32_t trans = -1;     // graphic control values for the next image
  int disposal = 0;
  DWORD delay = 0;
  int32_t prevDisposal = 0;
  int32_t prevLeft = 0, prevTop = 0, prevW = 0, prevH = 0;
  bool prevTransparent = false;
  Canvas canvas;
  CMyImage frame(CMYIMAGE_FORMAT_GIF);
  std::vector<BYTE> pix;
  LzwReader* lzw = new LzwReader;
  std::unique_ptr<LzwReader> lzwOwner(lzw);

  while (!done) {
    if (GetEscape()) return false;
    const int b = in.Get();
    if (b < 0 || b == 0x3B) break;
    if (b == 0x21) {
      m_info.nBkgndIndex = trans;
      m_info.dwFrameDelay = delay;
      m_disposal = disposal;
      if (!DecodeExtension(in)) break;
      trans = m_info.nBkgndIndex;
      disposal = m_disposal;
      delay = m_info.dwFrameDelay;
      continue;
    }
    if (b != 0x2C) continue;

    BYTE d[9];
    if (!in.Read(d, 9)) break;
    const int32_t left = d[0] | (d[1] << 8), top = d[2] | (d[3] << 8);
    const int32_t w = d[4] | (d[5] << 8), h = d[6] | (d[7] << 8);
    const int flags = d[8];
    const int32_t imageTrans = trans;
    const int imageDisposal = disposal;
    const DWORD imageDelay = delay;
    trans = -1;  // a graphic control block speaks for one image only
    disposal = 0;
    delay = 0;

    Table local;
    if ((flags & 0x80) && !local.Read(in, flags)) break;
    if (imageIndex == 0) {
      mosaic = !hasGlobal && w != screenW && h != screenH;
      if (mosaic) target = frames - 1;
    }
    const bool fits = left + w <= screenW && top + h <= screenH;
    const bool composing = mosaic || target > 0;
    const uint64_t pixels = (uint64_t)w * (uint64_t)h;
    const bool plausible = pixels <= pixelCap && (!composing || (uint64_t)screenW * screenH <= pixelCap);
    if (!fits || !plausible || imageIndex > target) {
      if (in.Get() < 0 || !SkipSubBlocks(in)) break;
      imageIndex++;
      continue;
    }

    // Decode the image into indices, rows from the top.
    const Table& table = (flags & 0x80) ? local : global;
    const int entries = (flags & 0x80) ? local.count : hasGlobal ? global.count : 0;
    try {
      pix.assign((size_t)pixels, (BYTE)(imageTrans >= 0 ? imageTrans : 0));
    } catch (...) {
      return false;
    }
    if (!lzw->Decode(in, w, h, (flags & 0x40) != 0, pix.data())) {
      imageIndex++;
      continue;
    }
    const int bpp = entries == 0 ? 8 : entries <= 2 ? 1 : entries <= 16 ? 4 : 8;
    if (!frame.Create((DWORD)w, (DWORD)h, bpp, CMYIMAGE_FORMAT_GIF)) return false;
    RGBQUAD* pal = frame.GetPalette();
    const int palCount = (int)frame.GetNumColors();
    for (int i = 0; i < palCount; i++) {
      if (i < entries) pal[i] = table.entries[i];
      else if (imageTrans >= 0) pal[i] = RGBQUAD{255, 255, 255, 0};  // only up to the picture's own table
    }
    for (int32_t y = 0; y < h; y++) {
      const BYTE* src = pix.data() + (size_t)y * w;
      const int32_t dy = h - 1 - y;
      if (bpp == 8) {
        std::memcpy(frame.GetBits() + (size_t)dy * frame.GetEffWidth(), src, (size_t)w);
      } else {
        for (int32_t x = 0; x < w; x++) frame.BlindSetPixelIndex(x, dy, src[x]);
      }
    }

    if (!composing) {
      // The first frame on its own.
      CMyImageInfo keep = m_info;
      Transfer(frame);
      keep.pImage = m_info.pImage;
      keep.dwEffWidth = m_info.dwEffWidth;
      keep.pGhost = nullptr;
      keep.dwType = CMYIMAGE_FORMAT_GIF;
      keep.last_c_isvalid = false;
      m_info = keep;
      m_info.nBkgndIndex = imageTrans;
      m_info.dwFrameDelay = imageDelay;
      m_info.xOffset = left;
      m_info.yOffset = top;
      m_disposal = imageDisposal;
      done = true;
      break;
    }

    if (!canvas.started) {
      canvas.started = true;
      canvas.w = screenW;
      canvas.h = screenH;
      canvas.base = table;
      canvas.base.count = entries;
      canvas.baseTrans = imageTrans;
      const size_t n = (size_t)screenW * screenH;
      const BYTE fill = (BYTE)(imageTrans >= 0 ? imageTrans : background);
      canvas.index.assign(n, fill);
      canvas.color.assign(n, RGBQUAD{0, 0, 0, 0});
      canvas.single = !mosaic;
    } else {
      // What the previous frame asked to happen once it had been shown.
      if (prevDisposal == 2) {
        const BYTE fill = (BYTE)(canvas.baseTrans >= 0 ? canvas.baseTrans : background);
        RGBQUAD bg = {0, 0, 0, 0};
        if (!prevTransparent && hasGlobal && background < global.count) {
          bg = global.entries[background];
          bg.rgbReserved = 1;
        }
        for (int32_t y = prevTop; y < prevTop + prevH; y++)
          for (int32_t x = prevLeft; x < prevLeft + prevW; x++) {
            canvas.index[(size_t)y * screenW + x] = fill;
            canvas.color[(size_t)y * screenW + x] = bg;
          }
      } else if (prevDisposal == 3 && !canvas.savedColor.empty()) {
        canvas.index = canvas.savedIndex;
        canvas.color = canvas.savedColor;
      }
      Table mine = table;
      mine.count = entries;
      if (!mine.Same(canvas.base)) canvas.single = false;
    }
    if (imageDisposal == 3) {
      canvas.savedIndex = canvas.index;
      canvas.savedColor = canvas.color;
    }
    for (int32_t y = 0; y < h; y++) {
      const BYTE* src = pix.data() + (size_t)y * w;
      const size_t at = (size_t)(top + y) * screenW + left;
      for (int32_t x = 0; x < w; x++) {
        const BYTE p = src[x];
        if (!mosaic && p == imageTrans) continue;
        canvas.index[at + x] = p;
        RGBQUAD c = frame.GetPaletteColor(p);
        c.rgbReserved = 1;
        canvas.color[at + x] = c;
      }
    }
    prevDisposal = imageDisposal;
    prevLeft = left;
    prevTop = top;
    prevW = w;
    prevH = h;
    prevTransparent = imageTrans >= 0;

    if (imageIndex == target) {
      CMyImageInfo keep = m_info;
      const bool indexed = canvas.single && canvas.base.count > 0;
      const int cbpp = !indexed ? 24 : canvas.base.count <= 2 ? 1 : canvas.base.count <= 16 ? 4 : 8;
      CMyImage result(CMYIMAGE_FORMAT_GIF);
      if (!result.Create((DWORD)screenW, (DWORD)screenH, cbpp, CMYIMAGE_FORMAT_GIF)) return false;
      RGBQUAD transColor = {0, 0, 0, 0};
      if (indexed) {
        RGBQUAD* rp = result.GetPalette();
        for (DWORD i = 0; i < result.GetNumColors(); i++) {
          if ((int)i < canvas.base.count) rp[i] = canvas.base.entries[i];
          else if (canvas.baseTrans >= 0) rp[i] = RGBQUAD{255, 255, 255, 0};
        }
        for (int32_t y = 0; y < screenH; y++)
          for (int32_t x = 0; x < screenW; x++)
            result.BlindSetPixelIndex(x, screenH - 1 - y, canvas.index[(size_t)y * screenW + x]);
      } else {
        if (mosaic && imageTrans >= 0) transColor = frame.GetPaletteColor((BYTE)imageTrans);
        else if (canvas.baseTrans >= 0) transColor = canvas.base.entries[canvas.baseTrans & 0xFF];
        for (int32_t y = 0; y < screenH; y++) {
          BYTE* row = result.GetBits() + (size_t)(screenH - 1 - y) * result.GetEffWidth();
          for (int32_t x = 0; x < screenW; x++) {
            RGBQUAD c = canvas.color[(size_t)y * screenW + x];
            if (!c.rgbReserved) c = transColor;
            row[3 * x] = c.rgbBlue;
            row[3 * x + 1] = c.rgbGreen;
            row[3 * x + 2] = c.rgbRed;
          }
        }
      }
      Transfer(result);
      keep.pImage = m_info.pImage;
      keep.dwEffWidth = m_info.dwEffWidth;
      keep.pGhost = nullptr;
      keep.dwType = CMYIMAGE_FORMAT_GIF;
      keep.last_c_isvalid = false;
      m_info = keep;
      m_info.dwFrameDelay = imageDelay;
      m_info.xOffset = 0;
      m_info.yOffset = 0;
      m_disposal = imageDisposal;
      if (indexed) {
        m_info.nBkgndIndex = canvas.baseTrans;
      } else if (mosaic ? imageTrans >= 0 : canvas.baseTrans >= 0) {
        m_info.nBkgndIndex = 0;
        m_info.nBkgndColor = transColor;
      } else {
        m_info.nBkgndIndex = -1;
      }
      done = true;
      break;
    }
    imageIndex++;
  }
  return done;
}
