#pragma once
// The section records of the line elements: the library's records with one
// value of the model's own. Their operations belong to the line-element
// family; the lists live for the whole run.
#include "containers/MLArray.h"
#include "korvalib/model/SectionRecords.h"
#include "korvalib/model/SteelFrame.h"

class CFrameSect : public DFrameSect {
public:
    CFrameSect() = default;
    virtual ~CFrameSect() = default;
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
    double m_dExtra = 0;
};

class CSframeSect : public DSframeSect {
public:
    CSframeSect() = default;
    virtual ~CSframeSect() = default;
    double m_dExtra = 0;
};

class CPipeSect : public DPipeSect {
public:
    CPipeSect() = default;
    virtual ~CPipeSect() = default;
    double m_dExtra = 0;
};

extern MLArray<CFrameSect> theFrameSects;
extern MLArray<CVframeSect> theVframeSects;
extern MLArray<CSframeSect> theSframeSects;
extern MLArray<CPipeSect> thePipeSects;
