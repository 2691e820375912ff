#include <d3dx8/Mesh.h>

HRESULT D3DXGeneratePMesh(ID3DXMesh*, const DWORD*, const D3DXATTRIBUTEWEIGHTS*, const float*, DWORD, DWORD,
                          ID3DXPMesh** ppPMesh) {
    if (ppPMesh) *ppPMesh = nullptr;
    return E_NOTIMPL;
}
