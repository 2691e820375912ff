// Drives real plug-in libraries in the test process the way the program
// does, without its main window: the libraries are loaded from the built
// "Plugins" folder by the program's loader, events go through the program's
// serving loop, the frame's requests are served against a real document
// with a real device, and the panels live in a placeholder of a hidden host
// window that handles their posted codes as the frame does.
//
//   PluginTestHost host;
//   cPlugin* sphere = host.Load("Sphere.dlc");
//   host.Activate(sphere);
//   host.Drag({0, 0, 0}, {{1, 0, 0}, {2, 0, 0}});
#pragma once

#include <framework/Afx.h>
#include <d3d8/D3D8.h>
#include <d3dx8/D3DX8.h>
#include <model/MyOrbelDoc.h>
#include <plugins/common/Plugin.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class PluginTestHost {
public:
    PluginTestHost();
    ~PluginTestHost();
    PluginTestHost(const PluginTestHost&) = delete;
    PluginTestHost& operator=(const PluginTestHost&) = delete;

    // A library of the built "Plugins" folder; null (and a test failure)
    // when it does not load. The host releases it at the end.
    cPlugin* Load(const std::string& fileName);

    CMyOrbelDoc& Document() { return *m_Document; }
    IDirect3DDevice8* Device() const { return m_Device; }
    cPlugin* Current() const { return m_Current; }

    // Choosing the tool: the previous tool's panel goes, this one's panel
    // is shown in the placeholder and PE_ACTIVATE is served.
    void Activate(cPlugin* plugin);
    // The tool is dropped (HidePanel) as a tab change or Undo does.
    void Deactivate();

    // A view's mouse event at the given construction-plane point. The view
    // serves PR_POINT and PR_CAPTURE_MOUSE, the frame the rest; posted codes
    // are delivered afterwards. True when the tool took the event.
    bool Mouse(int event, const D3DXVECTOR3& point);
    bool Press(const D3DXVECTOR3& point) { return Mouse(PE_LBUTTONDOWN, point); }
    bool Move(const D3DXVECTOR3& point) { return Mouse(PE_MOUSEMOVE, point); }
    bool Release(const D3DXVECTOR3& point) { return Mouse(PE_LBUTTONUP, point); }
    // Press at `from`, a move to each point, release at the last one.
    void Drag(const D3DXVECTOR3& from, const std::vector<D3DXVECTOR3>& to);

    // "Import..." and "Export Selected ..." with `path` chosen in the file
    // dialog: PR_FILE_PATH gets the path, PR_FILE_TITLE its file name, the
    // frame serves the rest. True when the plug-in took the event.
    bool ImportFile(cPlugin* plugin, const std::string& path) { return ServeFile(plugin, PE_IMPORT, path); }
    bool ExportFile(cPlugin* plugin, const std::string& path) { return ServeFile(plugin, PE_EXPORT, path); }

    // An event the frame sends (PE_REFRESH, PE_EXECUTE), served by the frame.
    bool Notify(cPlugin* plugin, int event);
    // Undo of the newest step, as the Undo command does (the tool is dropped).
    void Undo();
    void Redo();

    // Delivers what is pending: posted codes, paints, Qt events.
    void DeliverPosted();

    // The current tool's panel window (a child of the placeholder or a
    // pop-up made for it), or null.
    HWND Panel() const;
    CWnd* Placeholder() const;
    // Text of a control of the panel.
    std::string PanelText(int controlId) const;
    // Types into a panel edit as the user does (selects all, types).
    void TypeIntoPanel(int controlId, const std::string& text);

    // What the host did for the tools, in order.
    std::vector<int> servedCodes;
    int mouseCaptures = 0;
    int panelActions = 0;
    int runs = 0;

    // The Undo command's text ("&Undo <label> \tCtrl+Z").
    std::string UndoText() const;

    // The object the selection lists first, or null.
    cObjekt3D* FirstSelected() const;

    class HostWindow;

private:
    void ServeFrameRequest(cPlugin* plugin, int code);
    bool ServeFromFrame(cPlugin* plugin, int event);
    bool ServeFile(cPlugin* plugin, int event, const std::string& path);
    void OnPosted(WPARAM code, LPARAM argument);

    std::filesystem::path m_Folder;
    std::unique_ptr<CMyOrbelDoc> m_Document;
    IDirect3D8* m_Direct3D = nullptr;
    IDirect3DDevice8* m_Device = nullptr;
    HostWindow* m_Window = nullptr;
    CWnd* m_Placeholder = nullptr;
    cPlugin* m_Current = nullptr;
    std::vector<PluginRecord> m_Loaded;
    const D3DXVECTOR3* m_MousePoint = nullptr;
};
