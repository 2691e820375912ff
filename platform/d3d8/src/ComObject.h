// Reference counting shared by every object of the layer. Objects start
// with one reference (the one handed to the creator) and delete themselves
// when the last is released.
#pragma once

#include <d3d8/D3D8.h>

#include <atomic>

namespace orbel::d3d8 {

// Number of objects alive, for lifetime tests.
std::atomic<long>& LiveObjects();

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
    ULONG PublicReferences() const { return refs_; }

private:
    ULONG refs_ = 1;
};

}  // namespace orbel::d3d8
