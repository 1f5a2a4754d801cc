#pragma once
// Section outlines for the true-shape drawing of members, and the shape
// builders they share. Outlines are in section coordinates (x across, y up)
// in the model's length unit; open strips pair the two rings point by point.
#include "vek/model/materials/Sections.h"
#include "vek/view/TrueShape.h"

// The outline(s) of a frame's section (kind 0 ordinary, 1 steel, 2 or 3
// variable; 1-based number) placed into the holder, which SetPlacement has
// placed on the member. 1 when anything was placed; 0 leaves the holder
// empty (no section, a kind without an outline): the member is drawn as a line.
int BuildFrameTrueShape(int kind, int number, MemberTrueShape& holder);

// Plates stacked from bottom to top, shifted so that y = 0 is the
// equal-area axis.
void BuildIShape(TrueShapeReg& r, double B1, double T1, double H, double tw, double B2, double T2);
void BuildTShape(TrueShapeReg& r, double B, double T, double H, double tw);
void BuildInvertedTShape(TrueShapeReg& r, double h2, double b2, double b1, double h1);
// A closed w x t rectangle at distance d: side 1 above, 2 below, 3 left, else right.
void BuildPlateShape(TrueShapeReg& r, int side, double w, double t, double d);

// Catalogue sections by 1-based row; false (outline empty) for a row the
// table does not hold. Outputs in the model's length unit.
bool BuildEqualAngleShape(TrueShapeReg& r, double& z0, int row, bool noShift);
bool BuildUnequalAngleShape(TrueShapeReg& r, double& x0, double& y0, int row, bool noShift);
bool BuildChannelShape(TrueShapeReg& r, double& z0, double& b, double& h, double& d, int row, bool noShift);
bool BuildLightChannelShape(TrueShapeReg& r, int row, bool noShift);
bool BuildCatalogIShape(TrueShapeReg& r, double& b, double& h, double& d, int row);
// pattern: the steel pattern index of the H table (39..42, 46..48, 50);
// b as the table holds it (metres).
bool BuildCatalogHShape(TrueShapeReg& r, int pattern, double& b, int row);
bool BuildCatalogTShape(TrueShapeReg& r, int row);

// The fields of a catalogue designation such as "63*5" (digits, '*' between).
int ParseStarNumbers(const char* text, double* out, int capacity);
