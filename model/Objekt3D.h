// One polygon mesh of the scene: an indexed triangle list with material runs.
//
// The program and every plug-in compile this class each for themselves and
// hand raw pointers across, so the field order, the element types and the
// containers below are a layout contract: never insert, reorder or widen a
// field.
#pragma once

#include <framework/Core.h>
#include <d3dx8/D3DX8.h>

// Matches the vertex format XYZ | NORMAL | TEX1, so the array goes to
// Direct3D and D3DX unchanged.
struct MeshVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(MeshVertex) == 32, "MeshVertex is shared with plug-ins and Direct3D as 32 bytes");

// A run covers the faces from firstFace up to the next run's firstFace - 1
// (the last one up to the end); material -1 draws with the object's colour.
struct MaterialRun {
    int material;
    int firstFace;
};
static_assert(sizeof(MaterialRun) == 8, "MaterialRun is shared with plug-ins as 8 bytes");

inline constexpr DWORD MESH_VERTEX_FVF = 0x112;

class cObjekt3D : public CObject {
    DECLARE_SERIAL(cObjekt3D)

public:
    cObjekt3D();
    cObjekt3D(const cObjekt3D& source);
    cObjekt3D& operator=(const cObjekt3D&) = delete;
    ~cObjekt3D() override;

    // The object's block of the scene file. Loading validates what it reads
    // and throws CArchiveException for anything that would break the mesh:
    // counts beyond the file, indices outside the vertex array, run starts
    // that go backwards or past the last face, run materials below -1.
    // Whether a run's material exists is the document's check.
    void Serialize(CArchive& ar) override;

    int GetFaceCount() const { return static_cast<int>(m_Indices.GetSize() / 3); }

    // face -1 gives the whole object the single run {material, 0}. A face
    // outside the object changes nothing.
    void SetFaceMaterial(int face, int material);
    void OnMaterialRemoved(int material);
    // Out-of-range faces and vertices are ignored.
    void DeleteFace(int face);
    void DeleteVertex(int vertex);
    void GetFaceVertices(int face, MeshVertex*& a, MeshVertex*& b, MeshVertex*& c);
    void GetFaceIndices(int face, WORD triple[3]) const;
    void CopyIndexRange(CArray<WORD, WORD>& out, int first, int end) const;
    // Stores the scale only when every factor is above 0.001 (compared in
    // double precision).
    void SetScale(double x, double y, double z);

    int AddVertex(const MeshVertex& vertex) { return static_cast<int>(m_Vertices.Add(vertex)); }
    void AddIndex(WORD index) { m_Indices.Add(index); }

    // World = scaling x yaw-pitch-roll rotation x translation (row vectors).
    D3DXMATRIX* GetWorldMatrix(D3DXMATRIX* out) const;
    D3DXMATRIX* GetRotationMatrix(D3DXMATRIX* out) const;

    // Layout contract starts here.
    BYTE m_Visible;
    float m_Colour[3];
    CArray<MeshVertex, const MeshVertex&> m_Vertices;
    CArray<WORD, WORD> m_Indices;
    CList<MaterialRun, const MaterialRun&> m_Runs;
    D3DXVECTOR3 m_Position;
    D3DXVECTOR3 m_Rotation;  // x = yaw (about Y), y = pitch (about X), z = roll (about Z)
    D3DXVECTOR3 m_Scale;
    CString m_Name;
    int m_Id;
    D3DXVECTOR3 m_BoundMin;  // object-space box, kept by the renderer
    D3DXVECTOR3 m_BoundMax;
};
