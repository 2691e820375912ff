#include "plugins/Corrobin/MaterialSorter.h"

#include "plugins/Corrobin/SorterPanel.h"

#include <model/Objekt3D.h>
#include <plugins/common/MeshConversion.h>
#include <plugins/common/PluginLibrary.h>

ORBEL_PLUGIN_LIBRARY(cMaterialSorter, SorterResources())

namespace {

const char* const kSelectText = "Select objects for optimize";
const char* const kSelectedText = "Objects selected";
const char* const kDoneText = "Objects optimized";

}  // namespace

cMaterialSorter::cMaterialSorter() = default;

const char* cMaterialSorter::GetName()
{
    return "Optimize Material Changes";
}

const char* cMaterialSorter::ActivationText() const
{
    return kSelectText;
}

void cMaterialSorter::OnSelection()
{
    SetStatusText(SelectedCount() > 0 ? kSelectedText : kSelectText);
}

void cMaterialSorter::OnPanelAction()
{
    if (SelectedCount() > 0)
        OptimizeSelection();
}

void cMaterialSorter::OptimizeSelection()
{
    ForEachSelected([this](cObjekt3D& object) { OptimizeMeshOrder(object); });
    SetStatusText(kDoneText);
}

void cMaterialSorter::OptimizeMeshOrder(cObjekt3D& object)
{
    // An object D3DX cannot hold (no faces, more vertices than 16-bit
    // indices reach) is left as it is.
    ID3DXMesh* mesh = BuildMeshFromObject(object, m_pDevice);
    if (mesh == nullptr)
        return;
    SortMeshByMaterial(mesh);
    WriteMeshToObject(mesh, object, false);
    mesh->Release();
}
