// What plain and progressive meshes share: the counts, the locks, cloning,
// the attribute table, adjacency and drawing.
#pragma once

#include "MeshData.h"
#include <d3d8/ComObject.h>

#include <algorithm>
#include <new>

namespace orbel::d3dx8 {

// Copies every vertex from one format into another: components both formats
// have are copied (texture sets up to the smaller size), the others are zero.
void ConvertVertices(const MeshData& from, DWORD toFvf, UINT toStride, std::vector<BYTE>& out);

// Fills `out` (NumFaces x 3 entries) with the adjacency of `mesh`; reads the
// mesh only, so `out` may be any array. Indices must be in range.
void ComputeAdjacency(const MeshData& mesh, float epsilon, DWORD* out);

// Draws the faces carrying `attribute` with the device.
HRESULT DrawMeshSubset(IDirect3DDevice8* device, const MeshData& mesh, DWORD attribute);

template <class Interface>
class MeshBase : public d3d8::ComObject<Interface>, public MeshAccess {
public:
    MeshBase(IDirect3DDevice8* device, MeshData&& data) : device_(device), data_(std::move(data)) {
        if (device_) device_->AddRef();
    }

    MeshData& Data() override { return data_; }
    IDirect3DDevice8* Device() override { return device_; }
    bool Locked() const override { return vertexLocks_ > 0 || indexLocks_ > 0 || attributeLocks_ > 0; }

    HRESULT DrawSubset(DWORD AttribId) override { return DrawMeshSubset(device_, data_, AttribId); }
    DWORD GetNumFaces() override { return data_.NumFaces(); }
    DWORD GetNumVertices() override { return data_.NumVertices(); }
    DWORD GetFVF() override { return data_.fvf; }
    DWORD GetOptions() override { return data_.options; }

    HRESULT GetDevice(IDirect3DDevice8** ppDevice) override {
        if (!ppDevice) return D3DERR_INVALIDCALL;
        if (device_) device_->AddRef();
        *ppDevice = device_;
        return D3D_OK;
    }

    HRESULT CloneMeshFVF(DWORD Options, DWORD FVF, IDirect3DDevice8* pDevice, ID3DXMesh** ppCloneMesh) override {
        if (!ppCloneMesh) return D3DERR_INVALIDCALL;
        *ppCloneMesh = nullptr;
        const UINT stride = VertexStride(FVF);
        if (!stride || !OptionsSupported(Options)) return D3DERR_INVALIDCALL;
        MeshData copy;
        copy.fvf = FVF;
        copy.stride = stride;
        copy.options = Options;
        ConvertVertices(data_, FVF, stride, copy.vertices);
        copy.indices = data_.indices;
        copy.attributes = data_.attributes;
        copy.table = data_.table;
        *ppCloneMesh = NewMesh(pDevice, std::move(copy));
        return *ppCloneMesh ? D3D_OK : E_OUTOFMEMORY;
    }

    HRESULT LockVertexBuffer(DWORD Flags, BYTE** ppData) override {
        return Lock(vertexLocks_, data_.vertices.data(), ppData);
    }
    HRESULT UnlockVertexBuffer() override { return Unlock(vertexLocks_); }
    HRESULT LockIndexBuffer(DWORD Flags, BYTE** ppData) override {
        return Lock(indexLocks_, reinterpret_cast<BYTE*>(data_.indices.data()), ppData);
    }
    HRESULT UnlockIndexBuffer() override { return Unlock(indexLocks_); }

    HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* pAttribTable, DWORD* pAttribTableSize) override {
        if (!pAttribTableSize) return D3DERR_INVALIDCALL;
        if (!pAttribTable) {
            *pAttribTableSize = static_cast<DWORD>(data_.table.size());
            return D3D_OK;
        }
        // The caller's array holds *pAttribTableSize entries; never write past it.
        if (*pAttribTableSize < data_.table.size()) return D3DERR_INVALIDCALL;
        std::copy(data_.table.begin(), data_.table.end(), pAttribTable);
        *pAttribTableSize = static_cast<DWORD>(data_.table.size());
        return D3D_OK;
    }

    HRESULT GenerateAdjacency(float Epsilon, DWORD* pAdjacency) override {
        if (!pAdjacency || !(Epsilon >= 0.0f) || !IndicesInRange(data_)) return D3DERR_INVALIDCALL;
        try {
            ComputeAdjacency(data_, Epsilon, pAdjacency);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        return D3D_OK;
    }

protected:
    ~MeshBase() override {
        if (device_) device_->Release();
    }

    static HRESULT Lock(int& locks, BYTE* memory, BYTE** ppData) {
        if (!ppData) return D3DERR_INVALIDCALL;
        ++locks;
        *ppData = memory;
        return D3D_OK;
    }
    static HRESULT Unlock(int& locks) {
        if (locks == 0) return D3DERR_INVALIDCALL;
        --locks;
        return D3D_OK;
    }

    IDirect3DDevice8* device_;
    MeshData data_;
    int vertexLocks_ = 0;
    int indexLocks_ = 0;
    int attributeLocks_ = 0;
};

}  // namespace orbel::d3dx8
