#pragma once
// The node block of the project file: the nodes, the load and mass pools,
// the springs and the prescribed displacements.
class bofstream;
class bifstream;

// 1 when every byte was written.
int WriteNodeBlock(bofstream& out);
// Reads the block of a file of version nPrjVersion into the emptied stores.
// 0 for a damaged block: a count beyond the bytes left, a short record, a
// node number out of range or a pool index beyond its pool.
int ReadNodeBlock(bifstream& in);
