#pragma once
// What the portable code asks of the view and its projection. The view binds
// these when it is created; unbound, the portable code sees a plan view whose
// frame is the global one and nothing is drawn.
struct ViewLink {
    // 1 plan, 2 elevation work plane, 3 free 3-D.
    int (*projectionMode)() = nullptr;
    // Global point to the view frame and back (in and out may be the same array).
    void (*toViewFrame)(const double world[3], double local[3]) = nullptr;
    void (*fromViewFrame)(const double local[3], double world[3]) = nullptr;
    // What files older than version 700 keep of the projection: its mode and one value.
    void (*setLegacyProjection)(int mode, double value) = nullptr;
    // Work plane x = 0 through the origin, elevation mode, zoom to the model's extents.
    void (*enterYZPlane)() = nullptr;
    // The model picture is rebuilt at the next paint.
    void (*invalidateModel)() = nullptr;
    // An arc about the centre in the view plane, white, XOR pen; twice erases it.
    void (*drawXorArc)(const double centre[3], double startAngle, double endAngle, double radius) = nullptr;
    // The view's idle step (panning at the border); true when it wants more idle time.
    bool (*idleStep)() = nullptr;
    // The view's flag that asks for the model picture to be rebuilt, null without a view.
    unsigned char* (*rebuildPictureFlag)() = nullptr;
};
extern ViewLink theViewLink;

// The projection mode through the link (1 when unbound).
int ViewProjectionMode();
// Through the link; unbound, the frame is the global one.
void ToViewFrame(const double world[3], double local[3]);
void FromViewFrame(const double local[3], double world[3]);
void InvalidateModelView();
