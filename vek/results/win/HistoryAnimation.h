#pragma once
// The animated time history: one frame per time step, each drawn with the
// step's share of the pixel setting, then played in a loop (displacement)
// or back and forth (velocity, acceleration).

// Kind 15 displacement, 16 velocity, 17 acceleration. false, with a message
// and no picture, when a step cannot be read, there are no steps, or the
// model has more nodes than the result.
bool ShowHistoryAnimation(int kind);
// Any displacement picture: the time-history animations here, the others
// by the picture builder.
bool ShowAnyDispPicture(int kind);
