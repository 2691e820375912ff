// An object into a D3DX mesh and back: attributes from the runs, runs from
// the attributes, and what the two write-backs keep of the old arrays.
#include "plugins/common/MeshConversion.h"

#include <model/Objekt3D.h>

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace {

using Runs = std::vector<std::pair<int, int>>;  // {material, first face}

Runs RunsOf(const cObjekt3D& object)
{
    Runs runs;
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
        const MaterialRun& run = object.m_Runs.GetNext(pos);
        runs.emplace_back(run.material, run.firstFace);
    }
    return runs;
}

// A fan of `faces` triangles over faces + 2 vertices.
void MakeFan(cObjekt3D& object, int faces)
{
    for (int i = 0; i < faces + 2; ++i) {
        MeshVertex v{};
        v.x = static_cast<float>(i);
        v.y = static_cast<float>(i % 3);
        v.u = static_cast<float>(i) / 10.0f;
        object.AddVertex(v);
    }
    for (int f = 0; f < faces; ++f) {
        object.AddIndex(0);
        object.AddIndex(static_cast<WORD>(f + 1));
        object.AddIndex(static_cast<WORD>(f + 2));
    }
}

std::vector<DWORD> Attributes(ID3DXMesh* mesh)
{
    DWORD* data = nullptr;
    EXPECT_EQ(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    std::vector<DWORD> attributes(data, data + mesh->GetNumFaces());
    mesh->UnlockAttributeBuffer();
    return attributes;
}

void SetAttributes(ID3DXMesh* mesh, const std::vector<DWORD>& attributes)
{
    DWORD* data = nullptr;
    ASSERT_EQ(mesh->LockAttributeBuffer(0, &data), D3D_OK);
    std::copy(attributes.begin(), attributes.end(), data);
    mesh->UnlockAttributeBuffer();
}

// The run list the per-face loop makes: start from {-1, 0} and set each
// face's material in ascending order.
Runs RunsByPerFaceLoop(int objectFaces, const std::vector<DWORD>& attributes)
{
    cObjekt3D object;
    MakeFan(object, objectFaces);
    object.m_Runs.RemoveAll();
    object.m_Runs.AddTail(MaterialRun{-1, 0});
    for (std::size_t face = 0; face < attributes.size(); ++face)
        object.SetFaceMaterial(static_cast<int>(face), static_cast<int>(attributes[face]) - 1);
    return RunsOf(object);
}

TEST(MeshConversion, FaceMaterialsComeBackAsOneRunPerStretch)
{
    cObjekt3D object;
    MakeFan(object, 5);
    ID3DXMesh* mesh = BuildMeshFromObject(object, nullptr);
    ASSERT_NE(mesh, nullptr);
    SetAttributes(mesh, {5, 5, 3, 5, 0});  // materials 4, 4, 2, 4, -1
    WriteMeshToObject(mesh, object, false);
    EXPECT_EQ(RunsOf(object), (Runs{{4, 0}, {2, 2}, {4, 3}, {-1, 4}}));

    SetAttributes(mesh, {0, 0, 0, 0, 0});
    WriteMeshToObject(mesh, object, false);
    EXPECT_EQ(RunsOf(object), (Runs{{-1, 0}}));
    mesh->Release();
}

TEST(MeshConversion, RunsBecomeAttributesClippedToTheFaces)
{
    cObjekt3D object;
    MakeFan(object, 6);
    object.m_Runs.RemoveAll();
    object.m_Runs.AddTail(MaterialRun{-1, 0});
    object.m_Runs.AddTail(MaterialRun{3, 2});   // ends before it starts: nothing
    object.m_Runs.AddTail(MaterialRun{7, 1});
    object.m_Runs.AddTail(MaterialRun{1, 4});   // up to the start of the next, clipped
    object.m_Runs.AddTail(MaterialRun{9, 40});  // past the last face: nothing
    ID3DXMesh* mesh = BuildMeshFromObject(object, nullptr);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(Attributes(mesh), (std::vector<DWORD>{0, 8, 8, 8, 2, 2}));
    mesh->Release();

    object.m_Runs.RemoveAll();
    object.m_Runs.AddTail(MaterialRun{2, -5});  // starts before the first face
    mesh = BuildMeshFromObject(object, nullptr);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(Attributes(mesh), (std::vector<DWORD>{3, 3, 3, 3, 3, 3}));
    mesh->Release();
}

TEST(MeshConversion, ObjectsNoMeshCanHoldAreLeftOut)
{
    cObjekt3D empty;
    EXPECT_EQ(BuildMeshFromObject(empty, nullptr), nullptr);

    cObjekt3D points;  // vertices but not one whole face
    MakeFan(points, 1);
    points.m_Indices.SetSize(2);
    EXPECT_EQ(BuildMeshFromObject(points, nullptr), nullptr);

    cObjekt3D huge;
    huge.m_Vertices.SetSize(70000);
    for (int i = 0; i < 3; ++i)
        huge.AddIndex(static_cast<WORD>(i));
    EXPECT_EQ(BuildMeshFromObject(huge, nullptr), nullptr);

    // The later steps take a missing mesh as nothing to do.
    SortMeshByMaterial(nullptr);
    WriteMeshToObject(nullptr, points, true);
    EXPECT_EQ(points.m_Vertices.GetSize(), 3);
    EXPECT_EQ(points.m_Indices.GetSize(), 2);
}

TEST(MeshConversion, SurplusIndicesStayOutOfTheMeshAndTheShortenedObject)
{
    cObjekt3D object;
    MakeFan(object, 3);
    object.AddIndex(1);  // 10 indices: 3 faces and one left over
    ID3DXMesh* mesh = BuildMeshFromObject(object, nullptr);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->GetNumFaces(), 3u);

    cObjekt3D inPlace(object);
    WriteMeshToObject(mesh, inPlace, false);
    ASSERT_EQ(inPlace.m_Indices.GetSize(), 10);
    EXPECT_EQ(inPlace.m_Indices[9], 1);

    WriteMeshToObject(mesh, object, true);
    EXPECT_EQ(object.m_Indices.GetSize(), 9);
    mesh->Release();
}

TEST(MeshConversion, ShorteningEndsTheArraysWhereTheMeshEndsInPlaceKeepsTheTail)
{
    cObjekt3D object;
    MakeFan(object, 4);           // 6 vertices, 4 faces
    object.m_Vertices[5].x = 99;  // used by the last face only
    object.SetFaceMaterial(-1, 2);
    object.SetFaceMaterial(3, 0);

    cObjekt3D smaller;
    MakeFan(smaller, 2);  // 4 vertices, 2 faces, material 2
    smaller.SetFaceMaterial(-1, 2);
    ID3DXMesh* mesh = BuildMeshFromObject(smaller, nullptr);
    ASSERT_NE(mesh, nullptr);

    cObjekt3D inPlace(object);
    WriteMeshToObject(mesh, inPlace, false);
    ASSERT_EQ(inPlace.m_Vertices.GetSize(), 6);
    EXPECT_EQ(inPlace.m_Vertices[5].x, 99.0f);  // former contents, no face uses them
    ASSERT_EQ(inPlace.m_Indices.GetSize(), 12);
    EXPECT_EQ(inPlace.m_Indices[11], 5);
    // The faces the mesh did not cover go on with the object's colour.
    EXPECT_EQ(RunsOf(inPlace), (Runs{{2, 0}, {-1, 2}}));

    WriteMeshToObject(mesh, object, true);
    EXPECT_EQ(object.m_Vertices.GetSize(), 4);
    EXPECT_EQ(object.m_Indices.GetSize(), 6);
    for (INT_PTR i = 0; i < 4; ++i)
        EXPECT_EQ(object.m_Vertices[i].x, static_cast<float>(i));
    EXPECT_EQ(RunsOf(object), (Runs{{2, 0}}));
    mesh->Release();
}

TEST(MeshConversion, OnePassRunsEqualThePerFaceLoopOnRandomAttributes)
{
    std::mt19937 random(12);
    for (int round = 0; round < 400; ++round) {
        const int meshFaces = std::uniform_int_distribution<int>(0, 40)(random);
        const int objectFaces = meshFaces + std::uniform_int_distribution<int>(0, 3)(random);
        const int materials = std::uniform_int_distribution<int>(1, 4)(random);
        std::vector<DWORD> attributes(static_cast<std::size_t>(meshFaces));
        for (DWORD& a : attributes)
            a = static_cast<DWORD>(std::uniform_int_distribution<int>(0, materials)(random));

        cObjekt3D object;
        MakeFan(object, objectFaces);
        WriteRunsFromAttributes(object, attributes.data(), meshFaces);
        ASSERT_EQ(RunsOf(object), RunsByPerFaceLoop(objectFaces, attributes))
            << "round " << round << ", " << meshFaces << " of " << objectFaces << " faces";
    }
}

TEST(MeshConversion, SortingGroupsEachMaterialAndKeepsFaceMaterials)
{
    cObjekt3D object;
    MakeFan(object, 6);
    object.m_Vertices.Add(MeshVertex{});  // used by no face
    object.m_Runs.RemoveAll();
    const int materials[6] = {1, 0, 1, -1, 0, 1};
    for (int f = 0; f < 6; ++f)
        object.m_Runs.AddTail(MaterialRun{materials[f], f});
    ID3DXMesh* mesh = BuildMeshFromObject(object, nullptr);
    ASSERT_NE(mesh, nullptr);
    std::vector<DWORD> adjacency;
    SortMeshByMaterial(mesh, &adjacency);
    // The adjacency handed back is the sorted mesh's own.
    std::vector<DWORD> fresh(static_cast<std::size_t>(mesh->GetNumFaces()) * 3);
    ASSERT_EQ(mesh->GenerateAdjacency(0.0f, fresh.data()), D3D_OK);
    EXPECT_EQ(adjacency, fresh);
    WriteMeshToObject(mesh, object, true);
    EXPECT_EQ(RunsOf(object), (Runs{{-1, 0}, {0, 1}, {1, 3}}));
    EXPECT_EQ(object.m_Vertices.GetSize(), 8);
    EXPECT_EQ(object.m_Indices.GetSize(), 18);
    mesh->Release();
}

TEST(MeshConversion, AMeshTheSortRefusesStaysAsItWas)
{
    cObjekt3D object;
    MakeFan(object, 3);
    object.m_Indices[4] = 40;  // names no vertex
    object.SetFaceMaterial(-1, 1);
    object.SetFaceMaterial(0, 0);
    ID3DXMesh* mesh = BuildMeshFromObject(object, nullptr);
    ASSERT_NE(mesh, nullptr);
    SortMeshByMaterial(mesh);
    cObjekt3D written;
    WriteMeshToObject(mesh, written, true);
    ASSERT_EQ(written.m_Indices.GetSize(), 9);
    for (INT_PTR i = 0; i < 9; ++i)
        EXPECT_EQ(written.m_Indices[i], object.m_Indices[i]);
    EXPECT_EQ(written.m_Vertices.GetSize(), 5);
    EXPECT_EQ(RunsOf(written), (Runs{{0, 0}, {1, 1}}));
    mesh->Release();
}

}  // namespace
