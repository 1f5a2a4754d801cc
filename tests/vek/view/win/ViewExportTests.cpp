// Picture export: the back buffer as BMP, PNG, JPG and GIF files and as a
// clipboard bitmap; a fresh drawing as EMF and WMF files and as clipboard
// metafiles, played back by a second program of ours and by libwmf; the
// stored animation frames as an animated GIF read by gifsicle; failed writes
// reported, cancelled dialogs silent.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "analysis/MyImage.h"
#include "framework/CommonDialogs.h"
#include "framework/Image.h"
#include "tests/vek/view/Peers.h"
#include "tests/vek/view/win/ViewWindowFixture.h"
#include "vek/model/AppHelpers.h"

using namespace vektest;
namespace fs = std::filesystem;

namespace {

// What the save dialog was asked and what it answers.
struct DialogScript {
    std::string answer;  // empty: cancel
    std::string defExt, fileName;
    DWORD flags = 0;
    int shown = 0;
};
DialogScript script;

INT_PTR ScriptedDialog(CFileDialog* d)
{
    ++script.shown;
    script.defExt = d->m_ofn.lpstrDefExt ? d->m_ofn.lpstrDefExt : "";
    script.fileName = d->m_ofn.lpstrFile;
    script.flags = d->m_ofn.Flags;
    if (script.answer.empty()) return IDCANCEL;
    std::strncpy(d->m_ofn.lpstrFile, script.answer.c_str(), d->m_ofn.nMaxFile - 1);
    return IDOK;
}

// Runs view_peer.exe (beside this program) and waits for it.
int RunPeerProgram(const std::string& args)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string cmd = "\"" + (fs::path(self).parent_path() / "view_peer.exe").string() + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return int(code);
}

class ViewExport : public ViewWindow {
protected:
    void SetUp() override
    {
        ViewWindow::SetUp();
        script = DialogScript();
        CFileDialog::SetTestHook(ScriptedDialog);
        prompts().clear();
        theViewHooks.showPrompt = [](const char* t) { prompts().push_back(t); };
        folder = PeerFolder() / ("vekexport" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        CFileDialog::SetTestHook(nullptr);
        std::error_code ec;
        fs::remove_all(folder, ec);
        ViewWindow::TearDown();
    }
    static std::vector<std::string>& prompts()
    {
        static std::vector<std::string> p;
        return p;
    }
    std::string Path(const std::string& name) const { return (folder / name).string(); }
    bool Finished() const { return !prompts().empty() && prompts().back() == "图形输出完毕！"; }
    // Pixels of the picture that differ from the back buffer.
    int DiffersFromBackBuffer(HDC picture, int tolerance = 0) const
    {
        int differ = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                const COLORREF a = GetPixel(view->GetMemDC(), x, y), b = GetPixel(picture, x, y);
                const int d = std::abs(int(GetRValue(a)) - GetRValue(b)) + std::abs(int(GetGValue(a)) - GetGValue(b)) +
                              std::abs(int(GetBValue(a)) - GetBValue(b));
                differ += d > tolerance;
            }
        return differ;
    }
    int DiffersFromBackBuffer(const std::string& file, int tolerance = 0) const
    {
        CImage image;
        if (FAILED(image.Load(file.c_str()))) return -1;
        if (image.GetWidth() != m_width || image.GetHeight() != m_height) return -2;
        const int d = DiffersFromBackBuffer(image.GetDC(), tolerance);
        image.ReleaseDC();
        return d;
    }
    // Exports an enhanced metafile to `name` and has the second program play
    // it back into `played`.
    void ExportAndPlay(const std::string& name, const std::string& played)
    {
        script.answer = Path(name);
        prompts().clear();
        view->SendMessage(WM_COMMAND, ID_EXPORT_EMF, 0);
        ASSERT_TRUE(Finished());
        ASSERT_EQ(RunPeerProgram("emf \"" + Path(name) + "\" " + Size() + " \"" + played + "\""), 0);
    }
    std::string Size() const { return std::to_string(m_width) + " " + std::to_string(m_height); }
    fs::path folder;
};

}  // namespace

TEST_F(ViewExport, BitmapFilesHoldTheWindowsPictureWithoutARedraw)
{
    struct Case {
        UINT command;
        const char* file;
        const char* ext;
        const char* name;
        int tolerance;  // JPEG keeps colours only roughly
    };
    const Case cases[] = {{ID_EXPORT_BMP, "a.bmp", "bmp", "图片1.bmp", 0},
                          {ID_EXPORT_PNG, "a.PNG", "PNG", "图片1.PNG", 0},
                          {ID_EXPORT_JPG, "a.jpg", "jpg", "图片1.jpg", 120},
                          {ID_EXPORT_GIF, "a.GIF", "GIF", "图片1.GIF", 0}};
    const long long walks = ModelDrawCount();
    for (const Case& c : cases) {
        script = DialogScript();
        script.answer = Path(c.file);
        prompts().clear();
        view->SendMessage(WM_COMMAND, c.command, 0);
        EXPECT_EQ(script.defExt, c.ext);
        EXPECT_EQ(script.fileName, c.name);
        EXPECT_TRUE(script.flags & OFN_OVERWRITEPROMPT);
        EXPECT_TRUE(Finished()) << c.file;
        const int differ = DiffersFromBackBuffer(Path(c.file), c.tolerance);
        EXPECT_GE(differ, 0) << c.file;
        EXPECT_LE(differ, c.tolerance ? m_width * m_height / 100 : 0) << c.file;
    }
    EXPECT_EQ(ModelDrawCount(), walks);
}

TEST_F(ViewExport, AFailedWriteIsReportedAndACancelIsSilent)
{
    const std::string missing = Path("no such folder\\a.bmp");
    for (UINT command : {ID_EXPORT_BMP, ID_EXPORT_PNG, ID_EXPORT_GIF, ID_EXPORT_EMF, ID_EXPORT_WMF}) {
        AppHelperLog boxes;
        prompts().clear();
        script.answer = missing;
        view->SendMessage(WM_COMMAND, command, 0);
        ASSERT_EQ(boxes.Messages().size(), 1u) << command;
        EXPECT_EQ(boxes.Messages()[0].text, "图形文件没有写完(磁盘已满或无法写入)，原有文件保持不变!");
        EXPECT_FALSE(Finished()) << command;
    }
    // What the name stands for now stays as it was (here a folder that
    // cannot be replaced by the file).
    const std::string kept = Path("kept.emf");
    fs::create_directories(kept);
    {
        std::ofstream(kept + "\\inside.txt") << "old";
    }
    script.answer = kept;
    AppHelperLog boxes;
    view->SendMessage(WM_COMMAND, ID_EXPORT_EMF, 0);
    EXPECT_EQ(boxes.Messages().size(), 1u);
    EXPECT_TRUE(fs::is_directory(kept));
    EXPECT_EQ(fs::file_size(kept + "\\inside.txt"), 3u);
    EXPECT_FALSE(fs::exists(kept + ".~tmp"));

    AppHelperLog silent;
    prompts().clear();
    script.answer.clear();
    for (UINT command : {ID_EXPORT_BMP, ID_EXPORT_EMF, ID_EXPORT_GIF_ANIMATION})
        view->SendMessage(WM_COMMAND, command, 0);
    EXPECT_TRUE(silent.Messages().empty());
    EXPECT_TRUE(prompts().empty());
}

TEST_F(ViewExport, EnhancedMetafilePlayedBackByAnotherProgramMatchesThePicture)
{
    // In the window's own colours (not the black set for metafiles).
    theDisplayColors.m_emfBlack = 0;
    const std::string played = Path("emf.bmp");
    ExportAndPlay("a.emf", played);
    const int differ = DiffersFromBackBuffer(played);
    EXPECT_GE(differ, 0);
    EXPECT_LE(differ * 200, m_width * m_height) << differ << " pixels differ";
    if (HasFailure()) {
        CopyFileA(played.c_str(), (std::string(VEK_ARTIFACTS) + "/view_emf_played.bmp").c_str(), FALSE);
        CImage back;
        back.Attach(view->GetBackBitmap());
        back.Save((std::string(VEK_ARTIFACTS) + "/view_emf_back.png").c_str(), CImage::kPng);
        back.Detach();
    }

    // The enhanced metafile, the metafile picture and the bitmap on the clipboard.
    struct Case {
        UINT command;
        const char* kind;
    };
    for (const Case& c :
         {Case{ID_EXPORT_CLIP_EMF, "emf"}, Case{ID_EXPORT_CLIP_METAFILE, "wmf"}, Case{ID_EXPORT_CLIP_BITMAP, "dib"}}) {
        prompts().clear();
        view->SendMessage(WM_COMMAND, c.command, 0);
        ASSERT_TRUE(Finished()) << c.kind;
        const std::string out = Path(std::string("clip_") + c.kind + ".bmp");
        ASSERT_EQ(RunPeerProgram(std::string("clipboard ") + c.kind + " " + Size() + " \"" + out + "\""), 0) << c.kind;
        const int d = DiffersFromBackBuffer(out);
        if (d * 200 > m_width * m_height)
            CopyFileA(std::string(out).c_str(), (std::string(VEK_ARTIFACTS) + "/view_clip_" + c.kind + ".bmp").c_str(),
                      FALSE);
        EXPECT_GE(d, 0) << c.kind;
        EXPECT_LE(d * 200, m_width * m_height) << c.kind << ": " << d << " pixels differ";
    }
}

TEST_F(ViewExport, MetafilesInBlackWhenTheSettingsAskForIt)
{
    theDisplayColors.m_emfBlack = 1;
    const std::string played = Path("b.bmp");
    ExportAndPlay("b.emf", played);
    CImage image;
    ASSERT_TRUE(SUCCEEDED(image.Load(played.c_str())));
    int x, y;
    const double corner[3] = {2, 2, 0}, empty[3] = {5, 7.5, 0};
    theViewProjection.WorldToScreenInt(corner, x, y);
    EXPECT_EQ(image.GetPixel(x, y), RGB(0, 0, 0)) << "a grid crossing";
    theViewProjection.WorldToScreenInt(empty, x, y);
    EXPECT_EQ(image.GetPixel(x, y), RGB(255, 255, 255)) << "the background";
    // The window keeps its own colours.
    EXPECT_EQ(theDisplayColors.m_back, 0u);
    EXPECT_EQ(BackAt(5, 7.5), RGB(0, 0, 0));
}

TEST_F(ViewExport, WindowsMetafileIsReadByLibwmf)
{
    script.answer = Path("a.wmf");
    view->SendMessage(WM_COMMAND, ID_EXPORT_WMF, 0);
    ASSERT_TRUE(Finished());
    const std::string out = Path("a.wmf.txt");
    ASSERT_TRUE(RunPeers("wmf " + PeerArg(Path("a.wmf")) + " " + PeerArg(out), out));
    auto answer = ReadPeerAnswer(out);
    EXPECT_EQ(answer["status"], "0;");
    // The grid's four lines and the three nodes.
    EXPECT_EQ(answer["lines"], "4;");
    EXPECT_EQ(answer["ellipses"], "3;");
    if (HasFailure())
        CopyFileA(std::string(Path("a.wmf")).c_str(), (std::string(VEK_ARTIFACTS) + "/view_export.wmf").c_str(), FALSE);
}

TEST_F(ViewExport, AnimatedGifSwingsThereAndBack)
{
    CString temp;
    GetTempDir(temp);
    static std::string base;
    base = "~ani_tmp" + std::to_string(GetCurrentProcessId() % 999);
    static int frames = 0;
    theViewResultHooks.animationFrames = [] { return frames; };
    theViewResultHooks.animationBaseName = [] { return base.c_str(); };
    const COLORREF colours[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        CMyImage frame(16, 8, 24);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) frame.SetPixelColor(x, y, colours[i]);
        const std::string name = std::string(temp.GetString()) + base + "." + std::to_string(i + 1);
        ASSERT_TRUE(frame.WriteGifFile(name.c_str(), 1));
    }
    theProjectOptions.nAnimationInterval = 250;
    struct Case {
        int n;
        std::string order;  // first pixel of each frame
    };
    const Case cases[] = {
        {3, "0 255,0,0;1 0,255,0;2 0,0,255;3 0,255,0;"}, {2, "0 255,0,0;1 0,255,0;"}, {1, "0 255,0,0;"}};
    for (const Case& c : cases) {
        frames = c.n;
        const std::string gif = Path("anim" + std::to_string(c.n) + ".gif");
        script.answer = gif;
        prompts().clear();
        view->SendMessage(WM_COMMAND, ID_EXPORT_GIF_ANIMATION, 0);
        EXPECT_EQ(script.defExt, "gif");
        EXPECT_EQ(script.fileName, "动画1.gif");
        ASSERT_TRUE(Finished()) << c.n;
        const std::string out = gif + ".txt";
        ASSERT_TRUE(RunPeers("gifinfo " + PeerArg(gif) + " " + PeerArg(out), out));
        auto answer = ReadPeerAnswer(out);
        EXPECT_EQ(answer["images"], std::to_string(std::count(c.order.begin(), c.order.end(), ';')) + ";");
        EXPECT_EQ(answer["loop"], "forever;") << c.n;
        EXPECT_EQ(answer["delay"].substr(0, 3), "25;") << c.n;
        EXPECT_EQ(answer["frame"], c.order) << c.n;
    }
    for (int i = 1; i <= 3; ++i) std::remove((std::string(temp.GetString()) + base + "." + std::to_string(i)).c_str());
    // Without stored frames the command is disabled.
    struct State : CCmdUI {
        int enabled = -1;
        void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    };
    for (int n : {0, 2}) {
        frames = n;
        State ui;
        ui.m_nID = ID_EXPORT_GIF_ANIMATION;
        ui.DoUpdate(view, FALSE);
        EXPECT_EQ(ui.enabled, n > 0 ? 1 : 0);
    }
}
