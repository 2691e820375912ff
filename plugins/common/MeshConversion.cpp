#include "plugins/common/MeshConversion.h"

#include <model/Objekt3D.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Attribute of a face from its material; -1 (the object's colour) is 0.
DWORD AttributeOfMaterial(int material)
{
    return static_cast<DWORD>(material + 1);
}

int MaterialOfAttribute(DWORD attribute)
{
    return static_cast<int>(attribute) - 1;
}

void WriteAttributes(const cObjekt3D& object, DWORD* attributes, int faces)
{
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
        const MaterialRun& run = object.m_Runs.GetNext(pos);
        const int end = pos != nullptr ? object.m_Runs.GetAt(pos).firstFace : faces;
        const int first = std::clamp(run.firstFace, 0, faces);
        const int last = std::clamp(end, 0, faces);
        if (first < last)
            std::fill(attributes + first, attributes + last, AttributeOfMaterial(run.material));
    }
}

}  // namespace

ID3DXMesh* BuildMeshFromObject(const cObjekt3D& object, IDirect3DDevice8* device)
{
    const int faces = object.GetFaceCount();
    const int vertices = static_cast<int>(object.m_Vertices.GetSize());
    if (faces <= 0 || vertices <= 0)
        return nullptr;
    ID3DXMesh* mesh = nullptr;
    if (FAILED(D3DXCreateMeshFVF(static_cast<DWORD>(faces), static_cast<DWORD>(vertices), D3DXMESH_SYSTEMMEM,
                                 MESH_VERTEX_FVF, device, &mesh)) ||
        mesh == nullptr)
        return nullptr;

    BYTE* data = nullptr;
    if (SUCCEEDED(mesh->LockVertexBuffer(0, &data)) && data != nullptr) {
        std::memcpy(data, object.m_Vertices.GetData(), sizeof(MeshVertex) * static_cast<std::size_t>(vertices));
        mesh->UnlockVertexBuffer();
    }
    data = nullptr;
    if (SUCCEEDED(mesh->LockIndexBuffer(0, &data)) && data != nullptr) {
        const std::size_t count = static_cast<std::size_t>(mesh->GetNumFaces()) * 3;
        std::memcpy(data, object.m_Indices.GetData(), sizeof(WORD) * count);
        mesh->UnlockIndexBuffer();
    }
    DWORD* attributes = nullptr;
    if (SUCCEEDED(mesh->LockAttributeBuffer(0, &attributes)) && attributes != nullptr) {
        WriteAttributes(object, attributes, static_cast<int>(mesh->GetNumFaces()));
        mesh->UnlockAttributeBuffer();
    }
    return mesh;
}

void SortMeshByMaterial(ID3DXMesh* mesh, std::vector<DWORD>* adjacencyOut)
{
    if (mesh == nullptr)
        return;
    const std::size_t entries = static_cast<std::size_t>(mesh->GetNumFaces()) * 3;
    std::vector<DWORD> adjacency(entries);
    mesh->GenerateAdjacency(0.0f, adjacency.data());
    // D3DXValidMesh is not asked: nothing here would act on its verdict.

    std::vector<DWORD> sortedAdjacency(entries);
    // The second pass reads the adjacency the first one wrote; without it
    // there is nothing sound to read. A failed pass leaves the mesh, and so
    // its adjacency, as they were.
    if (SUCCEEDED(mesh->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT, adjacency.data(),
                                        sortedAdjacency.data(), nullptr, nullptr))) {
        if (FAILED(mesh->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE,
                                         sortedAdjacency.data(), adjacency.data(), nullptr, nullptr)))
            adjacency.swap(sortedAdjacency);
    }
    if (adjacencyOut != nullptr)
        *adjacencyOut = std::move(adjacency);
}

void WriteRunsFromAttributes(cObjekt3D& object, const DWORD* attributes, int meshFaces)
{
    object.m_Runs.RemoveAll();
    for (int face = 0; face < meshFaces; ++face) {
        const int material = MaterialOfAttribute(attributes[face]);
        if (face == 0 || object.m_Runs.GetTail().material != material)
            object.m_Runs.AddTail(MaterialRun{material, face});
    }
    if (object.m_Runs.IsEmpty()) {
        object.m_Runs.AddTail(MaterialRun{-1, 0});
        return;
    }
    // The faces past the mesh's keep the colour run that SetFaceMaterial
    // face by face would have left behind them, even after a colour run.
    if (object.GetFaceCount() > meshFaces)
        object.m_Runs.AddTail(MaterialRun{-1, meshFaces});
}

void WriteMeshToObject(ID3DXMesh* mesh, cObjekt3D& object, bool shorten)
{
    if (mesh == nullptr)
        return;
    const int faces = static_cast<int>(mesh->GetNumFaces());
    const int vertices = static_cast<int>(mesh->GetNumVertices());
    if (shorten) {
        object.m_Indices.SetSize(0);
        object.m_Indices.SetSize(static_cast<INT_PTR>(faces) * 3);
        object.m_Vertices.SetSize(0);
        object.m_Vertices.SetSize(vertices);
    }

    BYTE* data = nullptr;
    if (SUCCEEDED(mesh->LockVertexBuffer(0, &data)) && data != nullptr) {
        if (object.m_Vertices.GetSize() < vertices)
            object.m_Vertices.SetSize(vertices);
        std::memcpy(object.m_Vertices.GetData(), data, sizeof(MeshVertex) * static_cast<std::size_t>(vertices));
        mesh->UnlockVertexBuffer();
    }
    data = nullptr;
    if (SUCCEEDED(mesh->LockIndexBuffer(0, &data)) && data != nullptr) {
        const INT_PTR count = static_cast<INT_PTR>(faces) * 3;
        if (object.m_Indices.GetSize() < count)
            object.m_Indices.SetSize(count);
        std::memcpy(object.m_Indices.GetData(), data, sizeof(WORD) * static_cast<std::size_t>(count));
        mesh->UnlockIndexBuffer();
    }

    object.m_Runs.RemoveAll();
    object.m_Runs.AddTail(MaterialRun{-1, 0});
    DWORD* attributes = nullptr;
    if (SUCCEEDED(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes)) && attributes != nullptr) {
        // The face count SetFaceMaterial would honour: the object's.
        WriteRunsFromAttributes(object, attributes, std::min(faces, object.GetFaceCount()));
        mesh->UnlockAttributeBuffer();
    }
}
