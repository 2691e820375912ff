// Which vertices stand on the same point, and which faces meet across edges.
#pragma once

#include "MeshData.h"

namespace orbel::d3dx8 {

// One number per vertex, equal for vertices on the same point: positions
// equal (epsilon 0, -0 equal to +0) or within epsilon in each coordinate,
// taken transitively. The number is the lowest vertex of the point.
std::vector<DWORD> PointRepresentatives(const MeshData& mesh, float epsilon);

// NumFaces x 3 neighbour entries over the given point numbers, into `out`,
// which is left untouched when memory runs out.
void AdjacencyOfPoints(const MeshData& mesh, const std::vector<DWORD>& points, DWORD* out);

}  // namespace orbel::d3dx8
