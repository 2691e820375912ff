#include "FixedFunction.h"

#include <cstdio>
#include <string>

namespace orbel::d3d8 {
namespace {

constexpr const char* kUniformBlock = R"(
layout(std140, binding = 0) uniform FixedFunction {
    mat4 worldViewProjection;
    mat4 worldView;
    mat4 normalMatrix;
    vec4 materialDiffuse;
    vec4 materialAmbient;
    vec4 materialSpecular;
    vec4 materialEmissive;
    vec4 globalAmbient;
    vec4 params;
    vec4 pixelOffset;
    vec4 lightDiffuse[8];
    vec4 lightSpecular[8];
    vec4 lightAmbient[8];
    vec4 lightPosition[8];
    vec4 lightDirection[8];
    vec4 lightAttenuation[8];
};
)";

constexpr const char* kVertexBody = R"(
layout(location = 0) in vec3 inPosition;
#if HAS_NORMAL
layout(location = 1) in vec3 inNormal;
#endif
#if HAS_DIFFUSE
layout(location = 2) in vec4 inDiffuse;
#endif
#if HAS_SPECULAR
layout(location = 3) in vec4 inSpecular;
#endif
#if HAS_TEXCOORD
layout(location = 4) in vec2 inTexCoord;
#endif
SHADE_QUALIFIER out vec4 vDiffuse;
SHADE_QUALIFIER out vec4 vSpecular;
out vec2 vTexCoord;

void main() {
    vec4 position = vec4(inPosition, 1.0);
    gl_Position = worldViewProjection * position;
    gl_Position.xy += pixelOffset.xy * gl_Position.w;
#if DRAWS_POINTS
    gl_PointSize = params.y;
#endif
#if LIGHTING
    vec3 P = (worldView * position).xyz;
#if HAS_NORMAL
    vec3 N = mat3(normalMatrix) * inNormal;
#if NORMALIZE_NORMALS
    float len = length(N);
    N = len > 0.0 ? N / len : N;
#endif
#else
    vec3 N = vec3(0.0);
#endif
    vec4 dm = DIFFUSE_SOURCE;
    vec4 am = AMBIENT_SOURCE;
    vec4 sm = SPECULAR_SOURCE;
    vec4 em = EMISSIVE_SOURCE;
    vec3 ambient = globalAmbient.rgb;
    vec3 diffuse = vec3(0.0);
    vec3 specular = vec3(0.0);
    for (int i = 0; i < LIGHT_COUNT; ++i) {
        vec3 L;
        float attenuation = 1.0;
        if (DIRECTIONAL_ONLY || lightPosition[i].w == 3.0) {
            L = lightDirection[i].xyz;
        } else {
            vec3 toLight = lightPosition[i].xyz - P;
            float dist = length(toLight);
            if (dist > lightDirection[i].w) continue;
            L = dist > 0.0 ? toLight / dist : vec3(0.0);
            vec3 a = lightAttenuation[i].xyz;
            float d = a.x + a.y * dist + a.z * dist * dist;
            attenuation = d > 0.0 ? 1.0 / d : 1.0;
        }
        ambient += attenuation * lightAmbient[i].rgb;
        float NdotL = dot(N, L);
        if (NdotL > 0.0) {
            diffuse += attenuation * NdotL * lightDiffuse[i].rgb;
#if SPECULAR_ENABLE
#if LOCAL_VIEWER
            vec3 toViewer = length(P) > 0.0 ? normalize(-P) : vec3(0.0, 0.0, -1.0);
#else
            vec3 toViewer = vec3(0.0, 0.0, -1.0);
#endif
            vec3 H = normalize(toViewer + L);
            float NdotH = max(dot(N, H), 0.0);
            float power = params.x;
            float highlight = power > 0.0 ? pow(NdotH, power) : 1.0;
            specular += attenuation * highlight * lightSpecular[i].rgb;
#endif
        }
    }
    vDiffuse = vec4(clamp(em.rgb + am.rgb * ambient + dm.rgb * diffuse, 0.0, 1.0), clamp(dm.a, 0.0, 1.0));
    vSpecular = vec4(clamp(sm.rgb * specular, 0.0, 1.0), clamp(sm.a, 0.0, 1.0));
#else
#if HAS_DIFFUSE
    vDiffuse = inDiffuse;
#else
    vDiffuse = vec4(1.0);
#endif
#if HAS_SPECULAR
    vSpecular = inSpecular;
#else
    vSpecular = vec4(0.0);
#endif
#endif
#if HAS_TEXCOORD
    vTexCoord = inTexCoord;
#else
    vTexCoord = vec2(0.0);
#endif
}
)";

constexpr const char* kFragmentBody = R"(
SHADE_QUALIFIER in vec4 vDiffuse;
SHADE_QUALIFIER in vec4 vSpecular;
in vec2 vTexCoord;
#if TEXTURED
layout(binding = 0) uniform sampler2D texture0;
#endif
layout(location = 0) out vec4 fragColor;

void main() {
#if TEXTURED
    vec4 texel = texture(texture0, vTexCoord);
    vec4 color = vec4(texel.rgb * vDiffuse.rgb, texel.a);
#else
    // A stage without a texture reads opaque white.
    vec4 color = vec4(vDiffuse.rgb, 1.0);
#endif
#if SPECULAR_ADD
    color.rgb = min(color.rgb + vSpecular.rgb, vec3(1.0));
#endif
#ifdef ALPHA_COMPARE
    float alpha = floor(color.a * 255.0 + 0.5);
    float reference = params.z;
    if (!(ALPHA_COMPARE)) discard;
#endif
    fragColor = color;
}
)";

const char* SourceExpression(ColorSource source, const char* material) {
    switch (source) {
    case ColorSource::VertexDiffuse:
        return "inDiffuse";
    case ColorSource::VertexSpecular:
        return "inSpecular";
    default:
        return material;
    }
}

const char* AlphaComparison(std::uint32_t func) {
    switch (func) {
    case 1: return "false";
    case 2: return "alpha < reference";
    case 3: return "alpha == reference";
    case 4: return "alpha <= reference";
    case 5: return "alpha > reference";
    case 6: return "alpha != reference";
    case 7: return "alpha >= reference";
    default: return nullptr;
    }
}

std::string Defines(const FixedFunctionKey& key) {
    std::string out = "#version 450 core\n";
    auto define = [&out](const char* name, bool on) {
        out += "#define ";
        out += name;
        out += on ? " 1\n" : " 0\n";
    };
    define("HAS_NORMAL", key.hasNormal);
    define("HAS_DIFFUSE", key.hasDiffuse);
    define("HAS_SPECULAR", key.hasSpecular);
    define("HAS_TEXCOORD", key.hasTexCoord);
    define("LIGHTING", key.lighting);
    define("SPECULAR_ENABLE", key.specularEnable);
    define("SPECULAR_ADD", key.specularEnable);
    define("LOCAL_VIEWER", key.localViewer);
    define("NORMALIZE_NORMALS", key.normalizeNormals);
    define("TEXTURED", key.textured);
    define("DRAWS_POINTS", key.drawsPoints);
    out += std::string("#define DIRECTIONAL_ONLY ") + (key.directionalOnly ? "true" : "false") + "\n";
    out += "#define LIGHT_COUNT " + std::to_string(key.lightCount) + "\n";
    out += std::string("#define SHADE_QUALIFIER ") + (key.flatShading ? "flat" : "") + "\n";
    out += std::string("#define DIFFUSE_SOURCE ") + SourceExpression(key.diffuseSource, "materialDiffuse") + "\n";
    out += std::string("#define AMBIENT_SOURCE ") + SourceExpression(key.ambientSource, "materialAmbient") + "\n";
    out += std::string("#define SPECULAR_SOURCE ") + SourceExpression(key.specularSource, "materialSpecular") + "\n";
    out += std::string("#define EMISSIVE_SOURCE ") + SourceExpression(key.emissiveSource, "materialEmissive") + "\n";
    if (const char* compare = AlphaComparison(key.alphaFunc))
        out += std::string("#define ALPHA_COMPARE ") + compare + "\n";
    out += kUniformBlock;
    return out;
}

GLuint CompileStage(GLenum stage, const std::string& source) {
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "orbel_d3d8: shader does not compile:\n%s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLuint LinkProgram(const FixedFunctionKey& key) {
    const std::string defines = Defines(key);
    GLuint vertex = CompileStage(GL_VERTEX_SHADER, defines + kVertexBody);
    GLuint fragment = CompileStage(GL_FRAGMENT_SHADER, defines + kFragmentBody);
    GLuint program = 0;
    if (vertex && fragment) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
        GLint ok = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            char log[2048] = {};
            glGetProgramInfoLog(program, sizeof log, nullptr, log);
            std::fprintf(stderr, "orbel_d3d8: shader does not link:\n%s\n", log);
            glDeleteProgram(program);
            program = 0;
        }
    }
    if (vertex) glDeleteShader(vertex);
    if (fragment) glDeleteShader(fragment);
    return program;
}

}  // namespace

std::uint32_t FixedFunctionKey::Bits() const {
    std::uint32_t bits = 0;
    int shift = 0;
    auto put = [&](std::uint32_t value, int width) {
        bits |= value << shift;
        shift += width;
    };
    put(hasNormal, 1);
    put(hasDiffuse, 1);
    put(hasSpecular, 1);
    put(hasTexCoord, 1);
    put(lighting, 1);
    put(specularEnable, 1);
    put(localViewer, 1);
    put(normalizeNormals, 1);
    put(static_cast<std::uint32_t>(diffuseSource), 2);
    put(static_cast<std::uint32_t>(ambientSource), 2);
    put(static_cast<std::uint32_t>(specularSource), 2);
    put(static_cast<std::uint32_t>(emissiveSource), 2);
    put(textured, 1);
    put(flatShading, 1);
    put(alphaFunc & 0xFu, 4);
    put(lightCount & 0xFu, 4);
    put(directionalOnly, 1);
    put(drawsPoints, 1);
    return bits;
}

ProgramCache::~ProgramCache() {
    for (auto& [bits, program] : programs_)
        if (program) glDeleteProgram(program);
}

GLuint ProgramCache::Get(const FixedFunctionKey& key) {
    const std::uint32_t bits = key.Bits();
    auto found = programs_.find(bits);
    if (found != programs_.end()) return found->second;
    GLuint program = LinkProgram(key);
    programs_.emplace(bits, program);
    return program;
}

}  // namespace orbel::d3d8
