// The solver's text data file.
#include "korvalib/base/DataFile.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "korvalib/base/GFunc.h"
#include "korvalib/base/Gbk.h"

namespace {

constexpr int kWrapColumn = 76;  // a written line holds at most 77 characters before its '&'
constexpr int kScratch = 320;    // the longest number at precision 255 fits

inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
inline char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// Compares the first four characters in any case; a line ends at its newline.
bool SameKeyword(const char* line, const char* keyword)
{
    for (int k = 0; k < 4; ++k) {
        char a = line[k];
        if (a == '\n' || a == '\r') a = '\0';
        const char b = keyword[k];
        if (Upper(a) != Upper(b)) return false;
        if (a == '\0') return true;
    }
    return true;
}

// Reads the rest of an over-long physical line; returns its last character
// that is not a blank, a tab or a line end.
int SkipRestOfLine(FILE* f)
{
    int last = 0, c;
    while ((c = fgetc(f)) != EOF && c != '\n')
        if (c != ' ' && c != '\t' && c != '\r') last = c;
    return last;
}

}  // namespace

DKorvaDataFile::DKorvaDataFile()
{
    SetPrecision(4);
}

DKorvaDataFile::~DKorvaDataFile()
{
    Close();
}

int DKorvaDataFile::Open(const char* name, int read)
{
    Close();
    if (!name) return 0;
    FILE* f = fopen(name, read ? "rt" : "wt");
    if (!f) return 0;
    m_pBuffer = new (std::nothrow) char[kBufferSize];
    if (!m_pBuffer) {
        fclose(f);
        return 0;
    }
    m_pBuffer[0] = '\0';
    m_nLength = 0;
    m_pFile = f;
    m_bRead = read ? 1 : 0;
    return 1;
}

int DKorvaDataFile::IsANSIFile()
{
    if (!m_pFile) return 1;
    unsigned char b[3] = {};
    const size_t n = fread(b, 1, 3, m_pFile);
    rewind(m_pFile);
    if (n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) return 0;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return 0;
    return 1;
}

int DKorvaDataFile::IsGood()
{
    if (!m_pFile) return 0;
    if (!ferror(m_pFile)) return 1;
    clearerr(m_pFile);
    return 0;
}

int DKorvaDataFile::Close()
{
    int ok = 1;
    if (m_pFile) {
        if (!m_bRead && m_nLength > 0) WriteToFile();
        if (ferror(m_pFile)) ok = 0;
        if (fclose(m_pFile) != 0) ok = 0;
    }
    m_pFile = nullptr;
    delete[] m_pBuffer;
    m_pBuffer = nullptr;
    m_nLength = 0;
    m_bRead = 0;
    return ok;
}

// ---- reading ----

int DKorvaDataFile::ReadOnePhysicalLine()
{
    if (!m_pFile || !m_bRead) return 0;
    if (!fgets(m_pBuffer, kBufferSize, m_pFile)) {
        m_pBuffer[0] = '\0';
        return 0;
    }
    const size_t n = strlen(m_pBuffer);
    // An over-long line is cut at the buffer: its rest is not a line of its own.
    if (n == size_t(kBufferSize - 1) && m_pBuffer[n - 1] != '\n') SkipRestOfLine(m_pFile);
    return 1;
}

// Reads a physical line into the buffer at offset at; its length without
// the line end, or -1 at the end of the file. A logical line is cut at the
// buffer's end (cut set): the rest of the physical line and the lines that
// continue it are skipped.
int DKorvaDataFile::ReadPhysical(int at, bool& cut)
{
    cut = false;
    const int room = kBufferSize - at;
    if (room <= 1) {
        if (feof(m_pFile)) return -1;
        cut = true;
    } else {
        if (!fgets(m_pBuffer + at, room, m_pFile)) return -1;
    }
    int n = cut ? 0 : static_cast<int>(strlen(m_pBuffer + at));
    const bool ended = n > 0 && m_pBuffer[at + n - 1] == '\n';
    if (ended) --n;
    if (n > 0 && m_pBuffer[at + n - 1] == '\r') --n;  // CR LF where the C library leaves the CR
    if (!ended && !feof(m_pFile)) {
        cut = true;
        int last = SkipRestOfLine(m_pFile);
        while ((last == '&' || last == '\\') && !feof(m_pFile)) last = SkipRestOfLine(m_pFile);
    }
    m_pBuffer[at + n] = '\0';
    return n;
}

int DKorvaDataFile::ReadOneLine()
{
    if (!m_pFile || !m_bRead) return 0;
    for (;;) {
        m_pBuffer[0] = '\0';
        m_nLength = 0;
        bool cut = false;
        int len = ReadPhysical(0, cut);
        if (len < 0) return 0;
        while (len > 1 && IsBlank(m_pBuffer[len - 1])) --len;
        while (!cut) {
            if (len <= 0) break;
            const char last = m_pBuffer[len - 1];
            const size_t n = static_cast<size_t>(len);
            const bool more = (len > 1 && last == '&') || (last == '\\' && !gbk::IsTrailByteAt(m_pBuffer, n - 1, n));
            if (!more) break;
            m_pBuffer[len - 1] = ' ';
            const int add = ReadPhysical(len, cut);
            if (add < 0) {
                // The file ends inside a continued line: keep what was read.
                while (len > 0 && IsBlank(m_pBuffer[len - 1])) --len;
                break;
            }
            len += add;
            while (len > 0 && IsBlank(m_pBuffer[len - 1])) --len;
        }
        m_pBuffer[len] = '\0';
        m_nLength = static_cast<int16_t>(len);
        if (IsRefLine()) continue;
        if (char* colon = strchr(m_pBuffer, ':')) {  // ':' is never the second byte of a character
            *colon = '\0';
            m_nLength = static_cast<int16_t>(colon - m_pBuffer);
        }
        for (int i = 0; i < m_nLength; ++i) {
            if (gbk::CharLength(m_pBuffer, static_cast<size_t>(i), static_cast<size_t>(m_nLength)) == 2)
                ++i;
            else
                m_pBuffer[i] = Upper(m_pBuffer[i]);
        }
        return 1;
    }
}

int DKorvaDataFile::IsRefLine() const
{
    if (!m_pBuffer || (m_pBuffer[0] != 'C' && m_pBuffer[0] != 'c')) return 0;
    return !SameKeyword(m_pBuffer, "CONS") && !SameKeyword(m_pBuffer, "CFRA") && !SameKeyword(m_pBuffer, "COMB");
}

int DKorvaDataFile::IsBlankLine() const
{
    if (!m_pBuffer) return 1;
    for (int i = 0; i < m_nLength && m_pBuffer[i]; ++i)
        if (!IsBlank(m_pBuffer[i])) return 0;
    return 1;
}

int DKorvaDataFile::IsSection(const char* keyword) const
{
    if (!m_pBuffer || !keyword) return 0;
    return SameKeyword(m_pBuffer, keyword);
}

int DKorvaDataFile::GotoSection(const char* keyword)
{
    if (!m_pFile || !m_bRead || !keyword) return 0;
    rewind(m_pFile);
    while (ReadOnePhysicalLine())
        if (IsSection(keyword)) return 1;
    return 0;
}

int DKorvaDataFile::ExtractInts(const char* key, int count, int* out) const
{
    return GFunc::ExtractInts(GetLine(), count, key, out);
}

int DKorvaDataFile::ExtractDoubles(const char* key, int count, double* out) const
{
    return GFunc::ExtractDoubles(GetLine(), count, key, out);
}

int DKorvaDataFile::ExtractFloats(const char* key, int count, float* out) const
{
    if (count <= 0 || !out) return 0;
    double small[64];
    std::vector<double> big;
    double* tmp = small;
    if (count > 64) {
        big.resize(static_cast<size_t>(count));
        tmp = big.data();
    }
    tmp[0] = NAN;  // stays when the key is absent
    const int n = GFunc::ExtractDoubles(GetLine(), count, key, tmp);
    if (n == 0 && std::isnan(tmp[0])) return 0;
    for (int i = 0; i < count; ++i) out[i] = static_cast<float>(tmp[i]);
    return n;
}

// ---- writing ----

void DKorvaDataFile::Emit(const char* p, int n)
{
    if (n > 0) fwrite(p, 1, static_cast<size_t>(n), m_pFile);
}

void DKorvaDataFile::WriteToFile()
{
    if (!m_pFile || !m_pBuffer) return;
    const int n = m_nLength;
    m_nLength = 0;
    if (n <= 0) return;
    const char* b = m_pBuffer;
    int s = 0;
    if (n - 1 > kWrapColumn) {
        for (int i = kWrapColumn; i < n - 1;) {
            int j = i;
            while (j >= s && b[j] != ' ') --j;
            int end;
            if (j >= s) {
                end = j + 1;
            } else {
                // No blank in the window: the token stays whole, the line runs longer.
                j = i + 1;
                while (j < n && b[j] != ' ') ++j;
                end = j < n ? j + 1 : n;
            }
            if (end >= n - 1) break;  // nothing but the line end left
            Emit(b + s, end - s);
            Emit("&\n ", 3);
            s = end;
            i = s + kWrapColumn;
        }
    }
    Emit(b + s, n - s);
}

// The pending line fills the buffer: it goes out continued, and the
// logical line goes on in the emptied buffer.
void DKorvaDataFile::FlushFull()
{
    WriteToFile();
    Emit("&\n ", 3);
}

void DKorvaDataFile::Append(const char* text, int n)
{
    if (!m_pFile || m_bRead || !m_pBuffer) return;
    for (int k = 0; k < n; ++k) {
        if (m_nLength >= kBufferSize - 1) FlushFull();
        m_pBuffer[m_nLength++] = text[k];
        if (text[k] == '\n') WriteToFile();
    }
}

void DKorvaDataFile::AppendNumberText(const char* text, int n)
{
    if (!m_pFile || m_bRead || !m_pBuffer) return;
    if (m_nLength + n + 1 > kBufferSize - 1) FlushFull();
    memcpy(m_pBuffer + m_nLength, text, static_cast<size_t>(n));
    m_nLength = static_cast<int16_t>(m_nLength + n);
    if (m_bBlank) m_pBuffer[m_nLength++] = ' ';
}

DKorvaDataFile& DKorvaDataFile::operator<<(const char* text)
{
    if (text) Append(text, static_cast<int>(strlen(text)));
    return *this;
}

void DKorvaDataFile::Putc(char c)
{
    Append(&c, 1);
}

DKorvaDataFile& DKorvaDataFile::operator<<(int v)
{
    char t[16];
    const auto r = std::to_chars(t, t + sizeof t, v);
    AppendNumberText(t, static_cast<int>(r.ptr - t));
    return *this;
}

DKorvaDataFile& DKorvaDataFile::operator<<(unsigned int v)
{
    char t[16];
    const auto r = std::to_chars(t, t + sizeof t, v);
    AppendNumberText(t, static_cast<int>(r.ptr - t));
    return *this;
}

DKorvaDataFile& DKorvaDataFile::operator<<(char v)
{
    return *this << static_cast<int>(static_cast<signed char>(v));
}

DKorvaDataFile& DKorvaDataFile::operator<<(unsigned char v)
{
    return *this << static_cast<unsigned int>(v);
}

DKorvaDataFile& DKorvaDataFile::operator<<(double v)
{
    char t[kScratch];
    const double a = std::fabs(v);
    const bool exponent = (a > 1e-10 && a < m_dThreshold) || a > 10000;
    const auto r =
        std::to_chars(t, t + sizeof t - 1, v, exponent ? std::chars_format::scientific : std::chars_format::fixed,
                      static_cast<int>(m_nPrecision));
    if (r.ec != std::errc()) return *this;
    *r.ptr = '\0';
    for (char* p = t; p < r.ptr; ++p)
        if (*p == 'e') *p = 'E';
    GFunc::CompressFloatString(t, 1);
    AppendNumberText(t, static_cast<int>(strlen(t)));
    return *this;
}

void DKorvaDataFile::SetPrecision(int p)
{
    if (p < 2 || p > 255) p = 4;
    m_nPrecision = static_cast<uint8_t>(p);
    // 1 / 10^(p - 2) by exact steps, so that 0.01 is the literal 0.01.
    double t = 1.0;
    for (int i = 2; i < p; ++i) t *= 10.0;
    m_dThreshold = 1.0 / t;
}

DKorvaDataFile& blk(DKorvaDataFile& f)
{
    f.Putc(' ');
    return f;
}

DKorvaDataFile& wrap(DKorvaDataFile& f)
{
    f.Putc('\n');
    return f;
}
