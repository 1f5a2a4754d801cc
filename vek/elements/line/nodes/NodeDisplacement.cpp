#include "vek/elements/line/nodes/NodeDisplacement.h"

#include <cmath>

#include "korvalib/base/biostream.h"

std::vector<CNodeDisplacement> theNodeDisplacements;
CNodeDisplacement theCurrentDisplacement;
int bDisplacementDirectionFree = 0;

namespace {
// Directions within this angle (radians) count as parallel.
constexpr double kAngleTolerance = 1e-4;

double Length(const float d[3])
{
    return std::sqrt(double(d[0]) * d[0] + double(d[1]) * d[1] + double(d[2]) * d[2]);
}
}  // namespace

bool CNodeDisplacement::operator==(const CNodeDisplacement& o) const
{
    if (m_nNode != o.m_nNode || m_nKind != o.m_nKind) return false;
    const double a = Length(m_fDir), b = Length(o.m_fDir);
    if (a < 1e-12 || b < 1e-12) return true;
    double dot = 0;
    for (int i = 0; i < 3; ++i) dot += double(m_fDir[i]) * o.m_fDir[i];
    return dot / (a * b) >= std::cos(kAngleTolerance);
}

bool CNodeDisplacement::IsValid() const
{
    if (m_values.empty()) return false;
    if (bDisplacementDirectionFree) return true;
    return std::fabs(m_fDir[0]) + std::fabs(m_fDir[1]) + std::fabs(m_fDir[2]) >= 0.0001;
}

void CNodeDisplacement::Scale(double factor)
{
    for (double& v : m_values) v *= factor;
}

int CNodeDisplacement::Write(bofstream& out) const
{
    out << m_nNode << m_nKind << int32_t(m_values.size());
    if (!m_values.empty()) out.Write(m_values.data(), int(m_values.size() * sizeof(double)));
    out << m_fDir[0] << m_fDir[1] << m_fDir[2];
    return out.IsGood();
}

int CNodeDisplacement::Read(bifstream& in)
{
    int32_t node = 0, kind = 0, n = 0;
    in >> node >> kind >> n;
    if (!in.IsGood()) return 0;
    if (n < 0 || n > 32767 || !in.CheckAvailable(int64_t(n) * 8 + 12)) {
        in.SetFailed();
        return 0;
    }
    std::vector<double> values(size_t(n), 0.0);
    if (n > 0) in.Read(values.data(), n * 8);
    float dir[3] = {0, 0, 0};
    in >> dir[0] >> dir[1] >> dir[2];
    if (!in.IsGood()) return 0;
    m_nNode = node;
    m_nKind = kind;
    m_values.swap(values);
    for (int i = 0; i < 3; ++i) m_fDir[i] = dir[i];
    return 1;
}
