// The program's resource tables agree with what the frame and the framework
// take from them.
#include "orbel/resources/PixelCanvas.h"
#include "orbel/resources/ProgramPictures.h"
#include "orbel/resources/ProgramResources.h"
#include "orbel/resources/Resource.h"

#include <framework/Afx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const BitmapResource* FindBitmap(const ResourceTables& tables, UINT id)
{
    for (const BitmapResource& bitmap : tables.bitmaps)
        if (bitmap.id == id)
            return &bitmap;
    return nullptr;
}

TEST(ProgramResources, ToolBarHasOneImageForEveryButton)
{
    const ResourceTables tables = MakeProgramResources();
    const BitmapResource* strip = FindBitmap(tables, IDR_MAINFRAME);
    ASSERT_NE(strip, nullptr);
    const int buttons = static_cast<int>(
        std::count_if(kToolBarButtons, kToolBarButtons + kToolBarButtonCount, [](UINT id) { return id != 0; }));
    EXPECT_EQ(strip->width, buttons * kToolBarImageWidth);
    EXPECT_EQ(strip->height, kToolBarImageHeight);
    ASSERT_EQ(strip->pixels.size(), static_cast<size_t>(strip->width * strip->height));

    // Every image is drawn: none is left as the plain button face.
    for (int image = 0; image < buttons; ++image) {
        std::set<DWORD> colours;
        for (int y = 0; y < strip->height; ++y)
            for (int x = 0; x < kToolBarImageWidth; ++x)
                colours.insert(strip->pixels[y * strip->width + image * kToolBarImageWidth + x]);
        EXPECT_GT(colours.size(), 1u) << "image " << image;
    }
}

TEST(ProgramResources, SplashPictureHasTheWindowSize)
{
    const ResourceTables tables = MakeProgramResources();
    const BitmapResource* splash = FindBitmap(tables, IDB_SPLASH);
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->width, 520);
    EXPECT_EQ(splash->height, 317);
    ASSERT_EQ(splash->pixels.size(), 520u * 317u);

    // The name (white, with a dark shadow) stays clear of the right edge.
    for (int y = 0; y < splash->height; ++y)
        for (int x = splash->width - 10; x < splash->width; ++x) {
            const DWORD pixel = splash->pixels[y * splash->width + x];
            ASSERT_NE(pixel, 0xFFFFFFFFu) << x << "," << y;
            ASSERT_NE(pixel, 0xFF081428u) << x << "," << y;
        }
}

TEST(ProgramResources, RegisteredTablesAreFoundByTheFramework)
{
    RegisterProgramResources();
    std::string text;
    ASSERT_TRUE(AfxLoadString(IDR_MAINFRAME, text));
    EXPECT_EQ(text, "Orbel\n\nOrbel\nOrbel Files (*.f3D)\n.f3D\nMyOrbel.Document\nOrbel.Document");
    ASSERT_TRUE(AfxLoadString(AFX_IDS_APP_TITLE, text));
    EXPECT_EQ(text, "Orbel");

    const DialogTemplate* panel = AfxFindDialogTemplate(nullptr, IDD_TOOLS_PANEL);
    ASSERT_NE(panel, nullptr);
    auto placeholder = std::find_if(panel->items.begin(), panel->items.end(),
                                    [](const DialogItemTemplate& item) { return item.id == IDC_PLUGIN_AREA; });
    ASSERT_NE(placeholder, panel->items.end());
    EXPECT_TRUE(placeholder->style & WS_DISABLED);

    EXPECT_NE(AfxFindMenuTemplate(nullptr, IDR_MAINFRAME), nullptr);
    EXPECT_NE(AfxFindMenuTemplate(nullptr, IDR_VIEW_CONTEXT), nullptr);
    EXPECT_NE(AfxFindAcceleratorTable(nullptr, IDR_MAINFRAME), nullptr);
    EXPECT_NE(AfxFindDialogTemplate(nullptr, IDD_ABOUTBOX), nullptr);
    EXPECT_NE(AfxFindDialogTemplate(nullptr, IDD_OBJECT_PANEL), nullptr);
}

TEST(PixelCanvas, DrawingClipsAtTheEdges)
{
    PixelCanvas canvas(4, 3, 0);
    canvas.FillRect(-5, -5, 10, 10, 7);
    canvas.Line(-3, 1, 8, 1, 9);
    canvas.Set(4, 0, 1);
    canvas.Set(0, 3, 1);
    EXPECT_EQ(canvas.At(0, 0), 7u);
    EXPECT_EQ(canvas.At(3, 1), 9u);
    EXPECT_EQ(canvas.At(3, 2), 7u);
    EXPECT_EQ(canvas.At(4, 0), 0u);
    EXPECT_EQ(std::count(canvas.Pixels().begin(), canvas.Pixels().end(), 1u), 0);

    PixelCanvas empty(-1, 5, 0);
    empty.Text(0, 0, "ORBEL", 3, 1);
    EXPECT_TRUE(empty.Pixels().empty());
}

}  // namespace
