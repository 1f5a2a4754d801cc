#pragma once
// The program's mode: 1 as the modeller, 0 as the result viewer (started with
// "/ZUROZE"). Set once at start-up, read by the frame, the view and the
// commands that only the modeller offers.
extern unsigned char bModellerMode;
