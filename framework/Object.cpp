// Run-time class information.
#include "framework/Object.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

std::vector<CRuntimeClass*>& Registry()
{
    static std::vector<CRuntimeClass*> classes;
    return classes;
}

std::mutex& RegistryLock()
{
    static std::mutex m;
    return m;
}

}  // namespace

FwClassRegistrar::FwClassRegistrar(CRuntimeClass* cls)
{
    std::lock_guard<std::mutex> lock(RegistryLock());
    Registry().push_back(cls);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->GetBaseClass())
        if (c == base) return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(const char* className)
{
    if (!className) return nullptr;
    std::lock_guard<std::mutex> lock(RegistryLock());
    for (CRuntimeClass* c : Registry())
        if (std::strcmp(c->m_lpszClassName, className) == 0) return c;
    return nullptr;
}

CRuntimeClass* CObject::GetThisClass()
{
    static CRuntimeClass rc = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr};
    return &rc;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return CObject::GetThisClass();
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}
