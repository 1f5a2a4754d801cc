// The axis-grid dialog's copies: at most 20, deleting chooses the grid now in
// the place (or the one before the last), the fields of an eccentric grid,
// and the copies put in place of the model's grids.
#include <gtest/gtest.h>

#include "vek/dialogs/logic/AxisGridDrafts.h"
#include "vek/model/ProjectOptions.h"

using namespace axisedit;

namespace {

class AxisGridDrafts : public ::testing::Test {
protected:
    void TearDown() override
    {
        theAxisGrids.RemoveAll();
        RegenerateGridNodes();
        theProjectOptions.bAxisGridsInElevations = 0;
    }
};

}  // namespace

TEST_F(AxisGridDrafts, TwentyAtMostAndDeletingChoosesTheNeighbour)
{
    CGridDrafts d;
    d.CopyFrom(theAxisGrids);
    EXPECT_EQ(d.m_current, -1);
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(d.Add(std::to_string(i).c_str()));
    EXPECT_FALSE(d.Add("21st"));
    EXPECT_EQ(d.Count(), 20);
    EXPECT_EQ(d.m_current, 19);
    d.Remove(19);
    EXPECT_EQ(d.m_current, 18);
    d.Remove(3);
    EXPECT_EQ(d.m_current, 3);
    EXPECT_STREQ(d.At(3)->GetName(), "4");
    while (d.Count() > 0) d.Remove(0);
    EXPECT_EQ(d.m_current, -1);
}

TEST_F(AxisGridDrafts, EccentricFieldsLeadFromTheRaysPointToTheCentre)
{
    CAxisGrid g;
    CGridFields f;
    f.kind = CAxisGrid::kEccentric;
    f.x = 2;
    f.y = 3;
    f.angle = 30;
    f.dx = 1.5f;
    f.dy = -1;
    StoreFields(f, g);
    float rx, ry, cx, cy;
    double angle;
    g.GetEccentricCentres(rx, ry, cx, cy, angle);
    EXPECT_FLOAT_EQ(cx, 3.5f);
    EXPECT_FLOAT_EQ(cy, 2.0f);
    const CGridFields back = FieldsOf(g);
    EXPECT_DOUBLE_EQ(back.x, 2);
    EXPECT_FLOAT_EQ(back.dy, -1);
    EXPECT_NEAR(back.angle, 30, 1e-9);
}

TEST_F(AxisGridDrafts, ApplyReplacesTheModelsGridsAndMakesTheirNodes)
{
    theAxisGrids.Add(new CAxisGrid);
    CGridDrafts d;
    d.CopyFrom(theAxisGrids);
    d.Remove(0);
    ASSERT_TRUE(d.Add("A"));
    CAxisList a, b;
    a.Add(CAxisGridItem(1, 0.0));
    a.Add(CAxisGridItem(2, 5.0));
    b.Add(CAxisGridItem(1, 0.0));
    ASSERT_TRUE(d.At(0)->SetFromTables(a, b));
    EXPECT_EQ(theAxisGrids.GetCount(), 1);  // copies until applied
    d.Apply(false, true);                   // a plane model keeps grids on elevations
    ASSERT_EQ(theAxisGrids.GetCount(), 1);
    EXPECT_STREQ(theAxisGrids.GetAt(0)->GetName(), "A");
    EXPECT_EQ(theProjectOptions.bAxisGridsInElevations, 1);
    EXPECT_EQ(theGridNodes.GetSize(), 2);
    const char *first, *second;
    TableCaptions(CAxisGrid::kPolar, false, first, second);
    EXPECT_STREQ(first, "径向布置（弧线）");
}
