#include "vek/elements/line/nodes/WindElementPar.h"

#include <algorithm>
#include <cmath>

#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/storeys/LevelTable.h"

std::vector<CWindElementPar> theWindElementPars;
CWindElementPar theWindElementDefault;

namespace {
constexpr int kRecordBytes = 5;
// Beams and walls keep the index in 16 bits.
constexpr int kMaxRecords = 32767;
}  // namespace

bool CWindElementPar::operator==(const CWindElementPar& o) const
{
    return m_nDownStoreys == o.m_nDownStoreys && std::fabs(m_fCoefficient - o.m_fCoefficient) <= 0.001f;
}

bool CWindElementPar::IsEmpty() const
{
    return m_nDownStoreys == 0 || std::fabs(m_fCoefficient) < 0.001f;
}

bool CWindElementPar::GetFaceSpan(int s, double& height, double& coefficient) const
{
    if (s < 0 || IsEmpty()) return false;
    const int lower = std::clamp(s - int(m_nDownStoreys), 0, std::max(theLevels.count, 0));
    height = theLevels.GetElevation(s) - theLevels.GetElevation(lower);
    coefficient = m_fCoefficient;
    return lower != s;
}

int CWindElementPar::Write(bofstream& out) const
{
    out << m_nDownStoreys << m_fCoefficient;
    return out.IsGood();
}

int CWindElementPar::Read(bifstream& in)
{
    uint8_t n = 0;
    float c = 0;
    in >> n >> c;
    if (!in.IsGood()) return 0;
    m_nDownStoreys = n;
    m_fCoefficient = c;
    return 1;
}

int WriteWindParameters(bofstream& out)
{
    out << int32_t(theWindElementPars.size());
    for (const CWindElementPar& p : theWindElementPars) p.Write(out);
    theWindElementDefault.Write(out);
    return out.IsGood();
}

int ReadWindParameters(bifstream& in)
{
    if (nPrjVersion < 520) return 1;
    int32_t n = 0;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n < 0 || n > kMaxRecords || !in.CheckAvailable(int64_t(n) * kRecordBytes + kRecordBytes)) {
        in.SetFailed();
        return 0;
    }
    std::vector<CWindElementPar> list(static_cast<size_t>(n));
    for (CWindElementPar& p : list) p.Read(in);
    CWindElementPar def;
    def.Read(in);
    if (!in.IsGood()) return 0;
    theWindElementPars.swap(list);
    theWindElementDefault = def;
    return 1;
}
