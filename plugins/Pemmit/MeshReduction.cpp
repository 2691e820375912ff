#include "plugins/Pemmit/MeshReduction.h"

#include <model/Objekt3D.h>
#include <plugins/common/MeshConversion.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

ID3DXMesh* BuildBaseMesh(const cObjekt3D& object, IDirect3DDevice8* device, std::vector<DWORD>& adjacency)
{
    ID3DXMesh* mesh = BuildMeshFromObject(object, device);
    if (mesh == nullptr)
        return nullptr;
    // Each step below keeps the faces and joins or splits vertices only at
    // one point, so the sorted mesh's adjacency (through shared points) holds
    // for every later mesh, and a step that fails leaves mesh and adjacency
    // as they were.
    SortMeshByMaterial(mesh, &adjacency);

    ID3DXMesh* cleaned = nullptr;
    // Splitting can need more vertices than 16-bit indices reach; the
    // simplification then works on the mesh as it is.
    if (SUCCEEDED(D3DXCleanMesh(mesh, adjacency.data(), &cleaned, adjacency.data(), nullptr)) && cleaned != nullptr) {
        mesh->Release();
        mesh = cleaned;
    }

    D3DXWELDEPSILONS exactly{};
    D3DXWeldVertices(mesh, &exactly, adjacency.data(), nullptr, nullptr, nullptr);
    return mesh;
}

ID3DXPMesh* GenerateProgressiveMesh(ID3DXMesh* base, const std::vector<DWORD>& adjacency, DWORD minVertices)
{
    if (base == nullptr || adjacency.size() != static_cast<std::size_t>(base->GetNumFaces()) * 3)
        return nullptr;
    ID3DXPMesh* progressive = nullptr;
    if (FAILED(D3DXGeneratePMesh(base, adjacency.data(), nullptr, nullptr, minVertices, D3DXMESHSIMP_VERTEX, &progressive)))
        return nullptr;
    return progressive;
}

DWORD TargetVertexCount(DWORD minVertices, DWORD maxVertices, int percent)
{
    const std::uint64_t share = static_cast<std::uint64_t>(std::clamp(percent, 0, 100));
    const auto target = static_cast<DWORD>(static_cast<std::uint64_t>(maxVertices) * share / 100);
    return std::max(target, minVertices);
}

ID3DXMesh* ReduceToPercentage(ID3DXPMesh* progressive, int percent, IDirect3DDevice8* device)
{
    if (progressive == nullptr)
        return nullptr;
    progressive->SetNumVertices(
        TargetVertexCount(progressive->GetMinVertices(), progressive->GetMaxVertices(), percent));
    ID3DXMesh* reduced = nullptr;
    if (FAILED(progressive->CloneMeshFVF(D3DXMESH_SYSTEMMEM, MESH_VERTEX_FVF, device, &reduced)))
        return nullptr;
    return reduced;
}

void KeptBaseMesh::Keep(ID3DXMesh* base, std::vector<DWORD> adjacency)
{
    Clear();
    m_pBase = base;
    m_Adjacency = std::move(adjacency);
}

void KeptBaseMesh::Clear()
{
    if (m_pProgressive != nullptr)
        m_pProgressive->Release();
    m_pProgressive = nullptr;
    if (m_pBase != nullptr)
        m_pBase->Release();
    m_pBase = nullptr;
    m_Adjacency.clear();
    m_Floor = 0;
}

ID3DXMesh* KeptBaseMesh::Reduce(int percent, IDirect3DDevice8* device)
{
    if (m_pBase == nullptr)
        return nullptr;
    const DWORD wanted = TargetVertexCount(1, m_pBase->GetNumVertices(), percent);
    // A progressive mesh that stopped above its floor ran out of collapses:
    // going lower would give the same levels.
    const bool tooHigh = m_pProgressive != nullptr && wanted < m_pProgressive->GetMinVertices() &&
                         m_pProgressive->GetMinVertices() <= m_Floor;
    if (m_pProgressive == nullptr || tooHigh) {
        // A user who has gone lower once tends to try further levels: the
        // second time, every level is made, so that no run waits again.
        const DWORD floor = m_pProgressive == nullptr ? wanted : 1;
        ID3DXPMesh* progressive = GenerateProgressiveMesh(m_pBase, m_Adjacency, floor);
        if (progressive == nullptr)
            return nullptr;
        if (m_pProgressive != nullptr)
            m_pProgressive->Release();
        m_pProgressive = progressive;
        m_Floor = floor;
    }
    return ReduceToPercentage(m_pProgressive, percent, device);
}
