#pragma once
// Binds what the model's records ask of the view to the view's projection
// and drawing layer: the view link, the model's projection and canvas, the
// unit scaling of the grids, the projection and the work plane, the grid
// nodes in the view's extent and the objects' display flags on a change of
// work platform. The view window binds the rest (its
// redraw request, its back buffer) when it is created.
void InstallViewModelHooks();
// The share of it that the document needs too: the projection's mode, frame,
// the older files' platform and the plane model's work plane.
void BindProjectionLink();
