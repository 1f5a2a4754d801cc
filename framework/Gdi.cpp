// Device contexts, GDI objects, image lists and menus.
#include "framework/Gdi.h"
#include "framework/DynLink.h"
#include "framework/Wnd.h"

#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)
IMPLEMENT_DYNAMIC(CImageList, CObject)
IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

std::recursive_mutex g_tempLock;

// Temporary non-owning wrappers, one map per kind of handle.
template <class H, class T>
struct TempMap {
    std::unordered_map<H, T*> map;
    T* Get(H h)
    {
        std::lock_guard<std::recursive_mutex> g(g_tempLock);
        T*& p = map[h];
        if (!p) {
            p = new T;
            p->Attach(h);
        }
        return p;
    }
    void Clear()
    {
        std::lock_guard<std::recursive_mutex> g(g_tempLock);
        for (auto& kv : map) {
            kv.second->Detach();
            delete kv.second;
        }
        map.clear();
    }
};

TempMap<HGDIOBJ, CGdiObject>& GdiTemps()
{
    static TempMap<HGDIOBJ, CGdiObject> m;
    return m;
}
TempMap<HDC, CDC>& DcTemps()
{
    static TempMap<HDC, CDC> m;
    return m;
}
TempMap<HMENU, CMenu>& MenuTemps()
{
    static TempMap<HMENU, CMenu> m;
    return m;
}
TempMap<HIMAGELIST, CImageList>& ImageListTemps()
{
    static TempMap<HIMAGELIST, CImageList> m;
    return m;
}

}  // namespace

void AfxDeleteTempMaps()
{
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    ImageListTemps().Clear();
}

// ---- CGdiObject ---------------------------------------------------------------------

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h)
{
    return h ? GdiTemps().Get(h) : nullptr;
}
void CGdiObject::DeleteTempMap()
{
    GdiTemps().Clear();
}

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    if (!h) return FALSE;
    DeleteObject();
    m_hObject = h;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    const BOOL ok = ::DeleteObject(Detach());
    return ok;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    return Attach(::GetStockObject(index));
}

CBrush::CBrush(CBitmap* bitmap)
{
    CreatePatternBrush(bitmap);
}
BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(bitmap->m_hObject)));
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR face, CDC* dc)
{
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face ? face : "", LF_FACESIZE);
    HDC h = dc ? dc->m_hDC : ::GetDC(nullptr);
    POINT pt{0, ::MulDiv(::GetDeviceCaps(h, LOGPIXELSY), pointSize, 720)};
    POINT org{0, 0};
    ::DPtoLP(h, &pt, 1);
    ::DPtoLP(h, &org, 1);
    lf.lfHeight = -std::abs(pt.y - org.y);
    if (!dc) ::ReleaseDC(nullptr, h);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    return LoadBitmap(MAKEINTRESOURCEA(id));
}
BOOL CBitmap::LoadBitmap(LPCTSTR name)
{
    return Attach(::LoadBitmapA(AfxFindResourceHandle(name, RT_BITMAP), name));
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int w, int h)
{
    return Attach(::CreateCompatibleBitmap(dc->m_hDC, w, h));
}
CSize CBitmap::GetBitmapDimension() const
{
    SIZE s{};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &s);
    return s;
}

BOOL CPalette::CreateHalftonePalette(CDC* dc)
{
    return Attach(::CreateHalftonePalette(dc->m_hDC));
}

// ---- CDC ----------------------------------------------------------------------------

CDC::~CDC()
{
    if (m_hDC) DeleteDC();
}

CDC* CDC::FromHandle(HDC h)
{
    return h ? DcTemps().Get(h) : nullptr;
}
void CDC::DeleteTempMap()
{
    DcTemps().Clear();
}

BOOL CDC::Attach(HDC h)
{
    if (!h) return FALSE;
    m_hDC = m_hAttribDC = h;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}
BOOL CDC::CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* init)
{
    return Attach(::CreateDCA(driver, device, output, static_cast<const DEVMODEA*>(init)));
}
CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CPen* CDC::SelectObject(CPen* pen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject)));
}
CBrush* CDC::SelectObject(CBrush* brush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject)));
}
CFont* CDC::SelectObject(CFont* font)
{
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject)));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)));
}
int CDC::SelectObject(CRgn* rgn)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, rgn->m_hObject)));
}
CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}
CPalette* CDC::SelectPalette(CPalette* pal, BOOL forceBackground)
{
    return CPalette::FromHandle(::SelectPalette(m_hDC, static_cast<HPALETTE>(pal->m_hObject), forceBackground));
}

void CDC::FillSolidRect(LPCRECT r, COLORREF c)
{
    const COLORREF old = ::SetBkColor(m_hDC, c);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c)
{
    const CRect r(x, y, x + cx, y + cy);
    FillSolidRect(&r, c);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    SIZE s{};
    ::GetTextExtentPoint32A(m_hDC, text, count, &s);
    return s;
}

int CDC::GetTextFace(CString& face) const
{
    char buf[LF_FACESIZE + 1] = {};
    const int n = ::GetTextFaceA(m_hDC, sizeof buf, buf);
    face = buf;
    return n;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}
CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}
CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}
CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CMemDC::CMemDC(CDC* compatible, int w, int h)
{
    CreateCompatibleDC(compatible);
    m_bitmap.CreateCompatibleBitmap(compatible, w > 0 ? w : 1, h > 0 ? h : 1);
    m_old = ::SelectObject(m_hDC, m_bitmap.m_hObject);
}

CMemDC::~CMemDC()
{
    if (m_old) ::SelectObject(m_hDC, m_old);
    DeleteDC();
}

BOOL CMetaFileDC::CreateEnhanced(CDC* ref, LPCTSTR file, LPCRECT bounds, LPCTSTR description)
{
    return Attach(::CreateEnhMetaFileA(ref ? ref->m_hDC : nullptr, file, bounds, description));
}

HENHMETAFILE CMetaFileDC::CloseEnhanced()
{
    HDC h = Detach();
    return h ? ::CloseEnhMetaFile(h) : nullptr;
}

CMetaFileDC::~CMetaFileDC()
{
    if (m_hDC) ::DeleteEnhMetaFile(CloseEnhanced());
}

// ---- CImageList -----------------------------------------------------------------------

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    return Attach(ImageList_LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCEA(bitmapId), RT_BITMAP),
                                       MAKEINTRESOURCEA(bitmapId), cx, grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST h)
{
    if (!h) return FALSE;
    DeleteImageList();
    m_hImageList = h;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList) return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* bmp, CBitmap* mask)
{
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(bmp->m_hObject),
                         mask ? static_cast<HBITMAP>(mask->m_hObject) : nullptr);
}

int CImageList::Add(CBitmap* bmp, COLORREF mask)
{
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(bmp->m_hObject), mask);
}

CImageList* CImageList::FromHandle(HIMAGELIST h)
{
    return h ? ImageListTemps().Get(h) : nullptr;
}

// ---- CMenu --------------------------------------------------------------------------

CMenu* CMenu::FromHandle(HMENU h)
{
    return h ? MenuTemps().Get(h) : nullptr;
}
void CMenu::DeleteTempMap()
{
    MenuTemps().Clear();
}

BOOL CMenu::Attach(HMENU h)
{
    if (!h) return FALSE;
    m_hMenu = h;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::LoadMenu(UINT id)
{
    return LoadMenu(MAKEINTRESOURCEA(id));
}
BOOL CMenu::LoadMenu(LPCTSTR name)
{
    return Attach(::LoadMenuA(AfxFindResourceHandle(name, RT_MENU), name));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu) return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const
{
    const int n = ::GetMenuStringA(m_hMenu, id, nullptr, 0, flags);
    char* buf = text.GetBufferSetLength(n + 1);
    const int got = n > 0 ? ::GetMenuStringA(m_hMenu, id, buf, n + 1, flags) : 0;
    text.ReleaseBuffer(got);
    return got;
}

BOOL CMenu::SetMenuItemBitmaps(UINT pos, UINT flags, CBitmap* unchecked, CBitmap* checked)
{
    return ::SetMenuItemBitmaps(m_hMenu, pos, flags, unchecked ? static_cast<HBITMAP>(unchecked->m_hObject) : nullptr,
                                checked ? static_cast<HBITMAP>(checked->m_hObject) : nullptr);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, LPCRECT r)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, CWnd::GetSafeHwnd(wnd), r);
}
