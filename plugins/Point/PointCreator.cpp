#include "plugins/Point/PointCreator.h"

#include "plugins/Point/PointPanel.h"

#include <model/Objekt3D.h>
#include <model/Selection.h>
#include <plugins/common/PluginLibrary.h>

ORBEL_PLUGIN_LIBRARY(cPointCreator, PointResources())

namespace {

const char* const kSelectObjectText = "Select main object for point";
const char* const kClickText = "Click in viewport to add point";

// p (world space) in the object's own coordinates; false when the object's
// world matrix has no inverse.
bool WorldToObject(const cObjekt3D& object, const D3DXVECTOR3& p, D3DXVECTOR3& out)
{
    D3DXMATRIX scaling, rotation, translation, world;
    D3DXMatrixScaling(&scaling, object.m_Scale.x, object.m_Scale.y, object.m_Scale.z);
    D3DXMatrixRotationYawPitchRoll(&rotation, object.m_Rotation.x, object.m_Rotation.y, object.m_Rotation.z);
    D3DXMatrixTranslation(&translation, object.m_Position.x, object.m_Position.y, object.m_Position.z);
    D3DXMatrixMultiply(&world, &scaling, &rotation);
    D3DXMatrixMultiply(&world, &world, &translation);
    if (D3DXMatrixInverse(&world, nullptr, &world) == nullptr)
        return false;
    D3DXVec3TransformCoord(&out, &p, &world);
    return true;
}

}  // namespace

cPointCreator::cPointCreator() = default;

void cPointCreator::Clear()
{
    m_Event = 0;
    m_Requests.Free();
    m_pSelection = nullptr;
}

void cPointCreator::ShowPanel(CWnd* parent)
{
    Clear();
    DeletePanel();
    m_pPanel = new cDialogPlugin;
    m_pPanel->CreatePanel(parent);
}

void cPointCreator::HidePanel()
{
    DeletePanel();
    Clear();
}

bool cPointCreator::HasSelectedObject() const
{
    return m_pSelection != nullptr && !m_pSelection->m_Objects.IsEmpty();
}

bool cPointCreator::OnEvent(int event)
{
    m_Event = event;
    switch (event) {
    case PE_LBUTTONDOWN:
        return HasSelectedObject();
    case PE_ACTIVATE:
        if (m_pPanel != nullptr)
            m_pPanel->SetStatusText(kSelectObjectText);
        return true;
    case PE_REFRESH:
        return true;
    default:
        return false;
    }
}

int cPointCreator::GetRequestCount()
{
    switch (m_Event) {
    case PE_LBUTTONDOWN:
        return m_Requests.Build({PR_UNDO_POINT, PR_POINT});
    case PE_ACTIVATE:
    case PE_REFRESH:
        return m_Requests.Build({PR_SELECTION});
    default:
        m_Requests.Free();
        return 0;
    }
}

const char* cPointCreator::GetText(int request)
{
    return request == PR_UNDO_POINT ? "Create Point" : nullptr;
}

const char* cPointCreator::GetName()
{
    return "Point";
}

void cPointCreator::ShowSelectionStatus()
{
    if (m_pPanel != nullptr)
        m_pPanel->SetStatusText(HasSelectedObject() ? kClickText : kSelectObjectText);
}

void cPointCreator::SetParam(int request, void* value)
{
    switch (request) {
    case PR_SELECTION:
        m_pSelection = static_cast<cSelection*>(value);
        ShowSelectionStatus();
        break;
    case PR_POINT:
        if (value != nullptr)
            AddPoint(static_cast<const float*>(value));
        break;
    default:
        break;
    }
}

void cPointCreator::AddPoint(const float* world)
{
    if (!HasSelectedObject())
        return;
    cObjekt3D* object = m_pSelection->m_Objects.GetHead();
    if (object == nullptr)
        return;
    D3DXVECTOR3 local;
    // A world matrix without an inverse has no object-space point to offer.
    if (!WorldToObject(*object, D3DXVECTOR3(world[0], world[1], world[2]), local))
        return;
    MeshVertex vertex{};
    vertex.x = local.x;
    vertex.y = local.y;
    vertex.z = local.z;
    vertex.ny = 1.0f;
    object->AddVertex(vertex);
}
