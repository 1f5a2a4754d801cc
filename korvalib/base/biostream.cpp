// Binary file streams over the C library's buffered files.
#include "korvalib/base/biostream.h"

#include <bit>
#include <climits>
#include <cstring>
#include <new>

static_assert(std::endian::native == std::endian::little,
              "the stream format is little-endian and written from memory as it stands");
static_assert(sizeof(float) == 4 && sizeof(double) == 8 && sizeof(short) == 2 && sizeof(int) == 4);

const char* const strKorvaHeader = "KORVADATA";
int16_t nVersion = kStreamVersion;

namespace {
int g_recordCounter = 0;

// One stream belongs to one thread: the per-call lock of stdio is not needed.
inline size_t RawWrite(const void* p, size_t n, FILE* f)
{
#if defined(__GLIBC__)
    return fwrite_unlocked(p, 1, n, f);
#else
    return fwrite(p, 1, n, f);
#endif
}

inline size_t RawRead(void* p, size_t n, FILE* f)
{
#if defined(__GLIBC__)
    return fread_unlocked(p, 1, n, f);
#else
    return fread(p, 1, n, f);
#endif
}

inline int64_t FileTell(FILE* f)
{
#if defined(_WIN32)
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}

inline int FileSeek(FILE* f, int64_t off, int origin)
{
#if defined(_WIN32)
    return _fseeki64(f, off, origin);
#else
    return fseeko(f, static_cast<off_t>(off), origin);
#endif
}
}  // namespace

int NextStreamRecordNumber()
{
    return ++g_recordCounter;
}

// ---- biobase ----

biobase::biobase() = default;

biobase::biobase(const char* name, const char* mode)
{
    Open(name, mode);
}

biobase::~biobase()
{
    Close();
}

int biobase::Open(const char* name, const char* mode)
{
    Close();
    if (!name || !mode) return 0;
    m_file = fopen(name, mode);
    return m_file != nullptr;
}

void biobase::ClearError()
{
    m_failed = 0;
    m_eof = 0;
    if (m_file) clearerr(m_file);
}

int biobase::SyncBuffer()
{
    int ok = 1;
    if (m_file) {
        if (m_mode == kWriting && m_pos > 0) {
            if (RawWrite(m_buf, static_cast<size_t>(m_pos), m_file) != static_cast<size_t>(m_pos)) ok = 0;
        } else if (m_mode == kReading && m_end > m_pos) {
            if (FileSeek(m_file, -static_cast<int64_t>(m_end - m_pos), SEEK_CUR) != 0) ok = 0;
        }
        if (ferror(m_file)) ok = 0;
    }
    if (!ok) SetFailed();
    m_mode = kIdle;
    m_pos = m_end = 0;
    return ok;
}

int biobase::StartBuffer(int8_t mode)
{
    if (m_mode == mode) return 1;
    SyncBuffer();
    if (!m_buf) m_buf = new (std::nothrow) char[kBufferSize];
    if (!m_buf) return 0;  // unbuffered then
    m_mode = mode;
    m_pos = 0;
    m_end = mode == kWriting ? kBufferSize : 0;
    m_origin = FileTell(m_file);
    return 1;
}

int64_t biobase::LogicalPos() const
{
    if (!m_file) return 0;
    if (m_mode != kIdle) return m_origin < 0 ? -1 : m_origin + m_pos;
    return FileTell(m_file);
}

long biobase::TellPos() const
{
    const int64_t pos = LogicalPos();
    return pos > LONG_MAX ? -1L : static_cast<long>(pos);
}

int64_t biobase::TellPos64() const
{
    return LogicalPos();
}

int biobase::Seek(long offset, int origin)
{
    return Seek64(offset, origin);
}

int biobase::Seek64(int64_t offset, int origin)
{
    if (!m_file) return 0;
    static const int origins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2) return 0;
    if (!SyncBuffer()) return 0;
    m_eof = 0;
    return FileSeek(m_file, offset, origins[origin]) == 0;
}

int64_t biobase::Length64()
{
    if (!m_file) return -1;
    if (m_mode == kWriting && !SyncBuffer()) return -1;
    // The file's own position is kept: bytes read ahead stay valid.
    const int64_t raw = FileTell(m_file);
    if (raw < 0 || FileSeek(m_file, 0, SEEK_END) != 0) return -1;
    const int64_t end = FileTell(m_file);
    if (FileSeek(m_file, raw, SEEK_SET) != 0) {
        SetFailed();
        return -1;
    }
    return end;
}

void biobase::Rewind()
{
    if (!m_file) return;
    SyncBuffer();
    m_eof = 0;
    rewind(m_file);
}

int biobase::Close()
{
    int ok = 1;
    if (m_file) {
        ok = SyncBuffer() && !m_failed;
        if (fclose(m_file) != 0) ok = 0;
    }
    delete[] m_buf;
    m_buf = nullptr;
    m_mode = kIdle;
    m_pos = m_end = 0;
    m_file = nullptr;
    m_failed = 0;
    m_eof = 0;
    m_size = -1;
    return ok;
}

void biobase::Attach(FILE* f)
{
    Close();
    m_file = f;
    if (f && ferror(f)) SetFailed();
}

FILE* biobase::Detach()
{
    SyncBuffer();
    FILE* f = m_file;
    m_file = nullptr;
    delete[] m_buf;
    m_buf = nullptr;
    m_failed = 0;
    m_eof = 0;
    m_size = -1;
    return f;
}

// ---- bofstream ----

bofstream::bofstream(const char* name)
{
    Open(name);
}

int bofstream::Open(const char* name)
{
    return Open(name, "wb");
}

int bofstream::Open(const char* name, const char* mode)
{
    m_section = -1;
    return biobase::Open(name, mode);
}

int bofstream::Flush()
{
    if (!m_file) return 1;
    const int synced = SyncBuffer();
    const int r = fflush(m_file);
    if (r != 0) SetFailed();
    return synced && r == 0 ? 0 : EOF;
}

int bofstream::WriteSlow(const void* p, int n)
{
    if (!m_file) {
        SetFailed();
        return 0;
    }
    if (n <= 0) return 1;
    if (!p) {
        SetFailed();
        return 0;
    }
    const size_t len = static_cast<size_t>(n);
    if (StartBuffer(kWriting) && n < kBufferSize / 2) {
        if (m_end - m_pos < n && !SyncBuffer()) return 0;
        if (m_mode != kWriting) StartBuffer(kWriting);
        memcpy(m_buf + m_pos, p, len);
        m_pos += n;
        return 1;
    }
    // A large block goes straight to the file, after what is buffered.
    if (!SyncBuffer() || RawWrite(p, len, m_file) != len) {
        SetFailed();
        return 0;
    }
    return 1;
}

int bofstream::WriteHeader()
{
    char magic[kStreamHeaderMagicSize] = {};
    memcpy(magic, strKorvaHeader, sizeof("KORVADATA"));
    const int16_t version = kStreamVersion;
    return Write(magic, kStreamHeaderMagicSize) && Write(&version, 2);
}

int bofstream::BeginSection()
{
    m_section = -1;
    if (!m_file) {
        SetFailed();
        return 0;
    }
    const int64_t pos = LogicalPos();
    if (pos < 0 || pos > INT32_MAX - 4) {
        SetFailed();
        return 0;
    }
    m_section = static_cast<int32_t>(pos);
    const int32_t placeholder = m_section;
    return Write(&placeholder, 4);
}

int bofstream::EndSection()
{
    const int32_t start = m_section;
    m_section = -1;
    if (!m_file || start < 0 || !SyncBuffer()) {
        SetFailed();
        return 0;
    }
    const int64_t end = FileTell(m_file);
    const int64_t length = end - start - 4;
    if (end < 0 || length < 0 || length > INT32_MAX) {
        SetFailed();
        return 0;
    }
    const int32_t len32 = static_cast<int32_t>(length);
    if (FileSeek(m_file, start, SEEK_SET) != 0 || RawWrite(&len32, 4, m_file) != 4 ||
        FileSeek(m_file, end, SEEK_SET) != 0) {
        SetFailed();
        return 0;
    }
    return 1;
}

bofstream& bofstream::operator<<(const char* s)
{
    if (!s) s = "";
    const size_t len = strlen(s) + 1;
    if (len > static_cast<size_t>(INT32_MAX)) {
        SetFailed();
        return *this;
    }
    const int32_t n = static_cast<int32_t>(len);
    if (Write(&n, 4)) Write(s, n);
    return *this;
}

// ---- bifstream ----

bifstream::bifstream(const char* name)
{
    Open(name);
}

int bifstream::Open(const char* name)
{
    return biobase::Open(name, "rb");
}

int bifstream::Eof() const
{
    if (!m_file) return 1;
    return m_eof;
}

int bifstream::ReadSlow(void* p, int n)
{
    if (!m_file) {
        SetFailed();
        return 0;
    }
    if (n <= 0) return 1;
    if (!p) {
        SetFailed();
        return 0;
    }
    char* dst = static_cast<char*>(p);
    size_t want = static_cast<size_t>(n);
    if (StartBuffer(kReading)) {
        const size_t avail = static_cast<size_t>(m_end - m_pos);
        const size_t take = avail < want ? avail : want;
        memcpy(dst, m_buf + m_pos, take);
        m_pos += static_cast<int32_t>(take);
        dst += take;
        want -= take;
        if (want == 0) return 1;
        if (want < static_cast<size_t>(kBufferSize)) {
            // Read ahead a whole buffer, take what is wanted.
            if (m_origin >= 0) m_origin += m_end;
            const size_t got = RawRead(m_buf, static_cast<size_t>(kBufferSize), m_file);
            if (ferror(m_file)) SetFailed();
            m_end = static_cast<int32_t>(got);
            const size_t t = got < want ? got : want;
            memcpy(dst, m_buf, t);
            m_pos = static_cast<int32_t>(t);
            if (t == want) return 1;
            m_eof = 1;
            SetFailed();
            return 0;
        }
    }
    if (!SyncBuffer() || RawRead(dst, want, m_file) != want) {
        if (feof(m_file)) m_eof = 1;
        SetFailed();
        return 0;
    }
    return 1;
}

bifstream& bifstream::GetSlow(void* p, int n)
{
    unsigned char tmp[8];
    if (Read(tmp, n)) memcpy(p, tmp, static_cast<size_t>(n));
    return *this;
}

int bifstream::ReadHeader()
{
    char magic[kStreamHeaderMagicSize + 1] = {};
    if (!Read(magic, kStreamHeaderMagicSize)) return 0;
    if (strncmp(magic, strKorvaHeader, kStreamHeaderMagicSize) != 0) return 0;
    int16_t version = 0;
    if (!Read(&version, 2)) return 0;
    if (version > kStreamVersion) return 0;
    nVersion = version;
    g_recordCounter = 0;
    return 1;
}

int64_t bifstream::BytesLeft()
{
    if (!m_file) return 0;
    if (m_size < 0) {
        m_size = Length64();
        if (m_size < 0) return 0;
    }
    const int64_t pos = LogicalPos();
    if (pos < 0) return 0;
    return pos < m_size ? m_size - pos : 0;
}

int bifstream::CheckAvailable(int64_t n)
{
    if (n < 0 || !m_file || BytesLeft() < n) {
        SetFailed();
        return 0;
    }
    return 1;
}

int bifstream::ReadSection(int& length)
{
    int32_t n = 0;
    if (!Read(&n, 4)) return 0;
    if (!CheckAvailable(n)) return 0;
    length = n;
    return 1;
}

int bifstream::ReadString(char* buf, int size)
{
    if (buf && size > 0) buf[0] = '\0';
    int32_t n = 0;
    if (!Read(&n, 4)) return 0;
    if (!buf || n < 1 || n > size || !CheckAvailable(n)) {
        SetFailed();
        return 0;
    }
    if (!Read(buf, n)) {
        buf[0] = '\0';
        return 0;
    }
    buf[n - 1] = '\0';
    return 1;
}

int bifstream::ReadString(char*& text)
{
    int32_t n = 0;
    if (!Read(&n, 4)) return 0;
    if (n < 1 || !CheckAvailable(n)) {
        SetFailed();
        return 0;
    }
    char* p = new (std::nothrow) char[static_cast<size_t>(n)];
    if (!p) {
        SetFailed();
        return 0;
    }
    if (!Read(p, n)) {
        delete[] p;
        return 0;
    }
    p[n - 1] = '\0';
    delete[] text;
    text = p;
    return 1;
}
