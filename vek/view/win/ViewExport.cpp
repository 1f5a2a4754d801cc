// Picture export: the view's back buffer as a picture file or a clipboard
// bitmap, a fresh drawing as a metafile, the stored animation frames as an
// animated GIF.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/MyImage.h"
#include "analysis/MyImageGIF.h"
#include "framework/CommonDialogs.h"
#include "framework/Image.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ProjectOptions.h"
#include "vek/view/ViewProjection.h"
#include "vek/view/ViewSettings.h"
#include "vek/view/win/VekView.h"

namespace {

const char* const kExportDone = "图形输出完毕！";
const char* const kExportFailed = "图形文件没有写完(磁盘已满或无法写入)，原有文件保持不变!";
const char* const kClipboardFailed = "图形没有放到剪贴板上!";

struct ExportFile {
    UINT command;
    const char* ext;
    const char* name;
    const char* filter;
    CImage::FileType type;
};

const ExportFile kFiles[] = {
    {ID_EXPORT_BMP, "bmp", "图片1.bmp", "位图文件(*.bmp)|*.bmp||", CImage::kBmp},
    {ID_EXPORT_JPG, "jpg", "图片1.jpg", "jpg文件(*.jpg)|*.jpg||", CImage::kJpeg},
    {ID_EXPORT_PNG, "PNG", "图片1.PNG", "PNG文件(*.PNG)|*.PNG||", CImage::kPng},
    {ID_EXPORT_GIF, "GIF", "图片1.GIF", "GIF格式文件(*.GIF)|*.GIF||", CImage::kByExtension},
    {ID_EXPORT_GIF_ANIMATION, "gif", "动画1.gif", "GIF动画文件(*.gif)|*.gif||", CImage::kByExtension},
    {ID_EXPORT_WMF, "wmf", "图片1.wmf", "Window 图元文件(*.wmf)|*.wmf||", CImage::kByExtension},
    {ID_EXPORT_EMF, "emf", "图片1.emf", "Window 增强型图元文件(*.emf)|*.emf||", CImage::kByExtension},
};

const ExportFile* FileOf(UINT command)
{
    for (const ExportFile& f : kFiles)
        if (f.command == command) return &f;
    return nullptr;
}

// The save dialog of a command; false when it was cancelled.
bool AskPath(UINT command, CWnd* parent, CString& path)
{
    const ExportFile* f = FileOf(command);
    if (!f) return false;
    DWORD flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (command != ID_EXPORT_GIF) flags |= OFN_EXPLORER;
    CFileDialog dialog(FALSE, f->ext, f->name, flags, f->filter, parent);
    if (dialog.DoModal() != IDOK) return false;
    path = dialog.GetPathName();
    return !path.IsEmpty();
}

void Done()
{
    ViewShowPrompt(kExportDone);
}

int Failed(const char* text)
{
    AppMessageBox(text, MB_OK | MB_ICONERROR);
    return 0;
}

// A file written under a temporary name beside the target takes its place.
bool PutInPlace(const std::string& temp, const std::string& path)
{
    if (::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    ::DeleteFileA(temp.c_str());
    return false;
}

}  // namespace

int CVekView::SaveGifFile(const char* path)
{
    ViewShowPrompt("正在以GIF格式保存图形...");
    CMyImage image;
    if (!image.CreateFromHBITMAP(m_backBitmap)) return 0;
    if (!image.WriteGifFile(path, 1)) return 0;
    ViewShowPrompt("保存完毕！");
    return 1;
}

int CVekView::ExportBitmapFile(UINT command)
{
    CString path;
    if (!AskPath(command, this, path)) return 0;
    if (command == ID_EXPORT_GIF) {
        if (!SaveGifFile(path)) return Failed(kExportFailed);
        Done();
        return 1;
    }
    // The picture as the window shows it: the back buffer, not drawn again.
    ::GdiFlush();
    CImage image;
    image.Attach(m_backBitmap);
    const HRESULT hr = image.Save(path, FileOf(command)->type);
    image.Detach();
    if (FAILED(hr)) return Failed(kExportFailed);
    Done();
    return 1;
}

int CVekView::ExportClipboardBitmap()
{
    CMyImage image;
    if (!image.CreateFromHBITMAP(m_backBitmap) || !image.CopyToClipboard()) return Failed(kClipboardFailed);
    Done();
    return 1;
}

void CVekView::OnUpdateExportAnimatedGif(CCmdUI* ui)
{
    ui->Enable(theViewResultHooks.animationFrames && theViewResultHooks.animationFrames() > 0);
}

int CVekView::ExportAnimatedGif()
{
    const int n = theViewResultHooks.animationFrames ? theViewResultHooks.animationFrames() : 0;
    const char* base = theViewResultHooks.animationBaseName ? theViewResultHooks.animationBaseName() : nullptr;
    if (n <= 0 || !base) return 0;
    CString path;
    if (!AskPath(ID_EXPORT_GIF_ANIMATION, this, path)) return 0;
    CString temp;
    GetTempDir(temp);
    // There and back: 1, 2, .., n, n - 1, .., 2; a single frame once.
    std::vector<std::string> names;
    const int count = n == 1 ? 1 : 2 * n - 2;
    for (int i = 1; i <= count; ++i) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%s%s.%d", temp.GetString(), base, i <= n ? i : 2 * n - i);
        // A frame that is missing would leave a hole in the animation.
        if (::GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) return Failed(kExportFailed);
        names.push_back(name);
    }
    std::vector<const char*> list;
    for (const std::string& s : names) list.push_back(s.c_str());
    CMyImageGIF gif;
    gif.SetEncodeOption(2);
    gif.SetLoops(0);
    gif.SetFrameDelay(DWORD(theProjectOptions.nAnimationInterval / 10));
    if (!gif.WriteGifFile(path, list.data(), int(list.size()))) return Failed(kExportFailed);
    Done();
    return 1;
}

int CVekView::ExportMetafile(UINT command)
{
    const bool toFile = command == ID_EXPORT_WMF || command == ID_EXPORT_EMF;
    const bool enhanced = command == ID_EXPORT_EMF || command == ID_EXPORT_CLIP_EMF;
    CString path;
    if (toFile && !AskPath(command, this, path)) return 0;
    const std::string temp = toFile ? std::string(path.GetString()) + ".~tmp" : std::string();
    HDC meta = enhanced ? ::CreateEnhMetaFileA(nullptr, toFile ? temp.c_str() : nullptr, nullptr,
                                               toFile ? "EMFfile\0" : "EMF\0")
                        : ::CreateMetaFileA(toFile ? temp.c_str() : nullptr);
    if (!meta) return Failed(toFile ? kExportFailed : kClipboardFailed);
    HDC window = ::GetDC(m_hWnd);
    CDC dc;
    dc.Attach(meta);
    dc.m_hAttribDC = window;
    // The drawing cycle draws straight into the metafile through GDI.
    m_bExporting = 1;
    OnDraw(&dc);
    dc.m_hAttribDC = nullptr;
    dc.Detach();
    const RECT& s = theViewProjection.GetScreenRect();
    HENHMETAFILE emf = nullptr;
    HMETAFILE wmf = nullptr;
    HGLOBAL picture = nullptr;
    if (enhanced) {
        emf = ::CloseEnhMetaFile(meta);
    } else {
        wmf = ::CloseMetaFile(meta);
        picture = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(METAFILEPICT));
        if (picture && wmf) {
            auto* p = static_cast<METAFILEPICT*>(::GlobalLock(picture));
            p->mm = MM_TEXT;
            p->xExt = s.right - s.left;
            p->yExt = s.bottom - s.top;
            p->hMF = wmf;
            ::GlobalUnlock(picture);
        }
    }
    ::ReleaseDC(m_hWnd, window);

    int ok = enhanced ? emf != nullptr : (wmf != nullptr && picture != nullptr);
    if (!toFile) {
        bool given = false;
        if (ok && ::OpenClipboard(m_hWnd)) {
            ::EmptyClipboard();
            given = enhanced ? ::SetClipboardData(CF_ENHMETAFILE, emf) != nullptr
                             : ::SetClipboardData(CF_METAFILEPICT, picture) != nullptr;
            ::CloseClipboard();
        }
        if (!given) {
            // The clipboard did not take them: they are still ours.
            if (emf) ::DeleteEnhMetaFile(emf);
            if (wmf) ::DeleteMetaFile(wmf);
            if (picture) ::GlobalFree(picture);
            return Failed(kClipboardFailed);
        }
        Done();
        return 1;
    }
    if (emf) ::DeleteEnhMetaFile(emf);
    if (wmf) ::DeleteMetaFile(wmf);
    if (picture) ::GlobalFree(picture);
    if (!ok || !PutInPlace(temp, path.GetString())) {
        ::DeleteFileA(temp.c_str());
        return Failed(kExportFailed);
    }
    Done();
    return 1;
}
