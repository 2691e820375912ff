// The ".x" export through the test host, and the way back through the
// import: geometry in world space, materials by first use, the colour slot.
#include "plugins/testhost/PluginTestHost.h"
#include "support/FreshFolder.h"

#include <model/Material.h>
#include <model/Objekt3D.h>
#include <testsupport/ScriptedModals.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <tuple>

namespace {

namespace fs = std::filesystem;

class XExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        exporter = host.Load("Saskel.dle");
        importer = host.Load("Tovrin.dli");
        ASSERT_NE(exporter, nullptr);
        ASSERT_NE(importer, nullptr);
        folder = orbel::test::MakeFreshFolder("orbel-export-");
    }
    void TearDown() override { fs::remove_all(folder); }

    cMaterial* AddMaterial(float r, float g, float b, float power, const char* texture)
    {
        auto* m = new cMaterial;
        m->m_pMaterial->Diffuse = {r, g, b, 1.0f};
        m->m_pMaterial->Specular = {r / 2, g / 2, b / 2, 1.0f};
        m->m_pMaterial->Power = power;
        m->m_TextureName = texture;
        host.Document().m_Materials.Add(m);
        return m;
    }

    // A strip of `faces` triangles, no two alike, each with its own vertices.
    cObjekt3D* AddStrip(int faces, bool select = true)
    {
        auto* object = new cObjekt3D;
        for (int f = 0; f < faces; ++f) {
            for (int c = 0; c < 3; ++c) {
                MeshVertex v{};
                v.x = static_cast<float>(f) + (c == 1 ? 1.0f : 0.0f);
                v.y = c == 2 ? 1.0f + 0.1f * static_cast<float>(f) : 0.0f;
                v.z = 0.25f * static_cast<float>(f);
                v.nz = -1.0f;
                v.u = 0.5f * static_cast<float>(c);
                object->AddIndex(static_cast<WORD>(object->AddVertex(v)));
            }
        }
        host.Document().AddObject(object);
        if (select)
            host.Document().m_Selection.AddObject(object, TRUE);
        return object;
    }

    static void SetRuns(cObjekt3D& object, std::initializer_list<MaterialRun> runs)
    {
        object.m_Runs.RemoveAll();
        for (const MaterialRun& run : runs)
            object.m_Runs.AddTail(run);
    }

    std::string Export(const std::string& name)
    {
        const std::string path = (folder / name).string();
        EXPECT_TRUE(host.ExportFile(exporter, path));
        return path;
    }

    // Each face of the object keyed by its rounded world-space centre, with
    // the diffuse colour it is drawn with.
    using Key = std::tuple<long, long, long>;
    std::map<Key, D3DCOLORVALUE> FacesByCentre(cObjekt3D& object, bool inWorld)
    {
        D3DXMATRIX world;
        object.GetWorldMatrix(&world);
        std::vector<int> materials(static_cast<std::size_t>(object.GetFaceCount()), -1);
        for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
            const MaterialRun run = object.m_Runs.GetNext(pos);
            const int end = pos != nullptr ? object.m_Runs.GetAt(pos).firstFace : object.GetFaceCount();
            for (int f = run.firstFace; f < end; ++f)
                materials[static_cast<std::size_t>(f)] = run.material;
        }
        std::map<Key, D3DCOLORVALUE> faces;
        const auto& all = host.Document().m_Materials;
        for (int f = 0; f < object.GetFaceCount(); ++f) {
            D3DXVECTOR3 centre(0, 0, 0);
            for (int c = 0; c < 3; ++c) {
                const MeshVertex& v = object.m_Vertices[object.m_Indices[f * 3 + c]];
                D3DXVECTOR3 p(v.x, v.y, v.z);
                if (inWorld)
                    D3DXVec3TransformCoord(&p, &p, &world);
                centre += p / 3.0f;
            }
            const int m = materials[static_cast<std::size_t>(f)];
            const D3DCOLORVALUE colour = m >= 0 && m < all.GetSize()
                                             ? all[m]->m_pMaterial->Diffuse
                                             : D3DCOLORVALUE{object.m_Colour[0] / 255, object.m_Colour[1] / 255,
                                                             object.m_Colour[2] / 255, 1.0f};
            faces[{std::lround(centre.x * 1000), std::lround(centre.y * 1000), std::lround(centre.z * 1000)}] = colour;
        }
        return faces;
    }

    PluginTestHost host;
    cPlugin* exporter = nullptr;
    cPlugin* importer = nullptr;
    fs::path folder;
};

void ExpectSameColour(const D3DCOLORVALUE& a, const D3DCOLORVALUE& b)
{
    EXPECT_NEAR(a.r, b.r, 1e-5);
    EXPECT_NEAR(a.g, b.g, 1e-5);
    EXPECT_NEAR(a.b, b.b, 1e-5);
}

TEST_F(XExport, ExportThenImportKeepsGeometryMaterialsAndFaces)
{
    for (int i = 0; i < 5; ++i)
        AddMaterial(0.1f * static_cast<float>(i), 0.5f, 1.0f - 0.1f * static_cast<float>(i), 5.0f + static_cast<float>(i),
                    i == 4 ? "maps\\stone.bmp" : "");
    cObjekt3D* object = AddStrip(6);
    object->m_Position = D3DXVECTOR3(1, 2, 3);
    object->m_Scale = D3DXVECTOR3(2, 2, 2);
    object->m_Rotation = D3DXVECTOR3(0.3f, 0.2f, 0.1f);
    object->m_Colour[0] = 255;
    SetRuns(*object, {{4, 0}, {1, 2}, {-1, 3}, {4, 5}});
    // Every vertex a normal of its own, not of unit length after the export.
    for (INT_PTR i = 0; i < object->m_Vertices.GetSize(); ++i) {
        MeshVertex& v = object->m_Vertices[i];
        const float a = 0.4f * static_cast<float>(i);
        v.nx = std::sin(a);
        v.ny = std::cos(a);
        v.nz = 0.5f;
    }
    const auto expected = FacesByCentre(*object, true);

    const std::string path = Export("roundtrip.x");
    ASSERT_TRUE(fs::exists(path));
    host.Document().m_Selection.Clear();
    ASSERT_TRUE(host.ImportFile(importer, path));
    cObjekt3D* back = host.FirstSelected();
    ASSERT_NE(back, object);
    EXPECT_EQ(back->GetFaceCount(), 6);
    const auto actual = FacesByCentre(*back, false);
    ASSERT_EQ(actual.size(), expected.size());
    for (const auto& [centre, colour] : expected) {
        ASSERT_EQ(actual.count(centre), 1u);
        ExpectSameColour(actual.at(centre), colour);
    }
    // Slots by first use: material 4, material 1, then the colour slot.
    auto& materials = host.Document().m_Materials;
    ASSERT_EQ(materials.GetSize(), 8);
    EXPECT_FLOAT_EQ(materials[5]->m_pMaterial->Power, 9.0f);
    EXPECT_EQ(std::string(materials[5]->GetTextureName()), "maps\\stone.bmp");
    EXPECT_FLOAT_EQ(materials[5]->m_pMaterial->Specular.b, 0.3f);
    EXPECT_FLOAT_EQ(materials[6]->m_pMaterial->Power, 6.0f);
    EXPECT_EQ(std::string(materials[6]->GetTextureName()), "");
    EXPECT_FLOAT_EQ(materials[7]->m_pMaterial->Power, 30.0f);
    // Positions baked into world space within 1e-5 relative; each vertex's
    // normal turned by the rotation only, its length kept.
    D3DXMATRIX world, rotation;
    object->GetWorldMatrix(&world);
    object->GetRotationMatrix(&rotation);
    ASSERT_EQ(back->m_Vertices.GetSize(), object->m_Vertices.GetSize());
    for (INT_PTR k = 0; k < object->m_Vertices.GetSize(); ++k) {
        const MeshVertex& source = object->m_Vertices[k];
        D3DXVECTOR3 position(source.x, source.y, source.z), normal(source.nx, source.ny, source.nz), moved, turned;
        D3DXVec3TransformCoord(&moved, &position, &world);
        D3DXVec3TransformCoord(&turned, &normal, &rotation);
        const MeshVertex* found = nullptr;
        for (INT_PTR i = 0; i < back->m_Vertices.GetSize() && found == nullptr; ++i) {
            const MeshVertex& v = back->m_Vertices[i];
            if (std::fabs(v.x - moved.x) <= 1e-5f * std::fabs(moved.x) + 1e-6f &&
                std::fabs(v.y - moved.y) <= 1e-5f * std::fabs(moved.y) + 1e-6f &&
                std::fabs(v.z - moved.z) <= 1e-5f * std::fabs(moved.z) + 1e-6f)
                found = &v;
        }
        ASSERT_NE(found, nullptr) << k;
        EXPECT_NEAR(found->nx, turned.x, 1e-5f) << k;
        EXPECT_NEAR(found->ny, turned.y, 1e-5f) << k;
        EXPECT_NEAR(found->nz, turned.z, 1e-5f) << k;
        EXPECT_EQ(found->u, source.u) << k;
    }
}

TEST_F(XExport, AnObjectWithoutMaterialsGetsTheColourSlotOnly)
{
    cObjekt3D* object = AddStrip(2);
    object->m_Colour[1] = 51;
    const std::string path = Export("plain.x");
    ASSERT_TRUE(host.ImportFile(importer, path));
    auto& materials = host.Document().m_Materials;
    ASSERT_EQ(materials.GetSize(), 1);
    EXPECT_NEAR(materials[0]->m_pMaterial->Diffuse.g, 0.2f, 1e-6);
    EXPECT_FLOAT_EQ(materials[0]->m_pMaterial->Specular.r, 0.4f);
    EXPECT_FLOAT_EQ(materials[0]->m_pMaterial->Emissive.r, 0.01f);
}

TEST_F(XExport, RunsNamingNoMaterialUseTheColourSlot)
{
    AddMaterial(1, 0, 0, 1, "");
    cObjekt3D* object = AddStrip(3);
    SetRuns(*object, {{0, 0}, {7, 1}, {-5, 2}});
    const std::string path = Export("outside.x");
    ASSERT_TRUE(fs::exists(path));
    ASSERT_TRUE(host.ImportFile(importer, path));
    auto& materials = host.Document().m_Materials;
    ASSERT_EQ(materials.GetSize(), 3);  // the red one, then red and the colour slot from the file
    EXPECT_FLOAT_EQ(materials[1]->m_pMaterial->Diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(materials[2]->m_pMaterial->Diffuse.b, object->m_Colour[2] * 0.003921569f);
    const auto faces = FacesByCentre(*host.FirstSelected(), false);
    int colourFaces = 0;
    for (const auto& [centre, colour] : faces)
        colourFaces += colour.r == 0.0f;
    EXPECT_EQ(colourFaces, 2);
}

TEST_F(XExport, NothingIsWrittenWithoutOneExportableObject)
{
    orbel::test::ScriptMessageBox(IDOK);
    const std::string none = Export("none.x");
    EXPECT_FALSE(fs::exists(none));

    AddStrip(1);
    AddStrip(1);
    orbel::test::ScriptMessageBox(IDOK);
    const std::string two = Export("two.x");
    EXPECT_FALSE(fs::exists(two));
    const auto texts = orbel::test::MessageBoxTexts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "No Objects for Export Selected.");
    EXPECT_EQ(texts.back(), "Please select only one object or join objects together.");

    // A selected object without faces gives D3DX no mesh to write.
    host.Document().m_Selection.Clear();
    auto* empty = new cObjekt3D;
    MeshVertex v{};
    empty->AddVertex(v);
    host.Document().AddObject(empty);
    host.Document().m_Selection.AddObject(empty, TRUE);
    EXPECT_FALSE(fs::exists(Export("faceless.x")));
}

}  // namespace
