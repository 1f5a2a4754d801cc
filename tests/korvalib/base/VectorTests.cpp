// Vectors and frames.
#include <gtest/gtest.h>

#include <cmath>

#include "korvalib/base/Vector.h"

namespace {
void ExpectVec(const double* v, double x, double y, double z, const char* what = "")
{
    EXPECT_NEAR(v[0], x, 1e-12) << what;
    EXPECT_NEAR(v[1], y, 1e-12) << what;
    EXPECT_NEAR(v[2], z, 1e-12) << what;
}
}  // namespace

TEST(Vector, NormalizeRules)
{
    double zero[3] = {0, 0, 0};
    EXPECT_EQ(CVector::Normalize(zero), 0);
    ExpectVec(zero, 0, 0, 0);
    double up[3] = {0, 0, 2};
    EXPECT_EQ(CVector::Normalize(up), 1);
    ExpectVec(up, 0, 0, 1);
    double unit[3] = {0.6, 0.8, 0};
    EXPECT_EQ(CVector::Normalize(unit), 1);
    EXPECT_EQ(unit[0], 0.6) << "a unit vector is left exactly as it was";
    EXPECT_EQ(unit[1], 0.8);
    double tiny[3] = {1e-8, 0, 0};  // squared 1e-16, below the zero bound
    EXPECT_EQ(CVector::Normalize(tiny), 0);
    float f[3] = {3, 0, 4};
    EXPECT_EQ(CVector::Normalize(f), 1);
    EXPECT_FLOAT_EQ(f[0], 0.6f);
    float fz[3] = {1e-6f, 0, 0};
    EXPECT_EQ(CVector::Normalize(fz), 0);
    CVector v(3, 4, 0);
    EXPECT_DOUBLE_EQ(v.Length(), 5);
    EXPECT_EQ(CVector(1e-8, 0, 0).Length(), 0.0);
    EXPECT_EQ(CVector::Length(zero), 0.0);
}

TEST(Vector, AttachedVectorsWorkOnTheCallersArray)
{
    double data[3] = {1, 2, 3};
    CVector v(data, 1);
    EXPECT_TRUE(v.IsAttached());
    v *= 2;
    v[2] = 10;
    ExpectVec(data, 2, 4, 10);
    EXPECT_EQ(v.Detach(), data);
    v.SetZero();
    ExpectVec(data, 2, 4, 10, "after Detach the own values change");
    ExpectVec(v, 0, 0, 0);
    CVector copy(data, 0);
    copy[0] = 99;
    EXPECT_EQ(data[0], 2);
    CVector w;
    w.Attach(data);
    w = CVector(7, 8, 9);
    ExpectVec(data, 7, 8, 9);
    CVector fromAttached(w);
    EXPECT_FALSE(fromAttached.IsAttached());
    fromAttached[0] = 0;
    EXPECT_EQ(data[0], 7);
}

TEST(Vector, Arithmetic)
{
    const double b[3] = {1, 0, 0};
    CVector a(0, 1, 0);
    ExpectVec(a.Cross(b), 0, 0, -1);
    ExpectVec(a + b, 1, 1, 0);
    ExpectVec(a - b, -1, 1, 0);
    ExpectVec(a * 3, 0, 3, 0);
    ExpectVec(a / 4, 0, 0.25, 0);
    EXPECT_EQ(a * b, 0.0);
    const double m[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    CVector r(1, 1, 1);
    r *= m;  // row vector times m
    ExpectVec(r, 12, 15, 18);
    ExpectVec(CVector(1, 0, 0).MatrixMult(m), 1, 4, 7);
    double out[3];
    const double v[3] = {1, 0, 0};
    CVector::MatrixMult(m, v, out, 1);
    ExpectVec(out, 1, 2, 3);
    CVector c(1, 2, 3);
    c.CrossSelf(c);
    ExpectVec(c, 0, 0, 0);
    CVector d;
    const double p0[3] = {1, 1, 1}, p1[3] = {2, 3, 4};
    d.AssignDir(p0, p1);
    ExpectVec(d, 1, 2, 3);
    d.Inverse();
    ExpectVec(d, -1, -2, -3);
    float fl[3];
    d.CopyTo(fl);
    EXPECT_EQ(fl[2], -3.0f);
    CVector n;
    const double o[3] = {0, 0, 0}, x[3] = {2, 0, 0}, y[3] = {0, 5, 0};
    EXPECT_EQ(n.CalPlaneNor(o, x, y), 1);
    ExpectVec(n, 0, 0, 1);
    EXPECT_EQ(n.CalPlaneNor(o, x, x), 0);
}

TEST(Vector, DirEqual)
{
    const double a[3] = {1, 0, 0}, b[3] = {-3, 0, 0}, c[3] = {1, 0.01, 0};
    EXPECT_EQ(CVector::DirEqual(a, b), 1);
    EXPECT_EQ(CVector::DirEqual(a, c), 0);
}

TEST(Vector, GenerateOCS)
{
    struct Case {
        CVector z;
        double x[3], y[3], zz[3];
    } cases[] = {
        {CVector(0, 0, 1), {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {CVector(0, 0, -1), {1, 0, 0}, {0, -1, 0}, {0, 0, -1}},
        {CVector(0, 0, 5), {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {CVector(1, 0, 0), {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
    };
    for (auto& c : cases) {
        CVector x, y, z;
        c.z.GenerateOCS(x, y, z);
        ExpectVec(x, c.x[0], c.x[1], c.x[2]);
        ExpectVec(y, c.y[0], c.y[1], c.y[2]);
        ExpectVec(z, c.zz[0], c.zz[1], c.zz[2]);
        CVector cross = x.Cross(y);
        ExpectVec(cross, z[0], z[1], z[2], "right-handed");
    }
    const double ref[3] = {0, 0, -1};
    double x[3], y[3], z[3];
    CVector(0, 0, 1).GenerateOCS(x, y, z, ref);
    ExpectVec(z, 0, 0, -1);
}

TEST(TransferMatrix, LocalAndGlobal)
{
    CTransferMatrix t;
    const double o[3] = {1, 2, 3};
    t.SetOrig(o);
    const double x[3] = {0, 2, 0}, y[3] = {-1, 0, 0}, z[3] = {0, 0, 3};
    t.SetMatrix(x, y, z);
    const double p[3] = {1, 3, 3};
    double l[3];
    t.ToLocal(p, l);
    ExpectVec(l, 1, 0, 0);
    double g[3] = {l[0], l[1], l[2]};
    t.ToGlobal(g, g);  // in place
    ExpectVec(g, 1, 3, 3);

    CTransferMatrix r;
    const double dir[3] = {1, 1, 1};
    r.SetMatrix(dir);
    r.SetOrig(o);
    const double q[3] = {-4, 0.5, 7};
    double back[3];
    r.ToLocal(q, l);
    r.ToGlobal(l, back);
    ExpectVec(back, -4, 0.5, 7);

    CTransferMatrix copy(r);
    copy.Transpose();
    copy.Transpose();
    double l2[3];
    copy.ToLocal(q, l2);
    ExpectVec(l2, l[0], l[1], l[2]);
    copy.SetIdentity();
    EXPECT_EQ(((double(*)[3])copy)[1][1], 1.0);
    EXPECT_EQ(copy.GetOrig()[2], 3.0);
}
