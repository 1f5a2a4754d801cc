#pragma once
// The project document of Vek.
#include "framework/Afx.h"

class CVekDoc : public CDocument {
    DECLARE_DYNCREATE(CVekDoc)
public:
    // Until the project file is read, opening only checks that the file is there.
    BOOL OnOpenDocument(LPCTSTR path) override;

protected:
    CVekDoc() = default;
    DECLARE_MESSAGE_MAP()
};
