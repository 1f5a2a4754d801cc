#pragma once
// The section records of the line elements: the library's records with one
// value of the model's own, their project records, texts, unit conversion and
// equality. A frame names its section by kind (0 ordinary, 1 steel, 2 variable)
// and a 1-based number in that kind's list; the lists live for the whole run.
#include "containers/MLArray.h"
#include "framework/String.h"
#include "korvalib/model/SectionRecords.h"
#include "korvalib/model/SteelFrame.h"

class DKorvaDataFile;
class MemberTrueShape;

class CFrameSect : public DFrameSect {
public:
    CFrameSect() = default;
    virtual ~CFrameSect() = default;

    // The project record: name, kind byte, six floats. Reading follows the
    // version being read (nPrjVersion); 0 when the stream failed.
    int Serialize(bifstream& in) override;
    int Serialize(bofstream& out) override;
    CString GetSectString() const;
    // One line of the exported section table, with its line break.
    CString GetExportLine() const;
    void Scale(double f);
    // Same kind and used parameters within 1e-6 (1e-10 for the general kind);
    // names are not compared.
    int IsSameSect(const CFrameSect& o) const;
    int IsZeroSect() const;
    // Distance from the reference axis to the top edge (side 0) or the bottom.
    double GetEdgeDistance(int side) const;
    // The outline at both member ends (defined with the drawing of members).
    void BuildTrueShape(MemberTrueShape& holder) const;

    double m_dExtra = 0;
};

class CVframeSect : public DVframeSect {
public:
    CVframeSect() = default;
    CVframeSect(const CVframeSect& o) : DVframeSect(o), m_dExtra(o.m_dExtra) {}
    // The model's value first, then the record.
    CVframeSect& operator=(const CVframeSect& o)
    {
        m_dExtra = o.m_dExtra;
        DVframeSect::operator=(o);
        return *this;
    }
    virtual ~CVframeSect() = default;

    int Serialize(bifstream& in) override;
    int Serialize(bofstream& out) override;
    CString GetSectString() const;
    CString GetExportLine() const;
    void Scale(double f);
    int IsSameSect(const CVframeSect& o) const;
    int IsZeroSect() const;
    // Exchanges the end-I and end-J parameter sets.
    void SwapEnds();
    // The end-I outline at the start, the end-J outline at the end.
    void BuildTrueShape(MemberTrueShape& holder) const;

    double m_dExtra = 0;
};

class CSframeSect : public DSframeSect {
public:
    CSframeSect() = default;
    virtual ~CSframeSect() = default;

    // The project record; reading follows nPrjVersion. A stored section
    // string longer than the data area holds fails the stream. An old
    // section string's pattern is recognised here (unmatched: user-defined,
    // see LastUnmatchedString).
    int Serialize(bifstream& in) override;
    int Serialize(bofstream& out) override;

    // Pattern index from 0; the catalogue's pattern count for a
    // user-defined section.
    int GetSelfDefSectIndex() const;
    void SetSelfDefSectIndex(int index);
    int IsUserDefined() const { return m_cPattern == 0; }
    int IsBuiltUp() const;
    // The section string (pattern code >= 1); "" for a user-defined one.
    const char* GetSteelString() const;
    // Stores the string cut at a character boundary to fit the data area;
    // false when it did not fit whole.
    bool SetSteelString(const char* text);
    // The user-defined values f0..f43 and K, K1, K2.
    float GetUserValue(int i) const;
    void SetUserValue(int i, float v);
    int16_t GetUserKey(int i) const;
    void SetUserKey(int i, int16_t v);

    // Splits the section string into d0..d9 in model units; false (d zeroed)
    // when it matches no pattern. The message is the caller's
    // (ReportUnmatchedSteel), once per section.
    bool ParseSteelString();
    void GetSectString(CString& text) const;
    void GetParaString(CString& text) const;
    void GetParaText(CString& text) const;
    void WriteDataFields(DKorvaDataFile& f) const;
    void Scale(double f);
    int IsSameSect(const CSframeSect& o) const;
    int IsZeroSect() const;
    // Design strengths of a pipe or a rectangular hollow section; 0 (outputs
    // untouched) for any other pattern.
    int GetSteelStrength(double& f, double& fy, double& fv) const;
    void BuildTrueShape(MemberTrueShape& holder) const;

    double m_dExtra = 0;
    double m_dDim[10] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
};

class CPipeSect : public DPipeSect {
public:
    CPipeSect() = default;
    virtual ~CPipeSect() = default;
    double m_dExtra = 0;
};

template <>
struct MLArrayEqual<CFrameSect> {
    static bool Equal(const CFrameSect& a, const CFrameSect& b) { return a.IsSameSect(b) != 0; }
};
template <>
struct MLArrayEqual<CVframeSect> {
    static bool Equal(const CVframeSect& a, const CVframeSect& b) { return a.IsSameSect(b) != 0; }
};
template <>
struct MLArrayEqual<CSframeSect> {
    static bool Equal(const CSframeSect& a, const CSframeSect& b) { return a.IsSameSect(b) != 0; }
};

extern MLArray<CFrameSect> theFrameSects;
extern MLArray<CVframeSect> theVframeSects;
extern MLArray<CSframeSect> theSframeSects;
extern MLArray<CPipeSect> thePipeSects;

// Frame section kinds (the two kind bits of a frame's attribute word; 3 is
// read as variable).
enum { kOrdinarySect = 0, kSteelSect = 1, kVariableSect = 2 };

// The record of a frame's section, or null for number 0 or a number past
// the end of the list.
const CFrameSect* FindFrameSect(int number);
const CVframeSect* FindVframeSect(int number);
const CSframeSect* FindSframeSect(int number);
// The section string of a frame's section by kind and 1-based number;
// "" for number 0 or a missing record.
CString GetFrameSectString(int kind, int number);
// The section panel's text: the name, then each stored parameter as
// "\r\nlabel=value" (a tapered section's two ends after "I端截面：" and
// "J端截面："; a steel section's own text); "" when missing.
CString GetSectParamText(int kind, int number);
// The name of a frame's section; "" when missing.
CString GetFrameSectName(int kind, int number);

// Adds a section to its list and gives its 1-based number, 0 when nothing
// was added. keepName 0: a fresh automatic name ("截面%d", "变截面%d",
// "钢截面%d"); findEqual: an equal entry (by parameters, or by name when
// keepName) is reused; refuseEmpty: an empty section is refused.
int AddFrameSect(const CFrameSect& s, int keepName, int findEqual, int refuseEmpty);
int AddVframeSect(const CVframeSect& s, int keepName, int findEqual, int refuseEmpty);
int AddSframeSect(const CSframeSect& s, int keepName, int findEqual, int refuseEmpty);

// Names compared without regard to ASCII case (GBK characters whole).
bool SectNamesEqual(const char* a, const char* b);

// Shows "钢截面字符串:%s 有错！" once for a section string that matches no
// pattern (the steel list's readers and dialogs call it).
void ReportUnmatchedSteel(const CSframeSect& s);

// Empties the three section lists, the pipe sections and the tight wires.
void ClearSectionLibraries();
// Unit conversion of one list by the length factor.
void ScaleSectionList(int kind, double lengthFactor);
