// Mesh calls that are not written yet answer E_NOTIMPL.
#include <d3dx8/Mesh.h>

HRESULT D3DXValidMesh(ID3DXMesh*, const DWORD*, ID3DXBuffer** ppErrorsAndWarnings) {
    if (ppErrorsAndWarnings) *ppErrorsAndWarnings = nullptr;
    return E_NOTIMPL;
}
HRESULT D3DXCleanMesh(ID3DXMesh*, const DWORD*, ID3DXMesh** ppMeshOut, DWORD*, ID3DXBuffer** ppErrorsAndWarnings) {
    if (ppMeshOut) *ppMeshOut = nullptr;
    if (ppErrorsAndWarnings) *ppErrorsAndWarnings = nullptr;
    return E_NOTIMPL;
}
HRESULT D3DXWeldVertices(ID3DXMesh*, D3DXWELDEPSILONS*, const DWORD*, DWORD*, DWORD*, ID3DXBuffer** ppVertexRemap) {
    if (ppVertexRemap) *ppVertexRemap = nullptr;
    return E_NOTIMPL;
}
HRESULT D3DXComputeNormals(ID3DXBaseMesh*, const DWORD*) { return E_NOTIMPL; }
HRESULT D3DXGeneratePMesh(ID3DXMesh*, const DWORD*, const D3DXATTRIBUTEWEIGHTS*, const float*, DWORD, DWORD,
                          ID3DXPMesh** ppPMesh) {
    if (ppPMesh) *ppPMesh = nullptr;
    return E_NOTIMPL;
}
