#pragma once
// The node-load panel beside the view while the node-load command picks
// nodes: the component, what is done with it and the value. Every change is
// stored at once in the input the command applies.
#include "analysis/MyDialog.h"

class CNdLoadParaDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CNdLoadParaDlg)
public:
    explicit CNdLoadParaDlg(CWnd* parent);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void OnChanged();
    void OnRadio(UINT) { OnChanged(); }
    void PostNcDestroy() override;

    int m_type = 0;    // radio index: load type - 1
    int m_action = 0;  // radio index: action - 1
    DECLARE_MESSAGE_MAP()
};

extern CNdLoadParaDlg* theNdLoadParaDlg;
void OpenNodeLoadPanel(int arg);
