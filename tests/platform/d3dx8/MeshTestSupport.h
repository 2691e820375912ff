// Small meshes drawn by hand for the mesh tests, and readers of their buffers.
#pragma once

#include <d3dx8/Mesh.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <ostream>
#include <vector>

inline bool operator==(const D3DXATTRIBUTERANGE& a, const D3DXATTRIBUTERANGE& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline void PrintTo(const D3DXATTRIBUTERANGE& r, std::ostream* os) {
    *os << "{attr " << r.AttribId << ", faces " << r.FaceStart << "+" << r.FaceCount << ", vertices "
        << r.VertexStart << "+" << r.VertexCount << "}";
}

namespace orbel::test {

struct MeshVertex {  // FVF 0x112
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
constexpr DWORD kMeshFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

using Positions = std::vector<std::array<float, 3>>;
using Indices = std::vector<WORD>;
using Attributes = std::vector<DWORD>;

// Releases a COM object at the end of a scope.
template <class T>
struct Held {
    T* p = nullptr;
    Held() = default;
    explicit Held(T* object) : p(object) {}
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    Held(Held&& other) noexcept : p(other.p) { other.p = nullptr; }
    ~Held() { reset(); }
    void reset(T* object = nullptr) {
        if (p) p->Release();
        p = object;
    }
    T** out() {
        reset();
        return &p;
    }
    T* operator->() const { return p; }
    T* get() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// A 0x112 mesh with these positions (normals and texture coordinates 0),
// faces and attributes (all 0 when none are given).
inline Held<ID3DXMesh> MakeMesh(const Positions& positions, const Indices& indices, const Attributes& attributes = {}) {
    Held<ID3DXMesh> mesh;
    const DWORD faces = static_cast<DWORD>(indices.size() / 3);
    EXPECT_EQ(D3DXCreateMeshFVF(faces, static_cast<DWORD>(positions.size()), D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr,
                                mesh.out()),
              D3D_OK);
    if (!mesh) return mesh;
    BYTE* bytes = nullptr;
    mesh->LockVertexBuffer(0, &bytes);
    auto* vertices = reinterpret_cast<MeshVertex*>(bytes);
    for (std::size_t i = 0; i < positions.size(); ++i)
        vertices[i] = {positions[i][0], positions[i][1], positions[i][2], 0, 0, 0, 0, 0};
    mesh->UnlockVertexBuffer();
    mesh->LockIndexBuffer(0, &bytes);
    std::memcpy(bytes, indices.data(), indices.size() * sizeof(WORD));
    mesh->UnlockIndexBuffer();
    DWORD* attributeData = nullptr;
    mesh->LockAttributeBuffer(0, &attributeData);
    for (DWORD f = 0; f < faces; ++f) attributeData[f] = f < attributes.size() ? attributes[f] : 0;
    mesh->UnlockAttributeBuffer();
    return mesh;
}

template <class T>
std::vector<T> VertexData(ID3DXBaseMesh* mesh) {
    std::vector<T> out(mesh->GetNumVertices());
    BYTE* bytes = nullptr;
    if (mesh->LockVertexBuffer(D3DLOCK_READONLY, &bytes) != D3D_OK) return {};
    if (!out.empty()) std::memcpy(out.data(), bytes, out.size() * sizeof(T));
    mesh->UnlockVertexBuffer();
    return out;
}

inline std::vector<MeshVertex> Vertices(ID3DXBaseMesh* mesh) { return VertexData<MeshVertex>(mesh); }

inline Indices IndicesOf(ID3DXBaseMesh* mesh) {
    Indices out(mesh->GetNumFaces() * 3);
    BYTE* bytes = nullptr;
    if (mesh->LockIndexBuffer(D3DLOCK_READONLY, &bytes) != D3D_OK) return {};
    if (!out.empty()) std::memcpy(out.data(), bytes, out.size() * sizeof(WORD));
    mesh->UnlockIndexBuffer();
    return out;
}

inline Attributes AttributesOf(ID3DXMesh* mesh) {
    Attributes out(mesh->GetNumFaces());
    DWORD* data = nullptr;
    if (mesh->LockAttributeBuffer(D3DLOCK_READONLY, &data) != D3D_OK) return {};
    if (!out.empty()) std::memcpy(out.data(), data, out.size() * sizeof(DWORD));
    mesh->UnlockAttributeBuffer();
    return out;
}

inline std::vector<D3DXATTRIBUTERANGE> TableOf(ID3DXBaseMesh* mesh) {
    DWORD size = 0;
    EXPECT_EQ(mesh->GetAttributeTable(nullptr, &size), D3D_OK);
    std::vector<D3DXATTRIBUTERANGE> table(size);
    if (size) {
        EXPECT_EQ(mesh->GetAttributeTable(table.data(), &size), D3D_OK);
    }
    return table;
}

inline std::vector<DWORD> AdjacencyOf(ID3DXBaseMesh* mesh, float epsilon = 0.0f) {
    std::vector<DWORD> adjacency(mesh->GetNumFaces() * 3, 0xDEADBEEFu);
    EXPECT_EQ(mesh->GenerateAdjacency(epsilon, adjacency.data()), D3D_OK);
    return adjacency;
}

constexpr DWORD kNone = 0xFFFFFFFFu;

// Two progressive meshes of one base give the same buffers at every count
// from `lowest` to the maximum (the attributes compared through clones).
inline void ExpectSameLevels(ID3DXPMesh* expected, ID3DXPMesh* actual, DWORD lowest) {
    using Vertex = std::array<float, 8>;
    for (DWORD count = expected->GetMaxVertices(); count >= lowest && count > 0; --count) {
        SCOPED_TRACE(count);
        ASSERT_EQ(expected->SetNumVertices(count), D3D_OK);
        ASSERT_EQ(actual->SetNumVertices(count), D3D_OK);
        ASSERT_EQ(VertexData<Vertex>(actual), VertexData<Vertex>(expected));
        ASSERT_EQ(IndicesOf(actual), IndicesOf(expected));
        ASSERT_EQ(TableOf(actual), TableOf(expected));
        Held<ID3DXMesh> a, e;
        ASSERT_EQ(actual->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, a.out()), D3D_OK);
        ASSERT_EQ(expected->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kMeshFvf, nullptr, e.out()), D3D_OK);
        ASSERT_EQ(AttributesOf(a.get()), AttributesOf(e.get()));
    }
}

}  // namespace orbel::test
