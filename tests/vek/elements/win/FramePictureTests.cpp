// A loaded portal frame made by the program's beam and column commands in
// its own frame, its pictures in the plan (section bands, column
// footprints, the beam load), in 3-D as lines and in 3-D in true shape,
// each against a reference picture a person has looked at; and the portal
// the test build writes to be looked at, opened as a user opens it.
#include <gtest/gtest.h>

#include <string>

#include "ProgramDriver.h"
#include "ViewPictures.h"
#include "tests/vek/view/PictureCompare.h"
#include "vek/edit/Undo.h"
#include "vek/elements/line/frames/Frame.h"
#include "vek/elements/line/frames/FrameDefaults.h"
#include "vek/elements/line/frames/FrameLoad.h"
#include "vek/elements/line/frames/FramePropertyCommands.h"
#include "vek/elements/line/frames/FrameStore.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/materials/Material.h"
#include "vek/model/materials/Sections.h"
#include "vek/model/storeys/LevelTable.h"
#include "vek/model/storeys/StoreyLists.h"
#include "vek/view/win/VekView.h"

namespace {

using namespace vektest;

constexpr int kTrueShapeBit = 9;

class FramePictureTest : public ProgramWindowTest {
protected:
    void SetUp() override
    {
        ProgramWindowTest::SetUp();
        savedDisplay = theDisplayOptions;
        savedDefaults = theFrameDefaults;
    }
    void TearDown() override
    {
        theDisplayOptions = savedDisplay;
        theFrameDefaults = savedDefaults;
        ProgramWindowTest::TearDown();
        theLevels.Reset();
        theStoreyLists.Recreate(0);
        theFrameSects.SetSize(0);
        theMaterials.SetSize(0);
        theViewProjection.SetPlatformHeight(0);
    }
    const char* FailureShot() const override { return "frame_picture_failure"; }

    void Escape()
    {
        Type("\x1b\x1b");
        ASSERT_TRUE(Wait([] { return Code() == 0; }));
    }
    // The view drawn again with the projection's mode and the box fitted.
    void Show(int mode)
    {
        // The default direction of the 3-D view (the default view itself is a plan).
        if (mode == CViewProjection::kFree3D) theViewProjection.SetDefaultView();
        theViewProjection.SetMode(mode, 0, 0, 0);
        const double hi[3] = {7, 1, 3.5}, lo[3] = {-1, -1, 0};
        theViewProjection.SetExtent(hi, lo);
        theViewProjection.ZoomExtents(0, 0, 1);
        auto* v = static_cast<CVekView*>(view);
        v->InvalidateModel();
        v->UpdateWindow();
        Pump();
    }
    void ExpectLikeReference(const char* name)
    {
        const std::string picture = std::string("frame_") + name;
        apptest::SaveViewPicture(static_cast<CVekView*>(view), picture.c_str());
        ExpectLikeReferencePicture(std::string(VEK_ARTIFACTS) + "/" + picture + ".png",
                                   std::string(FRAME_REFERENCE) + "/" + name + ".png", PictureFuzz::kOfDrawing);
    }

    CDisplayOptions savedDisplay;
    CFrameDefaults savedDefaults;
};

TEST_F(FramePictureTest, LoadedPortalInPlanIn3DAndInTrueShape)
{
    // One storey of 3, worked on from its floor.
    theLevels.Reset();
    theLevels.heights[0] = 3;
    theLevels.count = 1;
    theLevels.RecomputeElevations();
    theStoreyLists.Recreate(1);
    theLevels.current = 1;
    theViewProjection.SetPlatformHeight(3);
    Show(CViewProjection::kPlan);

    // The beam by two typed points on the floor, a column below each of its
    // ends by a click on the end's node.
    Command(ID_GEOM_FRAME);
    ASSERT_NE(Code(), 0);
    Type("0 0\r");
    Type("6 0\r");
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 1; }));
    Escape();
    Command(ID_GEOM_COLUMN);
    ASSERT_NE(Code(), 0);
    ClickAt(Pixel(0, 0));
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 2; }));
    ClickAt(Pixel(6, 0));
    ASSERT_TRUE(Wait([] { return theFrames.GetSize() == 3; }));
    Escape();
    const CFrame* beam = nullptr;
    int columns = 0;
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        const CFrame* f = theFrames.GetAt(i);
        if (f->IsVertical()) ++columns;
        if (f->IsHorizontal()) beam = f;
    }
    ASSERT_EQ(columns, 2);
    ASSERT_NE(beam, nullptr);
    ASSERT_EQ(theNodes.GetSize(), 4);

    // Columns of 0.4 x 0.4, a beam of 0.3 wide and 0.6 deep, one material.
    CFrameSect column, girder;
    column.m_cKind = girder.m_cKind = 1;
    column.m_fPara[0] = column.m_fPara[1] = 0.4f;
    girder.m_fPara[0] = 0.6f;
    girder.m_fPara[1] = 0.3f;
    const int columnSect = AddFrameSect(column, 0, 0, 0), girderSect = AddFrameSect(girder, 0, 0, 0);
    theMaterials.Add(CMaterial());
    for (int i = 0; i < theFrames.GetSize(); ++i) {
        CFrame* f = theFrames.GetAt(i);
        f->SetSection(f->IsVertical() ? columnSect : girderSect, 0);
        f->m_nMaterial = 1;
    }
    // A uniform load of 10 downwards over the whole beam, case 1.
    theProjectOptions.nCurrentLoadCase = 1;
    CFrameLoadPara& load = theFrameDefaults.m_Load;
    load.m_nType = 1;
    load.m_nDirection = 3;
    load.m_nOperation = 1;
    const double x[2] = {0, -1}, value[2] = {-10, -10};
    load.m_Points.SetPoints(2, x, value);
    theFrames.GetByID(beam->m_nID)->m_nFlags |= kObjSelected;
    ASSERT_EQ(ApplyFrameLoadPara(), 1);
    theUndo.Clear();

    theDisplayOptions.Switch(13) = 1;  // section bands
    theDisplayOptions.Switch(26) = 1;  // beam loads
    theDisplayOptions.SetWordBit(kTrueShapeBit, false);
    Show(CViewProjection::kPlan);
    ExpectLikeReference("portal_plan");
    Show(CViewProjection::kFree3D);
    ExpectLikeReference("portal_3d");
    theDisplayOptions.SetWordBit(kTrueShapeBit, true);
    Show(CViewProjection::kFree3D);
    ExpectLikeReference("portal_true_shape");
}

// The fixture opens in 3-D with its members in true shape, fixed feet and
// the beam's load shown, as `./run` shows it.
TEST_F(FramePictureTest, ThePortalFixtureOpensInTrueShape)
{
    ChosenFile() = std::string(VEK_FIXTURES) + "/portal3d.prj";
    Command(ID_FILE_OPEN);
    ASSERT_EQ(theFrames.GetSize(), 3);
    EXPECT_EQ(theViewProjection.GetMode(), CViewProjection::kFree3D);
    EXPECT_TRUE(theDisplayOptions.WordBit(kTrueShapeBit));
    ASSERT_EQ(theFrameSects.GetSize(), 2);
    EXPECT_STREQ(theFrameSects.GetAt(1)->m_pName, "梁300x600");
    ASSERT_EQ(theMaterials.GetSize(), 1);
    EXPECT_STREQ(theMaterials.GetAt(0)->m_pName, "C30");
    const CFrame* beam = theFrames.GetByID(2);
    ASSERT_NE(beam, nullptr);
    EXPECT_TRUE(beam->IsHorizontal());
    EXPECT_TRUE(theFrames.GetByID(1)->IsVertical());
    ASSERT_EQ(beam->m_Loads.Entries(), 1);
    const DLoadPoints& q = theFrameLoads.GetAt(beam->m_Loads[0].nValue - 1)->m_Points[kDistributed][2];
    ASSERT_EQ(q.Entries(), 2);
    EXPECT_FLOAT_EQ(q.m_pV[0], -10);
    EXPECT_EQ(theNodes.GetByID(2)->m_cRestraint, 0x3F);
    auto* v = static_cast<CVekView*>(view);
    v->InvalidateModel();
    v->UpdateWindow();
    Pump();
    ExpectLikeReference("portal3d_opened");
}

}  // namespace
