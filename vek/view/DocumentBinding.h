#pragma once
// Binds the view projection to the document's model operations: the
// projection's project-file block, its default view, its refits and work
// platforms, and what older project options keep of it.
void BindViewToDocument();
