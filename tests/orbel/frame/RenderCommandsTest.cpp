// The "Render" and "Options" commands of the running program: the folder
// the image lands in, fresh dialogs, redraws, and the light's round trip.
#include "ProgramHarness.h"

#include "orbel/resources/Resource.h"
#include "orbel/views/MyOrbelView.h"

#include <testsupport/ControlInput.h>
#include <testsupport/ScriptedModals.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string TextOf(HWND dialog, int id)
{
    char text[256] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// BMP width and height from the file's header.
std::pair<int, int> BmpSize(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    unsigned char header[26] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || header[0] != 'B' || header[1] != 'M') return {0, 0};
    auto le32 = [&](int at) { return header[at] | header[at + 1] << 8 | header[at + 2] << 16 | header[at + 3] << 24; };
    return {le32(18), std::abs(le32(22))};
}

class RenderCommands : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.Start());
        frame = program.Frame();
        ASSERT_NE(frame, nullptr);
        images = program.folder.Root() / "Images";
        std::filesystem::create_directory(images);
        perspective = frame->GetPaneView(1, 1);
        frame->SetActiveView(perspective);
    }

    int PaintsOfAllViews()
    {
        orbel::test::RunUntilIdle();
        int paints = 0;
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column)
                paints += orbel::test::PaintCount(frame->GetPaneView(row, column)->GetSafeHwnd());
        return paints;
    }

    // The light as the views draw with it.
    D3DCOLORVALUE Diffuse() const
    {
        D3DLIGHT8 light{};
        frame->GetDevice()->GetLight(0, &light);
        return light.Diffuse;
    }

    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }

    ProgramHarness program;
    CMainFrame* frame = nullptr;
    CMyOrbelView* perspective = nullptr;
    std::filesystem::path images;
};

TEST_F(RenderCommands, ANameWithoutFolderLandsInImagesAndTheProgramFolderIsCurrentAfter)
{
    std::filesystem::path currentDuringDialog;
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        currentDuringDialog = std::filesystem::current_path();
        orbel::test::ClickButton(::GetDlgItem(h, IDC_SIZE_320X240));
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_FILE_NAME), "shot.bmp");
    });
    const int paints = PaintsOfAllViews();
    Command(ID_RENDER);
    EXPECT_TRUE(std::filesystem::equivalent(currentDuringDialog, images));
    EXPECT_EQ(BmpSize(images / "shot.bmp"), std::make_pair(320, 240));
    EXPECT_TRUE(program.folder.IsCurrentDirectoryTheProgramDirectory());
    EXPECT_GE(PaintsOfAllViews(), paints + 4) << "every view is redrawn";
}

TEST_F(RenderCommands, EveryUseStartsWithAnEmptyNameAnd800By600)
{
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::ClickButton(::GetDlgItem(h, IDC_SIZE_1600X1200));
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_FILE_NAME), "first.bmp");
    }, IDCANCEL);
    Command(ID_RENDER);
    std::string name = "?", width, height;
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        name = TextOf(h, IDC_RENDER_FILE_NAME);
        width = TextOf(h, IDC_RENDER_WIDTH);
        height = TextOf(h, IDC_RENDER_HEIGHT);
    }, IDCANCEL);
    Command(ID_RENDER);
    EXPECT_EQ(name, "");
    EXPECT_EQ(width, "800");
    EXPECT_EQ(height, "600");
}

TEST_F(RenderCommands, CancelWritesNothingButRedraws)
{
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_FILE_NAME), "never.bmp");
    }, IDCANCEL);
    const int paints = PaintsOfAllViews();
    Command(ID_RENDER);
    EXPECT_TRUE(std::filesystem::is_empty(images));
    EXPECT_TRUE(program.folder.IsCurrentDirectoryTheProgramDirectory());
    EXPECT_GE(PaintsOfAllViews(), paints + 4);
}

TEST_F(RenderCommands, ARenderThatWritesNoFileSaysSo)
{
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_WIDTH), "0");
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_FILE_NAME), "empty.bmp");
    });
    orbel::test::ScriptMessageBox(IDOK);
    Command(ID_RENDER);
    EXPECT_TRUE(std::filesystem::is_empty(images));
    EXPECT_TRUE(program.folder.IsCurrentDirectoryTheProgramDirectory());

    // A folder that is not there cannot take the file.
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_FILE_NAME), "missing/shot.bmp");
    });
    orbel::test::ScriptMessageBox(IDOK);
    Command(ID_RENDER);
    EXPECT_TRUE(std::filesystem::is_empty(images));

    const auto texts = orbel::test::MessageBoxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("empty.bmp"), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("shot.bmp"), std::string::npos) << texts[1];
}

TEST_F(RenderCommands, LightRoundTripsThroughTheOptionsDialog)
{
    // The start-up light shows as 255s and comes back as exactly 1.0.
    std::vector<std::string> shown;
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) {
        for (int id : {IDC_LIGHT_RED, IDC_LIGHT_GREEN, IDC_LIGHT_BLUE})
            shown.push_back(TextOf(h, id));
    });
    const int paints = PaintsOfAllViews();
    Command(ID_OPTIONS);
    EXPECT_EQ(shown, (std::vector<std::string>{"255", "255", "255"}));
    EXPECT_EQ(Diffuse().r, 1.0f);
    EXPECT_EQ(Diffuse().g, 1.0f);
    EXPECT_EQ(Diffuse().b, 1.0f);
    EXPECT_GE(PaintsOfAllViews(), paints + 4);

    // Half a component truncates to 127, which comes back a little lower.
    D3DLIGHT8 light{};
    frame->GetDevice()->GetLight(0, &light);
    light.Diffuse = D3DCOLORVALUE{0.5f, 0.5f, 0.5f, 0.25f};
    frame->GetDevice()->SetLight(0, &light);
    std::string red;
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) {
        red = TextOf(h, IDC_LIGHT_RED);
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_LIGHT_BLUE), "300");
    });
    Command(ID_OPTIONS);
    EXPECT_EQ(red, "127");
    EXPECT_EQ(Diffuse().r, 0.49803925f);
    EXPECT_EQ(Diffuse().b, 300 * 0.003921569f) << "no range check: brighter than white";
    EXPECT_EQ(Diffuse().a, 0.25f) << "alpha is left alone";

    // Values far beyond 255 still come back into the dialog without overflow.
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_LIGHT_GREEN), "2147483647");
    });
    Command(ID_OPTIONS);
    std::string green;
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) { green = TextOf(h, IDC_LIGHT_GREEN); }, IDCANCEL);
    Command(ID_OPTIONS);
    EXPECT_EQ(green, "2147483647");
}

TEST_F(RenderCommands, CancelLeavesTheLightButRedraws)
{
    const D3DCOLORVALUE before = Diffuse();
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_LIGHT_RED), "0");
    }, IDCANCEL);
    const int paints = PaintsOfAllViews();
    Command(ID_OPTIONS);
    EXPECT_EQ(Diffuse().r, before.r);
    EXPECT_GE(PaintsOfAllViews(), paints + 4);
}

}  // namespace
