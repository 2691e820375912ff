// A headless stage for the view tests and the views benchmark: a host window
// with views of one document, the shared Direct3D device set up as the frame
// sets it up, the frame's mode fields, and what the views presented.
#pragma once

#include "orbel/views/MyOrbelView.h"
#include "orbel/views/ViewFrame.h"

#include "model/MyOrbelDoc.h"

#include <d3d8/D3D8.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// Failures show vectors as numbers, not as the pointer they convert to.
inline void PrintTo(const D3DXVECTOR3& v, std::ostream* out) { *out << "(" << v.x << ", " << v.y << ", " << v.z << ")"; }

namespace viewtest {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // rows top first

    std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x] | 0xFF000000u; }
    int Count(std::uint32_t colour) const;
    bool Empty() const { return argb.empty(); }
};

inline constexpr std::uint32_t kBackground = 0xFFBEBEBE;
inline constexpr std::uint32_t kWhite = 0xFFFFFFFF;
inline constexpr std::uint32_t kGridGrey = 0xFF969696;
inline constexpr std::uint32_t kAxisBlack = 0xFF000000;

// The window around the views, standing in for the main frame: it records
// what the views ask of it.
class HostFrame : public CWnd, public cViewFrame {
public:
    struct Coordinates {
        BOOL show = FALSE;
        D3DXVECTOR3 point{0, 0, 0};
    };

    void ServeRequest(cPlugin* plugin, int code) override;
    void NotifySelectionChanged() override { ++notifications; }
    // As the main frame does: the tool's HidePanel, then no tool.
    void DropCurrentPlugin() override;
    void ShowCoordinates(BOOL show, float x, float y, float z) override;

    // The harness's current-plug-in field the views point at.
    cPlugin** currentPlugin = nullptr;

    std::vector<int> servedCodes;
    int notifications = 0;
    std::vector<Coordinates> coordinates;
    // Runs inside ServeRequest, after the code was recorded.
    std::function<void(cPlugin*, int)> onServe;
};

class ViewHarness {
public:
    // Throws std::runtime_error when the device's line buffers cannot be filled.
    explicit ViewHarness(int hostWidth = 800, int hostHeight = 800);
    ~ViewHarness();
    ViewHarness(const ViewHarness&) = delete;
    ViewHarness& operator=(const ViewHarness&) = delete;

    // A view of the document in the host window, given the frame's fields
    // and then its kind.
    CMyOrbelView* AddView(int kind, int width = 160, int height = 120);
    // The same at a place of the caller's choosing in the host window.
    CMyOrbelView* AddView(int kind, const CRect& placement);
    // Destroys the view's window (which deletes the view).
    void DestroyView(CMyOrbelView* view);

    // One paint without the GDI overlay, and what the window then shows.
    Image Paint(CMyOrbelView* view);
    // A real paint through the window, overlay included.
    Image PaintWithOverlay(CMyOrbelView* view);

    bool HasDevice() const { return m_Device != nullptr; }
    CMyOrbelDoc& Document() { return *m_Document; }
    HostFrame& Frame() { return *m_Host; }
    IDirect3DDevice8* Device() { return m_Device; }

    // Frame fields the views point at.
    int viewMode = 0;
    int selectionMode = 0;
    int transformMode = 0;
    BYTE pivot = 0;
    float axisMasks[3] = {1.0f, 1.0f, 0.0f};
    cPlugin* currentPlugin = nullptr;

private:
    void CreateDevice(HWND focusWindow);

    std::filesystem::path m_ProgramFolder;
    HostFrame* m_Host = nullptr;
    CMyOrbelDoc* m_Document = nullptr;
    IDirect3D8* m_Direct3D = nullptr;
    IDirect3DDevice8* m_Device = nullptr;
    IDirect3DVertexBuffer8* m_GridBuffer = nullptr;
    IDirect3DVertexBuffer8* m_AxesBuffer = nullptr;
    int m_NextTop = 0;
    int m_ViewCount = 0;
};

// What a paint leaves for picking, without needing a device.
void RefreshMatrices(CMyOrbelView* view);
// The client pixel where a world point appears in the view (after
// RefreshMatrices or a paint).
CPoint PixelOf(CMyOrbelView* view, const D3DXVECTOR3& world);
// The undo labels from the newest step that can be undone to the oldest.
std::vector<std::string> UndoLabels(const cUndoManager& undo);

// A flat square of four vertices in the XZ plane (normals up), two faces,
// texture coordinates 0..1 across it.
cObjekt3D* MakeSquare(float half, D3DXVECTOR3 position = D3DXVECTOR3(0, 0, 0));

// Gives every face of the object a material whose 2 x 2 texture is
// transparent in its left column (alpha 0) and opaque red in its right one;
// false when the device makes no such texture.
bool GiveHalfTransparentTexture(CMyOrbelDoc& document, IDirect3DDevice8* device, cObjekt3D* object);

// The 58-byte view blocks at the end of a saved scene.
std::vector<unsigned char> SaveSceneBytes(CMyOrbelDoc& document);
// false when loading raised the framework's exception (deleted here).
bool LoadSceneBytes(CMyOrbelDoc& document, const std::vector<unsigned char>& bytes);

}  // namespace viewtest
