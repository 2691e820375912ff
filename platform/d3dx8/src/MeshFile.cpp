// ".x" files to meshes and back, through the file-neutral reader and writer.
#include "MeshBuffer.h"
#include "MeshData.h"
#include "WholeFile.h"
#include <d3dx8/XFileData.h>

#include <d3d8/FvfLayout.h>

#include <d3dx8/D3DX8.h>
#include <win32/Paths.h>

#include <cstring>
#include <fstream>
#include <utility>

namespace orbel::d3dx8 {
namespace {

// Releases a held interface at scope end unless handed out.
template <class T>
struct Held {
    T* p = nullptr;
    ~Held() {
        if (p) p->Release();
    }
    T* Take() { return std::exchange(p, nullptr); }
};

D3DCOLORVALUE Colour(const float* rgb, float alpha) { return {rgb[0], rgb[1], rgb[2], alpha}; }

// One buffer: the records, then each texture name with its terminator.
ID3DXBuffer* NewMaterialBuffer(const std::vector<XMaterial>& materials) {
    std::size_t size = materials.size() * sizeof(D3DXMATERIAL);
    for (const XMaterial& m : materials)
        if (!m.texture.empty()) size += m.texture.size() + 1;
    ID3DXBuffer* buffer = nullptr;
    if (FAILED(D3DXCreateBuffer(static_cast<DWORD>(size), &buffer))) return nullptr;
    auto* records = static_cast<D3DXMATERIAL*>(buffer->GetBufferPointer());
    char* names = reinterpret_cast<char*>(records + materials.size());
    for (std::size_t i = 0; i < materials.size(); ++i) {
        const XMaterial& m = materials[i];
        D3DXMATERIAL& record = records[i];
        record.MatD3D.Diffuse = {m.diffuse[0], m.diffuse[1], m.diffuse[2], m.diffuse[3]};
        record.MatD3D.Ambient = {0, 0, 0, 0};
        record.MatD3D.Specular = Colour(m.specular, 1.0f);
        record.MatD3D.Emissive = Colour(m.emissive, 1.0f);
        record.MatD3D.Power = m.power;
        record.pTextureFilename = nullptr;
        if (!m.texture.empty()) {
            std::memcpy(names, m.texture.c_str(), m.texture.size() + 1);
            record.pTextureFilename = names;
            names += m.texture.size() + 1;
        }
    }
    return buffer;
}

HRESULT FillMesh(ID3DXMesh* mesh, const XMeshData& data, const d3d8::FvfLayout& layout) {
    BYTE* vertices = nullptr;
    if (FAILED(mesh->LockVertexBuffer(0, &vertices))) return E_FAIL;
    for (std::size_t i = 0; i < data.vertices.size(); ++i) {
        BYTE* v = vertices + i * layout.size;
        const XVertex& from = data.vertices[i];
        std::memcpy(v, from.position, sizeof from.position);
        if (layout.normal >= 0) std::memcpy(v + layout.normal, from.normal, sizeof from.normal);
        if (layout.texCoord0 >= 0) std::memcpy(v + layout.texCoord0, from.uv, sizeof from.uv);
    }
    mesh->UnlockVertexBuffer();

    BYTE* indices = nullptr;
    if (FAILED(mesh->LockIndexBuffer(0, &indices))) return E_FAIL;
    auto* out = reinterpret_cast<WORD*>(indices);
    for (std::size_t i = 0; i < data.indices.size(); ++i) out[i] = static_cast<WORD>(data.indices[i]);
    mesh->UnlockIndexBuffer();

    DWORD* attributes = nullptr;
    if (FAILED(mesh->LockAttributeBuffer(0, &attributes))) return E_FAIL;
    std::memcpy(attributes, data.attributes.data(), data.attributes.size() * sizeof(DWORD));
    mesh->UnlockAttributeBuffer();
    return D3D_OK;
}

// The mesh's vertices, faces and attributes in file-neutral form.
HRESULT ReadMesh(ID3DXMesh* mesh, XMeshData& data) {
    const d3d8::FvfLayout layout = d3d8::ParseFvf(mesh->GetFVF());
    if (!layout.valid) return D3DERR_INVALIDCALL;
    const DWORD vertexCount = mesh->GetNumVertices();
    const DWORD faceCount = mesh->GetNumFaces();
    data.hasNormals = layout.normal >= 0;
    data.hasTexCoords = layout.texCoord0 >= 0 && layout.texCoord0Size >= 2;

    BYTE* vertices = nullptr;
    if (FAILED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &vertices))) return E_FAIL;
    data.vertices.resize(vertexCount);
    for (DWORD i = 0; i < vertexCount; ++i) {
        const BYTE* v = vertices + std::size_t{i} * layout.size;
        XVertex& to = data.vertices[i];
        std::memcpy(to.position, v, sizeof to.position);
        if (data.hasNormals) std::memcpy(to.normal, v + layout.normal, sizeof to.normal);
        if (data.hasTexCoords) std::memcpy(to.uv, v + layout.texCoord0, sizeof to.uv);
    }
    mesh->UnlockVertexBuffer();

    BYTE* indices = nullptr;
    if (FAILED(mesh->LockIndexBuffer(D3DLOCK_READONLY, &indices))) return E_FAIL;
    const auto* in = reinterpret_cast<const WORD*>(indices);
    data.indices.assign(in, in + std::size_t{faceCount} * 3);
    mesh->UnlockIndexBuffer();

    DWORD* attributes = nullptr;
    if (FAILED(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes))) return E_FAIL;
    data.attributes.assign(attributes, attributes + faceCount);
    mesh->UnlockAttributeBuffer();
    return D3D_OK;
}

XMaterial FromD3DXMaterial(const D3DXMATERIAL& m) {
    XMaterial out;
    const D3DMATERIAL8& c = m.MatD3D;
    const float diffuse[4] = {c.Diffuse.r, c.Diffuse.g, c.Diffuse.b, c.Diffuse.a};
    std::memcpy(out.diffuse, diffuse, sizeof diffuse);
    out.power = c.Power;
    const float specular[3] = {c.Specular.r, c.Specular.g, c.Specular.b};
    const float emissive[3] = {c.Emissive.r, c.Emissive.g, c.Emissive.b};
    std::memcpy(out.specular, specular, sizeof specular);
    std::memcpy(out.emissive, emissive, sizeof emissive);
    if (m.pTextureFilename) out.texture = m.pTextureFilename;
    return out;
}

}  // namespace
}  // namespace orbel::d3dx8

using namespace orbel::d3dx8;

HRESULT D3DXLoadMeshFromX(const char* pFilename, DWORD Options, IDirect3DDevice8* pDevice, ID3DXBuffer** ppAdjacency,
                          ID3DXBuffer** ppMaterials, DWORD* pNumMaterials, ID3DXMesh** ppMesh) {
    if (ppAdjacency) *ppAdjacency = nullptr;
    if (ppMaterials) *ppMaterials = nullptr;
    if (pNumMaterials) *pNumMaterials = 0;
    if (ppMesh) *ppMesh = nullptr;
    if (!pFilename || !ppMesh) return D3DERR_INVALIDCALL;

    std::vector<BYTE> file;
    if (!ReadWholeFile(pFilename, file)) return D3DERR_NOTFOUND;
    XMeshData data;
    if (!ReadXFile(file, data)) return D3DXERR_INVALIDDATA;
    file = {};
    if (data.vertices.size() > kMaxMeshVertices || data.FaceCount() == 0) return D3DXERR_INVALIDDATA;

    const DWORD fvf = D3DFVF_XYZ | (data.hasNormals ? D3DFVF_NORMAL : 0) | (data.hasTexCoords ? D3DFVF_TEX1 : 0);
    Held<ID3DXMesh> mesh;
    HRESULT hr = D3DXCreateMeshFVF(static_cast<DWORD>(data.FaceCount()), static_cast<DWORD>(data.vertices.size()),
                                   Options, fvf, pDevice, &mesh.p);
    if (FAILED(hr)) return hr;
    if (FAILED(hr = FillMesh(mesh.p, data, orbel::d3d8::ParseFvf(fvf)))) return hr;

    Held<ID3DXBuffer> adjacency, materials;
    if (ppAdjacency) {
        if (FAILED(hr = D3DXCreateBuffer(static_cast<DWORD>(data.FaceCount() * 3 * sizeof(DWORD)), &adjacency.p)))
            return hr;
        if (FAILED(hr = mesh.p->GenerateAdjacency(0.0f, static_cast<DWORD*>(adjacency.p->GetBufferPointer()))))
            return hr;
    }
    if (ppMaterials && !data.materials.empty() && !(materials.p = NewMaterialBuffer(data.materials)))
        return E_OUTOFMEMORY;

    if (ppAdjacency) *ppAdjacency = adjacency.Take();
    if (ppMaterials) *ppMaterials = materials.Take();
    if (pNumMaterials) *pNumMaterials = static_cast<DWORD>(data.materials.size());
    *ppMesh = mesh.Take();
    return D3D_OK;
}

HRESULT D3DXSaveMeshToX(const char* pFilename, ID3DXMesh* pMesh, const DWORD*, const D3DXMATERIAL* pMaterials,
                        DWORD NumMaterials, DWORD Format) {
    if (!pFilename || !pMesh || (NumMaterials > 0 && !pMaterials) || Format != DXFILEFORMAT_TEXT)
        return D3DERR_INVALIDCALL;
    XMeshData data;
    HRESULT hr = ReadMesh(pMesh, data);
    if (FAILED(hr)) return hr;
    if (NumMaterials > 0) {
        for (DWORD attribute : data.attributes)
            if (attribute >= NumMaterials) return D3DERR_INVALIDCALL;
        for (DWORD i = 0; i < NumMaterials; ++i) data.materials.push_back(FromD3DXMaterial(pMaterials[i]));
    }
    const std::string text = WriteXFileText(data);
    std::ofstream out(orbel::ToNativePath(pFilename), std::ios::binary | std::ios::trunc);
    if (!out) return E_FAIL;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return out ? D3D_OK : E_FAIL;
}
