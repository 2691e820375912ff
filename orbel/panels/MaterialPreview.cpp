// The material panel's Direct3D side: the preview sphere and its painting
// through a swap chain of its own on the preview button.
#include "orbel/panels/DialogMtr.h"

#include "orbel/panels/PanelSupport.h"
#include "orbel/resources/Resource.h"
#include "orbel/views/PaintTargets.h"

#include <d3dx8/D3DX8.h>
#include <model/Material.h>

#include <cmath>

namespace {

constexpr D3DCOLOR kPreviewBackground = 0xFF393939;
constexpr DWORD kPreviewAmbient = 0xFF323232;
// The texture button without a texture.
constexpr char kNoTextureText[] = "...";
constexpr float kInverseTwoPi = 0.15915494f;
constexpr float kInversePi = 0.31830987f;

// One vertex of the cloned sphere: position, normal, texture coordinates.
struct PreviewVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(PreviewVertex) == 32, "the preview sphere's vertices are 32 bytes");

// Wraps a texture round the sphere: u runs once round the z axis, v from
// pole to pole. The seam's vertices (y exactly 0) keep u = 0.
void MapSphereTexture(PreviewVertex& vertex)
{
    const float r = static_cast<float>(std::sqrt(vertex.x * vertex.x + vertex.y * vertex.y));
    // At the poles r is 0 and the angle means nothing; u stays as it is.
    if (r > 0.0f) {
        const double cosine = std::fmax(-1.0, std::fmin(1.0, static_cast<double>(vertex.x / r)));
        if (vertex.y < 0.0f)
            vertex.u = 1.0f - static_cast<float>(std::acos(cosine)) * kInverseTwoPi;
        else if (vertex.y > 0.0f)
            vertex.u = static_cast<float>(std::acos(cosine)) * kInverseTwoPi;
    }
    const double height = std::fmax(-1.0, std::fmin(1.0, static_cast<double>(vertex.z)));
    vertex.v = static_cast<float>(std::asin(height)) * kInversePi + 0.5f;
}

}  // namespace

cDialogMtr::~cDialogMtr()
{
    if (m_pPreviewMesh != nullptr)
        m_pPreviewMesh->Release();
    m_pPreviewMesh = nullptr;
}

void cDialogMtr::MakePreviewSphere(IDirect3DDevice8* device)
{
    m_pDevice = device;
    if (m_pPreviewMesh != nullptr) {
        m_pPreviewMesh->Release();
        m_pPreviewMesh = nullptr;
    }

    Released<ID3DXMesh> sphere;
    if (FAILED(D3DXCreateSphere(device, 1.0f, 50, 50, &sphere.p, nullptr)) || sphere.p == nullptr)
        return;
    ID3DXMesh* clone = nullptr;
    if (FAILED(sphere.p->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, device, &clone)) ||
        clone == nullptr)
        return;
    m_pPreviewMesh = clone;

    BYTE* data = nullptr;
    if (FAILED(m_pPreviewMesh->LockVertexBuffer(0, &data)) || data == nullptr)
        return;
    auto* vertices = reinterpret_cast<PreviewVertex*>(data);
    const DWORD count = m_pPreviewMesh->GetNumVertices();
    for (DWORD i = 0; i < count; ++i)
        MapSphereTexture(vertices[i]);
    m_pPreviewMesh->UnlockVertexBuffer();
}

void cDialogMtr::DrawMaterialPreview(const cMaterial& material)
{
    if (GetSafeHwnd() == nullptr)
        return;
    // The panel's own choice is shown, also before it was applied.
    SetDlgItemText(IDC_TEXTURE_BROWSE, m_TextureName.IsEmpty() ? kNoTextureText : static_cast<LPCSTR>(m_TextureName));

    PaintSwatch(GetDlgItem(IDC_AMBIENT_SWATCH), SwatchColour(m_Ambient[0], m_Ambient[1], m_Ambient[2]));
    PaintSwatch(GetDlgItem(IDC_DIFFUSE_SWATCH), SwatchColour(m_Diffuse[0], m_Diffuse[1], m_Diffuse[2]));
    PaintSwatch(GetDlgItem(IDC_SPECULAR_SWATCH), SwatchColour(m_Specular[0], m_Specular[1], m_Specular[2]));
    PaintSwatch(GetDlgItem(IDC_EMISSIVE_SWATCH), SwatchColour(m_Emissive[0], m_Emissive[1], m_Emissive[2]));

    if (m_pDevice != nullptr && m_pPreviewMesh != nullptr)
        DrawPreviewSphere(material);
}

void cDialogMtr::DrawPreviewSphere(const cMaterial& material)
{
    CWnd* button = GetDlgItem(IDC_MATERIAL_PREVIEW);
    if (button == nullptr)
        return;
    CRect client;
    button->GetClientRect(&client);
    const int w = client.Width();
    const int h = client.Height();
    // A collapsed button has no aspect ratio and nothing to show.
    if (w <= 0 || h <= 0)
        return;
    IDirect3DDevice8* device = m_pDevice;

    D3DXMATRIX view;
    D3DXMATRIX projection;
    const D3DXVECTOR3 eye(0.0f, 0.0f, -3.0f);
    const D3DXVECTOR3 target(0.0f, 0.0f, 0.0f);
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f, static_cast<float>(w) / static_cast<float>(h), 0.01f,
                               1000.0f);
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetTransform(D3DTS_PROJECTION, &projection);

    D3DPRESENT_PARAMETERS parameters =
        MakeViewSwapChainParameters(device, 0, 0, button->GetSafeHwnd(), D3DFMT_D16);
    Released<IDirect3DSwapChain8> swapChain;
    if (FAILED(device->CreateAdditionalSwapChain(&parameters, &swapChain.p)) || swapChain.p == nullptr)
        return;
    Released<IDirect3DSurface8> backBuffer;
    Released<IDirect3DSurface8> depth;
    if (FAILED(swapChain.p->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer.p)) || backBuffer.p == nullptr)
        return;
    if (FAILED(device->CreateDepthStencilSurface(static_cast<UINT>(w), static_cast<UINT>(h), D3DFMT_D16,
                                                 D3DMULTISAMPLE_NONE, &depth.p)) ||
        depth.p == nullptr)
        return;
    device->SetRenderTarget(backBuffer.p, depth.p);

    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kPreviewBackground, 1.0f, 0);
    device->BeginScene();
    D3DXMATRIX world;
    D3DXMatrixRotationYawPitchRoll(&world, -0.7853982f, 1.5707964f, 0.0f);
    device->SetTransform(D3DTS_WORLD, &world);

    DWORD fillMode = 0;
    DWORD ambient = 0;
    DWORD lighting = 0;
    DWORD shadeMode = 0;
    device->GetRenderState(D3DRS_FILLMODE, &fillMode);
    device->GetRenderState(D3DRS_AMBIENT, &ambient);
    device->GetRenderState(D3DRS_LIGHTING, &lighting);
    device->GetRenderState(D3DRS_SHADEMODE, &shadeMode);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    device->SetRenderState(D3DRS_AMBIENT, kPreviewAmbient);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    // Texels of alpha 0 leave holes, as in the views.
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAREF, 0xFF000000);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);

    if (material.m_pMaterial != nullptr)
        device->SetMaterial(material.m_pMaterial);
    device->SetTexture(0, material.m_pTexture);
    m_pPreviewMesh->DrawSubset(0);
    device->SetTexture(0, nullptr);

    device->SetRenderState(D3DRS_LIGHTING, lighting);
    device->SetRenderState(D3DRS_FILLMODE, fillMode);
    device->SetRenderState(D3DRS_AMBIENT, ambient);
    device->SetRenderState(D3DRS_SHADEMODE, shadeMode);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);

    device->EndScene();
    swapChain.p->Present(nullptr, nullptr, nullptr, nullptr);
}
