#include "vek/model/project/ProjectFile.h"

#include <cstdio>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#endif

#include "framework/File.h"
#include "korvalib/base/biostream.h"
#include "vek/model/AppHelpers.h"
#include "vek/model/ModelFamily.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectGlobals.h"
#include "vek/model/ProjectOptions.h"
#include "vek/model/display/DisplayOptions.h"
#include "vek/model/document/DocumentHooks.h"
#include "vek/model/document/ModelReset.h"
#include "vek/model/project/ProjectBlocks.h"
#include "vek/model/storeys/StoreyLists.h"

uint8_t bTesmarProject = 0;

namespace {

constexpr int kAcceptedVersions[] = {330, 340, 350, 360, 370, 371, 372, 400, 460, 470, 480, 490, 500,
                                     520, 600, 610, 650, 660, 670, 671, 680, 685, 690, 700, 705, 706};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// ---- legacy rows of older files, passed over --------------------------------------

// Versions up to 400: an optional marker "FORCE.TMP" and the text after it up
// to and including a '~', and one byte more.
bool SkipLegacyMarker(bifstream& in)
{
    const int64_t at = in.TellPos64();
    char head[10] = {};
    if (in.CheckAvailable(10)) in.Read(head, 10);
    if (!in.IsGood() || std::memcmp(head, "FORCE.TMP", 10) != 0) {
        in.ClearError();
        return in.Seek64(at, 0) != 0;
    }
    for (;;) {
        char c = 0;
        in >> c;
        if (!in.IsGood()) return false;
        if (c == '~') break;
    }
    return SkipBytes(in, 1);
}

// Files of this program of versions 611 to 699: n lists of m 24-byte records.
bool SkipLegacyList(bifstream& in)
{
    int32_t n = 0;
    in >> n;
    if (!in.IsGood() || n < 0 || !in.CheckAvailable(int64_t(n) * 4)) return false;
    for (int32_t i = 0; i < n; ++i) {
        int32_t m = 0;
        in >> m;
        if (!in.IsGood() || m < 0 || !SkipBytes(in, int64_t(m) * 24)) return false;
    }
    return true;
}

// ---- reading the blocks ------------------------------------------------------------

struct CLoadResult {
    EBlockRead status = EBlockRead::kRead;
    const char* content = nullptr;  // the block at fault
};

// The legacy eigen settings that precede block 15 in files before 700.
EBlockRead ReadLegacyEigenCounts(bifstream& in)
{
    if (theLegacyEigenCountsOwner.read) {
        const int r = theLegacyEigenCountsOwner.read(in);
        if (!in.IsGood()) return EBlockRead::kDamaged;
        return r ? EBlockRead::kRead : EBlockRead::kRefused;
    }
    CBlockForm f;
    LegacyEigenCountsForm(f);
    switch (f.Match(in)) {
        case CBlockForm::kMatches: return EBlockRead::kRead;
        case CBlockForm::kHoldsData: return EBlockRead::kHoldsData;
        default: return EBlockRead::kDamaged;
    }
}

// Reads the blocks after the header, the file's version in force.
CLoadResult ReadBlocks(bifstream& in, bool tesmar)
{
    const int v = nPrjVersion;
    CLoadResult result;
    auto fail = [&](EBlockRead status, int block) {
        result.status = status;
        result.content = ProjectBlock(block).content;
        return result;
    };
    auto skip = [&](int64_t n) { return SkipBytes(in, n); };
    auto block = [&](int n) {
        const CProjectBlock& b = ProjectBlock(n);
        if (!b.inFile(v, tesmar)) return EBlockRead::kRead;
        // Axis grids are counted in the project options; without their owner
        // a file with grids holds data this build cannot keep.
        if (n == 17 && !b.owner.IsBound() && theProjectOptions.nAxisGridCount != 0) return EBlockRead::kHoldsData;
        return ReadProjectBlock(b, in, tesmar);
    };

    if (v >= 351 && v <= 599 && !skip(4)) return fail(EBlockRead::kDamaged, 1);
    for (int n = 1; n <= 33; ++n) {
        // Rows of older files around the blocks.
        if (n == 2 && v < 600 && !skip(v < 400 ? 44 : 20)) return fail(EBlockRead::kDamaged, 1);
        if (n == 15 && v < 700) {
            const EBlockRead r = ReadLegacyEigenCounts(in);
            if (r != EBlockRead::kRead) return fail(r, 24);
        }
        if (n == 19 && v <= 400 && !SkipLegacyMarker(in)) return fail(EBlockRead::kDamaged, 18);
        if (n == 21) {
            if (v >= 372 && v < 520 && !skip(400)) return fail(EBlockRead::kDamaged, 20);
            if (v >= 372 && v < 600 && !skip(4)) return fail(EBlockRead::kDamaged, 20);
        }
        if (n == 24 && v >= 480 && v <= 699 && !skip(6)) return fail(EBlockRead::kDamaged, 23);
        if (n == 28 && !tesmar && v >= 611 && v <= 699 && !SkipLegacyList(in)) return fail(EBlockRead::kDamaged, 27);

        const EBlockRead r = block(n);
        if (r != EBlockRead::kRead) return fail(r, n);
        if (!in.IsGood()) return fail(EBlockRead::kDamaged, n);

        if (n == 14 && tesmar) {
            // Plan-input files: no solids shown, every plane element shown.
            theDisplayRange.ranges[4] = {1, 0, 1};
            theDisplayRange.ranges[5] = {1, ModelFamily(EFamily::Planes).GetLastID(), 1};
        }
        if (n == 15 && v < 700 && !skip(4)) return fail(EBlockRead::kDamaged, 15);
    }
    return result;
}

void ShowLoadFailure(const CLoadResult& r, const char* path)
{
    CString text;
    switch (r.status) {
        case EBlockRead::kHoldsData:
            text.Format("此版本的VEK还不能读取项目文件中的%s数据, 文件%s没有装载!", r.content, path);
            AppMessageBox(text, MB_OK | MB_ICONSTOP);
            break;
        case EBlockRead::kDamaged:
            text.Format("项目文件%s已损坏或不完整(%s部分), 无法装载!", path, r.content);
            AppMessageBox(text, MB_OK | MB_ICONSTOP);
            break;
        default: break;  // the block's owner said why
    }
}

}  // namespace

namespace {

// A scratch file without a name, gone when closed.
FILE* OpenScratch()
{
#if defined(_WIN32)
    CString dir;
    if (GetTempDir(dir) <= 0) return nullptr;
    static int serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "~vekimage_%ld_%d.tmp", long(_getpid()), ++serial);
        const std::string path = std::string(dir.GetString()) + name;
        const int fd = _open(path.c_str(), _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_SHORT_LIVED,
                             _S_IREAD | _S_IWRITE);
        if (fd < 0) continue;
        FILE* f = _fdopen(fd, "w+b");
        if (!f) _close(fd);
        return f;
    }
    return nullptr;
#else
    return std::tmpfile();
#endif
}

}  // namespace

CModelImage::CModelImage()
{
    m_file = OpenScratch();
    if (!m_file) return;
    const int16_t version = nPrjVersion;
    nPrjVersion = kProjectVersion;
    bofstream out;
    out.Attach(m_file);
    const bool written = WriteProjectStream(out) && out.Flush() == 0 && out.IsGood();
    out.Detach();
    m_saved = written && std::fflush(m_file) == 0;
    nPrjVersion = version;
}

CModelImage::~CModelImage()
{
    if (m_file) std::fclose(m_file);
}

bool CModelImage::Restore() const
{
    ClearModelData();
    if (!m_saved || std::fseek(m_file, 0, SEEK_SET) != 0) return false;
    bifstream in;
    in.Attach(m_file);
    char head[9];
    int16_t stream = 0;
    in.Read(head, 9);
    in >> stream;
    const int16_t version = nPrjVersion;
    const uint8_t tesmar = bTesmarProject;
    nPrjVersion = kProjectVersion;
    nVersion = stream;
    const bool ok = ReadBlocks(in, false).status == EBlockRead::kRead;
    in.Detach();
    nPrjVersion = version;
    bTesmarProject = tesmar;
    return ok;
}

int ParseProjectVersion(const char text[3])
{
    if (IsDigit(text[0]) && IsDigit(text[1]) && IsDigit(text[2]))
        return (text[0] - '0') * 100 + (text[1] - '0') * 10 + (text[2] - '0');
    if (IsDigit(text[0]) && text[1] == '.' && IsDigit(text[2])) return (text[0] - '0') * 100 + (text[2] - '0') * 10;
    return -1;
}

bool IsAcceptedProjectVersion(int v)
{
    for (int a : kAcceptedVersions)
        if (a == v) return true;
    return false;
}

int CheckProjectHeader(bifstream& in)
{
    char magic[6] = {};
    in.Read(magic, 6);
    uint8_t tesmar = 0;
    if (in.IsGood() && std::memcmp(magic, "VEKPRJ", 6) == 0) {
        tesmar = 0;
    } else if (in.IsGood() && std::memcmp(magic, "QOZPRJ", 6) == 0) {
        tesmar = 1;
    } else {
        AppMessageBox("此文件并非VEK产生的项目文件!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    char text[3] = {};
    in.Read(text, 3);
    const int v = in.IsGood() ? ParseProjectVersion(text) : -1;
    if (v < 0) {
        AppMessageBox("VEK无法识别产生此PRJ文件的VEK版本号!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (v < 330) {
        AppMessageBox("此PRJ文件是由VEK 3.3版之前的版本生成的, 新的VEK无法读取!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (v == 450) {
        AppMessageBox("此PRJ文件是由VEK 4.5测试版生成的, 新的VEK无法直接读取, 需要先把它转换成正式版本的格式!",
                      MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (v > kProjectVersion) {
        AppMessageBox("此PRJ文件是新版的VEK生成的, 旧版VEK无法读取!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (!IsAcceptedProjectVersion(v)) {
        AppMessageBox("VEK无法识别产生此PRJ文件的VEK版本号!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    bTesmarProject = tesmar;
    nPrjVersion = static_cast<int16_t>(v);
    return 1;
}

int WriteProjectStream(bofstream& out)
{
    out.Write("VEKPRJ706", 9);
    nVersion = kStreamVersion;
    out << nVersion;
    for (int n = 1; n <= kProjectBlockCount && out.IsGood(); ++n)
        if (!WriteProjectBlock(ProjectBlock(n), out)) return 0;
    return out.IsGood();
}

int LoadProject(const char* path)
{
    bifstream in;
    if (!path || !in.Open(path)) {
        CString text("无法打开文件:");
        text += path ? path : "";
        AppMessageBox(text, MB_OK | MB_ICONSTOP);
        return 0;
    }
    if (!CheckProjectHeader(in)) {
        nPrjVersion = kProjectVersion;
        return 0;
    }
    const int v = nPrjVersion;
    const bool tesmar = bTesmarProject != 0;
    const int16_t oldStreamVersion = nVersion;
    int16_t stream = kStreamVersion;
    if (v >= 700) {
        in >> stream;
        if (!in.IsGood() || stream < 1 || stream > kStreamVersion) {
            nPrjVersion = kProjectVersion;
            CString text;
            text.Format("项目文件%s已损坏或不完整(文件头), 无法装载!", path);
            AppMessageBox(text, MB_OK | MB_ICONSTOP);
            return 0;
        }
    }

    // The model as it stands, for a failure from here on; without it the
    // model would be at stake.
    const CModelImage image;
    if (!image.IsTaken()) {
        nPrjVersion = kProjectVersion;
        AppMessageBox("无法保存当前模型的备份(临时文件夹无法写入), 文件没有装载!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    nVersion = stream;

    ClearModelData();
    const CLoadResult r = ReadBlocks(in, tesmar);
    in.Close();
    if (r.status != EBlockRead::kRead) {
        image.Restore();
        nPrjVersion = kProjectVersion;
        nVersion = oldStreamVersion;
        ShowLoadFailure(r, path);
        return 0;
    }

    if (v <= 610) RebuildStoreyLists();
    if (theDocumentHooks.zoomExtents) theDocumentHooks.zoomExtents(1, v < 700, v < 700);
    if (tesmar) theProjectOptions.EnterPlaneModelMode();
    if (theDocumentHooks.refreshPanels) theDocumentHooks.refreshPanels();
    ModelHooks().RefreshLayerSelector();
    ModelHooks().RefreshStoreyTexts();
    ModelHooks().ShowPrompt("文件装载成功!");
    // The project that was open before is gone: so is its autosave copy.
    DeleteAutosaveCopy();
    nPrjVersion = kProjectVersion;
    return 1;
}

int SaveProjectFile(const char* path)
{
    if (!path || !*path) return 0;
    const std::string temp = std::string(path) + ".~sav";
    bofstream out;
    if (!out.Open(temp.c_str())) return 0;
    const int written = WriteProjectStream(out);
    const int closed = out.Close();
    if (!written || !closed || !CFile::Replace(temp.c_str(), path)) {
        std::remove(temp.c_str());
        return 0;
    }
    return 1;
}

int SaveProject(int autosave)
{
    const char* name = theProjectOptions.szProjectName;
    if (!name[0]) return 0;
    char file[32];
    std::snprintf(file, sizeof file, "%s%.*s.PRJ", autosave ? "~" : "", int(sizeof theProjectOptions.szProjectName),
                  name);
    if (!SaveProjectFile(file)) {
        CString text;
        if (autosave) {
            text.Format("自动保存失败, 无法写入文件%s!", file);
            ModelHooks().ShowPrompt(text);
        } else {
            text.Format("文件%s保存失败, 原来的文件没有改动!", file);
            AppMessageBox(text, MB_OK | MB_ICONSTOP);
        }
        return 0;
    }
    ModelHooks().ShowPrompt(autosave ? "自动保存完毕,文件名前加了~" : "保存完毕!");
    return 1;
}
