// CMyImageIterator: row and byte walking over a CMyImage.
#include "analysis/MyImageIterator.h"

#include <cstring>

CMyImageIterator::CMyImageIterator() = default;

CMyImageIterator::CMyImageIterator(CMyImage* image) : ima(image)
{
    if (ima) IterImage = ima->GetBits();
}

CMyImageIterator& CMyImageIterator::operator=(CMyImage* image)
{
    ima = image;
    IterImage = ima ? ima->GetBits() : nullptr;
    Itx = Ity = 0;
    Stepx = Stepy = 0;
    return *this;
}

bool CMyImageIterator::ItOK() const
{
    // The column counts bytes of the row, not pixels.
    return ima && IterImage && Itx >= 0 && Itx < (int32_t)ima->GetEffWidth() && Ity >= 0 &&
           Ity < (int32_t)ima->GetHeight();
}

void CMyImageIterator::Reset()
{
    IterImage = ima ? ima->GetBits() : nullptr;
    Itx = Ity = 0;
}

void CMyImageIterator::Upset()
{
    Itx = 0;
    if (!ima || !ima->GetBits()) {
        IterImage = nullptr;
        Ity = 0;
        return;
    }
    Ity = (int32_t)ima->GetHeight() - 1;
    IterImage = ima->GetBits() + (size_t)ima->GetEffWidth() * (Ity < 0 ? 0 : Ity);
}

void CMyImageIterator::SetY(int32_t y)
{
    if (!ima || !ima->GetBits() || y < 0 || y > (int32_t)ima->GetHeight()) return;
    Ity = y;
    IterImage = ima->GetBits() + (size_t)ima->GetEffWidth() * y;
}

BYTE* CMyImageIterator::GetRow()
{
    return IterImage;
}

BYTE* CMyImageIterator::GetRow(int32_t y)
{
    SetY(y);
    return IterImage;
}

void CMyImageIterator::SetRow(const BYTE* buffer, int n)
{
    if (!buffer || !IterImage || !ima || Ity >= (int32_t)ima->GetHeight()) return;
    const int eff = (int)ima->GetEffWidth();
    if (n < 0 || n > eff) n = eff;
    std::memcpy(IterImage, buffer, (size_t)n);
}

void CMyImageIterator::GetRow(BYTE* buffer, int n) const
{
    if (!buffer || !IterImage || !ima || n < 1 || Ity >= (int32_t)ima->GetHeight()) return;
    const int eff = (int)ima->GetEffWidth();
    if (n > eff) n = eff;
    std::memcpy(buffer, IterImage, (size_t)n);
}

bool CMyImageIterator::NextRow()
{
    if (!ima || !IterImage || Ity + 1 >= (int32_t)ima->GetHeight()) return false;
    Ity++;
    IterImage += ima->GetEffWidth();
    return true;
}

bool CMyImageIterator::PrevRow()
{
    if (!ima || !IterImage || Ity <= 0) return false;
    Ity--;
    IterImage -= ima->GetEffWidth();
    return true;
}

bool CMyImageIterator::NextByte()
{
    if (!ima) return false;
    if (++Itx < (int32_t)ima->GetEffWidth()) return true;
    Itx = 0;
    return NextRow();
}

bool CMyImageIterator::PrevByte()
{
    if (!ima) return false;
    if (--Itx >= 0) return true;
    Itx = 0;
    return PrevRow();
}

bool CMyImageIterator::NextStep()
{
    if (!ima) return false;
    Itx += Stepx;
    if (Itx < (int32_t)ima->GetEffWidth()) return true;
    Itx = 0;
    for (int32_t i = 0; i < (Stepy > 0 ? Stepy : 1); i++)
        if (!NextRow()) return false;
    return true;
}

bool CMyImageIterator::PrevStep()
{
    if (!ima) return false;
    Itx -= Stepx;
    if (Itx >= 0) return true;
    Itx = 0;
    for (int32_t i = 0; i < (Stepy > 0 ? Stepy : 1); i++)
        if (!PrevRow()) return false;
    return true;
}
