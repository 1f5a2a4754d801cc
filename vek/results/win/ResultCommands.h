#pragma once
// The result commands of the main frame's route, the animation's playback on
// a timer, and the result display's links to the model view (its result
// pass, the frame capture, the deformed-shape switch of the nodes).
#include "framework/Afx.h"

class CResultCommands : public CCmdTarget {
public:
    void OnDispPicture();
    void OnForceDiagram();
    void OnCloseAll();
    void OnFilter();
    void OnContour();
    void OnDispValues();
    void OnPlay();
    void OnStop();
    void OnUpdateNeedsResults(CCmdUI* ui);
    void OnUpdatePlay(CCmdUI* ui);
    void OnUpdateStop(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()
};

extern CResultCommands theResultCommands;

// Joins the command route and binds the view's result hooks (once).
void BindResultWindows();
// One tick of the playback: the next frame shown; re-armed while playing.
void AnimationTick();
// The frame the last tick showed (its file number), 0 before any.
int LastShownFrame();
