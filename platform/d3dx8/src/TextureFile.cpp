// Textures from image files, surfaces to BMP files.
#include "ImageCodecs.h"
#include "WholeFile.h"

#include <d3dx8/Texture.h>
#include <win32/Paths.h>

#include <cstring>
#include <fstream>

using namespace orbel::d3dx8;

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice8* pDevice, const char* pSrcFile, IDirect3DTexture8** ppTexture) {
    if (ppTexture) *ppTexture = nullptr;
    if (!pDevice || !pSrcFile || !ppTexture) return D3DERR_INVALIDCALL;
    std::vector<BYTE> file;
    if (!ReadWholeFile(pSrcFile, file)) return D3DERR_NOTFOUND;
    DecodedImage image;
    if (!DecodeImage(file, image)) return D3DXERR_INVALIDDATA;

    IDirect3DTexture8* texture = nullptr;
    const D3DFORMAT format = image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    HRESULT hr = pDevice->CreateTexture(static_cast<UINT>(image.width), static_cast<UINT>(image.height), 1, 0, format,
                                        D3DPOOL_MANAGED, &texture);
    if (FAILED(hr)) return hr;
    if (!texture) return D3DERR_INVALIDCALL;
    D3DLOCKED_RECT locked{};
    hr = texture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(hr) || !locked.pBits || locked.Pitch < image.width * 4) {
        if (SUCCEEDED(hr)) texture->UnlockRect(0);
        texture->Release();
        return FAILED(hr) ? hr : D3DERR_INVALIDCALL;
    }
    for (int y = 0; y < image.height; ++y)
        std::memcpy(static_cast<BYTE*>(locked.pBits) + static_cast<std::ptrdiff_t>(y) * locked.Pitch, image.Row(y),
                    static_cast<std::size_t>(image.width) * 4);
    texture->UnlockRect(0);
    *ppTexture = texture;
    return D3D_OK;
}

HRESULT D3DXSaveSurfaceToFileA(const char* pDestFile, D3DXIMAGE_FILEFORMAT DestFormat, IDirect3DSurface8* pSrcSurface,
                               const PALETTEENTRY*, const RECT* pSrcRect) {
    if (!pDestFile || !pSrcSurface) return D3DERR_INVALIDCALL;
    if (DestFormat != D3DXIFF_BMP && DestFormat != D3DXIFF_DIB) return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc{};
    if (FAILED(pSrcSurface->GetDesc(&desc))) return D3DERR_INVALIDCALL;
    if (desc.Format != D3DFMT_A8R8G8B8 && desc.Format != D3DFMT_X8R8G8B8) return D3DERR_INVALIDCALL;
    RECT whole{0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
    const RECT& area = pSrcRect ? *pSrcRect : whole;
    if (area.left < 0 || area.top < 0 || area.right > whole.right || area.bottom > whole.bottom ||
        area.left >= area.right || area.top >= area.bottom)
        return D3DERR_INVALIDCALL;

    D3DLOCKED_RECT locked{};
    if (FAILED(pSrcSurface->LockRect(&locked, &area, D3DLOCK_READONLY)) || !locked.pBits) return D3DERR_INVALIDCALL;
    const std::vector<BYTE> bmp = EncodeBmp(static_cast<const BYTE*>(locked.pBits), area.right - area.left,
                                            area.bottom - area.top, locked.Pitch, desc.Format == D3DFMT_A8R8G8B8);
    pSrcSurface->UnlockRect();

    std::ofstream out(orbel::ToNativePath(pDestFile), std::ios::binary | std::ios::trunc);
    if (!out) return E_FAIL;
    out.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    out.close();
    return out ? D3D_OK : E_FAIL;
}
