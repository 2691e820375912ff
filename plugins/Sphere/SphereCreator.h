// The "Sphere" tool: press in a view at the centre and drag; every move
// rebuilds a sphere of the dragged radius into the object made at the press,
// and the release finishes it. The panel's radius, slices and stacks rebuild
// the sphere most recently made.
#pragma once

#include <plugins/common/PluginBase.h>

#include <d3d8/D3D8.h>
#include <d3dx8/D3DX8.h>

class cDialogPlugin;
class cObjekt3D;

class cSphereCreator : public cPanelPlugin<cDialogPlugin> {
public:
    enum DragState { WAITING = 0, DRAGGING = 1, FINISHED = 2 };

    cSphereCreator();

    void ShowPanel(CWnd* parent) override;
    void HidePanel() override;
    bool OnEvent(int event) override;
    int GetRequestCount() override;
    const char* GetText(int request) override;
    void SetParam(int request, void* value) override;
    const char* GetName() override;

private:
    ~cSphereCreator() override = default;
    void Reset();
    void TakePoint(const float* point);
    void DoPanelAction();
    void BuildSphere();
    bool ReadPanelValues();
    void WritePanelValues();

    IDirect3DDevice8* m_pDevice = nullptr;
    cObjekt3D* m_pTarget = nullptr;
    float m_Radius = 0.0f;
    int m_Slices = 10;
    int m_Stacks = 10;
    D3DXVECTOR3 m_Centre{0.0f, 0.0f, 0.0f};
    D3DXVECTOR3 m_SecondPoint{0.0f, 0.0f, 0.0f};
    DragState m_State = WAITING;
};
