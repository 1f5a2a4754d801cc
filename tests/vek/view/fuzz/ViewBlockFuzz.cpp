// Fuzz target: the projection block and the elevation-plane block of a
// project file. The first two bytes choose the project version; the rest is
// read as the projection block, then as the elevation block. A block that
// fails to read must leave its object as it was.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "korvalib/base/biostream.h"
#include "vek/model/ElevationPlane.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/view/ViewProjection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    int16_t version;
    std::memcpy(&version, data, 2);
    FILE* f = fmemopen(const_cast<uint8_t*>(data + 2), size - 2, "rb");
    if (!f) return 0;
    bifstream in;
    in.Attach(f);
    const int16_t saved = nPrjVersion;
    nPrjVersion = version;
    CViewProjection projection;
    const double zoom = projection.GetZoom();
    if (!projection.Read(in) || !in.IsGood()) {
        if (projection.GetZoom() != zoom) __builtin_trap();
    } else if (!(projection.GetZoom() > 0) || projection.GetMode() < 1 || projection.GetMode() > 3) {
        __builtin_trap();
    }
    in.ClearError();
    CElevationPlane plane;
    plane.m_named.resize(1);
    if (!plane.Read(in) && plane.m_named.size() != 1) __builtin_trap();
    for (const CPlaneDescription& d : plane.m_named)
        if (std::strlen(d.GetName()) > CPlaneDescription::kMaxName) __builtin_trap();
    nPrjVersion = saved;
    return 0;
}
