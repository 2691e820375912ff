#include <gtest/gtest.h>

#include <cstdlib>

#include "ModelTestSupport.h"
#include "TestData.h"

using namespace modeltest;

namespace {

// Loads real image files through a real device (skipped where no OpenGL
// device can be made).
class MaterialTextureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        image = TestDataPath("x/tiger.bmp");
        ASSERT_TRUE(std::filesystem::exists(image)) << image;
        d3d = Direct3DCreate8(D3D_SDK_VERSION);
        if (d3d == nullptr)
            GTEST_SKIP() << "no Direct3D";
        D3DPRESENT_PARAMETERS parameters{};
        parameters.Windowed = TRUE;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        if (FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(1),
                                     D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device)))
            GTEST_SKIP() << "no device";
        previous = std::filesystem::current_path();
        std::filesystem::current_path(elsewhere.Path());
    }
    void TearDown() override
    {
        if (!previous.empty())
            std::filesystem::current_path(previous);
        if (device != nullptr)
            device->Release();
        if (d3d != nullptr)
            d3d->Release();
    }

    static CString CurrentDirectory()
    {
        char buffer[5000] = {};
        GetCurrentDirectoryA(sizeof buffer, buffer);
        return CString(buffer);
    }

    ProgramFolder folder;
    ProgramFolder elsewhere;
    std::filesystem::path image;
    std::filesystem::path previous;
    IDirect3D8* d3d = nullptr;
    IDirect3DDevice8* device = nullptr;
};

}  // namespace

TEST_F(MaterialTextureTest, ANameEqualToThePathBecomesAbsoluteUnderTheCurrentDirectory)
{
    std::filesystem::copy_file(image, elsewhere.Path() / "tiger.bmp");
    cMaterial material;
    material.m_TexturePath = "tiger.bmp";
    material.LoadTexture("tiger.bmp", device);
    EXPECT_NE(material.m_pTexture, nullptr);
    EXPECT_STREQ(static_cast<LPCTSTR>(material.GetTexturePath()),
                 static_cast<LPCTSTR>(CurrentDirectory() + "\\tiger.bmp"));
}

TEST_F(MaterialTextureTest, ThePathIsTriedWhenTheNameFailsAndFailureIsSilent)
{
    std::filesystem::copy_file(image, folder.Path() / "tiger.bmp");
    cMaterial material;
    material.SetTexture(folder.ProgramDir() + "tiger.bmp", "missing.bmp", device);
    EXPECT_NE(material.m_pTexture, nullptr);

    material.m_TexturePath = "nowhere.bmp";
    material.LoadTexture("missing.bmp", device);
    EXPECT_EQ(material.m_pTexture, nullptr);
}

TEST_F(MaterialTextureTest, RestoredSnapshotsFindTexturesInTheProgramDirectory)
{
    std::filesystem::copy_file(image, folder.Path() / "tiger.bmp");
    CMyOrbelDoc doc;
    doc.m_ProgramDir = folder.ProgramDir();
    doc.m_pDevice = device;
    auto* material = new cMaterial;
    material->m_TextureName = "tiger.bmp";
    material->m_TexturePath = "C:\\gone\\tiger.bmp";
    doc.m_Materials.Add(material);
    doc.SaveUndoState("Assign Material");
    doc.m_pUndoManager->Undo();
    ASSERT_EQ(doc.m_Materials.GetSize(), 1);
    EXPECT_NE(doc.m_Materials[0]->m_pTexture, nullptr);
    EXPECT_EQ(std::filesystem::current_path(), elsewhere.Path());
}
