#pragma once
// The section keywords present in a solver data file: the scan that the run
// manager makes before it lists the solver's steps.
#include "analysis/AnalysisApi.h"
#include "framework/String.h"

#include <initializer_list>

class CRunPrompt;

class ANALYSIS_API CDataFile {
public:
    // Keywords in table order; the index is what the step rules refer to.
    enum Section {
        SYST,
        REST,
        CONS,
        JOIN,
        LSPR,
        LOAD,
        TEMP,
        FORC,
        MAST,
        FRAM,
        TRUS,
        PRES,
        CFRA,
        REIN,
        VFRA,
        PIPE,
        PLAN,
        THRE,
        SOL2,
        SOL8,
        S16E,
        SHEL,
        WALL,
        EIGE,
        RITZ,
        LANC,
        RVIB,
        SOIL,
        FLUI,
        BRID,
        LINE,
        PE23,
        PENA,
        STIF,
        DISP,
        RESO,
        STAB,
        DYNA,
        STEP,
        SPEC,
        DPRI,
        SUPE,
        SUBS,
        TABS,
        LEVE,
        SFRA,
        MASS,
        NDLE,
        SectionCount
    };
    static const char* const kKeywords[SectionCount];

    CDataFile() { Reset(); }
    void Reset();
    // Reads the file once and notes its sections; failures are told to the
    // user through prompt. 1 when the file holds a SYSTEM section.
    int Scan(const char* path, CRunPrompt& prompt);
    int HasSection(int index) const { return index >= 0 && index < SectionCount && m_present[index] != 0; }
    int HasAnySection(std::initializer_list<int> indexes) const;
    void SetSpringSection() { m_present[LSPR] = 1; }
    // Marks a section present, for callers that know the file's content.
    void SetSection(int index, int present = 1);
    int IsScanned() const { return m_bScanned; }
    // SYSTEM gave ACT above 1: the model is built in stages.
    int IsConstructionStage() const { return m_bConstruction; }
    void SetConstructionStage(int on) { m_bConstruction = on ? 1 : 0; }

    CString m_strFileName;

private:
    int m_bScanned = 0;
    int m_bConstruction = 0;
    unsigned char m_present[50] = {};
};
