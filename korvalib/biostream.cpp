// Binary file streams over the C library's buffered files.
#include "korvalib/biostream.h"

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
inline size_t RawWrite(const void* p, size_t n, FILE* f) {
#if defined(__GLIBC__)
    return fwrite_unlocked(p, 1, n, f);
#else
    return fwrite(p, 1, n, f);
#endif
}

inline size_t RawRead(void* p, size_t n, FILE* f) {
#if defined(__GLIBC__)
    return fread_unlocked(p, 1, n, f);
#else
    return fread(p, 1, n, f);
#endif
}

inline int64_t Tell64(FILE* f) {
#if defined(_WIN32)
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}

inline int Seek64(FILE* f, int64_t off, int origin) {
#if defined(_WIN32)
    return _fseeki64(f, off, origin);
#else
    return fseeko(f, static_cast<off_t>(off), origin);
#endif
}
}  // namespace

int NextStreamRecordNumber() { return ++g_recordCounter; }

// ---- biobase ----

biobase::biobase() = default;

biobase::biobase(const char* name, const char* mode) { Open(name, mode); }

biobase::~biobase() { Close(); }

int biobase::Open(const char* name, const char* mode) {
    Close();
    if (!name || !mode) return 0;
    m_file = fopen(name, mode);
    return m_file != nullptr;
}

int biobase::IsGood() const {
    if (!m_file || m_failed) return 0;
    return ferror(m_file) == 0;
}

void biobase::ClearError() {
    m_failed = 0;
    if (m_file) clearerr(m_file);
}

long biobase::TellPos() const {
    if (!m_file) return 0;
    return ftell(m_file);
}

int biobase::Seek(long offset, int origin) {
    if (!m_file) return 0;
    static const int origins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2) return 0;
    return fseek(m_file, offset, origins[origin]) == 0;
}

void biobase::Rewind() {
    if (m_file) rewind(m_file);
}

void biobase::Close() {
    if (m_file) fclose(m_file);
    m_file = nullptr;
    m_failed = 0;
    m_size = -1;
}

void biobase::Attach(FILE* f) {
    Close();
    m_file = f;
}

FILE* biobase::Detach() {
    FILE* f = m_file;
    m_file = nullptr;
    m_failed = 0;
    m_size = -1;
    return f;
}

// ---- bofstream ----

bofstream::bofstream(const char* name) { Open(name); }

int bofstream::Open(const char* name) { return Open(name, "wb"); }

int bofstream::Open(const char* name, const char* mode) {
    m_section = -1;
    return biobase::Open(name, mode);
}

int bofstream::Flush() {
    if (!m_file) return 1;
    return fflush(m_file);
}

int bofstream::Write(const void* p, int n) {
    if (!m_file) {
        SetFailed();
        return 0;
    }
    if (n <= 0) return 1;
    if (!p || RawWrite(p, static_cast<size_t>(n), m_file) != static_cast<size_t>(n)) {
        SetFailed();
        return 0;
    }
    return 1;
}

int bofstream::WriteHeader() {
    char magic[kStreamHeaderMagicSize] = {};
    memcpy(magic, strKorvaHeader, sizeof("KORVADATA"));
    const int16_t version = kStreamVersion;
    return Write(magic, kStreamHeaderMagicSize) && Write(&version, 2);
}

int bofstream::BeginSection() {
    m_section = -1;
    if (!m_file) {
        SetFailed();
        return 0;
    }
    const int64_t pos = Tell64(m_file);
    if (pos < 0 || pos > INT32_MAX - 4) {
        SetFailed();
        return 0;
    }
    m_section = static_cast<int32_t>(pos);
    const int32_t placeholder = m_section;
    return Write(&placeholder, 4);
}

int bofstream::EndSection() {
    const int32_t start = m_section;
    m_section = -1;
    if (!m_file || start < 0) {
        SetFailed();
        return 0;
    }
    const int64_t end = Tell64(m_file);
    const int64_t length = end - start - 4;
    if (end < 0 || length < 0 || length > INT32_MAX) {
        SetFailed();
        return 0;
    }
    const int32_t len32 = static_cast<int32_t>(length);
    if (Seek64(m_file, start, SEEK_SET) != 0 || !Write(&len32, 4) ||
        Seek64(m_file, end, SEEK_SET) != 0) {
        SetFailed();
        return 0;
    }
    return 1;
}

bofstream& bofstream::operator<<(const char* s) {
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

bifstream::bifstream(const char* name) { Open(name); }

int bifstream::Open(const char* name) { return biobase::Open(name, "rb"); }

int bifstream::Eof() const {
    if (!m_file) return 1;
    return feof(m_file) != 0;
}

int bifstream::Read(void* p, int n) {
    if (!m_file) {
        SetFailed();
        return 0;
    }
    if (n <= 0) return 1;
    if (!p || RawRead(p, static_cast<size_t>(n), m_file) != static_cast<size_t>(n)) {
        SetFailed();
        return 0;
    }
    return 1;
}

bifstream& bifstream::Get(void* p, int n) {
    unsigned char tmp[8];
    if (Read(tmp, n)) memcpy(p, tmp, static_cast<size_t>(n));
    return *this;
}

int bifstream::ReadHeader() {
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

int64_t bifstream::BytesLeft() {
    if (!m_file) return 0;
    const int64_t pos = Tell64(m_file);
    if (pos < 0) return 0;
    if (m_size < 0) {
        if (Seek64(m_file, 0, SEEK_END) != 0) return 0;
        m_size = Tell64(m_file);
        if (Seek64(m_file, pos, SEEK_SET) != 0) {
            SetFailed();
            return 0;
        }
        if (m_size < 0) return 0;
    }
    return pos < m_size ? m_size - pos : 0;
}

int bifstream::CheckAvailable(int64_t n) {
    if (n < 0 || !m_file || BytesLeft() < n) {
        SetFailed();
        return 0;
    }
    return 1;
}

int bifstream::ReadSection(int& length) {
    int32_t n = 0;
    if (!Read(&n, 4)) return 0;
    if (!CheckAvailable(n)) return 0;
    length = n;
    return 1;
}

int bifstream::ReadString(char* buf, int size) {
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

int bifstream::ReadString(char*& text) {
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
