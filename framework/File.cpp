// Files over the C library's streams.
#include "framework/File.h"

#include <algorithm>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#endif

BOOL CFile::Open(LPCTSTR path, UINT flags)
{
    Close();
    if (!path || !*path) return FALSE;
    const bool write = (flags & (modeWrite | modeReadWrite)) != 0;
    const bool create = (flags & modeCreate) != 0;
    const bool keep = (flags & modeNoTruncate) != 0;
    const char* mode;
    if (!write)
        mode = "rb";
    else if (create && !keep)
        mode = (flags & modeReadWrite) ? "w+b" : "wb";
    else
        mode = "r+b";
    m_pStream = std::fopen(path, mode);
    if (!m_pStream && write && create && keep)
        m_pStream = std::fopen(path, "w+b");  // "no truncate" still makes a missing file
    if (!m_pStream) return FALSE;
    m_strFileName = path;
    return TRUE;
}

BOOL CFile::Close()
{
    if (!m_pStream) return TRUE;
    const bool bad = std::ferror(m_pStream) != 0;
    const int rc = std::fclose(m_pStream);
    m_pStream = nullptr;
    return rc == 0 && !bad;
}

UINT CFile::Read(void* buf, UINT count)
{
    if (!m_pStream || !buf || count == 0) return 0;
    return static_cast<UINT>(std::fread(buf, 1, count, m_pStream));
}

BOOL CFile::Write(const void* buf, UINT count)
{
    if (!m_pStream) return FALSE;
    if (count == 0) return TRUE;
    return buf && std::fwrite(buf, 1, count, m_pStream) == count;
}

BOOL CFile::Flush()
{
    return m_pStream && std::fflush(m_pStream) == 0;
}

int64_t CFile::Seek(int64_t offset, UINT from)
{
    if (!m_pStream) return -1;
#if defined(_WIN32)
    if (_fseeki64(m_pStream, offset, static_cast<int>(from)) != 0) return -1;
#else
    if (fseeko(m_pStream, static_cast<off_t>(offset), static_cast<int>(from)) != 0) return -1;
#endif
    return GetPosition();
}

int64_t CFile::GetPosition() const
{
    if (!m_pStream) return -1;
#if defined(_WIN32)
    return _ftelli64(m_pStream);
#else
    return static_cast<int64_t>(ftello(m_pStream));
#endif
}

int64_t CFile::GetLength() const
{
    if (!m_pStream) return -1;
    CFile* self = const_cast<CFile*>(this);
    const int64_t here = GetPosition();
    const int64_t len = self->Seek(0, end);
    self->Seek(here, begin);
    return len;
}

CString CFile::GetFileName() const
{
    const int slash = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    return m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

BOOL CStdioFile::ReadString(CString& line)
{
    line.Empty();
    if (!m_pStream) return FALSE;
    // Lines of any length: read in pieces until the line end.
    char buf[512];
    bool any = false;
    while (std::fgets(buf, sizeof buf, m_pStream)) {
        any = true;
        const size_t n = std::strlen(buf);
        line.Append(buf, static_cast<int>(n));
        if (n > 0 && buf[n - 1] == '\n') break;
    }
    if (!any) return FALSE;
    int n = line.GetLength();
    if (n > 0 && line[n - 1] == '\n') --n;
    if (n > 0 && line[n - 1] == '\r') --n;
    line.GetBuffer(0);
    line.ReleaseBuffer(n);  // cut bytes: the line end is ASCII
    return TRUE;
}

BOOL CStdioFile::WriteString(LPCTSTR text)
{
    if (!text) return TRUE;
    return Write(text, static_cast<UINT>(std::strlen(text)));
}

BOOL CFile::Replace(LPCTSTR from, LPCTSTR to)
{
    if (!from || !to || !*from || !*to) return FALSE;
#if defined(_WIN32)
    // Windows refuses to replace a read-only file; Wine does not ask.
    const DWORD attributes = GetFileAttributesA(to);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    // A file without its owner's write permission stays, as on Windows,
    // even for a user whom the system would let replace it.
    struct stat st;
    if (stat(to, &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) return FALSE;
    // rename replaces a file at once, and refuses to put a file over a folder.
    return std::rename(from, to) == 0;
#endif
}
