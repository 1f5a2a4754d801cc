#pragma once
// Synchronisation objects over Win32.
#include "framework/Object.h"

#include <windows.h>

class FW_API CSyncObject : public CObject {
public:
    HANDLE m_hObject = nullptr;
    ~CSyncObject() override;
    virtual BOOL Lock(DWORD timeout = INFINITE);
    virtual BOOL Unlock() = 0;
    operator HANDLE() const { return m_hObject; }
};

class FW_API CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, LPCTSTR name = nullptr,
                    LPSECURITY_ATTRIBUTES sa = nullptr);
    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
};

class FW_API CMutex : public CSyncObject {
public:
    explicit CMutex(BOOL initiallyOwn = FALSE, LPCTSTR name = nullptr, LPSECURITY_ATTRIBUTES sa = nullptr);
    BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
};

class FW_API CCriticalSection : public CSyncObject {
public:
    CCriticalSection();
    ~CCriticalSection() override;
    BOOL Lock(DWORD timeout = INFINITE) override;
    BOOL Unlock() override;
    operator CRITICAL_SECTION*() { return &m_sect; }
    CRITICAL_SECTION m_sect;
};

// Locks one object for the lifetime of the lock.
class FW_API CSingleLock {
public:
    explicit CSingleLock(CSyncObject* obj, BOOL initialLock = FALSE);
    ~CSingleLock() { Unlock(); }
    BOOL Lock(DWORD timeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
