// The grid as one line list: every cell outline and axis segment already
// placed, so a view draws its grid in one call instead of one per cell.
#pragma once

#include <d3d8/D3D8.h>

// Line segments in the placed grid: 20 x 20 cells of four sides, and 20
// segments along each of the two axes.
constexpr UINT kPlacedGridSegments = 20 * 20 * 4 + 2 * 20;

// Copies the unit cell (a five-vertex strip) and the unit axes (two
// segments) into a new line list of kPlacedGridSegments segments, placed
// where the grid puts them before it turns with the view. nullptr when the
// buffers can't be read or the new one can't be made.
IDirect3DVertexBuffer8* MakePlacedGridLines(IDirect3DDevice8* device, IDirect3DVertexBuffer8* cell,
                                            IDirect3DVertexBuffer8* axes);
