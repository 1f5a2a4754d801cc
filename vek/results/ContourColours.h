#pragma once
// Contour colours: values are drawn in a pure green marker whose level codes
// the normalised value, and the finished picture's marker pixels are then
// given the palette's colours, so that the palette follows exactly the
// interpolation the renderer made. Drawings that are not rendered pictures
// (metafiles, DXF, GDI printing) get the palette colours at once.
#include <cstdint>

constexpr int kPaletteSize = 240;

// The palette of 10, 20 or 240 colours (any other count: 240), as R, G, B.
void BuildContourPalette(int colours, uint8_t out[kPaletteSize][3]);
// The contour's range: the project's fixed one, else the values' own,
// widened to 0 for animations that grow from nothing when asked.
void ContourRange(double& smallest, double& largest);
// A value as 0..1 of the range (0 for a range of no width), scaled for the
// current animation frame when the project asks for it.
double ContourNormalise(double value);
// The colour (0x00BBGGRR) of a normalised value: the marker (0, 8..247, 0)
// on a rendered picture, the palette colour elsewhere; the background colour
// out of range.
uint32_t ContourColourCode(double t);
// Gives every marker pixel of a 24- or 32-bit picture (bottom-up or not,
// rows of `stride` bytes) its palette colour; returns how many were changed,
// -1 for another depth.
int RecolourMarkers(uint8_t* bits, int width, int height, int bitsPerPixel, int stride, int colours);

#include <string>
#include <vector>

// The legend beside a contour: a column of the palette's colours, highest at
// the top, with the band boundaries labelled from the largest value down, in
// window pixels (y downwards).
struct ContourLegend {
    struct Box {
        int x, y, w, h;
        uint32_t colour;
    };
    struct Label {
        int x, y;
        std::string text;
    };
    std::string name;
    int nameX = 0, nameY = 0, textHeight = 0;
    int lineX1 = 0, lineX2 = 0;
    std::vector<int> lineYs;  // between neighbouring bands
    std::vector<Box> boxes;
    std::vector<Label> labels;
};
// Lays the legend out for a window of width x height with the screen's
// pixels per inch; false when no contour is shown or the legend is off.
bool LayoutContourLegend(int width, int height, int pixelsPerInch, ContourLegend& out);
