// Test library: registers runtime classes as a plug-in's copy of the model does.
#include <framework/Afx.h>

namespace {

class RegistryTwin : public CObject {
    DECLARE_SERIAL(RegistryTwin)
public:
    int origin = 2;  // the test program's twin says 1
};
IMPLEMENT_SERIAL(RegistryTwin, CObject, 1)

class OnlyInLibrary : public CObject {
    DECLARE_DYNCREATE(OnlyInLibrary)
};
IMPLEMENT_DYNCREATE(OnlyInLibrary, CObject)

} // namespace

extern "C" ORBEL_API const CRuntimeClass* LibraryTwinClass()
{
    return RUNTIME_CLASS(RegistryTwin);
}
