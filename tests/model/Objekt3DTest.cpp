#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "ModelTestSupport.h"

using modeltest::MakeStrip;
using modeltest::Runs;

namespace {

using RunList = std::vector<MaterialRun>;

void SetRuns(cObjekt3D& object, const RunList& runs)
{
    object.m_Runs.RemoveAll();
    for (const MaterialRun& run : runs)
        object.m_Runs.AddTail(run);
}

std::vector<std::array<int, 3>> Faces(const cObjekt3D& object)
{
    std::vector<std::array<int, 3>> faces;
    for (int f = 0; f < object.GetFaceCount(); ++f)
        faces.push_back({object.m_Indices[3 * f], object.m_Indices[3 * f + 1], object.m_Indices[3 * f + 2]});
    return faces;
}

}  // namespace

TEST(Objekt3D, NewObjectHasTheDocumentedDefaults)
{
    cObjekt3D object;
    EXPECT_EQ(object.m_Visible, 1);
    EXPECT_EQ(object.m_Colour[2], 150.0f);
    EXPECT_EQ(object.m_Scale.y, 1.0f);
    EXPECT_STREQ(static_cast<LPCTSTR>(object.m_Name), "Unamed");
    EXPECT_EQ(object.m_Id, -1);
    EXPECT_EQ(Runs(object), (RunList{{-1, 0}}));
    // The box starts empty, so nothing is culled or boxed around garbage.
    EXPECT_GT(object.m_BoundMin.x, object.m_BoundMax.x);
}

TEST(Objekt3D, SetFaceMaterialSplitsRetagsAndMerges)
{
    std::unique_ptr<cObjekt3D> object(MakeStrip(4));
    object->SetFaceMaterial(-1, 2);
    EXPECT_EQ(Runs(*object), (RunList{{2, 0}}));

    object->SetFaceMaterial(1, 5);
    EXPECT_EQ(Runs(*object), (RunList{{2, 0}, {5, 1}, {2, 2}}));
    object->SetFaceMaterial(1, 2);
    EXPECT_EQ(Runs(*object), (RunList{{2, 0}, {2, 2}}));

    SetRuns(*object, {{0, 0}});
    object->SetFaceMaterial(3, 7);
    EXPECT_EQ(Runs(*object), (RunList{{0, 0}, {7, 3}}));

    // Giving a face the material it has still splits the run around it.
    SetRuns(*object, {{0, 0}});
    object->SetFaceMaterial(2, 0);
    EXPECT_EQ(Runs(*object), (RunList{{0, 0}, {0, 2}, {0, 3}}));

    SetRuns(*object, {{4, 0}});
    object->SetFaceMaterial(0, 1);
    EXPECT_EQ(Runs(*object), (RunList{{1, 0}, {4, 1}}));
}

TEST(Objekt3D, SetFaceMaterialOnAFaceBeforeTheFirstRunOrOutsideChangesNothing)
{
    std::unique_ptr<cObjekt3D> object(MakeStrip(4));
    SetRuns(*object, {{3, 2}});
    object->SetFaceMaterial(1, 9);
    EXPECT_EQ(Runs(*object), (RunList{{3, 2}}));
    object->SetFaceMaterial(4, 9);
    object->SetFaceMaterial(-2, 9);
    EXPECT_EQ(Runs(*object), (RunList{{3, 2}}));
}

TEST(Objekt3D, SetFaceMaterialPassesOverRunsThatCoverNoFace)
{
    std::unique_ptr<cObjekt3D> object(MakeStrip(4));
    SetRuns(*object, {{1, 0}, {2, 1}, {3, 2}});
    object->DeleteFace(0);
    ASSERT_EQ(Runs(*object), (RunList{{1, 0}, {2, 0}, {3, 1}}));

    // Face 0 is covered by {2, 0}; the empty {1, 0} must not take the material.
    object->SetFaceMaterial(0, 6);
    EXPECT_EQ(Runs(*object), (RunList{{1, 0}, {6, 0}, {3, 1}}));
}

TEST(Objekt3D, DeleteFaceShiftsLaterRunsAndLeavesEmptyOnes)
{
    std::unique_ptr<cObjekt3D> object(MakeStrip(3));
    SetRuns(*object, {{1, 0}, {2, 1}});
    object->DeleteFace(0);
    EXPECT_EQ(Runs(*object), (RunList{{1, 0}, {2, 0}}));
    EXPECT_EQ(object->GetFaceCount(), 2);
    EXPECT_EQ(object->m_Vertices.GetSize(), 5);
    object->DeleteFace(7);
    EXPECT_EQ(object->GetFaceCount(), 2);
}

TEST(Objekt3D, DeleteVertexRemovesEveryFaceTouchingItAndKeepsTheOthers)
{
    std::unique_ptr<cObjekt3D> object(MakeStrip(5));  // face f uses f, f+1, f+2
    object->AddIndex(2);                               // a stray index past the last face
    object->DeleteVertex(2);
    // Faces 0, 1, 2 used vertex 2; faces 3 and 4 remain, renumbered.
    EXPECT_EQ(Faces(*object), (std::vector<std::array<int, 3>>{{2, 3, 4}, {3, 4, 5}}));
    EXPECT_EQ(object->m_Vertices.GetSize(), 6);
    EXPECT_EQ(object->m_Indices.GetSize(), 6);
    EXPECT_EQ(object->m_Vertices[2].x, 1.0f);  // old vertex 3 (x = 3 / 2)
}

TEST(Objekt3D, CopyKeepsGeometryRunsAndIdButNotTheDefaultRun)
{
    std::unique_ptr<cObjekt3D> source(MakeStrip(4, "Source"));
    source->m_Id = 7;
    source->m_Position = D3DXVECTOR3(1, 2, 3);
    SetRuns(*source, {{0, 0}, {3, 2}});
    cObjekt3D copy(*source);
    EXPECT_EQ(copy.m_Id, 7);
    EXPECT_STREQ(static_cast<LPCTSTR>(copy.m_Name), "Source");
    EXPECT_EQ(copy.m_Position.z, 3.0f);
    EXPECT_EQ(Runs(copy), Runs(*source));
    EXPECT_EQ(Faces(copy), Faces(*source));
    EXPECT_EQ(copy.m_Vertices.GetSize(), source->m_Vertices.GetSize());
}

TEST(Objekt3D, OnMaterialRemovedRenumbersRuns)
{
    cObjekt3D object;
    SetRuns(object, {{0, 0}, {1, 0}, {2, 0}, {-1, 0}});
    object.OnMaterialRemoved(1);
    EXPECT_EQ(Runs(object), (RunList{{0, 0}, {-1, 0}, {1, 0}, {-1, 0}}));
}

TEST(Objekt3D, SetScaleNeedsEveryFactorAboveOneThousandth)
{
    cObjekt3D object;
    object.SetScale(1.0, 0.001, 1.0);
    EXPECT_EQ(object.m_Scale.x, 1.0f);
    EXPECT_EQ(object.m_Scale.y, 1.0f);
    object.SetScale(0.002, 0.002, 0.002);
    EXPECT_EQ(object.m_Scale.x, 0.002f);
    EXPECT_EQ(object.m_Scale.z, 0.002f);
}

TEST(Objekt3D, WorldMatrixScalesThenRotatesThenTranslates)
{
    cObjekt3D object;
    object.m_Scale = D3DXVECTOR3(2, 2, 2);
    object.m_Rotation = D3DXVECTOR3(D3DX_PI / 2, 0, 0);  // yaw: +x turns to -z
    object.m_Position = D3DXVECTOR3(0, 0, 10);
    D3DXMATRIX world;
    object.GetWorldMatrix(&world);
    D3DXVECTOR3 point(1, 0, 0);
    D3DXVECTOR3 moved;
    D3DXVec3TransformCoord(&moved, &point, &world);
    EXPECT_NEAR(moved.x, 0.0f, 1e-5f);
    EXPECT_NEAR(moved.y, 0.0f, 1e-5f);
    EXPECT_NEAR(moved.z, 8.0f, 1e-5f);
}

TEST(Objekt3D, CopyIndexRangeStaysInsideTheArray)
{
    std::unique_ptr<cObjekt3D> object(MakeStrip(2));
    CArray<WORD, WORD> out;
    object->CopyIndexRange(out, 3, 6);
    ASSERT_EQ(out.GetSize(), 3);
    EXPECT_EQ(out[0], 1);
    object->CopyIndexRange(out, 4, 100);
    EXPECT_EQ(out.GetSize(), 2);
}
