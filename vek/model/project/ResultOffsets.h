#pragma once
// The number offsets of the steel and the variable-section beams of a model
// built from result files: added to their numbers in the result files they
// give the beams' numbers in the model. They travel at the head of the block
// of trusses, curved beams and pipes.
#include <cstdint>

class bofstream;
class bifstream;

extern int32_t theSframeIdOffset;
extern int32_t theVframeIdOffset;

// The block of trusses, curved beams and pipes while their family is not part
// of this build: the two offsets (files of version 700 and later), then the
// stores, which must be empty.
int WriteLineElementsHead(bofstream& out);
int ReadLineElementsHead(bifstream& in);
