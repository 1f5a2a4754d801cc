#include "vek/model/units/UnitConversion.h"

#include "korvalib/model/CommonData.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/analysis/SpectrumSettings.h"
#include "vek/model/materials/Material.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/materials/TightWire.h"

namespace {

UnitScaleHook hooks[kUnitStepCount] = {};

// The lengths of the project options: the text size, both node spacings and
// the plane elements' thickness.
void ScaleOptionLengths(double L)
{
    CProjectOptions& o = theProjectOptions;
    o.dTextSize *= L;
    o.dHorzNodeSpacing *= L;
    o.fVertNodeSpacing = float(o.fVertNodeSpacing * L);
    o.fPlaneThickness = float(o.fPlaneThickness * L);
}

// A change of the unit system in the options converts the model here.
const bool bound = [] {
    theProjectOptionsHooks.convertModelUnits = ConvertModelUnits;
    return true;
}();

}  // namespace

CUnitFactors UnitFactorsBetween(int oldCode, int newCode)
{
    CUnitFactors f;
    f.F = DCommonData::ForceFactor(newCode) / DCommonData::ForceFactor(oldCode);
    f.M = DCommonData::MassFactor(newCode) / DCommonData::MassFactor(oldCode);
    f.L = DCommonData::DimensionFactor(newCode) / DCommonData::DimensionFactor(oldCode);
    return f;
}

UnitScaleHook SetUnitScaleHook(EUnitStep step, UnitScaleHook hook)
{
    const int i = static_cast<int>(step);
    if (i < 0 || i >= kUnitStepCount) return nullptr;
    UnitScaleHook previous = hooks[i];
    hooks[i] = hook;
    return previous;
}

EFamily OwnerOfStep(EUnitStep step)
{
    using S = EUnitStep;
    switch (step) {
        case S::FrameLoads:
        case S::FrameParameters:
        case S::Frames: return EFamily::Frames;
        case S::Nodes:
        case S::NodeAttributes:
        case S::NodeValueList1:
        case S::NodeValueList2:
        case S::PrescribedDisplacements: return EFamily::Nodes;
        case S::Springs: return EFamily::Springs;
        case S::Shells:
        case S::ShellLoads:
        case S::ShellParameters: return EFamily::Shells;
        case S::Slabs:
        case S::StiffRegions: return EFamily::StiffRegions;
        case S::SolidLoads:
        case S::SolidParameters: return EFamily::Solids;
        case S::Walls:
        case S::WallLoads:
        case S::WallParameters: return EFamily::Walls;
        case S::Planes:
        case S::PlaneLoads:
        case S::PlaneParameters: return EFamily::Planes;
        case S::HistoryCurves: return EFamily::HistoryCurves;
        case S::TrussSections: return EFamily::Trusses;
        case S::Cframes:
        case S::CframeSections:
        case S::CframeLoads: return EFamily::Cframes;
        case S::Pipes:
        case S::PipeSections: return EFamily::Pipes;
        case S::Integrals: return EFamily::Integrals;
        default: return EFamily::Count;
    }
}

void ConvertModelUnits(int oldCode, int newCode)
{
    const CUnitFactors f = UnitFactorsBetween(oldCode, newCode);
    for (int i = 0; i < kUnitStepCount; ++i) {
        const EUnitStep step = static_cast<EUnitStep>(i);
        switch (step) {
            case EUnitStep::TextSize: ScaleOptionLengths(f.L); break;
            case EUnitStep::Storeys: theLevels.ScaleUnits(f.L); break;
            case EUnitStep::Materials:
                for (int k = 0; k < theMaterials.GetSize(); ++k) theMaterials.GetAt(k)->ScaleUnits(f.F, f.M, f.L);
                break;
            case EUnitStep::DefaultTightWire: theTightWireParameter.m_wire.ScaleUnits(f.F, f.L); break;
            case EUnitStep::FrameSections: ScaleSectionList(kOrdinarySect, f.L); break;
            case EUnitStep::SframeSections: ScaleSectionList(kSteelSect, f.L); break;
            case EUnitStep::VframeSections: ScaleSectionList(kVariableSect, f.L); break;
            case EUnitStep::TightWires:
                for (int k = 0; k < theTightWires.GetSize(); ++k) theTightWires.GetAt(k)->ScaleUnits(f.F, f.L);
                break;
            case EUnitStep::Reinforcement: theReinforcePara.ScaleUnits(f.F, f.L); break;
            case EUnitStep::Spectrum: theSpectrumSettings.ScaleCurve(f.L); break;
            default: {
                const EFamily owner = OwnerOfStep(step);
                if (owner != EFamily::Count)
                    ModelFamily(owner).ScaleUnits(step, f);
                else if (hooks[i])
                    hooks[i](f);
            }
        }
    }
}
