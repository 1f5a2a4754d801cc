// Number lists, number texts, interpolation, sorting, geometry and files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#if defined(_WIN32)
#include <direct.h>
#else
#include <unistd.h>
#endif

#include "tests/support/TestFiles.h"
#include "korvalib/base/GFunc.h"

using namespace vektest;

namespace {
constexpr double kPi = 3.14159265358979323846;
}

TEST(GFuncLists, Ints)
{
    struct Case {
        const char* line;
        const char* key;
        int count;
        int result;
        int v[4];
    } cases[] = {
        {"N=1,,3", "N", 4, 3, {1, 0, 3, 0}},
        {"XN=5 N=7", "N", 1, 1, {7}},
        {"N=2+3*4", "N", 1, 1, {20}},
        {"N=10/4 1.9", "N", 2, 2, {2, 1}},
        {"N=-5", "N", 1, 1, {-5}},
        {"N=2*-3", "N", 1, 1, {-3}},
        {"A=1 2 3 B=4", "A", 4, 3, {1, 2, 3, 0}},
        {"A=1 , 2,3", "A", 3, 3, {1, 2, 3}},
        {"B=1,N=6", "N", 2, 1, {6, 0}},
        {"1 2 3", nullptr, 2, 2, {1, 2}},
        {"N=4/0", "N", 1, 1, {0}},
        {"N=99999999999", "N", 1, 1, {static_cast<int>(99999999999LL & 0xFFFFFFFF)}},
        {"N=2147483647+1", "N", 1, 1, {INT32_MIN}},
        {"N=", "N", 2, 0, {0, 0}},
        {"N=X", "N", 1, 0, {0}},
        {"N=3+", "N", 1, 1, {3}},
        {"N=,5", "N", 2, 2, {0, 5}},
        {"\tN=\t7\t", "N", 1, 1, {7}},
    };
    for (const auto& c : cases) {
        int v[4] = {-9, -9, -9, -9};
        EXPECT_EQ(GFunc::ExtractInts(c.line, c.count, c.key, v), c.result) << c.line;
        for (int i = 0; i < c.count; ++i) EXPECT_EQ(v[i], c.v[i]) << c.line << " slot " << i;
        for (int i = c.count; i < 4; ++i) EXPECT_EQ(v[i], -9) << c.line << " beyond count " << i;
    }
}

TEST(GFuncLists, MissingKeyLeavesTheArray)
{
    int v[2] = {4, 5};
    EXPECT_EQ(GFunc::ExtractInts("M=1 2", 2, "N", v), 0);
    EXPECT_EQ(v[0], 4);
    EXPECT_EQ(v[1], 5);
    EXPECT_EQ(GFunc::ExtractInts("XN=1", 2, "N", v), 0) << "a key inside a word is not the key";
    EXPECT_EQ(GFunc::ExtractInts("N 1", 2, "N", v), 0) << "the key needs its '='";
    double d[2] = {1.5, 2.5};
    EXPECT_EQ(GFunc::ExtractDoubles("", 2, "N", d), 0);
    EXPECT_EQ(d[1], 2.5);
    EXPECT_EQ(GFunc::ExtractInts(nullptr, 2, nullptr, v), 0);
    EXPECT_EQ(GFunc::ExtractInts("1 2", 0, nullptr, v), 0);
    EXPECT_EQ(v[0], 4);
}

TEST(GFuncLists, Doubles)
{
    struct Case {
        const char* line;
        const char* key;
        int result;
        double v[3];
    } cases[] = {
        {"E=10/4", "E", 1, {2.5, 0, 0}},
        {"E=1.5E3,2e-2 .5", "E", 3, {1500, 0.02, 0.5}},
        {"E=1.2346E4 5E-3", "E", 2, {12346, 0.005, 0}},
        {"E=-2.25*2", "E", 1, {-4.5, 0, 0}},
        {"E=2+3*4", "E", 1, {20, 0, 0}},
        {"E=3.", "E", 1, {3, 0, 0}},
        {"E=1E+2", "E", 1, {100, 0, 0}},
        {"E=1E999", "E", 1, {HUGE_VAL, 0, 0}},
        {"E=1E-999", "E", 1, {0, 0, 0}},
        {"E=1,,2", "E", 3, {1, 0, 2}},
        {"E=.", "E", 1, {0, 0, 0}},
        {"E=0.1", "E", 1, {0.1, 0, 0}},
    };
    for (const auto& c : cases) {
        double v[3] = {-9, -9, -9};
        EXPECT_EQ(GFunc::ExtractDoubles(c.line, 3, c.key, v), c.result) << c.line;
        for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(v[i], c.v[i]) << c.line << " slot " << i;
    }
}

TEST(GFuncNumbers, CompressFloatString)
{
    struct Case {
        const char* in;
        int keepZero;
        const char* out;
    } cases[] = {
        {"1.5000", 1, "1.5"},
        {"100.0000", 1, "100"},
        {"0.0000", 1, "0"},
        {"0.0000", 0, ""},
        {"-0.0000", 1, "0"},
        {"-0.0000", 0, ""},
        {"5.0000E-03", 1, "5E-3"},
        {"1.2346E+04", 1, "1.2346E4"},
        {"1.0000E+00", 1, "1"},
        {"1.0000E+10", 1, "1E10"},
        {"-2.5000E-10", 1, "-2.5E-10"},
        {"1200", 1, "1200"},
        {"-0", 1, "-0"},
        {"+0.", 1, "0"},
        {"3.1400e+05", 1, "3.14e5"},
    };
    for (const auto& c : cases) {
        char t[32];
        strcpy(t, c.in);
        GFunc::CompressFloatString(t, c.keepZero);
        EXPECT_STREQ(t, c.out) << c.in;
    }
}

TEST(GFuncNumbers, Interpolation)
{
    const double xs[2] = {0, 10}, ys[2] = {0, 100};
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(5, xs, ys, 2, 0, 0), 50);
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(20, xs, ys, 2, 0, 0), 100);
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(20, xs, ys, 2, 0, 1), 200);
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(-5, xs, ys, 2, 0, 1), 0);
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(-5, xs, ys, 2, 1, 0), -50);
    const double x3[3] = {0, 1, 3}, y3[3] = {0, 10, 0};
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(2, x3, y3, 3, 0, 0), 5);
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(0.5, x3, y3, 3, 0, 0), 5);
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(4, x3, y3, 3, 0, 1), -5);
    const double one = 7;
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(4, &one, &one, 1, 1, 1), 7);
    EXPECT_DOUBLE_EQ(GFunc::GetYToXOnSomeData(4, xs, ys, 0, 1, 1), 0);
}

TEST(GFuncNumbers, SortAndCompare)
{
    struct Rec {
        int key;
        char pad[4];
    };
    Rec recs[9];
    const int keys[9] = {5, 3, 9, 1, 3, 8, -2, 7, 0};
    int offsets[9];
    for (int i = 0; i < 9; ++i) {
        recs[i].key = keys[i];
        offsets[i] = i * int(sizeof(Rec));
    }
    GFunc::ShellSort(reinterpret_cast<char*>(recs), 9, offsets, GFunc::CompareInt);
    const int sorted[9] = {-2, 0, 1, 3, 3, 5, 7, 8, 9};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(reinterpret_cast<Rec*>(reinterpret_cast<char*>(recs) + offsets[i])->key, sorted[i]);

    const int a[3] = {1, 2, 2}, b[3] = {2, 1, 2}, c[2] = {1, 3}, d[2] = {2, 2};
    EXPECT_EQ(GFunc::IsEqual(a, b, 3), 1);
    EXPECT_EQ(GFunc::IsEqual(c, d, 2), 0);
    const float f[3] = {0.001f, -0.001f, 0};
    EXPECT_EQ(GFunc::IsZero(f, 3, 0.01), 1);
    EXPECT_EQ(GFunc::IsZero(f, 3, 0.0001), 0);
    const unsigned char u[2] = {0, 1};
    EXPECT_EQ(GFunc::IsZero(u, 1), 1);
    EXPECT_EQ(GFunc::IsZero(u, 2), 0);
    EXPECT_EQ(GFunc::Sqrt(-4), 0.0);
    EXPECT_EQ(GFunc::Sqrt(1e-17), 0.0);
    EXPECT_EQ(GFunc::Sqrt(4), 2.0);
}

TEST(GFuncPlane, Angles)
{
    struct Case {
        double dx, dy, angle;
    } cases[] = {
        {0, -1, 3 * kPi / 2}, {-1, -1, 5 * kPi / 4}, {1, -1, 7 * kPi / 4}, {0, 1, kPi / 2}, {0, 0, 0}, {1, 0, 0},
        {-1, 0, kPi},         {1, 1, kPi / 4},
    };
    for (const auto& c : cases) {
        const double d[2] = {c.dx, c.dy};
        EXPECT_NEAR(GFunc::GlobalDirAngle(d), c.angle, 1e-12) << c.dx << "," << c.dy;
    }
    EXPECT_NEAR(GFunc::GlobalLineAngle(1, 1, 2, 2), kPi / 4, 1e-12);
    EXPECT_NEAR(GFunc::ScreenLineAngle(1, 1, 2, 2), 7 * kPi / 4, 1e-12);
    double xr, yr;
    GFunc::PlaneCoordRotate(1.0, 0.0, xr, yr, kPi / 2);
    EXPECT_NEAR(xr, 0, 1e-12);
    EXPECT_NEAR(yr, 1, 1e-12);
    short sx, sy;
    GFunc::PlaneCoordRotate(short(10), short(0), sx, sy, kPi / 4);
    EXPECT_EQ(sx, 7);
    EXPECT_EQ(sy, 7);
    GFunc::PlaneCoordRotate(short(32767), short(32767), sx, sy, kPi / 4);
    EXPECT_EQ(sy, 32767) << "results beyond 16 bits are held at the limit";
    const double a[3] = {0, 0, 0}, b[3] = {4, 0, 0}, c[3] = {0, 3, 0};
    EXPECT_DOUBLE_EQ(GFunc::Area(a, b, c), 6);
    EXPECT_DOUBLE_EQ(GFunc::GetDistance(b, c), 5);
    EXPECT_DOUBLE_EQ(GFunc::GetDistance(0, 0, 3, 4), 5);
}

TEST(GFuncSpace, MirrorsAndProjections)
{
    const double plane[4] = {1, 0, 0, -1};  // x = 1
    const double p[3] = {3, 2, 1};
    double out[3];
    GFunc::MirrorPoint(p, out, plane);
    EXPECT_DOUBLE_EQ(out[0], -1);
    EXPECT_DOUBLE_EQ(out[1], 2);
    const double on[3] = {1.000001, 5, 5};
    GFunc::MirrorPoint(on, out, plane);
    EXPECT_EQ(out[0], 1.000001);
    const double dir[3] = {1, 1, 0};
    GFunc::MirrorDir(dir, out, plane);
    EXPECT_DOUBLE_EQ(out[0], -1);
    EXPECT_DOUBLE_EQ(out[1], 1);
    const double n[3] = {0, 0, 5};
    const double d[3] = {1, 2, 3};
    GFunc::ProjectedToPlaneDir(d, n, out);
    EXPECT_DOUBLE_EQ(out[2], 0);
    EXPECT_DOUBLE_EQ(out[1], 2);
    const double z2[4] = {0, 0, 1, -2};
    GFunc::ProjectedToPlanePoint(d, z2, out);
    EXPECT_DOUBLE_EQ(out[2], 2);
    const double z2long[4] = {0, 0, 2, -4};  // the same plane with a longer normal
    GFunc::ProjectedToPlanePoint(d, z2long, out);
    EXPECT_DOUBLE_EQ(out[2], 2);
    const double none[4] = {0, 0, 0, 1};
    GFunc::ProjectedToPlanePoint(d, none, out);
    EXPECT_EQ(out[2], 3);
}

TEST(GFuncSpace, AnglesAndRotations)
{
    const double x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, z[3] = {0, 0, 1}, mx[3] = {-1, 0.0, 0};
    EXPECT_NEAR(GFunc::AngleOfTwoVectors(x, y, nullptr), kPi / 2, 1e-12);
    EXPECT_NEAR(GFunc::AngleOfTwoVectors(y, x, nullptr), kPi / 2, 1e-12);
    EXPECT_NEAR(GFunc::AngleOfTwoVectors(x, mx, nullptr), kPi, 1e-12);
    EXPECT_NEAR(GFunc::AngleOfTwoVectors(y, x, z), 3 * kPi / 2, 1e-12);
    const double xz[3] = {1, 0, 5};
    EXPECT_NEAR(GFunc::AngleOfTwoVectors(xz, y, z), kPi / 2, 1e-12) << "projected onto the normal's plane";

    double p[3] = {1, 0, 0}, axis[3] = {0, 0, 2}, out[3];
    GFunc::AxisRotate(p, axis, 90, out);
    EXPECT_NEAR(out[0], 0, 1e-12);
    EXPECT_NEAR(out[1], 1, 1e-12);
    EXPECT_DOUBLE_EQ(axis[2], 1) << "the axis is normalised in place";

    // Around the axis from (0,0,0) to (0,0,1): 1 further out, 90 degrees round, 2 up.
    const double a[3] = {0, 0, 0}, b[3] = {0, 0, 1}, q[3] = {2, 0, 0}, move[3] = {1, 90, 2};
    GFunc::AxisRotate(q, a, b, move, out);
    EXPECT_NEAR(GFunc::GetDistance(out[0], out[1], 0, 0), 3, 1e-9);
    EXPECT_NEAR(out[2], 2, 1e-9);
    const double onAxis[3] = {0, 0, 5};
    GFunc::AxisRotate(onAxis, a, b, move, out);
    EXPECT_EQ(out[2], 5) << "a point on the axis stays";

    const double dir[3] = {1, 0, 1};
    GFunc::AxisRotateDir(dir, a, b, 180, out);
    EXPECT_NEAR(out[0], -1, 1e-12);
    EXPECT_NEAR(out[1], 0, 1e-12);
    EXPECT_NEAR(out[2], 1, 1e-12);
}

TEST(GFuncSpace, WaterPressure)
{
    const double s[3] = {0, 0, 10}, down[3] = {0, 0, 0};
    const double p[3] = {5, 5, 4}, above[3] = {0, 0, 11};
    EXPECT_DOUBLE_EQ(GFunc::CalWaterPressure(s, down, 10.0, p), 60);
    EXPECT_EQ(GFunc::CalWaterPressure(s, down, 10.0, above), 0);
    EXPECT_EQ(GFunc::CalWaterPressure(s, s, 10.0, p), 0) << "no direction";
    const float sf[3] = {0, 0, 10}, df[3] = {0, 0, 0};
    EXPECT_DOUBLE_EQ(GFunc::CalWaterPressure(sf, df, 10.0f, p), 60);
}

TEST(GFuncSpace, LineIntersect)
{
    const double a1[3] = {0, 0, 0}, a2[3] = {10, 0, 0}, b1[3] = {5, -5, 0}, b2[3] = {5, 5, 0};
    double at[3], s, t;
    ASSERT_EQ(GFunc::LineIntersect(a1, a2, b1, b2, at, 0.01, s, t, 0, 0), 1);
    EXPECT_DOUBLE_EQ(at[0], 5);
    EXPECT_DOUBLE_EQ(s, 0.5);
    EXPECT_DOUBLE_EQ(t, 0.5);
    // Crossing exactly at an end of the second segment.
    const double c1[3] = {5, 0, 0}, c2[3] = {5, 5, 0};
    EXPECT_EQ(GFunc::LineIntersect(a1, a2, c1, c2, at, 0.01, 0, 1), 1);
    EXPECT_EQ(GFunc::LineIntersect(a1, a2, c1, c2, at, 0.01, 0, 0), 0);
    // Beyond the segments: only unbounded.
    const double d1[3] = {20, 1, 0}, d2[3] = {20, 5, 0};
    EXPECT_EQ(GFunc::LineIntersect(a1, a2, d1, d2, at, 0.01, 0, 1), 0);
    EXPECT_EQ(GFunc::LineIntersect(a1, a2, d1, d2, at, 0.01, 1, 1), 1);
    EXPECT_DOUBLE_EQ(at[0], 20);
    // Parallel, and skew in space.
    const double e1[3] = {0, 1, 0}, e2[3] = {10, 1, 0};
    EXPECT_EQ(GFunc::LineIntersect(a1, a2, e1, e2, at, 0.01, 1, 1), 0);
    const double f1[3] = {5, -5, 1}, f2[3] = {5, 5, 1};
    EXPECT_EQ(GFunc::LineIntersect(a1, a2, f1, f2, at, 0.01, 0, 1), 0);
    const int i1[2] = {0, 0}, i2[2] = {10, 10}, i3[2] = {0, 10}, i4[2] = {10, 0};
    EXPECT_EQ(GFunc::LineIntersect(i1, i2, i3, i4, 0), 1);
    EXPECT_EQ(GFunc::LineIntersect(i1, i2, i1, i4, 0), 0);
    EXPECT_EQ(GFunc::LineIntersect(i1, i2, i1, i4, 1), 1);
}

TEST(GFuncSpace, PointInRegion)
{
    const double sq[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    struct Case {
        double x, y;
        int result;
    } cases[] = {
        {5, 5, 1}, {15, 5, 0}, {10, 5, 7}, {5, 10, 7}, {0, 0, 7}, {-3, 5, 0}, {5, -1, 0}, {9.9, 9.9, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GFunc::PointInRegion(c.x, c.y, 4, sq, 0.01, 7), c.result) << c.x << "," << c.y;

    // The ray through a vertex counts once; touching a peak counts twice.
    const double diamond[4][2] = {{5, 0}, {10, 5}, {5, 10}, {0, 5}};
    EXPECT_EQ(GFunc::PointInRegion(5, 5, 4, diamond, 0.01, 7), 1);
    const double tri[3][2] = {{0, 0}, {10, 0}, {5, 10}};
    EXPECT_EQ(GFunc::PointInRegion(5, 3, 3, tri, 0.01, 7), 1);
    const double zig[5][2] = {{0, 0}, {20, 0}, {20, 10}, {10, 5}, {0, 10}};  // a trough at (10, 5)
    EXPECT_EQ(GFunc::PointInRegion(15, 5, 5, zig, 0.01, 7), 1);
    EXPECT_EQ(GFunc::PointInRegion(10, 7, 5, zig, 0.01, 7), 0);
    // Repeated vertices and a closing vertex are dropped.
    const double rep[6][2] = {{0, 0}, {0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    EXPECT_EQ(GFunc::PointInRegion(5, 5, 6, rep, 0.01, 7), 1);
    const double two[2][2] = {{0, 0}, {10, 10}};
    EXPECT_EQ(GFunc::PointInRegion(5, 4, 2, two, 0.01, 7), 0);
}

TEST(GFuncSpace, SearchPolyVertex)
{
    const double pts[5][3] = {{0, 0, 0}, {10, 10, 0}, {5, 5, 0}, {10, 0, 0}, {0, 10, 0}};
    int order[5], count = -1;
    ASSERT_EQ(GFunc::SearchPolyVertex(pts, 5, order, count, 0.01), 1);
    ASSERT_EQ(count, 4);
    const int expected[4] = {0, 3, 1, 4};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(order[i], expected[i]);

    // Points on a line are walked in order; a point between two others is
    // never skipped over.
    const double line[3][3] = {{0, 0, 0}, {10, 0, 0}, {5, 0, 0}};
    ASSERT_EQ(GFunc::SearchPolyVertex(line, 3, order, count, 0.01), 1);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 2);
    EXPECT_EQ(order[2], 1);
    const double same[2][3] = {{1, 1, 0}, {1, 1, 0}};
    EXPECT_EQ(GFunc::SearchPolyVertex(same, 2, order, count, 0.01), 0);
    EXPECT_EQ(count, 0);
}

TEST(GFuncFiles, ExistenceTimesAndNames)
{
    TempFile f("gf");
    EXPECT_EQ(GFunc::FileExist(f.c_str()), 0);
    EXPECT_EQ(GFunc::GetFileTime(f.c_str()), 0);
    f.WriteText("");
    EXPECT_EQ(GFunc::FileExist(f.c_str()), 1);
    EXPECT_EQ(GFunc::GetFileTime(f.c_str()), 0) << "an empty file has no time";
    f.WriteText("x");
    EXPECT_GT(GFunc::GetFileTime(f.c_str()), 1700000000);
    const std::filesystem::path p(f.path());
    const std::string dir = p.parent_path().string();
    const std::string name = p.filename().string();
    EXPECT_EQ(GFunc::FileExist(name.c_str(), dir.c_str()), 1);
    EXPECT_EQ(GFunc::FileExist(name.c_str(), (dir + "/").c_str()), 1);

    char folder[260], base[260], ext[64];
    GFunc::ExtractFilePathName("C:\\work\\model.v2.prj", folder, base, ext);
    EXPECT_STREQ(folder, "C:\\work\\");
    EXPECT_STREQ(base, "model.v2");
    EXPECT_STREQ(ext, "prj");
    GFunc::ExtractFilePathName("C:\\work\\noext", folder, base, ext);
    EXPECT_STREQ(base, "noext");
    EXPECT_STREQ(ext, "");
    GFunc::ExtractFilePathName("plain.dat", folder, base, ext);
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(std::string(folder).substr(0, cwd.size()), cwd);
    EXPECT_EQ(strlen(folder), cwd.size() + 1) << "the current directory with its separator";
    EXPECT_STREQ(base, "plain");
    // A double-byte character whose second byte is '\' is not a separator.
    GFunc::ExtractFilePathName("d:\\\x95\x5c.txt", folder, base, ext);
    EXPECT_STREQ(folder, "d:\\");
    EXPECT_STREQ(base, "\x95\x5c");
    // Names longer than the buffers are cut, not overrun.
    const std::string longName(600, 'a');
    GFunc::ExtractFilePathName((longName + ".x").c_str(), folder, base, ext);
    EXPECT_EQ(strlen(base), 259u);
}

// A folder given without its trailing separator whose last character's
// second byte is '\' (籠 is BB 5C in GBK): the separator is still put in.
TEST(GFuncFiles, FolderEndingInADoubleByteCharacter)
{
    TempFile f("gf");
    const std::string folder = f.path() + "_\xBB\x5C";
#if defined(_WIN32)
    ASSERT_EQ(_mkdir(folder.c_str()), 0);
#else
    ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
#endif
    const std::string file = folder + "/x.bin";
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fputc('x', out);
        std::fclose(out);
    }
    EXPECT_EQ(GFunc::FileExist("x.bin", folder.c_str()), 1);
    EXPECT_GT(GFunc::GetFileTime("x.bin", folder.c_str()), 0);
    std::remove(file.c_str());
#if defined(_WIN32)
    _rmdir(folder.c_str());
#else
    rmdir(folder.c_str());
#endif
}
