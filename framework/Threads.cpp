// Synchronisation objects.
#include "framework/Threads.h"

CSyncObject::~CSyncObject()
{
    if (m_hObject) ::CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD timeout)
{
    return ::WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0;
}

CEvent::CEvent(BOOL initiallyOwn, BOOL manualReset, LPCTSTR name, LPSECURITY_ATTRIBUTES sa)
{
    m_hObject = ::CreateEventA(sa, manualReset, initiallyOwn, name);
}

CMutex::CMutex(BOOL initiallyOwn, LPCTSTR name, LPSECURITY_ATTRIBUTES sa)
{
    m_hObject = ::CreateMutexA(sa, initiallyOwn, name);
}

CCriticalSection::CCriticalSection()
{
    ::InitializeCriticalSection(&m_sect);
}
CCriticalSection::~CCriticalSection()
{
    ::DeleteCriticalSection(&m_sect);
}

BOOL CCriticalSection::Lock(DWORD timeout)
{
    if (timeout == INFINITE) {
        ::EnterCriticalSection(&m_sect);
        return TRUE;
    }
    // A bounded wait: try until the time is up.
    const DWORD start = ::GetTickCount();
    while (!::TryEnterCriticalSection(&m_sect)) {
        if (::GetTickCount() - start >= timeout) return FALSE;
        ::Sleep(1);
    }
    return TRUE;
}

BOOL CCriticalSection::Unlock()
{
    ::LeaveCriticalSection(&m_sect);
    return TRUE;
}

CSingleLock::CSingleLock(CSyncObject* obj, BOOL initialLock) : m_pObject(obj)
{
    if (initialLock) Lock();
}

BOOL CSingleLock::Lock(DWORD timeout)
{
    if (m_bAcquired) return TRUE;
    m_bAcquired = m_pObject->Lock(timeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (!m_bAcquired) return TRUE;
    m_bAcquired = FALSE;
    return m_pObject->Unlock();
}
