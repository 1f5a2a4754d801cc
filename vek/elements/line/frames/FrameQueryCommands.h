#pragma once
// The frame queries of the view menu: the information text and the local
// axes of one picked frame, shown beside the view.

// Joins the queries to their operation codes (beams and columns alike).
void RegisterFrameQueryCommands();

// The first selected frame, deselected, its information text shown under
// "梁柱信息"; the frame is redrawn after a short pause. Its number, 0 when
// no frame was selected.
int ShowFrameInfo();
// As above with the frame's local axes: the marker is drawn and the axis
// code with the reference direction shown. A selected frame without local
// axes is reported and skipped; the next selected one is tried.
int ShowFrameLocalAxis();
