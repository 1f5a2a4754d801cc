#include "vek/model/ObjectBase.h"

#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"

uint32_t CObjectBase::UpdateRangeFlags()
{
    const uint32_t state = (static_cast<uint32_t>(GetDisplayState()) & 3u) << 2;
    const uint32_t changed = (m_nFlags ^ state) & kObjStateMask;
    m_nFlags = (m_nFlags & ~kObjStateMask) | state;
    return changed;
}

void CObjectBase::ReadFlags(bifstream& in)
{
    if (nPrjVersion < 700) return;
    uint8_t low = 0;
    in >> low;
    if (in.IsGood()) m_nFlags = (m_nFlags & ~0xFFu) | low;
}
