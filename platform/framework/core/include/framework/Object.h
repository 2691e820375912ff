// CObject and its runtime-class records: class names, schemas, creation by
// name and kind tests.
//
// The program and every plug-in compile the model classes for themselves, so
// one class name may be registered several times. Lookups by name find the
// earliest registration still present; a module that is unloaded removes its
// records, so the registry never points into an unloaded library.
//
// Left out: AssertValid and Dump, CObject's own operator new with file and
// line, and schema versioning (VERSIONABLE_SCHEMA): a class has one schema,
// checked by the model's reader.
#pragma once

#include <win32/Types.h>

class CArchive;
class CObject;

struct ORBEL_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF for classes that are not serialisable
    CObject* (*m_pfnCreateObject)();  // NULL when dynamic creation is not supported
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or NULL when it cannot be created.
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it. Records of the
    // same name count as the same class, since each module has its own.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);
};

namespace orbel {

// Keeps a runtime class registered for the lifetime of its module's static
// data; one is defined beside every record by the IMPLEMENT_ macros.
class ORBEL_API RuntimeClassRegistration {
public:
    explicit RuntimeClassRegistration(const CRuntimeClass* pClass);
    ~RuntimeClassRegistration();
    RuntimeClassRegistration(const RuntimeClassRegistration&) = delete;
    RuntimeClassRegistration& operator=(const RuntimeClassRegistration&) = delete;

private:
    const CRuntimeClass* m_pClass;
};

} // namespace orbel

class ORBEL_API CObject {
public:
    static const CRuntimeClass classCObject;

    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();
    virtual void Serialize(CArchive& ar);

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

protected:
    CObject() = default;

public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                     \
public:                                                 \
    static const CRuntimeClass class##class_name;       \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define ORBEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                     \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class class_name)), \
                                                         (wSchema), (pfnNew), RUNTIME_CLASS(base_class_name)};     \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }           \
    static const orbel::RuntimeClassRegistration orbelRegistrationOf##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    ORBEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                      \
    CObject* class_name::CreateObject() { return new class_name; }            \
    ORBEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                \
    CObject* class_name::CreateObject() { return new class_name; }            \
    ORBEL_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)
