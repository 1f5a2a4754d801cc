#pragma once
// The model view of Vek (its drawing cycle comes with the drawing layer).
#include "framework/Afx.h"

class CVekDoc;

class CVekView : public CView {
    DECLARE_DYNCREATE(CVekView)
public:
    CVekDoc* GetDocument() const;
    void OnDraw(CDC* dc) override;

protected:
    CVekView() = default;
    DECLARE_MESSAGE_MAP()
};
