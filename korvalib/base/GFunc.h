#pragma once
// Shared static helpers: numbers and KEY=value lists, plane and space
// geometry, interpolation, sorting, file names and times.
#include <cstdint>

#include "korvalib/base/KorvaApi.h"

class KORVA_API GFunc {
public:
    // sqrt(x), or 0 when x < 1e-16 (negative x included).
    static double Sqrt(double x);

    // KEY=value lists of the solver data file. key may be null (the whole
    // line is the list). Returns the number of values found; the slots from
    // there up to count are set to 0. A key that is not found returns 0 and
    // leaves out unchanged.
    static int ExtractInts(const char* line, int count, const char* key, int* out);
    static int ExtractDoubles(const char* line, int count, const char* key, double* out);

    // Shortens a printed number in place: trailing zeros of the decimals, a
    // bare point, the exponent's '+' and leading zeros, an empty exponent;
    // a signed zero becomes "0", and with keepZero 0 "0" becomes "".
    static void CompressFloatString(char* text, int keepZero);

    // Piecewise-linear y(x) over ascending xs; beyond the ends the end
    // values, or the extrapolated end segments when asked.
    static double GetYToXOnSomeData(double x, const double* xs, const double* ys, int n, int extrapolateLow,
                                    int extrapolateHigh);
    // Sorts the n byte offsets so that the records base + offset ascend.
    static void ShellSort(char* base, int n, int* offsets, int (*compare)(const void*, const void*));
    static int CompareInt(const void* a, const void* b);
    // The same values counted with multiplicity, in any order.
    static int IsEqual(const int* a, const int* b, int n);
    static int IsZero(const float* a, int n, double tol);
    static int IsZero(const double* a, int n, double tol);
    static int IsZero(const unsigned char* a, int n);
    static int IsZero(const int* a, int n);

    // Plane geometry; angles in radians.
    static double GetDistance(double x1, double y1, double x2, double y2);
    static double GetDistance(double x1, double y1, double z1, double x2, double y2, double z2);
    static double GetDistance(const double* a, const double* b);
    static void PlaneCoordRotate(double x, double y, double& xr, double& yr, double angle);
    static void PlaneCoordRotate(short x, short y, short& xr, short& yr, double angle);
    // Direction angle of (dx, dy) in [0, 2 pi).
    static double GlobalDirAngle(const double d[2]);
    static double GlobalLineAngle(double x1, double y1, double x2, double y2);
    // Screen y grows downwards.
    static double ScreenLineAngle(double x1, double y1, double x2, double y2);
    static double Area(const double* a, const double* b, const double* c);

    // Space geometry; a plane is a, b, c, d of a x + b y + c z + d = 0.
    static void MirrorPoint(const double* p, double* out, const double* plane);
    static void MirrorDir(const double* dir, double* out, const double* plane);
    static void ProjectedToPlaneDir(const double* dir, const double* normal, double* out);
    static void ProjectedToPlanePoint(const double* p, const double* plane, double* out);
    // [0, pi] without a normal; [0, 2 pi) measured about the normal with one.
    static double AngleOfTwoVectors(const double* a, const double* b, const double* normal);
    // Rotates p about the axis through the origin; the axis is normalised in place.
    static void AxisRotate(double* p, double* axis, double angleDeg, double* out);
    // Moves p in the frame of the axis a->b: move[0] away from the axis,
    // move[1] degrees about it, move[2] along it.
    static void AxisRotate(const double* p, const double* a, const double* b, const double* move, double* out);
    static void AxisRotateDir(const double* dir, const double* a, const double* b, double angleDeg, double* out);
    // gamma times the depth of p below surface in the direction of down.
    static double CalWaterPressure(const double* surface, const double* down, double gamma, const double* p);
    static double CalWaterPressure(const float* surface, const float* down, float gamma, const double* p);
    // Intersection of the segments p1-p2 and p3-p4; s and t are the
    // parameters along them.
    static int LineIntersect(const double* p1, const double* p2, const double* p3, const double* p4, double* at,
                             double tol, double& s, double& t, int unbounded, int endsAllowed);
    static int LineIntersect(const double* p1, const double* p2, const double* p3, const double* p4, double* at,
                             double tol, int unbounded, int endsAllowed);
    static int LineIntersect(const int* a1, const int* a2, const int* b1, const int* b2, int endsAllowed);
    // 1 inside, 0 outside, onBoundary on the boundary within tol.
    static int PointInRegion(double x, double y, int n, const double pts[][2], double tol, int onBoundary);
    // Lists counter-clockwise the indices of the points on the convex
    // boundary (x and y used); order holds n entries.
    static int SearchPolyVertex(const double pts[][3], int n, int* order, int& count, double tol);

    // Files. folder is optional.
    static int FileExist(const char* name, const char* folder = nullptr);
    // Last modification time in seconds; 0 when missing or empty.
    static int32_t GetFileTime(const char* name, const char* folder = nullptr);
    // folder (260 bytes) with its trailing separator, or the current
    // directory; name (260) without extension; ext (64) without the point.
    static void ExtractFilePathName(const char* path, char* folder, char* name, char* ext);

protected:
    static int ExtractInt(const char*& p, int& v);
    static int ExtractDouble(const char*& p, double& v);
};
