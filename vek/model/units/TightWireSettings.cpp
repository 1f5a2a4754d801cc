#include "vek/model/units/TightWireSettings.h"

CTightWireSettings theTightWireSettings;

void CTightWireSettings::ScaleUnits(double F, double L)
{
    DTightWire& w = m_Wire;
    w.m_fLength1 = float(w.m_fLength1 * L);
    w.m_fLength2 = float(w.m_fLength2 * L);
    w.m_fLength3 = float(w.m_fLength3 * L);
    w.m_fLength4 = float(w.m_fLength4 * L);
    w.m_fForce = float(w.m_fForce * F);
}
