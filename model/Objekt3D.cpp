#include "model/Objekt3D.h"

#include <algorithm>
#include <cfloat>
#include <cstring>

IMPLEMENT_SERIAL(cObjekt3D, CObject, 1)

namespace {

constexpr INT_PTR kRunBlockSize = 10;

// An empty box (min above max) until the renderer computes the real one, so
// an object with too few vertices is never boxed around garbage.
void SetEmptyBounds(D3DXVECTOR3& low, D3DXVECTOR3& high)
{
    low = D3DXVECTOR3(FLT_MAX, FLT_MAX, FLT_MAX);
    high = D3DXVECTOR3(-FLT_MAX, -FLT_MAX, -FLT_MAX);
}

}  // namespace

cObjekt3D::cObjekt3D()
    : m_Visible(1),
      m_Colour{0.0f, 0.0f, 150.0f},
      m_Runs(kRunBlockSize),
      m_Position(0.0f, 0.0f, 0.0f),
      m_Rotation(0.0f, 0.0f, 0.0f),
      m_Scale(1.0f, 1.0f, 1.0f),
      m_Name("Unamed"),
      m_Id(-1)
{
    m_Runs.AddTail(MaterialRun{-1, 0});
    SetEmptyBounds(m_BoundMin, m_BoundMax);
}

cObjekt3D::cObjekt3D(const cObjekt3D& source)
    : CObject(),
      m_Visible(1),
      m_Colour{source.m_Colour[0], source.m_Colour[1], source.m_Colour[2]},
      m_Runs(kRunBlockSize),
      m_Position(source.m_Position),
      m_Rotation(source.m_Rotation),
      m_Scale(source.m_Scale),
      m_Name(source.m_Name),
      m_Id(source.m_Id)
{
    m_Indices.Copy(source.m_Indices);
    m_Vertices.Copy(source.m_Vertices);
    for (POSITION pos = source.m_Runs.GetHeadPosition(); pos != nullptr;) {
        MaterialRun run = source.m_Runs.GetNext(pos);
        m_Runs.AddTail(run);
    }
    SetEmptyBounds(m_BoundMin, m_BoundMax);
}

cObjekt3D::~cObjekt3D()
{
    m_Vertices.RemoveAll();
    m_Indices.RemoveAll();
    m_Runs.RemoveAll();
    m_Name.Empty();
}

void cObjekt3D::SetFaceMaterial(int face, int material)
{
    if (face == -1) {
        m_Runs.RemoveAll();
        MaterialRun whole{material, 0};
        m_Runs.AddTail(whole);
        return;
    }
    const int faceCount = GetFaceCount();
    // A run starting past the last face would make the object unloadable.
    if (face < 0 || face >= faceCount)
        return;

    POSITION previous = nullptr;
    for (POSITION pos = m_Runs.GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        MaterialRun& run = m_Runs.GetNext(pos);
        const int first = run.firstFace;
        const int oldMaterial = run.material;
        const bool hasNext = pos != nullptr;
        const int nextFirst = hasNext ? m_Runs.GetAt(pos).firstFace : 0;
        // A run that DeleteFace left empty shares its start with the next run
        // and covers nothing; the face belongs to a later run.
        const bool coversNothing = hasNext && nextFirst <= first;

        if (first == face && !coversNothing) {
            run.material = material;
            if (first < faceCount - 1 && (!hasNext || nextFirst > first + 1)) {
                MaterialRun rest{oldMaterial, first + 1};
                m_Runs.InsertAfter(here, rest);
            }
            if (previous != nullptr && m_Runs.GetAt(previous).material == material)
                m_Runs.RemoveAt(here);
            return;
        }
        if (first < face && (!hasNext || face < nextFirst)) {
            MaterialRun single{material, face};
            const POSITION added = m_Runs.InsertAfter(here, single);
            if (face < faceCount - 1 && (!hasNext || nextFirst > face + 1)) {
                MaterialRun rest{oldMaterial, face + 1};
                m_Runs.InsertAfter(added, rest);
            }
            return;
        }
        previous = here;
    }
}

void cObjekt3D::OnMaterialRemoved(int material)
{
    for (POSITION pos = m_Runs.GetHeadPosition(); pos != nullptr;) {
        MaterialRun& run = m_Runs.GetNext(pos);
        if (run.material == material)
            run.material = -1;
        else if (run.material > material)
            run.material -= 1;
    }
}

void cObjekt3D::DeleteFace(int face)
{
    if (face < 0 || face >= GetFaceCount())
        return;
    m_Indices.RemoveAt(3 * face, 3);
    for (POSITION pos = m_Runs.GetHeadPosition(); pos != nullptr;) {
        MaterialRun& run = m_Runs.GetNext(pos);
        if (run.firstFace > face)
            run.firstFace -= 1;
    }
}

void cObjekt3D::DeleteVertex(int vertex)
{
    if (vertex < 0 || vertex >= m_Vertices.GetSize())
        return;
    m_Vertices.RemoveAt(vertex);

    for (int face = 0; face < GetFaceCount();) {
        const WORD* corner = m_Indices.GetData() + 3 * face;
        if (corner[0] == vertex || corner[1] == vertex || corner[2] == vertex)
            DeleteFace(face);  // the next face moved into this position
        else
            ++face;
    }
    // Indices past the last whole face belong to no face; one naming the
    // removed vertex would point outside the array after the renumbering.
    for (INT_PTR i = m_Indices.GetSize() - 1; i >= 3 * static_cast<INT_PTR>(GetFaceCount()); --i) {
        if (m_Indices[i] == vertex)
            m_Indices.RemoveAt(i);
    }
    WORD* index = m_Indices.GetData();
    for (INT_PTR i = 0; i < m_Indices.GetSize(); ++i) {
        if (index[i] > vertex)
            index[i] = static_cast<WORD>(index[i] - 1);
    }
}

void cObjekt3D::GetFaceVertices(int face, MeshVertex*& a, MeshVertex*& b, MeshVertex*& c)
{
    const WORD* corner = m_Indices.GetData() + 3 * face;
    MeshVertex* vertices = m_Vertices.GetData();
    a = &vertices[corner[0]];
    b = &vertices[corner[1]];
    c = &vertices[corner[2]];
}

void cObjekt3D::GetFaceIndices(int face, WORD triple[3]) const
{
    const WORD* corner = m_Indices.GetData() + 3 * face;
    triple[0] = corner[0];
    triple[1] = corner[1];
    triple[2] = corner[2];
}

void cObjekt3D::CopyIndexRange(CArray<WORD, WORD>& out, int first, int end) const
{
    const INT_PTR count = m_Indices.GetSize();
    const INT_PTR from = std::clamp<INT_PTR>(first, 0, count);
    const INT_PTR to = std::clamp<INT_PTR>(end, from, count);
    out.SetSize(to - from);
    if (to > from)
        std::memcpy(out.GetData(), m_Indices.GetData() + from, static_cast<size_t>(to - from) * sizeof(WORD));
}

void cObjekt3D::SetScale(double x, double y, double z)
{
    const double minimum = 0.001;
    if (x > minimum && y > minimum && z > minimum)
        m_Scale = D3DXVECTOR3(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

D3DXMATRIX* cObjekt3D::GetRotationMatrix(D3DXMATRIX* out) const
{
    return D3DXMatrixRotationYawPitchRoll(out, m_Rotation.x, m_Rotation.y, m_Rotation.z);
}

D3DXMATRIX* cObjekt3D::GetWorldMatrix(D3DXMATRIX* out) const
{
    D3DXMATRIX scaling;
    D3DXMATRIX rotation;
    D3DXMATRIX translation;
    D3DXMatrixScaling(&scaling, m_Scale.x, m_Scale.y, m_Scale.z);
    GetRotationMatrix(&rotation);
    D3DXMatrixTranslation(&translation, m_Position.x, m_Position.y, m_Position.z);
    D3DXMatrixMultiply(&rotation, &scaling, &rotation);
    return D3DXMatrixMultiply(out, &rotation, &translation);
}
