// The ".x" import: reads a mesh file with D3DX into one new object and one
// new document material per material its faces use. One undo step,
// "Import from .x", taken by the program before the object is created. No
// panel; only PE_IMPORT is answered.
#pragma once

#include <plugins/common/PluginBase.h>

#include <d3dx8/D3DX8.h>
#include <framework/Afx.h>

#include <vector>

class cMaterial;
class cObjekt3D;

class cXImporter : public cPluginBase {
public:
    cXImporter();

    void Release() override;
    void ShowPanel(CWnd* parent) override;
    void HidePanel() override;
    bool OnEvent(int event) override;
    int GetRequestCount() override;
    const char* GetText(int request) override;
    void SetParam(int request, void* value) override;
    const char* GetName() override;

private:
    ~cXImporter() override;
    void Reset();
    void LoadXFile();
    void CopyGeometry();
    void CountMaterials();
    void TransferMaterial();
    void LoadTextureFoundElsewhere(const CString& texture);

    IDirect3DDevice8* m_pDevice = nullptr;
    CString m_Path;
    CString m_FileName;
    cObjekt3D* m_pTarget = nullptr;
    cMaterial* m_pTargetMaterial = nullptr;
    int m_MaterialIndex = 0;
    UINT m_MaterialCount = 0;
    int m_NextMaterial = 0;
    ID3DXMesh* m_pMesh = nullptr;
    ID3DXBuffer* m_pMaterialBuffer = nullptr;
    // The attribute ranges that name a material of the file, in table order:
    // material k of the import takes its data and its faces from range k.
    std::vector<D3DXATTRIBUTERANGE> m_Ranges;
    // Each face's material as the transfers so far gave it (see
    // WriteRunsFromAttributes), made into runs after the last one.
    std::vector<DWORD> m_FaceAttributes;
};
