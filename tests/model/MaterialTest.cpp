#include <gtest/gtest.h>

#include "ModelTestSupport.h"

namespace {

// Counts references; nothing else of a texture is needed by a material.
struct FakeTexture final : IDirect3DTexture8 {
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return static_cast<ULONG>(++references); }
    ULONG Release() override { return static_cast<ULONG>(--references); }
    HRESULT GetDevice(IDirect3DDevice8**) override { return E_NOTIMPL; }
    HRESULT SetPrivateData(REFGUID, const void*, DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT GetPrivateData(REFGUID, void*, DWORD*) override { return E_NOTIMPL; }
    HRESULT FreePrivateData(REFGUID) override { return E_NOTIMPL; }
    DWORD SetPriority(DWORD) override { return 0; }
    DWORD GetPriority() override { return 0; }
    void PreLoad() override {}
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    DWORD SetLOD(DWORD) override { return 0; }
    DWORD GetLOD() override { return 0; }
    DWORD GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(UINT, D3DSURFACE_DESC*) override { return E_NOTIMPL; }
    HRESULT GetSurfaceLevel(UINT, IDirect3DSurface8**) override { return E_NOTIMPL; }
    HRESULT LockRect(UINT, D3DLOCKED_RECT*, const RECT*, DWORD) override { return E_NOTIMPL; }
    HRESULT UnlockRect(UINT) override { return E_NOTIMPL; }
    HRESULT AddDirtyRect(const RECT*) override { return E_NOTIMPL; }

    int references = 1;
};

}  // namespace

TEST(Material, NewMaterialHasTheDefaultRecord)
{
    cMaterial material;
    EXPECT_STREQ(static_cast<LPCTSTR>(material.GetName()), "UnNamed Material");
    ASSERT_NE(material.m_pMaterial, nullptr);
    EXPECT_EQ(material.m_pMaterial->Diffuse.r, 0.7f);
    EXPECT_EQ(material.m_pMaterial->Diffuse.b, 0.0f);
    EXPECT_EQ(material.m_pMaterial->Ambient.g, 0.06f);
    EXPECT_EQ(material.m_pMaterial->Specular.a, 1.0f);
    EXPECT_EQ(material.m_pMaterial->Emissive.r, 0.01f);
    EXPECT_EQ(material.m_pMaterial->Power, 30.0f);
    EXPECT_EQ(material.m_pTexture, nullptr);
    EXPECT_TRUE(material.GetTexturePath().IsEmpty());
    EXPECT_TRUE(material.GetTextureName().IsEmpty());
}

TEST(Material, WithoutADeviceTheTextureStaysAndIsReleasedAtTheEnd)
{
    FakeTexture texture;
    {
        cMaterial material;
        material.m_pTexture = &texture;
        material.LoadTexture("other.bmp", nullptr);
        EXPECT_EQ(material.m_pTexture, &texture);
        material.SetTexture("images\\new.bmp", "new.bmp", nullptr);
        EXPECT_EQ(material.m_pTexture, &texture);
        EXPECT_STREQ(static_cast<LPCTSTR>(material.GetTextureName()), "new.bmp");
        EXPECT_EQ(texture.references, 1);
    }
    EXPECT_EQ(texture.references, 0);
}

TEST(Material, SettingTheStoredPathAgainChangesNothing)
{
    cMaterial material;
    material.SetTexture("C:\\t\\wood.bmp", "wood.bmp", nullptr);
    material.SetTexture("C:\\t\\wood.bmp", "other.bmp", nullptr);
    EXPECT_STREQ(static_cast<LPCTSTR>(material.GetTextureName()), "wood.bmp");
}

TEST(Material, TakesOwnershipOfAGivenRecord)
{
    cMaterial material;
    auto* record = new D3DMATERIAL8{};
    record->Power = 5.0f;
    material.SetD3DMaterial(record);
    EXPECT_EQ(material.m_pMaterial, record);
    material.SetD3DMaterial(record);  // the same record again: kept, not freed
    EXPECT_EQ(material.m_pMaterial->Power, 5.0f);
}
