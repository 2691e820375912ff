#include "orbel/resources/RenderDialogTemplates.h"

#include "orbel/resources/Resource.h"

#include <framework/Afx.h>

namespace {

constexpr DWORD kNumberEdit = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kSizeButton = BS_PUSHBUTTON | WS_TABSTOP;
// Each up-down takes the edit made before it and writes its position there.
constexpr DWORD kUpDown = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;

}  // namespace

DialogTemplate RenderDialogTemplate()
{
    DialogTemplate t;
    t.id = IDD_RENDER;
    t.caption = "Render";
    t.style = DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION;
    t.cx = 179;
    t.cy = 149;
    t.items = {
        DialogControl("BUTTON", "Output resolution:", IDC_STATIC, BS_GROUPBOX, 6, 6, 168, 78),
        DialogControl("BUTTON", "320 x 240", IDC_SIZE_320X240, kSizeButton, 18, 18, 48, 12),
        DialogControl("BUTTON", "640 x 480", IDC_SIZE_640X480, kSizeButton, 66, 18, 48, 12),
        DialogControl("BUTTON", "800 x 600", IDC_SIZE_800X600, kSizeButton, 114, 18, 48, 12),
        DialogControl("BUTTON", "1024 x 768", IDC_SIZE_1024X768, kSizeButton, 18, 30, 48, 12),
        DialogControl("BUTTON", "1280 x 1024", IDC_SIZE_1280X1024, kSizeButton, 66, 30, 48, 12),
        DialogControl("BUTTON", "1600 x 1200", IDC_SIZE_1600X1200, kSizeButton, 114, 30, 48, 12),
        DialogControl("STATIC", "Width:", IDC_STATIC, SS_LEFT, 49, 51, 28, 8),
        DialogControl("EDIT", "", IDC_RENDER_WIDTH, kNumberEdit, 78, 48, 34, 12),
        DialogControl("STATIC", "Height:", IDC_STATIC, SS_LEFT, 49, 69, 28, 8),
        DialogControl("EDIT", "", IDC_RENDER_HEIGHT, kNumberEdit, 78, 66, 34, 12),
        DialogControl("BUTTON", "Output file:", IDC_STATIC, BS_GROUPBOX, 6, 90, 168, 38),
        DialogControl("STATIC", "Filename:", IDC_STATIC, SS_LEFT, 11, 106, 38, 8),
        DialogControl("EDIT", "", IDC_RENDER_FILE_NAME, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 105, 106, 12),
        DialogControl("BUTTON", "...", IDC_RENDER_BROWSE, kSizeButton, 156, 105, 12, 12),
        DialogControl("BUTTON", "Render", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 12, 132, 50, 12),
        DialogControl("BUTTON", "Cancel", IDCANCEL, kSizeButton, 120, 132, 50, 12),
    };
    return t;
}

DialogTemplate OptionsDialogTemplate()
{
    DialogTemplate t;
    t.id = IDD_OPTIONS;
    t.caption = "Options";
    t.style = DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = 200;
    t.cy = 154;
    t.items = {
        DialogControl("BUTTON", "Diffuse component of directional light", IDC_STATIC, BS_GROUPBOX, 7, 7, 186, 41),
        DialogControl("STATIC", "R:", IDC_STATIC, SS_LEFT, 17, 25, 10, 11),
        DialogControl("EDIT", "", IDC_LIGHT_RED, kNumberEdit, 30, 24, 30, 12),
        DialogControl("msctls_updown32", "", IDC_LIGHT_RED_SPIN, kUpDown, 48, 18, 11, 13),
        DialogControl("STATIC", "G:", IDC_STATIC, SS_LEFT, 77, 25, 10, 11),
        DialogControl("EDIT", "", IDC_LIGHT_GREEN, kNumberEdit, 90, 24, 30, 13),
        DialogControl("msctls_updown32", "", IDC_LIGHT_GREEN_SPIN, kUpDown, 108, 19, 11, 10),
        DialogControl("STATIC", "B:", IDC_STATIC, SS_LEFT, 137, 25, 10, 11),
        DialogControl("EDIT", "", IDC_LIGHT_BLUE, kNumberEdit, 150, 24, 30, 12),
        DialogControl("msctls_updown32", "", IDC_LIGHT_BLUE_SPIN, kUpDown, 175, 17, 11, 12),
        DialogControl("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 47, 133, 50, 14),
        DialogControl("BUTTON", "Cancel", IDCANCEL, kSizeButton, 102, 133, 50, 14),
    };
    return t;
}
