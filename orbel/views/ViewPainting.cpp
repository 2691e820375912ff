#include "orbel/views/AxisTriad.h"
#include "orbel/views/CameraMatrices.h"
#include "orbel/views/MyOrbelView.h"
#include "orbel/views/PaintTargets.h"

#include "model/MyOrbelDoc.h"

#include <cstdlib>

namespace {

constexpr D3DCOLOR kBackgroundColour = 0xFFBEBEBE;
constexpr COLORREF kFocusedTitleColour = RGB(255, 0, 0);
constexpr COLORREF kTitleColour = RGB(240, 240, 240);
constexpr COLORREF kRubberBandColour = RGB(225, 225, 225);
constexpr COLORREF kFocusFrameColour = RGB(255, 0, 0);

}  // namespace

bool CMyOrbelView::ClientSize(int* width, int* height) const
{
    CRect client;
    GetClientRect(&client);
    *width = client.Width();
    *height = client.Height();
    return *width > 0 && *height > 0;
}

void CMyOrbelView::OnDraw(CDC* pDC)
{
    CMyOrbelDoc* document = GetDocument();
    if (!document || !document->m_pDevice) return;
    IDirect3DDevice8* device = document->m_pDevice;

    int w = 0;
    int h = 0;
    // A collapsed pane has nothing to render into; it keeps the matrices of
    // its last paint so that picking never sees a division by zero.
    if (ClientSize(&w, &h)) {
        ComputeCameraMatrices(GetCamera(), IsPerspectiveKind(m_Kind), w, h, &m_ViewMatrix, &m_ProjectionMatrix);
        device->SetTransform(D3DTS_VIEW, &m_ViewMatrix);
        device->SetTransform(D3DTS_PROJECTION, &m_ProjectionMatrix);

        D3DPRESENT_PARAMETERS parameters = MakeViewSwapChainParameters(device, 0, 0, m_hWnd, D3DFMT_D32);
        Released<IDirect3DSwapChain8> swapChain;
        if (SUCCEEDED(device->CreateAdditionalSwapChain(&parameters, &swapChain.p)) && swapChain.p) {
            Released<IDirect3DSurface8> backBuffer;
            Released<IDirect3DSurface8> depth;
            swapChain.p->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer.p);
            device->CreateDepthStencilSurface(static_cast<UINT>(w), static_cast<UINT>(h), D3DFMT_D16,
                                              D3DMULTISAMPLE_NONE, &depth.p);
            device->SetRenderTarget(backBuffer.p, depth.p);

            device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBackgroundColour, 1.0f, 0);
            device->BeginScene();
            DrawGrid(device);
            BeginSceneStates(device, m_CullMode);
            DrawScene(device);
            EndSceneStates(device);
            device->EndScene();
            swapChain.p->Present(nullptr, nullptr, nullptr, nullptr);
        }
    }

    if (!pDC) return;
    pDC->SetBkMode(TRANSPARENT);
    bool focused = HasKeyboardFocus();
    pDC->SetTextColor(focused ? kFocusedTitleColour : kTitleColour);
    pDC->TextOut(5, 5, m_Title);
    DrawAxisTriad(pDC, device);
    if (!HasKeyboardFocus()) return;

    if (m_bRubberBand && std::abs(m_LastPoint.x - m_DownPoint.x) > 2 && std::abs(m_LastPoint.y - m_DownPoint.y) > 2) {
        CPen pen(PS_SOLID, 2, kRubberBandColour);
        CPen* previous = pDC->SelectObject(&pen);
        pDC->MoveTo(m_DownPoint.x, m_DownPoint.y);
        pDC->LineTo(m_LastPoint.x, m_DownPoint.y);
        pDC->LineTo(m_LastPoint.x, m_LastPoint.y);
        pDC->LineTo(m_DownPoint.x, m_LastPoint.y);
        pDC->LineTo(m_DownPoint.x, m_DownPoint.y);
        pDC->SelectObject(previous);
    }
    CPen framePen(PS_SOLID, 2, kFocusFrameColour);
    CPen* previous = pDC->SelectObject(&framePen);
    pDC->MoveTo(0, 0);
    pDC->LineTo(w - 1, 0);
    pDC->LineTo(w - 1, h - 1);
    pDC->LineTo(0, h - 1);
    pDC->LineTo(0, 0);
    pDC->SelectObject(previous);
}

void CMyOrbelView::DrawAxisTriad(CDC* pDC, IDirect3DDevice8* device)
{
    if (!pDC || !device) return;
    int w = 0;
    int h = 0;
    ClientSize(&w, &h);
    D3DXMATRIX view;
    D3DXMATRIX projection;
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    AxisTriadLayout layout = LayoutAxisTriad(w, h, view, projection);
    for (const AxisTriadAxis& axis : layout.axes) {
        CPen pen(PS_SOLID, 2, axis.colour);
        CPen* previous = pDC->SelectObject(&pen);
        pDC->MoveTo(layout.origin.x, layout.origin.y);
        pDC->LineTo(axis.lineEnd.x, axis.lineEnd.y);
        pDC->SelectObject(previous);
    }
    if (!layout.labels) return;
    for (const AxisTriadAxis& axis : layout.axes) {
        pDC->SetTextColor(axis.colour);
        pDC->TextOut(axis.label.x, axis.label.y, axis.text);
    }
}
