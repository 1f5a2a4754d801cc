#pragma once
// Small element types and helpers for the container tests.
#include <cstdint>
#include <new>

#include "korvalib/base/biostream.h"

// Counts constructions and destructions, so tests can see when the pool
// blocks make and destroy their elements.
struct Counted {
    static inline int alive = 0;
    static inline int made = 0;
    int v = 0;
    Counted() { ++alive, ++made; }
    Counted(int x) : v(x) { ++alive, ++made; }
    Counted(const Counted& o) : v(o.v) { ++alive, ++made; }
    Counted& operator=(const Counted&) = default;
    ~Counted() { --alive; }
    bool operator==(const Counted& o) const { return v == o.v; }
};

// A record with a 32-bit ID. Stream layout: int ID, short value, char flag,
// and an int extra only when flag is 1, so that a reader reusing one
// temporary would carry extra from one record into the next.
struct IdRec {
    int32_t m_nID = 0;
    int16_t value = 0;
    int8_t flag = 0;
    int32_t extra = 0;

    IdRec() = default;
    IdRec(int id, int v, int e = 0) : m_nID(id), value((int16_t)v), flag(e ? 1 : 0), extra(e) {}
    bool IsSame(const IdRec& o) const { return value == o.value; }
    bool operator==(const IdRec& o) const { return m_nID == o.m_nID && value == o.value && extra == o.extra; }

    void Serialize(bofstream& out)
    {
        out << m_nID << (short)value << (char)flag;
        if (flag == 1) out << extra;
    }
    void Serialize(bifstream& in)
    {
        short v = 0;
        char f = 0;
        in >> m_nID >> v >> f;
        value = v;
        flag = f;
        if (flag == 1) in >> extra;
    }
};

// The same with a 16-bit ID (short ID, short value).
struct IdRec16 {
    int16_t m_nID = 0;
    int16_t value = 0;
    IdRec16() = default;
    IdRec16(int id, int v) : m_nID((int16_t)id), value((int16_t)v) {}
    void Serialize(bofstream& out) { out << (short)m_nID << (short)value; }
    void Serialize(bifstream& in)
    {
        short id = 0, v = 0;
        in >> id >> v;
        m_nID = id;
        value = v;
    }
};

// A plain positional record: one int, ordered by it; equality within 1 so
// that MArraySort's "equal" differs from "not less".
struct Num {
    int v = 0;
    int tag = 0;
    Num() = default;
    Num(int x, int t = 0) : v(x), tag(t) {}
    bool operator<(const Num& o) const { return v < o.v; }
    bool operator==(const Num& o) const { return v == o.v; }
    void Serialize(bofstream& out) { out << v << tag; }
    void Serialize(bifstream& in) { in >> v >> tag; }
};

// An element whose pool allocation can be made to fail, to see that stores
// report a failed allocation and stay unchanged.
struct Frail {
    static inline bool failAlloc = false;
    int32_t m_nID = 0;
    int v = 0;
    static void* operator new[](std::size_t n, const std::nothrow_t&) noexcept
    {
        return failAlloc ? nullptr : ::operator new[](n, std::nothrow);
    }
    static void operator delete[](void* p) noexcept { ::operator delete[](p); }
    bool operator==(const Frail& o) const { return v == o.v; }
    void Serialize(bofstream& out) { out << m_nID << v; }
    void Serialize(bifstream& in) { in >> m_nID >> v; }
};

// A record of a fixed 8 bytes that says so, and counts its constructions.
struct SizedRec {
    static constexpr int kMinStreamBytes = 8;
    static inline int made = 0;
    int32_t m_nID = 0;
    int32_t v = 0;
    SizedRec() { ++made; }
    SizedRec(const SizedRec& o) : m_nID(o.m_nID), v(o.v) { ++made; }
    SizedRec& operator=(const SizedRec&) = default;
    void Serialize(bofstream& out) { out << m_nID << v; }
    void Serialize(bifstream& in) { in >> m_nID >> v; }
};
