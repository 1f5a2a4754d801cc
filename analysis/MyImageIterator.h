#pragma once
// CMyImageIterator: walks the rows and bytes of a CMyImage (row 0 is the
// bottom row).
#include "analysis/MyImage.h"

class ANALYSIS_API CMyImageIterator {
public:
    CMyImageIterator();
    explicit CMyImageIterator(CMyImage* image);
    CMyImageIterator& operator=(CMyImage* image);
    operator CMyImage*() const { return ima; }

    bool ItOK() const;
    void Reset();
    void Upset();
    void SetY(int32_t y);
    void SetRow(const BYTE* buffer, int n);
    void GetRow(BYTE* buffer, int n) const;
    BYTE* GetRow();
    BYTE* GetRow(int32_t y);
    BYTE GetByte() const { return IterImage ? IterImage[Itx] : 0; }
    void SetByte(BYTE b)
    {
        if (IterImage) IterImage[Itx] = b;
    }
    bool NextRow();
    bool PrevRow();
    bool NextByte();
    bool PrevByte();
    void SetSteps(int32_t x, int32_t y = 0)
    {
        Stepx = x;
        Stepy = y;
    }
    void GetSteps(int32_t* x, int32_t* y) const
    {
        if (x) *x = Stepx;
        if (y) *y = Stepy;
    }
    bool NextStep();
    bool PrevStep();
    int32_t GetX() const { return Itx; }
    int32_t GetY() const { return Ity; }

protected:
    int32_t Itx = 0, Ity = 0;
    int32_t Stepx = 0, Stepy = 0;
    BYTE* IterImage = nullptr;
    CMyImage* ima = nullptr;
};
