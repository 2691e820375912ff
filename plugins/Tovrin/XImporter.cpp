#include "plugins/Tovrin/XImporter.h"

#include "plugins/Tovrin/TextureLookup.h"

#include <model/Material.h>
#include <model/Objekt3D.h>
#include <plugins/common/MeshConversion.h>
#include <plugins/common/PluginLibrary.h>

#include <algorithm>
#include <string>

ORBEL_PLUGIN_LIBRARY(cXImporter, ResourceTables{})

namespace {

const char* const kFilterText = "Microsoft X (*.x)|*.x|";
const char* const kUndoLabel = "Import from .x";

constexpr DWORD kSortFlags = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT;
constexpr DWORD kCacheFlags = D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE;

// Face attributes in the form the run builder takes: material + 1, with 0
// for the object's own colour.
constexpr DWORD kObjectColour = 0;

DWORD AttributeOfMaterial(int material)
{
    return static_cast<DWORD>(material + 1);
}

template <class T>
void ReleaseAndClear(T*& held)
{
    if (held != nullptr)
        held->Release();
    held = nullptr;
}

}  // namespace

cXImporter::cXImporter() = default;

cXImporter::~cXImporter() = default;

void cXImporter::Release()
{
    m_Requests.Free();
    ReleaseAndClear(m_pMesh);
    ReleaseAndClear(m_pMaterialBuffer);
    delete this;
}

void cXImporter::ShowPanel(CWnd*) {}

void cXImporter::HidePanel() { Reset(); }

void cXImporter::Reset()
{
    m_Event = 0;
    m_Requests.Free();
    m_pDevice = nullptr;
    m_pTarget = nullptr;
    m_Path.Empty();
    m_FileName.Empty();
    m_pTargetMaterial = nullptr;
    m_MaterialIndex = 0;
    m_MaterialCount = 0;
    m_NextMaterial = 0;
    m_Ranges.clear();
    m_FaceAttributes.clear();
    ReleaseAndClear(m_pMaterialBuffer);
    ReleaseAndClear(m_pMesh);
}

bool cXImporter::OnEvent(int event)
{
    m_Event = event;
    return event == PE_IMPORT;
}

int cXImporter::GetRequestCount()
{
    m_Requests.Free();
    if (m_Event == PE_IMPORT) {
        Reset();
        return m_Requests.Build(
            {PR_UNDO_POINT, PR_FILE_PATH, PR_FILE_TITLE, PR_DEVICE, PR_NEW_OBJECT, PR_REPEAT});
    }
    if (m_Event == PR_REPEAT) {
        std::vector<int> pairs;
        for (UINT i = 0; i < m_MaterialCount; ++i)
            pairs.insert(pairs.end(), {PR_NEW_MATERIAL, PR_MATERIAL_INDEX});
        return m_Requests.Build(std::move(pairs));
    }
    return 0;
}

const char* cXImporter::GetText(int request) { return request == PR_UNDO_POINT ? kUndoLabel : nullptr; }

const char* cXImporter::GetName() { return kFilterText; }

void cXImporter::SetParam(int request, void* value)
{
    switch (request) {
    case PR_NEW_OBJECT:
        m_pTarget = static_cast<cObjekt3D*>(value);
        LoadXFile();
        break;
    case PR_DEVICE:
        m_pDevice = static_cast<IDirect3DDevice8*>(value);
        break;
    case PR_REPEAT:
        m_Event = PR_REPEAT;
        break;
    case PR_FILE_PATH:
        if (value != nullptr)
            m_Path = *static_cast<const CString*>(value);
        break;
    case PR_NEW_MATERIAL:
        m_pTargetMaterial = static_cast<cMaterial*>(value);
        break;
    case PR_MATERIAL_INDEX:
        if (value != nullptr) {
            m_MaterialIndex = *static_cast<const int*>(value);
            TransferMaterial();
        }
        break;
    case PR_FILE_TITLE:
        if (value != nullptr)
            m_FileName = *static_cast<const CString*>(value);
        break;
    default:
        break;
    }
}

void cXImporter::LoadXFile()
{
    if (m_pTarget == nullptr)
        return;
    ID3DXBuffer* adjacency = nullptr;
    ID3DXMesh* loaded = nullptr;
    DWORD count = 0;
    if (FAILED(D3DXLoadMeshFromX(m_Path, D3DXMESH_SYSTEMMEM, m_pDevice, &adjacency, &m_pMaterialBuffer, &count,
                                 &loaded)))
        return;
    m_MaterialCount = count;

    // Sorting by material and for the vertex cache only where D3DX finds
    // the mesh sound.
    const DWORD* adjacencyIn = adjacency != nullptr ? static_cast<const DWORD*>(adjacency->GetBufferPointer()) : nullptr;
    ID3DXBuffer* errors = nullptr;
    if (D3DXValidMesh(loaded, adjacencyIn, &errors) == 0) {
        std::vector<DWORD> sorted(std::size_t{loaded->GetNumFaces()} * 3);
        if (loaded->OptimizeInplace(kSortFlags, adjacencyIn, sorted.data(), nullptr, nullptr) == 0)
            loaded->OptimizeInplace(kCacheFlags, sorted.data(), nullptr, nullptr, nullptr);
    }
    ReleaseAndClear(errors);
    ReleaseAndClear(adjacency);

    const HRESULT cloned = loaded->CloneMeshFVF(D3DXMESH_SYSTEMMEM, MESH_VERTEX_FVF, m_pDevice, &m_pMesh);
    loaded->Release();
    if (FAILED(cloned) || m_pMesh == nullptr) {
        // Without the converted mesh there are no faces to give materials to.
        m_pMesh = nullptr;
        m_MaterialCount = 0;
        return;
    }
    CopyGeometry();
    m_pTarget->m_Name = m_FileName;
    CountMaterials();
}

void cXImporter::CopyGeometry()
{
    BYTE* vertices = nullptr;
    if (FAILED(m_pMesh->LockVertexBuffer(0, &vertices)))
        return;  // indices without their vertices would name nothing
    const auto* first = reinterpret_cast<const MeshVertex*>(vertices);
    for (DWORD i = 0; i < m_pMesh->GetNumVertices(); ++i)
        m_pTarget->AddVertex(first[i]);
    m_pMesh->UnlockVertexBuffer();

    BYTE* indices = nullptr;
    if (FAILED(m_pMesh->LockIndexBuffer(0, &indices)))
        return;
    const auto* index = reinterpret_cast<const WORD*>(indices);
    for (DWORD i = 0; i < m_pMesh->GetNumFaces() * 3; ++i)
        m_pTarget->AddIndex(index[i]);
    m_pMesh->UnlockIndexBuffer();
}

// After the sort the attribute table lists each material's faces as one
// range. Only ranges whose material the file describes become document
// materials; without a material buffer there are none.
void cXImporter::CountMaterials()
{
    DWORD size = 0;
    if (FAILED(m_pMesh->GetAttributeTable(nullptr, &size)) || size == 0)
        return;
    std::vector<D3DXATTRIBUTERANGE> table(size);
    if (FAILED(m_pMesh->GetAttributeTable(table.data(), &size)))
        return;
    const DWORD described = m_pMaterialBuffer != nullptr ? m_MaterialCount : 0;
    for (const D3DXATTRIBUTERANGE& range : table)
        if (range.AttribId < described)
            m_Ranges.push_back(range);
    m_MaterialCount = static_cast<UINT>(m_Ranges.size());
}

void cXImporter::LoadTextureFoundElsewhere(const CString& texture)
{
    if (m_pTargetMaterial->m_pTexture != nullptr || m_pDevice == nullptr || texture.IsEmpty())
        return;
    const CString found = FindTextureFile(m_Path, texture);
    if (found == texture)
        return;
    IDirect3DTexture8* loaded = nullptr;
    if (SUCCEEDED(D3DXCreateTextureFromFileA(m_pDevice, found, &loaded)))
        m_pTargetMaterial->m_pTexture = loaded;
}

void cXImporter::TransferMaterial()
{
    const int k = m_NextMaterial;
    if (m_pTargetMaterial == nullptr || m_pTarget == nullptr || m_pMesh == nullptr || m_pMaterialBuffer == nullptr ||
        k < 0 || static_cast<UINT>(k) >= m_MaterialCount)
        return;
    const auto* materials = static_cast<const D3DXMATERIAL*>(m_pMaterialBuffer->GetBufferPointer());
    // With a table, material k is range k's material; without one the
    // faces' attributes number the file's materials directly.
    const DWORD source = m_Ranges.empty() ? static_cast<DWORD>(k) : m_Ranges[static_cast<std::size_t>(k)].AttribId;
    const D3DXMATERIAL& m = materials[source];

    m_pTargetMaterial->SetName(m_FileName + std::to_string(k).c_str());
    auto* record = new D3DMATERIAL8(m.MatD3D);
    m_pTargetMaterial->SetD3DMaterial(record);
    // The scene keeps the texture name as the file gives it, so that saved
    // scenes and exports carry no folder of this machine. A texture found
    // only elsewhere (beside the ".x" file, usually) is loaded from there.
    const CString texture(m.pTextureFilename != nullptr ? m.pTextureFilename : "");
    m_pTargetMaterial->SetTexture(texture, texture, m_pDevice);
    LoadTextureFoundElsewhere(texture);

    // The faces' materials are gathered here and the runs made once after
    // the last material: setting them face by face walks the run list for
    // every face, which a mesh left unsorted (one that failed validation)
    // makes as long as the mesh.
    const DWORD faces = m_pMesh->GetNumFaces();
    m_FaceAttributes.resize(faces, kObjectColour);
    const DWORD attribute = AttributeOfMaterial(m_MaterialIndex);
    if (!m_Ranges.empty()) {
        const D3DXATTRIBUTERANGE& range = m_Ranges[static_cast<std::size_t>(k)];
        for (DWORD i = 0; i < range.FaceCount && range.FaceStart + i < faces; ++i)
            m_FaceAttributes[range.FaceStart + i] = attribute;
    } else {
        DWORD* attributes = nullptr;
        if (SUCCEEDED(m_pMesh->LockAttributeBuffer(0, &attributes))) {
            for (DWORD face = 0; face < faces; ++face)
                if (attributes[face] == static_cast<DWORD>(k))
                    m_FaceAttributes[face] = attribute;
            m_pMesh->UnlockAttributeBuffer();
        }
    }

    m_NextMaterial = k + 1;
    if (static_cast<UINT>(m_NextMaterial) == m_MaterialCount) {
        WriteRunsFromAttributes(*m_pTarget, m_FaceAttributes.data(),
                                std::min(static_cast<int>(faces), m_pTarget->GetFaceCount()));
        Reset();
    }
}
