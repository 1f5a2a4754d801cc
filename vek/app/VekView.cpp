#include "VekView.h"

#include "VekDoc.h"

IMPLEMENT_DYNCREATE(CVekView, CView)

BEGIN_MESSAGE_MAP(CVekView, CView)
END_MESSAGE_MAP()

CVekDoc* CVekView::GetDocument() const
{
    return static_cast<CVekDoc*>(m_pDocument);
}

void CVekView::OnDraw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(0, 0, 0));
    CFont font;
    font.CreatePointFont(140, "宋体", dc);
    CFont* old = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(255, 255, 255));
    CString title = GetDocument() ? GetDocument()->GetTitle() : CString();
    CString text;
    text.Format("Vek 结构有限元建模 —— %s", title.GetString());
    dc->TextOut(20, 20, text);
    dc->SelectObject(old);
}
