// The three materials the scene drawing builds from an object's colour.
#pragma once

#include <d3d8/D3D8.h>

// Lit display of runs without a material: the object's colour as diffuse,
// the rest as a default material.
D3DMATERIAL8 MakeColourMaterial(const float colour[3]);
// Flat object colour while light 0 is off and the ambient light is white.
D3DMATERIAL8 MakePlainMaterial(const float colour[3]);
// Flat white for the selection highlights.
D3DMATERIAL8 MakeHighlightMaterial();
