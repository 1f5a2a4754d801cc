#pragma once
// The models whose data files are worked by hand: a portal frame and a frame
// of two storeys, with rigid floors when a region family is given. Shared by
// the tests that compare the text and the program that hands the files to
// the independent reader.
#include <cstdint>

#include "tests/vek/analysis/DataFileTestSupport.h"
#include "tests/vek/analysis/FakeRegions.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/elements/line/nodes/Node.h"
#include "vek/elements/line/nodes/NodeCreate.h"
#include "vek/elements/line/nodes/NodePools.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/analysis/AnalysisParameters.h"
#include "vek/model/loads/LoadCombination.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"

namespace vektest {

inline int ModelNode(double x, double y, double z)
{
    const double p[3] = {x, y, z};
    return FindOrAddNode(p);
}

inline int RectangleSection(float b, float h)
{
    CFrameSect s;
    s.m_cKind = 1;
    s.m_fPara[0] = b;
    s.m_fPara[1] = h;
    theFrameSects.Add(s);
    return theFrameSects.GetSize();
}

// A concrete of round values: grade 30, E 3e7, Poisson 0.2, 25, 2.5, 1e-5.
inline int RoundConcrete()
{
    CMaterial m;
    m.m_fGrade = 30;
    m.m_fModulus = 3e7f;
    m.m_fConst1 = 0.2f;
    m.m_fVolWeight = 25;
    m.m_fVolMass = 2.5f;
    m.m_fConst2 = 1e-5f;
    theMaterials.Add(m);
    return theMaterials.GetSize();
}

inline int ConcreteFrame(int a, int b, int section, int material)
{
    const int id = AddOneFrame(a, b);
    CFrame& f = *theFrames.GetByID(id);
    f.SetSection(section, kOrdinarySect);
    f.m_nMaterial = uint16_t(material);
    return id;
}

// q along global Z over the length; its index in the beam-load list.
inline int UniformFrameLoad(double q, double length)
{
    CFrameLoad load;
    const float x[2] = {0, float(length)}, v[2] = {float(q), float(q)};
    load.m_Points[kDistributed][2].SetPoints(2, x, v);
    return FindOrAddFrameLoad(load);
}

// Columns 0.4 x 0.4 and 3 high at x 0 and 6, a beam 0.3 x 0.6 on them with
// 10 downwards in case 1; fixed bases; one force (1.2) and one displacement
// (1.0) combination of case 1.
inline void PortalFrame()
{
    const int n1 = ModelNode(0, 0, 0), n2 = ModelNode(0, 0, 3), n3 = ModelNode(6, 0, 3), n4 = ModelNode(6, 0, 0);
    theNodes.GetByID(n1)->m_cRestraint = 63;
    theNodes.GetByID(n4)->m_cRestraint = 63;
    const int column = RectangleSection(0.4f, 0.4f), beam = RectangleSection(0.3f, 0.6f), concrete = RoundConcrete();
    ConcreteFrame(n1, n2, column, concrete);
    const int b = ConcreteFrame(n2, n3, beam, concrete);
    ConcreteFrame(n4, n3, column, concrete);
    theFrames.GetByID(b)->m_Loads.Insert(1, UniformFrameLoad(-10, 6));
    theProjectOptions.bFormCombinations = 1;
    theProjectOptions.bSelfWeight = 1;
    theProjectOptions.fSelfWeightDir[0] = 0;
    theProjectOptions.fSelfWeightDir[1] = 0;
    theProjectOptions.fSelfWeightDir[2] = -1;
    theProjectOptions.nOptionWord &= ~CProjectOptions::kUnitMask;
    LoadCombination force, disp;
    force.AddFactor(1, 1.2);
    disp.AddFactor(1, 1.0);
    theLoadCombinations[0].Add(force);
    theLoadCombinations[1].Add(disp);
}

// Two storeys of 3 with base fixing and a modal analysis: columns at x 0 and
// 6 (nodes 1, 3, 5 and 2, 4, 6), a concrete beam with 10 downwards on the
// first floor, a steel beam I20A on the roof, a tension-only brace in the
// ground storey, 20 along X at roof node 5; g 10, the modal analysis takes
// case 1 at factor 1 and gravity loads only.
inline void TwoStoreyFrame()
{
    theLevels.Reset();
    theLevels.heights[0] = theLevels.heights[1] = 3;
    theLevels.count = 2;
    theLevels.RecomputeElevations();
    theStoreyLists.Recreate(2);
    theProjectOptions.bFixLevel0Nodes = 1;
    const int n1 = ModelNode(0, 0, 0), n2 = ModelNode(6, 0, 0), n3 = ModelNode(0, 0, 3), n4 = ModelNode(6, 0, 3),
              n5 = ModelNode(0, 0, 6), n6 = ModelNode(6, 0, 6);
    const int column = RectangleSection(0.4f, 0.4f), beam = RectangleSection(0.3f, 0.6f), concrete = RoundConcrete();
    AddSteelI20A();
    ConcreteFrame(n1, n3, column, concrete);
    ConcreteFrame(n2, n4, column, concrete);
    ConcreteFrame(n3, n5, column, concrete);
    ConcreteFrame(n4, n6, column, concrete);
    const int floor = ConcreteFrame(n3, n4, beam, concrete);
    theFrames.GetByID(floor)->m_Loads.Insert(1, UniformFrameLoad(-10, 6));
    const int roof = ConcreteFrame(n5, n6, 1, 0);
    theFrames.GetByID(roof)->SetSection(1, kSteelSect);
    const int brace = ConcreteFrame(n2, n3, column, concrete);
    theFrames.GetByID(brace)->SetAxialType(1);
    const double push[6] = {20, 0, 0, 0, 0, 0};
    theNodes.GetByID(n5)->m_Loads.Insert(1, FindOrAddNodeLoad(CSixDoubles(push)));
    theEigenPara.on = 1;
    theProjectOptions.fGravity = 10;
    LoadFactor lf;
    theEigenPara.massFactors.Add(lf.Set(1, 1.0));
    theProjectOptions.bSelfWeight = 0;
    theProjectOptions.nOptionWord &= ~CProjectOptions::kUnitMask;
}

// A rigid floor on each storey of the two-storey frame: the first floor's
// nodes 3, 4 with their load centre at (3, 0, 3), the roof's 5, 6 at
// (3, 0, 6). The roof carries 2 over 6 (its panel 6 x 1) in case 1, handed
// to the steel beam as 2 per length downwards; node 4 has a mass record of
// 2 in X, Y and Z, roof node 6 a push of 10 along Y in case 1.
inline void RigidFloors(FakeRegions& regions)
{
    const double record[6] = {2, 2, 2, 0, 0, 0};
    theNodes.GetByID(4)->m_nMass = FindOrAddNodeMass(CSixDoubles(record));
    const double push[6] = {0, 10, 0, 0, 0, 0};
    theNodes.GetByID(6)->m_Loads.Insert(1, FindOrAddNodeLoad(CSixDoubles(push)));
    FakeRegion floor;
    floor.storey = 1;
    floor.centre = {3, 0, 3};
    floor.nodes = {3, 4};
    floor.area = 6;
    FakeRegion roof = floor;
    roof.storey = 2;
    roof.centre = {3, 0, 6};
    roof.nodes = {5, 6};
    roof.loads = {{1, 2.0}};
    roof.shares = {{5, 6, 1, UniformFrameLoad(-2, 6) - 1}};
    regions.regions = {floor, roof};
}

}  // namespace vektest
