#pragma once
// The dialog of a new project: a spatial or a plane model, or an existing
// project opened instead. Each of its buttons acts itself and ends it with
// OK; closing it is Cancel and leaves the new, spatial model.
#include "analysis/MyDialog.h"

class CFileNewDlg : public CMyDialog {
    DECLARE_DYNAMIC(CFileNewDlg)
public:
    explicit CFileNewDlg(CWnd* parent);

protected:
    void OnSpace();
    void OnPlane();
    void OnOpen();
    void OnRecent();
    DECLARE_MESSAGE_MAP()
};

// The document's new-project step: the dialog, modal over the main window,
// once it is offered (the program offers it when its frame is shown).
void RunFileNewDialog();
// The program is running: new projects from now on ask.
void OfferFileNewDialog(bool on);
