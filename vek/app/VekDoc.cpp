#include "VekDoc.h"

IMPLEMENT_DYNCREATE(CVekDoc, CDocument)

BEGIN_MESSAGE_MAP(CVekDoc, CDocument)
END_MESSAGE_MAP()
