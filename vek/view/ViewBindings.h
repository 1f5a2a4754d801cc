#pragma once
// Binds what the model's records ask of the view to the view's projection
// and drawing layer: the view link, the model's projection and canvas, the
// unit scaling of the grids, the projection and the work plane, and the
// grid nodes in the view's extent. The view window binds the rest (its
// redraw request, its back buffer) when it is created.
void InstallViewModelHooks();
