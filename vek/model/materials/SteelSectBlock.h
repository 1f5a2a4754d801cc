#pragma once
// The project file's steel-section block: the steel sections, then the
// prestressing cables and the cable panel's input.
class bofstream;
class bifstream;

int SaveSteelSectBlock(bofstream& out);
// Every accepted version (nPrjVersion). 0 for a damaged block, which leaves
// the lists as they were; an unmatched section string is said once.
int LoadSteelSectBlock(bifstream& in);
