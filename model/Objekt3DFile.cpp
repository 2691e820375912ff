// The object's block of the scene file.
#include "model/ArchiveChecks.h"
#include "model/Objekt3D.h"

namespace {

void WriteVector(CArchive& ar, const D3DXVECTOR3& v)
{
    ar << v.x << v.y << v.z;
}

void ReadVector(CArchive& ar, D3DXVECTOR3& v)
{
    ar >> v.x >> v.y >> v.z;
}

void Store(CArchive& ar, const cObjekt3D& object)
{
    ar << object.m_Name;
    ar << static_cast<LONG>(object.m_Id);
    ar << object.m_Colour[0] << object.m_Colour[1] << object.m_Colour[2];
    WriteVector(ar, object.m_Position);
    WriteVector(ar, object.m_Rotation);
    WriteVector(ar, object.m_Scale);

    ar.WriteCount(static_cast<DWORD_PTR>(object.m_Indices.GetSize()));
    scenefile::WriteBytes(ar, object.m_Indices.GetData(), static_cast<size_t>(object.m_Indices.GetSize()) * sizeof(WORD));

    ar << static_cast<LONG>(object.m_Vertices.GetSize());
    scenefile::WriteBytes(ar, object.m_Vertices.GetData(),
                          static_cast<size_t>(object.m_Vertices.GetSize()) * sizeof(MeshVertex));

    ar << static_cast<LONG>(object.m_Runs.GetCount());
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
        const MaterialRun& run = object.m_Runs.GetNext(pos);
        ar << static_cast<LONG>(run.firstFace) << static_cast<LONG>(run.material);
    }
}

void Load(CArchive& ar, cObjekt3D& object)
{
    ar >> object.m_Name;
    LONG id = 0;
    ar >> id;
    object.m_Id = id;
    ar >> object.m_Colour[0] >> object.m_Colour[1] >> object.m_Colour[2];
    ReadVector(ar, object.m_Position);
    ReadVector(ar, object.m_Rotation);
    ReadVector(ar, object.m_Scale);

    const DWORD_PTR indexCount = ar.ReadCount();
    scenefile::CheckCount(ar, static_cast<std::int64_t>(indexCount), sizeof(WORD));
    object.m_Indices.SetSize(static_cast<INT_PTR>(indexCount));
    scenefile::ReadExactly(ar, object.m_Indices.GetData(), indexCount * sizeof(WORD));

    LONG vertexCount = 0;
    ar >> vertexCount;
    scenefile::CheckCount(ar, vertexCount, sizeof(MeshVertex));
    object.m_Vertices.SetSize(vertexCount);
    scenefile::ReadExactly(ar, object.m_Vertices.GetData(), static_cast<size_t>(vertexCount) * sizeof(MeshVertex));

    const WORD* index = object.m_Indices.GetData();
    for (DWORD_PTR i = 0; i < indexCount; ++i) {
        if (index[i] >= vertexCount)
            scenefile::Reject();
    }

    LONG runCount = 0;
    ar >> runCount;
    scenefile::CheckCount(ar, runCount, 2 * sizeof(LONG));
    const int faceCount = object.GetFaceCount();
    object.m_Runs.RemoveAll();
    int previousFirst = 0;
    for (LONG i = 0; i < runCount; ++i) {
        LONG first = 0;
        LONG material = 0;
        ar >> first >> material;
        // Empty runs and a run starting at the face count are written by the
        // program itself (DeleteFace leaves them), so they load.
        if (material < -1 || first < previousFirst || first > faceCount)
            scenefile::Reject();
        previousFirst = first;
        MaterialRun run{material, first};
        object.m_Runs.AddTail(run);
    }
}

}  // namespace

void cObjekt3D::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        Store(ar, *this);
    else
        Load(ar, *this);
}
