// The contract between the program and its plug-in libraries: the interface
// every plug-in object implements, the codes both sides exchange and the
// record the program keeps per loaded library.
//
// Host and plug-ins are compiled separately from this one declaration, so the
// order of the virtual functions below is part of the contract: append, never
// reorder.
#pragma once

#include <win32/Types.h>

class CWnd;

// Events the program announces to a plug-in through cPlugin::OnEvent.
enum PluginEvent : int {
    PE_LBUTTONDOWN = 1,
    PE_LBUTTONUP = 2,
    PE_RBUTTONDOWN = 3,
    PE_RBUTTONUP = 4,
    PE_MOUSEMOVE = 5,
    PE_ACTIVATE = 6,
    PE_REFRESH = 7,
    PE_IMPORT = 8,
    PE_EXPORT = 9,
    PE_EXECUTE = 10,
};

// Requests a plug-in lists after accepting an event; most are answered with
// SetParam(code, value).
enum PluginRequest : int {
    PR_POINT = 101,
    PR_NEW_OBJECT = 102,
    PR_SELECTION = 103,
    PR_CLEAR_SELECTION = 104,
    PR_PANEL_ACTION = 105,  // posted by a plug-in panel, never served from a list
    PR_CAPTURE_MOUSE = 106,
    PR_DEVICE = 107,
    PR_PICK_POINT = 108,
    PR_REPEAT = 109,
    PR_FILE_PATH = 110,
    PR_NEW_MATERIAL = 111,
    PR_MATERIAL_INDEX = 112,
    PR_SELECT_OBJECTS = 113,
    PR_SELECT_FACES = 114,
    PR_SELECT_VERTICES = 115,
    PR_MATERIALS = 116,
    PR_FILE_TITLE = 117,
    PR_UNDO_POINT = 118,
    PR_EXECUTE = 119,
};

// Codes carried in wParam of WM_USER posted to the main frame. A plug-in
// panel's button posts the request code PR_PANEL_ACTION the same way.
enum FrameMessage : int {
    FM_ACTIVATE_TOOL = 1,
    FM_RENAME = 2,
    FM_SHOW_MATERIAL = 3,
    FM_ADD_MATERIAL = 4,
    FM_REMOVE_MATERIAL = 5,
    FM_APPLY_MATERIAL = 6,
    FM_DRAW_MATERIAL = 7,
    FM_ASSIGN_MATERIAL = 8,
    FM_SET_COLOUR = 9,
    FM_RUN_PLUGIN = 10,
};

// The file extension alone decides what a plug-in library is for.
enum PluginCategory {
    PLUGIN_CREATE = 0,  // "*.dlc"
    PLUGIN_MODIFY = 1,  // "*.dlm"
    PLUGIN_IMPORT = 2,  // "*.dli"
    PLUGIN_EXPORT = 3,  // "*.dle"
    PLUGIN_CATEGORY_COUNT = 4,
};

class cPlugin {
public:
    // The program never deletes a plug-in object; Release does.
    virtual ~cPlugin() {}
    virtual void Release() = 0;
    virtual void ShowPanel(CWnd* parent) = 0;
    virtual void HidePanel() = 0;
    // Only a result of exactly true asks the program to serve requests.
    virtual bool OnEvent(int event) = 0;
    virtual int GetRequestCount() = 0;
    virtual int GetRequest(int index) = 0;
    virtual const char* GetText(int request) = 0;
    virtual void SetParam(int request, void* value) = 0;
    virtual int UndoAction(int param, int discard) = 0;
    virtual const char* GetName() = 0;
};

// One loaded plug-in library: the program writes the module, the library's
// GetPlugin writes the object.
struct PluginRecord {
    cPlugin* plugin = nullptr;
    HINSTANCE hModule = nullptr;
};

// The one function a plug-in library exports, by this name. It allocates the
// plug-in object, stores it through the argument (null when that fails) and
// returns it.
using GetPluginFunction = cPlugin* (*)(cPlugin** plugin);
#define ORBEL_GET_PLUGIN_NAME "GetPlugin"
