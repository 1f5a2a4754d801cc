// File, colour and font dialogs.
#include "framework/CommonDialogs.h"
#include "framework/WinApp.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

namespace {
CFileDialog::Hook g_fileHook = nullptr;
CColorDialog::Hook g_colorHook = nullptr;
constexpr size_t kFileBuffer = 64 * 1024;  // room for many names with multi-select
}  // namespace

HWND CCommonDialog::OwnerHandle() const
{
    return GetSafeHwnd(m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
}

void CFileDialog::SetTestHook(Hook hook)
{
    g_fileHook = hook;
}

CFileDialog::CFileDialog(BOOL open, LPCTSTR defExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter, CWnd* parent)
    : CCommonDialog(parent), m_bOpenFileDialog(open), m_file(kFileBuffer, '\0')
{
    if (filter) {
        // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
        m_filter = filter;
        for (char& c : m_filter)
            if (c == '|') c = '\0';
        m_filter.push_back('\0');
        m_filter.push_back('\0');
    }
    if (defExt) m_defExt = defExt;
    if (fileName) lstrcpynA(m_file.data(), fileName, static_cast<int>(m_file.size()));
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    m_ofn.nFilterIndex = 1;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = OwnerHandle();
    m_ofn.lpstrFile = m_file.data();
    if (g_fileHook) return g_fileHook(this);
    const BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 && m_file[m_ofn.nFileOffset - 1] == '\0') {
        POSITION pos = GetStartPosition();
        return pos ? GetNextPathName(pos) : CString();
    }
    return CString(m_file.data());
}

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    const int slash = path.ReverseFind('\\');
    return path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    const CString path(m_file.data());
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 && m_file[m_ofn.nFileOffset - 1] == '\0')
        return path;
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_file[0] ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(1)) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    // Either one full path, or a folder followed by names, each ending in a zero.
    size_t at = static_cast<size_t>(reinterpret_cast<INT_PTR>(pos)) - 1;
    const char* buf = m_file.data();
    const size_t folderLen = std::strlen(buf);
    const bool multi = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && buf[folderLen + 1] != '\0';
    if (!multi) {
        pos = nullptr;
        return CString(buf);
    }
    if (at == 0) at = folderLen + 1;
    const size_t len = ::strnlen(buf + at, m_file.size() - at);
    CString path(buf);
    if (!path.IsEmpty() && path.Right(1) != "\\") path += '\\';
    path += CString(buf + at, static_cast<int>(len));
    const size_t next = at + len + 1;
    pos = next < m_file.size() && buf[next] ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1)) : nullptr;
    return path;
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF custom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                  0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    return custom;
}

CColorDialog::CColorDialog(COLORREF init, DWORD flags, CWnd* parent) : CCommonDialog(parent)
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.rgbResult = init;
    m_cc.Flags = flags | CC_RGBINIT;
    m_cc.lpCustColors = GetSavedCustomColors();
}

void CColorDialog::SetTestHook(Hook hook)
{
    g_colorHook = hook;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = OwnerHandle();
    if (g_colorHook) return g_colorHook(this);
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

CFontDialog::CFontDialog(const LOGFONT* init, DWORD flags, CDC* printer, CWnd* parent) : CCommonDialog(parent)
{
    m_cf.lStructSize = sizeof m_cf;
    m_cf.Flags = flags;
    if (init) {
        m_lf = *init;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    m_cf.lpLogFont = &m_lf;
    if (printer) {
        m_cf.hDC = printer->m_hDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = OwnerHandle();
    m_cf.lpLogFont = &m_lf;
    return ::ChooseFontA(&m_cf) ? IDOK : IDCANCEL;
}
