// The program's one application object and its entry.
#include "vek/app/VekApp.h"
#include "vek/dialogs/InputDialogs.h"
#include "vek/dialogs/frames/FramePanels.h"
#include "vek/dialogs/library/PropertyPanels.h"

CVekApp theApp;

namespace {
// The panels over the element families join the command table where the families are linked.
const bool elementPanels = (BindElementPanels(), true);
const bool framePanels = (BindFramePanels(), true);
const bool propertyPanels = (BindPropertyPanels(), true);
}  // namespace

FW_IMPLEMENT_WINMAIN()
