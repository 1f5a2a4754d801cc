#pragma once
// The store-wide work on frames: adding one frame between two nodes (its
// orientation, duplicate test and undo record), splitting at nodes, deleting
// the frames marked for removal and keeping every other holder of frame
// numbers right.
#include <cstdint>

#include "vek/elements/line/frames/Frame.h"

// Holders of frame numbers owned elsewhere; unbound, nothing to keep right.
struct CFrameReferenceHooks {
    // Rigid regions: a new frame offered, a frame taken out, a split, numbers remapped.
    void (*offerFrame)(int id) = nullptr;
    void (*removeFrame)(int id) = nullptr;
    void (*frameBroken)(int kept, int added) = nullptr;
    void (*removeFrames)(const uint8_t* flags, int maxID) = nullptr;
    void (*remapFrames)(const int* map, int n) = nullptr;
};
extern CFrameReferenceHooks theFrameReferenceHooks;

// A stored frame joins its nodes (use counts), its storey's list and the
// shown number range; DetachFrame undoes the first two.
void AttachFrame(CFrame& f);
void DetachFrame(const CFrame& f);

bool HasSameEnds(const CFrame& a, const CFrame& b);
bool IsFrameLongEnough(const CFrame& f);
// A stored frame with the same two nodes (either order), 0 when none;
// freeID gets the lowest unused number.
int FindFrameWithSameEnds(const CFrame& f, int& freeID);
// The new frame's number, an existing frame's with the same nodes while the
// model is merged, or 0 (equal nodes, too short, store full).
int AddOneFrame(int nodeA, int nodeB, int quiet = 0);

void MarkSelectedFramesDeleted();
// Removes every frame whose live bit is clear; returns how many.
int DeleteMarkedFrames(int combination = 0);
void RemoveDeletedFrameReferences(const uint8_t* flags, int maxID);
void RemapFrameReferences(const int* map, int n);

// Splits the frame at a node strictly inside it; the new part's number, or 0.
int BreakFrameAtNode(int frame, int node);
// Offers the node to every frame for splitting.
void BreakFramesAtNode(int node);
// The frames from A to B, split at every node on the line and at every
// crossing with other frames; returns how many were made.
int AddFramesBetweenNodes(int nodeA, int nodeB);

// Empties the frames, their loads and the frame inputs (the model's reset).
void ClearFrameFamily();
