// Pictures through GDI+ (BMP, JPG, PNG) and printing: a view printed on the
// default printer without a dialog, and its print preview, both through
// the PDF printer of the tests (CUPS with cups-pdf, read back by poppler).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestApp.h"
#include "framework/Image.h"
#include "framework/PrintPreview.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WinTestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string UnixPath(std::string p)
{
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') p = p.substr(2);
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

// Starts a Unix program and waits for the file it writes last to appear.
bool RunUnix(const std::string& commandLine, const std::string& out)
{
    std::remove(out.c_str());
    std::string cmd = commandLine;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 600 && !fs::exists(out); ++i) Sleep(100);
    return fs::exists(out);
}

struct PdfPage {
    int pages = 0, width = 0, height = 0;
    double dark[4][4] = {};
    std::string text;
};

PdfPage ReadPdf(const std::string& pdf)
{
    PdfPage page;
    const std::string out = std::string(vektest::kPrintedPdfFolder) + "\\" + fs::path(pdf).stem().string() + ".txt";
    const std::string cmd = std::string("Z:\\usr\\bin\\python3 ") + PRINT_PEERS + " pdf \"" + UnixPath(pdf) + "\" \"" +
                            UnixPath(out) + "\"";
    EXPECT_TRUE(RunUnix(cmd, out)) << cmd;
    {
        std::ifstream f(out);
        std::string word;
        int row = 0;
        while (f >> word) {
            if (word == "pages") f >> page.pages;
            if (word == "size") f >> page.width >> page.height;
            if (word == "dark" && row < 4) {
                for (double& d : page.dark[row]) f >> d;
                ++row;
            }
            if (word == "text") std::getline(f, page.text);
        }
    }
    std::remove(out.c_str());
    std::remove(pdf.c_str());
    return page;
}

// Draws, on whatever page it is given, a black band over the second quarter
// of the page's height and the middle half of its width, and a line of text
// in the third quarter.
class PageView : public CView {
public:
    void OnDraw(CDC* dc) override
    {
        int w = dc->GetDeviceCaps(HORZRES), h = dc->GetDeviceCaps(VERTRES);
        if (!dc->IsPrinting()) {
            RECT r;
            GetClientRect(&r);
            w = r.right;
            h = r.bottom;
        }
        RECT band{w / 4 + w / 40, h / 4 + h / 40, 3 * w / 4 - w / 40, h / 2 - h / 40};
        dc->FillSolidRect(&band, RGB(0, 0, 0));
        CFont font;
        font.CreateFont(h / 40, 0, 0, 0, 400, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
        CFont* old = dc->SelectObject(&font);
        dc->TextOut(w / 4, 5 * h / 8, CString("梁柱节点 Vek"));
        dc->SelectObject(old);
        ++draws;
    }
    int draws = 0;
};

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            host.CreateEx(0, AfxRegisterWndClass(0), "host", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr));
        view = new PageView;
        ASSERT_TRUE(view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 1));
        static int serial = 0;
        title = "vekprint" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++serial);
        doc.SetTitle(title.c_str());
        doc.AddView(view);
    }
    void TearDown() override
    {
        if (CPrintPreview::Current()) CPrintPreview::Current()->Close();
        doc.RemoveView(view);
        view->m_pDocument = nullptr;
        host.DestroyWindow();
    }
    static void ExpectThePage(const PdfPage& page)
    {
        EXPECT_EQ(page.pages, 1);
        // A4 at 30 dots an inch.
        EXPECT_NEAR(page.width, 248, 2);
        EXPECT_NEAR(page.height, 351, 2);
        // The band covers 0.9 x 0.8 of these quarters.
        EXPECT_GT(page.dark[1][1], 0.6);
        EXPECT_GT(page.dark[1][2], 0.6);
        EXPECT_LT(page.dark[0][0], 0.01);
        EXPECT_LT(page.dark[3][3], 0.01);
        EXPECT_NE(page.text.find("梁柱节点"), std::string::npos) << page.text;
    }
    CWnd host;
    PageView* view = nullptr;
    CDocument doc;
    std::string title;
};

}  // namespace

TEST(Image, SavesAndLoadsBmpPngAndJpg)
{
    CImage image;
    ASSERT_TRUE(image.Create(64, 48, 24));
    HDC dc = image.GetDC();
    RECT all{0, 0, 64, 48}, red{8, 8, 32, 24};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH brush = CreateSolidBrush(RGB(200, 10, 20));
    FillRect(dc, &red, brush);
    DeleteObject(brush);
    image.ReleaseDC();
    vektest::TempDir dir("images");
    struct Case {
        const char* name;
        const char* magic;
        int tolerance;
    } cases[] = {{"a.bmp", "BM", 0}, {"a.png", "\x89PNG", 0}, {"a.jpg", "\xFF\xD8\xFF", 24}};
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        ASSERT_EQ(image.Save(path.c_str()), S_OK) << c.name;
        const vektest::Bytes bytes = vektest::ReadFileBytes(path);
        ASSERT_GT(bytes.size(), 8u);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + long(std::strlen(c.magic))), c.magic) << c.name;
        EXPECT_FALSE(fs::exists(path + ".~tmp"));
        CImage back;
        ASSERT_EQ(back.Load(path.c_str()), S_OK) << c.name;
        EXPECT_EQ(back.GetWidth(), 64);
        EXPECT_EQ(back.GetHeight(), 48);
        for (POINT p : {POINT{16, 16}, POINT{50, 40}}) {
            const COLORREF want = image.GetPixel(p.x, p.y), got = back.GetPixel(p.x, p.y);
            EXPECT_LE(std::abs(GetRValue(want) - GetRValue(got)), c.tolerance) << c.name;
            EXPECT_LE(std::abs(GetGValue(want) - GetGValue(got)), c.tolerance) << c.name;
            EXPECT_LE(std::abs(GetBValue(want) - GetBValue(got)), c.tolerance) << c.name;
        }
    }
}

TEST(Image, AFailedSaveLeavesTheOldFileAndBadFilesDoNotLoad)
{
    CImage image;
    ASSERT_TRUE(image.Create(8, 8, 32));
    vektest::TempDir dir("images");
    EXPECT_NE(image.Save(dir.File("no such folder\\a.png").c_str()), S_OK);
    // The target is a folder: nothing may take its place.
    const std::string folder = dir.File("taken.png");
    fs::create_directories(folder + "\\inside");
    EXPECT_NE(image.Save(folder.c_str()), S_OK);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(fs::exists(folder + ".~tmp"));
    const std::string junk = dir.File("junk.png");
    ASSERT_TRUE(vektest::WriteFileBytes(junk, "not a picture", 13));
    CImage back;
    EXPECT_NE(back.Load(junk.c_str()), S_OK);
    EXPECT_TRUE(back.IsNull());
    EXPECT_FALSE(CImage().Save(junk.c_str()) == S_OK);
    EXPECT_EQ(vektest::ReadFileBytes(junk).size(), 13u);
}

TEST_F(Printing, DirectPrintGoesToTheDefaultPrinterWithoutADialog)
{
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
    EXPECT_EQ(view->draws, 1);
    const std::string pdf = vektest::WaitForPrintedPdf(title);
    ASSERT_FALSE(pdf.empty()) << "no PDF for " << title << " in " << vektest::kPrintedPdfFolder;
    ExpectThePage(ReadPdf(pdf));
}

TEST_F(Printing, PreviewShowsThePrinterPageAndPrintsIt)
{
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    CPrintPreview* preview = CPrintPreview::Current();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(IsWindowVisible(preview->GetSafeHwnd()));
    // The printer's page: A4 at 300 dots an inch.
    EXPECT_EQ(preview->GetPageSize().cx, 2479);
    EXPECT_EQ(preview->GetPageSize().cy, 3508);
    ENHMETAHEADER header{};
    ASSERT_TRUE(GetEnhMetaFileHeader(preview->GetPage(), sizeof header, &header));
    EXPECT_GT(header.nRecords, 4u);

    // What the window shows: the band dark in the middle of a white page.
    CImage canvas;
    ASSERT_TRUE(canvas.Create(316, 416, 32));
    HDC mem = canvas.GetDC();
    const RECT area{0, 0, 316, 416};
    preview->DrawPage(mem, area);
    const RECT page = preview->PageRect(area);
    const int pw = page.right - page.left, ph = page.bottom - page.top;
    EXPECT_EQ(GetPixel(mem, page.left + pw / 2, page.top + 3 * ph / 8), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(mem, page.left + pw / 8, page.top + ph / 8), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mem, 2, 2), RGB(128, 128, 128));
    canvas.ReleaseDC();

    // Its print button prints on the default printer and closes the preview.
    const HWND wnd = preview->GetSafeHwnd();
    SendMessageA(wnd, WM_COMMAND, CPrintPreview::kPrintButton, 0);
    EXPECT_EQ(CPrintPreview::Current(), nullptr);
    EXPECT_FALSE(IsWindow(wnd));
    const std::string pdf = vektest::WaitForPrintedPdf(title);
    ASSERT_FALSE(pdf.empty()) << "no PDF for " << title;
    ExpectThePage(ReadPdf(pdf));

    // Closing without printing prints nothing.
    view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    ASSERT_NE(CPrintPreview::Current(), nullptr);
    SendMessageA(CPrintPreview::Current()->GetSafeHwnd(), WM_COMMAND, CPrintPreview::kCloseButton, 0);
    EXPECT_EQ(CPrintPreview::Current(), nullptr);
}
