// The reference-counted base every Direct3D object derives from.
//
// Left out: QueryInterface answers E_NOINTERFACE for every interface (no
// object of this layer hands out another interface of itself), and there
// are no GUIDs for the interfaces.
#pragma once

#include <win32/Types.h>

#ifndef ORBEL_IUNKNOWN_DEFINED
#define ORBEL_IUNKNOWN_DEFINED
struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObj) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    // Objects end through Release, never through delete on the interface.
    ~IUnknown() = default;
};
#endif
