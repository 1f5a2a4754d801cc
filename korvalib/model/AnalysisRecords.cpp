// Analysis settings and model-wide tables.
#include "korvalib/model/AnalysisRecords.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "korvalib/model/CommonData.h"
#include "korvalib/model/ModelRecordUtil.h"
#include "korvalib/base/biostream.h"

using namespace korva_detail;

// ---- DEigen ----

int DEigen::operator==(const DEigen& o) const
{
    if (m_cValid != o.m_cValid || m_cMethod != o.m_cMethod || m_sModes != o.m_sModes) return 0;
    if (!Within(m_fTolerance, o.m_fTolerance, 0.000001) || m_cFlag != o.m_cFlag) return 0;
    if (m_cMethod == 2 || m_cMethod == 3)
        return Within(m_fRealPara, o.m_fRealPara, 0.0001) && m_cIntPara == o.m_cIntPara;
    return 1;
}

void DEigen::SetRitzPara(int modes, int intPara, double realPara, double tolerance)
{
    m_cMethod = 1;
    m_sModes = int16_t(modes);
    m_cIntPara = char(intPara);
    m_fRealPara = float(realPara);
    m_fTolerance = float(tolerance);
}

void DEigen::SetEigenPara(int modes, double tolerance)
{
    m_cMethod = 2;
    m_sModes = int16_t(modes);
    m_fTolerance = float(tolerance);
}

void DEigen::SetLanczosPara(int modes, int intPara, double realPara)
{
    m_cMethod = 3;
    m_sModes = int16_t(modes);
    m_cIntPara = char(intPara);
    m_fRealPara = float(realPara);
}

int DEigen::Serialize(bofstream& out)
{
    out << m_cValid << m_cMethod << m_sModes << m_fTolerance << m_cFlag << m_fRealPara << m_cIntPara;
    return out.IsGood();
}

int DEigen::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DEigen& t) {
        in >> t.m_cValid >> t.m_cMethod >> t.m_sModes >> t.m_fTolerance >> t.m_cFlag >> t.m_fRealPara >> t.m_cIntPara;
    });
}

// ---- DSpectrumDir ----

DSpectrumDir::DSpectrumDir(int code, float x, float y, float z, float factor)
    : m_sCode(int16_t(code)), m_fDir{x, y, z}, m_fFactor(factor)
{
}

int DSpectrumDir::operator==(const DSpectrumDir& o) const
{
    const float* a = m_fDir;
    const float* b = o.m_fDir;
    float cz = a[0] * b[1] - a[1] * b[0];
    float cy = a[0] * b[2] - a[2] * b[0];
    float cx = a[1] * b[2] - a[2] * b[1];
    return std::fabs(cz) <= 0.001f && std::fabs(cy) <= 0.001f && std::fabs(cx) <= 0.001f;
}

int DSpectrumDir::IsZero() const
{
    return std::fabs(m_fDir[0]) + std::fabs(m_fDir[1]) + std::fabs(m_fDir[2]) < 0.001;
}

int DSpectrumDir::Serialize(bofstream& out)
{
    float block[4] = {m_fDir[0], m_fDir[1], m_fDir[2], m_fFactor};
    out << m_sCode;
    out.Write(block, 16);
    return out.IsGood();
}

int DSpectrumDir::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DSpectrumDir& t) {
        float block[4];
        in >> t.m_sCode;
        if (in.Read(block, 16)) {
            std::memcpy(t.m_fDir, block, 12);
            t.m_fFactor = block[3];
        }
    });
}

// ---- DSpectrum ----

DSpectrum& DSpectrum::operator=(const DSpectrum& o)
{
    return AssignWhole(*this, o);
}

int DSpectrum::operator==(const DSpectrum& o) const
{
    return m_cSpectrum == o.m_cSpectrum && m_cValid == o.m_cValid && Within(m_fFactor, o.m_fFactor, 0.001) &&
           m_cCode == o.m_cCode && Within(m_fReal1, o.m_fReal1, 0.001) && Within(m_fReal2, o.m_fReal2, 0.001) &&
           (m_Factors == o.m_Factors);
}

int DSpectrum::Serialize(bofstream& out)
{
    out << m_cSpectrum << m_cValid << m_fFactor << m_cCode << m_fReal1 << m_fReal2;
    m_Factors.Serialize(out);
    return out.IsGood();
}

int DSpectrum::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DSpectrum& t) {
        in >> t.m_cSpectrum >> t.m_cValid;
        if (nVersion < 128) Skip(in, 18);
        in >> t.m_fFactor;
        if (nVersion < 128) Skip(in, 1);
        in >> t.m_cCode >> t.m_fReal1 >> t.m_fReal2;
        if (nVersion == 126 || nVersion == 127) Skip(in, 4);
        t.m_Factors.Serialize(in);
    });
}

// ---- DSpectrumCurve ----

DSpectrumCurve::DSpectrumCurve(const DSpectrumCurve& o)
{
    *this = o;
}
DSpectrumCurve::DSpectrumCurve(DSpectrumCurve&& o) noexcept
{
    *this = std::move(o);
}

void DSpectrumCurve::CopyHead(const DSpectrumCurve& o)
{
    m_sNumber = o.m_sNumber;
    m_cCode9 = o.m_cCode9;
    m_fReal3 = o.m_fReal3;
    m_cCode4 = o.m_cCode4;
    m_cCode11 = o.m_cCode11;
    m_fReal5 = o.m_fReal5;
    m_fReal6 = o.m_fReal6;
    m_cCode7 = o.m_cCode7;
    m_fReal8 = o.m_fReal8;
    m_fReal10 = o.m_fReal10;
}

DSpectrumCurve& DSpectrumCurve::operator=(const DSpectrumCurve& o)
{
    // The points first: without memory for them the curve stays as it was.
    if (this != &o && SetCurve(o.m_nCount, o.m_pX, o.m_pY)) CopyHead(o);
    return *this;
}

DSpectrumCurve& DSpectrumCurve::operator=(DSpectrumCurve&& o) noexcept
{
    if (this == &o) return *this;
    std::swap(m_pX, o.m_pX);
    std::swap(m_pY, o.m_pY);
    std::swap(m_nCount, o.m_nCount);
    CopyHead(o);
    return *this;
}

DSpectrumCurve::~DSpectrumCurve()
{
    Clear();
}

void DSpectrumCurve::Clear()
{
    delete[] m_pX;
    delete[] m_pY;
    m_pX = m_pY = nullptr;
    m_nCount = 0;
}

int DSpectrumCurve::SetCurve(int n, const float* x, const float* y)
{
    if (n <= 0) {
        Clear();
        return 1;
    }
    float* nx = nullptr;
    float* ny = nullptr;
    if (!CopyArrays(nx, ny, x, y, n)) return 0;
    Clear();
    m_pX = nx;
    m_pY = ny;
    m_nCount = n;
    return 1;
}

int DSpectrumCurve::operator==(const DSpectrumCurve& o) const
{
    if (!Within(m_fReal3, o.m_fReal3, 0.001) || m_cCode4 != o.m_cCode4 || m_cCode11 != o.m_cCode11) return 0;
    if (!Within(m_fReal5, o.m_fReal5, 0.001) || !Within(m_fReal6, o.m_fReal6, 0.001)) return 0;
    if (m_cCode7 != o.m_cCode7 || !Within(m_fReal8, o.m_fReal8, 0.001) || m_cCode9 != o.m_cCode9) return 0;
    if (!Within(m_fReal10, o.m_fReal10, 0.001) || m_nCount != o.m_nCount) return 0;
    return AllWithin(m_pX, o.m_pX, m_nCount, LoadError) && AllWithin(m_pY, o.m_pY, m_nCount, LoadError);
}

int DSpectrumCurve::Serialize(bofstream& out)
{
    int32_t n = m_nCount > 0 ? m_nCount : 0;
    out << m_sNumber << n;
    out << m_fReal3 << m_cCode4 << m_fReal5 << m_fReal6 << m_cCode7 << m_fReal8 << m_cCode9 << m_fReal10 << m_cCode11;
    if (n > 0) {
        out.Write(m_pX, n * 4);
        out.Write(m_pY, n * 4);
    }
    return out.IsGood();
}

int DSpectrumCurve::Serialize(bifstream& in)
{
    if (!in.IsGood()) return 0;
    // Fields that older files lack keep their values; the points are new.
    DSpectrumCurve t;
    t.CopyHead(*this);
    int32_t n = 0;
    in >> t.m_sNumber >> n;
    if (nVersion >= 128) {
        in >> t.m_fReal3 >> t.m_cCode4 >> t.m_fReal5 >> t.m_fReal6 >> t.m_cCode7 >> t.m_fReal8 >> t.m_cCode9 >>
            t.m_fReal10;
        if (nVersion >= 129) in >> t.m_cCode11;
    }
    if (!in.IsGood()) return 0;
    if (n < 0 || (n > 0 && !in.CheckAvailable(int64_t(n) * 8))) {
        in.SetFailed();
        return 0;
    }
    if (n > 0) {
        t.m_pX = ReadFloats(in, n);
        t.m_pY = ReadFloats(in, n);
        if (!t.m_pX || !t.m_pY) return 0;
        t.m_nCount = n;
    }
    if (!in.IsGood()) return 0;
    *this = std::move(t);
    return 1;
}

// ---- DHistory ----

DHistory::DHistory()
{
    for (int16_t k = 1; k <= 10; ++k) m_Factors.Insert(k, 0.0f, 1);
}

DHistory::~DHistory() = default;
DHistory& DHistory::operator=(const DHistory& o)
{
    return AssignWhole(*this, o);
}

int DHistory::operator==(const DHistory& o) const
{
    if (m_cType != o.m_cType || m_sPara1 != o.m_sPara1 || m_sPara2 != o.m_sPara2 || m_sPara3 != o.m_sPara3) return 0;
    if (!Within(m_fReal, o.m_fReal, LoadError) || m_cCode != o.m_cCode || m_cSwitch != o.m_cSwitch) return 0;
    if (m_cSwitch &&
        (!Within(m_fSwitched1, o.m_fSwitched1, LoadError) || !Within(m_fSwitched2, o.m_fSwitched2, LoadError)))
        return 0;
    if (m_cType == 1 && !(m_Factors == o.m_Factors)) return 0;
    if (m_cType == 2 && !AllWithin(m_fIntegration, o.m_fIntegration, 3, LoadError)) return 0;
    return m_nPara == o.m_nPara && m_cCode2 == o.m_cCode2;
}

int DHistory::Serialize(bofstream& out)
{
    out << m_cType << m_sPara1 << m_sPara2 << m_sPara3 << m_fReal << m_cCode << m_cSwitch << m_fSwitched1
        << m_fSwitched2;
    m_Factors.Serialize(out);
    out.Write(m_fIntegration, 12);
    char title[20];
    std::memcpy(title, m_szTitle, 20);
    title[19] = 0;
    out << m_nPara << m_cCode2 << title;
    return out.IsGood();
}

int DHistory::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DHistory& t) {
        in >> t.m_cType >> t.m_sPara1 >> t.m_sPara2 >> t.m_sPara3 >> t.m_fReal >> t.m_cCode >> t.m_cSwitch >>
            t.m_fSwitched1 >> t.m_fSwitched2;
        t.m_Factors.Serialize(in);
        in.Read(t.m_fIntegration, 12);
        if (nVersion >= 128) {
            in >> t.m_nPara >> t.m_cCode2;
            // A title longer than its field fails the stream.
            in.ReadString(t.m_szTitle, 20);
        }
    });
}

// ---- DHistoryCurve ----

DHistoryCurve::DHistoryCurve(const DHistoryCurve& o)
{
    *this = o;
}
DHistoryCurve::DHistoryCurve(DHistoryCurve&& o) noexcept
{
    *this = std::move(o);
}

DHistoryCurve& DHistoryCurve::operator=(const DHistoryCurve& o)
{
    if (this == &o) return *this;
    const int n = o.m_nCount > 0 ? o.m_nCount : 0;
    float* t = nullptr;
    float* v = nullptr;
    if (!CopyArrays(t, v, o.m_pTime, o.m_pValue, n)) return *this;
    Clear();
    m_pTime = t;
    m_pValue = v;
    m_nCount = n;
    m_nAlloc = n;
    m_nNumber = o.m_nNumber;
    std::memcpy(m_fPara, o.m_fPara, sizeof m_fPara);
    return *this;
}

DHistoryCurve& DHistoryCurve::operator=(DHistoryCurve&& o) noexcept
{
    if (this == &o) return *this;
    std::swap(m_pTime, o.m_pTime);
    std::swap(m_pValue, o.m_pValue);
    std::swap(m_nCount, o.m_nCount);
    std::swap(m_nAlloc, o.m_nAlloc);
    m_nNumber = o.m_nNumber;
    std::memcpy(m_fPara, o.m_fPara, sizeof m_fPara);
    return *this;
}

DHistoryCurve::~DHistoryCurve()
{
    Clear();
}

void DHistoryCurve::Clear()
{
    delete[] m_pTime;
    delete[] m_pValue;
    m_pTime = m_pValue = nullptr;
    m_nCount = 0;
    m_nAlloc = 0;
}

int DHistoryCurve::SetCurveBuffer(int n)
{
    if (n <= 0) {
        int32_t keep = 0;
        delete[] m_pTime;
        delete[] m_pValue;
        m_pTime = m_pValue = nullptr;
        m_nAlloc = 0;
        m_nCount = keep;
        return 1;
    }
    float* t = nullptr;
    float* v = nullptr;
    if (!NewArrays(t, v, size_t(n))) return 0;
    int keep = std::min(n, std::min(m_nCount, m_nAlloc));
    if (keep > 0) {
        std::memcpy(t, m_pTime, size_t(keep) * 4);
        std::memcpy(v, m_pValue, size_t(keep) * 4);
    }
    delete[] m_pTime;
    delete[] m_pValue;
    m_pTime = t;
    m_pValue = v;
    m_nAlloc = n;
    if (m_nCount > n) m_nCount = n;
    return 1;
}

int DHistoryCurve::SetCurve(int n, const double* times, const double* values)
{
    if (n <= 0) {
        Clear();
        return 1;
    }
    int count = m_nCount;
    m_nCount = 0;
    if (!SetCurveBuffer(n)) {
        m_nCount = count;
        return 0;
    }
    for (int i = 0; i < n; ++i) {
        m_pTime[i] = float(times[i]);
        m_pValue[i] = float(values[i]);
    }
    m_nCount = n;
    return 1;
}

int DHistoryCurve::operator==(const DHistoryCurve& o) const
{
    if (m_nCount != o.m_nCount) return 0;
    if (!AllWithin(m_pValue, o.m_pValue, m_nCount, LoadError)) return 0;
    if (!AllWithin(m_pTime, o.m_pTime, m_nCount, 0.000001)) return 0;
    for (int i = 0; i < 8; ++i)
        if (!Within(m_fPara[i], o.m_fPara[i], (i == 2 || i == 3) ? LoadError : 0.000001)) return 0;
    return 1;
}

int DHistoryCurve::Serialize(bofstream& out)
{
    int32_t n = m_nCount > 0 ? m_nCount : 0;
    out << m_nNumber << n;
    if (n > 0) {
        out.Write(m_pTime, n * 4);
        out.Write(m_pValue, n * 4);
    }
    for (float f : m_fPara) out << f;
    return out.IsGood();
}

int DHistoryCurve::Serialize(bifstream& in)
{
    if (!in.IsGood()) return 0;
    // Every field is read: the record is read into a new one.
    DHistoryCurve t;
    if (nVersion < 125) {
        int16_t number = 0;
        in >> number;
        Skip(in, 4);
        t.m_nNumber = number;
    } else {
        in >> t.m_nNumber;
    }
    int32_t n = 0;
    in >> n;
    if (!in.IsGood()) return 0;
    if (n < 0 || (n > 0 && !in.CheckAvailable(int64_t(n) * 8))) {
        in.SetFailed();
        return 0;
    }
    if (n > 0) {
        t.m_pTime = ReadFloats(in, n);
        t.m_pValue = ReadFloats(in, n);
        if (!t.m_pTime || !t.m_pValue) return 0;
        t.m_nCount = t.m_nAlloc = n;
    }
    for (float& f : t.m_fPara) in >> f;
    if (!in.IsGood()) return 0;
    *this = std::move(t);
    return 1;
}

// ---- DCombFactor ----

DCombFactor::~DCombFactor() = default;
DCombFactor& DCombFactor::operator=(const DCombFactor& o)
{
    return AssignWhole(*this, o);
}

int DCombFactor::operator==(const DCombFactor& o) const
{
    if (!(m_FactorsA == o.m_FactorsA) || m_cCodeA != o.m_cCodeA || !(m_FactorsB == o.m_FactorsB)) return 0;
    if (m_nSwitch != o.m_nSwitch) return 0;
    if (m_nSwitch > 0 && (m_cCodeB != o.m_cCodeB || !Within(m_fFactor1, o.m_fFactor1, CombinationError))) return 0;
    return Within(m_fFactor2, o.m_fFactor2, CombinationError);
}

int DCombFactor::Serialize(bofstream& out)
{
    m_FactorsA.Serialize(out);
    out << m_cCodeA;
    m_FactorsB.Serialize(out);
    out << m_cCodeB << m_nSwitch << m_fFactor1 << m_fFactor2;
    return out.IsGood();
}

int DCombFactor::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DCombFactor& t) {
        t.m_FactorsA.Serialize(in);
        in >> t.m_cCodeA;
        t.m_FactorsB.Serialize(in);
        in >> t.m_cCodeB >> t.m_nSwitch >> t.m_fFactor1;
        if (nVersion > 100) in >> t.m_fFactor2;
    });
}

// ---- DReinforce ----

int DReinforce::Serialize(bofstream& out)
{
    out << m_cValid;
    for (float f : m_fPara1) out << f;
    for (float f : m_fPara2) out << f;
    out << m_cCode1 << m_cCode2;
    for (float f : m_fPara3) out << f;
    return out.IsGood();
}

int DReinforce::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DReinforce& t) {
        in >> t.m_cValid;
        for (float& f : t.m_fPara1) in >> f;
        for (float& f : t.m_fPara2) in >> f;
        in >> t.m_cCode1 >> t.m_cCode2;
        for (float& f : t.m_fPara3) in >> f;
    });
}

// ---- DLevelBase ----

int DLevelBase::operator==(const DLevelBase& o) const
{
    return Within(m_fReal1, o.m_fReal1, 0.0001) && Within(m_fReal2, o.m_fReal2, 0.0001);
}

int DLevelBase::Serialize(bofstream& out)
{
    out << m_sNumber << m_fReal1 << m_fReal2 << m_cFlag;
    return out.IsGood();
}

int DLevelBase::Serialize(bifstream& in)
{
    return ReadRecord(*this, in, [&in](DLevelBase& t) { in >> t.m_sNumber >> t.m_fReal1 >> t.m_fReal2 >> t.m_cFlag; });
}

// ---- DLayerBase ----

DLayerBase::DLayerBase() : m_pName(CopyText("固定图层")) {}

DLayerBase::DLayerBase(const DLayerBase& o)
{
    *this = o;
}
DLayerBase::DLayerBase(DLayerBase&& o) noexcept
{
    *this = std::move(o);
}

void DLayerBase::CopyFields(const DLayerBase& o)
{
    m_sNumber = o.m_sNumber;
    m_cFlag = o.m_cFlag;
    m_nColour = o.m_nColour;
}

DLayerBase& DLayerBase::operator=(const DLayerBase& o)
{
    return AssignNamed(*this, o, &DLayerBase::CopyFields);
}
DLayerBase& DLayerBase::operator=(DLayerBase&& o) noexcept
{
    return MoveNamed(*this, o, &DLayerBase::CopyFields);
}

DLayerBase::~DLayerBase()
{
    delete[] m_pName;
}

void DLayerBase::SetName(const char* name)
{
    SetText(m_pName, name ? name : "");
}

int DLayerBase::operator==(const DLayerBase& o) const
{
    return EqualNoCase(m_pName, o.m_pName);
}

int DLayerBase::Serialize(bofstream& out)
{
    const char* name = m_pName ? m_pName : "";
    size_t len = std::strlen(name);
    // The name's length field has 16 bits.
    if (len + 1 > 0x7fff) {
        out.SetFailed();
        return 0;
    }
    int16_t n = int16_t(len + 1);
    out << m_sNumber << n;
    out.Write(name, n);
    out << m_cFlag << m_nColour;
    return out.IsGood();
}

// Read into locals and taken only when whole, so no copy of the layer is made.
int DLayerBase::Serialize(bifstream& in)
{
    if (!in.IsGood()) return 0;
    int16_t number = 0, n = 0;
    in >> number >> n;
    if (!in.IsGood()) return 0;
    if (n < 1 || !in.CheckAvailable(n)) {
        in.SetFailed();
        return 0;
    }
    char* name = NewArray<char>(size_t(n));
    if (!name) {
        in.SetFailed();
        return 0;
    }
    char flag = 0;
    int32_t colour = 0;
    if (in.Read(name, n)) in >> flag >> colour;
    if (!in.IsGood()) {
        delete[] name;
        return 0;
    }
    name[n - 1] = 0;
    delete[] m_pName;
    m_pName = name;
    m_sNumber = number;
    m_cFlag = flag;
    m_nColour = colour;
    return 1;
}
