#pragma once
// Binds the view projection to the document's model operations: the
// project-file blocks of the projection, the axis grids and the snap
// switches, the projection's default view, its refits and work platforms,
// what older project options keep of it, and the grids and snap candidates
// emptied with the model.
void BindViewToDocument();
