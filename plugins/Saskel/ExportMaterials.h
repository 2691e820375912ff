// The materials of one export: one slot per document material that the
// object's runs use, in order of first use, and a last slot made from the
// object's colour for the faces without a material.
#pragma once

#include <d3dx8/D3DX8.h>
#include <framework/Afx.h>

#include <vector>

class cMaterial;
class cObjekt3D;

class cExportMaterials {
public:
    cExportMaterials(const cObjekt3D& object, const CArray<cMaterial*, cMaterial*>& materials);

    // The file slot for a run's material; runs of -1, and runs naming no
    // material of the document, go to the colour slot.
    DWORD SlotFor(int material) const;
    DWORD ColourSlot() const { return static_cast<DWORD>(m_SlotMaterial.size()); }

    // used + 1 records, the texture names pointing into this object.
    const D3DXMATERIAL* Records() const { return m_Records.data(); }
    DWORD Count() const { return static_cast<DWORD>(m_Records.size()); }

private:
    std::vector<int> m_SlotMaterial;   // document material per slot
    std::vector<int> m_MaterialSlot;   // slot per document material, -1 when unused
    std::vector<CString> m_TextureNames;
    std::vector<D3DXMATERIAL> m_Records;
};
