// The view's pictures against reference pictures a person has looked at
// (a plan with axis grid, bubbles and nodes; an inclined elevation; the 3-D
// view lit and unlit), compared by ImageMagick; and the plan and the
// elevation checked by Python against the projection's formulas.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "framework/Image.h"
#include "tests/vek/view/Peers.h"
#include "tests/vek/view/PictureCompare.h"
#include "tests/vek/view/win/ViewWindowFixture.h"
#include "vek/view/ElevationView.h"
#include "vek/view/draw/DrawLayer.h"

using namespace vektest;

namespace {

std::string Artifact(const std::string& name)
{
    std::string dir = VEK_ARTIFACTS;
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name;
}

// A cube of six faces in six colours, drawn by the solids' step.
void DrawCube(const CDrawPassInfo&)
{
    static const double c[8][3] = {{3, 2, 0}, {7, 2, 0}, {7, 6, 0}, {3, 6, 0},
                                   {3, 2, 3}, {7, 2, 3}, {7, 6, 3}, {3, 6, 3}};
    static const int faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
    static const uint32_t colours[6] = {RGB(200, 60, 60),  RGB(60, 200, 60),  RGB(60, 60, 200),
                                        RGB(200, 200, 60), RGB(60, 200, 200), RGB(200, 60, 200)};
    for (int f = 0; f < 6; ++f) {
        double q[4][3];
        for (int k = 0; k < 4; ++k)
            for (int i = 0; i < 3; ++i) q[k][i] = c[faces[f][k]][i];
        DrawPolygonFace(q, 1, RGB(255, 255, 255), 1, colours[f], -1, 1, "三维元");
    }
}

class ViewPicture : public ViewWindow {
protected:
    ViewPicture()
    {
        m_width = 480;
        m_height = 360;
    }
    void SetUp() override
    {
        ViewWindow::SetUp();
        theDisplayOptions.Switch(0) = 1;  // node numbers
        theDisplayOptions.Switch(4) = 1;  // axis numbers and spacings
        theProjectOptions.dTextSize = 0.4;
    }
    void TearDown() override
    {
        SetDrawStep(EDrawStep::Solids, CDrawStepSlot());
        ViewWindow::TearDown();
    }
    // The back buffer as a PNG in the artifacts folder; its path.
    std::string SavePicture(const std::string& name)
    {
        const std::string path = Artifact("view_" + name + ".png");
        CImage image;
        image.Attach(view->GetBackBitmap());
        const HRESULT hr = image.Save(path.c_str(), CImage::kPng);
        image.Detach();
        EXPECT_TRUE(SUCCEEDED(hr)) << path;
        return path;
    }
    void ExpectLikeReference(const std::string& name)
    {
        ExpectLikeReferencePicture(SavePicture(name), std::string(VIEW_REFERENCE) + "/" + name + ".png");
    }
    // Python places the grid crossings and the nodes by the Part's formulas.
    void ExpectPlacedByFormulas(const std::string& name)
    {
        const std::string png = SavePicture(name);
        const std::string sceneFile = png + ".json";
        {
            std::ofstream f(sceneFile);
            CTransferMatrix frame(theViewProjection.GetFrame());
            CTransferMatrix::Axes a = frame;
            const double* o = frame.GetOrig();
            const RECT& s = theViewProjection.GetScreenRect();
            const double* c = theViewProjection.Centre();
            f.precision(17);
            f << "{\"view\": {\"mode\": " << theViewProjection.GetMode() << ", \"screen\": [" << s.left << ", " << s.top
              << ", " << s.right << ", " << s.bottom << "], \"centre\": [" << c[0] << ", " << c[1]
              << "], \"scale\": " << theViewProjection.GetScale() << ", \"origin\": [" << o[0] << ", " << o[1] << ", "
              << o[2] << "], \"axes\": [";
            for (int i = 0; i < 3; ++i)
                f << (i ? ", " : "") << "[" << a[i][0] << ", " << a[i][1] << ", " << a[i][2] << "]";
            f << "], \"platform\": " << theViewProjection.GetPlatformHeight() << "}, \"grids\": [";
            for (int g = 0; g < theAxisGrids.GetCount(); ++g) {
                const CAxisGrid& grid = *theAxisGrids.GetAt(g);
                double ox, oy, deg;
                grid.GetOrigin(ox, oy, deg);
                f << (g ? ", " : "") << "{\"origin\": [" << ox << ", " << oy << "], \"angle\": " << deg
                  << ", \"colour\": " << theDisplayColors.m_axis[0] << ", \"first\": [";
                for (int i = 0; i < grid.First().GetSize(); ++i) f << (i ? ", " : "") << AxisPosition(grid.First(), i);
                f << "], \"second\": [";
                for (int i = 0; i < grid.Second().GetSize(); ++i)
                    f << (i ? ", " : "") << AxisPosition(grid.Second(), i);
                f << "]}";
            }
            f << "], \"nodes\": [";
            for (int i = 0; i < nodes.GetCount(); ++i) {
                const double* p = nodes.At(i).p;
                f << (i ? ", " : "") << "{\"at\": [" << p[0] << ", " << p[1] << ", " << p[2]
                  << "], \"colour\": " << theDisplayColors.m_ele[0] << "}";
            }
            f << "]}\n";
        }
        const std::string out = png + ".places";
        ASSERT_TRUE(RunPeers("places " + PeerArg(sceneFile) + " " + PeerArg(png) + " " + PeerArg(out), out));
        std::ifstream f(out);
        std::string line;
        int checks = 0;
        while (std::getline(f, line)) {
            ++checks;
            EXPECT_EQ(line.substr(0, 3), "ok ") << name << ": " << line;
        }
        EXPECT_EQ(checks, expectedChecks) << name;
        f.close();
        std::remove(out.c_str());
        std::remove(sceneFile.c_str());
    }
    int expectedChecks = 0;
};

}  // namespace

TEST_F(ViewPicture, PlanWithAxisGridBubblesAndNodes)
{
    Show();
    ExpectLikeReference("plan");
    // Four crossings of the grid and the three nodes.
    expectedChecks = 4 + 3;
    ExpectPlacedByFormulas("plan");
}

TEST_F(ViewPicture, InclinedElevationWithItsGrid)
{
    // The plane through (0,0,0), (10,0,0) and (0,8,3), grids shown in elevations,
    // the nodes lying in that plane.
    theProjectOptions.bAxisGridsInElevations = 1;
    nodes.Clear();
    nodes.Add(1, 5, 4, 1.5);
    nodes.Add(2, 1, 1, 0.375);
    nodes.Add(3, 9, 7, 2.625);
    const double pts[3][3] = {{0, 0, 0}, {10, 0, 0}, {0, 8, 3}};
    ASSERT_EQ(DefineElevationByPoints(3, pts), 1);
    ASSERT_EQ(theViewProjection.GetMode(), CViewProjection::kElevation);
    theViewProjection.ZoomExtents(0, 0, 1);
    Show();
    ExpectLikeReference("elevation");
    expectedChecks = 4 + 3;
    ExpectPlacedByFormulas("elevation");
}

TEST_F(ViewPicture, FreeViewLitAndUnlit)
{
    SetDrawStep(EDrawStep::Solids, CDrawStepSlot{nullptr, DrawCube});
    theDisplayOptions.Switch(23) = 1;
    theProjectOptions.bHiddenSurface = 1;
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    theViewProjection.ZoomExtents(0, 1, 1);
    for (bool lit : {true, false}) {
        theProjectOptions.SetOption(CProjectOptions::kLighting, lit);
        Show();
        ExpectLikeReference(lit ? "free_lit" : "free_unlit");
    }
}
