// One entry of the scene's material table: a name, a Direct3D material
// record and an optional texture loaded from an image file.
//
// Shared with the plug-ins by layout, like cObjekt3D: never reorder fields.
#pragma once

#include <framework/Core.h>
#include <d3dx8/D3DX8.h>

class cMaterial : public CObject {
    DECLARE_SERIAL(cMaterial)

public:
    cMaterial();
    cMaterial(const cMaterial&) = delete;
    cMaterial& operator=(const cMaterial&) = delete;
    ~cMaterial() override;

    // The material's block of the scene file (colours in the order Ambient,
    // Diffuse, Emissive, Specular, then the power). Loading does not load
    // the texture; the document does that once the whole file is read.
    void Serialize(CArchive& ar) override;

    CString GetName() const { return m_Name; }
    void SetName(const CString& name) { m_Name = name; }
    CString GetTexturePath() const { return m_TexturePath; }
    CString GetTextureName() const { return m_TextureName; }

    // Takes ownership of `record` (allocated with new) and frees the old one.
    void SetD3DMaterial(D3DMATERIAL8* record);

    // Without a device nothing happens. Otherwise the old texture is let go
    // and the file `name` is tried, then the stored texture path; a name equal
    // to the path is first made absolute under the current directory. An
    // empty name means no texture. Failures leave the material untextured,
    // silently.
    void LoadTexture(CString name, IDirect3DDevice8* device);
    // Loads only when `path` differs from the stored path.
    void SetTexture(const CString& path, const CString& name, IDirect3DDevice8* device);

    // Layout contract starts here.
    CString m_Name;
    D3DMATERIAL8* m_pMaterial;
    IDirect3DTexture8* m_pTexture;
    CString m_TexturePath;
    CString m_TextureName;
};
