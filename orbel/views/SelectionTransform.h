// The increments of a move, rotate or scale drag applied to the selection,
// free of the window: the view supplies the mouse step on its drag plane
// and the pixel step.
//
// Objects are moved, turned and scaled through their position, rotation and
// scale; faces and vertices through the own-space positions of their
// vertices, each vertex once however many selected faces share it. An
// increment that would put a non-finite number anywhere changes nothing, and
// records outside their objects are skipped.
#pragma once

#include <d3dx8/D3DX8.h>
#include <win32/Types.h>

#include <vector>

class cObjekt3D;
class cSelection;

// Masks X, Y, Z: 1.0 active, 0.0 masked.
struct AxisMasks {
    float x = 1.0f;
    float y = 1.0f;
    float z = 0.0f;
};

// The plane step d (world units) remapped so that the drag plane's second
// in-plane direction lands on the component the plane keeps at 0, and Z
// takes a screen direction when X or Y is masked.
D3DXVECTOR3 RemapDragDelta(D3DXVECTOR3 d, const D3DXVECTOR3& planeNormal, const AxisMasks& masks);

// Yaw, pitch and roll of a rotate increment: half a degree per pixel, from
// the horizontal and vertical step; roll follows whichever of the two the
// masks leave for Z, else the remapped z.
D3DXVECTOR3 RotationAngles(POINT last, POINT now, float remappedZ, const AxisMasks& masks);

// One vertex of one object.
struct VertexRef {
    cObjekt3D* object;
    WORD index;
};

// The corners of the selected faces, each once (matched by object id and
// vertex index), in selection order.
std::vector<VertexRef> DistinctFaceCorners(const cSelection& selection);
// The selected vertices, each once, in selection order.
std::vector<VertexRef> DistinctSelectedVertices(const cSelection& selection);

// mode is the frame's SelectionMode.
void MoveSelection(cSelection& selection, int mode, const D3DXVECTOR3& delta, const AxisMasks& masks);
void ScaleSelection(cSelection& selection, int mode, const D3DXVECTOR3& delta, const AxisMasks& masks);
void RotateSelection(cSelection& selection, int mode, const D3DXVECTOR3& angles, const AxisMasks& masks);
