// Resources per module: dialog templates, menus, strings, accelerator
// tables, bitmaps and icons.
//
// A module (the program, or a plug-in library) describes its resources in a
// ResourceTables value and registers it. Plug-ins register through a static
// ResourceRegistration object, so their resources appear while the library
// is being loaded and disappear when it is freed; the registry tells modules
// apart by the address of that object.
//
// Lookups without a module search the current resource module first (see
// AfxSetResourceHandle; by default the program), then the program, then the
// loaded libraries in load order. Returned pointers stay valid until the
// module that owns them is unregistered.
//
// This is the layer's own stand-in for compiled resource scripts: the
// tables are built in code.
// Left out: version, cursor and raw data resources, localisation by
// language id, and resources read from files.
#pragma once

#include <win32/Types.h>

#include <string>
#include <vector>

// ---- resource names and types -------------------------------------------

// Spelled exactly as in the window header, so both may be included.
#define MAKEINTRESOURCE(i) (reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)

// ---- menu item flags (MF_*) ----------------------------------------------

#ifndef MF_STRING
#define MF_INSERT 0x00000000u
#define MF_CHANGE 0x00000080u
#define MF_APPEND 0x00000100u
#define MF_DELETE 0x00000200u
#define MF_REMOVE 0x00001000u
#define MF_BYCOMMAND 0x00000000u
#define MF_BYPOSITION 0x00000400u
#define MF_SEPARATOR 0x00000800u
#define MF_ENABLED 0x00000000u
#define MF_GRAYED 0x00000001u
#define MF_DISABLED 0x00000002u
#define MF_UNCHECKED 0x00000000u
#define MF_CHECKED 0x00000008u
#define MF_STRING 0x00000000u
#define MF_BITMAP 0x00000004u
#define MF_OWNERDRAW 0x00000100u
#define MF_POPUP 0x00000010u
#define MF_MENUBARBREAK 0x00000020u
#define MF_MENUBREAK 0x00000040u
#define MF_DEFAULT 0x00001000u
#define MF_HELP 0x00004000u
#endif

// ---- accelerator flags (ACCEL::fVirt) ------------------------------------

#ifndef FVIRTKEY
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10
#endif

struct ACCEL {
    BYTE fVirt;  // FVIRTKEY: key is a VK_ code, else a character code
    WORD key;
    WORD cmd;
};
using LPACCEL = ACCEL*;

// ---- the tables ----------------------------------------------------------

// One control of a dialog template. Coordinates are dialog units.
struct DialogItemTemplate {
    std::string windowClass;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", "COMBOBOX",
                              // "msctls_updown32", "SysTabControl32", "msctls_progress32"
    std::string text;         // caption; for a bitmap STATIC the bitmap id in decimal
    UINT id = 0;
    DWORD style = 0;  // WS_* together with the class's own BS_/ES_/SS_/... bits
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
};

// A control as a resource script's CONTROL statement gives it: a visible
// child window, whatever else `style` says.
ORBEL_API DialogItemTemplate DialogControl(const char* windowClass, const char* text, UINT id, DWORD style,
                                           short x, short y, short cx, short cy, DWORD exStyle = 0);

struct DialogTemplate {
    UINT id = 0;
    std::string caption;
    DWORD style = 0;  // WS_* and DS_*
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string fontName = "MS Shell Dlg";
    WORD fontSize = 8;
    std::vector<DialogItemTemplate> items;
};

// A menu entry: text keeps its '&' mnemonic and a "\t" accelerator text.
// A popup (MF_POPUP) has children and no id; a separator has MF_SEPARATOR.
struct MenuItemTemplate {
    std::string text;
    UINT id = 0;
    UINT flags = MF_STRING;
    std::vector<MenuItemTemplate> children;
};

struct MenuTemplate {
    UINT id = 0;
    std::vector<MenuItemTemplate> items;  // the bar, or the popup's entries
};

struct StringEntry {
    UINT id = 0;
    std::string text;
};

struct AcceleratorTable {
    UINT id = 0;
    std::vector<ACCEL> entries;
};

// Pixels are 0xAARRGGBB, rows top to bottom, width * height of them.
struct BitmapResource {
    UINT id = 0;
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};

struct IconResource {
    UINT id = 0;
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;  // as BitmapResource; alpha 0 is transparent
};

struct ResourceTables {
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuTemplate> menus;
    std::vector<StringEntry> strings;
    std::vector<AcceleratorTable> accelerators;
    std::vector<BitmapResource> bitmaps;
    std::vector<IconResource> icons;
};

// ---- registration --------------------------------------------------------

// Registers the tables of the module that holds `owner` (an address inside
// that module's image, such as a static object of it). The registry keeps a
// copy of the tables. A module may register several tables, searched in the
// order they came; registering the same owner again replaces its tables.
ORBEL_API void AfxRegisterResources(const void* owner, ResourceTables tables);
ORBEL_API void AfxUnregisterResources(const void* owner);

// Registers tables under an explicit module handle (the program may use
// AfxGetInstanceHandle()). Unregistering a module drops all its tables.
ORBEL_API void AfxRegisterModuleResources(HINSTANCE module, ResourceTables tables);
ORBEL_API void AfxUnregisterModuleResources(HINSTANCE module);

// A static object of this type in a module registers the module's tables
// while the module is loaded and removes them when it is unloaded.
class ORBEL_API ResourceRegistration {
public:
    explicit ResourceRegistration(ResourceTables tables);
    ~ResourceRegistration();
    ResourceRegistration(const ResourceRegistration&) = delete;
    ResourceRegistration& operator=(const ResourceRegistration&) = delete;
};

// The handle the registry uses for the module that holds `address`
// (0 when the address is in no loaded image).
ORBEL_API HINSTANCE AfxModuleOfAddress(const void* address);

// ---- module handles ------------------------------------------------------

// The program's module. Until AfxSetInstanceHandle is called it is the
// module of the main executable.
ORBEL_API HINSTANCE AfxGetInstanceHandle();
ORBEL_API void AfxSetInstanceHandle(HINSTANCE instance);

// The module searched first; by default the program's module. Setting 0
// returns to the default.
ORBEL_API HINSTANCE AfxGetResourceHandle();
ORBEL_API void AfxSetResourceHandle(HINSTANCE resource);

// The first module in search order that holds the named resource, or 0.
// A library is named by the handle its loader gave (AfxInitExtensionModule).
ORBEL_API HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);

// Extension libraries: a plug-in's DllMain calls AfxInitExtensionModule with
// the handle it was given and creates a CDynLinkLibrary, so that the handle
// names its resources; AfxTermExtensionModule at detach undoes both.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};
ORBEL_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
ORBEL_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

class ORBEL_API CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
    virtual ~CDynLinkLibrary();
    HMODULE m_hModule;
    HMODULE m_hResource;
};

// ---- lookups -------------------------------------------------------------

// module 0: the search order above. Each returns null when nothing matches.
ORBEL_API const DialogTemplate* AfxFindDialogTemplate(HINSTANCE module, UINT id);
ORBEL_API const MenuTemplate* AfxFindMenuTemplate(HINSTANCE module, UINT id);
ORBEL_API const std::string* AfxFindString(HINSTANCE module, UINT id);
ORBEL_API const AcceleratorTable* AfxFindAcceleratorTable(HINSTANCE module, UINT id);
ORBEL_API const BitmapResource* AfxFindBitmap(HINSTANCE module, UINT id);
ORBEL_API const IconResource* AfxFindIcon(HINSTANCE module, UINT id);

// Win32 string and accelerator loading. LoadStringA copies at most
// bufferMax - 1 characters and returns how many it copied (0: not found).
ORBEL_API int LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int bufferMax);
// The handle is the registered table; it stays valid until its module goes.
ORBEL_API HACCEL LoadAcceleratorsA(HINSTANCE module, LPCSTR name);
ORBEL_API const AcceleratorTable* AfxAcceleratorTableFromHandle(HACCEL accel);
ORBEL_API int CopyAcceleratorTableA(HACCEL accel, LPACCEL entries, int count);
// Plain functions rather than macros, so members named LoadString
// (CString::LoadString) stay untouched.
inline int LoadString(HINSTANCE module, UINT id, LPSTR buffer, int bufferMax) {
    return LoadStringA(module, id, buffer, bufferMax);
}
inline HACCEL LoadAccelerators(HINSTANCE module, LPCSTR name) { return LoadAcceleratorsA(module, name); }

// Loads a string of the search order into `text`; false when there is none.
ORBEL_API bool AfxLoadString(UINT id, std::string& text);
