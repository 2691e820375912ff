#include <framework/Object.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// Registration order is kept: lookups by name find the earliest record
// still present. Never destroyed, so libraries unloaded at exit can still
// unregister.
struct Registry {
    std::mutex mutex;
    std::vector<const CRuntimeClass*> classes;
};

Registry& TheRegistry()
{
    static auto* registry = new Registry;
    return *registry;
}

} // namespace

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == nullptr)
        return FALSE;
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass || std::strcmp(pClass->m_lpszClassName, pBaseClass->m_lpszClassName) == 0)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    for (const CRuntimeClass* pClass : registry.classes) {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return const_cast<CRuntimeClass*>(pClass);
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    const CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

namespace orbel {

RuntimeClassRegistration::RuntimeClassRegistration(const CRuntimeClass* pClass) : m_pClass(pClass)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.classes.push_back(pClass);
}

RuntimeClassRegistration::~RuntimeClassRegistration()
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto& classes = registry.classes;
    classes.erase(std::remove(classes.begin(), classes.end(), m_pClass), classes.end());
}

} // namespace orbel

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
static const orbel::RuntimeClassRegistration registerCObject(&CObject::classCObject);

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

CObject::~CObject() = default;

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}
