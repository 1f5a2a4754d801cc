#include "vek/exchange/DxfWriter.h"

#include <cmath>
#include <cstring>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Vector.h"

CDxfWriter theDxfWriter;

namespace {

constexpr double kDegrees = 57.29577951308232;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

bool HasWideCharacter(const char* text)
{
    if (!text) return false;
    for (const char* p = text; *p; ++p)
        if (static_cast<signed char>(*p) < 10) return true;
    return false;
}

CDxfWriter::~CDxfWriter()
{
    Abandon();
}

bool CDxfWriter::Open(const char* path)
{
    Abandon();
    if (!path || !*path) return false;
    m_target = path;
    m_temp = m_target + ".~tmp";
    m_file = std::fopen(m_temp.c_str(), "w");
    m_failed = false;
    return m_file != nullptr;
}

void CDxfWriter::Abandon()
{
    if (!m_file) return;
    std::fclose(m_file);
    m_file = nullptr;
    std::remove(m_temp.c_str());
}

int CDxfWriter::Close()
{
    if (!m_file) return 0;
    WriteGroup(0, "ENDSEC");
    WriteGroup(0, "EOF");
    bool ok = !m_failed && std::fflush(m_file) == 0 && !std::ferror(m_file);
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    if (ok && std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
#if defined(_WIN32)
        // rename does not replace a file here
        ok = std::remove(m_target.c_str()) == 0 && std::rename(m_temp.c_str(), m_target.c_str()) == 0;
#else
        ok = false;
#endif
    }
    if (!ok) std::remove(m_temp.c_str());
    return ok ? 1 : 0;
}

void CDxfWriter::Check(int printed)
{
    if (printed < 0) m_failed = true;
}

void CDxfWriter::WriteGroup(int code, const char* text)
{
    if (m_file) Check(std::fprintf(m_file, "%3d\n%s\n", code, text ? text : "0"));
}

void CDxfWriter::WriteGroup(int code, double value)
{
    if (m_file) Check(std::fprintf(m_file, "%3d\n%lf\n", code, value));
}

void CDxfWriter::WriteGroup(int code, int value)
{
    if (m_file) Check(std::fprintf(m_file, "%3d\n%1d\n", code, value));
}

void CDxfWriter::WriteLayerEntry(const char* name, const char* lineType, int flags, int colour)
{
    WriteGroup(0, "LAYER");
    WriteGroup(2, name);
    WriteGroup(70, flags);
    WriteGroup(62, colour);
    WriteGroup(6, lineType);
}

void CDxfWriter::WriteLine(double x1, double y1, double z1, double x2, double y2, double z2, const char* layer)
{
    WriteGroup(0, "LINE");
    WriteGroup(8, layer);
    WriteGroup(10, x1);
    WriteGroup(20, y1);
    WriteGroup(30, z1);
    WriteGroup(11, x2);
    WriteGroup(21, y2);
    WriteGroup(31, z2);
}

void CDxfWriter::WriteLine(const double* p1, const double* p2, const char* layer)
{
    WriteLine(p1[0], p1[1], p1[2], p2[0], p2[1], p2[2], layer);
}

void CDxfWriter::WriteFace(const double* c1, const double* c2, const double* c3, const double* c4, const char* layer,
                           bool filled)
{
    const double* c[4] = {c1, c2, c3, c4};
    if (!filled) {
        for (int i = 0; i < 4; ++i) WriteLine(c[i], c[(i + 1) % 4], layer);
        return;
    }
    WriteGroup(0, "3DFACE");
    WriteGroup(8, layer);
    for (int i = 0; i < 4; ++i) {
        WriteGroup(10 + i, c[i][0]);
        WriteGroup(20 + i, c[i][1]);
        WriteGroup(30 + i, c[i][2]);
    }
}

void CDxfWriter::SetViewDir(const double* dir)
{
    CVector::Copy(dir, m_viewDir);
}

void CDxfWriter::Ocs(const double* normal, double axes[3][3]) const
{
    double n[3];
    CVector::Copy(normal, n);
    if (!CVector::Normalize(n)) CVector::Copy(m_viewDir, n);
    if (CVector::Dot(n, m_viewDir) < 0)
        for (double& c : n) c = -c;
    CVector(n, 0).GenerateOCS(axes[0], axes[1], axes[2]);
}

void CDxfWriter::OcsFrame(const double* normal, double axes[3][3], CTransferMatrix& frame) const
{
    Ocs(normal, axes);
    frame.SetMatrix(axes[0], axes[1], axes[2]);
}

void CDxfWriter::WriteExtrusion(const double axes[3][3])
{
    WriteGroup(210, axes[2][0]);
    WriteGroup(220, axes[2][1]);
    WriteGroup(230, axes[2][2]);
}

void CDxfWriter::WriteCircle(const double* centre, double radius, const double* normal, const char* layer)
{
    double axes[3][3];
    CTransferMatrix m;
    OcsFrame(normal, axes, m);
    double c[3];
    m.ToLocal(centre, c);
    WriteGroup(0, "CIRCLE");
    WriteGroup(8, layer);
    WriteGroup(10, c[0]);
    WriteGroup(20, c[1]);
    WriteGroup(30, c[2]);
    WriteGroup(40, radius);
    WriteExtrusion(axes);
}

void CDxfWriter::WriteTextStart(const double* first, const double* second, double angle, double lineOffset,
                                double height, const char* text, const char* layer)
{
    // Moved across the text by whole text lines.
    const double dx = -std::sin(angle) * lineOffset * height * 1.3, dy = std::cos(angle) * lineOffset * height * 1.3;
    WriteGroup(0, "TEXT");
    WriteGroup(8, layer);
    WriteGroup(10, first[0] + dx);
    WriteGroup(20, first[1] + dy);
    WriteGroup(30, first[2]);
    WriteGroup(40, height);
    WriteGroup(1, text);
    WriteGroup(11, second[0] + dx);
    WriteGroup(21, second[1] + dy);
    WriteGroup(31, second[2]);
}

void CDxfWriter::WriteStyle(const char* text, const char* style)
{
    if (style)
        WriteGroup(7, style);
    else if (HasWideCharacter(text))
        WriteGroup(7, "宋体");
}

void CDxfWriter::WriteText(const double* point, const double* normal, double lineOffset, double angle, const char* text,
                           double size, unsigned alignment, const char* layer, const char* style)
{
    double axes[3][3];
    CTransferMatrix m;
    OcsFrame(normal, axes, m);
    double p[3];
    m.ToLocal(point, p);
    const double h = 0.65 * size;
    WriteTextStart(p, p, angle, lineOffset, h, text, layer);
    WriteGroup(50, angle * kDegrees);
    WriteStyle(text, style);
    // The platform's text-alignment bits: 2 right, 6 centre; 8 bottom, 24 baseline.
    WriteGroup(72, (alignment & 6) == 6 ? 1 : (alignment & 2) ? 2 : 0);
    WriteGroup(73, (alignment & 24) == 24 ? 0 : (alignment & 8) ? 1 : 3);
    WriteExtrusion(axes);
}

void CDxfWriter::WriteTextBetween(const double* p1, const double* p2, const double* normal, double lineOffset,
                                  const char* text, double size, const char* layer, const char* style,
                                  double extraAngle)
{
    double axes[3][3];
    CTransferMatrix m;
    OcsFrame(normal, axes, m);
    double a[3], b[3], mid[3];
    m.ToLocal(p1, a);
    m.ToLocal(p2, b);
    for (int i = 0; i < 3; ++i) mid[i] = (a[i] + b[i]) / 2;
    const double h = 0.65 * size;
    double angle = GFunc::GlobalLineAngle(a[0], a[1], b[0], b[1]) + extraAngle;
    if (angle > 2 * kPi)
        angle -= 2 * kPi;
    else if (angle < 0)
        angle += 2 * kPi;
    if (angle > 1.5707963367948965 && angle < 4.71238899038469) angle -= kPi;
    WriteTextStart(a, mid, angle, lineOffset, h, text, layer);
    if (std::fabs(angle) > 0.0001) WriteGroup(50, angle * kDegrees);
    WriteStyle(text, style);
    WriteGroup(72, 1);
    WriteGroup(73, 1);
    WriteExtrusion(axes);
}
