#include "XFileTestSupport.h"
#include "support/FreshFolder.h"

#include <d3dx8/D3DX8.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace orbel::test {
namespace {

namespace fs = std::filesystem;

class MeshFileTest : public ::testing::Test {
protected:
    MeshFileTest() : folder_(orbel::test::MakeFreshFolder("orbel-meshfile-")) {}
    ~MeshFileTest() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    std::string Scratch(const std::string& name) const { return (folder_ / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Scratch(name), std::ios::binary) << text;
        return Scratch(name);
    }

    struct Loaded {
        HRESULT hr = E_FAIL;
        ID3DXMesh* mesh = nullptr;
        ID3DXBuffer* adjacency = nullptr;
        ID3DXBuffer* materials = nullptr;
        DWORD count = 0;
        ~Loaded() {
            for (IUnknown* held : {static_cast<IUnknown*>(mesh), static_cast<IUnknown*>(adjacency),
                                   static_cast<IUnknown*>(materials)})
                if (held) held->Release();
        }
        const D3DXMATERIAL& Material(DWORD i) const {
            return static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer())[i];
        }
    };

    static void Load(const std::string& path, Loaded& out, DWORD options = D3DXMESH_SYSTEMMEM) {
        out.hr = D3DXLoadMeshFromX(path.c_str(), options, nullptr, &out.adjacency, &out.materials, &out.count, &out.mesh);
    }

    static std::vector<BYTE> Bytes(ID3DXMesh* mesh, bool indices) {
        BYTE* p = nullptr;
        if (indices) {
            mesh->LockIndexBuffer(D3DLOCK_READONLY, &p);
            std::vector<BYTE> out(p, p + mesh->GetNumFaces() * 6);
            mesh->UnlockIndexBuffer();
            return out;
        }
        mesh->LockVertexBuffer(D3DLOCK_READONLY, &p);
        std::vector<BYTE> out(p, p + mesh->GetNumVertices() * 32);
        mesh->UnlockVertexBuffer();
        return out;
    }

    fs::path folder_;
};

TEST_F(MeshFileTest, SamplesLoadWithFormatAdjacencyAndMaterials) {
    Loaded cube;
    Load(TestDataPath("x/test_cube_binary.x"), cube);
    ASSERT_EQ(cube.hr, D3D_OK);
    EXPECT_EQ(cube.mesh->GetFVF(), static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1));
    EXPECT_EQ(cube.mesh->GetNumVertices(), 24u);
    EXPECT_EQ(cube.mesh->GetNumFaces(), 12u);
    EXPECT_EQ(cube.adjacency->GetBufferSize(), 12u * 3 * sizeof(DWORD));
    ASSERT_EQ(cube.count, 1u);
    EXPECT_EQ(cube.Material(0).pTextureFilename, nullptr);
    EXPECT_FLOAT_EQ(cube.Material(0).MatD3D.Power, 96.07843f);

    Loaded textured;
    Load(TestDataPath("x/test.x"), textured);
    ASSERT_EQ(textured.hr, D3D_OK);
    const char* name = textured.Material(0).pTextureFilename;
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, ".\\\\test.png");
    // The name lives inside the material buffer itself.
    const char* begin = static_cast<const char*>(textured.materials->GetBufferPointer());
    EXPECT_TRUE(name > begin && name < begin + textured.materials->GetBufferSize());

    Loaded tiger;
    Load(TestDataPath("x/tiger.x"), tiger);
    ASSERT_EQ(tiger.hr, D3D_OK);
    EXPECT_EQ(tiger.mesh->GetFVF(), static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_TEX1));  // the file has no normals
    EXPECT_EQ(tiger.mesh->GetNumFaces(), 602u);
    EXPECT_STREQ(tiger.Material(0).pTextureFilename, "tiger.bmp");
}

TEST_F(MeshFileTest, FailedLoadsHandOutNothing) {
    std::string many = "xof 0303txt 0032\nMesh { 65537;\n";
    for (int i = 0; i < 65537; ++i) many += "0;0;0;,\n";
    many += "1; 3;0,1,2;; }\n";
    const std::string paths[] = {
        TestDataPath("x/empty.x"),
        TestDataPath("x/OV_GetNextToken"),
        Scratch("missing.x"),
        Write("faceless.x", "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 0;; }"),
        Write("many.x", many),
    };
    for (const std::string& path : paths) {
        Loaded out;
        auto* sentinel = reinterpret_cast<ID3DXMesh*>(0x10);
        out.mesh = sentinel;
        out.count = 7;
        out.hr = D3DXLoadMeshFromX(path.c_str(), D3DXMESH_SYSTEMMEM, nullptr, &out.adjacency, &out.materials,
                                   &out.count, &out.mesh);
        EXPECT_LT(out.hr, 0) << path;
        EXPECT_EQ(out.mesh, nullptr) << path;
        EXPECT_EQ(out.materials, nullptr);
        EXPECT_EQ(out.adjacency, nullptr);
        EXPECT_EQ(out.count, 0u);
    }
    Loaded wide;
    Load(TestDataPath("x/test_cube_text.x"), wide, D3DXMESH_SYSTEMMEM | D3DXMESH_32BIT);
    EXPECT_LT(wide.hr, 0);
    EXPECT_EQ(wide.mesh, nullptr);
}

TEST_F(MeshFileTest, SavedMeshesLoadBackWithTheirMaterials) {
    Loaded source;
    Load(TestDataPath("x/kwxport_test_cubewithvcolors.x"), source);
    ASSERT_EQ(source.hr, D3D_OK);
    ASSERT_EQ(source.count, 3u);
    std::vector<D3DXMATERIAL> materials(source.count);
    for (DWORD i = 0; i < source.count; ++i) materials[i] = source.Material(i);
    char renamed[] = "bricks.bmp";
    materials[0].pTextureFilename = renamed;
    materials[2].pTextureFilename = nullptr;
    materials[1].MatD3D.Specular = {0.25f, 0.5f, 0.75f, 1.0f};

    const std::string path = Scratch("saved.x");
    ASSERT_EQ(D3DXSaveMeshToX(path.c_str(), source.mesh, static_cast<DWORD*>(source.adjacency->GetBufferPointer()),
                              materials.data(), source.count, DXFILEFORMAT_TEXT),
              D3D_OK);
    Loaded back;
    Load(path, back);
    ASSERT_EQ(back.hr, D3D_OK);
    EXPECT_EQ(back.mesh->GetFVF(), source.mesh->GetFVF());
    EXPECT_EQ(Bytes(back.mesh, false), Bytes(source.mesh, false));
    EXPECT_EQ(Bytes(back.mesh, true), Bytes(source.mesh, true));
    ASSERT_EQ(back.count, 3u);
    EXPECT_STREQ(back.Material(0).pTextureFilename, "bricks.bmp");
    EXPECT_STREQ(back.Material(1).pTextureFilename, source.Material(1).pTextureFilename);
    EXPECT_EQ(back.Material(2).pTextureFilename, nullptr);
    EXPECT_EQ(0, std::memcmp(&back.Material(1).MatD3D.Specular, &materials[1].MatD3D.Specular, sizeof(D3DCOLORVALUE)));
    EXPECT_EQ(back.Material(2).MatD3D.Power, materials[2].MatD3D.Power);
    DWORD *was = nullptr, *now = nullptr;
    source.mesh->LockAttributeBuffer(D3DLOCK_READONLY, &was);
    back.mesh->LockAttributeBuffer(D3DLOCK_READONLY, &now);
    EXPECT_TRUE(std::equal(was, was + 12, now));
    source.mesh->UnlockAttributeBuffer();
    back.mesh->UnlockAttributeBuffer();
}

TEST_F(MeshFileTest, SavesThatCannotBeWrittenFaithfullyWriteNothing) {
    Loaded source;
    Load(TestDataPath("x/kwxport_test_cubewithvcolors.x"), source);
    ASSERT_EQ(source.hr, D3D_OK);
    const auto* materials = static_cast<const D3DXMATERIAL*>(source.materials->GetBufferPointer());
    // Faces name material 2, but only two materials are given.
    const std::string shortTable = Scratch("short.x");
    EXPECT_LT(D3DXSaveMeshToX(shortTable.c_str(), source.mesh, nullptr, materials, 2, DXFILEFORMAT_TEXT), 0);
    EXPECT_FALSE(fs::exists(shortTable));
    const std::string binary = Scratch("binary.x");
    EXPECT_LT(D3DXSaveMeshToX(binary.c_str(), source.mesh, nullptr, materials, 3, DXFILEFORMAT_BINARY), 0);
    EXPECT_FALSE(fs::exists(binary));
    // Without materials the mesh alone is written.
    const std::string plain = Scratch("plain.x");
    ASSERT_EQ(D3DXSaveMeshToX(plain.c_str(), source.mesh, nullptr, nullptr, 0, DXFILEFORMAT_TEXT), D3D_OK);
    Loaded back;
    Load(plain, back);
    ASSERT_EQ(back.hr, D3D_OK);
    EXPECT_EQ(back.count, 0u);
    EXPECT_EQ(back.materials, nullptr);
}

}  // namespace
}  // namespace orbel::test
