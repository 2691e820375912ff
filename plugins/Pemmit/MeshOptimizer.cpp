#include "plugins/Pemmit/MeshOptimizer.h"

#include "plugins/Pemmit/MeshReduction.h"
#include "plugins/Pemmit/OptimizerPanel.h"

#include <model/Objekt3D.h>
#include <plugins/common/MeshConversion.h>
#include <plugins/common/PluginLibrary.h>

#include <utility>
#include <vector>

ORBEL_PLUGIN_LIBRARY(cMeshOptimizer, OptimizerResources())

namespace {

const char* const kName = "Optimize Mesh";
const char* const kSelectText = "Select object for optimize";
const char* const kSelectedText = "Object selected";
const char* const kOnlyOneText = "Select only one object";
const char* const kDoneText = "Object optimized";
const char* const kErrorText = "Error by optimizing";

}  // namespace

cMeshOptimizer::cMeshOptimizer() = default;

void cMeshOptimizer::Release()
{
    m_BaseMesh.Clear();
    cModifyPlugin::Release();
}

const char* cMeshOptimizer::GetName()
{
    return kName;
}

void cMeshOptimizer::Reset()
{
    cModifyPlugin::Reset();
    m_BaseMesh.Clear();
}

const char* cMeshOptimizer::ActivationText() const
{
    return kSelectText;
}

const char* cMeshOptimizer::UndoLabel() const
{
    return kName;
}

void cMeshOptimizer::OnSelection()
{
    m_BaseMesh.Clear();
    const int count = SelectedCount();
    SetStatusText(count == 0 ? kSelectText : count == 1 ? kSelectedText : kOnlyOneText);
}

void cMeshOptimizer::OnPanelAction()
{
    if (SelectedCount() == 1)
        PostRun();
}

bool cMeshOptimizer::CanRun() const
{
    return SelectedCount() == 1;
}

void cMeshOptimizer::RunReduce()
{
    if (!CanRun() || m_pPanel == nullptr)
        return;
    cObjekt3D* object = m_pSelection->m_Objects.GetHead();
    if (object != nullptr && ReduceMesh(*object))
        SetStatusText(kDoneText);
}

bool cMeshOptimizer::ReduceMesh(cObjekt3D& object)
{
    if (m_BaseMesh.Empty()) {
        std::vector<DWORD> adjacency;
        ID3DXMesh* base = BuildBaseMesh(object, m_pDevice, adjacency);
        m_BaseMesh.Keep(base, std::move(adjacency));
    }
    ID3DXMesh* reduced = m_BaseMesh.Reduce(m_pPanel->m_Percentage, m_pDevice);
    if (reduced == nullptr) {
        // The object stays as it was.
        SetStatusText(kErrorText);
        return false;
    }
    WriteMeshToObject(reduced, object, true);
    reduced->Release();
    return true;
}
