// The sphere's mesh: a D3DX sphere around the origin, poles on the z axis,
// with texture coordinates wrapped around that axis, appended to an object.
#pragma once

#include <d3d8/D3D8.h>

class cObjekt3D;

// u goes once round the z axis (vertices with y = 0 keep the u they have);
// v runs from 0 at z = -radius to 1 at z = +radius, 0.5 for radius 0.
// Rounding can push a ratio a hair past 1; it is clamped so that no NaN
// reaches the vertex.
void SphereTextureCoordinates(float x, float y, float z, float radius, float& u, float& v);

// Empties the object's vertex and index arrays and frees their memory; the
// material runs stay as they are.
void ClearGeometry(cObjekt3D& object);

// Appends the vertices and indices of a sphere to the object. A sphere that
// cannot be made, converted or read adds whatever was read before the
// failure.
void AppendSphere(cObjekt3D& object, IDirect3DDevice8* device, float radius, int slices, int stacks);
