// Load records and member load distributions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "StreamFixture.h"
#include "korvalib/model/LoadRecords.h"

namespace {

using Pts = std::vector<std::pair<float, float>>;

Pts Points(const DLoadPoints& p)
{
    Pts r;
    for (int i = 0; i < p.m_sCount; ++i) r.push_back({p.m_pX[i], p.m_pV[i]});
    return r;
}

DLoadPoints List(const Pts& pts)
{
    DLoadPoints p;
    std::vector<double> x, v;
    for (auto& q : pts) {
        x.push_back(q.first);
        v.push_back(q.second);
    }
    p.SetPoints(int(pts.size()), x.data(), v.data());
    return p;
}

int Line(DLoadPoints& p, std::vector<double> x, std::vector<double> v, double length = 10, char* msg = nullptr)
{
    return p.AppendLineLoad(int(x.size()), x.data(), v.data(), length, msg);
}

void ExpectPoints(const Pts& want, const DLoadPoints& got)
{
    Pts g = Points(got);
    ASSERT_EQ(want.size(), g.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(want[i].first, g[i].first, 1e-5) << i;
        EXPECT_NEAR(want[i].second, g[i].second, 1e-5) << i;
    }
}

}  // namespace

TEST(LoadPoints, LinearSegmentsSuperpose)
{
    struct Case {
        Pts before;
        double xa, fa, xb, fb;
        Pts after;
    } cases[] = {
        {{}, 2, 1, 4, 3, {{2, 1}, {4, 3}}},
        {{{2, 1}, {4, 3}}, 6, 5, 8, 5, {{2, 1}, {4, 3}, {4, 0}, {6, 0}, {6, 5}, {8, 5}}},
        {{{2, 1}, {4, 3}}, 0, 1, 1, 1, {{0, 1}, {1, 1}, {1, 0}, {2, 0}, {2, 1}, {4, 3}}},
        {{{0, 1}, {4, 1}}, 1, 2, 3, 2, {{0, 1}, {1, 1}, {1, 3}, {3, 3}, {3, 1}, {4, 1}}},
        {{{0, 0}, {2, 2}, {4, 2}}, 1, 0, 3, 2, {{0, 0}, {1, 1}, {2, 3}, {3, 4}, {3, 2}, {4, 2}}},
        // Reversed ends, continuing polyline, a segment covering the whole list.
        {{}, 4, 3, 2, 1, {{2, 1}, {4, 3}}},
        {{{2, 1}, {4, 3}}, 4, 3, 6, 3, {{2, 1}, {4, 3}, {6, 3}}},
        {{{2, 1}, {4, 1}}, 0, 1, 6, 1, {{0, 1}, {2, 1}, {2, 2}, {4, 2}, {4, 1}, {6, 1}}},
        {{{2, 1}, {4, 1}}, 2, 1, 4, 1, {{2, 2}, {4, 2}}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.xa);
        DLoadPoints p = List(c.before);
        std::vector<double> x{c.xa, c.xb}, v{c.fa, c.fb};
        EXPECT_EQ(1, p.AppendLineLoad(2, x.data(), v.data(), 10, nullptr));
        ExpectPoints(c.after, p);
    }
    DLoadPoints p = List({{0, 1}, {4, 1}});
    EXPECT_EQ(1, Line(p, {2, 2}, {1, 1}));  // segments refused one by one
    EXPECT_EQ(1, Line(p, {1, 3}, {0.00004, 0.00004}));
    ExpectPoints({{0, 1}, {4, 1}}, p);
}

TEST(LoadPoints, RelativeAndAbsolutePositions)
{
    DLoadPoints abs = List({{1, 1}, {9, 1}});
    std::vector<double> x{-0.2, -0.8}, v{2, 2};
    ASSERT_EQ(1, abs.AppendLineLoad(2, x.data(), v.data(), 10, nullptr));
    ExpectPoints({{1, 1}, {2, 1}, {2, 3}, {8, 3}, {8, 1}, {9, 1}}, abs);

    DLoadPoints rel = List({{-0.1f, 1}, {-0.9f, 1}});
    std::vector<double> xa{2, 50}, va{1, 1};
    ASSERT_EQ(1, rel.AppendLineLoad(2, xa.data(), va.data(), 10, nullptr));
    for (auto& q : Points(rel)) EXPECT_LE(q.first, 0.0f);
    EXPECT_NEAR(-0.2, xa[0], 1e-9);
    EXPECT_NEAR(-1.0, xa[1], 1e-9);  // clamped to the member
    EXPECT_NEAR(-1.0, rel.m_pX[rel.m_sCount - 1], 1e-6);

    char msg[110];
    DLoadPoints p = List({{1, 1}, {9, 1}});
    EXPECT_EQ(0, Line(p, {-0.2, 5}, {1, 1}, 10, msg));
    EXPECT_STREQ("插入的折线荷载作用点的表示方法混用了相对位置和绝对位置,荷载处理无效!", msg);
    DLoadPoints mixed = List({{-0.5f, 1}, {9, 1}});
    EXPECT_EQ(0, Line(mixed, {1, 2}, {1, 1}, 10, msg));
    EXPECT_STREQ("单元原有的折线荷载作用点的表示方法混用了相对位置和绝对位置, 请删除单元原有的折线荷载!", msg);
    EXPECT_EQ(0, Line(p, {-0.2, -0.5}, {1, 1}, -8, msg));
    EXPECT_STREQ("同一类型的折线荷载作用点的表示方法不能混用相对位置和绝对位置,荷载处理无效!", msg);
    ExpectPoints({{1, 1}, {9, 1}}, p);

    // A member of length 0 cannot take absolute positions into a relative list.
    DLoadPoints r0 = List({{-0.1f, 1}, {-0.9f, 1}});
    EXPECT_EQ(0, Line(r0, {2, 5}, {1, 1}, 0, msg));
    ExpectPoints({{-0.1f, 1}, {-0.9f, 1}}, r0);
    for (auto& q : Points(r0)) EXPECT_TRUE(std::isfinite(q.first));
    DLoadPoints a0 = List({{1, 1}, {2, 1}});
    EXPECT_EQ(1, Line(a0, {-0.2, -0.8}, {1, 1}, 0, msg));
    ExpectPoints({{1, 1}, {2, 1}}, a0);
}

TEST(LoadPoints, PointLoadsAndCleanUp)
{
    DLoadPoints p;
    std::vector<double> x{2, 5, 2}, v{1, 3, -1};
    EXPECT_EQ(1, p.AppendPointLoad(3, x.data(), v.data()));
    ExpectPoints({{5, 3}}, p);
    std::vector<double> x2{1, 5.00001}, v2{0.00005, 2};
    p.AppendPointLoad(2, x2.data(), v2.data());
    ExpectPoints({{5, 5}}, p);

    DLoadPoints c = List({{0, 0}, {1, 1}, {2, 2}});
    c.RemoveSamePointOfLineLoad();
    ExpectPoints({{0, 0}, {2, 2}}, c);
    DLoadPoints s = List({{1, 1}, {1, 2}, {1, 3}});
    s.RemoveSamePointOfLineLoad();
    EXPECT_EQ(0, s.Entries());
    EXPECT_EQ(nullptr, s.m_pX);
    EXPECT_TRUE(DLoadPoints().IsZero());
    EXPECT_FALSE(List({{0, 0}, {1, 0.001f}}).IsZero());
}

TEST(LoadRecords, FrameLoadLayoutAndBoundedPoints)
{
    DFrameLoad f;
    f.m_nNumber = 2;
    f.m_Points[1][2] = List({{1, 5}, {3, 5}});
    B b;
    b.i32(2).f32s({0, 0, 0});
    for (int g = 0; g < 3; ++g)
        for (int d = 0; d < 6; ++d) {
            if (g == 1 && d == 2)
                b.i16(2).f32s({1, 3, 5, 5});
            else
                b.i16(0);
        }
    Bytes golden = b;
    EXPECT_EQ(golden, Written(f));
    DFrameLoad r;
    ExpectReads(golden, r, 129);
    EXPECT_TRUE(r == f);
    r.m_Points[0][0] = List({{1, 1}, {2, 1}});
    EXPECT_FALSE(r == f);

    DLoadPoints bad = List({{1, 1}, {2, 2}});
    EXPECT_EQ(0, ReadBytes(B().i16(30000).f32s({1, 2}), bad, 129));
    EXPECT_EQ(0, ReadBytes(B().i16(-1), bad, 129));
    EXPECT_EQ(2, bad.Entries());

    DCframeLoad c;
    c.m_fValue1 = 1;
    c.m_Points[1][0] = List({{0, 1}, {1, 1}});
    B cb;
    cb.i32(0).f32(1).f32(0).f32s({0, 0, 0}).i16(0).i16(0).i16(0).i16(2).f32s({0, 1, 1, 1}).i16(0).i16(0);
    EXPECT_EQ(Bytes(cb), Written(c));
    DCframeLoad cr;
    ExpectReads(cb, cr, 129);
    EXPECT_TRUE(cr == c);
}

TEST(LoadRecords, AreaLoadsLayoutAndEquality)
{
    DPlaneLoad p;
    p.m_fLoad[0] = 2;
    p.m_fReal = 5;
    Bytes pb = B().i32(0).f32s({2, 0, 0, 0, 0, 0, 0, 0}).zeros(4).f32(5).zeros(24);
    EXPECT_EQ(pb, Written(p));
    DPlaneLoad q;
    ExpectReads(pb, q, 129);
    q.m_fReal = 7;
    EXPECT_TRUE(q == p);  // reals compared only when a switch is set
    q.m_cSwitch[1] = 1;
    p.m_cSwitch[1] = 1;
    EXPECT_FALSE(q == p);

    DSol21Load s;
    EXPECT_EQ(size_t(4 + 96 + 6 + 4 + 24), Written(s).size());

    DShellLoad sh;
    Bytes sb = B().i32(0).zeros(32).f32s({0, 0, -1}).zeros(128 + 24 + 4);
    EXPECT_EQ(sb, Written(sh));
    DShellLoad sr;
    ExpectReads(sb, sr, 129);
    EXPECT_TRUE(sr == sh);

    DWallLoad w;
    w.SetSideLoad(3, 1.5, 2.5);
    w.SetSideLoad(5, 9, 9);
    EXPECT_EQ(Bytes(B().i32(0).f32(0).f32s({0, 0, 1.5f, 2.5f, 0, 0})), Written(w));
}

TEST(LoadRecords, HistoryLoadOlderLayouts)
{
    DHistoryLoad h;
    h.m_nNumber1 = 4;
    h.m_fValues[3][5] = 2;
    B now;
    now.i32(4).i32(0).zeros(92).f32(2).i8(3).f32s({1, 0, 0}).f32s({0, 0, 0});
    EXPECT_EQ(Bytes(now), Written(h));

    B blocks;
    blocks.zeros(92).f32(2);
    auto old = [&](int version, std::vector<uint8_t> head, std::vector<float> tableB, std::vector<int> tableC) {
        B b;
        b.i32(4);
        b.raw(head.data(), int(head.size()));
        b.raw(Bytes(blocks).data(), 96);
        b.f32s({tableB[0], tableB[1], tableB[2]}).i8(tableC[0]).i8(tableC[1]).i8(tableC[2]);
        b.f32s({0, 0, 7});
        DHistoryLoad r;
        ExpectReads(b, r, int16_t(version));
        EXPECT_EQ(7.0f, r.m_fVector[2]);
        EXPECT_EQ(2.0f, r.m_fValues[3][5]);
        return r;
    };
    // Version 120: short second number and six bytes of table A.
    DHistoryLoad r = old(120, {9, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0}, {0, 0, 0});
    EXPECT_EQ(3, r.m_cMode);
    EXPECT_EQ(1.0f, r.m_fModeVector[0]);
    EXPECT_EQ(9, r.m_nNumber2);
    r = old(120, {9, 0, 0, 0, 0, 0, 1, 0}, {0, 0, 0}, {0, 0, 0});
    EXPECT_EQ(2, r.m_cMode);
    EXPECT_EQ(1.0f, r.m_fModeVector[1]);
    r = old(120, {9, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 0}, {0, 1, 0});
    EXPECT_EQ(4, r.m_cMode);
    r = old(120, {9, 0, 1, 0, 0, 0, 0, 0}, {0, 0, 0.5f}, {0, 1, 0});
    EXPECT_EQ(3, r.m_cMode);
    EXPECT_EQ(0.5f, r.m_fModeVector[2]);
    // Version 126: int second number and six floats of table A.
    Bytes headA = B().i32(9).f32s({0.5f, 0, 0, 0, 0, 0});
    r = old(126, headA, {0, 0, 0}, {0, 0, 0});
    EXPECT_EQ(1, r.m_cMode);
    EXPECT_EQ(0.5f, r.m_fModeVector[0]);
}

namespace {

// Value of a distribution at x: linear between points, 0 outside them.
double ValueAt(const DLoadPoints& p, double x)
{
    for (int k = 0; k + 1 < p.m_sCount; ++k)
        if (p.m_pX[k] < p.m_pX[k + 1] && p.m_pX[k] <= x && x <= p.m_pX[k + 1])
            return p.m_pV[k] + (p.m_pV[k + 1] - p.m_pV[k]) * (x - p.m_pX[k]) / (p.m_pX[k + 1] - p.m_pX[k]);
    return 0.0;
}

}  // namespace

template <class S>
std::string Describe(const std::vector<S>& segs, const DLoadPoints& p)
{
    std::string r = "\nsegments:";
    char buf[96];
    for (auto& s : segs) {
        std::snprintf(buf, sizeof buf, " (%g,%g)-(%g,%g)", s.xs, s.fs, s.xe, s.fe);
        r += buf;
    }
    r += "\npoints:";
    for (int k = 0; k < p.m_sCount; ++k) {
        std::snprintf(buf, sizeof buf, " (%g,%g)", p.m_pX[k], p.m_pV[k]);
        r += buf;
    }
    return r;
}

// Superposing segments in any order gives their sum everywhere along the
// member, and the points stay in order of position.
TEST(LoadPoints, SuperpositionEqualsTheSumOfSegments)
{
    unsigned seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % unsigned(n));
    };
    for (int trial = 0; trial < 3000; ++trial) {
        // Later trials move ends by less than LoadError, so that points merge.
        const bool jitter = trial >= 1500;
        auto pos = [&]() { return next(11) + (jitter ? (next(3) - 1) * 0.00004 : 0.0); };
        DLoadPoints p;
        struct Seg {
            double xs, fs, xe, fe;
        };
        std::vector<Seg> segs;
        int count = 1 + next(5);
        for (int s = 0; s < count; ++s) {
            double a = pos(), b = pos();
            double fa = next(7) - 3, fb = next(7) - 3;
            if (std::fabs(a - b) < 0.5 || (fa == 0 && fb == 0)) continue;
            std::vector<double> x{a, b}, v{fa, fb};
            ASSERT_EQ(1, p.AppendLineLoad(2, x.data(), v.data(), 10, nullptr));
            if (a > b)
                segs.push_back({b, fb, a, fa});
            else
                segs.push_back({a, fa, b, fb});
        }
        SCOPED_TRACE(trial);
        for (int k = 1; k < p.m_sCount; ++k)
            ASSERT_LE(p.m_pX[k - 1], p.m_pX[k] + 0.0002);  // same position within LoadError
        for (int k = 0; k < 40; ++k) {
            double x = k * 0.25 + 0.0371;
            double want = 0;
            for (auto& s : segs)
                if (s.xs <= x && x <= s.xe) want += s.fs + (s.fe - s.fs) * (x - s.xs) / (s.xe - s.xs);
            ASSERT_NEAR(want, ValueAt(p, x), jitter ? 2e-3 : 1e-4) << "x " << x << Describe(segs, p);
        }
        // The clean-up keeps the distribution.
        DLoadPoints clean(p);
        clean.RemoveSamePointOfLineLoad();
        EXPECT_LE(clean.Entries(), p.Entries());
        for (int k = 0; k < 40; ++k) {
            double x = k * 0.25 + 0.0371;
            ASSERT_NEAR(ValueAt(p, x), ValueAt(clean, x), jitter ? 2e-3 : 1e-4) << "x " << x << Describe(segs, clean);
        }
    }
}
