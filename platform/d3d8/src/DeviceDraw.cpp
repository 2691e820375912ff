// Clearing and drawing: Direct3D's fixed-function state turned into GL state,
// a program from the cache and the uniform block.
#include "Device.h"

#include <d3d8/ComObject.h>
#include "Matrix.h"
#include "PresentReadBacks.h"
#include "Resources.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace orbel::d3d8 {
namespace {

// With row 0 at the top (clip control upper-left) GL keeps the facing of the
// image as seen, so a clockwise triangle on screen is clockwise for GL.
constexpr GLenum kClockwiseOnScreen = GL_CW;
constexpr GLenum kCounterClockwiseOnScreen = GL_CCW;

GLenum CompareFunction(DWORD func) {
    switch (func) {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

GLenum BlendFactor(DWORD blend) {
    switch (blend) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
    }
}

GLenum BlendEquation(DWORD op) {
    switch (op) {
    case 2: return GL_FUNC_SUBTRACT;
    case 3: return GL_FUNC_REVERSE_SUBTRACT;
    case 4: return GL_MIN;
    case 5: return GL_MAX;
    default: return GL_FUNC_ADD;
    }
}

GLenum AddressMode(DWORD mode) {
    switch (mode) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
    }
}

void ColorToFloats(D3DCOLOR color, float out[4]) {
    out[0] = static_cast<float>((color >> 16) & 0xFFu) / 255.0f;
    out[1] = static_cast<float>((color >> 8) & 0xFFu) / 255.0f;
    out[2] = static_cast<float>(color & 0xFFu) / 255.0f;
    out[3] = static_cast<float>((color >> 24) & 0xFFu) / 255.0f;
}

void CopyColor(const D3DCOLORVALUE& color, float out[4]) {
    out[0] = color.r;
    out[1] = color.g;
    out[2] = color.b;
    out[3] = color.a;
}

// Normals go through the inverse transpose of the upper 3x3 of world-view.
// A singular matrix leaves normals untouched rather than producing NaNs.
D3DMATRIX NormalMatrix(const D3DMATRIX& m) {
    const float a = m._11, b = m._12, c = m._13;
    const float d = m._21, e = m._22, f = m._23;
    const float g = m._31, h = m._32, i = m._33;
    const float A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const float det = a * A + b * B + c * C;
    D3DMATRIX r{};
    r._44 = 1.0f;
    if (std::fabs(det) < 1e-30f || !std::isfinite(det)) {
        r = m;
        r._14 = r._24 = r._34 = r._41 = r._42 = r._43 = 0.0f;
        r._44 = 1.0f;
        return r;
    }
    const float inv = 1.0f / det;
    // Inverse transpose = cofactor matrix / det.
    r._11 = A * inv;
    r._12 = B * inv;
    r._13 = C * inv;
    r._21 = -(b * i - c * h) * inv;
    r._22 = (a * i - c * g) * inv;
    r._23 = -(a * h - b * g) * inv;
    r._31 = (b * f - c * e) * inv;
    r._32 = -(a * f - c * d) * inv;
    r._33 = (a * e - b * d) * inv;
    return r;
}

void TransformPoint(const D3DVECTOR& p, const D3DMATRIX& m, float out[3]) {
    for (int j = 0; j < 3; ++j) out[j] = p.x * m.m[0][j] + p.y * m.m[1][j] + p.z * m.m[2][j] + m.m[3][j];
}

void TransformDirection(const D3DVECTOR& v, const D3DMATRIX& m, float out[3]) {
    for (int j = 0; j < 3; ++j) out[j] = v.x * m.m[0][j] + v.y * m.m[1][j] + v.z * m.m[2][j];
}

ColorSource ResolveSource(DWORD state, bool colorVertex, bool hasDiffuse, bool hasSpecular) {
    // A vertex colour the vertices do not have falls back to the material.
    if (colorVertex && state == D3DMCS_COLOR1 && hasDiffuse) return ColorSource::VertexDiffuse;
    if (colorVertex && state == D3DMCS_COLOR2 && hasSpecular) return ColorSource::VertexSpecular;
    return ColorSource::Material;
}

// The alpha test of a fragment alpha against the reference, both 0..255.
bool AlphaTestPasses(DWORD func, DWORD alpha, DWORD reference) {
    switch (func) {
    case D3DCMP_NEVER: return false;
    case D3DCMP_LESS: return alpha < reference;
    case D3DCMP_EQUAL: return alpha == reference;
    case D3DCMP_LESSEQUAL: return alpha <= reference;
    case D3DCMP_GREATER: return alpha > reference;
    case D3DCMP_NOTEQUAL: return alpha != reference;
    case D3DCMP_GREATEREQUAL: return alpha >= reference;
    default: return true;
    }
}

// Smaller triangle lists are drawn as they come: the look-up would cost
// more than the lines it saves.
constexpr UINT kMinEdgeListTriangles = 16;

// GL_POINTS is 0, so an unknown type is told apart by this value instead.
constexpr GLenum kNoPrimitive = 0xFFFFFFFFu;

GLenum PrimitiveMode(D3DPRIMITIVETYPE type) {
    switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
    default: return kNoPrimitive;
    }
}

// Vertices a primitive count covers; 0 for an unknown type.
std::uint64_t VertexCount(D3DPRIMITIVETYPE type, UINT primitives) {
    const std::uint64_t n = primitives;
    switch (type) {
    case D3DPT_POINTLIST: return n;
    case D3DPT_LINELIST: return 2 * n;
    case D3DPT_LINESTRIP: return n + 1;
    case D3DPT_TRIANGLELIST: return 3 * n;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return n + 2;
    default: return 0;
    }
}

template <class Index>
bool IndicesWithin(const void* data, std::uint64_t count, std::uint64_t first, std::uint64_t end) {
    const Index* indices = static_cast<const Index*>(data);
    Index low = std::numeric_limits<Index>::max(), high = 0;
    for (std::uint64_t k = 0; k < count; ++k) {
        low = std::min(low, indices[k]);
        high = std::max(high, indices[k]);
    }
    return low >= first && high < end;
}

}  // namespace

void Device::BindFramebuffer() {
    if (gl_->owner != this) {
        gl_->owner = this;
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glBindVertexArray(vertexArray_);
        uniformsDirty_ = true;
        glBindSampler(0, sampler_);
        boundProgram_ = 0;
        glUseProgram(0);
        InvalidateGlBindings();
        fixedStateDirty_ = true;
    }
    if (targetsDirty_) AttachTargets();
    // What was presented from the target is read back before it changes.
    if (renderTarget_) LandReadBacksOf(renderTarget_->Name());
}

void Device::AttachTargets() {
    targetsDirty_ = false;
    glNamedFramebufferTexture(framebuffer_, GL_COLOR_ATTACHMENT0, renderTarget_ ? renderTarget_->Name() : 0, 0);
    glNamedFramebufferRenderbuffer(framebuffer_, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (depthStencil_) {
        const GLenum attachment = depthStencil_->HasStencil() ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        glNamedFramebufferRenderbuffer(framebuffer_, attachment, GL_RENDERBUFFER, depthStencil_->Name());
    }
    fixedStateDirty_ = true;
}

void Device::ApplyFixedState() {
    fixedStateDirty_ = false;
    const auto& rs = renderStates_;
    glViewport(static_cast<GLint>(viewport_.X), static_cast<GLint>(viewport_.Y),
               static_cast<GLsizei>(viewport_.Width), static_cast<GLsizei>(viewport_.Height));
    glDepthRangef(viewport_.MinZ, viewport_.MaxZ);
    glDisable(GL_SCISSOR_TEST);

    if (rs[D3DRS_ZENABLE] != D3DZB_FALSE && depthStencil_) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(CompareFunction(rs[D3DRS_ZFUNC]));
        glDepthMask(rs[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    } else {
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
    }

    switch (rs[D3DRS_CULLMODE]) {
    case D3DCULL_CW:
        glEnable(GL_CULL_FACE);
        glFrontFace(kCounterClockwiseOnScreen);
        glCullFace(GL_BACK);
        break;
    case D3DCULL_CCW:
        glEnable(GL_CULL_FACE);
        glFrontFace(kClockwiseOnScreen);
        glCullFace(GL_BACK);
        break;
    default:
        glDisable(GL_CULL_FACE);
        break;
    }

    switch (rs[D3DRS_FILLMODE]) {
    case D3DFILL_POINT: glPolygonMode(GL_FRONT_AND_BACK, GL_POINT); break;
    case D3DFILL_WIREFRAME: glPolygonMode(GL_FRONT_AND_BACK, GL_LINE); break;
    default: glPolygonMode(GL_FRONT_AND_BACK, GL_FILL); break;
    }

    if (rs[D3DRS_ALPHABLENDENABLE]) {
        glEnable(GL_BLEND);
        glBlendFunc(BlendFactor(rs[D3DRS_SRCBLEND]), BlendFactor(rs[D3DRS_DESTBLEND]));
        glBlendEquation(BlendEquation(rs[D3DRS_BLENDOP]));
    } else {
        glDisable(GL_BLEND);
    }

    // Targets without alpha keep it at one, so presented images are opaque.
    const DWORD mask = rs[D3DRS_COLORWRITEENABLE];
    const bool alphaTarget = renderTarget_ && renderTarget_->Format() == D3DFMT_A8R8G8B8;
    glColorMask((mask & 1u) != 0, (mask & 2u) != 0, (mask & 4u) != 0, alphaTarget && (mask & 8u) != 0);
}

void Device::UploadUniforms() {
    uniformsDirty_ = false;
    FixedFunctionUniforms u{};
    D3DMATRIX world, view, projection;
    GetTransform(D3DTS_WORLD, &world);
    GetTransform(D3DTS_VIEW, &view);
    GetTransform(D3DTS_PROJECTION, &projection);
    const D3DMATRIX worldView = MultiplyMatrices(world, view);
    const D3DMATRIX worldViewProjection = MultiplyMatrices(worldView, projection);
    const D3DMATRIX normal = NormalMatrix(worldView);
    std::memcpy(u.worldViewProjection, worldViewProjection.m, sizeof u.worldViewProjection);
    std::memcpy(u.worldView, worldView.m, sizeof u.worldView);
    std::memcpy(u.normalMatrix, normal.m, sizeof u.normalMatrix);
    CopyColor(material_.Diffuse, u.materialDiffuse);
    CopyColor(material_.Ambient, u.materialAmbient);
    CopyColor(material_.Specular, u.materialSpecular);
    CopyColor(material_.Emissive, u.materialEmissive);
    ColorToFloats(renderStates_[D3DRS_AMBIENT], u.globalAmbient);

    float pointSize = std::bit_cast<float>(renderStates_[D3DRS_POINTSIZE]);
    const float pointMax = std::bit_cast<float>(renderStates_[D3DRS_POINTSIZE_MAX]);
    if (!(pointSize >= 1.0f)) pointSize = 1.0f;
    if (pointMax >= 1.0f && pointSize > pointMax) pointSize = pointMax;
    u.params[0] = material_.Power;
    u.params[1] = pointSize;
    u.params[2] = static_cast<float>(renderStates_[D3DRS_ALPHAREF] & 0xFFu);

    const float width = static_cast<float>(std::max<DWORD>(viewport_.Width, 1));
    const float height = static_cast<float>(std::max<DWORD>(viewport_.Height, 1));
    // Direct3D samples pixels at integer coordinates, GL at half-integers.
    // Stopping a hair short of half a pixel makes edges through pixel
    // centres fall the way Direct3D's top-left rule has them.
    constexpr float kShift = 0.5f - 1.0f / 128.0f;
    u.pixelOffset[0] = 2.0f * kShift / width;
    u.pixelOffset[1] = -2.0f * kShift / height;

    int count = 0;
    for (const auto& [index, slot] : lights_) {
        if (!slot.enabled || count == kMaxLights) continue;
        const D3DLIGHT8& light = slot.light;
        CopyColor(light.Diffuse, u.lightDiffuse[count]);
        CopyColor(light.Specular, u.lightSpecular[count]);
        CopyColor(light.Ambient, u.lightAmbient[count]);
        TransformPoint(light.Position, view, u.lightPosition[count]);
        u.lightPosition[count][3] = static_cast<float>(light.Type);
        float direction[3];
        TransformDirection(light.Direction, view, direction);
        const float length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] +
                                       direction[2] * direction[2]);
        for (int k = 0; k < 3; ++k) u.lightDirection[count][k] = length > 0.0f ? -direction[k] / length : 0.0f;
        u.lightDirection[count][3] = light.Range > 0.0f ? light.Range : 3.4e38f;
        u.lightAttenuation[count][0] = light.Attenuation0;
        u.lightAttenuation[count][1] = light.Attenuation1;
        u.lightAttenuation[count][2] = light.Attenuation2;
        ++count;
    }
    u.params[3] = static_cast<float>(count);
    enabledLights_ = static_cast<std::uint32_t>(count);
    directionalOnly_ = true;
    int seen = 0;
    for (const auto& [index, slot] : lights_) {
        if (!slot.enabled || seen == kMaxLights) continue;
        ++seen;
        if (slot.light.Type != D3DLIGHT_DIRECTIONAL) directionalOnly_ = false;
    }
    // Each set of uniforms goes to fresh space in the stream ring: updating
    // one buffer between draws would wait for the draws still reading it.
    std::size_t offset = 0;
    unsigned char* target = stream_ring_->Allocate(sizeof u, offset, uniformAlignment_);
    if (!target) return;
    uniformLap_ = stream_ring_->Lap();
    std::memcpy(target, &u, sizeof u);
    glBindBufferRange(GL_UNIFORM_BUFFER, 0, stream_ring_->Name(), static_cast<GLintptr>(offset), sizeof u);
}

bool Device::PrepareDraw(const FvfLayout& layout, GLenum mode) {
    if (!renderTarget_ || !layout.valid) return false;
    BindFramebuffer();
    if (fixedStateDirty_) ApplyFixedState();
    if (uniformsDirty_ || uniformLap_ != stream_ring_->Lap()) UploadUniforms();
    if (stream_ring_->Name() != streamRingName_) {
        // The ring grew into a new buffer; the old name may come back.
        streamRingName_ = stream_ring_->Name();
        InvalidateGlBindings();
    }

    const auto& rs = renderStates_;
    Texture* texture = textures_[0];
    const bool textured = texture && stageStates_[0][D3DTSS_COLOROP] != D3DTOP_DISABLE;
    FixedFunctionKey key;
    key.hasNormal = layout.normal >= 0;
    key.hasDiffuse = layout.diffuse >= 0;
    key.hasSpecular = layout.specular >= 0;
    key.hasTexCoord = layout.texCoord0 >= 0;
    key.lighting = rs[D3DRS_LIGHTING] != FALSE;
    key.specularEnable = rs[D3DRS_SPECULARENABLE] != FALSE;
    key.localViewer = rs[D3DRS_LOCALVIEWER] != FALSE;
    key.normalizeNormals = rs[D3DRS_NORMALIZENORMALS] != FALSE;
    const bool colorVertex = rs[D3DRS_COLORVERTEX] != FALSE;
    key.diffuseSource = ResolveSource(rs[D3DRS_DIFFUSEMATERIALSOURCE], colorVertex, key.hasDiffuse, key.hasSpecular);
    key.ambientSource = ResolveSource(rs[D3DRS_AMBIENTMATERIALSOURCE], colorVertex, key.hasDiffuse, key.hasSpecular);
    key.specularSource =
        ResolveSource(rs[D3DRS_SPECULARMATERIALSOURCE], colorVertex, key.hasDiffuse, key.hasSpecular);
    key.emissiveSource =
        ResolveSource(rs[D3DRS_EMISSIVEMATERIALSOURCE], colorVertex, key.hasDiffuse, key.hasSpecular);
    key.textured = textured;
    key.flatShading = rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT;
    key.lightCount = key.lighting ? enabledLights_ : 0;
    key.directionalOnly = directionalOnly_;
    key.drawsPoints = mode == GL_POINTS || rs[D3DRS_FILLMODE] == D3DFILL_POINT;
    key.alphaFunc = rs[D3DRS_ALPHATESTENABLE] && rs[D3DRS_ALPHAFUNC] != D3DCMP_ALWAYS ? rs[D3DRS_ALPHAFUNC] : 0;
    // Without a texture every fragment's alpha is 255, so the test comes out
    // the same for the whole draw: decided here, the program has no discard
    // and the driver can test depth before shading.
    if (key.alphaFunc != 0 && !textured) {
        const bool passes = AlphaTestPasses(key.alphaFunc, 255, rs[D3DRS_ALPHAREF] & 0xFFu);
        key.alphaFunc = passes ? 0u : std::uint32_t{D3DCMP_NEVER};
    }

    const GLuint program = programs_.Get(key);
    if (!program) return false;
    if (program != boundProgram_) {
        glUseProgram(program);
        boundProgram_ = program;
    }
    if (textured && texture->Name() != boundTexture_) {
        glBindTextureUnit(0, texture->Name());
        boundTexture_ = texture->Name();
    }
    if (samplerDirty_) {
        samplerDirty_ = false;
        const auto& ss = stageStates_[0];
        const bool magLinear = ss[D3DTSS_MAGFILTER] >= D3DTEXF_LINEAR;
        const bool minLinear = ss[D3DTSS_MINFILTER] >= D3DTEXF_LINEAR;
        glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
        glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, minLinear ? GL_LINEAR : GL_NEAREST);
        glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, static_cast<GLint>(AddressMode(ss[D3DTSS_ADDRESSU])));
        glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, static_cast<GLint>(AddressMode(ss[D3DTSS_ADDRESSV])));
        float border[4];
        ColorToFloats(ss[D3DTSS_BORDERCOLOR], border);
        glSamplerParameterfv(sampler_, GL_TEXTURE_BORDER_COLOR, border);
    }
    return true;
}

void Device::BindVertexLayout(const FvfLayout& layout, GLuint buffer, GLintptr offset, GLsizei stride) {
    if (vertexShader_ != boundLayoutFvf_) {
        boundLayoutFvf_ = vertexShader_;
        struct Attribute {
            GLuint location;
            int offset;
            GLint size;
            GLenum type;
            GLboolean normalized;
        };
        // Colours are D3DCOLORs: B, G, R, A bytes, read as normalised RGBA.
        const Attribute attributes[] = {
            {0, 0, 3, GL_FLOAT, GL_FALSE},
            {1, layout.normal, 3, GL_FLOAT, GL_FALSE},
            {2, layout.diffuse, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE},
            {3, layout.specular, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE},
            {4, layout.texCoord0, std::min(layout.texCoord0Size, 2), GL_FLOAT, GL_FALSE},
        };
        for (const Attribute& a : attributes) {
            if (a.offset < 0) {
                glDisableVertexArrayAttrib(vertexArray_, a.location);
                continue;
            }
            glEnableVertexArrayAttrib(vertexArray_, a.location);
            glVertexArrayAttribFormat(vertexArray_, a.location, a.size, a.type, a.normalized,
                                      static_cast<GLuint>(a.offset));
            glVertexArrayAttribBinding(vertexArray_, a.location, 0);
        }
    }
    if (buffer != boundVertexBuffer_ || offset != boundVertexOffset_ || stride != boundVertexStride_) {
        glVertexArrayVertexBuffer(vertexArray_, 0, buffer, offset, stride);
        boundVertexBuffer_ = buffer;
        boundVertexOffset_ = offset;
        boundVertexStride_ = stride;
    }
}

void Device::BindElements(GLuint buffer) {
    if (buffer != boundElementBuffer_) {
        glVertexArrayElementBuffer(vertexArray_, buffer);
        boundElementBuffer_ = buffer;
    }
}

EdgeListCache::Lines Device::WireframeEdges(D3DPRIMITIVETYPE type, UINT primitives, const void* indices,
                                            std::size_t indexSize) {
    const auto& rs = renderStates_;
    if (type != D3DPT_TRIANGLELIST || primitives < kMinEdgeListTriangles || rs[D3DRS_FILLMODE] != D3DFILL_WIREFRAME ||
        rs[D3DRS_CULLMODE] != D3DCULL_NONE || rs[D3DRS_SHADEMODE] == D3DSHADE_FLAT)
        return {};
    bool deletedBuffers = false;
    const EdgeListCache::Lines lines = edgeLists_.Get(indices, 3 * std::size_t{primitives}, indexSize, deletedBuffers);
    if (deletedBuffers) InvalidateGlBindings();
    return lines;
}

HRESULT Device::Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z, DWORD Stencil) {
    if (!renderTarget_ || (Count > 0 && !pRects)) return D3DERR_INVALIDCALL;
    if ((Flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !depthStencil_) return D3DERR_INVALIDCALL;
    if ((Flags & D3DCLEAR_STENCIL) && !depthStencil_->HasStencil()) return D3DERR_INVALIDCALL;
    BindFramebuffer();
    // Clearing ignores the write masks of drawing but keeps to the viewport.
    GLbitfield mask = 0;
    if (Flags & D3DCLEAR_TARGET) {
        float rgba[4];
        ColorToFloats(Color, rgba);
        if (renderTarget_->Format() != D3DFMT_A8R8G8B8) rgba[3] = 1.0f;
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (Flags & D3DCLEAR_ZBUFFER) {
        glDepthMask(GL_TRUE);
        glClearDepthf(std::clamp(Z, 0.0f, 1.0f));
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (Flags & D3DCLEAR_STENCIL) {
        glStencilMask(0xFFu);
        glClearStencil(static_cast<GLint>(Stencil & 0xFFu));
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (mask == 0) return D3D_OK;
    glEnable(GL_SCISSOR_TEST);
    const LONG left = static_cast<LONG>(viewport_.X), top = static_cast<LONG>(viewport_.Y);
    const LONG right = left + static_cast<LONG>(viewport_.Width), bottom = top + static_cast<LONG>(viewport_.Height);
    auto clearRect = [&](LONG x1, LONG y1, LONG x2, LONG y2) {
        x1 = std::max(x1, left);
        y1 = std::max(y1, top);
        x2 = std::min(x2, right);
        y2 = std::min(y2, bottom);
        if (x2 <= x1 || y2 <= y1) return;
        glScissor(x1, y1, x2 - x1, y2 - y1);
        glClear(mask);
    };
    if (Count == 0)
        clearRect(left, top, right, bottom);
    else
        for (DWORD k = 0; k < Count; ++k) clearRect(pRects[k].x1, pRects[k].y1, pRects[k].x2, pRects[k].y2);
    fixedStateDirty_ = true;
    return D3D_OK;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex, UINT PrimitiveCount) {
    const GLenum mode = PrimitiveMode(PrimitiveType);
    const FvfLayout layout = ParseFvf(vertexShader_);
    if (mode == kNoPrimitive || !stream_ || !layout.valid || streamStride_ < layout.size) return D3DERR_INVALIDCALL;
    if (PrimitiveCount == 0) return D3D_OK;
    const std::uint64_t count = VertexCount(PrimitiveType, PrimitiveCount);
    if ((static_cast<std::uint64_t>(StartVertex) + count) * streamStride_ > stream_->Size()) return D3DERR_INVALIDCALL;
    if (!PrepareDraw(layout, mode)) return D3DERR_INVALIDCALL;
    BindVertexLayout(layout, stream_->Name(), 0, static_cast<GLsizei>(streamStride_));
    glDrawArrays(mode, static_cast<GLint>(StartVertex), static_cast<GLsizei>(count));
    return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT MinIndex, UINT NumVertices,
                                     UINT StartIndex, UINT PrimitiveCount) {
    const GLenum mode = PrimitiveMode(PrimitiveType);
    const FvfLayout layout = ParseFvf(vertexShader_);
    if (mode == kNoPrimitive || !stream_ || !indices_ || !layout.valid || streamStride_ < layout.size)
        return D3DERR_INVALIDCALL;
    if (PrimitiveCount == 0) return D3D_OK;
    const std::uint64_t count = VertexCount(PrimitiveType, PrimitiveCount);
    const bool wide = indices_->IndexFormat() == D3DFMT_INDEX32;
    const std::uint64_t indexSize = wide ? 4 : 2;
    if ((static_cast<std::uint64_t>(StartIndex) + count) * indexSize > indices_->Size()) return D3DERR_INVALIDCALL;
    // Every index must name a vertex inside the stream, or GL would read
    // past the buffer.
    const std::uint64_t vertices = stream_->Size() / streamStride_;
    if (static_cast<std::uint64_t>(baseVertexIndex_) >= vertices) return D3DERR_INVALIDCALL;
    const void* first = indices_->Bytes() + StartIndex * indexSize;
    const std::uint64_t limit = vertices - baseVertexIndex_;
    const bool within = wide ? IndicesWithin<std::uint32_t>(first, count, 0, limit)
                             : IndicesWithin<std::uint16_t>(first, count, 0, limit);
    if (!within) return D3DERR_INVALIDCALL;
    (void)MinIndex;
    (void)NumVertices;
    const EdgeListCache::Lines lines = WireframeEdges(PrimitiveType, PrimitiveCount, first, indexSize);
    if (!PrepareDraw(layout, lines.buffer ? GL_LINES : mode)) return D3DERR_INVALIDCALL;
    BindVertexLayout(layout, stream_->Name(), 0, static_cast<GLsizei>(streamStride_));
    const GLenum indexType = wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    if (lines.buffer) {
        BindElements(lines.buffer);
        glDrawElementsBaseVertex(GL_LINES, lines.count, indexType, nullptr, static_cast<GLint>(baseVertexIndex_));
        return D3D_OK;
    }
    BindElements(indices_->Name());
    glDrawElementsBaseVertex(mode, static_cast<GLsizei>(count), indexType,
                             reinterpret_cast<const void*>(static_cast<std::uintptr_t>(StartIndex * indexSize)),
                             static_cast<GLint>(baseVertexIndex_));
    return D3D_OK;
}

HRESULT Device::DrawPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT PrimitiveCount,
                                const void* pVertexStreamZeroData, UINT VertexStreamZeroStride) {
    const GLenum mode = PrimitiveMode(PrimitiveType);
    const FvfLayout layout = ParseFvf(vertexShader_);
    if (mode == kNoPrimitive || !pVertexStreamZeroData || !layout.valid || VertexStreamZeroStride < layout.size)
        return D3DERR_INVALIDCALL;
    if (PrimitiveCount == 0) return D3D_OK;
    const std::uint64_t count = VertexCount(PrimitiveType, PrimitiveCount);
    const std::uint64_t bytes = count * VertexStreamZeroStride;
    std::size_t offset = 0;
    // Uniforms and vertices must come from the same lap of the ring.
    for (int attempt = 0;; ++attempt) {
        if (!PrepareDraw(layout, mode)) return D3DERR_INVALIDCALL;
        const unsigned lap = stream_ring_->Lap();
        unsigned char* target = stream_ring_->Allocate(bytes, offset);
        if (!target) return D3DERR_INVALIDCALL;
        std::memcpy(target, pVertexStreamZeroData, bytes);
        if (stream_ring_->Lap() == lap) break;
        if (attempt == 1) return D3DERR_INVALIDCALL;
    }
    BindVertexLayout(layout, stream_ring_->Name(), static_cast<GLintptr>(offset),
                     static_cast<GLsizei>(VertexStreamZeroStride));
    glDrawArrays(mode, 0, static_cast<GLsizei>(count));
    // Direct3D forgets the stream source after drawing from program memory.
    Assign<VertexBuffer>(stream_, nullptr);
    streamStride_ = 0;
    return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE PrimitiveType, UINT MinVertexIndex, UINT NumVertexIndices,
                                       UINT PrimitiveCount, const void* pIndexData, D3DFORMAT IndexDataFormat,
                                       const void* pVertexStreamZeroData, UINT VertexStreamZeroStride) {
    const GLenum mode = PrimitiveMode(PrimitiveType);
    const FvfLayout layout = ParseFvf(vertexShader_);
    const bool wide = IndexDataFormat == D3DFMT_INDEX32;
    if (mode == kNoPrimitive || !pIndexData || !pVertexStreamZeroData || !layout.valid ||
        VertexStreamZeroStride < layout.size || (!wide && IndexDataFormat != D3DFMT_INDEX16))
        return D3DERR_INVALIDCALL;
    if (PrimitiveCount == 0 || NumVertexIndices == 0) return D3D_OK;
    const std::uint64_t count = VertexCount(PrimitiveType, PrimitiveCount);
    const std::uint64_t indexSize = wide ? 4 : 2;
    const std::uint64_t first = MinVertexIndex, end = first + NumVertexIndices;
    // Only the declared vertex range is copied; an index outside it would
    // read memory the caller never handed over.
    const bool within = wide ? IndicesWithin<std::uint32_t>(pIndexData, count, first, end)
                             : IndicesWithin<std::uint16_t>(pIndexData, count, first, end);
    if (!within) return D3DERR_INVALIDCALL;
    const std::uint64_t vertexBytes = std::uint64_t{NumVertexIndices} * VertexStreamZeroStride;
    const std::uint64_t indexBytes = count * indexSize;
    const unsigned char* firstVertex =
        static_cast<const unsigned char*>(pVertexStreamZeroData) + first * VertexStreamZeroStride;
    const EdgeListCache::Lines lines = WireframeEdges(PrimitiveType, PrimitiveCount, pIndexData, indexSize);
    std::size_t vertexOffset = 0, indexOffset = 0;
    // Uniforms, vertices and indices must come from the same lap of the ring.
    for (int attempt = 0;; ++attempt) {
        if (!PrepareDraw(layout, lines.buffer ? GL_LINES : mode)) return D3DERR_INVALIDCALL;
        const unsigned lap = stream_ring_->Lap();
        unsigned char* vertexTarget = stream_ring_->Allocate(vertexBytes, vertexOffset);
        if (!vertexTarget) return D3DERR_INVALIDCALL;
        std::memcpy(vertexTarget, firstVertex, vertexBytes);
        if (!lines.buffer) {
            unsigned char* indexTarget = stream_ring_->Allocate(indexBytes, indexOffset);
            if (!indexTarget) return D3DERR_INVALIDCALL;
            std::memcpy(indexTarget, pIndexData, indexBytes);
        }
        if (stream_ring_->Lap() == lap) break;
        if (attempt == 1) return D3DERR_INVALIDCALL;
    }
    BindVertexLayout(layout, stream_ring_->Name(), static_cast<GLintptr>(vertexOffset),
                     static_cast<GLsizei>(VertexStreamZeroStride));
    const GLenum indexType = wide ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    if (lines.buffer) {
        BindElements(lines.buffer);
        glDrawElementsBaseVertex(GL_LINES, lines.count, indexType, nullptr, -static_cast<GLint>(MinVertexIndex));
    } else {
        BindElements(stream_ring_->Name());
        glDrawElementsBaseVertex(mode, static_cast<GLsizei>(count), indexType,
                                 reinterpret_cast<const void*>(static_cast<std::uintptr_t>(indexOffset)),
                                 -static_cast<GLint>(MinVertexIndex));
    }
    Assign<VertexBuffer>(stream_, nullptr);
    streamStride_ = 0;
    Assign<IndexBuffer>(indices_, nullptr);
    return D3D_OK;
}

}  // namespace orbel::d3d8
