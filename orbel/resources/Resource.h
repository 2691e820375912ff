// Identifiers of the program's own resources, commands and controls. The
// framework's standard identifiers (ID_FILE_NEW, ID_APP_ABOUT, ...) come from
// the framework headers.
#pragma once

#include <win32/Types.h>

// Controls nobody addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main frame: menu, accelerators, tool bar, icon and document template string.
#define IDR_MAINFRAME 128
#define IDR_VIEW_CONTEXT 132

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_TOOLS_PANEL 103
#define IDD_OBJECT_PANEL 130
#define IDD_MATERIAL_LIST 154
#define IDD_MATERIAL_PANEL 155
#define IDD_RENDER 169
#define IDD_OPTIONS 174

// Bitmaps.
#define IDB_SPLASH 145

// Tools panel: the dialog bar's id (also the View menu toggle) and its controls.
#define ID_VIEW_TOOLS_PANEL 104
#define IDC_TOOL_TABS 1004
#define IDC_PANEL_AREA 1007
#define IDC_PLUGIN_AREA 1011

// Object panel.
#define IDC_OBJECT_NAME 1009
#define IDC_TOOL_LIST 1010
#define IDC_COLOUR_SWATCH 1042

// Material list panel.
#define IDC_MATERIAL_LIST 1013
#define IDC_ADD_MATERIAL 1014
#define IDC_REMOVE_MATERIAL 1016
#define IDC_ASSIGN_MATERIAL 1017

// Material panel.
#define IDC_MATERIAL_NAME 1018
#define IDC_MATERIAL_PREVIEW 1019
#define IDC_AMBIENT_SWATCH 1021
#define IDC_DIFFUSE_SWATCH 1022
#define IDC_SPECULAR_SWATCH 1023
#define IDC_EMISSIVE_SWATCH 1024
#define IDC_AMBIENT_ALPHA 1029
#define IDC_AMBIENT_ALPHA_SPIN 1030
#define IDC_DIFFUSE_ALPHA 1032
#define IDC_DIFFUSE_ALPHA_SPIN 1033
#define IDC_SPECULAR_ALPHA 1034
#define IDC_SPECULAR_ALPHA_SPIN 1035
#define IDC_EMISSIVE_ALPHA 1036
#define IDC_EMISSIVE_ALPHA_SPIN 1037
#define IDC_MATERIAL_POWER 1038
#define IDC_MATERIAL_POWER_SPIN 1039
#define IDC_TEXTURE_BROWSE 1040
#define IDC_TEXTURE_NONE 1041

// About box.
#define IDC_ABOUT_TEXT 1055

// Render dialog.
#define IDC_RENDER_FILE_NAME 1044
#define IDC_RENDER_BROWSE 1045
#define IDC_RENDER_WIDTH 1046
#define IDC_RENDER_HEIGHT 1047
#define IDC_SIZE_320X240 1048
#define IDC_SIZE_800X600 1049
#define IDC_SIZE_640X480 1050
#define IDC_SIZE_1024X768 1051
#define IDC_SIZE_1280X1024 1052
#define IDC_SIZE_1600X1200 1053

// Options dialog: the light's red, green and blue with their arrows.
#define IDC_LIGHT_RED 1047
#define IDC_LIGHT_RED_SPIN 1050
#define IDC_LIGHT_GREEN 1051
#define IDC_LIGHT_GREEN_SPIN 1052
#define IDC_LIGHT_BLUE 1053
#define IDC_LIGHT_BLUE_SPIN 1054

// Splash window status line.
#define IDC_SPLASH_STATUS 1

// Menu, tool-bar and accelerator commands of the frame and of the views'
// context menu: the menus, the tool bar, the string table and the message
// maps all take their ids from here.
enum CommandId : UINT {
    // View context menu: fill modes and display toggles.
    ID_FILL_MODE_SOLID_WIRE = 135,
    ID_VIEW_GRID = 136,
    ID_FILL_MODE_POINT = 150,
    ID_FILL_MODE_WIREFRAME = 151,
    ID_FILL_MODE_SOLID = 153,
    ID_SHOW_BACK_FACES = 176,
    // View context menu: the "Views" submenu.
    ID_VIEW_KIND_TOP = 133,
    ID_VIEW_KIND_BOTTOM = 134,
    ID_VIEW_KIND_LEFT = 137,
    ID_VIEW_KIND_RIGHT = 138,
    ID_VIEW_KIND_FRONT = 139,
    ID_VIEW_KIND_BACK = 140,
    ID_VIEW_KIND_USER = 141,
    ID_VIEW_KIND_PERSPECTIVE = 142,
    // Frame.
    ID_DELETE_SELECTION = 158,
    ID_CLONE_OBJECT = 159,
    ID_FILE_IMPORT = 165,
    ID_FILE_EXPORT = 166,
    ID_RENDER = 168,
    ID_JOIN_OBJECTS = 171,
    ID_OPTIONS = 175,
    ID_VIEW_ROTATE = 32774,
    ID_VIEW_MOVE = 32775,
    ID_VIEW_ZOOM = 32776,
    ID_SELECT_OBJECT = 32777,
    ID_SELECT_POLYGON = 32778,
    ID_SELECT_LINE = 32779,
    ID_SELECT_POINT = 32780,
    ID_ROTATE_OBJECT = 32781,
    ID_MOVE_OBJECT = 32782,
    ID_SCALE_OBJECT = 32783,
    ID_PIVOT_MODE = 32784,
    ID_MASK_X_AXIS = 32785,
    ID_MASK_Y_AXIS = 32786,
    ID_MASK_Z_AXIS = 32787,
    ID_SELECT_ALL = 32842,
};
