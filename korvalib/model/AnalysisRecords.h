#pragma once
// Analysis settings and model-wide tables: eigen, response-spectrum and
// time-history parameters and curves, load-combination factors,
// reinforcement design parameters, storey levels and drawing layers.
#include <cstdint>

#include "korvalib/model/KeyedLists.h"
#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

class KORVA_API DEigen {
public:
    DEigen() = default;
    DEigen(const DEigen&) = default;
    DEigen& operator=(const DEigen&) = default;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DEigen& o) const;

    void Initialize() { *this = DEigen(); }
    void SetValid() { m_cValid = 1; }
    void SetUnvalid() { m_cValid = 0; }
    int IsValid() const { return m_cValid != 0; }
    int IsRitzMethod() const { return m_cMethod == 1; }
    int IsEigenMethod() const { return m_cMethod == 2; }
    int IsLanzosMethod() const { return m_cMethod == 3; }
    void SetRitzPara(int modes, int intPara, double realPara, double tolerance);
    void SetEigenPara(int modes, double tolerance);
    void SetLanczosPara(int modes, int intPara, double realPara);

    char m_cValid = 1;
    char m_cMethod = 1;  // 1 Ritz vectors, 2 eigen, 3 Lanczos
    int16_t m_sModes = 10;
    float m_fTolerance = 0.000001f;
    char m_cFlag = 0;
    float m_fRealPara = 0;
    char m_cIntPara = 1;
};

class KORVA_API DSpectrumDir {
public:
    DSpectrumDir() = default;
    DSpectrumDir(int code, float x, float y, float z, float factor);
    // Parallel directions: every component of the cross product within 0.001.
    int operator==(const DSpectrumDir& o) const;
    int IsZero() const;
    int Serialize(bofstream& out);
    int Serialize(bifstream& in);

    int16_t m_sCode = 0;
    float m_fDir[3] = {1, 0, 0};
    float m_fFactor = 1;
};

class KORVA_API DSpectrum {
public:
    DSpectrum() = default;
    DSpectrum(const DSpectrum&) = default;
    DSpectrum& operator=(const DSpectrum& o);
    DSpectrum(DSpectrum&&) = default;
    DSpectrum& operator=(DSpectrum&&) = default;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DSpectrum& o) const;

    void SetValid() { m_cValid = 1; }
    void SetUnvalid() { m_cValid = 0; }
    int IsValid() const { return m_cValid != 0; }

    char m_cSpectrum = 0;
    char m_cValid = 1;
    float m_fFactor = 1;
    char m_cCode = 0;
    float m_fReal1 = 0;
    float m_fReal2 = 0;
    DNumFactors m_Factors;
};

class KORVA_API DSpectrumCurve {
public:
    DSpectrumCurve() = default;
    DSpectrumCurve(const DSpectrumCurve& o);
    DSpectrumCurve& operator=(const DSpectrumCurve& o);
    DSpectrumCurve(DSpectrumCurve&& o) noexcept;
    DSpectrumCurve& operator=(DSpectrumCurve&& o) noexcept;
    virtual ~DSpectrumCurve();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DSpectrumCurve& o) const;

    // Resizes to n points and copies them; 0 when out of memory.
    int SetCurve(int n, const float* x, const float* y);
    void Clear();

    // Declared in memory order; the stream order is number, count, then
    // 3, 4, 5, 6, 7, 8, 9, 10, 11 as numbered here.
    int16_t m_sNumber = 0;
    char m_cCode9 = 1;
    float m_fReal3 = 7;
    char m_cCode4 = 1;
    char m_cCode11 = 0;
    float m_fReal5 = 0;
    float m_fReal6 = 2;
    char m_cCode7 = 1;
    float m_fReal8 = 0;
    float m_fReal10 = 2;
    int32_t m_nCount = 0;
    float* m_pX = nullptr;
    float* m_pY = nullptr;

private:
    // Everything but the points.
    void CopyHead(const DSpectrumCurve& o);
};

class KORVA_API DHistory {
public:
    DHistory();
    DHistory(const DHistory&) = default;
    DHistory& operator=(const DHistory& o);
    DHistory(DHistory&&) = default;
    DHistory& operator=(DHistory&&) = default;
    virtual ~DHistory();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DHistory& o) const;

    void Initialize() { *this = DHistory(); }
    void SetDynamic() { m_cType = 1; }
    void SetStep() { m_cType = 2; }
    int IsDynamic() const { return m_cType == 1; }
    int IsStep() const { return m_cType == 2; }
    int IsValid() const { return m_cType == 1 || m_cType == 2; }

    char m_cType = 0;  // 1 time history, 2 step, 0 none
    int16_t m_sPara1 = 20;
    int16_t m_sPara2 = 1;
    int16_t m_sPara3 = 200;
    float m_fReal = 0.001f;
    char m_cCode = 1;
    char m_cSwitch = 0;
    float m_fSwitched1 = 0;
    float m_fSwitched2 = 0;
    DNumFactors m_Factors;
    float m_fIntegration[3] = {0.5f, 0.25f, 1.0f};
    int32_t m_nPara = 0;
    char m_cCode2 = 0;
    char m_szTitle[20] = {0};
};

class KORVA_API DHistoryCurve {
public:
    DHistoryCurve() = default;
    DHistoryCurve(const DHistoryCurve& o);
    DHistoryCurve& operator=(const DHistoryCurve& o);
    DHistoryCurve(DHistoryCurve&& o) noexcept;
    DHistoryCurve& operator=(DHistoryCurve&& o) noexcept;
    virtual ~DHistoryCurve();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DHistoryCurve& o) const;

    int SetCurve(int n, const double* times, const double* values);
    // Resizes both arrays to n points, keeping what fits. The count is kept,
    // but never left above the arrays' size.
    int SetCurveBuffer(int n);
    void Clear();

    int32_t m_nNumber = 0;
    int32_t m_nCount = 0;
    float* m_pTime = nullptr;
    float* m_pValue = nullptr;
    float m_fPara[8] = {0, 0, 0, 0, 0, 0, 0, 0};

private:
    int32_t m_nAlloc = 0;
};

class KORVA_API DCombFactor {
public:
    DCombFactor() = default;
    DCombFactor(const DCombFactor&) = default;
    DCombFactor& operator=(const DCombFactor& o);
    DCombFactor(DCombFactor&&) = default;
    DCombFactor& operator=(DCombFactor&&) = default;
    virtual ~DCombFactor();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DCombFactor& o) const;

    DNumFactors m_FactorsA;
    char m_cCodeA = 2;
    DNumFactors m_FactorsB;
    char m_cCodeB = 2;
    int32_t m_nSwitch = 0;
    float m_fFactor1 = 0;
    float m_fFactor2 = 0;
};

class KORVA_API DReinforce {
public:
    DReinforce() = default;
    DReinforce(const DReinforce&) = default;
    DReinforce& operator=(const DReinforce&) = default;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);

    void Initialize() { *this = DReinforce(); }
    int IsValid() const { return m_cValid != 0; }

    char m_cValid = 1;
    float m_fPara1[6] = {300000.0f, 300000.0f, 0.544f, 0.544f, 0.35f, 0.004f};
    float m_fPara2[3] = {0.8f, 0.008f, 0.008f};
    char m_cCode1 = 2;
    char m_cCode2 = 2;
    float m_fPara3[3] = {210000.0f, 1.2f, 0.7f};
};

class KORVA_API DLevelBase {
public:
    DLevelBase() = default;
    DLevelBase(const DLevelBase&) = default;
    DLevelBase& operator=(const DLevelBase&) = default;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DLevelBase& o) const;

    int16_t m_sNumber = 1;
    float m_fReal1 = 0;
    float m_fReal2 = 0;
    char m_cFlag = 1;
};

class KORVA_API DLayerBase {
public:
    DLayerBase();
    DLayerBase(const DLayerBase& o);
    DLayerBase& operator=(const DLayerBase& o);
    DLayerBase(DLayerBase&& o) noexcept;
    DLayerBase& operator=(DLayerBase&& o) noexcept;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    ~DLayerBase();
    int operator==(const DLayerBase& o) const;
    // Without memory for the new name the old one stays.
    void SetName(const char* name);

    int16_t m_sNumber = 0;
    char* m_pName = nullptr;
    char m_cFlag = 1;
    int32_t m_nColour = 0xFFFF00;

private:
    // Everything but the name.
    void CopyFields(const DLayerBase& o);
};
