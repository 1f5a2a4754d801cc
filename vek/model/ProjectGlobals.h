#pragma once
// Globals of the project being worked on, read by every block reader.
#include <cstdint>

// The project version the program writes.
constexpr int16_t kProjectVersion = 706;

// The version in force: the file's own while a project file is read, else
// kProjectVersion.
extern int16_t nPrjVersion;
// Set while the model shown was built from result files: it is never marked
// modified then.
extern int bModelFromResults;
// 1 in the modeller, 0 in the result viewer (fixed at start-up).
extern uint8_t bModellerMode;
