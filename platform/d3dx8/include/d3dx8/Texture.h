// Textures from image files and surfaces saved as image files.
#pragma once

#include <d3d8/D3D8.h>

enum D3DXIMAGE_FILEFORMAT : DWORD {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
    D3DXIFF_PPM = 5,
    D3DXIFF_DIB = 6,
};

#define D3DXERR_INVALIDDATA MAKE_D3DHRESULT(2905)

struct PALETTEENTRY;

// Loads a BMP, TGA, JPEG or PNG file (path relative to the current folder,
// `\` or `/` separators) into a new texture keeping its alpha. A missing or
// undecodable file gives a negative result and no texture.
ORBEL_API HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* pDevice, const char* pSrcFile,
                                             IDirect3DTexture8** ppTexture);

// Writes the whole surface (pSrcRect NULL) or a part of it to a file. Only
// D3DXIFF_BMP is written; the palette is ignored.
ORBEL_API HRESULT D3DXSaveSurfaceToFileA(const char* pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                                         IDirect3DSurface8* pSrcSurface, const PALETTEENTRY* pSrcPalette,
                                         const RECT* pSrcRect);
