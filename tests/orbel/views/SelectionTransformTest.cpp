#include "ViewHarness.h"

#include "orbel/frame/FrameModes.h"
#include "orbel/views/SelectionTransform.h"

#include "VectorExpect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using viewtest::MakeSquare;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();


D3DXVECTOR3 PositionOf(const cObjekt3D& object, int vertex)
{
    const MeshVertex& v = object.m_Vertices[vertex];
    return {v.x, v.y, v.z};
}

// A square of half size 1 around (cx, 0, cz) in its own space: corners
// 0 (-,-), 1 (+,-), 2 (+,+), 3 (-,+); faces {0,1,2} and {0,2,3} share the
// edge 0-2.
struct Scene {
    explicit Scene(int objects = 1)
    {
        for (int i = 0; i < objects; ++i) {
            squares.emplace_back(MakeSquare(1.0f));
            squares.back()->m_Id = i;
        }
    }
    ~Scene() { selection.Clear(); }

    cObjekt3D& Square(int i = 0) { return *squares[static_cast<size_t>(i)]; }
    void SelectFace(int face, int object = 0) { selection.AddFace(new SelectedElement{&Square(object), face}, TRUE); }
    void SelectVertex(int vertex, int object = 0, BOOL unique = TRUE)
    {
        selection.AddVertex(new SelectedElement{&Square(object), vertex}, unique);
    }

    std::vector<std::unique_ptr<cObjekt3D>> squares;
    cSelection selection;
};

}  // namespace

// What reaches each axis for each drag plane and pair of active masks.
TEST(DragDelta, RemappingPutsTheSecondInPlaneDirectionOnTheActiveAxes)
{
    struct Case {
        D3DXVECTOR3 normal;
        D3DXVECTOR3 planeStep;  // the plane's own component is 0
        AxisMasks masks;
        D3DXVECTOR3 expected;   // on the active axes
    };
    const AxisMasks xy{1, 1, 0}, xz{1, 0, 1}, yz{0, 1, 1};
    const Case cases[] = {
        // Top and Bottom: in-plane dx, dz.
        {{0, 1, 0}, {2, 0, 3}, xy, {2, 3, 0}},
        {{0, 1, 0}, {2, 0, 3}, xz, {2, 0, 3}},
        {{0, 1, 0}, {2, 0, 3}, yz, {0, 3, 2}},
        // Left and Right: in-plane dy, dz.
        {{-1, 0, 0}, {0, 2, 3}, xy, {3, 2, 0}},
        {{-1, 0, 0}, {0, 2, 3}, xz, {3, 0, 2}},
        {{1, 0, 0}, {0, 2, 3}, yz, {0, 2, 3}},
        // Front, Back, User and Perspective: in-plane dx, dy.
        {{0, 0, 1}, {2, 3, 0}, xy, {2, 3, 0}},
        {{0, 0, 1}, {2, 3, 0}, xz, {2, 0, 3}},
        {{0, 0, 1}, {2, 3, 0}, yz, {0, 3, 2}},
    };
    for (const Case& c : cases) {
        const D3DXVECTOR3 d = RemapDragDelta(c.planeStep, c.normal, c.masks);
        const D3DXVECTOR3 reaching(d.x * c.masks.x, d.y * c.masks.y, d.z * c.masks.z);
        EXPECT_EQ(reaching, c.expected) << "normal " << c.normal.x << c.normal.y << c.normal.z << " masks "
                                        << c.masks.x << c.masks.y << c.masks.z;
    }
}

TEST(MoveSelection, MaskedAxesKeepTheirValues)
{
    Scene scene;
    scene.Square().m_Position = D3DXVECTOR3(1, 2, 3);
    scene.selection.AddObject(&scene.Square(), TRUE);
    MoveSelection(scene.selection, SelectObjects, D3DXVECTOR3(0.5f, -1, 7), AxisMasks{1, 1, 0});
    EXPECT_EQ(scene.Square().m_Position, D3DXVECTOR3(1.5f, 1, 3));

    scene.SelectVertex(1);
    MoveSelection(scene.selection, SelectVertices, D3DXVECTOR3(9, 9, 9), AxisMasks{0, 1, 0});
    EXPECT_EQ(PositionOf(scene.Square(), 1), D3DXVECTOR3(1, 9, -1));
    EXPECT_EQ(scene.Square().m_Vertices[1].ny, 1.0f) << "only the position changes";
}

TEST(MoveSelection, CornersSharedBySelectedFacesMoveOnce)
{
    Scene scene;
    scene.SelectFace(0);
    scene.SelectFace(1);
    MoveSelection(scene.selection, SelectFaces, D3DXVECTOR3(1, 0, 0), AxisMasks{1, 1, 0});
    EXPECT_EQ(PositionOf(scene.Square(), 0), D3DXVECTOR3(0, 0, -1));
    EXPECT_EQ(PositionOf(scene.Square(), 1), D3DXVECTOR3(2, 0, -1));
    EXPECT_EQ(PositionOf(scene.Square(), 2), D3DXVECTOR3(2, 0, 1));
    EXPECT_EQ(PositionOf(scene.Square(), 3), D3DXVECTOR3(0, 0, 1));
}

TEST(MoveSelection, CornersOfDifferentObjectsAreToldApartById)
{
    Scene scene(2);
    scene.SelectFace(0, 0);
    scene.SelectFace(0, 1);
    const std::vector<VertexRef> corners = DistinctFaceCorners(scene.selection);
    EXPECT_EQ(corners.size(), 6u);
}

TEST(ScaleSelection, AnObjectWhoseFactorWouldReachTheLimitKeepsItsWholeScale)
{
    Scene scene(2);
    scene.Square(0).m_Scale = D3DXVECTOR3(0.5f, 1, 1);
    scene.Square(1).m_Scale = D3DXVECTOR3(2, 1, 1);
    scene.selection.AddObject(&scene.Square(0), TRUE);
    scene.selection.AddObject(&scene.Square(1), TRUE);
    ScaleSelection(scene.selection, SelectObjects, D3DXVECTOR3(-0.4995f, 3, 0), AxisMasks{1, 1, 0});
    EXPECT_EQ(scene.Square(0).m_Scale, D3DXVECTOR3(0.5f, 1, 1));
    ExpectNear(scene.Square(1).m_Scale, D3DXVECTOR3(1.5005f, 4, 1));
}

TEST(ScaleSelection, FacesScaleAboutTheCentroidOfTheirCorners)
{
    Scene scene;
    scene.SelectFace(0);  // corners 0, 1, 2: centroid (1/3, 0, -1/3)
    ScaleSelection(scene.selection, SelectFaces, D3DXVECTOR3(1, 0, 0), AxisMasks{1, 1, 0});
    const float gx = 1.0f / 3.0f;
    ExpectNear(PositionOf(scene.Square(), 0), D3DXVECTOR3(gx + 2 * (-1 - gx), 0, -1));
    ExpectNear(PositionOf(scene.Square(), 1), D3DXVECTOR3(gx + 2 * (1 - gx), 0, -1));
    EXPECT_EQ(PositionOf(scene.Square(), 3), D3DXVECTOR3(-1, 0, 1)) << "not a corner of the face";
}

// Vertices selected one by one turn and scale about their own centroid, each
// once however often it is listed.
TEST(VertexSelection, RotatesAndScalesTheDistinctVerticesAboutTheirCentroid)
{
    Scene scene;
    scene.SelectVertex(0);
    scene.SelectVertex(2);
    scene.SelectVertex(0, 0, FALSE);  // listed twice
    ScaleSelection(scene.selection, SelectVertices, D3DXVECTOR3(1, 0, 0), AxisMasks{1, 0, 0});
    EXPECT_EQ(PositionOf(scene.Square(), 0), D3DXVECTOR3(-2, 0, -1));
    EXPECT_EQ(PositionOf(scene.Square(), 2), D3DXVECTOR3(2, 0, 1));
    EXPECT_EQ(PositionOf(scene.Square(), 1), D3DXVECTOR3(1, 0, -1));

    // Half a turn of yaw about Y swaps the two ends of the diagonal.
    RotateSelection(scene.selection, SelectVertices, D3DXVECTOR3(D3DX_PI, 0, 0), AxisMasks{0, 1, 0});
    ExpectNear(PositionOf(scene.Square(), 0), D3DXVECTOR3(2, 0, 1));
    ExpectNear(PositionOf(scene.Square(), 2), D3DXVECTOR3(-2, 0, -1));
    EXPECT_EQ(PositionOf(scene.Square(), 3), D3DXVECTOR3(-1, 0, 1));
}

TEST(RotateSelection, TenPixelsLeftWithOnlyYActiveYawFiveDegrees)
{
    Scene scene;
    scene.selection.AddObject(&scene.Square(), TRUE);
    const AxisMasks onlyY{0, 1, 0};
    RotateSelection(scene.selection, SelectObjects, RotationAngles({50, 40}, {45, 40}, 0, onlyY), onlyY);
    RotateSelection(scene.selection, SelectObjects, RotationAngles({45, 40}, {40, 47}, 0, onlyY), onlyY);
    EXPECT_FLOAT_EQ(scene.Square().m_Rotation.x, 10 * 0.5f * 0.017453292f);
    EXPECT_EQ(scene.Square().m_Rotation.y, 0.0f) << "pitch needs the X mask";
    EXPECT_EQ(scene.Square().m_Rotation.z, 0.0f) << "roll needs the Z mask";
}

TEST(TransformSelection, NonFiniteStepsChangeNothing)
{
    Scene scene;
    cObjekt3D& square = scene.Square();
    scene.selection.AddObject(&square, TRUE);
    scene.SelectFace(0);
    scene.SelectVertex(3);
    const AxisMasks all{1, 1, 1};
    for (const D3DXVECTOR3& bad : {D3DXVECTOR3(kNaN, 0, 0), D3DXVECTOR3(0, kInfinity, 0)}) {
        for (int mode : {SelectObjects, SelectFaces, SelectVertices}) {
            MoveSelection(scene.selection, mode, bad, all);
            ScaleSelection(scene.selection, mode, bad, all);
            RotateSelection(scene.selection, mode, bad, all);
        }
    }
    // A finite step whose result overflows is not written either.
    ScaleSelection(scene.selection, SelectObjects, D3DXVECTOR3(std::numeric_limits<float>::max(), 0, 0), all);
    ScaleSelection(scene.selection, SelectObjects, D3DXVECTOR3(std::numeric_limits<float>::max(), 0, 0), all);
    EXPECT_EQ(square.m_Position, D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(square.m_Rotation, D3DXVECTOR3(0, 0, 0));
    EXPECT_TRUE(std::isfinite(square.m_Scale.x));
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(IsFiniteVector(PositionOf(square, i)));
}

TEST(TransformSelection, RecordsOutsideTheirObjectAreSkipped)
{
    Scene scene;
    scene.SelectFace(7);
    scene.SelectFace(1);
    scene.SelectVertex(40);
    scene.SelectVertex(3);
    MoveSelection(scene.selection, SelectFaces, D3DXVECTOR3(0, 1, 0), AxisMasks{1, 1, 0});
    MoveSelection(scene.selection, SelectVertices, D3DXVECTOR3(0, 1, 0), AxisMasks{1, 1, 0});
    RotateSelection(scene.selection, SelectVertices, D3DXVECTOR3(1, 0, 0), AxisMasks{0, 1, 0});
    EXPECT_EQ(PositionOf(scene.Square(), 1).y, 0.0f);
    EXPECT_EQ(PositionOf(scene.Square(), 2).y, 1.0f);
    EXPECT_EQ(PositionOf(scene.Square(), 3).y, 2.0f) << "a corner of face 1 and a selected vertex";
    EXPECT_EQ(DistinctFaceCorners(scene.selection).size(), 3u);
    EXPECT_EQ(DistinctSelectedVertices(scene.selection).size(), 1u);
}
