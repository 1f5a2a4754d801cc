#pragma once
// The result pictures' contents: the deformed and mode shapes fetched from
// theResult into the nodes, their animation frames, and the force diagram of
// line members with its value range and scale.
#include <string>

// What a picture asks of the view. Unbound, animations write no frames.
struct ResultPictureHooks {
    // Draws the view into its off-screen picture and saves it as the GIF
    // file path; false when the file was not written.
    bool (*captureFrame)(const char* path) = nullptr;
    // Starts the playback of the frames written (the view's play command).
    void (*play)() = nullptr;
};
extern ResultPictureHooks theResultPictureHooks;

// Shows the displacement picture of a kind (1-9 still, 11-14, 18, 19
// animated) for the current selection. false, with a message and no picture,
// when the result cannot be read or the model has more nodes than the result.
bool ShowDispPicture(int kind);
// The largest translation of n nodes (six values each), at least 1e-20; a
// picture of pure rotations takes a quarter of the span times its largest
// rotation.
double LargestDisplacement(const double (*d)[6], int n, double span);
// The largest side of the box around the model's nodes (1 without nodes).
double ModelSpan();
// Zeroes the translations the nodes are drawn with.
void ClearNodeDisplacements();
// The selector's value, kept within 1..count (0 when there is nothing).
int CurrentSelection(int selector);
// The file of animation frame k: the temporary folder, the stem, "." and k.
std::string AnimationFrameFile(int k);

// Fills the force diagram of beams for its component and envelope mode from
// theResult, then its range and scale. false (diagram off, message) when the
// forces cannot be read.
bool UpdateFrameDiagram();
// The diagram's largest and smallest value and its drawing scale.
void CalcFrameDiagramRange();
// The next frame of the playback: frame f after f, for N frames and a kind.
int NextAnimationFrame(int f, int frameCount, int kind);

// NodeDispValues::Fill: one value per node of the kind's current case and
// the component (6: the resultant translation), then the largest. false
// (kind 0, message) when the results cannot be read.
bool FillNodeValues();
// The value with the largest size over the nodes, with its sign (0 for none).
void CalcNodeValuesLargest();
// The value shown beside a node (by number): false when none is shown or the
// result filter keeps it out.
bool NodeResultValue(int nodeId, double& value);
