// Textures from image files and surfaces saved as image files.
//
// Read: BMP (1-, 4-, 8-, 16-, 24- and 32-bit, run-length too), TGA (24- and
// 32-bit true colour, run-length too), PNG and JPEG (through libpng and
// libjpeg), into a 32-bit texture of one level, with alpha where the file
// has it.
// Left out: mip levels, colour-mapped and grey TGA, DDS and PPM, colour
// keys, filters and D3DXCreateTextureFromFileEx; saving in any format but
// BMP (D3DXIFF_DIB writes the same).
// Refused: a file whose header claims more pixels than its data can fill
// (checked before any pixel memory is taken), surfaces of other formats
// than A8R8G8B8 and X8R8G8B8, and areas outside the surface.
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
