// Reference counting shared by every object of the layer, D3DX's included.
// Objects start with one reference (the one handed to the creator) and
// delete themselves when the last is released. Only the layer's libraries
// derive from it.
//
// Emulated: AddRef, Release and a QueryInterface that hands out no other
// interface (E_NOINTERFACE), as <d3d8/Unknown.h> says.
// Left out: aggregation, GUIDs and class factories.
#pragma once

#include <d3d8/D3D8.h>
#include <win32/ComObjects.h>

#include <atomic>

namespace orbel::d3d8 {

// Number of objects alive, D3DX's included, for lifetime tests.
inline std::atomic<long>& LiveObjects() { return LiveComObjects(); }

template <class Interface>
class ComObject : public Interface {
public:
    ComObject() { ++LiveObjects(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(REFIID, void** ppvObj) override {
        if (!ppvObj) return E_POINTER;
        *ppvObj = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override {
        const ULONG left = --refs_;
        if (left == 0) FinalRelease();
        return left;
    }

protected:
    virtual ~ComObject() { --LiveObjects(); }
    // Called when the last public reference is gone.
    virtual void FinalRelease() { delete this; }

private:
    ULONG refs_ = 1;
};

// Makes `slot` hold `value`, taking its reference before dropping the old one
// so that assigning an object to the slot that holds it keeps it alive.
template <class T>
void Assign(T*& slot, T* value) {
    if (value) value->AddRef();
    T* old = slot;
    slot = value;
    if (old) old->Release();
}

}  // namespace orbel::d3d8
