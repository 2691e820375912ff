#include "orbel/views/GridLines.h"
#include "orbel/views/LineVertex.h"
#include "orbel/views/MyOrbelView.h"
#include "orbel/views/SceneMaterials.h"

#include "model/MyOrbelDoc.h"
#include "model/SelectionBounds.h"

#include <algorithm>
#include <bit>

namespace {

constexpr UINT kMeshVertexStride = 32;
constexpr UINT kBoxBufferBytes = 24 * kLineVertexStride;
constexpr D3DCOLOR kWhite = 0xFFFFFFFF;

DWORD FloatBits(float value) { return std::bit_cast<DWORD>(value); }

D3DXMATRIX WorldOf(const cObjekt3D& object)
{
    D3DXMATRIX world;
    object.GetWorldMatrix(&world);
    return world;
}

bool IsEmptyBox(const cObjekt3D& object)
{
    return object.m_BoundMin.x > object.m_BoundMax.x || object.m_BoundMin.y > object.m_BoundMax.y ||
           object.m_BoundMin.z > object.m_BoundMax.z;
}

void RecomputeBounds(cObjekt3D& object)
{
    const MeshVertex* v = object.m_Vertices.GetData();
    D3DXVECTOR3 low(v[0].x, v[0].y, v[0].z);
    D3DXVECTOR3 high = low;
    for (INT_PTR i = 1; i < object.m_Vertices.GetSize(); ++i) {
        D3DXVECTOR3 p(v[i].x, v[i].y, v[i].z);
        D3DXVec3Minimize(&low, &low, &p);
        D3DXVec3Maximize(&high, &high, &p);
    }
    object.m_BoundMin = low;
    object.m_BoundMax = high;
}

// Indices that name no vertex would make Direct3D read past the vertex
// array; such a draw is skipped.
bool IndicesWithin(const WORD* indices, INT_PTR count, INT_PTR vertexCount)
{
    return std::all_of(indices, indices + count, [vertexCount](WORD i) { return i < vertexCount; });
}

// The face's three vertices, when the face and its corners lie within the
// object.
bool CopyFaceVertices(const cObjekt3D& object, int face, MeshVertex out[3])
{
    WORD corners[3];
    if (!FaceWithinObject(object, face, corners)) return false;
    for (int k = 0; k < 3; ++k) out[k] = object.m_Vertices[corners[k]];
    return true;
}

// A run's material, or the object's colour material for -1 and for an index
// outside the table.
void ApplyRunMaterial(IDirect3DDevice8* device, const CMyOrbelDoc& document, int material,
                      const D3DMATERIAL8& colourMaterial)
{
    const cMaterial* m = nullptr;
    if (material >= 0 && material < document.m_Materials.GetSize()) m = document.m_Materials[material];
    if (m && m->m_pMaterial) {
        device->SetMaterial(m->m_pMaterial);
        device->SetTexture(0, m->m_pTexture);
    } else {
        device->SetMaterial(&colourMaterial);
        device->SetTexture(0, nullptr);
    }
}

}  // namespace

void CMyOrbelView::DrawGrid(IDirect3DDevice8* device)
{
    if (!m_bGrid) return;
    const D3DXMATRIX turn = GridTurnOf(m_Kind);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);

    // One draw for the whole grid: a draw per cell costs far more in the
    // driver than the few lines it puts down.
    if (!m_pPlacedGrid) m_pPlacedGrid = MakePlacedGridLines(device, m_pGridBuffer, m_pAxesBuffer);
    if (m_pPlacedGrid) {
        device->SetTransform(D3DTS_WORLD, &turn);
        device->SetStreamSource(0, m_pPlacedGrid, kLineVertexStride);
        device->SetVertexShader(kLineVertexFormat);
        device->DrawPrimitive(D3DPT_LINELIST, 0, kPlacedGridSegments);
        return;
    }

    D3DXMATRIX shift;
    D3DXMATRIX world;
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 20; ++j) {
            D3DXMatrixTranslation(&shift, static_cast<float>(j - 10), 0.0f, static_cast<float>(i - 10));
            D3DXMatrixMultiply(&world, &shift, &turn);
            device->SetTransform(D3DTS_WORLD, &world);
            device->SetStreamSource(0, m_pGridBuffer, kLineVertexStride);
            device->SetVertexShader(kLineVertexFormat);
            device->DrawPrimitive(D3DPT_LINESTRIP, 0, 4);
        }
    }
    device->SetStreamSource(0, m_pAxesBuffer, kLineVertexStride);
    device->SetVertexShader(kLineVertexFormat);
    for (int k = 0; k < 20; ++k) {
        D3DXMatrixTranslation(&shift, static_cast<float>(k - 10), 0.0f, 0.0f);
        D3DXMatrixMultiply(&world, &shift, &turn);
        device->SetTransform(D3DTS_WORLD, &world);
        device->DrawPrimitive(D3DPT_LINELIST, 0, 1);
        D3DXMatrixTranslation(&shift, 0.0f, 0.0f, static_cast<float>(k - 10));
        D3DXMatrixMultiply(&world, &shift, &turn);
        device->SetTransform(D3DTS_WORLD, &world);
        device->DrawPrimitive(D3DPT_LINELIST, 2, 1);
    }
}

void CMyOrbelView::DrawScene(IDirect3DDevice8* device)
{
    CMyOrbelDoc* document = GetDocument();
    if (!document || !device) return;
    if (!m_pHighlightBuffer &&
        FAILED(device->CreateVertexBuffer(kBoxBufferBytes, D3DUSAGE_DYNAMIC, kLineVertexFormat, D3DPOOL_DEFAULT,
                                          &m_pHighlightBuffer)))
        m_pHighlightBuffer = nullptr;

    device->SetRenderState(D3DRS_FILLMODE, static_cast<DWORD>(m_FillMode));
    DWORD savedAmbient = 0;
    device->GetRenderState(D3DRS_AMBIENT, &savedAmbient);
    const bool flat = m_FillMode == D3DFILL_POINT || m_FillMode == D3DFILL_WIREFRAME;
    if (flat) {
        device->LightEnable(0, FALSE);
        device->SetRenderState(D3DRS_AMBIENT, kWhite);
    }

    ViewFrustum frustum;
    bool haveFrustum = BuildViewFrustum(&frustum);
    CList<cObjekt3D*, cObjekt3D*>& objects = document->m_Objects;
    CArray<WORD, WORD> runIndices;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        cObjekt3D* object = objects.GetNext(pos);
        if (!object) continue;
        if (document->m_BoundsValid == 0 && object->m_Vertices.GetSize() > 2) RecomputeBounds(*object);

        // An object that never had a box (fewer than three vertices) is not
        // drawn; nor is anything while the view has no frustum.
        object->m_Visible = 0;
        PlaneEquation planes[FRUSTUM_SIDES];
        if (haveFrustum && !IsEmptyBox(*object) && FrustumToObjectSpace(planes, frustum, *object)) {
            D3DXMATRIX scaling;
            D3DXMatrixScaling(&scaling, object->m_Scale.x, object->m_Scale.y, object->m_Scale.z);
            D3DXVECTOR3 low;
            D3DXVECTOR3 high;
            D3DXVec3TransformCoord(&low, &object->m_BoundMin, &scaling);
            D3DXVec3TransformCoord(&high, &object->m_BoundMax, &scaling);
            object->m_Visible = IsBoxInFrustum(planes, low, high) ? 1 : 0;
        }
        if (object->m_Visible != 1) continue;

        const D3DMATERIAL8 colourMaterial = MakeColourMaterial(object->m_Colour);
        const D3DMATERIAL8 plainMaterial = MakePlainMaterial(object->m_Colour);
        device->SetMaterial(&colourMaterial);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        if (m_FillMode == D3DFILL_SOLID) {
            const int faceCount = object->GetFaceCount();
            for (POSITION run = object->m_Runs.GetHeadPosition(); run;) {
                const MaterialRun& current = object->m_Runs.GetNext(run);
                int end = run ? object->m_Runs.GetAt(run).firstFace : faceCount;
                ApplyRunMaterial(device, *document, current.material, colourMaterial);
                // Runs that reach outside the faces keep only their faces.
                int first = std::clamp(current.firstFace, 0, faceCount);
                end = std::clamp(end, first, faceCount);
                if (end == first) continue;
                object->CopyIndexRange(runIndices, 3 * first, 3 * end);
                DrawObject(device, object, &runIndices);
            }
        } else if (m_FillMode == D3DFILL_WIREFRAME) {
            device->SetMaterial(&plainMaterial);
            device->SetTexture(0, nullptr);
            m_FillMode = D3DFILL_POINT;
            DrawObject(device, object, nullptr);
            m_FillMode = D3DFILL_WIREFRAME;
            DrawObject(device, object, nullptr);
        } else if (m_FillMode == D3DFILL_POINT) {
            device->SetMaterial(&plainMaterial);
            device->SetTexture(0, nullptr);
            DrawObject(device, object, nullptr);
        }
    }

    if (flat) {
        device->LightEnable(0, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, savedAmbient);
    }

    if (m_FillMode == D3DFILL_SOLID && m_bWireOverlay) {
        device->LightEnable(0, FALSE);
        device->SetRenderState(D3DRS_AMBIENT, kWhite);
        device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            cObjekt3D* object = objects.GetNext(pos);
            if (!object || object->m_Visible != 1) continue;
            const D3DMATERIAL8 plainMaterial = MakePlainMaterial(object->m_Colour);
            device->SetMaterial(&plainMaterial);
            device->SetTexture(0, nullptr);
            device->SetRenderState(D3DRS_LIGHTING, TRUE);
            m_FillMode = D3DFILL_POINT;
            DrawObject(device, object, nullptr);
            m_FillMode = D3DFILL_SOLID;
            DrawObject(device, object, nullptr);
        }
        document->m_BoundsValid = 1;
        device->LightEnable(0, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, savedAmbient);
        device->SetRenderState(D3DRS_FILLMODE, static_cast<DWORD>(m_FillMode));
    }

    const D3DMATERIAL8 highlight = MakeHighlightMaterial();
    device->SetMaterial(&highlight);
    device->SetTexture(0, nullptr);
    DWORD savedFillMode = 0;
    DWORD savedLighting = 0;
    DWORD highlightAmbient = 0;
    device->GetRenderState(D3DRS_FILLMODE, &savedFillMode);
    device->GetRenderState(D3DRS_AMBIENT, &highlightAmbient);
    device->GetRenderState(D3DRS_LIGHTING, &savedLighting);
    device->LightEnable(0, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_WIREFRAME);
    device->SetRenderState(D3DRS_AMBIENT, kWhite);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(5.0f));

    cSelection& selection = document->m_Selection;
    switch (CurrentSelectionMode()) {
    case SelectObjects:
        for (POSITION pos = selection.m_Objects.GetHeadPosition(); pos;) {
            cObjekt3D* object = selection.m_Objects.GetNext(pos);
            if (object && object->m_Visible == 1) DrawBoundingBox(object, device);
        }
        break;
    case SelectFaces: {
        MeshVertex corners[3];
        for (POSITION pos = selection.m_Faces.GetHeadPosition(); pos;) {
            SelectedElement* element = selection.m_Faces.GetNext(pos);
            if (!element || !element->object || element->object->m_Visible != 1) continue;
            if (CopyFaceVertices(*element->object, element->index, corners))
                DrawSelectedFace(device, element->object, corners);
        }
        break;
    }
    case SelectVertices:
        for (POSITION pos = selection.m_Vertices.GetHeadPosition(); pos;) {
            SelectedElement* element = selection.m_Vertices.GetNext(pos);
            if (element && element->object && element->object->m_Visible == 1) DrawSelectedVertex(device, *element);
        }
        break;
    default: break;
    }

    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, savedLighting);
    device->SetRenderState(D3DRS_FILLMODE, savedFillMode);
    device->SetRenderState(D3DRS_AMBIENT, highlightAmbient);
    device->SetRenderState(D3DRS_POINTSIZE, FloatBits(2.0f));
}

void CMyOrbelView::DrawObject(IDirect3DDevice8* device, cObjekt3D* object, const CArray<WORD, WORD>* indices)
{
    D3DXMATRIX world = WorldOf(*object);
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetVertexShader(MESH_VERTEX_FVF);
    const INT_PTR vertexCount = object->m_Vertices.GetSize();
    if (vertexCount == 0) return;
    const MeshVertex* vertices = object->m_Vertices.GetData();
    if (m_FillMode == D3DFILL_POINT) {
        device->DrawPrimitiveUP(D3DPT_POINTLIST, static_cast<UINT>(vertexCount), vertices, kMeshVertexStride);
        return;
    }
    const CArray<WORD, WORD>& source = indices ? *indices : object->m_Indices;
    const INT_PTR triangles = source.GetSize() / 3;
    if (triangles == 0) return;
    const WORD* data = source.GetData();
    if (!IndicesWithin(data, triangles * 3, vertexCount)) return;
    device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(vertexCount),
                                   static_cast<UINT>(triangles), data, D3DFMT_INDEX16, vertices,
                                   kMeshVertexStride);
}

void CMyOrbelView::DrawSelectedFace(IDirect3DDevice8* device, cObjekt3D* object, const MeshVertex* vertices)
{
    D3DXMATRIX world = WorldOf(*object);
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetVertexShader(MESH_VERTEX_FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, vertices, kMeshVertexStride);
}

void CMyOrbelView::DrawSelectedVertex(IDirect3DDevice8* device, const SelectedElement& element)
{
    cObjekt3D* object = element.object;
    if (!VertexWithinObject(*object, element.index)) return;
    D3DXMATRIX world = WorldOf(*object);
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetVertexShader(MESH_VERTEX_FVF);
    device->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &object->m_Vertices.GetData()[element.index], kMeshVertexStride);
}

void CMyOrbelView::DrawBoundingBox(cObjekt3D* object, IDirect3DDevice8* device)
{
    D3DXMATRIX world = WorldOf(*object);
    if (object->m_Vertices.GetSize() < 2 || !m_pHighlightBuffer || IsEmptyBox(*object)) return;
    BYTE* data = nullptr;
    if (FAILED(m_pHighlightBuffer->Lock(0, kBoxBufferBytes, &data, 0)) || !data) return;

    const D3DXVECTOR3& lo = object->m_BoundMin;
    const D3DXVECTOR3& hi = object->m_BoundMax;
    const D3DXVECTOR3 ends[24] = {
        {lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z},  {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z},
        {lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z},  {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z},
        {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z},  {lo.x, hi.y, hi.z}, {lo.x, lo.y, hi.z},
        {hi.x, hi.y, hi.z}, {hi.x, lo.y, hi.z},  {hi.x, hi.y, lo.z}, {hi.x, lo.y, lo.z},
        {lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z},  {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z},
        {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z},  {lo.x, lo.y, hi.z}, {lo.x, lo.y, lo.z},
    };
    auto* out = reinterpret_cast<LineVertex*>(data);
    for (int i = 0; i < 24; ++i) out[i] = LineVertex{ends[i].x, ends[i].y, ends[i].z, kWhite};
    m_pHighlightBuffer->Unlock();

    device->SetTransform(D3DTS_WORLD, &world);
    device->SetStreamSource(0, m_pHighlightBuffer, kLineVertexStride);
    device->SetVertexShader(kLineVertexFormat);
    device->DrawPrimitive(D3DPT_LINELIST, 0, 12);
}
