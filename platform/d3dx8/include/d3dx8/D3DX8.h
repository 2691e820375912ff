// Everything of the D3DX 8 utility interface.
#pragma once

#include <d3d8/D3D8.h>
#include <d3dx8/Math.h>
#include <d3dx8/Mesh.h>
#include <d3dx8/MeshFile.h>
#include <d3dx8/Texture.h>
