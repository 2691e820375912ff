#include "ViewHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using viewtest::MakeSquare;
using viewtest::PixelOf;
using viewtest::RefreshMatrices;
using viewtest::UndoLabels;
using viewtest::ViewHarness;

namespace {

// A Top view of 160 x 120 pixels: world x grows to the right and z up the
// screen, 16 pixels a unit, the origin at (80, 60); its rays start at y = 9.
class SelectionTools : public testing::Test {
protected:
    void SetUp() override
    {
        view = stage.AddView(ViewKindTop, 160, 120);
        RefreshMatrices(view);
    }

    cObjekt3D* Add(cObjekt3D* object)
    {
        stage.Document().AddObject(object);
        return object;
    }
    cObjekt3D* AddPoints(std::initializer_list<D3DXVECTOR3> points)
    {
        auto* object = new cObjekt3D;
        for (const D3DXVECTOR3& p : points) object->AddVertex(MeshVertex{p.x, p.y, p.z, 0, 1, 0, 0, 0});
        return Add(object);
    }
    cSelection& Selection() { return stage.Document().m_Selection; }
    std::vector<int> SelectedIds()
    {
        std::vector<int> ids;
        for (POSITION pos = Selection().m_Objects.GetHeadPosition(); pos;) ids.push_back(Selection().m_Objects.GetNext(pos)->m_Id);
        return ids;
    }
    std::vector<std::pair<int, int>> Elements(const CList<SelectedElement*, SelectedElement*>& list)
    {
        std::vector<std::pair<int, int>> out;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const SelectedElement* e = list.GetNext(pos);
            out.emplace_back(e->object->m_Id, e->index);
        }
        return out;
    }
    void Click(const D3DXVECTOR3& world, int action)
    {
        const CPoint p = PixelOf(view, world);
        view->ClickSelect(p.x, p.y, action);
    }
    // A band over the world rectangle of the two corners, on the ground.
    void Band(const D3DXVECTOR3& from, const D3DXVECTOR3& to, int action)
    {
        view->m_DownPoint = PixelOf(view, from);
        view->m_LastPoint = PixelOf(view, to);
        view->RectangleSelect(action);
    }
    std::vector<std::string> Labels() { return UndoLabels(*stage.Document().m_pUndoManager); }

    ViewHarness stage;
    CMyOrbelView* view = nullptr;
};

cObjekt3D* Flipped(cObjekt3D* square)
{
    for (int f = 0; f < square->GetFaceCount(); ++f) std::swap(square->m_Indices[3 * f + 1], square->m_Indices[3 * f + 2]);
    return square;
}

}  // namespace

TEST_F(SelectionTools, TheNearestHitAlongTheRayWinsOnEitherSide)
{
    Add(MakeSquare(1, D3DXVECTOR3(0, 0, 0)));
    cObjekt3D* upper = Add(Flipped(MakeSquare(1, D3DXVECTOR3(0, 2, 0))));  // turned away from the camera
    Add(MakeSquare(1, D3DXVECTOR3(0, 9.5f, 0)));                          // behind the rays' origin
    Click(D3DXVECTOR3(0.3f, 0, 0.2f), SelectReplace);
    EXPECT_EQ(SelectedIds(), (std::vector<int>{upper->m_Id}));

    stage.selectionMode = SelectFaces;
    Click(D3DXVECTOR3(0.5f, 0, -0.2f), SelectReplace);
    ASSERT_EQ(Selection().m_Faces.GetCount(), 1);
    EXPECT_EQ(Selection().m_Faces.GetHead()->object, upper);
    EXPECT_TRUE(Selection().m_Objects.IsEmpty());
}

TEST_F(SelectionTools, CtrlAddsShiftRemovesAndNothingToggles)
{
    cObjekt3D* left = Add(MakeSquare(1, D3DXVECTOR3(-2, 0, 0)));
    cObjekt3D* right = Add(MakeSquare(1, D3DXVECTOR3(2, 0, 0)));
    Click(D3DXVECTOR3(-2, 0, 0), SelectReplace);
    Click(D3DXVECTOR3(2, 0, 0), SelectAdd);
    Click(D3DXVECTOR3(2, 0, 0), SelectAdd);
    EXPECT_EQ(SelectedIds(), (std::vector<int>{right->m_Id, left->m_Id}));
    Click(D3DXVECTOR3(0, 0, 0), SelectRemove);  // nothing there
    EXPECT_EQ(SelectedIds(), (std::vector<int>{right->m_Id, left->m_Id}));
    Click(D3DXVECTOR3(-2, 0, 0), SelectRemove);
    EXPECT_EQ(SelectedIds(), (std::vector<int>{right->m_Id}));

    stage.selectionMode = SelectFaces;
    Click(D3DXVECTOR3(2.5f, 0, -0.5f), SelectAdd);
    Click(D3DXVECTOR3(2.5f, 0, -0.5f), SelectAdd);
    Click(D3DXVECTOR3(-1.5f, 0, 0.5f), SelectRemove);  // a face nobody selected
    EXPECT_EQ(Elements(Selection().m_Faces), (std::vector<std::pair<int, int>>{{right->m_Id, 0}}));
}

// Every call records its step, hit or miss, and a click in line mode only
// empties the selection.
TEST_F(SelectionTools, EveryClickRecordsChangeSelectionAndReplaceFirstEmpties)
{
    cObjekt3D* square = Add(MakeSquare(1));
    Click(D3DXVECTOR3(0, 0, 0), SelectReplace);
    Click(D3DXVECTOR3(4, 0, 3), SelectReplace);
    EXPECT_TRUE(Selection().m_Objects.IsEmpty());
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Change Selection", "Change Selection"}));

    Selection().AddObject(square, TRUE);
    stage.selectionMode = SelectLines;
    Click(D3DXVECTOR3(0, 0, 0), SelectAdd);
    EXPECT_EQ(Selection().m_Objects.GetCount(), 1);
    Click(D3DXVECTOR3(0, 0, 0), SelectReplace);
    EXPECT_TRUE(Selection().m_Objects.IsEmpty());
    EXPECT_EQ(Labels().size(), 4u);
}

// The tolerance is 1 % of the distance from the ray origin, and the vertex
// nearest to the ray line wins, however deep it lies.
TEST_F(SelectionTools, VertexModePicksTheVertexNearestTheRayLine)
{
    stage.selectionMode = SelectVertices;
    cObjekt3D* near = AddPoints({{0.4f, -41, 0}, {0.5f, 8, 0}});       // 50 and 1 unit from the origin
    cObjekt3D* deep = AddPoints({{1.1f, -91, 0}, {0.2f, -91, 0}, {0, -91, 0.9f}});
    Click(D3DXVECTOR3(0, 0, 0), SelectReplace);
    EXPECT_EQ(Elements(Selection().m_Vertices), (std::vector<std::pair<int, int>>{{deep->m_Id, 1}}));

    deep->m_Vertices[1].x = 5;
    Click(D3DXVECTOR3(0, 0, 0), SelectReplace);
    EXPECT_EQ(Elements(Selection().m_Vertices), (std::vector<std::pair<int, int>>{{near->m_Id, 0}}));
    deep->m_Vertices[2].z = 1.01f;
    near->m_Vertices[0].x = 0.51f;
    Click(D3DXVECTOR3(0, 0, 0), SelectReplace);
    EXPECT_TRUE(Selection().m_Vertices.IsEmpty()) << "all outside their tolerance";
}

TEST_F(SelectionTools, RectanglesCountOnlyVerticesAndTakeFacesWhole)
{
    // Its only corner inside the band is corner 1, a corner of face 0 alone.
    cObjekt3D* corner = Add(MakeSquare(1, D3DXVECTOR3(-1.2f, 0, 1.2f)));
    cObjekt3D* large = Add(MakeSquare(10));  // covers the band, no corner inside
    stage.selectionMode = SelectFaces;
    Band(D3DXVECTOR3(-0.5f, 0, 0.5f), D3DXVECTOR3(0.5f, 0, -0.5f), SelectReplace);
    EXPECT_EQ(Elements(Selection().m_Faces), (std::vector<std::pair<int, int>>{{corner->m_Id, 0}}));

    stage.selectionMode = SelectObjects;
    Band(D3DXVECTOR3(-0.5f, 0, 0.5f), D3DXVECTOR3(0.5f, 0, -0.5f), SelectReplace);
    EXPECT_EQ(SelectedIds(), (std::vector<int>{corner->m_Id}));
    EXPECT_EQ(Labels(), (std::vector<std::string>{"Change Selection", "Change Selection"}));
    (void)large;
}

// Additions go to the head, so the head is the qualifying item met last:
// the last object in document order, its highest vertex.
TEST_F(SelectionTools, AfterARectangleTheHeadIsTheLastQualifiedItem)
{
    cObjekt3D* older = Add(MakeSquare(0.25f, D3DXVECTOR3(-0.5f, 0, 0)));
    cObjekt3D* newer = Add(MakeSquare(0.25f, D3DXVECTOR3(0.5f, 0, 0)));
    older->m_Name = "Older";
    Band(D3DXVECTOR3(-2, 0, 1), D3DXVECTOR3(2, 0, -1), SelectReplace);
    EXPECT_EQ(SelectedIds(), (std::vector<int>{older->m_Id, newer->m_Id}));

    stage.selectionMode = SelectVertices;
    Band(D3DXVECTOR3(-2, 0, 1), D3DXVECTOR3(2, 0, -1), SelectReplace);
    ASSERT_EQ(Selection().m_Vertices.GetCount(), 8);
    EXPECT_EQ(Elements(Selection().m_Vertices).front(), std::make_pair(older->m_Id, 3));

    Band(D3DXVECTOR3(-2, 0, 1), D3DXVECTOR3(0, 0, -1), SelectRemove);
    EXPECT_EQ(Selection().m_Vertices.GetCount(), 4);
    EXPECT_EQ(Elements(Selection().m_Vertices).front(), std::make_pair(newer->m_Id, 3));
}
