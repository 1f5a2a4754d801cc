#include "vek/model/analysis/AnalysisParameters.h"

#include <cstring>

#include "korvalib/base/DataFile.h"
#include "korvalib/base/biostream.h"
#include "vek/model/KvdDataSet.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"

CEigenPara theEigenPara;
CReinforcePara theReinforcePara;
CCurrentProps theCurrentProps;

CEigenPara& CEigenPara::operator=(const CEigenPara& o)
{
    if (this == &o) return *this;
    on = o.on;
    modes = o.modes;
    oldCount = o.oldCount;
    method = o.method;
    massFactors.Copy(o.massFactors);
    onlyMinusZ = o.onlyMinusZ;
    sturm = o.sturm;
    return *this;
}

void CEigenPara::Reset()
{
    on = 0;
    modes = 10;
    oldCount = 20;
    method = 1;
    massFactors.SetSize(0);
    massFactors.Add(LoadFactor().Set(1, 1.0));
    massFactors.Add(LoadFactor().Set(2, 1.0));
    onlyMinusZ = 1;
    sturm = 1;
}

bool WriteEigenBlock(bofstream& out)
{
    CEigenPara& e = theEigenPara;
    out.Write("EIGEN", 6);
    out << e.oldCount << e.modes << e.on << e.method << int32_t(e.massFactors.GetSize());
    for (int i = 0; i < e.massFactors.GetSize(); ++i) e.massFactors.GetAt(i)->Write(out);
    out << e.onlyMinusZ << e.sturm;
    return out.IsGood() != 0;
}

bool ReadEigenBlock(bifstream& in)
{
    const long at = in.TellPos();
    char marker[6] = {};
    if (!in.Read(marker, 6) || std::memcmp(marker, "EIGEN", 6) != 0) {
        in.ClearError();
        in.Seek(at, 0);
        return in.IsGood() != 0;
    }
    CEigenPara e(theEigenPara);
    if (nPrjVersion >= 700) in >> e.oldCount >> e.modes;
    in >> e.on >> e.method;
    e.massFactors.SetSize(0);
    if (nPrjVersion < 520) {
        float ten[10];
        in.Read(ten, sizeof ten);
        for (int i = 0; i < 10; ++i)
            if (ten[i] > 0.0001f || ten[i] < -0.0001f) e.massFactors.Add(LoadFactor().Set(i + 1, ten[i]));
    } else {
        int32_t count = 0;
        in >> count;
        if (!in.IsGood() || count < 0 || !in.CheckAvailable(int64_t(count) * 6)) {
            in.SetFailed();
            return false;
        }
        for (int i = 0; i < count && in.IsGood(); ++i) {
            LoadFactor f;
            f.Read(in);
            if (in.IsGood()) e.massFactors.Add(f);
        }
    }
    in >> e.onlyMinusZ >> e.sturm;
    if (!in.IsGood()) return false;
    theEigenPara = e;
    return true;
}

bool ReadEigenLegacyCounts(bifstream& in)
{
    int32_t oldCount = 0, modes = 0;
    in >> oldCount >> modes;
    if (!in.IsGood()) return false;
    theEigenPara.oldCount = oldCount;
    theEigenPara.modes = modes;
    return true;
}

void WriteEigenDataFile(DKorvaDataFile& f, CKvdDataSet* set)
{
    const CEigenPara& e = theEigenPara;
    if (e.on) {
        f << (e.method == 1 ? "\nRITZ\n" : e.method == 2 ? "\nEIGEN\n" : "\nLANCZOS\n") << "V=24 P=" << int(e.modes);
        if (e.sturm) f << " ITE=1 STURM=1";
        f << " ERROR=0.0001" << wrap;
    }
    if (!set) return;
    DEigen& r = set->eigen;
    r.m_cValid = char(e.on);
    r.m_cMethod = char(e.method == 1 || e.method == 2 ? e.method : 3);
    r.m_sModes = int16_t(e.modes);
    r.m_fTolerance = 0.0001f;
    r.m_fRealPara = 0.0f;
    r.m_cIntPara = char(e.sturm);
    r.m_cFlag = 1;
}

void CReinforcePara::Reset()
{
    on = 0;
    F1 = F2 = 310000;
    K1 = K2 = 0.544f;
    K3 = 0.35f;
    Z = 0.004f;
    P = 0.8f;
    H1 = H2 = 0.008f;
    N1 = N2 = 2;
    V1 = 300000;
    V2 = 1.2f;
    T = 0.7f;
}

void CReinforcePara::ScaleUnits(double F, double L)
{
    const float f = float(F / (L * L));
    F1 *= f;
    F2 *= f;
    V1 *= f;
    H1 *= float(L);
    H2 *= float(L);
}

bool CReinforcePara::Write(bofstream& out) const
{
    out << uint8_t(on) << F1 << F2 << K1 << K2 << K3 << Z << P << H1 << H2 << N1 << N2 << V1 << V2 << T;
    return out.IsGood() != 0;
}

bool CReinforcePara::Read(bifstream& in)
{
    CReinforcePara r;
    uint8_t flag = 0;
    in >> flag >> r.F1 >> r.F2 >> r.K1 >> r.K2 >> r.K3 >> r.Z >> r.P >> r.H1 >> r.H2 >> r.N1 >> r.N2 >> r.V1 >> r.V2 >>
        r.T;
    if (!in.IsGood()) return false;
    r.on = flag;
    *this = r;
    return true;
}

bool WriteReinforceBlock(bofstream& out)
{
    return theReinforcePara.Write(out);
}

bool ReadReinforceBlock(bifstream& in)
{
    return theReinforcePara.Read(in);
}

void WriteReinforceDataFile(DKorvaDataFile& f, CKvdDataSet* set)
{
    const CReinforcePara& r = theReinforcePara;
    if (r.on && theFrameSects.GetSize() > 0) {
        f << "\nREIN\nI=" << int(theSpectrumSettings.seismicGrade) << "F=" << r.F1 << r.F2 << "K=" << r.K1 << r.K2
          << r.K3 << "Z=" << r.Z << "P=" << r.P << "H=" << r.H1 << int(r.N1) << r.H2 << int(r.N2) << "V=" << r.V1
          << r.V2 << "T=" << r.T << wrap;
    }
    if (!set) return;
    DReinforce& d = set->reinforce;
    d.m_cValid = char(r.on ? 1 : 0);
    const float p1[6] = {r.F1, r.F2, r.K1, r.K2, r.K3, r.Z}, p2[3] = {r.P, r.H1, r.H2}, p3[3] = {r.V1, r.V2, r.T};
    std::memcpy(d.m_fPara1, p1, sizeof p1);
    std::memcpy(d.m_fPara2, p2, sizeof p2);
    std::memcpy(d.m_fPara3, p3, sizeof p3);
    d.m_cCode1 = char(r.N1);
    d.m_cCode2 = char(r.N2);
}

void CCurrentProps::Clamp()
{
    auto keep = [](int16_t& n, int size) {
        if (n < 1 || n > size) n = int16_t(size);
    };
    keep(material, theMaterials.GetSize());
    keep(frameSect, theFrameSects.GetSize());
    keep(steelSect, theSframeSects.GetSize());
    keep(vframeSect, theVframeSects.GetSize());
    if (kind > 2) kind = 0;
}

bool CCurrentProps::Write(bofstream& out) const
{
    out << material << kind << frameSect << steelSect << vframeSect;
    return out.IsGood() != 0;
}

bool CCurrentProps::Read(bifstream& in)
{
    CCurrentProps r;
    in >> r.material >> r.kind >> r.frameSect >> r.steelSect >> r.vframeSect;
    if (!in.IsGood()) return false;
    *this = r;
    return true;
}

bool WriteCurrentSelection(bofstream& out)
{
    return theCurrentProps.Write(out);
}

bool ReadCurrentSelection(bifstream& in)
{
    return theCurrentProps.Read(in);
}

void ValidateCurrentSelection()
{
    theCurrentProps.Clamp();
}

void ValidateCurrentLoadCase(int loadCases)
{
    const int lc = theProjectOptions.nCurrentLoadCase;
    if (lc < 1 || lc > loadCases) theProjectOptions.nCurrentLoadCase = int16_t(1);
}

void ValidateResultSelectors(const int counts[6], int stages)
{
    for (int i = 0; i < 6; ++i) {
        const int s = theProjectOptions.nResultSelectors[i];
        if (counts[i] < 1)
            theProjectOptions.nResultSelectors[i] = int16_t(0);
        else if (s < 1 || s > counts[i])
            theProjectOptions.nResultSelectors[i] = int16_t(1);
    }
    const int shown = theProjectOptions.nHighestStage;
    if (stages < 1)
        theProjectOptions.nHighestStage = int16_t(10000);
    else if (shown < 1 || shown > stages)
        theProjectOptions.nHighestStage = int16_t(stages);
    ModelHooks().RefreshResultSelectors();
}
