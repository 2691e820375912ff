#include "DriverWarmUp.h"

#include "FixedFunction.h"

#include <cstddef>
#include <cstring>

namespace orbel::d3d8 {

void WarmUpDriver() {
    constexpr int kSize = 8;
    ProgramCache programs;
    FixedFunctionKey key;
    key.hasDiffuse = true;  // position and colour, unlit: the plainest program
    const GLuint program = programs.Get(key);
    if (program == 0) return;

    struct Vertex {
        float x, y, z;
        unsigned char colour[4];
    };
    const Vertex vertices[] = {{-0.5f, -0.5f, 0.5f, {255, 0, 0, 255}},
                               {0.5f, -0.5f, 0.5f, {0, 255, 0, 255}},
                               {0.0f, 0.5f, 0.5f, {0, 0, 255, 255}}};
    FixedFunctionUniforms uniforms;
    std::memset(&uniforms, 0, sizeof uniforms);
    for (int i = 0; i < 4; ++i) uniforms.worldViewProjection[i * 5] = 1.0f;

    GLuint texture = 0, depth = 0, framebuffer = 0, vertexArray = 0, buffers[2] = {};
    glCreateTextures(GL_TEXTURE_2D, 1, &texture);
    glTextureStorage2D(texture, 1, GL_RGBA8, kSize, kSize);
    glCreateRenderbuffers(1, &depth);
    glNamedRenderbufferStorage(depth, GL_DEPTH_COMPONENT16, kSize, kSize);
    glCreateFramebuffers(1, &framebuffer);
    glNamedFramebufferTexture(framebuffer, GL_COLOR_ATTACHMENT0, texture, 0);
    glNamedFramebufferRenderbuffer(framebuffer, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    glCreateBuffers(2, buffers);
    glNamedBufferData(buffers[0], sizeof vertices, vertices, GL_STATIC_DRAW);
    glNamedBufferData(buffers[1], sizeof uniforms, &uniforms, GL_STATIC_DRAW);
    glCreateVertexArrays(1, &vertexArray);
    glEnableVertexArrayAttrib(vertexArray, 0);
    glVertexArrayAttribFormat(vertexArray, 0, 3, GL_FLOAT, GL_FALSE, 0);
    glVertexArrayAttribBinding(vertexArray, 0, 0);
    glEnableVertexArrayAttrib(vertexArray, 2);
    glVertexArrayAttribFormat(vertexArray, 2, 4, GL_UNSIGNED_BYTE, GL_TRUE, offsetof(Vertex, colour));
    glVertexArrayAttribBinding(vertexArray, 2, 0);
    glVertexArrayVertexBuffer(vertexArray, 0, buffers[0], 0, sizeof(Vertex));

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glBindVertexArray(vertexArray);
    glBindBufferBase(GL_UNIFORM_BUFFER, 0, buffers[1]);
    glUseProgram(program);
    glViewport(0, 0, kSize, kSize);
    glEnable(GL_DEPTH_TEST);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDrawArrays(GL_LINE_STRIP, 0, 3);
    // Read back the way presenting does.
    unsigned char pixels[kSize * kSize * 4] = {};
    glGetTextureImage(texture, 0, GL_BGRA, GL_UNSIGNED_BYTE, sizeof pixels, pixels);

    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
    glBindBufferBase(GL_UNIFORM_BUFFER, 0, 0);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glBindVertexArray(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteBuffers(2, buffers);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &depth);
    glDeleteTextures(1, &texture);
    // Nothing of this may reach the first error check of a device.
    while (glGetError() != GL_NO_ERROR) {
    }
}

}  // namespace orbel::d3d8
