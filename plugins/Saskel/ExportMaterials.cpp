#include "plugins/Saskel/ExportMaterials.h"

#include <model/Material.h>
#include <model/Objekt3D.h>

namespace {

constexpr float kColourScale = 0.003921569f;

D3DMATERIAL8 ColourMaterial(const cObjekt3D& object)
{
    D3DMATERIAL8 m{};
    m.Diffuse = {object.m_Colour[0] * kColourScale, object.m_Colour[1] * kColourScale,
                 object.m_Colour[2] * kColourScale, 1.0f};
    m.Ambient = {0.06f, 0.06f, 0.06f, 1.0f};
    m.Specular = {0.4f, 0.4f, 0.4f, 1.0f};
    m.Emissive = {0.01f, 0.01f, 0.01f, 1.0f};
    m.Power = 30.0f;
    return m;
}

}  // namespace

cExportMaterials::cExportMaterials(const cObjekt3D& object, const CArray<cMaterial*, cMaterial*>& materials)
    : m_MaterialSlot(static_cast<std::size_t>(materials.GetSize()), -1)
{
    const INT_PTR count = materials.GetSize();
    for (POSITION pos = object.m_Runs.GetHeadPosition(); pos != nullptr;) {
        const int m = object.m_Runs.GetNext(pos).material;
        if (m < 0 || m >= count || materials[m] == nullptr || m_MaterialSlot[static_cast<std::size_t>(m)] >= 0)
            continue;
        m_MaterialSlot[static_cast<std::size_t>(m)] = static_cast<int>(m_SlotMaterial.size());
        m_SlotMaterial.push_back(m);
    }
    // Texture names first, so the records can point at their final place.
    m_TextureNames.reserve(m_SlotMaterial.size() + 1);
    for (int m : m_SlotMaterial)
        m_TextureNames.push_back(materials[m]->GetTextureName());
    m_TextureNames.emplace_back();

    for (std::size_t slot = 0; slot < m_SlotMaterial.size(); ++slot) {
        const cMaterial& source = *materials[m_SlotMaterial[slot]];
        D3DXMATERIAL record{};
        if (source.m_pMaterial != nullptr)
            record.MatD3D = *source.m_pMaterial;
        record.pTextureFilename = const_cast<char*>(static_cast<LPCTSTR>(m_TextureNames[slot]));
        m_Records.push_back(record);
    }
    m_Records.push_back({ColourMaterial(object), const_cast<char*>(static_cast<LPCTSTR>(m_TextureNames.back()))});
}

DWORD cExportMaterials::SlotFor(int material) const
{
    if (material < 0 || static_cast<std::size_t>(material) >= m_MaterialSlot.size() ||
        m_MaterialSlot[static_cast<std::size_t>(material)] < 0)
        return ColourSlot();
    return static_cast<DWORD>(m_MaterialSlot[static_cast<std::size_t>(material)]);
}
