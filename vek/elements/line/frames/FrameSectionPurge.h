#pragma once
// The purge of section records and cables that no frame uses: the used
// ones keep their order and are numbered densely, the frames follow. The
// renumbering invalidates recorded numbers, so the undo history is emptied
// when anything is removed.

struct CFramePurgeCounts {
    int sections = 0;  // ordinary sections removed
    int variable = 0;  // variable sections removed
    int steel = 0;     // steel sections removed
    int cables = 0;    // cables removed
    int Total() const { return sections + variable + steel + cables; }
};

// Ordinary and variable sections; a frame naming a section past the end of
// its list loses it. The current section numbers follow their sections.
CFramePurgeCounts PurgeUnusedSections();
// Steel sections, then cables (a cable item naming no cable becomes 0).
CFramePurgeCounts PurgeUnusedSteelSectionsAndCables();
// Both, with a passing message naming what went when anything did.
CFramePurgeCounts PurgeUnusedFrameData();
