#include "VekDoc.h"

#include "vek/model/AppHelpers.h"

IMPLEMENT_DYNCREATE(CVekDoc, CDocument)

BEGIN_MESSAGE_MAP(CVekDoc, CDocument)
END_MESSAGE_MAP()

BOOL CVekDoc::OnOpenDocument(LPCTSTR path)
{
    if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        CString text;
        text.Format("无法打开文件%s。", path);
        AppMessageBox(text, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    return CDocument::OnOpenDocument(path);
}
