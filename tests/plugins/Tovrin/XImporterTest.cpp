// The ".x" import through the test host: every shared sample, the material
// mapping and the files the plug-in must survive.
#include "plugins/testhost/PluginTestHost.h"
#include "TestData.h"
#include "support/FreshFolder.h"

#include <model/Material.h>
#include <model/Objekt3D.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

class XImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        importer = host.Load("Tovrin.dli");
        ASSERT_NE(importer, nullptr);
    }

    // Imports `path`; the new object (the host selects it).
    cObjekt3D* Import(const std::string& path)
    {
        EXPECT_TRUE(host.ImportFile(importer, path));
        return host.FirstSelected();
    }

    std::string Write(const std::string& name, const std::string& text)
    {
        const auto path = std::filesystem::temp_directory_path() /
                          ("orbel-import-" + std::to_string(::getpid()) + "-" + name);
        std::ofstream(path, std::ios::binary) << text;
        written.push_back(path);
        return path.string();
    }

    void TearDown() override
    {
        for (const auto& path : written)
            std::filesystem::remove(path);
    }

    CArray<cMaterial*, cMaterial*>& Materials() { return host.Document().m_Materials; }

    // The material of each face, through the runs.
    static std::vector<int> FaceMaterials(const cObjekt3D& object)
    {
        std::vector<int> faces(static_cast<std::size_t>(object.GetFaceCount()), -2);
        std::vector<MaterialRun> runs;
        for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;)
            runs.push_back(object.m_Runs.GetNext(pos));
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const int end = r + 1 < runs.size() ? runs[r + 1].firstFace : object.GetFaceCount();
            for (int f = runs[r].firstFace; f < end; ++f)
                faces[static_cast<std::size_t>(f)] = runs[r].material;
        }
        return faces;
    }

    PluginTestHost host;
    cPlugin* importer = nullptr;
    std::vector<std::filesystem::path> written;
};

TEST_F(XImport, EverySampleBecomesOneObjectWithItsMaterials)
{
    struct Sample {
        const char* file;
        int vertices;
        int faces;
        int materials;
        int textured;  // a material whose texture must load, or -1
    };
    const Sample samples[] = {
        {"test_cube_text.x", 24, 12, 1, -1},
        {"test_cube_binary.x", 24, 12, 1, -1},
        {"test_cube_compressed.x", 24, 12, 1, -1},
        {"test.x", 24, 12, 1, 0},
        {"tiger.x", 303, 602, 1, 0},
        {"kwxport_test_cubewithvcolors.x", 24, 12, 3, 1},
        {"malformed_skinweights_oob.x", 24, 12, 1, -1},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.file);
        const INT_PTR before = Materials().GetSize();
        cObjekt3D* object = Import(TestDataPath(std::string("x/") + s.file));
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(std::string(object->m_Name), s.file);
        EXPECT_EQ(object->m_Vertices.GetSize(), s.vertices);
        EXPECT_EQ(object->GetFaceCount(), s.faces);
        ASSERT_EQ(Materials().GetSize() - before, s.materials);
        for (int k = 0; k < s.materials; ++k)
            EXPECT_EQ(std::string(Materials()[before + k]->GetName()), s.file + std::to_string(k));
        for (int material : FaceMaterials(*object)) {
            EXPECT_GE(material, before);
            EXPECT_LT(material, Materials().GetSize());
        }
        if (s.textured >= 0) {
            EXPECT_NE(Materials()[before + s.textured]->m_pTexture, nullptr);
        }
        EXPECT_EQ(host.UndoText().find("Import from .x") != std::string::npos, true);
    }
}

TEST_F(XImport, TextBinaryAndCompressedCubesGiveTheSameObject)
{
    std::vector<std::vector<MeshVertex>> vertices;
    std::vector<std::vector<WORD>> indices;
    for (const char* file : {"test_cube_text.x", "test_cube_binary.x", "test_cube_compressed.x"}) {
        cObjekt3D* object = Import(TestDataPath(std::string("x/") + file));
        ASSERT_NE(object, nullptr);
        vertices.emplace_back(object->m_Vertices.GetData(), object->m_Vertices.GetData() + object->m_Vertices.GetSize());
        indices.emplace_back(object->m_Indices.GetData(), object->m_Indices.GetData() + object->m_Indices.GetSize());
    }
    for (std::size_t i = 1; i < vertices.size(); ++i) {
        ASSERT_EQ(vertices[i].size(), vertices[0].size());
        EXPECT_EQ(0, std::memcmp(vertices[i].data(), vertices[0].data(), vertices[0].size() * sizeof(MeshVertex)));
        EXPECT_EQ(indices[i], indices[0]);
    }
}

TEST_F(XImport, TigerHasWideFloatsAndNoNormals)
{
    cObjekt3D* object = Import(TestDataPath("x/tiger.x"));
    ASSERT_NE(object, nullptr);
    for (INT_PTR i = 0; i < object->m_Vertices.GetSize(); ++i) {
        const MeshVertex& v = object->m_Vertices[i];
        ASSERT_EQ(v.nx == 0 && v.ny == 0 && v.nz == 0, true) << i;
    }
    // The texture was named "tiger.bmp" and found beside the file.
    EXPECT_NE(Materials()[0]->m_pTexture, nullptr);
}

TEST_F(XImport, EmptyAndDamagedFilesLeaveAnEmptyObjectAndNoMaterials)
{
    for (const std::string& file :
         {TestDataPath("x/empty.x"), TestDataPath("x/OV_GetNextToken"), TestDataRoot() + "/x/no-such-file.x"}) {
        SCOPED_TRACE(file);
        cObjekt3D* object = Import(file);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->m_Vertices.GetSize(), 0);
        EXPECT_EQ(object->m_Indices.GetSize(), 0);
        EXPECT_EQ(std::string(object->m_Name), "Unamed");
        EXPECT_EQ(Materials().GetSize(), 0);
    }
}

TEST_F(XImport, MaterialsUsedByNoFaceAreSkippedAndTheOthersKeepTheirColours)
{
    // Material 1 (green) is used by no face: the import makes two materials,
    // red and blue, and the blue faces get the blue one.
    const std::string path = Write("unused.x",
        "xof 0303txt 0032\n"
        "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;;\n"
        " MeshMaterialList { 3; 2; 0, 2;;\n"
        "  Material { 1;0;0;1;; 10; 0;0;0;; 0;0;0;; }\n"
        "  Material { 0;1;0;1;; 20; 0;0;0;; 0;0;0;; }\n"
        "  Material { 0;0;1;1;; 30; 0;0;0;; 0;0;0;; }\n"
        " }\n"
        "}\n");
    cObjekt3D* object = Import(path);
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(Materials().GetSize(), 2);
    const std::string title = std::filesystem::path(path).filename().string();
    EXPECT_EQ(std::string(Materials()[1]->GetName()), title + "1");
    EXPECT_FLOAT_EQ(Materials()[0]->m_pMaterial->Diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(Materials()[1]->m_pMaterial->Diffuse.b, 1.0f);
    EXPECT_FLOAT_EQ(Materials()[1]->m_pMaterial->Power, 30.0f);
    // Each face keeps its own colour: the red face lies right of the
    // diagonal, the blue one left of it, whatever order the import leaves.
    const std::vector<int> faces = FaceMaterials(*object);
    ASSERT_EQ(faces.size(), 2u);
    for (int f = 0; f < 2; ++f) {
        float x = 0;
        for (int c = 0; c < 3; ++c)
            x += object->m_Vertices[object->m_Indices[f * 3 + c]].x / 3;
        EXPECT_EQ(faces[static_cast<std::size_t>(f)], x > 0.5f ? 0 : 1) << f;
    }
}

TEST_F(XImport, ATextureBesideTheFileLoadsAndTheSceneKeepsItsNameAsWritten)
{
    // The ".x" file and its texture in a folder of their own, away from the
    // current directory; the file names the texture without a folder.
    const std::filesystem::path folder = orbel::test::MakeFreshFolder("orbel-import-texture-");
    std::filesystem::copy_file(TestDataPath("x/tiger.bmp"), folder / "earth.bmp");
    std::ofstream(folder / "globe.x", std::ios::binary)
        << "xof 0303txt 0032\n"
           "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
           " MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 5; 0;0;0;; 0;0;0;; TextureFilename { \"earth.bmp\"; } } }\n"
           "}\n";
    const std::string where = folder.string();
    cObjekt3D* object = Import((folder / "globe.x").string());
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(Materials().GetSize(), 1);
    cMaterial& material = *Materials()[0];
    EXPECT_NE(material.m_pTexture, nullptr);
    EXPECT_EQ(std::string(material.GetTextureName()), "earth.bmp");
    EXPECT_EQ(std::string(material.GetTexturePath()).find(where), std::string::npos);

    // Neither a saved scene nor a re-export carries the folder.
    const std::filesystem::path scene = folder / "scene.f3D";
    {
        CFile file(scene.string().c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        host.Document().Serialize(ar);
        ar.Close();
        file.Close();
    }
    cPlugin* exporter = host.Load("Saskel.dle");
    ASSERT_NE(exporter, nullptr);
    const std::filesystem::path exported = folder / "again.x";
    ASSERT_TRUE(host.ExportFile(exporter, exported.string()));
    for (const auto& path : {scene, exported}) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(bytes.find("earth.bmp"), std::string::npos) << path;
        EXPECT_EQ(bytes.find(where), std::string::npos) << path;
    }
    std::ifstream in(exported, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\"earth.bmp\""), std::string::npos);
    std::filesystem::remove_all(folder);
}

TEST_F(XImport, AFileWithoutMaterialsKeepsTheObjectColour)
{
    const std::string path = Write("plain.x",
        "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n");
    cObjekt3D* object = Import(path);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetFaceCount(), 1);
    EXPECT_EQ(Materials().GetSize(), 0);
    EXPECT_EQ(FaceMaterials(*object), std::vector<int>{-1});
}

TEST_F(XImport, ImportingTwiceGivesTwoObjectsAndTwoSetsOfMaterials)
{
    auto* existing = new cMaterial;
    Materials().Add(existing);
    cObjekt3D* first = Import(TestDataPath("x/kwxport_test_cubewithvcolors.x"));
    cObjekt3D* second = Import(TestDataPath("x/kwxport_test_cubewithvcolors.x"));
    ASSERT_NE(first, second);
    EXPECT_EQ(Materials().GetSize(), 7);
    EXPECT_EQ(Materials()[0], existing);
    EXPECT_EQ(std::string(existing->GetName()), "UnNamed Material");
    for (int material : FaceMaterials(*second))
        EXPECT_GE(material, 4);
}

}  // namespace
