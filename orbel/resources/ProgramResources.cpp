#include "orbel/resources/ProgramResources.h"

#include "orbel/resources/MaterialTemplates.h"

#include "orbel/resources/ProgramPictures.h"
#include "orbel/resources/RenderDialogTemplates.h"
#include "orbel/resources/Resource.h"

#include <framework/Afx.h>

namespace {

MenuItemTemplate Item(const char* text, UINT id, UINT flags = MF_STRING)
{
    return {text, id, flags, {}};
}

MenuItemTemplate Separator()
{
    return {"", 0, MF_SEPARATOR, {}};
}

MenuItemTemplate Popup(const char* text, std::vector<MenuItemTemplate> children)
{
    return {text, 0, MF_POPUP, std::move(children)};
}

MenuTemplate MainMenu()
{
    return {IDR_MAINFRAME,
            {
                Popup("&File",
                      {Item("&New\tCtrl+N", ID_FILE_NEW), Item("&Open...\tCtrl+O", ID_FILE_OPEN),
                       Item("&Save\tCtrl+S", ID_FILE_SAVE), Item("Save &As...", ID_FILE_SAVE_AS), Separator(),
                       Item("Import...", ID_FILE_IMPORT), Item("Export Selected ...", ID_FILE_EXPORT), Separator(),
                       Item("Recent File", ID_FILE_MRU_FILE1, MF_GRAYED), Separator(), Item("E&xit", ID_APP_EXIT)}),
                Popup("&Edit", {Item("&Undo\tCtrl+Z", ID_EDIT_UNDO), Item("&Redo\tCtrl+Y", ID_EDIT_REDO), Separator(),
                                Item("&Delete\tDel", ID_DELETE_SELECTION), Item("C&lone Object", ID_CLONE_OBJECT),
                                Item("Join ", ID_JOIN_OBJECTS), Separator(),
                                Item("Select All\tCtrl+A", ID_SELECT_ALL)}),
                Item("&Render", ID_RENDER),
                Popup("&View", {Item("&Toolbar", ID_VIEW_TOOLBAR), Item("&Status Bar", ID_VIEW_STATUS_BAR),
                                Item("Tools Panel", ID_VIEW_TOOLS_PANEL)}),
                Item("&Options", ID_OPTIONS),
                Popup("&Help", {Item("&About Orbel...", ID_APP_ABOUT)}),
            }};
}

MenuTemplate ViewContextMenu()
{
    return {IDR_VIEW_CONTEXT,
            {Popup("View", {Popup("Views", {Item("Top", ID_VIEW_KIND_TOP), Item("Bottom", ID_VIEW_KIND_BOTTOM),
                                            Item("Left", ID_VIEW_KIND_LEFT), Item("Right", ID_VIEW_KIND_RIGHT),
                                            Item("Front", ID_VIEW_KIND_FRONT), Item("Back", ID_VIEW_KIND_BACK),
                                            Item("User", ID_VIEW_KIND_USER),
                                            Item("Perspective", ID_VIEW_KIND_PERSPECTIVE)}),
                            Separator(), Item("Grid ", ID_VIEW_GRID), Item("Show Back Faces", ID_SHOW_BACK_FACES),
                            Separator(), Item("Fill Mode Wireframe", ID_FILL_MODE_WIREFRAME),
                            Item("Fill Mode Solid-Wire", ID_FILL_MODE_SOLID_WIRE),
                            Item("Fill Mode Solid", ID_FILL_MODE_SOLID), Item("Fill Mode Point", ID_FILL_MODE_POINT)})}};
}

AcceleratorTable MainAccelerators()
{
    const BYTE key = FVIRTKEY;
    const BYTE ctrl = FVIRTKEY | FCONTROL;
    return {IDR_MAINFRAME,
            {
                {ctrl, 'N', ID_FILE_NEW},
                {ctrl, 'O', ID_FILE_OPEN},
                {ctrl, 'S', ID_FILE_SAVE},
                {ctrl, 'Z', ID_EDIT_UNDO},
                {static_cast<BYTE>(FVIRTKEY | FALT), VK_BACK, ID_EDIT_UNDO},
                {ctrl, 'Y', ID_EDIT_REDO},
                {key, VK_DELETE, ID_DELETE_SELECTION},
                {ctrl, 'A', ID_SELECT_ALL},
                {key, VK_F6, ID_NEXT_PANE},
                {static_cast<BYTE>(FVIRTKEY | FSHIFT), VK_F6, ID_PREV_PANE},
                {key, 'X', ID_MASK_X_AXIS},
                {key, 'Y', ID_MASK_Y_AXIS},
                {key, 'Z', ID_MASK_Z_AXIS},
            }};
}

std::vector<StringEntry> Strings()
{
    return {
        {IDR_MAINFRAME, "Orbel\n\nOrbel\nOrbel Files (*.f3D)\n.f3D\nMyOrbel.Document\nOrbel.Document"},
        {AFX_IDS_APP_TITLE, "Orbel"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {ID_DELETE_SELECTION, "Delete\nDelete"},
        {ID_CLONE_OBJECT, "Clone\nClone"},
        {ID_JOIN_OBJECTS,
         "Join Objects - minimum 2 objects must be chosen \n Join Objects - minimum 2 objects must be chosen "},
        {ID_VIEW_ROTATE, "View Rotate\nView Rotate"},
        {ID_VIEW_MOVE, "View Move\nView Move"},
        {ID_VIEW_ZOOM, "View Zoom\nView Zoom"},
        {ID_SELECT_OBJECT, "Select Object\nSelect Object"},
        {ID_SELECT_POLYGON, "Select Polygon\n Select Polygon"},
        {ID_SELECT_LINE, "Select Line\nSelect Line"},
        {ID_SELECT_POINT, "Select Point\n Select Point"},
        {ID_ROTATE_OBJECT, "Rotate Object\nRotate Object"},
        {ID_MOVE_OBJECT, "Move Object\nMove Object"},
        {ID_SCALE_OBJECT, "Scale Object\nScale Object"},
        {ID_PIVOT_MODE, "Pivot Mode \nPivot Mode"},
        {ID_MASK_X_AXIS, "Mask X Axis\nMask X Axis"},
        {ID_MASK_Y_AXIS, "Mask Y Axis\nMask Y Axis"},
        {ID_MASK_Z_AXIS, "Mask Z Axis\nMask Z Axis"},
        {ID_SELECT_ALL, "Select All\nSelect All"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    };
}

DialogTemplate AboutBox()
{
    DialogTemplate t;
    t.id = IDD_ABOUTBOX;
    t.caption = "About Orbel";
    t.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.cx = 235;
    t.cy = 96;
    t.items = {
        DialogControl("STATIC", "Orbel - polygon mesh modeller", IDC_STATIC, SS_LEFT, 11, 10, 160, 8),
        DialogControl("STATIC", "", IDC_ABOUT_TEXT, SS_LEFT | SS_NOTIFY, 11, 26, 213, 40),
        DialogControl("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 178, 74, 50, 14),
    };
    return t;
}

DialogTemplate ToolsPanel()
{
    DialogTemplate t;
    t.id = IDD_TOOLS_PANEL;
    t.style = WS_CHILD;
    t.cx = 152;
    t.cy = 396;
    t.items = {
        DialogControl("SysTabControl32", "", IDC_TOOL_TABS, WS_TABSTOP, 7, 7, 138, 114),
        DialogControl("BUTTON", "Button1_DP", IDC_PANEL_AREA, BS_OWNERDRAW, 14, 21, 124, 96),
        DialogControl("BUTTON", "Button2_DP", IDC_PLUGIN_AREA, BS_OWNERDRAW | WS_DISABLED, 7, 121, 138, 268),
    };
    return t;
}

DialogTemplate ObjectPanel()
{
    DialogTemplate t;
    t.id = IDD_OBJECT_PANEL;
    t.style = WS_CHILD;
    t.cx = 120;
    t.cy = 88;
    t.items = {
        DialogControl("BUTTON", "Name and Color", IDC_STATIC, BS_GROUPBOX, 0, 9, 119, 32),
        DialogControl("EDIT", "", IDC_OBJECT_NAME, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 3, 23, 97, 13),
        DialogControl("BUTTON", "Button1", IDC_COLOUR_SWATCH, BS_OWNERDRAW, 99, 23, 16, 13, WS_EX_STATICEDGE),
        DialogControl("BUTTON", "Tools", IDC_STATIC, BS_GROUPBOX, 0, 50, 119, 30),
        DialogControl("COMBOBOX", "", IDC_TOOL_LIST, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 3, 62, 112, 19),
    };
    return t;
}

}  // namespace

ResourceTables MakeProgramResources()
{
    ResourceTables tables;
    tables.menus = {MainMenu(), ViewContextMenu()};
    tables.accelerators = {MainAccelerators()};
    tables.strings = Strings();
    tables.dialogs = {AboutBox(), ToolsPanel(), ObjectPanel(), MaterialListTemplate(), MaterialPanelTemplate(),
                      RenderDialogTemplate(), OptionsDialogTemplate()};
    tables.bitmaps = {MakeToolBarImages(IDR_MAINFRAME), MakeSplashPicture(IDB_SPLASH)};
    tables.icons = {MakeProgramIcon(IDR_MAINFRAME)};
    return tables;
}

void RegisterProgramResources()
{
    AfxRegisterModuleResources(AfxGetInstanceHandle(), MakeProgramResources());
}
