#include <d3d8/PlainGlReference.h>

#include "EdgeList.h"
#include "GlContext.h"

namespace {

constexpr const char* kLitVertexShader = R"(#version 450 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 0) uniform mat4 worldViewProjection;
out vec4 color;
void main() {
    gl_Position = worldViewProjection * vec4(position, 1.0);
    vec3 L = normalize(vec3(1.0, 1.0, -1.0));
    float d = max(dot(normal, L), 0.0);
    vec3 H = normalize(L + vec3(0.0, 0.0, -1.0));
    float s = d > 0.0 ? pow(max(dot(normal, H), 0.0), 30.0) : 0.0;
    color = vec4(clamp(vec3(0.02) + vec3(0.8, 0.6, 0.4) * d + vec3(0.4) * s, 0.0, 1.0), 1.0);
}
)";

constexpr const char* kFlatVertexShader = R"(#version 450 core
layout(location = 0) in vec3 position;
layout(location = 2) in vec4 flatColor;
layout(location = 0) uniform mat4 worldViewProjection;
out vec4 color;
void main() {
    gl_Position = worldViewProjection * vec4(position, 1.0);
    gl_PointSize = 2.0;
    color = flatColor;
}
)";

constexpr const char* kFragmentShader = R"(#version 450 core
in vec4 color;
layout(location = 0) out vec4 fragColor;
void main() { fragColor = color; }
)";

GLuint Compile(GLenum stage, const char* source) {
    GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint Link(const char* vertexSource) {
    GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource), fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    return program;
}

struct LineVertex {
    float x, y, z, r, g, b;
};

// The grid's cells as unit-square outlines and the axes as unit segments,
// all in one line list, as the views place them before turning.
std::vector<LineVertex> GridLines() {
    std::vector<LineVertex> lines;
    const float grey = 150.0f / 255.0f;
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 20; ++j) {
            const float x = static_cast<float>(j - 10), z = static_cast<float>(i - 10);
            const float corners[5][2] = {{x, z}, {x + 1, z}, {x + 1, z + 1}, {x, z + 1}, {x, z}};
            for (int k = 0; k < 4; ++k) {
                lines.push_back({corners[k][0], 0, corners[k][1], grey, grey, grey});
                lines.push_back({corners[k + 1][0], 0, corners[k + 1][1], grey, grey, grey});
            }
        }
    for (int k = 0; k < 20; ++k) {
        const float s = static_cast<float>(k - 10);
        lines.insert(lines.end(), {{s, 0, 0, 0, 0, 0}, {s + 1, 0, 0, 0, 0, 0}, {0, 0, s, 0, 0, 0}, {0, 0, s + 1, 0, 0, 0}});
    }
    return lines;
}

}  // namespace

struct PlainGlReference::Objects {
    GLuint litProgram = 0, flatProgram = 0;
    GLuint meshArray = 0, edgeArray = 0, gridArray = 0;
    GLuint vertexBuffer = 0, indexBuffer = 0, edgeBuffer = 0, gridBuffer = 0;
    GLuint framebuffer = 0, color = 0, depth = 0;
    GLsizei vertexCount = 0, indexCount = 0, edgeIndexCount = 0, gridVertexCount = 0;
    int width = 0, height = 0;
};

std::unique_ptr<PlainGlReference> PlainGlReference::Create(const float* vertices, std::size_t vertexCount,
                                                           const std::uint16_t* indices, std::size_t indexCount) {
    if (!orbel::d3d8::GlContext::Get()) return nullptr;
    std::unique_ptr<PlainGlReference> reference(new PlainGlReference());
    auto o = std::make_unique<Objects>();
    o->litProgram = Link(kLitVertexShader);
    o->flatProgram = Link(kFlatVertexShader);

    glCreateBuffers(1, &o->vertexBuffer);
    glNamedBufferStorage(o->vertexBuffer, static_cast<GLsizeiptr>(vertexCount * 8 * sizeof(float)), vertices, 0);
    glCreateBuffers(1, &o->indexBuffer);
    glNamedBufferStorage(o->indexBuffer, static_cast<GLsizeiptr>(indexCount * 2), indices, 0);
    const std::vector<std::uint16_t> edges = orbel::d3d8::BuildEdgeList(indices, indexCount);
    glCreateBuffers(1, &o->edgeBuffer);
    glNamedBufferStorage(o->edgeBuffer, static_cast<GLsizeiptr>(edges.size() * 2 + 2), edges.data(), 0);
    for (GLuint* array : {&o->meshArray, &o->edgeArray}) {
        glCreateVertexArrays(1, array);
        glVertexArrayVertexBuffer(*array, 0, o->vertexBuffer, 0, 32);
        for (GLuint location : {0u, 1u}) {
            glEnableVertexArrayAttrib(*array, location);
            glVertexArrayAttribFormat(*array, location, 3, GL_FLOAT, GL_FALSE, location * 12);
            glVertexArrayAttribBinding(*array, location, 0);
        }
    }
    glVertexArrayElementBuffer(o->meshArray, o->indexBuffer);
    glVertexArrayElementBuffer(o->edgeArray, o->edgeBuffer);

    const std::vector<LineVertex> grid = GridLines();
    glCreateBuffers(1, &o->gridBuffer);
    glNamedBufferStorage(o->gridBuffer, static_cast<GLsizeiptr>(grid.size() * sizeof(LineVertex)), grid.data(), 0);
    glCreateVertexArrays(1, &o->gridArray);
    glVertexArrayVertexBuffer(o->gridArray, 0, o->gridBuffer, 0, sizeof(LineVertex));
    for (GLuint location : {0u, 2u}) {
        glEnableVertexArrayAttrib(o->gridArray, location);
        glVertexArrayAttribFormat(o->gridArray, location, 3, GL_FLOAT, GL_FALSE, location == 0 ? 0 : 12);
        glVertexArrayAttribBinding(o->gridArray, location, 0);
    }

    o->vertexCount = static_cast<GLsizei>(vertexCount);
    o->indexCount = static_cast<GLsizei>(indexCount);
    o->edgeIndexCount = static_cast<GLsizei>(edges.size());
    o->gridVertexCount = static_cast<GLsizei>(grid.size());
    glCreateFramebuffers(1, &o->framebuffer);
    reference->gl_ = std::move(o);
    return reference;
}

PlainGlReference::~PlainGlReference() {
    Objects& o = *gl_;
    glDeleteFramebuffers(1, &o.framebuffer);
    glDeleteTextures(1, &o.color);
    glDeleteRenderbuffers(1, &o.depth);
    for (GLuint array : {o.meshArray, o.edgeArray, o.gridArray}) glDeleteVertexArrays(1, &array);
    for (GLuint buffer : {o.vertexBuffer, o.indexBuffer, o.edgeBuffer, o.gridBuffer}) glDeleteBuffers(1, &buffer);
    glDeleteProgram(o.litProgram);
    glDeleteProgram(o.flatProgram);
    orbel::d3d8::GlContext::Get()->owner = nullptr;
}

void PlainGlReference::BindTarget(int width, int height) {
    Objects& o = *gl_;
    // Devices re-apply all their state after this.
    orbel::d3d8::GlContext::Get()->owner = nullptr;
    if (o.width != width || o.height != height) {
        glDeleteTextures(1, &o.color);
        glDeleteRenderbuffers(1, &o.depth);
        glCreateTextures(GL_TEXTURE_2D, 1, &o.color);
        glTextureStorage2D(o.color, 1, GL_RGBA8, 2 * width, 2 * height);
        glCreateRenderbuffers(1, &o.depth);
        glNamedRenderbufferStorage(o.depth, GL_DEPTH_COMPONENT16, 2 * width, 2 * height);
        glNamedFramebufferTexture(o.framebuffer, GL_COLOR_ATTACHMENT0, o.color, 0);
        glNamedFramebufferRenderbuffer(o.framebuffer, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, o.depth);
        o.width = width;
        o.height = height;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, o.framebuffer);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glClearColor(0.745f, 0.745f, 0.745f, 1.0f);
    glClearDepthf(1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
}

void PlainGlReference::ReadBack(int width, int height, std::vector<std::uint8_t>& bgra) {
    const std::size_t size = static_cast<std::size_t>(4 * width) * static_cast<std::size_t>(height) * 4;
    bgra.resize(size);
    glGetTextureImage(gl_->color, 0, GL_BGRA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(size), bgra.data());
}

void PlainGlReference::DrawFourViews(const float worldViewProjection[16], int width, int height,
                                     std::vector<std::uint8_t>& bgra) {
    const float* const scene[4] = {worldViewProjection, worldViewProjection, worldViewProjection,
                                   worldViewProjection};
    Passes solidOnly;
    solidOnly.grid = solidOnly.wire = solidOnly.points = false;
    DrawFourViews(scene, scene, solidOnly, width, height, bgra);
}

void PlainGlReference::DrawFourViews(const float* const scene[4], const float* const grid[4], const Passes& passes,
                                     int width, int height, std::vector<std::uint8_t>& bgra) {
    Objects& o = *gl_;
    BindTarget(width, height);
    for (int view = 0; view < 4; ++view) {
        glViewport((view % 2) * width, (view / 2) * height, width, height);
        if (passes.grid) {
            glUseProgram(o.flatProgram);
            glProgramUniformMatrix4fv(o.flatProgram, 0, 1, GL_FALSE, grid[view]);
            glBindVertexArray(o.gridArray);
            glDrawArrays(GL_LINES, 0, o.gridVertexCount);
        }
        if (passes.solid) {
            glUseProgram(o.litProgram);
            glProgramUniformMatrix4fv(o.litProgram, 0, 1, GL_FALSE, scene[view]);
            glBindVertexArray(o.meshArray);
            glDrawElements(GL_TRIANGLES, o.indexCount, GL_UNSIGNED_SHORT, nullptr);
        }
        if (passes.wire || passes.points) {
            glUseProgram(o.flatProgram);
            glProgramUniformMatrix4fv(o.flatProgram, 0, 1, GL_FALSE, scene[view]);
            glVertexAttrib4f(2, 0.0f, 0.0f, 150.0f / 255.0f, 1.0f);
        }
        if (passes.points) {
            glBindVertexArray(o.meshArray);
            glDrawArrays(GL_POINTS, 0, o.vertexCount);
        }
        if (passes.wire) {
            glBindVertexArray(o.edgeArray);
            glDrawElements(GL_LINES, o.edgeIndexCount, GL_UNSIGNED_SHORT, nullptr);
        }
    }
    // The generic colour goes back to GL's default for the devices.
    glVertexAttrib4f(2, 0.0f, 0.0f, 0.0f, 1.0f);
    ReadBack(width, height, bgra);
}
