#pragma once
// Six-value records (a node load: Fx, Fy, Fz, Mx, My, Mz; a lumped mass:
// three masses, three inertias) kept in two pools without repeats. A node
// refers to them by 1-based index; entries are never removed while the
// model lives, so an index stays valid (the node block's writer cuts the
// tails that no node refers to any more).
#include <cstddef>
#include <vector>

class bofstream;
class bifstream;

class CSixDoubles {
public:
    CSixDoubles() = default;
    explicit CSixDoubles(const double* v)
    {
        for (int i = 0; i < 6; ++i) m_v[i] = v[i];
    }
    void SetZero()
    {
        for (double& x : m_v) x = 0;
    }
    void Add(const CSixDoubles& o)
    {
        for (int i = 0; i < 6; ++i) m_v[i] += o.m_v[i];
    }
    void MakeNonNegative();
    // Every |v| below 1e-6.
    bool IsZero() const;
    // Every |a - b| below 1e-6.
    bool IsEqual(const CSixDoubles& o) const;
    // mode 1: first three x a, last three x a c; mode 2: a / c and a c;
    // other modes (masses): b and b c c.
    void ConvertUnits(double a, double b, double c, int mode);
    int Serialize(bofstream& out) const;
    int Serialize(bifstream& in);

    double& operator[](int i) { return m_v[i]; }
    double operator[](int i) const { return m_v[i]; }

    double m_v[6] = {0, 0, 0, 0, 0, 0};
};

// A pool of six-value records; index i (1-based) is entry i - 1.
class CSixDoublesPool {
public:
    int GetSize() const { return int(m_items.size()); }
    // Entry by 1-based index; null outside 1..size.
    const CSixDoubles* Get(int index) const
    {
        return index >= 1 && index <= GetSize() ? &m_items[size_t(index - 1)] : nullptr;
    }
    CSixDoubles* Get(int index) { return index >= 1 && index <= GetSize() ? &m_items[size_t(index - 1)] : nullptr; }
    // 0 for an all-zero record; the index of an equal record; else appended.
    // 0 also when the pool cannot grow.
    int FindOrAdd(const CSixDoubles& v);
    // Appended without looking for an equal record; its index, 0 when full.
    int Append(const CSixDoubles& v);
    void Clear() { m_items.clear(); }
    bool Reserve(int n);
    // Keeps the first n entries.
    void CutTo(int n);

    // Count (int32), then 48 bytes per record.
    int Write(bofstream& out) const;
    // Appends the records; a count beyond the bytes left, or a short
    // record, fails the stream and leaves the pool as it was.
    int Read(bifstream& in);

private:
    std::vector<CSixDoubles> m_items;
};

extern CSixDoublesPool theNodeLoadPool;
extern CSixDoublesPool theNodeMassPool;

int FindOrAddNodeLoad(const CSixDoubles& values);
// The values made non-negative first.
int FindOrAddNodeMass(const CSixDoubles& values);
