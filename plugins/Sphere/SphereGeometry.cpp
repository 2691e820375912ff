#include "plugins/Sphere/SphereGeometry.h"

#include <model/Objekt3D.h>

#include <d3dx8/D3DX8.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kInverseTwoPi = 0.15915494f;
constexpr float kInversePi = 0.31830987f;

double ClampedRatio(double numerator, double denominator)
{
    return std::clamp(numerator / denominator, -1.0, 1.0);
}

}  // namespace

void SphereTextureCoordinates(float x, float y, float z, float radius, float& u, float& v)
{
    if (y != 0.0f) {
        const float r = std::sqrt(x * x + y * y);
        const float turn = static_cast<float>(std::acos(ClampedRatio(x, r))) * kInverseTwoPi;
        u = y < 0.0f ? 1.0f - turn : turn;
    }
    v = radius == 0.0f ? 0.5f : static_cast<float>(std::asin(ClampedRatio(z, radius))) * kInversePi + 0.5f;
}

void ClearGeometry(cObjekt3D& object)
{
    object.m_Vertices.RemoveAll();
    object.m_Vertices.FreeExtra();
    object.m_Indices.RemoveAll();
    object.m_Indices.FreeExtra();
}

void AppendSphere(cObjekt3D& object, IDirect3DDevice8* device, float radius, int slices, int stacks)
{
    ID3DXMesh* sphere = nullptr;
    if (FAILED(D3DXCreateSphere(device, radius, static_cast<UINT>(slices), static_cast<UINT>(stacks), &sphere,
                                nullptr)) ||
        sphere == nullptr)
        return;
    ID3DXMesh* mesh = nullptr;
    const HRESULT cloned = sphere->CloneMeshFVF(D3DXMESH_SYSTEMMEM, MESH_VERTEX_FVF, device, &mesh);
    sphere->Release();
    if (FAILED(cloned) || mesh == nullptr)
        return;

    BYTE* vertices = nullptr;
    if (SUCCEEDED(mesh->LockVertexBuffer(0, &vertices)) && vertices != nullptr) {
        const DWORD count = mesh->GetNumVertices();
        const auto* source = reinterpret_cast<const MeshVertex*>(vertices);
        for (DWORD i = 0; i < count; ++i) {
            MeshVertex vertex = source[i];
            SphereTextureCoordinates(vertex.x, vertex.y, vertex.z, radius, vertex.u, vertex.v);
            object.AddVertex(vertex);
        }
        mesh->UnlockVertexBuffer();
    }
    BYTE* indices = nullptr;
    if (SUCCEEDED(mesh->LockIndexBuffer(0, &indices)) && indices != nullptr) {
        const DWORD count = mesh->GetNumFaces() * 3;
        const auto* source = reinterpret_cast<const WORD*>(indices);
        for (DWORD i = 0; i < count; ++i)
            object.AddIndex(source[i]);
        mesh->UnlockIndexBuffer();
    }
    mesh->Release();
}
