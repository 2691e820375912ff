#include <d3d8/PlainGlReference.h>

#include "GlContext.h"

namespace {

constexpr const char* kVertexShader = R"(#version 450 core
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

}  // namespace

struct PlainGlReference::Objects {
    GLuint program = 0, vertexArray = 0, vertexBuffer = 0, indexBuffer = 0;
    GLuint framebuffer = 0, color = 0, depth = 0;
    GLsizei indexCount = 0;
    int width = 0, height = 0;
};

std::unique_ptr<PlainGlReference> PlainGlReference::Create(const float* vertices, std::size_t vertexCount,
                                                           const std::uint16_t* indices, std::size_t indexCount) {
    if (!orbel::d3d8::GlContext::Get()) return nullptr;
    std::unique_ptr<PlainGlReference> reference(new PlainGlReference());
    auto objects = std::make_unique<Objects>();
    GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader), fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    objects->program = glCreateProgram();
    glAttachShader(objects->program, vs);
    glAttachShader(objects->program, fs);
    glLinkProgram(objects->program);
    glDeleteShader(vs);
    glDeleteShader(fs);

    glCreateBuffers(1, &objects->vertexBuffer);
    glNamedBufferStorage(objects->vertexBuffer, static_cast<GLsizeiptr>(vertexCount * 8 * sizeof(float)), vertices, 0);
    glCreateBuffers(1, &objects->indexBuffer);
    glNamedBufferStorage(objects->indexBuffer, static_cast<GLsizeiptr>(indexCount * 2), indices, 0);
    glCreateVertexArrays(1, &objects->vertexArray);
    glVertexArrayVertexBuffer(objects->vertexArray, 0, objects->vertexBuffer, 0, 32);
    glVertexArrayElementBuffer(objects->vertexArray, objects->indexBuffer);
    for (GLuint location : {0u, 1u}) {
        glEnableVertexArrayAttrib(objects->vertexArray, location);
        glVertexArrayAttribFormat(objects->vertexArray, location, 3, GL_FLOAT, GL_FALSE, location * 12);
        glVertexArrayAttribBinding(objects->vertexArray, location, 0);
    }
    objects->indexCount = static_cast<GLsizei>(indexCount);
    glCreateFramebuffers(1, &objects->framebuffer);
    reference->gl_ = std::move(objects);
    return reference;
}

PlainGlReference::~PlainGlReference() {
    glDeleteFramebuffers(1, &gl_->framebuffer);
    glDeleteTextures(1, &gl_->color);
    glDeleteRenderbuffers(1, &gl_->depth);
    glDeleteVertexArrays(1, &gl_->vertexArray);
    glDeleteBuffers(1, &gl_->vertexBuffer);
    glDeleteBuffers(1, &gl_->indexBuffer);
    glDeleteProgram(gl_->program);
    orbel::d3d8::GlContext::Get()->owner = nullptr;
}

void PlainGlReference::DrawFourViews(const float worldViewProjection[16], int width, int height,
                                     std::vector<std::uint8_t>& bgra) {
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
    glUseProgram(o.program);
    glBindVertexArray(o.vertexArray);
    glProgramUniformMatrix4fv(o.program, 0, 1, GL_FALSE, worldViewProjection);
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
    for (int view = 0; view < 4; ++view) {
        glViewport((view % 2) * width, (view / 2) * height, width, height);
        glDrawElements(GL_TRIANGLES, o.indexCount, GL_UNSIGNED_SHORT, nullptr);
    }
    const std::size_t size = static_cast<std::size_t>(4 * width) * static_cast<std::size_t>(height) * 4;
    bgra.resize(size);
    glGetTextureImage(o.color, 0, GL_BGRA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(size), bgra.data());
}
