#pragma once
// The frames' block of the project file: the panel inputs, the frames, the
// general and variable sections and the frame loads.
class bofstream;
class bifstream;

// 1 when every byte was written.
int SaveFrameBlock(bofstream& out);
// Reads the block of a file of version nPrjVersion into the emptied stores:
// 1 read; 0 for a damaged block (stream failed: a count beyond the bytes
// left, a short record, a number out of its list) or one refused with a
// message (a store that cannot take the count, frame loads of files before
// version 520).
int LoadFrameBlock(bifstream& in);
