#pragma once
// The project document of Vek.
#include "framework/Afx.h"

class CVekDoc : public CDocument {
    DECLARE_DYNCREATE(CVekDoc)
protected:
    CVekDoc() = default;
    DECLARE_MESSAGE_MAP()
};
