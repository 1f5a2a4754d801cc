// The drawing layer on real GDI and OpenGL bitmaps, and the colours in a
// real profile file that Python's configparser reads back.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <fstream>
#include <map>

#include "analysis/AppProfile.h"
#include "framework/Image.h"
#include "tests/vek/view/Peers.h"
#include "tests/vek/view/ViewFixture.h"
#include "vek/model/Profile.h"
#include "vek/view/win/GdiDrawDC.h"
#include "vek/view/win/GlBitmap.h"
#include "vek/view/win/WinGl.h"

using namespace vektest;

namespace {

class ProfileApp : public CWinApp {};
ProfileApp theApp;

// A white 200 x 100 picture in memory (a DIB section) on a memory DC.
class DibCanvas {
public:
    DibCanvas()
    {
        image.Create(200, 100, 32);
        dc = image.GetDC();
        RECT r{0, 0, 200, 100};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~DibCanvas() { image.ReleaseDC(); }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
    std::vector<uint32_t> Snapshot() const
    {
        std::vector<uint32_t> all;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x) all.push_back(GetPixel(dc, x, y));
        return all;
    }
    CImage image;
    HDC dc = nullptr;
};

class ViewWin : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        PlanOfTenByTen();
    }
};

}  // namespace

TEST_F(ViewWin, GdiLinesLandOnTheProjectedPixelsAndXorUndoesItself)
{
    theProjectOptions.bHiddenSurface = 0;
    DibCanvas canvas;
    CGdiDrawDC dc(canvas.dc);
    BeginExternalDraw(&dc);
    const double a[3] = {1, 5, 0}, b[3] = {9, 5, 0};
    DrawLine3D(a, b, RGB(255, 0, 0), 1);
    int x, y;
    const double mid[3] = {5, 5, 0};
    theViewProjection.WorldToScreenInt(mid, x, y);
    EXPECT_EQ(canvas.Pixel(x, y), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(x, y - 3), RGB(255, 255, 255));
    // The layer's pen is the DC's current pen: a second line makes none.
    HGDIOBJ pen = GetCurrentObject(canvas.dc, OBJ_PEN);
    DrawLine3D(b, a, RGB(255, 0, 0), 1);
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), pen);

    const std::vector<uint32_t> before = canvas.Snapshot();
    const double p[3] = {2, 2, 0}, q[3] = {8, 8, 0};
    DrawXorDragArrow(p, q, RGB(0, 0, 255));
    EXPECT_NE(canvas.Snapshot(), before);
    DrawXorDragArrow(p, q, RGB(0, 0, 255));
    EXPECT_EQ(canvas.Snapshot(), before);

    const double t[3] = {2, 8, 0};
    DrawText3D(t, "梁柱", RGB(0, 128, 0), 0, 0, nullptr);
    EndExternalDraw();
    // The DC has its own pen back and the layer's objects are gone.
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetObjectType(pen), 0u);
    // The text's pixels below and right of its point.
    theViewProjection.WorldToScreenInt(t, x, y);
    int inked = 0;
    for (int j = y; j < y + 16 && j < 100; ++j)
        for (int i = x; i < x + 40 && i < 200; ++i) inked += canvas.Pixel(i, j) != RGB(255, 255, 255);
    EXPECT_GT(inked, 10);
}

TEST_F(ViewWin, OpenGLLinesInADibSectionAreTheRightWayUp)
{
    CGlBitmap picture;
    ASSERT_TRUE(picture.Create(200, 100));
    SetGlApi(&WinGlApi());
    theProjectOptions.bHiddenSurface = 1;
    theViewProjection.SetupGL();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    CGdiDrawDC dc(picture.Dc());
    BeginExternalDraw(&dc);
    // Near the top of the model: near the top of the picture.
    const double a[3] = {1, 9, 0}, b[3] = {9, 9, 0};
    for (int i = 0; i < 3; ++i) DrawLine3D(a, b, RGB(255, 0, 0), 1);
    EndExternalDraw();
    glFinish();
    int x, y;
    const double mid[3] = {5, 9, 0};
    theViewProjection.WorldToScreenInt(mid, x, y);
    int hit = -1;
    for (int dy = -1; dy <= 1 && hit < 0; ++dy)
        if (picture.Pixel(x, y + dy) == RGB(255, 0, 0)) hit = y + dy;
    EXPECT_GE(hit, 0) << "expected the line at row " << y;
    EXPECT_EQ(picture.Pixel(x, 100 - y), RGB(255, 255, 255));
}

TEST_F(ViewWin, ColoursInTheProfileFileReadBackByConfigparser)
{
    TempFile ini("colors", ".ini", PeerFolder());
    std::free(const_cast<char*>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _strdup(ini.c_str());
    CAppProfile profile(&theApp);
    CRunProfile* previous = SetAppProfile(&profile);
    CDisplayColors colours;
    colours.m_ele[2] = 0xABCDEF;
    colours.m_lineWidth[0] = 3;
    colours.WriteProfile();

    CDisplayColors back;
    back.ReadProfile();
    EXPECT_EQ(back.m_ele[2], 0xABCDEFu);
    EXPECT_EQ(back.m_lineWidth[0], 3);
    SetAppProfile(previous);

    const std::string out = ini.path() + ".out";
    ASSERT_TRUE(RunPeers("ini " + PeerArg(ini.path()) + " COLOR " + PeerArg(out), out));
    std::map<std::string, std::string> read;
    {
        std::ifstream f(out);
        std::string line;
        while (std::getline(f, line)) {
            const size_t eq = line.find('=');
            if (eq != std::string::npos) read[line.substr(0, eq)] = line.substr(eq + 1);
        }
    }
    std::remove(out.c_str());
    EXPECT_EQ(read.size(), 19u);  // three switches, eight colours, seven lists, the widths
    EXPECT_EQ(read["BACK"], "0");
    EXPECT_EQ(read["SELECT"], "255");
    EXPECT_EQ(read["PRINTBLACK"], "1");
    EXPECT_EQ(read["ELE"].substr(0, 27), "0xffff80,0xffff,0xabcdef,0x");
    EXPECT_EQ(read["LINEWIDTH"], "3,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(read["AXIS"], "0x80c8ff,0xffffff");
}
