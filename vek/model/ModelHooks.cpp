#include "vek/model/ModelHooks.h"

#include "vek/model/Binding.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ViewLink.h"

namespace {
CBinding<CModelHooks> hooks;
CBinding<CModelProjection> projection;
CBinding<CValueDialogs> dialogs;
CBinding<CModelCanvas> canvas;
}  // namespace

CModelHooks& ModelHooks()
{
    return hooks.Get();
}
CModelHooks* SetModelHooks(CModelHooks* p)
{
    return hooks.Set(p);
}
CModelProjection& ModelProjection()
{
    return projection.Get();
}
CModelProjection* SetModelProjection(CModelProjection* p)
{
    return projection.Set(p);
}
CValueDialogs& ValueDialogs()
{
    return dialogs.Get();
}
CValueDialogs* SetValueDialogs(CValueDialogs* p)
{
    return dialogs.Set(p);
}
CModelCanvas& ModelCanvas()
{
    return canvas.Get();
}
CModelCanvas* SetModelCanvas(CModelCanvas* p)
{
    return canvas.Set(p);
}

void CModelHooks::InvalidateModel()
{
    InvalidateModelView();
}

void CModelHooks::ClearUndo()
{
    if (theProjectOptionsHooks.clearUndo) theProjectOptionsHooks.clearUndo();
}

int CModelProjection::GetMode() const
{
    return ViewProjectionMode();
}
