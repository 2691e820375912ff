#include "orbel/views/SceneMaterials.h"

#include "model/ColourScale.h"

namespace {

D3DCOLORVALUE Colour(float r, float g, float b) { return D3DCOLORVALUE{r, g, b, 1.0f}; }

D3DCOLORVALUE ObjectColour(const float colour[3])
{
    return Colour(colour[0] * kByteToUnit, colour[1] * kByteToUnit, colour[2] * kByteToUnit);
}

}  // namespace

D3DMATERIAL8 MakeColourMaterial(const float colour[3])
{
    D3DMATERIAL8 m{};
    m.Diffuse = ObjectColour(colour);
    m.Ambient = Colour(0.06f, 0.06f, 0.06f);
    m.Specular = Colour(0.4f, 0.4f, 0.4f);
    m.Emissive = Colour(0.01f, 0.01f, 0.01f);
    m.Power = 30.0f;
    return m;
}

D3DMATERIAL8 MakePlainMaterial(const float colour[3])
{
    D3DMATERIAL8 m{};
    m.Diffuse = ObjectColour(colour);
    m.Ambient = m.Diffuse;
    return m;
}

D3DMATERIAL8 MakeHighlightMaterial()
{
    D3DMATERIAL8 m{};
    m.Diffuse = Colour(1, 1, 1);
    m.Ambient = Colour(1, 1, 1);
    return m;
}
