// The fixed-function pipeline of Direct3D 8 as GLSL programs: per-vertex
// lighting in camera space, stage 0 texture modulation, specular added after
// texturing and the alpha test. One program per combination of the states
// that change the code, compiled once and kept.
#pragma once

#include "Gl.h"

#include <cstdint>
#include <unordered_map>

namespace orbel::d3d8 {

constexpr int kMaxLights = 8;

// Where a lit colour comes from.
enum class ColorSource : std::uint32_t { Material = 0, VertexDiffuse = 1, VertexSpecular = 2 };

struct FixedFunctionKey {
    bool hasNormal = false;
    bool hasDiffuse = false;
    bool hasSpecular = false;
    bool hasTexCoord = false;
    bool lighting = false;
    bool specularEnable = false;
    bool localViewer = true;
    bool normalizeNormals = false;
    ColorSource diffuseSource = ColorSource::Material;
    ColorSource ambientSource = ColorSource::Material;
    ColorSource specularSource = ColorSource::Material;
    ColorSource emissiveSource = ColorSource::Material;
    bool textured = false;
    bool flatShading = false;
    // Whether the draw puts down points: only then is a point size written,
    // so that lines and triangles carry one output less through the driver.
    bool drawsPoints = true;
    std::uint32_t alphaFunc = 0;  // a D3DCMPFUNC, 0 when the alpha test is off
    // Enabled lights, and whether all are directional: fixed in the code so
    // the common case compiles to straight-line arithmetic.
    std::uint32_t lightCount = 0;
    bool directionalOnly = true;

    std::uint32_t Bits() const;
};

// The uniform block every program reads (std140, binding 0). Matrices are in
// Direct3D's row-vector layout; GLSL reads them as their transposes, so
// `M * v` in the shader is `v * M` in Direct3D terms.
struct FixedFunctionUniforms {
    float worldViewProjection[16];
    float worldView[16];
    float normalMatrix[16];
    float materialDiffuse[4];
    float materialAmbient[4];
    float materialSpecular[4];
    float materialEmissive[4];
    float globalAmbient[4];
    float params[4];       // specular power, point size, alpha reference 0..255, light count
    float pixelOffset[4];  // clip-space shift to Direct3D's pixel centres
    float lightDiffuse[kMaxLights][4];
    float lightSpecular[kMaxLights][4];
    float lightAmbient[kMaxLights][4];
    float lightPosition[kMaxLights][4];     // camera space; w = D3DLIGHTTYPE
    float lightDirection[kMaxLights][4];    // camera space, towards the light; w = range
    float lightAttenuation[kMaxLights][4];  // constant, linear, quadratic
};

class ProgramCache {
public:
    ProgramCache() = default;
    ProgramCache(const ProgramCache&) = delete;
    ProgramCache& operator=(const ProgramCache&) = delete;
    ~ProgramCache();

    // The linked program for the key; 0 if it does not compile (a fault of
    // this layer, reported on stderr once).
    GLuint Get(const FixedFunctionKey& key);

private:
    std::unordered_map<std::uint32_t, GLuint> programs_;
};

}  // namespace orbel::d3d8
