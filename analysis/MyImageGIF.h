#pragma once
// CMyImageGIF: reads and writes GIF files for CMyImage: single pictures of up
// to 8 bits, true-colour pictures as a mosaic of indexed tiles, and animations
// with a loop count, a frame delay and a disposal method.
#include "analysis/MyImage.h"

#include <vector>

struct CMyImageGIFOut;
struct CMyImageGIFIn;
struct CMyImageGIFReading;
struct CMyImageGIFImage;

class ANALYSIS_API CMyImageGIF : public CMyImage {
public:
    CMyImageGIF();
    CMyImageGIF(const CMyImageGIF& src);
    CMyImageGIF& operator=(const CMyImageGIF& src);

    void SetLoops(int32_t loops) { m_loops = loops; }
    int32_t GetLoops() const { return m_loops; }
    void SetDisposalMethod(int32_t method) { m_disposal = method & 7; }
    int32_t GetDisposalMethod() const { return m_disposal; }
    void SetComment(const char* text);    // keeps at most 254 characters
    void GetComment(char* buffer) const;  // buffer of at least 255 characters

    // One picture; true colour is written as a mosaic of tiles.
    bool Encode(FILE* file);
    // An animation of images of 8 bits or fewer; throws std::runtime_error.
    bool Encode(FILE* file, CMyImage** frames, int count, bool localColorMap = false);
    // An animation of picture files (BMP or GIF); failures give false.
    bool Encode(FILE* file, const char* const* names, int count, bool localColorMap = false);
    template <class S>
    bool Encode(FILE* file, const S* names, int count, bool localColorMap = false)
    {
        if (!names || count <= 0) return false;
        std::vector<const char*> list((size_t)count);
        for (int i = 0; i < count; i++) list[(size_t)i] = (const char*)names[i];
        return Encode(file, list.data(), count, localColorMap);
    }
    // Reads the frame chosen with SetFrame and sets the number of frames; true
    // only when that frame was decoded.
    bool Decode(FILE* file);
    // Why the last Decode failed (internal text, not for the user).
    const char* GetReason() const { return m_reason; }

    // The graphic-control values last read or written.
    BYTE GetControlFlags() const { return m_gceFlags; }
    WORD GetControlDelay() const { return m_gceDelay; }
    BYTE GetControlTransIndex() const { return m_gceTrans; }

protected:
    void EncodeHeader(CMyImageGIFOut& out, CMyImage& image);
    void EncodeLoopExtension(CMyImageGIFOut& out);
    void EncodeExtension(CMyImageGIFOut& out, CMyImage& image);
    void EncodeBody(CMyImageGIFOut& out, CMyImage& image, bool localColorMap);
    void EncodeComment(CMyImageGIFOut& out);
    bool EncodeRGB(CMyImageGIFOut& out);
    void compressNONE(CMyImageGIFOut& out, CMyImage& image, int initBits);
    void compressLZW(CMyImageGIFOut& out, CMyImage& image, int initBits);
    void compressRLE(CMyImageGIFOut& out, CMyImage& image, int initBits);
    bool DecodeExtension(CMyImageGIFIn& in);
    int get_num_frames(CMyImageGIFIn& in);
    // The steps of Decode: read the next image (false: failed with a reason),
    // lay it on the logical screen, make the composed screen a picture, and
    // make the chosen picture this image's.
    bool ReadImage(CMyImageGIFReading& r, CMyImageGIFImage& image, int32_t imageIndex);
    void ComposeImage(CMyImageGIFReading& r, const CMyImageGIFImage& image);
    bool ComposedPicture(CMyImageGIFReading& r, const CMyImageGIFImage& image, CMyImage& out);
    bool FinishDecode(CMyImage& picture, const CMyImageGIFImage& image, int32_t x, int32_t y);
    bool Fail(const char* reason)
    {
        m_reason = reason;
        return false;
    }

    int32_t m_loops = 0;
    int32_t m_disposal = 0;
    char m_comment[256] = {0};
    BYTE m_gceFlags = 0;
    WORD m_gceDelay = 0;
    BYTE m_gceTrans = 0;
    const char* m_reason = "";
};
