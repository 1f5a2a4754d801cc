#include "analysis/TableWnd.h"

IMPLEMENT_DYNAMIC(CTableWnd, CWnd)
