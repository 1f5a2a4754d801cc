#pragma once
// Binary file streams: raw little-endian values, length-prefixed strings,
// byte blocks, the KORVADATA header and length-prefixed sections.
//
// Failure model: a stream that is not open fails every read and write.
// A short read or write, or a length refused by a reader, marks the stream
// failed; IsGood() then returns 0 until ClearError(). Record readers test
// IsGood() after each block.
//
// Values go through a buffer of the stream's own (small values are copied
// inline), so a writer checks Flush() or Close() as well as IsGood().
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "korvalib/base/KorvaApi.h"

// The magic text of a stream file header ("KORVADATA", NUL-terminated).
extern KORVA_API const char* const strKorvaHeader;
// The stream version of the data being read or written.
extern KORVA_API int16_t nVersion;
// The version that files are written with; newer files are refused.
constexpr int16_t kStreamVersion = 129;
constexpr int kStreamHeaderMagicSize = 10;
constexpr int kStreamHeaderSize = 12;

// Inside KorvaLib only: numbers the records of old files (version 100 or
// less) that stored none. ReadHeader resets the count; this returns 1, 2, ...
int NextStreamRecordNumber();

class KORVA_API biobase {
public:
    biobase();
    biobase(const char* name, const char* mode);
    ~biobase();
    // Two objects on one FILE would both close it.
    biobase(const biobase&) = delete;
    biobase& operator=(const biobase&) = delete;

    // Closes any file open before; 1 when the file was opened.
    int Open(const char* name, const char* mode);
    int IsOpen() const { return m_file != nullptr; }
    int operator!() const { return m_file == nullptr; }
    // 0 when no file is open, or a read, write or seek of this stream has
    // failed (the file's error indicator is taken in when it is attached and
    // at every buffer transfer).
    int IsGood() const { return m_file != nullptr && !m_failed; }
    void ClearError();
    // The current position, 0 without a file; -1 when it does not fit a
    // long (32 bits on Windows): files past 2 GiB use TellPos64.
    long TellPos() const;
    // origin: 0 start, 1 current, 2 end. 0 on failure or without a file.
    int Seek(long offset, int origin);
    // 64-bit forms for files past 2 GiB.
    int64_t TellPos64() const;
    int Seek64(int64_t offset, int origin);
    // The file's length in bytes (bytes still buffered for writing
    // included); the position is kept. -1 without a file or on failure.
    int64_t Length64();
    void Rewind();
    // 1 when buffered bytes were written and the file closed without error
    // (also without a file).
    int Close();
    // Closes any open file, then adopts f.
    void Attach(FILE* f);
    // Buffered bytes are written (or unread ones given back) first.
    FILE* Detach();
    // Marks the stream failed; readers call it for a value out of range.
    void SetFailed() { m_failed = 1; }

protected:
    enum : int8_t { kIdle = 0, kWriting = 1, kReading = 2 };
    static constexpr int32_t kBufferSize = 65536;
    // Writes pending bytes, or steps the file back over bytes read ahead;
    // the buffer is then idle. 0 on failure.
    int SyncBuffer();
    // The buffer for writing or reading; 0 when there is no memory for it.
    int StartBuffer(int8_t mode);
    int64_t LogicalPos() const;

    FILE* m_file = nullptr;
    char* m_buf = nullptr;
    int32_t m_pos = 0;  // next byte of the buffer to write or read
    int32_t m_end = 0;  // writing: the capacity; reading: end of the bytes read ahead
    int8_t m_mode = kIdle;
    int8_t m_failed = 0;
    int8_t m_eof = 0;       // a read came up short
    int64_t m_origin = -1;  // file position of the buffer's first byte; -1 unknown
    int64_t m_size = -1;    // file size, cached for bounding lengths; -1 unknown
};

class KORVA_API bofstream : public biobase {
public:
    bofstream() = default;
    explicit bofstream(const char* name);
    ~bofstream() = default;

    int Open(const char* name);
    int Open(const char* name, const char* mode);
    // The C library's result (0 on success); 1 without a file.
    int Flush();
    // 1 when all n bytes were written; 1 for n <= 0 on an open stream.
    // A block that fits in the buffer is copied inline (records write their
    // fixed parts as one block).
    int Write(const void* p, int n)
    {
        if (m_mode == kWriting && n > 0 && p && m_end - m_pos >= n) {
            memcpy(m_buf + m_pos, p, static_cast<size_t>(n));
            m_pos += n;
            return 1;
        }
        return WriteSlow(p, n);
    }
    // The 10-byte magic and the version 129. Does not set nVersion.
    int WriteHeader();
    // Sections do not nest: a second BeginSection forgets the first.
    int BeginSection();
    int EndSection();

    bofstream& operator<<(char v) { return Put(&v, 1); }
    bofstream& operator<<(signed char v) { return Put(&v, 1); }
    bofstream& operator<<(unsigned char v) { return Put(&v, 1); }
    bofstream& operator<<(short v) { return Put(&v, 2); }
    bofstream& operator<<(unsigned short v) { return Put(&v, 2); }
    bofstream& operator<<(int v) { return Put(&v, 4); }
    bofstream& operator<<(unsigned int v) { return Put(&v, 4); }
    bofstream& operator<<(float v) { return Put(&v, 4); }
    bofstream& operator<<(double v) { return Put(&v, 8); }
    bofstream& operator<<(long double v)
    {
        double d = static_cast<double>(v);
        return Put(&d, 8);
    }
    // 32-bit length (text length + 1), the text and its NUL. Null writes "".
    bofstream& operator<<(const char* s);
    // Types whose width differs between platforms or is not fixed.
    bofstream& operator<<(bool) = delete;
    bofstream& operator<<(long) = delete;
    bofstream& operator<<(unsigned long) = delete;
    bofstream& operator<<(long long) = delete;
    bofstream& operator<<(unsigned long long) = delete;
    bofstream& operator<<(wchar_t) = delete;

private:
    int WriteSlow(const void* p, int n);
    bofstream& Put(const void* p, int n)
    {
        if (m_mode == kWriting && m_end - m_pos >= n) {
            memcpy(m_buf + m_pos, p, static_cast<size_t>(n));
            m_pos += n;
        } else {
            WriteSlow(p, n);
        }
        return *this;
    }
    int32_t m_section = -1;  // position of the open section's length field
};

class KORVA_API bifstream : public biobase {
public:
    bifstream() = default;
    explicit bifstream(const char* name);
    ~bifstream() = default;

    int Open(const char* name);
    // The end-of-file indicator; 1 without a file.
    int Eof() const;
    // 1 when all n bytes were read; 1 for n <= 0 on an open stream.
    // Bytes already in the buffer are copied inline.
    int Read(void* p, int n)
    {
        if (m_mode == kReading && n > 0 && p && m_end - m_pos >= n) {
            memcpy(p, m_buf + m_pos, static_cast<size_t>(n));
            m_pos += n;
            return 1;
        }
        return ReadSlow(p, n);
    }
    // The next n bytes when they are already buffered, without taking them;
    // null otherwise (then read them with Read). Valid until the next call.
    const unsigned char* Peek(int n) const
    {
        if (m_mode == kReading && n > 0 && m_end - m_pos >= n)
            return reinterpret_cast<const unsigned char*>(m_buf + m_pos);
        return nullptr;
    }
    // Checks the magic and the version; 0 leaves nVersion as it was.
    int ReadHeader();
    // Reads a section's 32-bit length; 0 (stream failed) when it is
    // negative or larger than what is left of the file.
    int ReadSection(int& length);
    // 1 when at least n bytes are left to read; otherwise (also for n < 0)
    // marks the stream failed and returns 0. Readers call it with
    // count * record size before allocating for a count read from a file.
    int CheckAvailable(int64_t n);

    // A stored text into a caller's buffer of size bytes (NUL included).
    // A length below 1, beyond the buffer or beyond the file is refused:
    // the buffer gets "" and the stream fails.
    int ReadString(char* buf, int size);
    // A stored text into a new buffer (new[]; the caller frees it with
    // delete[]), replacing and freeing the old one. On failure the old
    // text stays.
    int ReadString(char*& text);

    // On a short read the target keeps its value and the stream fails.
    bifstream& operator>>(char& v) { return Get(&v, 1); }
    bifstream& operator>>(signed char& v) { return Get(&v, 1); }
    bifstream& operator>>(unsigned char& v) { return Get(&v, 1); }
    bifstream& operator>>(short& v) { return Get(&v, 2); }
    bifstream& operator>>(unsigned short& v) { return Get(&v, 2); }
    bifstream& operator>>(int& v) { return Get(&v, 4); }
    bifstream& operator>>(unsigned int& v) { return Get(&v, 4); }
    bifstream& operator>>(float& v) { return Get(&v, 4); }
    bifstream& operator>>(double& v) { return Get(&v, 8); }
    bifstream& operator>>(long double& v)
    {
        double d;
        if (Read(&d, 8)) v = d;
        return *this;
    }
    // Texts are read into arrays only, so the length is always bounded.
    template <size_t N>
    bifstream& operator>>(char (&s)[N])
    {
        static_assert(N <= 0x7fffffff);
        ReadString(s, static_cast<int>(N));
        return *this;
    }
    bifstream& operator>>(bool&) = delete;
    bifstream& operator>>(long&) = delete;
    bifstream& operator>>(unsigned long&) = delete;
    bifstream& operator>>(long long&) = delete;
    bifstream& operator>>(unsigned long long&) = delete;
    bifstream& operator>>(wchar_t&) = delete;

private:
    bifstream& Get(void* p, int n)
    {
        if (m_mode == kReading && m_end - m_pos >= n) {
            memcpy(p, m_buf + m_pos, static_cast<size_t>(n));
            m_pos += n;
            return *this;
        }
        return GetSlow(p, n);
    }
    bifstream& GetSlow(void* p, int n);
    int ReadSlow(void* p, int n);
    int64_t BytesLeft();
};
