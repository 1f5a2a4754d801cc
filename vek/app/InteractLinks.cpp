#include "vek/app/InteractLinks.h"

#include "vek/app/DialogsBar.h"
#include "vek/app/FlashDialogs.h"
#include "vek/view/win/BottomDlg.h"
#include "vek/view/win/LayerDlg.h"

void BindInteractLinks()
{
    CPromptBarLinks& links = thePromptBarLinks;
    links.flashPrompt = [](const char* text, int ms) { ShowFlashPrompt(text, ms); };
    links.anyModelessOpen = [] { return theModelessDlgs.GetCount() > 0; };
    links.hideModeless = [] { theModelessDlgs.ShowAll(FALSE); };
    links.showModeless = [] { theModelessDlgs.ShowAll(TRUE); };
    links.saveAndCloseModeless = [] { theModelessDlgs.CloseAll(); };
    RegisterLayerAndStoreyDialogs();
}
