#pragma once
// What the elevation work plane does to the view: defining the current
// elevation by picked points, its origin, reversing it, switching to a
// named elevation.

// Prompts of the point-picking operations 700, 701 and 702.
extern const char* const kPromptElevationTwoPoints;
extern const char* const kPromptElevationThreePoints;
extern const char* const kPromptElevationOrigin;

// Two points (a vertical plane through them) or three; 1 when the current
// elevation changed and the view shows it.
int DefineElevationByPoints(int count, const double (*points)[3]);
void SetElevationOrigin(const double* point);
void ReverseElevation();
// Makes named elevation `index` the current one and shows it; 0 for no such index.
int SelectNamedElevation(int index);
// Saves the current elevation under a name.
void AddNamedElevation(const char* name);
