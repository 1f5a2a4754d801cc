#include "vek/dialogs/ParaDispDlg.h"

IMPLEMENT_DYNAMIC(CParaDispDlg, CModelessDialog)
