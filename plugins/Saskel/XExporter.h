// The ".x" export: writes the one selected object, baked into world space,
// with the materials its faces use as a text ".x" file; faces without a
// material get one more material made from the object's colour. Changes
// nothing in the scene and takes no undo step. No panel; only PE_EXPORT is
// answered.
#pragma once

#include <plugins/common/PluginBase.h>

#include <d3dx8/D3DX8.h>
#include <framework/Afx.h>

class cMaterial;
class cObjekt3D;
class cSelection;

class cXExporter : public cPluginBase {
public:
    cXExporter();

    void Release() override;
    void ShowPanel(CWnd* parent) override;
    void HidePanel() override;
    bool OnEvent(int event) override;
    int GetRequestCount() override;
    const char* GetText(int request) override;
    void SetParam(int request, void* value) override;
    const char* GetName() override;

private:
    ~cXExporter() override;
    void Reset();
    void CheckSelectionAndExport();
    void WriteXFile(const cObjekt3D& object);

    IDirect3DDevice8* m_pDevice = nullptr;
    CString m_Path;
    cSelection* m_pSelection = nullptr;
    CArray<cMaterial*, cMaterial*>* m_pMaterials = nullptr;
};
