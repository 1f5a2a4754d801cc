#pragma once
// CMyImageBMP: reads and writes Windows bitmap files for CMyImage.
#include "analysis/MyImage.h"

class ANALYSIS_API CMyImageBMP : public CMyImage {
public:
    CMyImageBMP();
    CMyImageBMP(const CMyImageBMP& src);
    CMyImageBMP& operator=(const CMyImageBMP& src);

    bool Encode(FILE* file);
    bool Decode(FILE* file);
    // Reads an info header (40 bytes, the 12-byte core form, or the longer
    // forms whose first 40 bytes are the same) and fills the defaults.
    bool DibReadBitmapInfo(FILE* file, BITMAPINFOHEADER* head);

    // Why the last Decode failed (internal text, not for the user).
    const char* GetReason() const { return m_reason; }

protected:
    bool Fail(const char* reason)
    {
        m_reason = reason;
        return false;
    }
    bool DecodeRLE(FILE* file, bool rle4);

    const char* m_reason = "";
    bool m_coreHeader = false;     // last header read was the 12-byte form
    bool m_headerMasks = false;    // the header itself held the bit-field masks
    DWORD m_masks[3] = {0, 0, 0};  // red, green, blue
};
