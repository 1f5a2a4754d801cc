#include "vek/elements/line/springs/Spring.h"

#include <cmath>
#include <cstdlib>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/Vector.h"
#include "korvalib/base/biostream.h"
#include "korvalib/model/NodeRecords.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeLibrary.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/display/DisplayOptions.h"

MArrayID<CSpring> theSprings(0, 128);
CSpringInput theSpringInput;

CSpring::CSpring()
{
    m_nFlags = (m_nFlags & 0xFFFFFF16u) | 0x16u;
}

int CSpring::GetDisplayState()
{
    if (!theDisplayOptions.Switch(8)) return 0;
    const CNode* i = FindNode(m_nNodeI);
    if (!i) return 0;
    if (!IsGrounded()) {
        const CNode* j = FindNode(m_nNodeJ);
        if (!j || !j->GetDisplayBits()) return 0;
    }
    return i->GetDisplayBits();
}

int CSpring::IsInvalid() const
{
    if (!(m_dK >= 1e-5) || m_nNodeI < 1) return 1;
    if (!IsGrounded()) return 0;
    return std::fabs(m_dDir[0]) + std::fabs(m_dDir[1]) + std::fabs(m_dDir[2]) < 0.0001 ? 1 : 0;
}

int CSpring::IsSame(const CSpring& o) const
{
    if (m_cKind != o.m_cKind || IsGrounded() != o.IsGrounded()) return 0;
    if (!IsGrounded())
        return (m_nNodeI == o.m_nNodeI && m_nNodeJ == o.m_nNodeJ) || (m_nNodeI == o.m_nNodeJ && m_nNodeJ == o.m_nNodeI);
    if (m_nNodeI != o.m_nNodeI) return 0;
    // Parallel directions whatever their lengths.
    double a[3] = {m_dDir[0], m_dDir[1], m_dDir[2]}, b[3] = {o.m_dDir[0], o.m_dDir[1], o.m_dDir[2]};
    CVector::Normalize(a);
    CVector::Normalize(b);
    return CVector::DirEqual(a, b);
}

int CSpring::Serialize(bofstream& out)
{
    out << uint8_t(m_nFlags & 0xFF) << m_nID << m_cMode << m_nStage << m_nNodeI << m_nNodeJ << m_cKind << m_dK;
    out.Write(m_dDir, 24);
    return out.IsGood();
}

int CSpring::Serialize(bifstream& in)
{
    ReadFlags(in);
    if (nPrjVersion > 610) in >> m_nID >> m_cMode >> m_nStage;
    in >> m_nNodeI >> m_nNodeJ >> m_cKind >> m_dK;
    in.Read(m_dDir, 24);
    return in.IsGood();
}

void CSpring::WriteSpringLine(DKorvaDataFile& file) const
{
    file << int(m_nID) << "N=" << int(m_nNodeI) << int(m_nNodeJ) << "T=" << m_cKind << "K=" << m_dK;
    if (IsGrounded()) file << "DIR1=" << m_dDir[0] << m_dDir[1] << m_dDir[2];
    if (m_cMode != 0 && m_bSlack && m_cKind == 0) file << "KRF=1E-10 ";
    file << "ACT=" << std::abs(int(m_nStage)) << wrap;
}

void MakeSpringParaNonNegative()
{
    theSpringInput.stiffness = std::fabs(theSpringInput.stiffness);
}

void RemoveSpring(int id)
{
    CSpring* s = theSprings.IsValidID(id) ? theSprings.GetByID(id) : nullptr;
    if (!s) return;
    s->m_nFlags &= ~kObjLive;
    s->Draw();
    theSprings.RemoveByID(id);
}

namespace {

int FindSameSpring(const CSpring& s)
{
    for (int i = 0; i < theSprings.GetSize(); ++i)
        if (theSprings.GetAt(i)->IsSame(s)) return theSprings.GetAt(i)->m_nID;
    return 0;
}

void Erase(CSpring& s)
{
    s.m_nFlags &= ~kObjLive;
    s.Draw();
    s.m_nFlags |= kObjLive;
}

int AddNew(CSpring& s)
{
    s.m_nID = 0;
    if (!theSprings.Add(s)) return 0;
    CSpring* stored = theSprings.GetByID(s.m_nID);
    stored->UpdateRangeFlags();
    stored->Draw();
    return 1;
}

}  // namespace

int AddSpring(CSpring spring, int replace)
{
    spring.m_dK = std::fabs(spring.m_dK);
    const bool valid = !spring.IsInvalid();
    if (!spring.IsGrounded()) {
        const int id = FindSameSpring(spring);
        CSpring* match = id ? theSprings.GetByID(id) : nullptr;
        if (match) Erase(*match);
        if (!match) return valid ? AddNew(spring) : 0;
        if (!replace) {
            if (valid) {
                match->m_dK += spring.m_dK;
                match->m_cMode = spring.m_cMode;
            }
            match->Draw();
            return valid ? 1 : 0;
        }
        if (!valid) {
            theSprings.RemoveByID(id);
            return 1;
        }
        match->m_dK = spring.m_dK;
        match->m_cMode = spring.m_cMode;
        match->Draw();
        return 1;
    }

    if (replace) {
        int changed = 0;
        for (int i = theSprings.GetSize() - 1; i >= 0; --i) {
            CSpring* s = theSprings.GetAt(i);
            if (s->IsGrounded() && s->m_nNodeI == spring.m_nNodeI) {
                RemoveSpring(s->m_nID);
                changed = 1;
            }
        }
        return valid ? AddNew(spring) : changed;
    }
    if (!valid) return 0;
    const int id = FindSameSpring(spring);
    if (!id) return AddNew(spring);
    CSpring* match = theSprings.GetByID(id);
    Erase(*match);
    match->m_cMode = spring.m_cMode;
    if (CVector::Dot(match->m_dDir, spring.m_dDir) >= 0) {
        match->m_dK += spring.m_dK;
    } else {
        match->m_dK -= spring.m_dK;
        if (match->m_dK > -1e-5 && match->m_dK < 1e-5) {
            theSprings.RemoveByID(id);
            return 1;
        }
        if (match->m_dK <= -1e-5) {
            match->m_dK = -match->m_dK;
            for (double& d : match->m_dDir) d = -d;
        }
    }
    match->Draw();
    return 1;
}

void RemoveBadSprings()
{
    for (int i = theSprings.GetSize() - 1; i >= 0; --i) {
        CSpring* s = theSprings.GetAt(i);
        const int id = s->m_nID;
        if (s->IsInvalid()) {
            theSprings.RemoveByID(id);
            continue;
        }
        if (!theNodes.IsValidID(s->m_nNodeI) || (s->m_nNodeJ >= 1 && !theNodes.IsValidID(s->m_nNodeJ))) {
            AppMessageBox("为部分弹簧施加在不存在的节点上，系统将删除相应项！");
            theSprings.RemoveByID(id);
        }
    }
}

void WriteLspringBlock(DKorvaDataFile& file, CKvdDataSet* dataSet)
{
    if (theSprings.GetSize() < 1) return;
    file << "\nLSPRING\n";
    for (int i = 0; i < theSprings.GetSize(); ++i) {
        const CSpring* s = theSprings.GetAt(i);
        s->WriteSpringLine(file);
        if (dataSet && theKvdNodeHooks.addSpring) {
            DNodeSpring d;
            d.m_nID = s->m_nID;
            d.m_nNode1 = s->m_nNodeI;
            d.m_nNode2 = s->m_nNodeJ;
            d.m_cKind = char(s->m_cKind);
            d.m_dValue = s->m_dK;
            for (int k = 0; k < 3; ++k) d.m_dDir[k] = s->m_dDir[k];
            theKvdNodeHooks.addSpring(*dataSet, d);
        }
    }
}
