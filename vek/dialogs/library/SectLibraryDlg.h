#pragma once
// The section library dialogs: the ordinary sections and the tapered ones,
// each on a copy of its list that OK writes back. A name list, the kinds as
// a strip of pictures, the kind's picture and its parameters.
#include <memory>

#include "analysis/MyDialog.h"
#include "analysis/MyImage.h"
#include "vek/model/materials/Sections.h"

class CBmpWnd;

class CSectLibraryDlg : public CMyDialog {
    DECLARE_DYNAMIC(CSectLibraryDlg)
public:
    CSectLibraryDlg(UINT templateId, CWnd* parent);
    ~CSectLibraryDlg() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    int m_nIndex = -1;  // the current section in the copy, -1 for none

protected:
    struct Texts {
        const char* addTitle;
        const char* addPrompt;
        const char* proposed;
        const char* exportFile;
        const char* exportFilter;
        const char* exportHeader;
    };
    virtual const Texts& GetTexts() const = 0;
    virtual int Count() const = 0;
    virtual const char* NameAt(int i) const = 0;
    virtual void SetNameAt(int i, const char* name) = 0;
    // A copy of the current section (a default one for an empty list).
    virtual void AppendCopy(const char* name) = 0;
    virtual int Kind() const = 0;
    virtual void SetKindFromCell(int cell) = 0;
    virtual void ExchangeParams(CDataExchange* dx) = 0;
    virtual void UpdateLabels() = 0;
    virtual CString ExportLine(int i) const = 0;
    virtual void Commit() = 0;
    // The cell of the kind's picture, -1 for none.
    virtual int PictureCell() const = 0;

    void FillNames();
    // The name dialog; false when cancelled or left empty.
    bool AskName(const char* prompt, CString& name);
    bool NameTaken(const char* name, int skip) const;
    void ShowLabels(int paramCount, const char* const* labels, int firstEdit, int secondEdit);

    void OnSelectName();
    void OnAdd();
    void OnRename();
    void OnExport();
    LRESULT OnCell(WPARAM cell, LPARAM);
    void OnPaint();
    void OnOK() override;

    std::unique_ptr<CBmpWnd> m_strip;
    CMyImage m_big;
    DECLARE_MESSAGE_MAP()
};

// The list-keeping half shared by both kinds of section: a copy of the
// model's list of T.
template <class T>
class CSectListDlg : public CSectLibraryDlg {
public:
    CSectListDlg(UINT templateId, CWnd* parent, MLArray<T>& model, int current)
        : CSectLibraryDlg(templateId, parent), m_model(model)
    {
        m_sects.Copy(model);
        m_nIndex = current - 1;
    }
    MLArray<T> m_sects;

protected:
    int Count() const override { return m_sects.GetSize(); }
    const T& At(int i) const { return *const_cast<MLArray<T>&>(m_sects).GetAt(i); }
    const char* NameAt(int i) const override { return At(i).m_pName; }
    void SetNameAt(int i, const char* name) override { m_sects.GetAt(i)->SetName(name); }
    void AppendCopy(const char* name) override
    {
        T s = m_nIndex >= 0 && m_nIndex < Count() ? At(m_nIndex) : T();
        s.SetName(name);
        m_sects.Add(s);
    }
    int Kind() const override { return m_nIndex >= 0 && m_nIndex < Count() ? At(m_nIndex).m_cKind : 0; }
    CString ExportLine(int i) const override { return At(i).GetExportLine(); }
    // The copy into the model, each section's area kept; the current number.
    int16_t CommitList()
    {
        for (int i = 0; i < m_sects.GetSize(); ++i) m_sects.GetAt(i)->m_dExtra = float(At(i).GetSectArea());
        m_model.Copy(m_sects);
        return int16_t(m_nIndex + 1);
    }
    MLArray<T>& m_model;
};

class CSectManageDlg : public CSectListDlg<CFrameSect> {
    DECLARE_DYNAMIC(CSectManageDlg)
public:
    explicit CSectManageDlg(CWnd* parent);

protected:
    const Texts& GetTexts() const override;
    void SetKindFromCell(int cell) override;
    void ExchangeParams(CDataExchange* dx) override;
    void UpdateLabels() override;
    void Commit() override;
    int PictureCell() const override;
};

class CVsectManageDlg : public CSectListDlg<CVframeSect> {
    DECLARE_DYNAMIC(CVsectManageDlg)
public:
    explicit CVsectManageDlg(CWnd* parent);

protected:
    const Texts& GetTexts() const override;
    void SetKindFromCell(int cell) override;
    void ExchangeParams(CDataExchange* dx) override;
    void UpdateLabels() override;
    void Commit() override;
    int PictureCell() const override;
};

// The parameter labels of a section kind (six, blank past the count) and
// the count; 0 for a kind without parameters.
int SectKindLabels(int kind, const char* const** labels);

// The name dialog of the libraries, proposing name; false when cancelled or
// left empty.
bool AskLibraryName(CWnd* parent, const char* title, const char* prompt, CString& name);

// Follows a choice in a name list: the values of the one before are taken
// out of the dialog first (on a refusal the list goes back); then the new
// one's are shown.
void FollowNameList(CDialog* dlg, int listId, int& index);

// Writes an exported library: the header, then one line each; says so when
// the file cannot be written. Shared with the material library.
bool WriteLibraryExport(const char* defExt, const char* file, const char* filter, const char* header,
                        const CStringArray& lines, CWnd* parent);
