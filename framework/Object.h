#pragma once
// CObject and run-time class information: IsKindOf and creation by class.
#include "framework/FrameworkApi.h"
#include "framework/FwTypes.h"

class CObject;

struct FW_API CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();  // null when the class is not creatable
    CRuntimeClass* (*m_pfnGetBaseClass)();

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
    CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }
    // Looks a creatable or dynamic class up by name among those linked in.
    static CRuntimeClass* FromName(const char* className);
};

// Registers a class for FromName; one static instance per IMPLEMENT_ macro.
struct FW_API FwClassRegistrar {
    explicit FwClassRegistrar(CRuntimeClass* cls);
};

class FW_API CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const;
    static CRuntimeClass* GetThisClass();

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(cls) (cls::GetThisClass())

#define DECLARE_DYNAMIC(cls)              \
public:                                   \
    static CRuntimeClass* GetThisClass(); \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(cls) \
    DECLARE_DYNAMIC(cls)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(cls) DECLARE_DYNCREATE(cls)

#define FW_IMPLEMENT_RUNTIME(cls, base, creator)                                                       \
    CRuntimeClass* cls::GetThisClass()                                                                 \
    {                                                                                                  \
        static CRuntimeClass rc = {#cls, static_cast<int>(sizeof(cls)), creator, &base::GetThisClass}; \
        return &rc;                                                                                    \
    }                                                                                                  \
    CRuntimeClass* cls::GetRuntimeClass() const                                                        \
    {                                                                                                  \
        return cls::GetThisClass();                                                                    \
    }                                                                                                  \
    static FwClassRegistrar fw_registrar_##cls(cls::GetThisClass());

#define IMPLEMENT_DYNAMIC(cls, base) FW_IMPLEMENT_RUNTIME(cls, base, nullptr)

#define IMPLEMENT_DYNCREATE(cls, base) \
    CObject* cls::CreateObject()       \
    {                                  \
        return new cls;                \
    }                                  \
    FW_IMPLEMENT_RUNTIME(cls, base, &cls::CreateObject)

#define IMPLEMENT_SERIAL(cls, base, schema) IMPLEMENT_DYNCREATE(cls, base)

// Checked down-cast: null when the object is not of that class.
template <class T>
T* DynamicDownCast(CObject* p)
{
    return p && p->IsKindOf(RUNTIME_CLASS(T)) ? static_cast<T*>(p) : nullptr;
}
#define DYNAMIC_DOWNCAST(cls, p) DynamicDownCast<cls>(p)
#define STATIC_DOWNCAST(cls, p) static_cast<cls*>(p)
