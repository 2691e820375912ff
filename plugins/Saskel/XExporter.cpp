#include "plugins/Saskel/XExporter.h"

#include "plugins/Saskel/ExportMaterials.h"

#include <framework/MessageBox.h>
#include <model/Objekt3D.h>
#include <model/Selection.h>
#include <plugins/common/PluginLibrary.h>

#include <algorithm>
#include <vector>

ORBEL_PLUGIN_LIBRARY(cXExporter, ResourceTables{})

namespace {

const char* const kFilterText = "Microsoft X (*.x)|*.x|";

constexpr DWORD kSortFlags = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT;
constexpr DWORD kCacheFlags = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE;

// The object's vertices in world space; normals turned by the rotation only.
void CopyVertices(ID3DXMesh* mesh, const cObjekt3D& object)
{
    BYTE* data = nullptr;
    if (FAILED(mesh->LockVertexBuffer(0, &data)))
        return;
    D3DXMATRIX world, rotation;
    object.GetWorldMatrix(&world);
    object.GetRotationMatrix(&rotation);
    auto* out = reinterpret_cast<MeshVertex*>(data);
    for (INT_PTR i = 0; i < object.m_Vertices.GetSize(); ++i) {
        const MeshVertex& v = object.m_Vertices[i];
        MeshVertex& w = out[i];
        const D3DXVECTOR3 position(v.x, v.y, v.z), normal(v.nx, v.ny, v.nz);
        D3DXVECTOR3 p, n;
        D3DXVec3TransformCoord(&p, &position, &world);
        D3DXVec3TransformCoord(&n, &normal, &rotation);
        w = {p.x, p.y, p.z, n.x, n.y, n.z, v.u, v.v};
    }
    mesh->UnlockVertexBuffer();
}

void CopyIndices(ID3DXMesh* mesh, const cObjekt3D& object)
{
    BYTE* data = nullptr;
    if (FAILED(mesh->LockIndexBuffer(0, &data)))
        return;
    auto* out = reinterpret_cast<WORD*>(data);
    for (DWORD i = 0; i < mesh->GetNumFaces() * 3; ++i)
        out[i] = object.m_Indices[static_cast<INT_PTR>(i)];
    mesh->UnlockIndexBuffer();
}

void CopyAttributes(ID3DXMesh* mesh, const cObjekt3D& object, const cExportMaterials& materials)
{
    DWORD* attributes = nullptr;
    if (FAILED(mesh->LockAttributeBuffer(0, &attributes)))
        return;
    const int faces = static_cast<int>(mesh->GetNumFaces());
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
        const MaterialRun& run = object.m_Runs.GetNext(pos);
        const int end = pos != nullptr ? object.m_Runs.GetAt(pos).firstFace : faces;
        for (int face = std::max(run.firstFace, 0); face < std::min(end, faces); ++face)
            attributes[face] = materials.SlotFor(run.material);
    }
    mesh->UnlockAttributeBuffer();
}

}  // namespace

cXExporter::cXExporter() = default;

cXExporter::~cXExporter() = default;

void cXExporter::Release()
{
    m_Requests.Free();
    delete this;
}

void cXExporter::ShowPanel(CWnd*) {}

void cXExporter::HidePanel() { Reset(); }

void cXExporter::Reset()
{
    m_Event = 0;
    m_Requests.Free();
    m_Path.Empty();
    m_pDevice = nullptr;
    m_pSelection = nullptr;
    m_pMaterials = nullptr;
}

bool cXExporter::OnEvent(int event)
{
    m_Event = event;
    return event == PE_EXPORT;
}

int cXExporter::GetRequestCount()
{
    m_Requests.Free();
    if (m_Event != PE_EXPORT)
        return 0;
    Reset();
    return m_Requests.Build({PR_FILE_PATH, PR_DEVICE, PR_SELECTION, PR_MATERIALS});
}

const char* cXExporter::GetText(int) { return nullptr; }

const char* cXExporter::GetName() { return kFilterText; }

void cXExporter::SetParam(int request, void* value)
{
    switch (request) {
    case PR_SELECTION:
        m_pSelection = static_cast<cSelection*>(value);
        break;
    case PR_DEVICE:
        m_pDevice = static_cast<IDirect3DDevice8*>(value);
        break;
    case PR_FILE_PATH:
        if (value != nullptr)
            m_Path = *static_cast<const CString*>(value);
        break;
    case PR_MATERIALS:
        m_pMaterials = static_cast<CArray<cMaterial*, cMaterial*>*>(value);
        CheckSelectionAndExport();
        break;
    default:
        break;
    }
}

void cXExporter::CheckSelectionAndExport()
{
    if (m_pSelection == nullptr || m_pMaterials == nullptr)
        return;
    const INT_PTR selected = m_pSelection->m_Objects.GetCount();
    if (selected == 0)
        MessageBoxA(nullptr, "No Objects for Export Selected.", "Warning", MB_OK);
    else if (selected > 1)
        MessageBoxA(nullptr, "Please select only one object or join objects together.", "Warning", MB_OK);
    else if (cObjekt3D* object = m_pSelection->m_Objects.GetHead())
        WriteXFile(*object);
}

void cXExporter::WriteXFile(const cObjekt3D& object)
{
    const cExportMaterials materials(object, *m_pMaterials);

    // No faces, or more vertices than 16-bit indices reach: D3DX makes no
    // mesh and nothing is written.
    ID3DXMesh* mesh = nullptr;
    if (FAILED(D3DXCreateMeshFVF(static_cast<DWORD>(object.m_Indices.GetSize() / 3),
                                 static_cast<DWORD>(object.m_Vertices.GetSize()), D3DXMESH_SYSTEMMEM, MESH_VERTEX_FVF,
                                 m_pDevice, &mesh)) ||
        mesh == nullptr)
        return;
    CopyVertices(mesh, object);
    CopyIndices(mesh, object);
    CopyAttributes(mesh, object, materials);

    const std::size_t entries = std::size_t{mesh->GetNumFaces()} * 3;
    std::vector<DWORD> adjacency(entries), sorted(entries);
    mesh->GenerateAdjacency(0.0f, adjacency.data());
    ID3DXBuffer* errors = nullptr;
    D3DXValidMesh(mesh, adjacency.data(), &errors);
    // The second pass reads the first one's adjacency, which a failed first
    // pass never wrote.
    if (SUCCEEDED(mesh->OptimizeInplace(kSortFlags, adjacency.data(), sorted.data(), nullptr, nullptr)))
        mesh->OptimizeInplace(kCacheFlags, sorted.data(), nullptr, nullptr, nullptr);
    if (errors != nullptr)
        errors->Release();

    std::vector<DWORD> fresh(std::size_t{mesh->GetNumFaces()} * 3);
    mesh->GenerateAdjacency(0.0f, fresh.data());
    D3DXSaveMeshToX(m_Path, mesh, fresh.data(), materials.Records(), materials.Count(), DXFILEFORMAT_TEXT);
    mesh->Release();
}
