#include "vek/elements/line/frames/FrameDefaults.h"

#include <cstdio>

#include "korvalib/base/biostream.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/project/BlockForm.h"

CFrameDefaults theFrameDefaults;
CFrameGeneration theFrameGeneration;

int CFrameLoadPara::Write(bofstream& out)
{
    out << m_nType << m_nDirection << m_nMeasure << m_nOperation;
    m_Points.Serialize(out);
    out << m_bInterpolate;
    out.Write(m_dInterp, 48);
    out.Write(m_fInterpValue, 8);
    return out.IsGood();
}

int CFrameLoadPara::Read(bifstream& in)
{
    in >> m_nType >> m_nDirection >> m_nMeasure >> m_nOperation;
    m_Points.Serialize(in);
    if (nPrjVersion > 610) {
        in >> m_bInterpolate;
        in.Read(m_dInterp, 48);
        in.Read(m_fInterpValue, 8);
    }
    return in.IsGood();
}

void CFrameLoadPara::ScaleUnits(double F, double L)
{
    const double f = m_nType == 1 ? F / L : m_nType == 2 ? F * L : F;
    for (int i = 0; i < m_Points.Entries(); ++i) {
        if (m_Points.m_pX[i] > 0) m_Points.m_pX[i] = float(m_Points.m_pX[i] * L);
        m_Points.m_pV[i] = float(m_Points.m_pV[i] * f);
    }
    for (auto& p : m_dInterp)
        for (double& c : p) c *= L;
    for (float& v : m_fInterpValue) v = float(v * f);
}

std::string CFrameLoadPara::GetText() const
{
    static const char* const kOperations[5] = {"替换下面的荷载", "叠加下面的荷载", "减去下面的荷载", "删除此类型荷载",
                                               "删除选中单元在当前工\r\n况下的所有荷载类型"};
    static const char* const kDirections[6] = {"X", "Y", "Z", "1", "2", "3"};
    static const char* const kTypes[3] = {"折线荷载", "跨内弯矩", "集中荷载"};
    const int op = m_nOperation >= 1 && m_nOperation <= 5 ? m_nOperation : 2;
    std::string out = kOperations[op - 1];
    if (op == 5) return out;
    const int dir = m_nDirection >= 1 && m_nDirection <= 6 ? m_nDirection : 3;
    const int type = m_nType >= 1 && m_nType <= 3 ? m_nType : 1;
    char line[256];
    std::snprintf(line, sizeof line, "\r\n%s方向的%s", kDirections[dir - 1], kTypes[type - 1]);
    out += line;
    if (op == 4) return out;
    if (type == 1) {
        out += "\r\n荷载值为每";
        out += m_nMeasure ? "投影长度" : "单元长度";
        if (m_bInterpolate) {
            out += "\r\n荷载值由插值决定\r\n两个插值点的坐标分别为:\r\n";
            std::snprintf(line, sizeof line,
                          " %.3f %.3f %.3f\r\n %.3f %.3f %.3f\r\n两个插值点处的荷载值为:\r\n %.3f %.3f",
                          m_dInterp[0][0], m_dInterp[0][1], m_dInterp[0][2], m_dInterp[1][0], m_dInterp[1][1],
                          m_dInterp[1][2], m_fInterpValue[0], m_fInterpValue[1]);
            return out + line;
        }
        if (!m_sExpression.empty()) {
            out += "\r\n折线处的线密度决定于表达式:\r\n   " + m_sExpression;
            std::snprintf(line, sizeof line, "\r\n   中间计算%d个折线点", int(m_nExpressionPoints));
            return out + line;
        }
    }
    out += "\r\n作用点     荷载值";
    if (m_Points.Entries() < 1) return out + "\r\n没有数据!!";
    for (int i = 0; i < m_Points.Entries(); ++i) {
        std::snprintf(line, sizeof line, "\r\n%.3f %.3f", m_Points.m_pX[i], m_Points.m_pV[i]);
        out += line;
    }
    return out;
}

int CFrameDefaults::Write(bofstream& out)
{
    out.Write(m_fTemp, 12);
    m_Load.Write(out);
    out.Write(m_fRigid, 8);
    out.Write(m_fEcc, 16);
    out.Write(m_cRelease, 6);
    return out.IsGood();
}

int CFrameDefaults::Read(bifstream& in)
{
    const int v = nPrjVersion;
    if (v >= 600)
        in.Read(m_fTemp, 12);
    else
        SkipBytes(in, 48);
    if (v < 681) {
        // An old general section, dropped.
        if (v >= 600) {
            char* name = nullptr;
            in.ReadString(name);
            delete[] name;
        }
        SkipBytes(in, 4 + 48);
    }
    if (v >= 520)
        m_Load.Read(in);
    else
        SkipBytes(in, 52);
    if (v >= 700) {
        in.Read(m_fRigid, 8);
        in.Read(m_fEcc, 16);
        in.Read(m_cRelease, 6);
    }
    return in.IsGood();
}

void CFrameDefaults::ScaleUnits(double F, double L)
{
    m_Load.ScaleUnits(F, L);
    for (float& r : m_fRigid) r = float(r * L);
    for (float& e : m_fEcc) e = float(e * L);
}
