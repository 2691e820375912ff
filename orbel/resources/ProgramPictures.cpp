#include "orbel/resources/ProgramPictures.h"

#include "orbel/resources/PixelCanvas.h"
#include "orbel/resources/Resource.h"

#include <framework/Afx.h>

#include <functional>

namespace {

constexpr DWORD kFace = 0xFFF0F0F0;
constexpr DWORD kInk = 0xFF202020;
constexpr DWORD kPaper = 0xFFFFFFFF;
constexpr DWORD kAccent = 0xFF2060C0;
constexpr DWORD kFolder = 0xFFE0B040;
constexpr DWORD kRed = 0xFFD02020;
constexpr DWORD kGreen = 0xFF20A020;
constexpr DWORD kBlue = 0xFF2040E0;

using ImagePainter = std::function<void(PixelCanvas&, int left)>;

void Arrow(PixelCanvas& c, int x0, int y0, int x1, int y1, DWORD colour)
{
    c.Line(x0, y0, x1, y1, colour);
    const int dx = x1 > x0 ? -2 : (x1 < x0 ? 2 : 0);
    const int dy = y1 > y0 ? -2 : (y1 < y0 ? 2 : 0);
    if (dx != 0) {
        c.Line(x1, y1, x1 + dx, y1 - 2, colour);
        c.Line(x1, y1, x1 + dx, y1 + 2, colour);
    } else {
        c.Line(x1, y1, x1 - 2, y1 + dy, colour);
        c.Line(x1, y1, x1 + 2, y1 + dy, colour);
    }
}

void FourWayArrows(PixelCanvas& c, int cx, int cy, DWORD colour)
{
    Arrow(c, cx, cy, cx + 7, cy, colour);
    Arrow(c, cx, cy, cx - 7, cy, colour);
    Arrow(c, cx, cy, cx, cy + 7, colour);
    Arrow(c, cx, cy, cx, cy - 7, colour);
}

void Cube(PixelCanvas& c, int x, int y, int size, DWORD colour)
{
    const int d = size / 3;
    c.FrameRect(x, y + d, x + size - d, y + size, colour);
    c.Line(x, y + d, x + d, y, colour);
    c.Line(x + size - d - 1, y + d, x + size - 1, y, colour);
    c.Line(x + size - d - 1, y + size - 1, x + size - 1, y + size - d - 1, colour);
    c.Line(x + d, y, x + size - 1, y, colour);
    c.Line(x + size - 1, y, x + size - 1, y + size - d - 1, colour);
}

// One painter per image, in the order of the non-separator buttons.
const ImagePainter kPainters[] = {
    [](PixelCanvas& c, int l) {  // New: a blank page with a folded corner
        c.FillRect(l + 4, 2, l + 15, 17, kPaper);
        c.FrameRect(l + 4, 2, l + 15, 17, kInk);
        c.Line(l + 11, 2, l + 14, 5, kInk);
        c.Line(l + 11, 2, l + 11, 5, kInk);
        c.Line(l + 11, 5, l + 14, 5, kInk);
    },
    [](PixelCanvas& c, int l) {  // Open: a folder
        c.FillRect(l + 2, 6, l + 17, 16, kFolder);
        c.FrameRect(l + 2, 6, l + 17, 16, kInk);
        c.FillRect(l + 3, 4, l + 8, 6, kFolder);
        c.Line(l + 3, 4, l + 8, 4, kInk);
    },
    [](PixelCanvas& c, int l) {  // Save: a disk
        c.FillRect(l + 3, 2, l + 17, 17, kAccent);
        c.FrameRect(l + 3, 2, l + 17, 17, kInk);
        c.FillRect(l + 6, 3, l + 14, 8, kPaper);
        c.FillRect(l + 6, 11, l + 14, 17, 0xFFC0C0C0);
    },
    [](PixelCanvas& c, int l) {  // About: a question mark
        c.Text(l + 5, 2, "?", 2, kAccent);
    },
    [](PixelCanvas& c, int l) {  // View rotate: a circle with an arrow head
        c.Circle(l + 10, 9, 6, kInk);
        Arrow(c, l + 13, 3, l + 16, 3, kInk);
    },
    [](PixelCanvas& c, int l) {  // View move: arrows in four directions
        FourWayArrows(c, l + 10, 9, kInk);
    },
    [](PixelCanvas& c, int l) {  // View zoom: a magnifying glass
        c.Circle(l + 8, 7, 5, kInk);
        c.Line(l + 12, 11, l + 17, 16, kInk);
        c.Line(l + 12, 12, l + 16, 16, kInk);
    },
    [](PixelCanvas& c, int l) {  // Select object: a cube
        Cube(c, l + 3, 3, 14, kInk);
    },
    [](PixelCanvas& c, int l) {  // Select polygon: a triangle
        c.Line(l + 3, 15, l + 10, 3, kInk);
        c.Line(l + 10, 3, l + 17, 15, kInk);
        c.Line(l + 3, 15, l + 17, 15, kInk);
    },
    [](PixelCanvas& c, int l) {  // Select point: one dot on a cross
        c.FillRect(l + 8, 7, l + 13, 12, kRed);
        c.Line(l + 3, 9, l + 17, 9, kInk);
        c.Line(l + 10, 2, l + 10, 16, kInk);
    },
    [](PixelCanvas& c, int l) {  // Rotate object: a cube inside a turning circle
        c.Circle(l + 10, 9, 8, kAccent);
        Cube(c, l + 6, 5, 9, kInk);
    },
    [](PixelCanvas& c, int l) {  // Move object: a cube with arrows
        FourWayArrows(c, l + 10, 9, kAccent);
        c.FillRect(l + 8, 7, l + 13, 12, kInk);
    },
    [](PixelCanvas& c, int l) {  // Scale object: a small and a large square
        c.FrameRect(l + 2, 2, l + 18, 17, kInk);
        c.FillRect(l + 3, 10, l + 9, 16, kAccent);
        Arrow(c, l + 9, 10, l + 15, 4, kInk);
    },
    [](PixelCanvas& c, int l) { c.Text(l + 5, 2, "X", 2, kRed); },
    [](PixelCanvas& c, int l) { c.Text(l + 5, 2, "Y", 2, kGreen); },
    [](PixelCanvas& c, int l) { c.Text(l + 5, 2, "Z", 2, kBlue); },
};

constexpr int kImageCount = static_cast<int>(sizeof(kPainters) / sizeof(kPainters[0]));

}  // namespace

const UINT kToolBarButtons[] = {
    ID_FILE_NEW,       ID_FILE_OPEN,      ID_FILE_SAVE,       ID_SEPARATOR,     ID_APP_ABOUT,   ID_SEPARATOR,
    ID_VIEW_ROTATE,    ID_VIEW_MOVE,      ID_VIEW_ZOOM,       ID_SEPARATOR,     ID_SELECT_OBJECT,
    ID_SELECT_POLYGON, ID_SELECT_POINT,   ID_SEPARATOR,       ID_ROTATE_OBJECT, ID_MOVE_OBJECT,
    ID_SCALE_OBJECT,   ID_SEPARATOR,      ID_MASK_X_AXIS,     ID_MASK_Y_AXIS,   ID_MASK_Z_AXIS,
};
const int kToolBarButtonCount = static_cast<int>(sizeof(kToolBarButtons) / sizeof(kToolBarButtons[0]));

BitmapResource MakeToolBarImages(UINT id)
{
    PixelCanvas canvas(kToolBarImageWidth * kImageCount, kToolBarImageHeight, kFace);
    for (int i = 0; i < kImageCount; ++i)
        kPainters[i](canvas, i * kToolBarImageWidth);
    return {id, canvas.Width(), canvas.Height(), canvas.Pixels()};
}

BitmapResource MakeSplashPicture(UINT id)
{
    PixelCanvas canvas(kSplashWidth, kSplashHeight, 0);
    canvas.VerticalGradient(0xFF0C1A3A, 0xFF3C78B4);

    // A wireframe cube beside the name, as the program's views show meshes.
    Cube(canvas, 40, 70, 150, 0xFFE8F0FF);
    Cube(canvas, 41, 71, 150, 0xFF90B8E8);

    // The name fills the space right of the cube, its shadow included.
    const int scale = 9;
    const char* name = "Orbel";
    const int textLeft = 225;
    const int shadow = 4;
    canvas.Text(textLeft + shadow, 94 + shadow, name, scale, 0xFF081428);
    canvas.Text(textLeft, 94, name, scale, 0xFFFFFFFF);
    canvas.Text(textLeft, 175, "MESH MODELLER", 2, 0xFFD8E4F4);
    canvas.FillRect(0, 250, kSplashWidth, 252, 0xFF90B8E8);
    return {id, canvas.Width(), canvas.Height(), canvas.Pixels()};
}

IconResource MakeProgramIcon(UINT id)
{
    PixelCanvas canvas(32, 32, 0x00000000);
    canvas.FillRect(2, 2, 30, 30, 0xFF2050A0);
    Cube(canvas, 6, 6, 20, 0xFFFFFFFF);
    return {id, canvas.Width(), canvas.Height(), canvas.Pixels()};
}
