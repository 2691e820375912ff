#include "plugins/Lufftar/NormalGenerator.h"

#include "plugins/Lufftar/NormalsPanel.h"

#include <model/Objekt3D.h>
#include <plugins/common/MeshConversion.h>
#include <plugins/common/PluginLibrary.h>

#include <vector>

ORBEL_PLUGIN_LIBRARY(cNormalGenerator, NormalsResources())

namespace {

const char* const kName = "Compute Normals";
const char* const kSelectText = "Select objects for compute";
const char* const kSelectedText = "Objects selected";
const char* const kDoneText = "Normals computed";

}  // namespace

cNormalGenerator::cNormalGenerator() = default;

const char* cNormalGenerator::GetName()
{
    return kName;
}

const char* cNormalGenerator::ActivationText() const
{
    return kSelectText;
}

const char* cNormalGenerator::UndoLabel() const
{
    return kName;
}

void cNormalGenerator::OnSelection()
{
    SetStatusText(SelectedCount() > 0 ? kSelectedText : kSelectText);
}

void cNormalGenerator::OnPanelAction()
{
    if (SelectedCount() > 0)
        PostRun();
}

bool cNormalGenerator::CanRun() const
{
    return SelectedCount() > 0;
}

void cNormalGenerator::RebuildAllNormals()
{
    if (!CanRun())
        return;
    ForEachSelected([this](cObjekt3D& object) { RebuildNormals(object); });
    SetStatusText(kDoneText);
}

void cNormalGenerator::RebuildNormals(cObjekt3D& object)
{
    // An object D3DX cannot hold (no faces, more vertices than 16-bit
    // indices reach) keeps its normals.
    ID3DXMesh* mesh = BuildMeshFromObject(object, m_pDevice);
    if (mesh == nullptr)
        return;
    std::vector<DWORD> adjacency(static_cast<std::size_t>(mesh->GetNumFaces()) * 3);
    mesh->GenerateAdjacency(0.0f, adjacency.data());
    // A vertex no face uses keeps the normal it had.
    D3DXComputeNormals(mesh, adjacency.data());
    WriteMeshToObject(mesh, object, false);
    mesh->Release();
}
