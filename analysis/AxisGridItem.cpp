#include "analysis/AxisGridItem.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "korvalib/base/biostream.h"

namespace {
constexpr float kRealTolerance = 0.00001f;

float ToFloat(double v)
{
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}
}  // namespace

CAxisGridItem::CAxisGridItem(int left, double right) : m_right(right)
{
    SetLeft(left);
}

CAxisGridItem::CAxisGridItem(double left, double right) : m_right(right)
{
    SetLeft(left);
}

void CAxisGridItem::SetLeft(int value)
{
    m_left.i = value;
    m_bLeftInt = 1;
}

void CAxisGridItem::SetLeft(double value)
{
    m_left.f = ToFloat(value);
    m_bLeftInt = 0;
}

bool CAxisGridItem::operator==(const CAxisGridItem& other) const
{
    if (m_bLeftInt) return m_left.i == other.m_left.i;
    return std::fabs(m_left.f - other.m_left.f) < kRealTolerance;
}

bool CAxisGridItem::operator<(const CAxisGridItem& other) const
{
    if (m_bLeftInt) return m_left.i < other.m_left.i;
    return std::fabs(m_left.f) < std::fabs(other.m_left.f) - kRealTolerance;
}

void CAxisGridItem::Serialize(bofstream& out) const
{
    const char flags[2] = {static_cast<char>(m_bActive), static_cast<char>(m_bSelected)};
    out << static_cast<int>(m_left.i) << m_right;
    out.Write(flags, 2);
}

void CAxisGridItem::Serialize(bifstream& in)
{
    int left = 0;
    double right = 0;
    char flags[2];
    in >> left >> right;
    in.Read(flags, 2);
    if (!in.IsGood()) return;
    m_left.i = left;
    m_right = right;
}

int CAxisGridItem::Write(FILE* f) const
{
    unsigned char b[kRecordSize];
    uint32_t left;
    std::memcpy(&left, &m_left, 4);
    uint64_t right;
    std::memcpy(&right, &m_right, 8);
    for (int k = 0; k < 4; ++k) b[k] = static_cast<unsigned char>(left >> (8 * k));
    for (int k = 0; k < 8; ++k) b[4 + k] = static_cast<unsigned char>(right >> (8 * k));
    b[12] = static_cast<unsigned char>(m_bActive);
    b[13] = static_cast<unsigned char>(m_bSelected);
    return f && std::fwrite(b, 1, kRecordSize, f) == size_t(kRecordSize) ? 1 : 0;
}

int CAxisGridItem::Read(FILE* f)
{
    unsigned char b[kRecordSize];
    if (!f || std::fread(b, 1, kRecordSize, f) != size_t(kRecordSize)) return 0;
    uint32_t left = 0;
    uint64_t right = 0;
    for (int k = 0; k < 4; ++k) left |= uint32_t(b[k]) << (8 * k);
    for (int k = 0; k < 8; ++k) right |= uint64_t(b[4 + k]) << (8 * k);
    std::memcpy(&m_left, &left, 4);
    std::memcpy(&m_right, &right, 8);
    return 1;
}
