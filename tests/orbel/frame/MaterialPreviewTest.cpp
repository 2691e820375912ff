// The material panel's preview: the sphere it builds once from the frame's
// device, and what it draws into the preview button through its own swap
// chain when the frame handles FM_DRAW_MATERIAL.
#include "FrameFixture.h"

#include "orbel/TextureFiles.h"
#include "orbel/resources/Resource.h"

#include <testsupport/ControlInput.h>

#include <d3dx8/D3DX8.h>
#include <model/Material.h>

#include <cmath>

namespace {

constexpr COLORREF kBackground = RGB(57, 57, 57);

struct SphereVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

class MaterialPreviewTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        if (HasFatalFailure())
            return;
        device = frame->GetDevice();
        material = new cMaterial;
        document->m_Materials.Add(material);
        orbel::test::ChooseTab(frame->GetToolsPanel().GetDlgItem(IDC_TOOL_TABS)->GetSafeHwnd(), TabMaterials);
        orbel::test::RunUntilIdle();
    }

    // Opens the material in the panel as a user does; the frame draws it.
    orbel::test::Image ShowAndRead()
    {
        orbel::test::ChooseListLine(::GetDlgItem(frame->GetMaterialList().GetSafeHwnd(), IDC_MATERIAL_LIST), 0);
        orbel::test::RunUntilIdle();
        return orbel::test::ReadWindowImage(
            ::GetDlgItem(frame->GetMaterialPanel().GetSafeHwnd(), IDC_MATERIAL_PREVIEW));
    }

    void TextureHalves()
    {
        const std::filesystem::path path = program.folder.Root() / "halves.jpg";
        WriteHalvesJpeg(path);
        material->SetTexture(CString(path.string().c_str()), "halves.jpg", device);
        ASSERT_NE(material->m_pTexture, nullptr);
    }

    IDirect3DDevice8* device = nullptr;
    cMaterial* material = nullptr;
};

TEST_F(MaterialPreviewTest, TheSphereIsMappedOnceAroundItsPoleAxis)
{
    ID3DXMesh* sphere = frame->GetMaterialPanel().m_pPreviewMesh;
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(frame->GetMaterialPanel().m_pDevice, device);
    EXPECT_EQ(sphere->GetFVF(), static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1));
    EXPECT_EQ(sphere->GetNumVertices(), 50u * 49u + 2u);

    BYTE* data = nullptr;
    ASSERT_EQ(sphere->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    const auto* vertices = reinterpret_cast<const SphereVertex*>(data);
    int seam = 0;
    for (DWORD i = 0; i < sphere->GetNumVertices(); ++i) {
        const SphereVertex& vertex = vertices[i];
        ASSERT_FALSE(std::isnan(vertex.u) || std::isnan(vertex.v)) << i;
        EXPECT_GE(vertex.u, 0.0f);
        EXPECT_LE(vertex.u, 1.0f);
        EXPECT_NEAR(vertex.v, std::asin(std::fmax(-1.0f, std::fmin(1.0f, vertex.z))) / M_PI + 0.5, 1e-5) << i;
        if (vertex.y == 0.0f) {
            EXPECT_EQ(vertex.u, 0.0f) << "the seam keeps u = 0";
            ++seam;
        } else if (vertex.y > 0.0f) {
            const double r = std::sqrt(vertex.x * vertex.x + vertex.y * vertex.y);
            EXPECT_NEAR(vertex.u, std::acos(vertex.x / r) / (2 * M_PI), 1e-5) << i;
        }
    }
    EXPECT_GT(seam, 0);
    sphere->UnlockVertexBuffer();
}

TEST_F(MaterialPreviewTest, DrawsALitRedSphereOnItsBackground)
{
    material->m_pMaterial->Diffuse = {1.0f, 0.0f, 0.0f, 1.0f};
    material->m_pMaterial->Ambient = {0.2f, 0.0f, 0.0f, 1.0f};
    material->m_pMaterial->Specular = {0.0f, 0.0f, 0.0f, 1.0f};
    material->m_pMaterial->Emissive = {0.0f, 0.0f, 0.0f, 1.0f};
    const orbel::test::Image image = ShowAndRead();
    ASSERT_GT(image.width, 20);
    ASSERT_GT(image.height, 20);

    EXPECT_EQ(image.At(1, 1), kBackground);
    EXPECT_EQ(image.At(image.width - 2, image.height - 2), kBackground);
    const int cx = image.width / 2;
    const int cy = image.height / 2;
    const COLORREF centre = image.At(cx, cy);
    EXPECT_GT(GetRValue(centre), 100);
    EXPECT_LT(GetGValue(centre), 40);
    EXPECT_LT(GetBValue(centre), 40);
    // Light 0 shines from the upper right towards the lower left.
    const int reach = image.height / 5;
    EXPECT_GT(GetRValue(image.At(cx + reach, cy - reach)), GetRValue(image.At(cx - reach, cy + reach)) + 40);
}

TEST_F(MaterialPreviewTest, ShowsTheMaterialsTexture)
{
    material->m_pMaterial->Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    material->m_pMaterial->Ambient = {1.0f, 1.0f, 1.0f, 1.0f};
    TextureHalves();

    const orbel::test::Image image = ShowAndRead();
    int reddish = 0;
    int bluish = 0;
    for (COLORREF pixel : image.pixels) {
        if (GetRValue(pixel) > GetBValue(pixel) + 60 && GetRValue(pixel) > GetGValue(pixel) + 60)
            ++reddish;
        if (GetBValue(pixel) > GetRValue(pixel) + 60 && GetBValue(pixel) > GetGValue(pixel) + 60)
            ++bluish;
    }
    EXPECT_GT(reddish, 50);
    EXPECT_GT(bluish, 50);
}

TEST_F(MaterialPreviewTest, PutsBackTheRenderStatesItChanged)
{
    TextureHalves();
    ShowAndRead();
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    device->SetRenderState(D3DRS_AMBIENT, 0xFF102030);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    // Handled at once, with no view painting in between.
    EXPECT_EQ(frame->SendMessage(WM_USER, FM_DRAW_MATERIAL, 0), 1);

    const auto state = [this](D3DRENDERSTATETYPE type) {
        DWORD value = 0;
        device->GetRenderState(type, &value);
        return value;
    };
    EXPECT_EQ(state(D3DRS_FILLMODE), static_cast<DWORD>(D3DFILL_WIREFRAME));
    EXPECT_EQ(state(D3DRS_AMBIENT), 0xFF102030u);
    EXPECT_EQ(state(D3DRS_LIGHTING), static_cast<DWORD>(FALSE));
    EXPECT_EQ(state(D3DRS_SHADEMODE), static_cast<DWORD>(D3DSHADE_FLAT));
    EXPECT_EQ(state(D3DRS_ALPHATESTENABLE), static_cast<DWORD>(FALSE));
    IDirect3DBaseTexture8* texture = nullptr;
    device->GetTexture(0, &texture);
    EXPECT_EQ(texture, nullptr);
    if (texture != nullptr)
        texture->Release();
}

}  // namespace
