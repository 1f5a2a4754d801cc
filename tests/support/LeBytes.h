#pragma once
// Little-endian bytes for hand-worked file layouts, field by field, and
// readers of little-endian values in written bytes.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "tests/support/TestFiles.h"

namespace vektest {

// A chain of fields: LeBytes().i16(2).f32(1.5f).zeros(4). Builds its own
// bytes, or appends to a vector it is given: LeBytes::Onto(header).i32(size).
class LeBytes {
public:
    LeBytes() = default;
    static LeBytes Onto(Bytes& into)
    {
        LeBytes b;
        b.m_into = &into;
        return b;
    }

    LeBytes& i8(int v) { return Le(uint64_t(v), 1); }
    LeBytes& i16(int v) { return Le(uint64_t(v), 2); }
    LeBytes& i32(int64_t v) { return Le(uint64_t(v), 4); }
    LeBytes& f32(float v)
    {
        uint32_t u;
        std::memcpy(&u, &v, 4);
        return Le(u, 4);
    }
    LeBytes& f64(double v)
    {
        uint64_t u;
        std::memcpy(&u, &v, 8);
        return Le(u, 8);
    }
    LeBytes& i32s(std::initializer_list<int> l)
    {
        for (int v : l) i32(v);
        return *this;
    }
    LeBytes& f32s(std::initializer_list<float> l)
    {
        for (float v : l) f32(v);
        return *this;
    }
    LeBytes& zeros(size_t n) { return skip(n, 0); }
    // Bytes a reader must pass over; the default fill is junk, not zeros.
    LeBytes& skip(size_t n, uint8_t fill = 0xCD)
    {
        Out().insert(Out().end(), n, fill);
        return *this;
    }
    LeBytes& raw(const void* p, size_t n)
    {
        const uint8_t* q = static_cast<const uint8_t*>(p);
        Out().insert(Out().end(), q, q + n);
        return *this;
    }
    LeBytes& append(const Bytes& b) { return raw(b.data(), b.size()); }
    // Characters only, no length and no terminator.
    LeBytes& text(const std::string& s) { return raw(s.data(), s.size()); }
    // A stream name field: 4-byte length (text + 1), the text and its zero.
    LeBytes& str(const char* s)
    {
        const size_t n = std::strlen(s) + 1;
        return i32(int64_t(n)).raw(s, n);
    }

    const Bytes& bytes() const { return m_into ? *m_into : m_own; }
    size_t size() const { return bytes().size(); }
    operator Bytes() const { return bytes(); }
    bool Save(const std::string& path) const { return WriteFileBytes(path, bytes()); }

private:
    Bytes& Out() { return m_into ? *m_into : m_own; }
    LeBytes& Le(uint64_t v, int n)
    {
        for (int i = 0; i < n; ++i) Out().push_back(uint8_t(v >> (8 * i)));
        return *this;
    }

    Bytes m_own;
    Bytes* m_into = nullptr;
};

// Single fields and joins, for tables of byte cases.
inline Bytes Le16(int v)
{
    return LeBytes().i16(v);
}
inline Bytes Le32(int64_t v)
{
    return LeBytes().i32(v);
}
inline Bytes F32(float v)
{
    return LeBytes().f32(v);
}
inline Bytes F64(double v)
{
    return LeBytes().f64(v);
}
inline Bytes Text(const std::string& s)
{
    return LeBytes().text(s);
}
inline Bytes Cat(std::initializer_list<Bytes> parts)
{
    LeBytes out;
    for (const Bytes& p : parts) out.append(p);
    return out;
}

inline uint16_t ReadLe16(const Bytes& d, size_t at)
{
    return uint16_t(d.at(at) | d.at(at + 1) << 8);
}
inline uint32_t ReadLe32(const Bytes& d, size_t at)
{
    return uint32_t(ReadLe16(d, at)) | uint32_t(ReadLe16(d, at + 2)) << 16;
}

}  // namespace vektest
