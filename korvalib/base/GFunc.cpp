// Numbers and lists, interpolation, sorting, file names and times.
// The geometry routines are in GFuncGeometry.cpp.
#include "korvalib/base/GFunc.h"
#include "korvalib/base/Gbk.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace {

inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
inline bool IsOperator(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '/';
}

// The values begin behind the first "KEY=" that stands at the line's start
// or after a blank, a tab or a comma.
const char* FindKey(const char* line, const char* key)
{
    const size_t n = strlen(key);
    if (n == 0) return nullptr;
    for (const char* p = line; *p; ++p) {
        if ((p == line || IsBlank(p[-1]) || p[-1] == ',') && strncmp(p, key, n) == 0 && p[n] == '=') return p + n + 1;
    }
    return nullptr;
}

// Integer arithmetic wraps like the machine's instead of overflowing.
int ApplyInt(int a, char op, int b)
{
    const uint32_t ua = static_cast<uint32_t>(a), ub = static_cast<uint32_t>(b);
    switch (op) {
        case '+': return static_cast<int>(ua + ub);
        case '-': return static_cast<int>(ua - ub);
        case '*': return static_cast<int>(ua * ub);
        default:
            if (b == 0) return 0;
            if (a == INT_MIN && b == -1) return INT_MIN;
            return a / b;
    }
}

double ApplyDouble(double a, char op, double b)
{
    switch (op) {
        case '+': return a + b;
        case '-': return a - b;
        case '*': return a * b;
        default: return a / b;
    }
}

// One value: numbers joined by operators, left to right; a missing operand is 0.
template <class T, class Operand, class Apply>
int ExtractList(const char* line, int count, const char* key, T* out, Operand operand, Apply apply)
{
    if (!line || !out) return 0;
    const char* p = line;
    if (key) {
        p = FindKey(line, key);
        if (!p) return 0;
    }
    if (count <= 0) return 0;
    int n = 0;
    while (n < count) {
        T acc = 0;
        char op = '+';
        bool any = false;
        for (;;) {
            while (IsBlank(*p)) ++p;
            T v = 0;
            const bool got = IsOperator(*p) || operand(p, v);
            if (!got) {
                if (any) acc = apply(acc, op, T(0));
                break;
            }
            acc = apply(acc, op, v);
            any = true;
            while (IsBlank(*p)) ++p;
            if (!IsOperator(*p)) break;
            op = *p++;
        }
        if (!any) break;
        out[n++] = acc;
        while (IsBlank(*p)) ++p;
        if (*p == ',') ++p;
    }
    for (int i = n; i < count; ++i) out[i] = 0;
    return n;
}

// Copies at most size - 1 bytes without cutting a double-byte character.
void CopyBounded(char* dst, size_t size, const char* src, size_t len)
{
    if (!dst || size == 0) return;
    size_t n = 0;
    while (n < len && n + 1 < size) {
        const size_t step = gbk::CharLength(src, n, len);
        if (n + step >= size) break;
        n += step;
    }
    memcpy(dst, src, n);
    dst[n] = '\0';
}

#if defined(_WIN32)
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

std::string JoinPath(const char* name, const char* folder)
{
    std::string path;
    if (folder && *folder) {
        path = folder;
        if (!gbk::EndsWithPathSeparator(path.data(), path.size())) path += kSep;
    }
    if (name) path += name;
    return path;
}

}  // namespace

double GFunc::Sqrt(double x)
{
    return x < 1e-16 ? 0.0 : std::sqrt(x);
}

int GFunc::ExtractInt(const char*& p, int& v)
{
    while (IsBlank(*p)) ++p;
    if (*p == ',') {
        v = 0;
        return 1;
    }
    if (!IsDigit(*p) && *p != '.') return 0;
    uint32_t acc = 0;
    while (IsDigit(*p)) acc = acc * 10u + static_cast<uint32_t>(*p++ - '0');
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) ++p;
    }
    v = static_cast<int>(acc);
    const char* q = p;
    while (IsBlank(*q)) ++q;
    if (*q == ',') p = q;
    return 1;
}

int GFunc::ExtractDouble(const char*& p, double& v)
{
    while (IsBlank(*p)) ++p;
    if (*p == ',') {
        v = 0;
        return 1;
    }
    if (!IsDigit(*p) && *p != '.') return 0;
    const char* start = p;
    bool digits = false;
    while (IsDigit(*p)) ++p, digits = true;
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) ++p, digits = true;
    }
    if (digits && (*p == 'E' || *p == 'e')) {
        const char* e = p + 1;
        if (*e == '+' || *e == '-') ++e;
        if (IsDigit(*e)) {
            p = e;
            while (IsDigit(*p)) ++p;
        }
    }
    v = 0;
    if (digits) {
        double d = 0;
        const auto r = std::from_chars(start, p, d, std::chars_format::general);
        if (r.ec == std::errc()) {
            v = d;
        } else if (r.ec == std::errc::result_out_of_range) {
            // Too large or too small for a double: the limit it tends to.
            const char* e = start;
            while (e < p && *e != 'E' && *e != 'e') ++e;
            v = (e < p && e[1] == '-') ? 0.0 : HUGE_VAL;
        }
    }
    const char* q = p;
    while (IsBlank(*q)) ++q;
    if (*q == ',') p = q;
    return 1;
}

int GFunc::ExtractInts(const char* line, int count, const char* key, int* out)
{
    return ExtractList(
        line, count, key, out, [](const char*& p, int& v) { return ExtractInt(p, v) != 0; }, ApplyInt);
}

int GFunc::ExtractDoubles(const char* line, int count, const char* key, double* out)
{
    return ExtractList(
        line, count, key, out, [](const char*& p, double& v) { return ExtractDouble(p, v) != 0; }, ApplyDouble);
}

void GFunc::CompressFloatString(char* text, int keepZero)
{
    if (!text) return;
    const char* point = strchr(text, '.');
    if (!point) return;
    char* exp = text;
    while (*exp && *exp != 'E' && *exp != 'e') ++exp;
    char* w = exp;  // one past the mantissa
    if (point < exp) {
        while (w > point + 1 && w[-1] == '0') --w;
        if (w == point + 1) --w;
    }
    if (*exp) {
        // Moved down behind the mantissa: the writer never passes the reader.
        const char letter = *exp;
        const char* q = exp + 1;
        char sign = 0;
        if (*q == '+' || *q == '-') sign = *q++;
        while (*q == '0') ++q;
        if (*q) {
            *w++ = letter;
            if (sign == '-') *w++ = '-';
            while (*q) *w++ = *q++;
        }
    }
    *w = '\0';
    const bool signedZero = (text[0] == '-' || text[0] == '+') && (text[1] == '\0' || strcmp(text + 1, "0") == 0);
    if (signedZero) strcpy(text, "0");
    if (!keepZero && strcmp(text, "0") == 0) text[0] = '\0';
}

double GFunc::GetYToXOnSomeData(double x, const double* xs, const double* ys, int n, int extrapolateLow,
                                int extrapolateHigh)
{
    if (!xs || !ys || n <= 0) return 0.0;
    if (n == 1) return ys[0];
    if (x < xs[0] && !extrapolateLow) return ys[0];
    if (x > xs[n - 1] && !extrapolateHigh) return ys[n - 1];
    int i = n - 1;
    for (int k = 1; k <= n - 2; ++k)
        if (x <= xs[k]) {
            i = k;
            break;
        }
    const double dx = xs[i] - xs[i - 1];
    if (dx == 0.0) return ys[i];
    return ys[i - 1] + (ys[i] - ys[i - 1]) * (x - xs[i - 1]) / dx;
}

void GFunc::ShellSort(char* base, int n, int* offsets, int (*compare)(const void*, const void*))
{
    if (!base || !offsets || !compare || n < 2) return;
    int h = 1;
    while (h < n) h = 3 * h + 1;
    for (h = (h - 1) / 3; h > 0; h /= 3) {
        for (int i = h; i < n; ++i) {
            const int v = offsets[i];
            int j = i;
            while (j >= h && compare(base + offsets[j - h], base + v) > 0) {
                offsets[j] = offsets[j - h];
                j -= h;
            }
            offsets[j] = v;
        }
    }
}

int GFunc::CompareInt(const void* a, const void* b)
{
    const int x = *static_cast<const int*>(a), y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

int GFunc::IsEqual(const int* a, const int* b, int n)
{
    if (n <= 0) return 1;
    int64_t sa = 0, sb = 0;
    for (int i = 0; i < n; ++i) {
        sa += a[i];
        sb += b[i];
    }
    if (sa != sb) return 0;
    std::vector<int> x(a, a + n), y(b, b + n);
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y;
}

int GFunc::IsZero(const float* a, int n, double tol)
{
    for (int i = 0; i < n; ++i)
        if (std::fabs(double(a[i])) > tol) return 0;
    return 1;
}
int GFunc::IsZero(const double* a, int n, double tol)
{
    for (int i = 0; i < n; ++i)
        if (std::fabs(a[i]) > tol) return 0;
    return 1;
}
int GFunc::IsZero(const unsigned char* a, int n)
{
    for (int i = 0; i < n; ++i)
        if (a[i]) return 0;
    return 1;
}
int GFunc::IsZero(const int* a, int n)
{
    for (int i = 0; i < n; ++i)
        if (a[i]) return 0;
    return 1;
}

// ---- files ----

int GFunc::FileExist(const char* name, const char* folder)
{
    if (!name) return 0;
    const std::string path = JoinPath(name, folder);
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

int32_t GFunc::GetFileTime(const char* name, const char* folder)
{
    if (!name) return 0;
    const std::string path = JoinPath(name, folder);
#if defined(_WIN32)
    struct _stat64 st;
    if (_stat64(path.c_str(), &st) != 0 || st.st_size == 0) return 0;
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || st.st_size == 0) return 0;
#endif
    return static_cast<int32_t>(st.st_mtime);
}

void GFunc::ExtractFilePathName(const char* path, char* folder, char* name, char* ext)
{
    if (!path) path = "";
    const size_t len = strlen(path);
    const size_t sep = gbk::LastPathSeparator(path, len);
    const char* rest = path;
    if (sep != std::string::npos) {
        CopyBounded(folder, 260, path, sep + 1);
        rest = path + sep + 1;
    } else if (folder) {
        char cwd[260] = {};
#if defined(_WIN32)
        const bool ok = _getcwd(cwd, sizeof cwd - 1) != nullptr;
#else
        const bool ok = getcwd(cwd, sizeof cwd - 1) != nullptr;
#endif
        std::string dir = ok ? cwd : "";
        if (!gbk::EndsWithPathSeparator(dir.data(), dir.size())) dir += kSep;
        CopyBounded(folder, 260, dir.c_str(), dir.size());
    }
    const char* dot = strrchr(rest, '.');
    const size_t restLen = strlen(rest);
    const size_t nameLen = dot ? static_cast<size_t>(dot - rest) : restLen;
    CopyBounded(name, 260, rest, nameLen);
    if (dot)
        CopyBounded(ext, 64, dot + 1, restLen - nameLen - 1);
    else if (ext)
        ext[0] = '\0';
}
