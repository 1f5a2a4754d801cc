#include "vek/model/project/BlockForm.h"

#include <algorithm>
#include <cstring>

#include "korvalib/base/biostream.h"

bool SkipBytes(bifstream& in, int64_t n)
{
    if (n == 0) return in.IsGood() != 0;
    if (!in.CheckAvailable(n)) return false;
    if (!in.Seek64(n, 1)) {
        in.SetFailed();
        return false;
    }
    return true;
}

CBlockForm& CBlockForm::Exact(const void* p, int n)
{
    if (!m_items.empty() && m_items.back().kind == kExact) {
        m_items.back().bytes.append(static_cast<const char*>(p), static_cast<size_t>(n));
    } else {
        Item it(kExact);
        it.bytes.assign(static_cast<const char*>(p), static_cast<size_t>(n));
        m_items.push_back(std::move(it));
    }
    return *this;
}

CBlockForm& CBlockForm::I8(int v)
{
    const int8_t b = static_cast<int8_t>(v);
    return Exact(&b, 1);
}

CBlockForm& CBlockForm::I16(int v)
{
    const int16_t b = static_cast<int16_t>(v);
    return Exact(&b, 2);
}

CBlockForm& CBlockForm::I32(int32_t v)
{
    return Exact(&v, 4);
}

CBlockForm& CBlockForm::F32(float v)
{
    return Exact(&v, 4);
}

CBlockForm& CBlockForm::F64(double v)
{
    return Exact(&v, 8);
}

CBlockForm& CBlockForm::Zeros(int n)
{
    const std::string z(static_cast<size_t>(n), '\0');
    return Exact(z.data(), n);
}

CBlockForm& CBlockForm::Raw(const void* p, int n)
{
    return Exact(p, n);
}

CBlockForm& CBlockForm::Text(const char* s)
{
    const int32_t n = static_cast<int32_t>(std::strlen(s)) + 1;
    I32(n);
    return Exact(s, n);
}

CBlockForm& CBlockForm::Skip(int n)
{
    if (n <= 0) return *this;
    Item it(kSkip);
    it.n = n;
    m_items.push_back(std::move(it));
    return *this;
}

CBlockForm& CBlockForm::SkipText()
{
    m_items.push_back(Item(kSkipText));
    return *this;
}

CBlockForm& CBlockForm::SkipCounted(int countBytes, int itemBytes, int extra)
{
    Item it(kSkipCounted);
    it.n = countBytes;
    it.item = itemBytes;
    it.extra = extra;
    m_items.push_back(std::move(it));
    return *this;
}

CBlockForm& CBlockForm::SkipBy(bool (*skip)(bifstream& in))
{
    Item it(kSkipBy);
    it.skip = skip;
    m_items.push_back(std::move(it));
    return *this;
}

CBlockForm& CBlockForm::IfMarker(const void* marker, int n, const CBlockForm& body)
{
    Item it(kIfMarker);
    it.bytes.assign(static_cast<const char*>(marker), static_cast<size_t>(n));
    it.body = body.m_items;
    m_items.push_back(std::move(it));
    return *this;
}

int CBlockForm::WriteItems(const std::vector<Item>& items, bofstream& out)
{
    for (const Item& it : items) {
        switch (it.kind) {
            case kExact: out.Write(it.bytes.data(), static_cast<int>(it.bytes.size())); break;
            case kIfMarker:
                out.Write(it.bytes.data(), static_cast<int>(it.bytes.size()));
                WriteItems(it.body, out);
                break;
            default: break;  // only older layouts carry bytes to pass over
        }
    }
    return out.IsGood();
}

int CBlockForm::Write(bofstream& out) const
{
    return WriteItems(m_items, out);
}

CBlockForm::EMatch CBlockForm::MatchItems(const std::vector<Item>& items, bifstream& in)
{
    char buf[256];
    for (const Item& it : items) {
        if (!in.IsGood()) return kDamaged;
        switch (it.kind) {
            case kExact: {
                bool same = true;
                const char* want = it.bytes.data();
                for (size_t done = 0; done < it.bytes.size();) {
                    const size_t step = std::min(sizeof buf, it.bytes.size() - done);
                    if (!in.Read(buf, static_cast<int>(step))) return kDamaged;
                    if (std::memcmp(buf, want + done, step) != 0) same = false;
                    done += step;
                }
                // The whole field is read first: a short file is damage, not data.
                if (!same) return kHoldsData;
                break;
            }
            case kSkip:
                if (!SkipBytes(in, it.n)) return kDamaged;
                break;
            case kSkipText: {
                int32_t n = 0;
                in >> n;
                if (!in.IsGood() || n < 1 || !SkipBytes(in, n)) {
                    in.SetFailed();
                    return kDamaged;
                }
                break;
            }
            case kSkipCounted: {
                int64_t count = 0;
                if (it.n == 2) {
                    int16_t c = 0;
                    in >> c;
                    count = c;
                } else {
                    int32_t c = 0;
                    in >> c;
                    count = c;
                }
                if (!in.IsGood() || count < 0 || !SkipBytes(in, count * it.item + it.extra)) {
                    in.SetFailed();
                    return kDamaged;
                }
                break;
            }
            case kSkipBy:
                if (!it.skip(in) || !in.IsGood()) {
                    in.SetFailed();
                    return kDamaged;
                }
                break;
            case kIfMarker: {
                const int64_t at = in.TellPos64();
                const int n = static_cast<int>(it.bytes.size());
                bool marked = false;
                if (in.CheckAvailable(n)) {
                    in.Read(buf, n);
                    marked = in.IsGood() && std::memcmp(buf, it.bytes.data(), static_cast<size_t>(n)) == 0;
                }
                if (!marked) {
                    // Too short for the marker is no damage: the block is simply absent.
                    in.ClearError();
                    if (!in.Seek64(at, 0)) return kDamaged;
                    break;
                }
                const EMatch m = MatchItems(it.body, in);
                if (m != kMatches) return m;
                break;
            }
        }
    }
    return in.IsGood() ? kMatches : kDamaged;
}

CBlockForm::EMatch CBlockForm::Match(bifstream& in) const
{
    return MatchItems(m_items, in);
}
