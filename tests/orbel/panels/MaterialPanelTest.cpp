// The material panel: material <-> panel conversions, what each edit posts,
// rejected input, colour and texture choice, the swatches.
#include "PanelHost.h"

#include "orbel/panels/DialogMtr.h"
#include "orbel/resources/Resource.h"

#include <model/Material.h>
#include <plugins/common/Plugin.h>
#include <testsupport/ControlInput.h>

#include <string>
#include <vector>

namespace {

constexpr char kTextureFilterShown[] =
    "Open: All Formats |*.bmp;*.jpg;*.tga|JPEG File (*.jpg)|*.jpg|BMP Image File (*.bmp)|*.bmp|"
    "Targa Image File (*.tga)|*.tga|All Files (*.*)|*.*||";

std::vector<std::string> AppearancesOf(const char* kind)
{
    std::vector<std::string> seen;
    for (const auto& appearance : orbel::modal::Appearances())
        if (appearance.kind == kind)
            seen.push_back(appearance.description);
    return seen;
}

class MaterialPanelTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        ASSERT_TRUE(panel.CreatePanel(&host));
        panel.ShowWindow(SW_SHOW);
        host.TakePosts();
    }

    HWND Control(int id) const { return ::GetDlgItem(panel.GetSafeHwnd(), id); }

    // The swatches are owner-drawn: a mouse click, whose repaint also asks
    // for a draw.
    void ClickSwatch(int id) { orbel::test::Click(Control(id), orbel::test::Button::Left, {5, 5}); }
    PostedCodes TakePostsButDraws()
    {
        PostedCodes kept;
        for (const PostedCode& post : host.TakePosts())
            if (post.first != FM_DRAW_MATERIAL)
                kept.push_back(post);
        return kept;
    }

    std::string TextOf(int id) const
    {
        CString text;
        panel.GetDlgItemText(id, text);
        return static_cast<LPCSTR>(text);
    }

    // Shows the material as the frame does and drops what that posted.
    void Show(const cMaterial& material)
    {
        panel.LoadMaterialToDialog(material);
        host.TakePosts();
    }

    cMaterial material;
    cDialogMtr panel;
};

TEST_F(MaterialPanelTest, ShowingAMaterialConvertsItAndPostsOnlyADraw)
{
    material.SetName("Copper");
    material.m_pMaterial->Ambient = {1.0f, 0.5f, 0.25f, 0.335f};
    material.m_pMaterial->Diffuse = {2.0f, 0.0f, 0.0f, 1.0f};
    material.m_pMaterial->Power = 12.9f;

    panel.LoadMaterialToDialog(material);
    EXPECT_EQ(panel.m_Ambient[0], 255.0f);
    EXPECT_EQ(panel.m_Ambient[1], 127.5f);
    EXPECT_EQ(panel.m_Ambient[2], 63.75f);
    EXPECT_EQ(panel.m_Diffuse[0], 510.0f) << "components above 1.0 survive";
    EXPECT_EQ(panel.m_AmbientAlpha, 33) << "alpha x 100, truncated";
    EXPECT_EQ(panel.m_DiffuseAlpha, 100);
    EXPECT_EQ(panel.m_Power, 12);
    EXPECT_EQ(TextOf(IDC_MATERIAL_NAME), "Copper");
    EXPECT_EQ(TextOf(IDC_AMBIENT_ALPHA), "33");
    EXPECT_EQ(TextOf(IDC_MATERIAL_POWER), "12");

    // Looking at a material must not round it to what the panel shows.
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_DRAW_MATERIAL, 0}}));
    EXPECT_EQ(material.m_pMaterial->Ambient.a, 0.335f);
    EXPECT_EQ(material.m_pMaterial->Power, 12.9f);
}

TEST_F(MaterialPanelTest, ApplyWritesThePanelBackInTheMaterialsScale)
{
    material.m_pMaterial->Ambient = {1.0f, 0.5f, 0.0f, 0.335f};
    material.m_pMaterial->Diffuse = {2.0f, 0.0f, 0.0f, 1.0f};
    material.m_pMaterial->Power = 12.9f;
    Show(material);

    ASSERT_TRUE(panel.ApplyDialogToMaterial(material));
    const D3DMATERIAL8& record = *material.m_pMaterial;
    EXPECT_EQ(record.Ambient.r, 255.0f * 0.003921569f);
    EXPECT_EQ(record.Ambient.r, 1.0f);
    EXPECT_EQ(record.Ambient.g, 127.5f * 0.003921569f);
    EXPECT_EQ(record.Ambient.a, 33 * 0.01f);
    EXPECT_FLOAT_EQ(record.Diffuse.r, 2.0f);
    EXPECT_EQ(record.Power, 12.0f);
    EXPECT_EQ(material.GetName(), "UnNamed Material");
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_DRAW_MATERIAL, 0}}));
}

TEST_F(MaterialPanelTest, TypingPostsAnApplyAndPowersUpTo500PassWhileTheArrowsStopAt100)
{
    Show(material);
    orbel::test::TypeIntoEdit(Control(IDC_MATERIAL_NAME), "Glass");
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_APPLY_MATERIAL, 0}}));
    orbel::test::TypeIntoEdit(Control(IDC_MATERIAL_POWER), "300");
    EXPECT_EQ(host.TakePosts(), (PostedCodes{{FM_APPLY_MATERIAL, 0}}));

    ASSERT_TRUE(panel.ApplyDialogToMaterial(material));
    EXPECT_EQ(material.GetName(), "Glass");
    EXPECT_EQ(material.m_pMaterial->Power, 300.0f);
    EXPECT_TRUE(orbel::test::MessageBoxTexts().empty());

    orbel::test::TypeIntoEdit(Control(IDC_MATERIAL_POWER), "99");
    orbel::test::ClickUpDown(Control(IDC_MATERIAL_POWER_SPIN), true);
    orbel::test::ClickUpDown(Control(IDC_MATERIAL_POWER_SPIN), true);
    EXPECT_EQ(TextOf(IDC_MATERIAL_POWER), "100");
    orbel::test::ClickUpDown(Control(IDC_AMBIENT_ALPHA_SPIN), false);
    EXPECT_EQ(host.TakePosts().back(), (PostedCode{FM_APPLY_MATERIAL, 0}));
}

TEST_F(MaterialPanelTest, RejectedNumbersShowTheFrameworksMessageAndLeaveTheMaterialAlone)
{
    material.m_pMaterial->Ambient.a = 0.5f;
    material.m_pMaterial->Power = 40.0f;
    Show(material);
    orbel::test::TypeIntoEdit(Control(IDC_MATERIAL_NAME), "Renamed");
    orbel::test::TypeIntoEdit(Control(IDC_AMBIENT_ALPHA), "150");

    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(panel.ApplyDialogToMaterial(material));
    orbel::test::TypeIntoEdit(Control(IDC_AMBIENT_ALPHA), "");
    orbel::test::ScriptMessageBox(IDOK);
    EXPECT_FALSE(panel.ApplyDialogToMaterial(material));

    EXPECT_EQ(orbel::test::MessageBoxTexts(),
              (std::vector<std::string>{"Please enter an integer between 0 and 100.", "Please enter an integer."}));
    EXPECT_EQ(material.GetName(), "UnNamed Material");
    EXPECT_EQ(material.m_pMaterial->Ambient.a, 0.5f);
    EXPECT_EQ(panel.m_AmbientAlpha, 50) << "the fields keep the last good values";
    EXPECT_EQ(panel.m_Name, "UnNamed Material");

    orbel::test::TypeIntoEdit(Control(IDC_AMBIENT_ALPHA), "20");
    ASSERT_TRUE(panel.ApplyDialogToMaterial(material));
    EXPECT_EQ(material.GetName(), "Renamed");
    EXPECT_EQ(material.m_pMaterial->Ambient.a, 20 * 0.01f);
}

TEST_F(MaterialPanelTest, ColourButtonsStartFromTheSwatchAndPostOnlyWhenAColourIsChosen)
{
    material.m_pMaterial->Specular = {2.0f, 0.2f, 0.0f, 1.0f};
    Show(material);

    orbel::test::ScriptColorDialogCancel();
    ClickSwatch(IDC_SPECULAR_SWATCH);
    EXPECT_TRUE(TakePostsButDraws().empty());

    orbel::test::ScriptColorDialog(RGB(10, 20, 30));
    ClickSwatch(IDC_DIFFUSE_SWATCH);
    EXPECT_EQ(TakePostsButDraws(), (PostedCodes{{FM_APPLY_MATERIAL, 0}}));
    EXPECT_EQ(panel.m_Diffuse[0], 10.0f);
    EXPECT_EQ(panel.m_Diffuse[1], 20.0f);
    EXPECT_EQ(panel.m_Diffuse[2], 30.0f);
    // 510 shows its low 8 bits; 0.2 x 255 = 51.
    EXPECT_EQ(AppearancesOf(orbel::modal::kColorDialog).front(), "RGB(254, 51, 0)");
}

TEST_F(MaterialPanelTest, SwatchesShowTheLowBitsOfThePanelsColours)
{
    material.m_pMaterial->Ambient = {1.0f, 0.0f, 0.0f, 1.0f};
    material.m_pMaterial->Emissive = {2.0f, 1.0f, 0.0f, 1.0f};
    Show(material);
    panel.DrawMaterialPreview(material);
    orbel::test::RunUntilIdle();

    const auto centreOf = [this](int id) {
        const orbel::test::Image image = orbel::test::ReadWindowImage(Control(id));
        return image.At(image.width / 2, image.height / 2);
    };
    EXPECT_EQ(centreOf(IDC_AMBIENT_SWATCH), RGB(255, 0, 0));
    EXPECT_EQ(centreOf(IDC_EMISSIVE_SWATCH), RGB(254, 255, 0));
    const orbel::test::Image swatch = orbel::test::ReadWindowImage(Control(IDC_AMBIENT_SWATCH));
    EXPECT_EQ(swatch.At(0, 0), RGB(0, 0, 0)) << "outlined by the default pen";
}

TEST_F(MaterialPanelTest, TextureBrowseOffersTheImageFilterAndNoneClearsTheChoice)
{
    Show(material);
    panel.DrawMaterialPreview(material);
    EXPECT_EQ(TextOf(IDC_TEXTURE_BROWSE), "...");

    const std::string path = WriteHalvesJpegFile("halves.jpg");
    orbel::test::ScriptFileDialog(path);
    orbel::test::ClickButton(Control(IDC_TEXTURE_BROWSE));
    EXPECT_EQ(TakePostsButDraws(), (PostedCodes{{FM_APPLY_MATERIAL, 0}}));
    EXPECT_EQ(AppearancesOf(orbel::modal::kFileDialog), (std::vector<std::string>{kTextureFilterShown}));
    EXPECT_EQ(panel.m_TextureName, "halves.jpg");
    // The button shows the panel's choice before any apply.
    panel.DrawMaterialPreview(material);
    EXPECT_EQ(TextOf(IDC_TEXTURE_BROWSE), "halves.jpg");

    ASSERT_TRUE(panel.ApplyDialogToMaterial(material));
    EXPECT_EQ(material.GetTextureName(), "halves.jpg");
    EXPECT_EQ(material.GetTexturePath(), panel.m_TexturePath);

    orbel::test::ClickButton(Control(IDC_TEXTURE_NONE));
    EXPECT_EQ(TakePostsButDraws(), (PostedCodes{{FM_APPLY_MATERIAL, 0}}));
    ASSERT_TRUE(panel.ApplyDialogToMaterial(material));
    EXPECT_EQ(material.GetTextureName(), "");
    EXPECT_EQ(material.GetTexturePath(), "");
    panel.DrawMaterialPreview(material);
    EXPECT_EQ(TextOf(IDC_TEXTURE_BROWSE), "...");

    orbel::test::ScriptFileDialogCancel();
    orbel::test::ClickButton(Control(IDC_TEXTURE_BROWSE));
    EXPECT_TRUE(TakePostsButDraws().empty());
}

TEST_F(MaterialPanelTest, EnterAndEscapeLeaveThePanelOpen)
{
    Show(material);
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(panel.IsWindowVisible());
    EXPECT_TRUE(host.TakePosts().empty());
}

}  // namespace
