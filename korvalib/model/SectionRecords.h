#pragma once
// Beam, tapered beam and pipe sections, and materials.
#include <cstdint>

#include "korvalib/base/KorvaApi.h"

class bofstream;
class bifstream;

// Parametric beam section: a kind (1..10 special sections, 40 the general
// section given by its properties) and six parameters.
class KORVA_API DFrameSect {
public:
    DFrameSect();
    DFrameSect(const DFrameSect& o);
    DFrameSect& operator=(const DFrameSect& o);
    DFrameSect(DFrameSect&& o) noexcept;
    DFrameSect& operator=(DFrameSect&& o) noexcept;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    ~DFrameSect();
    // Names equal, ignoring case.
    int operator==(const DFrameSect& o) const;

    static int GetParaNum(int kind);
    // Without memory for the new name the old one stays.
    void SetName(const char* name);
    int IsSpecSect() const { return m_cKind >= 1 && m_cKind <= 10; }
    int IsGenSect() const { return m_cKind == 40; }
    void SetSect(int kind, const double* para);
    void SetSect(double area, const double A[2], double a, const double B[2]);
    void SetTrussSect(double area, double second);
    // Parameter count of a special section (outputs untouched otherwise).
    int GetSect(int& kind, double* para) const;
    int GetSect(double& area, double A[2], double& a, double B[2]) const;
    int GetTrussSect(double& area, double& second) const;
    double GetSectArea() const;

    int16_t m_sNumber = 0;
    char m_cKind = 1;
    char* m_pName = nullptr;
    float m_fPara[6] = {0.4f, 0.4f, 0, 0, 0, 0};

private:
    // Everything but the name.
    void CopyFields(const DFrameSect& o);
};

// Tapered section: the same kinds with a parameter set at each end.
class KORVA_API DVframeSect {
public:
    DVframeSect();
    DVframeSect(const DVframeSect& o);
    DVframeSect& operator=(const DVframeSect& o);
    DVframeSect(DVframeSect&& o) noexcept;
    DVframeSect& operator=(DVframeSect&& o) noexcept;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    ~DVframeSect();
    int operator==(const DVframeSect& o) const;

    static int GetParaNum(int kind);
    // Without memory for the new name the old one stays.
    void SetName(const char* name);
    // Mean of the two ends' areas for kinds 1, 2, 3, 4 and 7; else 0.
    double GetSectArea() const;

    int16_t m_sNumber = 0;
    char m_cKind = 1;
    char* m_pName = nullptr;
    float m_fStart[6] = {0.4f, 0.4f, 0, 0, 0, 0};
    float m_fEnd[6] = {0.5f, 0.5f, 0, 0, 0, 0};

private:
    // Everything but the name.
    void CopyFields(const DVframeSect& o);
};

class KORVA_API DPipeSect {
public:
    DPipeSect();
    DPipeSect(const DPipeSect& o);
    DPipeSect& operator=(const DPipeSect& o);
    DPipeSect(DPipeSect&& o) noexcept;
    DPipeSect& operator=(DPipeSect&& o) noexcept;
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    ~DPipeSect();
    int operator==(const DPipeSect& o) const;

    // Without memory for the new name the old one stays.
    void SetName(const char* name);
    double GetSectArea() const;

    int16_t m_sNumber = 0;
    char* m_pName = nullptr;
    float m_fDiameter = 0;
    float m_fThickness = 0;
    float m_fAttr = 2;

private:
    // Everything but the name.
    void CopyFields(const DPipeSect& o);
};

class KORVA_API DMaterial {
public:
    DMaterial();
    DMaterial(const DMaterial& o);
    DMaterial& operator=(const DMaterial& o);
    DMaterial(DMaterial&& o) noexcept;
    DMaterial& operator=(DMaterial&& o) noexcept;
    virtual ~DMaterial();
    virtual int Serialize(bifstream& in);
    virtual int Serialize(bofstream& out);
    int operator==(const DMaterial& o) const;

    // Without memory for the new name the old one stays.
    void SetName(const char* name);
    double GetVolWeight(int unit) const { return m_fVolWeight; }
    double GetVolMass(int unit) const { return m_fVolMass; }
    // The stored modulus when set, else the modulus of the concrete grade.
    double GetElasticModule(int unit) const;

    // Modulus and design strength of a concrete grade in the unit system.
    static void GetEFcFromConcret(double grade, int unit, double& E, double& fc);
    static double GetElasticModuleFromConcret(double grade, int unit);

    int16_t m_sNumber = 0;
    char* m_pName = nullptr;
    float m_fGrade = 30;
    float m_fModulus = 0;
    float m_fConst1 = 0;
    float m_fVolWeight = 0;
    float m_fVolMass = 0;
    float m_fConst2 = 0;

private:
    // Everything but the name.
    void CopyFields(const DMaterial& o);
};
