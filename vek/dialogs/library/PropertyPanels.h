#pragma once
// The panels beside the view that show and choose the current section and
// material, which the generation and assignment commands give to the members
// made or picked next. Every choice is stored at once.
#include "analysis/MyDialog.h"
#include "analysis/MyImage.h"
#include "framework/String.h"

class CMaterialDispDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CMaterialDispDlg)
public:
    explicit CMaterialDispDlg(CWnd* parent = nullptr, bool noLibrary = false);
    BOOL OnInitDialog() override;

protected:
    void Refill();
    void OnSelect();
    void OnLibrary();
    bool m_bNoLibrary;
    DECLARE_MESSAGE_MAP()
};

class CSectDispDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CSectDispDlg)
public:
    // variableOnly: the class stays at variable sections.
    explicit CSectDispDlg(CWnd* parent = nullptr, bool noLibrary = false, bool variableOnly = false);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void Refill();
    void OnClass();
    void OnSelect();
    void OnLibrary();
    void OnHint();
    void OnPaint();
    int PictureCell() const;
    int m_nClass = 0;
    bool m_bNoLibrary, m_bVariableOnly;
    CMyImage m_big, m_steel;
    DECLARE_MESSAGE_MAP()
};

class CPropertyDlg : public CModelessDialog {
    DECLARE_DYNAMIC(CPropertyDlg)
public:
    // combined: the section part is shown and a steel section takes no material.
    explicit CPropertyDlg(CWnd* parent = nullptr, bool combined = false);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

protected:
    void FillSections();
    void FillMaterials();
    void SteelTakesNoMaterial();
    void OnClass();
    void OnSection();
    void OnMaterial();
    void OnHint();
    int m_nClass = 0;
    bool m_bCombined;
    DECLARE_MESSAGE_MAP()
};

// Joins the panels to the command table's "section", "sectionDisplay" and
// "material" slots.
void BindPropertyPanels();
