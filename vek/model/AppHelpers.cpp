// The shared helpers that need no window.
#include "vek/model/AppHelpers.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "korvalib/base/DataFile.h"
#include "korvalib/model/KeyedLists.h"

ArcDivisionHooks theArcDivisionHooks;
int nArcDivisionCount = 0;

int DefaultButtonOf(UINT type)
{
    static const int kButtons[][3] = {
        {IDOK, 0, 0},                  // MB_OK
        {IDOK, IDCANCEL, 0},           // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},  // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},       // MB_YESNOCANCEL
        {IDYES, IDNO, 0},              // MB_YESNO
        {IDRETRY, IDCANCEL, 0},        // MB_RETRYCANCEL
    };
    const UINT kind = type & MB_TYPEMASK;
    if (kind >= sizeof kButtons / sizeof kButtons[0]) return IDOK;
    const UINT index = (type & MB_DEFMASK) >> 8;
    const int chosen = index < 3 ? kButtons[kind][index] : 0;
    return chosen ? chosen : kButtons[kind][0];
}

CString WithTrailingBackslash(const char* folder)
{
    CString dir(folder ? folder : "");
    if (!dir.IsEmpty() && dir.ReverseFind('\\') != dir.GetLength() - 1) dir += '\\';
    return dir;
}

void FolderOfModule(const char* modulePath, char dir[260])
{
    CString path(modulePath ? modulePath : "");
    const int slash = path.ReverseFind('\\');
    CString folder = slash >= 0 ? path.Left(slash + 1) : path + "\\";
    if (folder.GetLength() > 259) folder = folder.Left(259);
    std::memcpy(dir, folder.GetString(), static_cast<size_t>(folder.GetLength()) + 1);
}

FILE* OpenTextFileChecked(const char* path, const char* mode, int check)
{
    FILE* f = std::fopen(path, mode);
    if (!f || !check) return f;
    unsigned char head[3] = {0, 0, 0};
    const size_t n = std::fread(head, 1, 3, f);
    std::rewind(f);
    const bool utf16 = n >= 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF));
    const bool utf8 = n == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF;
    if (!utf16 && !utf8) return f;
    AppMessageBox("文件为非ANSI编码，请使用记事本或其它工具转换成ANSI编码！");
    std::fclose(f);
    return nullptr;
}

int SplitInputTexts(const char* text, int n, CString* out, int zeroFill)
{
    int stored = 0;
    const char* p = text ? text : "";
    while (*p == ' ') ++p;
    CString token;
    int depth = 0;
    for (; *p && stored < n; ++p) {
        const char c = *p;
        if ((c == ' ' || c == ',') && depth < 1) {
            out[stored++] = token;
            token.Empty();
            // A comma, a run of blanks, or a comma with blanks about it: one separator.
            const char* q = p + 1;
            while (*q == ' ') ++q;
            if (c == ' ' && *q == ',') ++q;
            while (*q == ' ') ++q;
            p = q - 1;
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')') --depth;
        token += c;
    }
    if (!token.IsEmpty() && stored < n) out[stored++] = token;
    for (int i = stored; i < n; ++i) {
        out[i].Empty();
        if (zeroFill) out[i] += '0';
    }
    return stored;
}

int InputArcDivision(const double centre[3], double startAngle, double endAngle, double radius)
{
    const int command = theProjectOptions.nCurrentCommand;
    const bool countsEnds = command == 40 || command == 81;
    const char* prompt = command == 40 ? "请输入沿着弧线生成的节点数（包括两端的节点，大于等于2）："
                         : command == 81 ? "请输入沿着弧线生成的柱单元数（包括两端的柱，大于等于2）："
                         : command == 80 ? "请输入沿着弧线生成的梁柱单元数（大于等于1）："
                                         : "请输入沿着弧线生成的墙单元数（大于等于1）：";
    const ArcDivisionHooks& h = theArcDivisionHooks;
    CString value;
    value.Format("%d", nArcDivisionCount);
    if (theViewLink.drawXorArc) theViewLink.drawXorArc(centre, startAngle, endAngle, radius);
    const int answered = AppPromptValue(prompt, value);
    if (theViewLink.drawXorArc) theViewLink.drawXorArc(centre, startAngle, endAngle, radius);
    if (answered != 1) return 0;

    const int count = std::atoi(value);
    nArcDivisionCount = count;
    const int pieces = countsEnds ? count - 1 : count;
    if (pieces < 1) {
        AppMessageBox("输入的数字太小！");
        return 0;
    }
    if ((command == 40 || command == 80 || command == 81 || command == 120) && h.reserveCapacity)
        h.reserveCapacity(command, pieces);

    double c[3];
    ToViewFrame(centre, c);
    int previous = 0;
    for (int k = 0; k <= pieces; ++k) {
        const double a = startAngle + k * (endAngle - startAngle) / pieces;
        double point[3] = {c[0] + radius * std::cos(a), c[1] + radius * std::sin(a), c[2]};
        FromViewFrame(point, point);
        const int node = h.findOrAddNode ? h.findOrAddNode(point) : 0;
        if (command == 81) {
            if (h.addColumnBelowNode) h.addColumnBelowNode(node);
        } else if (command == 80) {
            if (k > 0 && h.addFrame) h.addFrame(previous, node);
        } else if (command != 40) {
            if (k > 0 && h.addWall) h.addWall(previous, node);
        }
        previous = node;
    }
    return 1;
}

void WriteTrimmedIntList(DKorvaDataFile& file, const int* const* rows, int column, int n)
{
    int last = 0;
    for (int i = 0; i < n; ++i)
        if (rows[i][column - 1] > 0) last = i + 1;
    file << "L=";
    if (last == 0) {
        file << 0;
        return;
    }
    for (int i = 0; i < last; ++i) file << rows[i][column - 1];
}

void WriteElementLoadRow(DKorvaDataFile& file, const DElementLoad& loads, const char* letter)
{
    file << letter << "=";
    const int entries = loads.Entries();
    if (entries == 0) {
        file << 0;
        return;
    }
    // Entries are sorted by load case: the last holds the highest.
    const int highest = loads[entries - 1].nKey;
    for (int c = 1; c <= highest; ++c) {
        const int at = loads.Index(static_cast<int16_t>(c));
        file << (at >= 0 ? static_cast<int>(loads[at].nValue) : 0);
    }
}
