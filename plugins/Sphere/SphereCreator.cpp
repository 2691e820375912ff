#include "plugins/Sphere/SphereCreator.h"

#include "plugins/Sphere/SphereGeometry.h"
#include "plugins/Sphere/SpherePanel.h"

#include <model/Objekt3D.h>
#include <plugins/common/PluginLibrary.h>

#include <cmath>

ORBEL_PLUGIN_LIBRARY(cSphereCreator, SphereResources())

namespace {

constexpr int kMinSlices = 4;
constexpr int kMinStacks = 2;

}  // namespace

cSphereCreator::cSphereCreator() = default;

void cSphereCreator::Reset()
{
    m_Centre = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    m_SecondPoint = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    m_pTarget = nullptr;
    m_State = WAITING;
    m_Requests.Free();
    m_Event = 0;
    m_Radius = 0.0f;
    m_Slices = 10;
    m_Stacks = 10;
}

void cSphereCreator::ShowPanel(CWnd* parent)
{
    // The template is this library's own, whatever module the program made
    // the current resource module.
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(GetPluginModuleHandle());
    Reset();
    DeletePanel();
    m_pPanel = new cDialogPlugin;
    m_pPanel->Create(IDD_SPHERE_PANEL, parent);
    WritePanelValues();
    m_pPanel->ShowWindow(SW_SHOW);
    AfxSetResourceHandle(previous);
}

void cSphereCreator::HidePanel()
{
    DeletePanel();
    Reset();
}

bool cSphereCreator::OnEvent(int event)
{
    m_Event = event;
    switch (event) {
    case PE_LBUTTONDOWN:
        if (m_State == DRAGGING)
            return false;
        if (m_State == FINISHED)
            Reset();
        // Reset cleared the stored event; the list below is built for it.
        m_Event = event;
        return true;
    case PE_MOUSEMOVE:
    case PE_LBUTTONUP:
        return m_State == DRAGGING;
    case PE_ACTIVATE:
        return true;
    default:
        return false;
    }
}

int cSphereCreator::GetRequestCount()
{
    if (m_Event == PE_ACTIVATE)
        return m_Requests.Build({PR_DEVICE});
    if (m_State == WAITING)
        return m_Requests.Build({PR_UNDO_POINT, PR_POINT, PR_NEW_OBJECT});
    if (m_State == DRAGGING && m_Event == PE_MOUSEMOVE)
        return m_Requests.Build({PR_POINT, PR_CAPTURE_MOUSE});
    if (m_State == DRAGGING && m_Event == PE_LBUTTONUP)
        return m_Requests.Build({PR_POINT});
    return m_Requests.Build({});
}

const char* cSphereCreator::GetText(int request)
{
    return request == PR_UNDO_POINT ? "Create Sphere" : nullptr;
}

const char* cSphereCreator::GetName()
{
    return "Sphere";
}

void cSphereCreator::SetParam(int request, void* value)
{
    switch (request) {
    case PR_POINT:
        if (value != nullptr)
            TakePoint(static_cast<const float*>(value));
        break;
    case PR_NEW_OBJECT:
        m_pTarget = static_cast<cObjekt3D*>(value);
        break;
    case PR_PANEL_ACTION:
        DoPanelAction();
        break;
    case PR_DEVICE:
        m_pDevice = static_cast<IDirect3DDevice8*>(value);
        break;
    default:
        break;
    }
}

void cSphereCreator::TakePoint(const float* point)
{
    const D3DXVECTOR3 p(point[0], point[1], point[2]);
    if (m_State == WAITING) {
        m_Centre = p;
        m_State = DRAGGING;
        return;
    }
    if (m_State != DRAGGING || (m_Event != PE_MOUSEMOVE && m_Event != PE_LBUTTONUP))
        return;
    m_SecondPoint = p;
    const D3DXVECTOR3 d = m_SecondPoint - m_Centre;
    m_Radius = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    BuildSphere();
    if (m_Event == PE_LBUTTONUP)
        m_State = FINISHED;
}

void cSphereCreator::DoPanelAction()
{
    if (!ReadPanelValues())
        return;
    if (m_pTarget == nullptr)
        return;
    m_State = DRAGGING;
    BuildSphere();
    m_State = FINISHED;
}

bool cSphereCreator::ReadPanelValues()
{
    if (m_pPanel == nullptr || m_pPanel->GetSafeHwnd() == nullptr)
        return false;
    // A rejected entry has been reported by the exchange; the sphere keeps
    // the values it has.
    if (!m_pPanel->UpdateData(TRUE))
        return false;
    if (m_pPanel->m_Radius < 0.0f) {
        m_pPanel->m_Radius = 0.0f;
        m_pPanel->UpdateData(FALSE);
    }
    if (m_pPanel->m_Slices < kMinSlices) {
        m_pPanel->m_Slices = kMinSlices;
        m_pPanel->UpdateData(FALSE);
    }
    if (m_pPanel->m_Stacks < kMinStacks) {
        m_pPanel->m_Stacks = kMinStacks;
        m_pPanel->UpdateData(FALSE);
    }
    m_Radius = m_pPanel->m_Radius;
    m_Slices = m_pPanel->m_Slices;
    m_Stacks = m_pPanel->m_Stacks;
    return true;
}

void cSphereCreator::WritePanelValues()
{
    if (m_pPanel == nullptr || m_pPanel->GetSafeHwnd() == nullptr)
        return;
    m_pPanel->m_Radius = m_Radius;
    m_pPanel->m_Slices = m_Slices;
    m_pPanel->m_Stacks = m_Stacks;
    m_pPanel->UpdateData(FALSE);
}

void cSphereCreator::BuildSphere()
{
    if (m_Centre == m_SecondPoint) {
        m_State = DRAGGING;
        return;
    }
    if (m_pTarget == nullptr)
        return;
    WritePanelValues();

    ClearGeometry(*m_pTarget);
    m_pTarget->m_Position = m_Centre;
    // The sphere's poles lie on its z axis; pitching by a quarter turn
    // stands them upright in the scene.
    m_pTarget->m_Rotation = D3DXVECTOR3(0.0f, static_cast<float>(D3DX_PI / 2), 0.0f);

    AppendSphere(*m_pTarget, m_pDevice, m_Radius, m_Slices, m_Stacks);
}
