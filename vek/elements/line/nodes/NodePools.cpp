#include "vek/elements/line/nodes/NodePools.h"

#include <cmath>
#include <new>

#include "korvalib/base/biostream.h"

CSixDoublesPool theNodeLoadPool;
CSixDoublesPool theNodeMassPool;

namespace {
// The most records a pool holds: indices are 32-bit and the file's records
// are 48 bytes each.
constexpr int kMaxPool = 1 << 24;
}  // namespace

void CSixDoubles::MakeNonNegative()
{
    for (double& x : m_v)
        if (x < 0) x = -x;
}

bool CSixDoubles::IsZero() const
{
    for (double x : m_v)
        if (!(std::fabs(x) < 1e-6)) return false;
    return true;
}

bool CSixDoubles::IsEqual(const CSixDoubles& o) const
{
    for (int i = 0; i < 6; ++i)
        if (!(std::fabs(m_v[i] - o.m_v[i]) < 1e-6)) return false;
    return true;
}

void CSixDoubles::ConvertUnits(double a, double b, double c, int mode)
{
    double first, last;
    if (mode == 1) {
        first = a;
        last = a * c;
    } else if (mode == 2) {
        first = a / c;
        last = a * c;
    } else {
        first = b;
        last = b * c * c;
    }
    for (int i = 0; i < 3; ++i) m_v[i] *= first;
    for (int i = 3; i < 6; ++i) m_v[i] *= last;
}

int CSixDoubles::Serialize(bofstream& out) const
{
    return out.Write(m_v, int(sizeof m_v));
}

int CSixDoubles::Serialize(bifstream& in)
{
    return in.Read(m_v, int(sizeof m_v));
}

int CSixDoublesPool::Append(const CSixDoubles& v)
{
    if (GetSize() >= kMaxPool) return 0;
    try {
        m_items.push_back(v);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return GetSize();
}

int CSixDoublesPool::FindOrAdd(const CSixDoubles& v)
{
    if (v.IsZero()) return 0;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].IsEqual(v)) return int(i + 1);
    return Append(v);
}

bool CSixDoublesPool::Reserve(int n)
{
    if (n < 0 || n > kMaxPool) return false;
    try {
        m_items.reserve(size_t(n));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CSixDoublesPool::CutTo(int n)
{
    if (n >= 0 && n < GetSize()) m_items.resize(size_t(n));
}

int CSixDoublesPool::Write(bofstream& out) const
{
    out << int32_t(GetSize());
    for (const CSixDoubles& v : m_items) v.Serialize(out);
    return out.IsGood();
}

int CSixDoublesPool::Read(bifstream& in)
{
    int32_t n = 0;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n <= 0) return 1;
    if (n > kMaxPool - GetSize() || !in.CheckAvailable(int64_t(n) * 48)) {
        in.SetFailed();
        return 0;
    }
    std::vector<CSixDoubles> read;
    try {
        read.resize(size_t(n));
    } catch (const std::bad_alloc&) {
        in.SetFailed();
        return 0;
    }
    for (CSixDoubles& v : read) v.Serialize(in);
    if (!in.IsGood()) return 0;
    m_items.insert(m_items.end(), read.begin(), read.end());
    return 1;
}

int FindOrAddNodeLoad(const CSixDoubles& values)
{
    return theNodeLoadPool.FindOrAdd(values);
}

int FindOrAddNodeMass(const CSixDoubles& values)
{
    CSixDoubles v = values;
    v.MakeNonNegative();
    return theNodeMassPool.FindOrAdd(v);
}
