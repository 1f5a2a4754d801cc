// Element load records and member load distributions.
#include "korvalib/model/LoadRecords.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "korvalib/model/CommonData.h"
#include "korvalib/base/GFunc.h"
#include "korvalib/base/Gbk.h"
#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

using namespace korva_detail;

namespace {

// Largest number of points a list holds (its count has 16 bits).
constexpr int MaxPoints = 0x7fff;

void CopyMessage(char* buffer, const char* text)
{
    if (!buffer) return;
    // At most 110 bytes with the zero, cut at a character boundary.
    size_t n = std::strlen(text);
    size_t k = 0;
    while (k < n) {
        const size_t w = gbk::CharLength(text, k, n);
        if (k + w > 109) break;
        k += w;
    }
    std::memcpy(buffer, text, k);
    buffer[k] = 0;
}

}  // namespace

// ---- DLoadPoints ----

DLoadPoints::DLoadPoints(const DLoadPoints& o)
{
    *this = o;
}
DLoadPoints::DLoadPoints(DLoadPoints&& o) noexcept
{
    *this = std::move(o);
}

DLoadPoints& DLoadPoints::operator=(const DLoadPoints& o)
{
    // Without memory for the points the list stays as it was.
    if (this != &o) SetPoints(o.m_sCount, o.m_pX, o.m_pV);
    return *this;
}

DLoadPoints& DLoadPoints::operator=(DLoadPoints&& o) noexcept
{
    if (this == &o) return *this;
    std::swap(m_pX, o.m_pX);
    std::swap(m_pV, o.m_pV);
    std::swap(m_sCount, o.m_sCount);
    std::swap(m_nAlloc, o.m_nAlloc);
    return *this;
}

DLoadPoints::~DLoadPoints()
{
    Clear();
}

void DLoadPoints::Clear()
{
    delete[] m_pX;
    delete[] m_pV;
    m_pX = m_pV = nullptr;
    m_sCount = 0;
    m_nAlloc = 0;
}

void DLoadPoints::Take(float* x, float* v, int n)
{
    Clear();
    m_pX = x;
    m_pV = v;
    m_sCount = int16_t(n);
    m_nAlloc = n;
}

int DLoadPoints::Reserve(int n)
{
    if (n <= m_nAlloc) return 1;
    if (n > MaxPoints) return 0;
    float* x = nullptr;
    float* v = nullptr;
    if (!NewArrays(x, v, size_t(n))) return 0;
    if (m_sCount > 0) {
        std::memcpy(x, m_pX, size_t(m_sCount) * 4);
        std::memcpy(v, m_pV, size_t(m_sCount) * 4);
    }
    delete[] m_pX;
    delete[] m_pV;
    m_pX = x;
    m_pV = v;
    m_nAlloc = n;
    return 1;
}

int DLoadPoints::SetPoints(int n, const float* x, const float* v)
{
    if (n > MaxPoints) return 0;
    if (n < 0) n = 0;
    float* nx = nullptr;
    float* nv = nullptr;
    if (!CopyArrays(nx, nv, x, v, n)) return 0;
    Take(nx, nv, n);
    return 1;
}

int DLoadPoints::SetPoints(int n, const double* x, const double* v)
{
    if (n > MaxPoints) return 0;
    if (n <= 0) {
        Clear();
        return 1;
    }
    float* nx = nullptr;
    float* nv = nullptr;
    if (!NewArrays(nx, nv, size_t(n))) return 0;
    for (int i = 0; i < n; ++i) {
        nx[i] = float(x[i]);
        nv[i] = float(v[i]);
    }
    Take(nx, nv, n);
    return 1;
}

int DLoadPoints::IsZero() const
{
    for (int i = 0; i < m_sCount; ++i)
        if (std::fabs(m_pV[i]) > LoadError) return 0;
    return 1;
}

int DLoadPoints::operator==(const DLoadPoints& o) const
{
    return m_sCount == o.m_sCount && AllWithin(m_pX, o.m_pX, m_sCount, LoadError) &&
           AllWithin(m_pV, o.m_pV, m_sCount, LoadError);
}

int DLoadPoints::AppendPoint(double x, double v)
{
    return InsertPointAt(m_sCount, x, v);
}

int DLoadPoints::InsertPointAt(int index, double x, double v)
{
    if (index < 0) index = 0;
    if (index > m_sCount) index = m_sCount;
    if (m_sCount >= MaxPoints || !Reserve(m_sCount + 1)) return 0;
    for (int k = m_sCount; k > index; --k) {
        m_pX[k] = m_pX[k - 1];
        m_pV[k] = m_pV[k - 1];
    }
    m_pX[index] = float(x);
    m_pV[index] = float(v);
    ++m_sCount;
    return 1;
}

void DLoadPoints::RemovePointAt(int index)
{
    if (index < 0 || index >= m_sCount) return;
    if (m_sCount == 1) {
        Clear();
        return;
    }
    for (int k = index; k + 1 < m_sCount; ++k) {
        m_pX[k] = m_pX[k + 1];
        m_pV[k] = m_pV[k + 1];
    }
    --m_sCount;
}

int DLoadPoints::AppendPointLoad(int n, const double* x, const double* v)
{
    if (n <= 0) return 1;
    // Room for every point first: nothing below allocates.
    if (!Reserve(m_sCount + n < MaxPoints ? m_sCount + n : MaxPoints)) return 0;
    for (int k = 0; k < n; ++k) {
        if (std::fabs(v[k]) < LoadError) continue;
        int at = -1;
        for (int i = 0; i < m_sCount; ++i)
            if (std::fabs(m_pX[i] - x[k]) < LoadError) {
                at = i;
                break;
            }
        if (at >= 0) {
            m_pV[at] = float(m_pV[at] + v[k]);
            if (std::fabs(m_pV[at]) < LoadError) RemovePointAt(at);
        } else {
            AppendPoint(x[k], v[k]);
        }
    }
    return 1;
}

int DLoadPoints::AppendLineLoad(int n, double* x, const double* v, double length, char* message)
{
    const double E = LoadError;
    int oldRel = 0, oldAbs = 0, newRel = 0, newAbs = 0;
    for (int i = 0; i < m_sCount; ++i) {
        if (m_pX[i] < -E) oldRel = 1;
        if (m_pX[i] > E) oldAbs = 1;
    }
    for (int i = 0; i < n; ++i) {
        if (x[i] < -E) newRel = 1;
        if (x[i] > E) newAbs = 1;
    }
    if (newRel && newAbs) {
        CopyMessage(message, "插入的折线荷载作用点的表示方法混用了相对位置和绝对位置,荷载处理无效!");
        return 0;
    }
    if (oldRel && oldAbs) {
        CopyMessage(message, "单元原有的折线荷载作用点的表示方法混用了相对位置和绝对位置, 请删除单元原有的折线荷载!");
        return 0;
    }
    // Converting absolute positions to fractions needs a member length; a
    // member of length 0 cannot take them.
    if (((oldRel && newAbs) || (oldAbs && newRel)) && (length < -7.0 || (oldRel && newAbs && std::fabs(length) < E))) {
        CopyMessage(message, "同一类型的折线荷载作用点的表示方法不能混用相对位置和绝对位置,荷载处理无效!");
        return 0;
    }
    // Room for every segment's points (at most four each) before anything
    // changes, so running out of memory leaves the list as it was.
    const int room = m_sCount + 4 * (n > 1 ? n - 1 : 0);
    if (!Reserve(room < MaxPoints ? room : MaxPoints)) {
        CopyMessage(message, "内存不足,荷载处理无效!");
        return 0;
    }
    if (newRel)
        for (int i = 0; i < n; ++i) x[i] = -x[i];
    if (oldRel)
        for (int i = 0; i < m_sCount; ++i) m_pX[i] = -m_pX[i];
    auto clamp01 = [](double a) { return a < 0 ? 0.0 : (a > 1 ? 1.0 : a); };
    if (oldRel && newAbs)
        for (int i = 0; i < n; ++i) x[i] = clamp01(x[i] / length);
    if (oldAbs && newRel)
        for (int i = 0; i < n; ++i) x[i] = clamp01(x[i]) * length;
    for (int i = 0; i + 1 < n; ++i) AppendOneLineLoad(x[i], v[i], x[i + 1], v[i + 1]);
    if (oldRel || (!oldRel && !oldAbs && newRel)) {
        for (int i = 0; i < m_sCount; ++i) m_pX[i] = -m_pX[i];
        for (int i = 0; i < n; ++i) x[i] = -x[i];
    }
    return 1;
}

int DLoadPoints::AppendOneLineLoad(double xa, double fa, double xb, double fb)
{
    const double E = LoadError;
    if (std::fabs(fa) + std::fabs(fb) < E) return 0;
    if (std::fabs(xa - xb) < E) return 0;
    // A segment adds at most four points.
    if (m_sCount > MaxPoints - 4 || !Reserve(m_sCount + 4)) return 0;
    double xs = xa, fs = fa, xe = xb, fe = fb;
    if (xa > xb) {
        xs = xb;
        fs = fb;
        xe = xa;
        fe = fa;
    }
    auto X = [this](int i) { return double(m_pX[i]); };
    auto V = [this](int i) { return double(m_pV[i]); };

    if (m_sCount == 0) {
        AppendPoint(xs, fs);
        AppendPoint(xe, fe);
        return 1;
    }
    const double x0 = X(0), f0 = V(0);
    if (xe < x0 + E) {
        InsertPointAt(0, xs, fs);
        if (std::fabs(xe - x0) < E) {
            if (std::fabs(fe - f0) > E) InsertPointAt(1, xe, fe);
        } else {
            InsertPointAt(1, xe, fe);
            InsertPointAt(2, xe, 0);
            InsertPointAt(3, x0, 0);
        }
        return 1;
    }
    const double xl = X(m_sCount - 1), fl = V(m_sCount - 1);
    if (xs > xl - E) {
        if (std::fabs(xs - xl) < E) {
            if (std::fabs(fs - fl) <= E) {
                AppendPoint(xe, fe);
            } else {
                AppendPoint(xs, fs);
                AppendPoint(xe, fe);
            }
        } else {
            AppendPoint(xl, 0);
            AppendPoint(xs, 0);
            AppendPoint(xs, fs);
            AppendPoint(xe, fe);
        }
        return 1;
    }

    // The segment overlaps the list.
    auto seg = [&](double x) { return fs + (fe - fs) * (x - xs) / (xe - xs); };
    const bool startOutside = xs < x0 + E;
    const bool endOutside = xe > xl - E;
    int f = 0, g = 0;
    double h = 0;
    // Values added in place at the first and last points are added last, so
    // the interpolations below see the old distribution.
    bool addFirst = false, addLast = false;
    if (startOutside) {
        if (std::fabs(xs - x0) < E) {
            addFirst = true;
        } else {
            InsertPointAt(0, xs, fs);
            InsertPointAt(1, x0, 0);
        }
        f = 0;
    }
    if (endOutside) {
        if (std::fabs(xe - xl) < E) {
            addLast = true;
        } else {
            AppendPoint(xl, 0);
            AppendPoint(xe, fe);
        }
    }
    bool sameInterval = false;
    if (!startOutside) {
        int i = 1;
        while (i < m_sCount - 1 && !(X(i) > xs + E)) ++i;
        int p = i - 1;
        if (xs < X(p) + E) {
            h = V(p);
            if (p >= 1 && std::fabs(X(p - 1) - X(p)) < E && std::fabs(V(p - 1) - V(p) - fs) <= E) {
                RemovePointAt(p);
                f = p - 1;
            } else if (std::fabs(fs) > E) {
                InsertPointAt(i, X(p), V(p) + fs);
                f = i;
            } else {
                f = p;
            }
        } else {
            double dx = X(i) - X(p);
            h = dx > 0 ? V(p) + (V(i) - V(p)) * (xs - X(p)) / dx : V(p);
            InsertPointAt(i, xs, h);
            f = i;
            if (std::fabs(fs) > E) {
                InsertPointAt(i + 1, xs, h + fs);
                f = i + 1;
            }
        }
        if (!endOutside && f + 1 < m_sCount && X(f + 1) > xe + E) {
            double dx = X(f + 1) - X(f);
            double W = dx > 0 ? h + (V(f + 1) - h) * (xe - X(f)) / dx : h;
            InsertPointAt(f + 1, xe, W);
            if (std::fabs(fe) > E) InsertPointAt(f + 1, xe, W + fe);
            g = f + 1;
            sameInterval = true;
        }
    }
    if (!endOutside && !sameInterval) {
        int j = -1;
        for (int k = 0; k < m_sCount; ++k)
            if (X(k) < xe - E) j = k;
        if (j + 1 < m_sCount) {
            if (std::fabs(xe - X(j + 1)) < E) {
                if (j + 2 < m_sCount && std::fabs(X(j + 2) - X(j + 1)) < E &&
                    std::fabs(V(j + 2) - V(j + 1) - fe) <= E) {
                    RemovePointAt(j + 1);
                } else if (std::fabs(fe) > E) {
                    InsertPointAt(j + 1, X(j + 1), V(j + 1) + fe);
                }
            } else if (j >= 0) {
                double dx = X(j + 1) - X(j);
                double Xv = dx > 0 ? V(j) + (V(j + 1) - V(j)) * (xe - X(j)) / dx : V(j);
                InsertPointAt(j + 1, xe, Xv);
                if (std::fabs(fe) > E) InsertPointAt(j + 1, xe, Xv + fe);
            }
        }
        g = j + 1;
    }
    if (endOutside) g = m_sCount - 1;
    for (int k = f + 1; k < g && k < m_sCount; ++k) m_pV[k] = float(V(k) + seg(X(k)));
    if (addFirst) m_pV[0] = float(V(0) + fs);
    if (addLast) m_pV[m_sCount - 1] = float(V(m_sCount - 1) + fe);
    return 1;
}

void DLoadPoints::RemoveSamePointOfLineLoad()
{
    const double E = LoadError;
    auto X = [this](int i) { return double(m_pX[i]); };
    auto V = [this](int i) { return double(m_pV[i]); };
    for (int i = m_sCount - 1; i >= 1; --i) {
        if (i > m_sCount - 1) i = m_sCount - 1;
        if (i < 1) break;
        if (std::fabs(X(i) - X(i - 1)) < E) {
            if (i == 1) {
                RemovePointAt(0);
                break;
            }
            if (i == m_sCount - 1)
                RemovePointAt(i);
            else if (std::fabs(X(i + 1) - X(i)) < E)
                RemovePointAt(i);
            else if (std::fabs(V(i) - V(i - 1)) < E)
                RemovePointAt(i);
        }
        if (i > 0 && i < m_sCount - 1) {
            double d = (X(i + 1) - X(i - 1)) * (V(i) - V(i - 1)) - (V(i + 1) - V(i - 1)) * (X(i) - X(i - 1));
            if (std::fabs(d) < E) RemovePointAt(i);
        }
    }
    if (m_sCount == 1) Clear();
}

int DLoadPoints::Serialize(bofstream& out)
{
    int16_t n = m_sCount > 0 ? m_sCount : 0;
    out << n;
    if (n > 0) {
        out.Write(m_pX, n * 4);
        out.Write(m_pV, n * 4);
    }
    return out.IsGood();
}

int DLoadPoints::Serialize(bifstream& in)
{
    if (!in.IsGood()) return 0;
    int16_t n = 0;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n < 0 || (n > 0 && !in.CheckAvailable(int64_t(n) * 8))) {
        in.SetFailed();
        return 0;
    }
    float* x = ReadFloats(in, n);
    float* v = ReadFloats(in, n);
    if (n > 0 && (!x || !v)) {
        delete[] x;
        delete[] v;
        return 0;
    }
    Take(x, v, n);
    return 1;
}

// ---- DFrameLoad ----

DFrameLoad::~DFrameLoad() = default;
DFrameLoad& DFrameLoad::operator=(const DFrameLoad& o)
{
    return AssignWhole(*this, o);
}

int DFrameLoad::operator==(const DFrameLoad& o) const
{
    if (!AllWithin(m_fValue, o.m_fValue, 3, LoadError)) return 0;
    for (int d = 0; d < 6; ++d)
        for (int g = 0; g < 3; ++g)
            if (!(m_Points[g][d] == o.m_Points[g][d])) return 0;
    return 1;
}

int DFrameLoad::Serialize(bofstream& out)
{
    out << m_nNumber;
    out.Write(m_fValue, 12);
    for (auto& group : m_Points)
        for (auto& p : group) p.Serialize(out);
    return out.IsGood();
}

int DFrameLoad::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DFrameLoad& t) {
        in >> t.m_nNumber;
        in.Read(t.m_fValue, 12);
        for (auto& group : t.m_Points)
            for (auto& p : group) p.Serialize(in);
    });
}

// ---- DCframeLoad ----

DCframeLoad::~DCframeLoad() = default;
DCframeLoad& DCframeLoad::operator=(const DCframeLoad& o)
{
    return AssignWhole(*this, o);
}

int DCframeLoad::operator==(const DCframeLoad& o) const
{
    if (!Within(m_fValue1, o.m_fValue1, LoadError) || !Within(m_fValue2, o.m_fValue2, LoadError)) return 0;
    for (int k = 0; k < 3; ++k) {
        if (!Within(m_fBlock[k], o.m_fBlock[k], LoadError)) return 0;
        if (!(m_Points[0][k] == o.m_Points[0][k]) || !(m_Points[1][k] == o.m_Points[1][k])) return 0;
    }
    return 1;
}

int DCframeLoad::Serialize(bofstream& out)
{
    out << m_nNumber << m_fValue1 << m_fValue2;
    out.Write(m_fBlock, 12);
    for (auto& group : m_Points)
        for (auto& p : group) p.Serialize(out);
    return out.IsGood();
}

int DCframeLoad::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DCframeLoad& t) {
        in >> t.m_nNumber >> t.m_fValue1 >> t.m_fValue2;
        in.Read(t.m_fBlock, 12);
        for (auto& group : t.m_Points)
            for (auto& p : group) p.Serialize(in);
    });
}

// ---- DPlaneLoad and DSol21Load ----

namespace {

template <class T, int N, int S>
int SwitchedLoadEqual(const T& a, const T& b)
{
    if (!AllWithin(a.m_fLoad, b.m_fLoad, N, LoadError)) return 0;
    if (std::memcmp(a.m_cSwitch, b.m_cSwitch, S) != 0) return 0;
    bool any = false;
    for (int i = 0; i < S; ++i) any = any || a.m_cSwitch[i] != 0;
    if (!any) return 1;
    return Within(a.m_fReal, b.m_fReal, LoadError) && AllWithin(a.m_fVector1, b.m_fVector1, 3, LoadError) &&
           AllWithin(a.m_fVector2, b.m_fVector2, 3, LoadError);
}

}  // namespace

int DPlaneLoad::operator==(const DPlaneLoad& o) const
{
    return SwitchedLoadEqual<DPlaneLoad, 8, 4>(*this, o);
}

int DPlaneLoad::Serialize(bofstream& out)
{
    out << m_nNumber;
    out.Write(m_fLoad, 32);
    out.Write(m_cSwitch, 4);
    out << m_fReal;
    out.Write(m_fVector1, 12);
    out.Write(m_fVector2, 12);
    return out.IsGood();
}

int DPlaneLoad::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DPlaneLoad& t) {
        in >> t.m_nNumber;
        in.Read(t.m_fLoad, 32);
        in.Read(t.m_cSwitch, 4);
        in >> t.m_fReal;
        in.Read(t.m_fVector1, 12);
        in.Read(t.m_fVector2, 12);
    });
}

int DSol21Load::operator==(const DSol21Load& o) const
{
    return SwitchedLoadEqual<DSol21Load, 24, 6>(*this, o);
}

int DSol21Load::Serialize(bofstream& out)
{
    out << m_nNumber;
    out.Write(m_fLoad, 96);
    out.Write(m_cSwitch, 6);
    out << m_fReal;
    out.Write(m_fVector1, 12);
    out.Write(m_fVector2, 12);
    return out.IsGood();
}

int DSol21Load::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DSol21Load& t) {
        in >> t.m_nNumber;
        in.Read(t.m_fLoad, 96);
        in.Read(t.m_cSwitch, 6);
        in >> t.m_fReal;
        in.Read(t.m_fVector1, 12);
        in.Read(t.m_fVector2, 12);
    });
}

// ---- DShellLoad ----

int DShellLoad::operator==(const DShellLoad& o) const
{
    return AllWithin(m_fBlock1, o.m_fBlock1, 4, LoadError) && AllWithin(m_fBlock2, o.m_fBlock2, 4, LoadError) &&
           AllWithin(m_fDirection, o.m_fDirection, 3, LoadError) &&
           AllWithin(&m_fValues[0][0], &o.m_fValues[0][0], 32, LoadError) &&
           AllWithin(m_fVector1, o.m_fVector1, 3, LoadError) && AllWithin(m_fVector2, o.m_fVector2, 3, LoadError) &&
           Within(m_fReal, o.m_fReal, LoadError);
}

int DShellLoad::Serialize(bofstream& out)
{
    out << m_nNumber;
    out.Write(m_fBlock1, 16);
    out.Write(m_fBlock2, 16);
    out.Write(m_fDirection, 12);
    for (auto& b : m_fValues) out.Write(b, 32);
    out.Write(m_fVector1, 12);
    out.Write(m_fVector2, 12);
    out << m_fReal;
    return out.IsGood();
}

int DShellLoad::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DShellLoad& t) {
        in >> t.m_nNumber;
        in.Read(t.m_fBlock1, 16);
        in.Read(t.m_fBlock2, 16);
        in.Read(t.m_fDirection, 12);
        for (auto& b : t.m_fValues) in.Read(b, 32);
        in.Read(t.m_fVector1, 12);
        in.Read(t.m_fVector2, 12);
        in >> t.m_fReal;
    });
}

// ---- DWallLoad ----

int DWallLoad::operator==(const DWallLoad& o) const
{
    return Within(m_fValue, o.m_fValue, LoadError) && AllWithin(m_fSide, o.m_fSide, 6, LoadError);
}

void DWallLoad::SetSideLoad(int side, double a, double b)
{
    if (side < 2 || side > 4) return;
    m_fSide[(side - 2) * 2] = float(a);
    m_fSide[(side - 2) * 2 + 1] = float(b);
}

int DWallLoad::Serialize(bofstream& out)
{
    out << m_nNumber << m_fValue;
    out.Write(m_fSide, 24);
    return out.IsGood();
}

int DWallLoad::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DWallLoad& t) {
        in >> t.m_nNumber >> t.m_fValue;
        in.Read(t.m_fSide, 24);
    });
}

// ---- DHistoryLoad ----

int DHistoryLoad::operator==(const DHistoryLoad& o) const
{
    return m_nNumber1 == o.m_nNumber1 && AllWithin(&m_fValues[0][0], &o.m_fValues[0][0], 24, LoadError) &&
           AllWithin(m_fModeVector, o.m_fModeVector, 3, LoadError) && AllWithin(m_fVector, o.m_fVector, 3, LoadError) &&
           m_cMode == o.m_cMode;
}

int DHistoryLoad::Serialize(bofstream& out)
{
    out << m_nNumber1 << m_nNumber2;
    for (auto& b : m_fValues) out.Write(b, 24);
    out << m_cMode;
    out.Write(m_fModeVector, 12);
    out.Write(m_fVector, 12);
    return out.IsGood();
}

int DHistoryLoad::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DHistoryLoad& t) {
        float tableA[6] = {0, 0, 0, 0, 0, 0};
        in >> t.m_nNumber1;
        if (nVersion > 124) {
            in >> t.m_nNumber2;
            if (nVersion < 128) in.Read(tableA, 24);
        } else {
            int16_t second = 0;
            unsigned char bytes[6] = {0};
            in >> second;
            in.Read(bytes, 6);
            t.m_nNumber2 = second;
            for (int i = 0; i < 6; ++i) tableA[i] = bytes[i];
        }
        for (auto& b : t.m_fValues) in.Read(b, 24);
        if (nVersion > 127) {
            in >> t.m_cMode;
            in.Read(t.m_fModeVector, 12);
        } else {
            float tableB[3] = {0, 0, 0};
            unsigned char bytesC[3] = {0, 0, 0};
            in.Read(tableB, 12);
            in.Read(bytesC, 3);
            float tableC[3] = {float(bytesC[0]), float(bytesC[1]), float(bytesC[2])};
            auto zero = [](const float* a) { return GFunc::IsZero(a, 3, 0.0001); };
            const float* vec = nullptr;
            if (!zero(tableB)) {
                t.m_cMode = 3;
                vec = tableB;
            } else if (!zero(tableC)) {
                t.m_cMode = 4;
                vec = tableC;
            } else if (!zero(tableA)) {
                t.m_cMode = 1;
                vec = tableA;
            } else if (!zero(tableA + 3)) {
                t.m_cMode = 2;
                vec = tableA + 3;
            } else {
                t.m_cMode = 3;
            }
            static const float unit[3] = {1, 0, 0};
            std::memcpy(t.m_fModeVector, vec ? vec : unit, 12);
        }
        in.Read(t.m_fVector, 12);
    });
}
