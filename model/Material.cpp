#include "model/Material.h"

#include <vector>

IMPLEMENT_SERIAL(cMaterial, CObject, 1)

namespace {

D3DMATERIAL8* NewDefaultMaterial()
{
    auto* record = new D3DMATERIAL8{};
    record->Diffuse = {0.7f, 0.7f, 0.0f, 1.0f};
    record->Ambient = {0.06f, 0.06f, 0.06f, 1.0f};
    record->Specular = {0.4f, 0.4f, 0.4f, 1.0f};
    record->Emissive = {0.01f, 0.01f, 0.01f, 1.0f};
    record->Power = 30.0f;
    return record;
}

void WriteColour(CArchive& ar, const D3DCOLORVALUE& c)
{
    ar << c.r << c.g << c.b << c.a;
}

void ReadColour(CArchive& ar, D3DCOLORVALUE& c)
{
    ar >> c.r >> c.g >> c.b >> c.a;
}

CString CurrentDirectory()
{
    std::vector<char> buffer(5000, '\0');
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size())
        return CString();
    return CString(buffer.data());
}

}  // namespace

cMaterial::cMaterial()
    : m_Name("UnNamed Material"), m_pMaterial(NewDefaultMaterial()), m_pTexture(nullptr)
{
}

cMaterial::~cMaterial()
{
    delete m_pMaterial;
    m_pMaterial = nullptr;
    if (m_pTexture != nullptr) {
        m_pTexture->Release();
        m_pTexture = nullptr;
    }
}

void cMaterial::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_Name << m_TextureName << m_TexturePath;
        WriteColour(ar, m_pMaterial->Ambient);
        WriteColour(ar, m_pMaterial->Diffuse);
        WriteColour(ar, m_pMaterial->Emissive);
        WriteColour(ar, m_pMaterial->Specular);
        ar << m_pMaterial->Power;
    } else {
        ar >> m_Name >> m_TextureName >> m_TexturePath;
        ReadColour(ar, m_pMaterial->Ambient);
        ReadColour(ar, m_pMaterial->Diffuse);
        ReadColour(ar, m_pMaterial->Emissive);
        ReadColour(ar, m_pMaterial->Specular);
        ar >> m_pMaterial->Power;
    }
}

void cMaterial::SetD3DMaterial(D3DMATERIAL8* record)
{
    if (record == m_pMaterial)
        return;
    delete m_pMaterial;
    m_pMaterial = record;
}

void cMaterial::LoadTexture(CString name, IDirect3DDevice8* device)
{
    if (device == nullptr)
        return;
    if (m_pTexture != nullptr) {
        m_pTexture->Release();
        m_pTexture = nullptr;
    }
    // A material without a texture has both strings empty; turning that into
    // the bare current directory would invent a texture path.
    if (name.IsEmpty())
        return;
    if (name == m_TexturePath)
        m_TexturePath = CurrentDirectory() + "\\" + name;

    IDirect3DTexture8* texture = nullptr;
    if (FAILED(D3DXCreateTextureFromFileA(device, name, &texture))) {
        texture = nullptr;
        if (FAILED(D3DXCreateTextureFromFileA(device, m_TexturePath, &texture)))
            texture = nullptr;
    }
    m_pTexture = texture;
}

void cMaterial::SetTexture(const CString& path, const CString& name, IDirect3DDevice8* device)
{
    if (path == m_TexturePath)
        return;
    m_TexturePath = path;
    m_TextureName = name;
    LoadTexture(m_TextureName, device);
}
