#pragma once
// Arc constructions of the arc generation methods, in view-plane
// coordinates: angles in radians counter-clockwise from the u axis, typed
// sweeps in degrees (counter-clockwise positive).

struct CArc2D {
    double centre[2] = {0, 0};
    double start = 0;  // radians
    double end = 0;    // radians, not below start
    double radius = 0;
};

// The angle of a point seen from a centre, in [-pi/2, 3pi/2).
double ArcPointAngle(const double* centre, const double* p);

int ArcFromCentreStartEnd(const double* centre, const double* start, const double* end, CArc2D& arc);
int ArcFromStartCentreSweep(const double* start, const double* centre, double sweepDeg, CArc2D& arc);
int ArcFromChordSweep(const double* start, const double* end, double sweepDeg, CArc2D& arc);
int ArcFromStartCentreChord(const double* start, const double* centre, double chord, CArc2D& arc);
int ArcFromStartEndRadius(const double* start, const double* end, double radius, CArc2D& arc);
int ArcThroughThreePoints(const double* start, const double* middle, const double* end, CArc2D& arc);
// Three model points in a local frame (origin and three axes); the centre
// comes back in model coordinates.
int ArcFromThreePoints(const double* p1, const double* p2, const double* p3, const double* origin,
                       const double (*axes)[3], double centre[3], CArc2D& arc);

// What an arc operation gathered: up to three picked model points, and the
// typed number that may stand in for the third.
struct CArcPicks {
    int count = 0;
    double points[3][3] = {};
    bool thirdTyped = false;
    double typed = 0;
};
// The arc of a method 1..6 (below 1: the left panel's choice) from the
// picks; the centre in model coordinates. 0 on the 3-D work platform or for
// picks that give no arc (with the message when report is set).
int ComputeArcFromPicks(const CArcPicks& picks, double centre[3], double& start, double& end, double& radius,
                        int method, int report);
