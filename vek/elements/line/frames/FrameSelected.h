#pragma once
// The common walk of the frame property commands: each selected frame is
// erased, offered to the test, recorded for undo, changed and drawn again,
// all in one undo group with the attribute's display switched on.
#include "vek/edit/Undo.h"
#include "vek/edit/UndoRecords.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/model/AppHelpers.h"
#include "vek/view/draw/DrawLayer.h"

// Returns how many frames changed; a frame the test refuses is deselected
// and left as it was.
template <class Accept, class Record, class Change>
int ForSelectedFrames(int option, Accept accept, Record record, Change change)
{
    CDrawSession session;
    CDisplayOptionOn shown(option);
    theUndo.BeginRecord();
    int changed = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        if (!f->IsSelected()) continue;
        f->m_nFlags &= ~(kObjSelected | kObjLive);
        f->Draw();
        f->m_nFlags |= kObjLive;
        if (!accept(*f)) {
            f->Draw();
            continue;
        }
        theUndo.AddRecord(record(*f));
        change(*f);
        f->Draw();
        ++changed;
    }
    theUndo.EndRecord();
    if (changed) SetDocumentModified(1);
    return changed;
}

template <class Record, class Change>
int ForSelectedFrames(int option, Record record, Change change)
{
    return ForSelectedFrames(
        option, [](CFrame&) { return true; }, record, change);
}
