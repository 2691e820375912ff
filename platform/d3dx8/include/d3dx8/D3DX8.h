// Everything of the D3DX 8 utility interface.
//
// Emulated: maths (<d3dx8/Math.h>), meshes (<d3dx8/Mesh.h>), ".x" files
// (<d3dx8/MeshFile.h>), textures from image files and surfaces saved as BMP
// (<d3dx8/Texture.h>). Each header says what it leaves out.
// Left out: effects, fonts, sprites, render-to-surface helpers, shaders and
// their assembler, cube and volume texture helpers.
#pragma once

#include <d3d8/D3D8.h>
#include <d3dx8/Math.h>
#include <d3dx8/Mesh.h>
#include <d3dx8/MeshFile.h>
#include <d3dx8/Texture.h>
