#include "MeshObjects.h"

#include "PluginTestHost.h"

#include <d3dx8/D3DX8.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace orbel::test {

cObjekt3D* AddObject(PluginTestHost& host, cObjekt3D* object, bool select)
{
    host.Document().AddObject(object);
    if (select)
        host.Document().m_Selection.AddObject(object, TRUE);
    return object;
}

void SelectOnly(PluginTestHost& host, const std::vector<cObjekt3D*>& objects)
{
    cSelection& selection = host.Document().m_Selection;
    selection.Clear();
    for (cObjekt3D* object : objects)
        selection.AddObject(object, TRUE);
    if (host.Current() != nullptr)
        host.Notify(host.Current(), PE_REFRESH);
}

int RecordedSteps(PluginTestHost& host)
{
    return static_cast<int>(host.Document().m_pUndoManager->m_Entries.GetCount());
}

cObjekt3D* MakeSphere(IDirect3DDevice8* device, int slices, int stacks)
{
    auto* object = new cObjekt3D;
    ID3DXMesh* sphere = nullptr;
    EXPECT_EQ(D3DXCreateSphere(device, 1.0f, slices, stacks, &sphere, nullptr), D3D_OK);
    if (sphere == nullptr)
        return object;
    struct Point {
        float x, y, z, nx, ny, nz;
    };
    BYTE* vertices = nullptr;
    sphere->LockVertexBuffer(D3DLOCK_READONLY, &vertices);
    const auto* points = reinterpret_cast<const Point*>(vertices);
    for (DWORD i = 0; i < sphere->GetNumVertices(); ++i)
        object->AddVertex(MeshVertex{points[i].x, points[i].y, points[i].z, points[i].nx, points[i].ny, points[i].nz,
                                     0.0f, 0.0f});
    sphere->UnlockVertexBuffer();
    BYTE* indices = nullptr;
    sphere->LockIndexBuffer(D3DLOCK_READONLY, &indices);
    const auto* words = reinterpret_cast<const WORD*>(indices);
    for (DWORD i = 0; i < sphere->GetNumFaces() * 3; ++i)
        object->AddIndex(words[i]);
    sphere->UnlockIndexBuffer();
    sphere->Release();
    return object;
}

namespace {

MeshVertex GridVertex(int n, int x, int y)
{
    return MeshVertex{static_cast<float>(x), static_cast<float>(y), 0.0f, 0.0f, 0.0f, -1.0f,
                      static_cast<float>(x) / static_cast<float>(n), static_cast<float>(y) / static_cast<float>(n)};
}

// The corners of the grid's faces, two per quad, clockwise seen from -z.
std::vector<std::array<int, 2>> GridCorners(int n)
{
    std::vector<std::array<int, 2>> corners;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            for (auto c : {std::array<int, 2>{x, y}, {x, y + 1}, {x + 1, y + 1}, {x, y}, {x + 1, y + 1}, {x + 1, y}})
                corners.push_back(c);
        }
    }
    return corners;
}

void GiveMaterials(cObjekt3D& object, const std::vector<int>& materials)
{
    for (int face = 0; face < object.GetFaceCount(); ++face)
        object.SetFaceMaterial(face, materials[static_cast<std::size_t>(face) % materials.size()]);
}

}  // namespace

cObjekt3D* MakeGrid(int n, const std::vector<int>& materials)
{
    auto* object = new cObjekt3D;
    for (int y = 0; y <= n; ++y)
        for (int x = 0; x <= n; ++x)
            object->AddVertex(GridVertex(n, x, y));
    for (const auto& c : GridCorners(n))
        object->AddIndex(static_cast<WORD>(c[1] * (n + 1) + c[0]));
    GiveMaterials(*object, materials);
    return object;
}

cObjekt3D* MakeSoupGrid(int n, const std::vector<int>& materials)
{
    auto* object = new cObjekt3D;
    for (const auto& c : GridCorners(n))
        object->AddIndex(static_cast<WORD>(object->AddVertex(GridVertex(n, c[0], c[1]))));
    GiveMaterials(*object, materials);
    return object;
}

std::vector<int> FaceMaterials(const cObjekt3D& object)
{
    std::vector<int> materials(static_cast<std::size_t>(object.GetFaceCount()), -1);
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
        const MaterialRun& run = object.m_Runs.GetNext(pos);
        for (std::size_t face = static_cast<std::size_t>(std::max(run.firstFace, 0)); face < materials.size(); ++face)
            materials[face] = run.material;
    }
    return materials;
}

std::vector<std::array<int, 2>> Runs(const cObjekt3D& object)
{
    std::vector<std::array<int, 2>> runs;
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
        const MaterialRun& run = object.m_Runs.GetNext(pos);
        runs.push_back({run.material, run.firstFace});
    }
    return runs;
}

std::multiset<FaceKey> FaceSet(const cObjekt3D& object)
{
    const std::vector<int> materials = FaceMaterials(object);
    std::multiset<FaceKey> faces;
    for (int face = 0; face < object.GetFaceCount(); ++face) {
        FaceKey key{};
        for (int corner = 0; corner < 3; ++corner) {
            const MeshVertex& v = object.m_Vertices[object.m_Indices[face * 3 + corner]];
            key.corners[static_cast<std::size_t>(corner)] = {v.x, v.y, v.z};
        }
        std::rotate(key.corners.begin(), std::min_element(key.corners.begin(), key.corners.end()),
                    key.corners.end());
        key.material = materials[static_cast<std::size_t>(face)];
        faces.insert(key);
    }
    return faces;
}

void ExpectSoundMesh(const cObjekt3D& object, const std::set<int>& allowed)
{
    const INT_PTR vertices = object.m_Vertices.GetSize();
    for (INT_PTR i = 0; i < object.m_Indices.GetSize(); ++i)
        ASSERT_LT(object.m_Indices[i], vertices) << "index " << i;
    for (int face = 0; face < object.GetFaceCount(); ++face) {
        const WORD a = object.m_Indices[face * 3], b = object.m_Indices[face * 3 + 1], c = object.m_Indices[face * 3 + 2];
        ASSERT_TRUE(a != b && b != c && a != c) << "face " << face << " is degenerate";
    }
    int previous = -1;
    for (const auto& run : Runs(object)) {
        EXPECT_GT(run[1], previous);
        previous = run[1];
    }
    ASSERT_FALSE(object.m_Runs.IsEmpty());
    EXPECT_EQ(object.m_Runs.GetHead().firstFace, 0);
    for (int material : FaceMaterials(object))
        EXPECT_TRUE(allowed.count(material)) << "material " << material << " was not in the object";
}

}  // namespace orbel::test
