#pragma once
// A frame record of the library with the tight wires attached to it, as
// the library file's stores hold it.
#include "korvalib/model/LineElements.h"
#include "korvalib/model/SteelFrame.h"
#include "korvalib/base/biostream.h"

template <class Base>
class DFrameBase : public Base {
public:
    // Smallest stream form: the frame record's fixed fields and the wire count.
    static constexpr int kMinStreamBytes = 2;

    DFrameBase() = default;
    DFrameBase(const DFrameBase& o) : Base(o), m_TightWires(o.m_TightWires) {}
    // The record, then the wires; assigning to itself leaves both as they are.
    DFrameBase& operator=(const DFrameBase& o)
    {
        Base::operator=(o);
        m_TightWires = o.m_TightWires;
        return *this;
    }
    ~DFrameBase() override = default;

    int Serialize(bofstream& out) override
    {
        Base::Serialize(out);
        m_TightWires.Serialize(out);
        return out.IsGood();
    }
    // A damaged record leaves this one as it was.
    int Serialize(bifstream& in) override
    {
        DFrameBase read;
        if (!read.Base::Serialize(in) || !read.m_TightWires.Serialize(in) || !in.IsGood()) return 0;
        *this = read;
        return 1;
    }

    DTightWireIndex m_TightWires;
};

extern template class DFrameBase<DSframeBase>;
