// The render and options dialogs worked as a user works them: typing,
// presets, the file dialog, OK with good and bad values.
#include "orbel/panels/DialogRender.h"
#include "orbel/panels/OptionsDialog.h"
#include "orbel/resources/ProgramResources.h"
#include "orbel/resources/Resource.h"

#include <framework/Afx.h>
#include <testsupport/ControlInput.h>
#include <testsupport/ControlLooks.h>
#include <testsupport/ScriptedModals.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TextOf(HWND dialog, int id)
{
    char text[256] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class ModalDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        orbel::test::EnsureApplication();
        RegisterProgramResources();
        orbel::modal::Reset();
        previous_ = orbel::modal::SetUnscriptedHandler([](const orbel::modal::Appearance& appearance) {
            ADD_FAILURE() << "unscripted " << appearance.kind << ": " << appearance.description;
        });
    }
    void TearDown() override
    {
        orbel::modal::SetUnscriptedHandler(previous_);
        orbel::modal::Reset();
    }

    orbel::modal::UnscriptedHandler previous_;
};

using RenderDialog = ModalDialogs;
using OptionsDialog = ModalDialogs;

struct Preset {
    int button;
    int width;
    int height;
};

TEST_F(RenderDialog, EveryPresetSetsBothFieldsAndReplacesTypedText)
{
    const std::vector<Preset> presets = {{IDC_SIZE_320X240, 320, 240},    {IDC_SIZE_640X480, 640, 480},
                                         {IDC_SIZE_800X600, 800, 600},    {IDC_SIZE_1024X768, 1024, 768},
                                         {IDC_SIZE_1280X1024, 1280, 1024}, {IDC_SIZE_1600X1200, 1600, 1200}};
    for (const Preset& preset : presets) {
        cDialogRender dialog;
        std::string shownWidth, shownHeight, shownName;
        orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
            orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_FILE_NAME), "typed.bmp");
            orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_WIDTH), "7");
            orbel::test::ClickButton(::GetDlgItem(h, preset.button));
            shownWidth = TextOf(h, IDC_RENDER_WIDTH);
            shownHeight = TextOf(h, IDC_RENDER_HEIGHT);
            shownName = TextOf(h, IDC_RENDER_FILE_NAME);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.m_Width, preset.width);
        EXPECT_EQ(dialog.m_Height, preset.height);
        EXPECT_EQ(shownWidth, std::to_string(preset.width));
        EXPECT_EQ(shownHeight, std::to_string(preset.height));
        EXPECT_EQ(shownName, "") << "a preset writes the name field back over the typed text";
        EXPECT_STREQ(dialog.m_FileName, "");
    }
}

TEST_F(RenderDialog, BrowseTakesTheChosenPathAndOverwritesTypedSizes)
{
    cDialogRender dialog;
    std::string shownWidth;
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_WIDTH), "1234");
        orbel::test::ScriptFileDialog("/tmp/pictures/new.bmp");
        orbel::test::ClickButton(::GetDlgItem(h, IDC_RENDER_BROWSE));
        shownWidth = TextOf(h, IDC_RENDER_WIDTH);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownWidth, "800");
    EXPECT_EQ(dialog.m_Width, 800);
    EXPECT_STREQ(dialog.m_FileName, "\\tmp\\pictures\\new.bmp");

    // A cancelled file dialog leaves what was typed.
    cDialogRender second;
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_FILE_NAME), "kept.bmp");
        orbel::test::ScriptFileDialogCancel();
        orbel::test::ClickButton(::GetDlgItem(h, IDC_RENDER_BROWSE));
    });
    ASSERT_EQ(second.DoModal(), IDOK);
    EXPECT_STREQ(second.m_FileName, "kept.bmp");
}

TEST_F(RenderDialog, OkAcceptsTheWholeRangeAndAnEmptyName)
{
    cDialogRender dialog;
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_WIDTH), "99999");
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_HEIGHT), "0");
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_Width, 99999);
    EXPECT_EQ(dialog.m_Height, 0);
    EXPECT_STREQ(dialog.m_FileName, "");
    EXPECT_TRUE(orbel::test::MessageBoxTexts().empty());
}

TEST_F(RenderDialog, TooLargeASizeKeepsTheDialogOpenWithTheRangeMessage)
{
    cDialogRender dialog;
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_RENDER_HEIGHT), "100000");
    });
    orbel::test::ScriptMessageBox(IDOK);
    std::string shownHeight;
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) { shownHeight = TextOf(h, IDC_RENDER_HEIGHT); }, IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(shownHeight, "100000") << "still open, with the refused text";
    EXPECT_EQ(orbel::test::MessageBoxTexts(),
              std::vector<std::string>{"Please enter an integer between 0 and 99999."});
}

TEST_F(OptionsDialog, ShowsItsFieldsAndTheArrowsStayWithin0To255)
{
    cOptionsDialog dialog;
    dialog.m_Red = 255;
    dialog.m_Green = 127;
    dialog.m_Blue = 0;
    std::vector<std::string> shown;
    std::string afterUp, afterDown;
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) {
        for (int id : {IDC_LIGHT_RED, IDC_LIGHT_GREEN, IDC_LIGHT_BLUE})
            shown.push_back(TextOf(h, id));
        orbel::test::ClickUpDown(::GetDlgItem(h, IDC_LIGHT_RED_SPIN), true);
        afterUp = TextOf(h, IDC_LIGHT_RED);
        orbel::test::ClickUpDown(::GetDlgItem(h, IDC_LIGHT_BLUE_SPIN), false);
        afterDown = TextOf(h, IDC_LIGHT_BLUE);
        orbel::test::ClickUpDown(::GetDlgItem(h, IDC_LIGHT_GREEN_SPIN), true);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown, (std::vector<std::string>{"255", "127", "0"}));
    EXPECT_EQ(afterUp, "255");
    EXPECT_EQ(afterDown, "0");
    EXPECT_EQ(dialog.m_Red, 255);
    EXPECT_EQ(dialog.m_Green, 128);
    EXPECT_EQ(dialog.m_Blue, 0);
}

TEST_F(OptionsDialog, TypedValuesAbove255AreTakenAndAnEmptyEditKeepsTheDialogOpen)
{
    cOptionsDialog dialog;
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_LIGHT_RED), "300");
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_LIGHT_GREEN), "");
    });
    orbel::test::ScriptMessageBox(IDOK);
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) {
        orbel::test::TypeIntoEdit(::GetDlgItem(h, IDC_LIGHT_GREEN), "12");
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(orbel::test::MessageBoxTexts(), std::vector<std::string>{"Please enter an integer."});
    EXPECT_EQ(dialog.m_Red, 300);
    EXPECT_EQ(dialog.m_Green, 12);
}

TEST_F(ModalDialogs, EveryLabelShowsItsWholeText)
{
    cDialogRender render;
    std::vector<std::string> clippedInRender{"not shown"};
    orbel::test::ScriptDialog(IDD_RENDER, [&](HWND h) { clippedInRender = orbel::test::ClippedLabels(h); }, IDCANCEL);
    render.DoModal();
    EXPECT_EQ(clippedInRender, std::vector<std::string>{});

    cOptionsDialog options;
    std::vector<std::string> clippedInOptions{"not shown"};
    orbel::test::ScriptDialog(IDD_OPTIONS, [&](HWND h) { clippedInOptions = orbel::test::ClippedLabels(h); }, IDCANCEL);
    options.DoModal();
    EXPECT_EQ(clippedInOptions, std::vector<std::string>{});
}

}  // namespace
