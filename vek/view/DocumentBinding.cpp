#include "vek/view/DocumentBinding.h"

#include "korvalib/base/biostream.h"
#include "vek/model/ViewLink.h"
#include "vek/model/axisgrid/AxisGrid.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/project/ProjectBlocks.h"
#include "vek/view/ViewBindings.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/operate/OsnapState.h"

namespace {

int WriteProjection(bofstream& out)
{
    return theViewProjection.Write(out);
}
int ReadProjection(bifstream& in)
{
    return theViewProjection.Read(in);
}

}  // namespace

void BindViewToDocument()
{
    SetProjectBlockOwner(2, {WriteProjection, ReadProjection});
    SetProjectBlockOwner(17, {WriteAxisGrids, ReadAxisGrids});
    SetProjectBlockOwner(21, {WriteOsnapBlock, ReadOsnapBlock});
    theDocumentHooks.clearAxisGrids = [] {
        theAxisGrids.RemoveAll();
        RegenerateGridNodes();
    };
    // The switches are the user's and stay; the candidates go with the model.
    theDocumentHooks.clearSnapState = [] { theOsnapState.Reset(false); };
    theDocumentHooks.resetView = [] { theViewProjection.SetDefaultView(); };
    theDocumentHooks.zoomExtents = [](int recompute, int resetDirection, int resetZoom) {
        theViewProjection.ZoomExtents(recompute, resetDirection, resetZoom);
    };
    theDocumentHooks.setProjectionMode = [](int mode) { theViewProjection.SetMode(mode, 0, 0, 0); };
    BindProjectionLink();
}
