#pragma once
// CFile and CStdioFile: files by name, over the C library's streams, so that
// they also build natively. Errors are results (FALSE, short counts), not exceptions.
#include "framework/Object.h"
#include "framework/String.h"

#include <cstdio>

class FW_API CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = SEEK_SET, current = SEEK_CUR, end = SEEK_END };

    CFile() = default;
    CFile(LPCTSTR path, UINT flags) { Open(path, flags); }
    ~CFile() override { Close(); }
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeCreate makes the file (empty unless modeNoTruncate); without it the file must exist.
    virtual BOOL Open(LPCTSTR path, UINT flags);
    // Closes; FALSE when buffered data could not be written.
    virtual BOOL Close();
    void Abort() { Close(); }
    BOOL IsOpen() const { return m_pStream != nullptr; }

    // Bytes read; fewer than asked at the end of the file or on an error.
    virtual UINT Read(void* buf, UINT count);
    // TRUE only when every byte was written.
    virtual BOOL Write(const void* buf, UINT count);
    virtual BOOL Flush();
    // New position, or -1 when the seek failed.
    virtual int64_t Seek(int64_t offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    int64_t SeekToEnd() { return Seek(0, end); }
    int64_t GetPosition() const;
    int64_t GetLength() const;
    BOOL IsError() const { return m_pStream && std::ferror(m_pStream); }

    const CString& GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;
    CString GetFileTitle() const;

    static BOOL Remove(LPCTSTR path) { return std::remove(path) == 0; }
    static BOOL Rename(LPCTSTR from, LPCTSTR to) { return std::rename(from, to) == 0; }
    // Moves a file over another in one step, replacing it: at every moment
    // one of the two files stands under the target's name. FALSE (nothing
    // moved) when the target is a folder, a read-only file or cannot be
    // replaced.
    static BOOL Replace(LPCTSTR from, LPCTSTR to);

protected:
    FILE* m_pStream = nullptr;
    CString m_strFileName;
};

// Text lines: ReadString drops the line end ("\n" or "\r\n"); WriteString
// writes the text as given (bytes, no line-end translation).
class FW_API CStdioFile : public CFile {
public:
    CStdioFile() = default;
    CStdioFile(LPCTSTR path, UINT flags) { Open(path, flags); }
    // FALSE at the end of the file (when nothing was read).
    BOOL ReadString(CString& line);
    BOOL WriteString(LPCTSTR text);
};
