// The one OpenGL context of the process: desktop OpenGL 4.5 compatibility
// profile on a surfaceless EGL display, current on the thread that opened it.
// Every image is drawn into framebuffer objects; there is no window surface.
// The context also pools the textures and renderbuffers behind surfaces,
// because views make and release their targets in every paint.
#pragma once

#include "Gl.h"

#include <win32/Types.h>

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace orbel::d3d8 {

class GlContext {
public:
    // The context, opened on first use; nullptr when no EGL device or no
    // OpenGL 4.5 context is available (then it is never tried again).
    ORBEL_TESTING_API static GlContext* Get();
    // Opens the EGL display and sets up the context on a worker thread; Get
    // waits for it and makes the context current on its own thread.
    static void BeginOpeningDisplay();
    // Waits for that worker, if one runs.
    static void FinishOpeningDisplay();

    // A 2D texture or renderbuffer of the given internal format and size,
    // from the pool when one is free.
    GLuint AcquireTexture(GLenum internalFormat, int width, int height);
    void ReturnTexture(GLuint name, GLenum internalFormat, int width, int height);
    GLuint AcquireRenderbuffer(GLenum internalFormat, int width, int height);
    void ReturnRenderbuffer(GLuint name, GLenum internalFormat, int width, int height);

    // The device whose state the GL context last carried; a device seeing
    // another owner re-applies all its state.
    const void* owner = nullptr;

private:
    GlContext() = default;
    // Makes the given context current (setting the conventions unless that
    // was done), or opens a display and context of its own when there is none
    // or it cannot be made current.
    bool Open(void* display, void* context, bool conventionsSet);

    using Key = std::tuple<GLenum, int, int>;
    std::map<Key, std::vector<GLuint>> freeTextures_;
    std::map<Key, std::vector<GLuint>> freeRenderbuffers_;
};

}  // namespace orbel::d3d8
