// Printing the model view on the tests' PDF printer (CUPS with cups-pdf,
// A4 at 300 dots an inch), read back through pdftoppm: a plan drawn straight
// onto the page through GDI, in black when the colours ask for it; the 3-D
// view drawn by OpenGL into a bitmap stretched over the page's middle 80 %;
// the print preview showing the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "framework/Image.h"
#include "framework/PrintPreview.h"
#include "tests/vek/view/Peers.h"
#include "tests/vek/view/win/ViewWindowFixture.h"
#include "vek/view/draw/DrawLayer.h"
#include "vek/view/win/ViewCommands.h"

using namespace vektest;
namespace fs = std::filesystem;

namespace {

// What the first page shows: the box of what is not white (fractions of the
// page), and the counts of dark and of coloured pixels at 30 dots an inch.
struct PrintedPage {
    int width = 0, height = 0;
    double box[4] = {};
    int dark = 0, coloured = 0;
};

PrintedPage ReadPrintedPage(const std::string& pdf)
{
    PrintedPage page;
    const std::string out = pdf + ".box";
    EXPECT_TRUE(RunPeers("pdfbox " + PeerArg(pdf) + " " + PeerArg(out), out));
    std::ifstream f(out);
    std::string word;
    while (f >> word) {
        if (word == "size") f >> page.width >> page.height;
        if (word == "box") f >> page.box[0] >> page.box[1] >> page.box[2] >> page.box[3];
        if (word == "dark") f >> page.dark;
        if (word == "coloured") f >> page.coloured;
    }
    f.close();
    std::remove(out.c_str());
    std::remove(pdf.c_str());
    return page;
}

// A filled face rising across the model's box.
void DrawSlantedFace(const CDrawPassInfo&)
{
    const double q[4][3] = {{2, 2, 0}, {8, 2, 0}, {8, 6, 3}, {2, 6, 3}};
    DrawPolygonFace(q, 1, RGB(0, 0, 0), 1, RGB(200, 40, 40), -1, 1, nullptr);
}

class ViewPrint : public ViewWindow {
protected:
    void SetUp() override
    {
        ViewWindow::SetUp();
        NewTitle();
        doc.AddView(view);
        savedBlack = theDisplayColors.m_printBlack;
    }
    void TearDown() override
    {
        if (CPrintPreview::Current()) CPrintPreview::Current()->Close();
        theDisplayColors.m_printBlack = savedBlack;
        doc.RemoveView(view);
        view->m_pDocument = nullptr;
        ViewWindow::TearDown();
    }
    // Each job its own title: Wine reuses process numbers, the clock tells runs apart,
    // and the letter ends the number so that no title begins another.
    void NewTitle()
    {
        static int serial = 0;
        title = "vekviewprint" + std::to_string(GetCurrentProcessId()) + "t" + std::to_string(GetTickCount()) + "n" +
                std::to_string(++serial) + "e";
        doc.SetTitle(title.c_str());
    }
    PrintedPage PrintDirect()
    {
        view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
        const std::string pdf = vektest::WaitForPrintedPdf(title);
        EXPECT_FALSE(pdf.empty()) << "no PDF for " << title << " in " << vektest::kPrintedPdfFolder;
        if (pdf.empty()) return {};
        return ReadPrintedPage(fs::path(pdf).string());
    }
    // After a print the window's picture is drawn again at the window's size.
    void ExpectTheWindowsPictureBack()
    {
        EXPECT_TRUE(view->IsRebuildPending());
        Paint();
        const RECT& s = theViewProjection.GetScreenRect();
        EXPECT_EQ(s.right, m_width);
        EXPECT_EQ(s.bottom, m_height);
        EXPECT_EQ(BackAt(5, 4), theDisplayColors.m_ele[0]) << "the node in its own colour again";
    }
    CDocument doc;
    std::string title;
    int32_t savedBlack = 0;
};

}  // namespace

TEST_F(ViewPrint, APlanGoesStraightOntoThePageInBlackWhenAskedFor)
{
    theDisplayOptions.Switch(4) = 1;  // bubbles and spacings
    for (int32_t black : {1, 0}) {
        theDisplayColors.m_printBlack = black;
        const PrintedPage page = PrintDirect();
        // A4 at 30 dots an inch.
        EXPECT_NEAR(page.width, 248, 2);
        EXPECT_NEAR(page.height, 351, 2);
        // The grid and its bubbles fill the page's width about its middle.
        EXPECT_NEAR((page.box[0] + page.box[2]) / 2, 0.5, 0.05) << black;
        EXPECT_GT(page.box[2] - page.box[0], 0.6) << black;
        if (black) {
            // Only the nodes keep their colour.
            EXPECT_GT(page.dark, 100);
            EXPECT_LT(page.coloured * 10, page.dark);
        } else {
            EXPECT_GT(page.coloured, 100);
        }
        ExpectTheWindowsPictureBack();
        NewTitle();
    }
}

TEST_F(ViewPrint, TheFreeViewIsABitmapOverTheMiddleOfThePage)
{
    theDisplayColors.m_printBlack = 0;
    theDisplayOptions.Switch(23) = 1;
    SetDrawStep(EDrawStep::Solids, CDrawStepSlot{nullptr, DrawSlantedFace});
    theProjectOptions.SetOption(CProjectOptions::kLighting, false);
    theProjectOptions.bHiddenSurface = 1;
    theViewProjection.SetMode(CViewProjection::kFree3D, 0, 0, 0);
    theViewProjection.ZoomExtents(0, 1, 1);
    Show();
    const PrintedPage page = PrintDirect();
    SetDrawStep(EDrawStep::Solids, CDrawStepSlot{});
    EXPECT_GT(page.coloured, 500) << "the filled face in colour";
    // The bitmap stands on the middle 80 % of the page, its white margin unseen.
    EXPECT_GE(page.box[0], 0.09);
    EXPECT_GE(page.box[1], 0.09);
    EXPECT_LE(page.box[2], 0.91);
    EXPECT_LE(page.box[3], 0.91);
    EXPECT_GT(page.box[2] - page.box[0], 0.3);
    EXPECT_EQ(theProjectOptions.bHiddenSurface, 1) << "the OpenGL switch as it was";
    EXPECT_TRUE(view->IsRebuildPending());
}

TEST_F(ViewPrint, ThePreviewShowsThePlanOnItsPage)
{
    theDisplayColors.m_printBlack = 1;
    theDisplayOptions.Switch(4) = 1;
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    CPrintPreview* preview = CPrintPreview::Current();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageSize().cx, 2479);
    EXPECT_EQ(preview->GetPageSize().cy, 3508);

    CImage canvas;
    ASSERT_TRUE(canvas.Create(316, 416, 32));
    HDC mem = canvas.GetDC();
    const RECT area{0, 0, 316, 416};
    preview->DrawPage(mem, area);
    const RECT page = preview->PageRect(area);
    int dark = 0, coloured = 0;
    for (int y = page.top; y < page.bottom; ++y)
        for (int x = page.left; x < page.right; ++x) {
            const COLORREF c = GetPixel(mem, x, y);
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (r + g + b < 384) ++dark;
            if (std::max({r, g, b}) - std::min({r, g, b}) > 60) ++coloured;
        }
    canvas.ReleaseDC();
    EXPECT_GT(dark, 20) << "the grid on the page";
    EXPECT_LT(coloured * 5, dark) << "in black but the nodes, as printing asks";
    SendMessageA(preview->GetSafeHwnd(), WM_COMMAND, CPrintPreview::kCloseButton, 0);
    EXPECT_EQ(CPrintPreview::Current(), nullptr);
    ExpectTheWindowsPictureBack();
}
