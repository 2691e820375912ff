#include "orbel/resources/MaterialTemplates.h"

#include "orbel/resources/Resource.h"

#include <framework/Afx.h>

namespace {

// A number edit of the material panel: digits only, with its up-down control
// attached to its right, writing its position into the edit.
void AddNumberField(DialogTemplate& t, UINT editId, UINT spinId, short editX, short spinX, short y)
{
    t.items.push_back(DialogControl("EDIT", "", editId, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, editX,
                                    y, 30, 12));
    t.items.push_back(DialogControl("msctls_updown32", "", spinId,
                                    UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, spinX,
                                    static_cast<short>(y + 1), 11, 12));
}

}  // namespace

DialogTemplate MaterialListTemplate()
{
    DialogTemplate t;
    t.id = IDD_MATERIAL_LIST;
    t.style = WS_CHILD;
    t.cx = 121;
    t.cy = 98;
    t.items = {
        DialogControl("LISTBOX", "", IDC_MATERIAL_LIST,
                      WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 4, 121, 62),
        DialogControl("BUTTON", "Add", IDC_ADD_MATERIAL, BS_PUSHBUTTON | WS_TABSTOP, 6, 70, 55, 11),
        DialogControl("BUTTON", "Remove", IDC_REMOVE_MATERIAL, BS_PUSHBUTTON | WS_TABSTOP, 62, 70, 53, 11),
        DialogControl("BUTTON", "Assign", IDC_ASSIGN_MATERIAL, BS_PUSHBUTTON | WS_TABSTOP, 6, 83, 109, 11),
    };
    return t;
}

DialogTemplate MaterialPanelTemplate()
{
    DialogTemplate t;
    t.id = IDD_MATERIAL_PANEL;
    t.style = WS_CHILD | DS_MODALFRAME;
    t.cx = 133;
    t.cy = 251;
    t.items = {
        DialogControl("BUTTON", "Name", IDC_STATIC, BS_GROUPBOX, 7, 7, 120, 30),
        DialogControl("EDIT", "", IDC_MATERIAL_NAME, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 13, 17, 108, 13),
        DialogControl("BUTTON", "Rendered Material", IDC_MATERIAL_PREVIEW, BS_OWNERDRAW, 7, 41, 119, 82,
                      WS_EX_STATICEDGE | WS_EX_CLIENTEDGE),
        DialogControl("BUTTON", "Parameters", IDC_STATIC, BS_GROUPBOX, 7, 124, 119, 88),
        DialogControl("STATIC", "Alpha:", IDC_STATIC, SS_LEFT, 91, 132, 21, 9),
        DialogControl("STATIC", "Ambient:", IDC_STATIC, SS_LEFT, 14, 142, 34, 9),
        DialogControl("STATIC", "Diffuse:", IDC_STATIC, SS_LEFT, 14, 154, 34, 9),
        DialogControl("STATIC", "Specular:", IDC_STATIC, SS_LEFT, 14, 166, 34, 9),
        DialogControl("STATIC", "Emissive:", IDC_STATIC, SS_LEFT, 14, 178, 34, 9),
    };
    const UINT swatches[4] = {IDC_AMBIENT_SWATCH, IDC_DIFFUSE_SWATCH, IDC_SPECULAR_SWATCH, IDC_EMISSIVE_SWATCH};
    const char* letters[4] = {"A", "D", "S", "E"};
    const UINT alphas[4] = {IDC_AMBIENT_ALPHA, IDC_DIFFUSE_ALPHA, IDC_SPECULAR_ALPHA, IDC_EMISSIVE_ALPHA};
    const UINT spins[4] = {IDC_AMBIENT_ALPHA_SPIN, IDC_DIFFUSE_ALPHA_SPIN, IDC_SPECULAR_ALPHA_SPIN,
                           IDC_EMISSIVE_ALPHA_SPIN};
    for (int row = 0; row < 4; ++row) {
        const auto y = static_cast<short>(140 + 12 * row);
        t.items.push_back(DialogControl("BUTTON", letters[row], swatches[row], BS_OWNERDRAW | WS_TABSTOP, 50,
                                        static_cast<short>(y + 1), 29, 11, WS_EX_STATICEDGE));
        AddNumberField(t, alphas[row], spins[row], 88, 116, y);
    }
    t.items.push_back(DialogControl("STATIC", "Power:", IDC_STATIC, SS_LEFT, 32, 194, 21, 9));
    t.items.push_back(DialogControl("EDIT", "", IDC_MATERIAL_POWER, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
                                    56, 194, 30, 12));
    t.items.push_back(DialogControl("msctls_updown32", "", IDC_MATERIAL_POWER_SPIN,
                                    UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 86, 194, 11,
                                    12));
    t.items.push_back(DialogControl("BUTTON", "Texture", IDC_STATIC, BS_GROUPBOX, 7, 214, 119, 30));
    t.items.push_back(DialogControl("BUTTON", "...", IDC_TEXTURE_BROWSE, BS_PUSHBUTTON | WS_TABSTOP, 14, 224, 87, 14));
    t.items.push_back(DialogControl("BUTTON", "none", IDC_TEXTURE_NONE, BS_PUSHBUTTON | WS_TABSTOP, 101, 224, 19, 14));
    return t;
}
