// The view's context menu: view kinds, grid, back faces and fill modes,
// with the current settings checked.
#include "orbel/resources/Resource.h"
#include "orbel/views/MyOrbelView.h"

void CMyOrbelView::OnContextMenu(CWnd* window, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    // A context-menu key press comes with a point outside the view.
    if (!client.PtInRect(point)) {
        Default();
        return;
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_VIEW_CONTEXT)) return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) return;
    const auto check = [popup](UINT command, bool on) {
        popup->CheckMenuItem(command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    };
    check(ID_VIEW_GRID, m_bGrid);
    check(ID_SHOW_BACK_FACES, m_CullMode == D3DCULL_NONE);
    check(ID_FILL_MODE_SOLID, m_FillMode == D3DFILL_SOLID && !m_bWireOverlay);
    check(ID_FILL_MODE_POINT, m_FillMode == D3DFILL_POINT);
    check(ID_FILL_MODE_WIREFRAME, m_FillMode == D3DFILL_WIREFRAME);
    check(ID_FILL_MODE_SOLID_WIRE, m_FillMode == D3DFILL_SOLID && m_bWireOverlay);
    // The chosen command is posted to this view; the menu goes with `menu`.
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, this);
}
